// The background connect of the online edition.
#include "app/Unit2.h"

void TForm2::MySQLConnect() {}
