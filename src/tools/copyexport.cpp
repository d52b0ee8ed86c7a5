// Copy, export and print.
#include "app/Unit2.h"

void TForm2::N41Click() {}
void TForm2::N113Click() {}
void TForm2::N42Click() {}
void TForm2::N2Click() {}
void TForm2::N3Click() {}
void TForm2::N6Click() {}
void TForm2::C1Click() {}
void TForm2::A1Click() {}
void TForm2::N114Click() {
    N113Click();
}
