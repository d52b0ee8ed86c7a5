// Read-aloud commands.
#include "app/Unit2.h"

void TForm2::N47Click() {}
void TForm2::N48Click() {}
void TForm2::N57Click() {}
void TForm2::N58Click() {}
void TForm2::N59Click() {}
void TForm2::N50Click() {}
void TForm2::N61Click() {}
void TForm2::N52Click() {
    N47Click();
}
void TForm2::N53Click() {
    N48Click();
}
