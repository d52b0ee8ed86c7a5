// Full-text search.
#include "app/Unit2.h"

void TForm2::N31Click() {}
void TForm2::N78Click() {}
void TForm2::N19Click() {
    N31Click();
}
