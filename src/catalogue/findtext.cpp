// Find in the reader's text.
#include "app/Unit2.h"

void TForm2::N54Click() {}
void TForm2::FindDialog1Find() {}
void TForm2::N14Click() { N54Click(); }
