// Bookmarks.
#include "app/Unit2.h"

void TForm2::setbookmark() {}
void TForm2::N90Click() {}
void TForm2::N91Click() {}
void TForm2::N93Click() {}
void TForm2::N94Click() {
    N90Click();
}
void TForm2::gotomark(QAction *) {}
