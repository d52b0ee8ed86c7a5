// Word lookup.
#include "app/Unit2.h"

void TForm2::N8Click() {}
void TForm2::rcMouseUp() {}
void TForm2::N13Click() { N8Click(); }
