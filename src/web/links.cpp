// Commands that open pages of the websites.
#include "app/Unit2.h"

void TForm2::N87Click() {}
void TForm2::N118Click() {}
void TForm2::N119Click() {}
void TForm2::N120Click() {}
void TForm2::N124Click() {}
void TForm2::N125Click() {}
void TForm2::N130Click() {}
void TForm2::PDF1Click() {}
void TForm2::N132Click() {}
void TForm2::N99Click() {}
void TForm2::N100Click() {}
void TForm2::N101Click() {}
void TForm2::N102Click() {}
void TForm2::N104Click() {}
void TForm2::N106Click() {}
void TForm2::N107Click() {}
void TForm2::N108Click() {}
void TForm2::N109Click() {}
void TForm2::N110Click() {}
void TForm2::N112Click() {}
void TForm2::N64Click() {}
void TForm2::N65Click() {}
void TForm2::N121Click() {}
void TForm2::N69Click() {}
void TForm2::N73Click() {}
void TForm2::N40Click() {}
void TForm2::N96Click() {}
void TForm2::N45Click() {}
void TForm2::N67Click() {}
// "访问官方网站": the product website.
void TForm2::N43Click() {
    shell.open(QStringLiteral("Open"), config.productSite);
}
void TForm2::N62Click() {}
void TForm2::N5Click() {}
void TForm2::Label1Click() {}
void TForm2::lwtxtClick() {}
void TForm2::rcURLClick(const QString &) {}
