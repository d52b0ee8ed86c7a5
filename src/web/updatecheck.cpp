// The background check for a newer version.
#include "app/Unit2.h"

#include <QTimer>

void TForm2::Timer1Timer() {
    Timer1->stop();
}
void TForm2::Timer3Timer() {
    Timer3->stop();
}
