// Speaking the text into an audio file.
#include "app/Unit2.h"

void TForm2::MP1Click() {}
