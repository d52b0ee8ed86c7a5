// Character lookup in the character and Kangxi dictionaries.
#include "app/Unit2.h"

void TForm2::N11Click() {}
void TForm2::N80Click() {}
void TForm2::N12Click() {}
void TForm2::N83Click() {}
void TForm2::N84Click() {}
void TForm2::N7Click() {}
void TForm2::jseditDblClick() {}
