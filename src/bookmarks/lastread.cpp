// The chapter read last.
#include "app/Unit2.h"

void TForm2::lastseeClick() {}
void TForm2::savelastread() {}
