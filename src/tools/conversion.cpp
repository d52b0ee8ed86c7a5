// Traditional/simplified conversion of the reader's text.
#include "app/Unit2.h"

void TForm2::N26Click() {}
void TForm2::N27Click() {}
void TForm2::N70Click() {}
