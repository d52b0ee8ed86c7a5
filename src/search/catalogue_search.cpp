// Title, author and chapter-title searches.
#include "app/Unit2.h"

void TForm2::X1Click() {}
void TForm2::Y1Click() {}
void TForm2::Z1Click() {}
void TForm2::N16Click() {
    X1Click();
}
void TForm2::N17Click() {
    Y1Click();
}
void TForm2::N18Click() {
    Z1Click();
}
