// Display preferences of the reader and the pane commands.
#include "app/Unit2.h"

#include <QAction>

void TForm2::rcChange() {}
void TForm2::N33Click() {}
void TForm2::N37Click() {}
void TForm2::N76Click() {}
void TForm2::N75Click() {}

void TForm2::N35Click() {
    QAction *item = action(QStringLiteral("N35"));
    const bool hide = !ticked(QStringLiteral("N35"));
    tick(item, hide);
    // The pane comes back to the right of its splitter.
    Panel2->setVisible(!hide);
    writeini(QStringLiteral("隐藏字典"), hide ? QStringLiteral("1") : QStringLiteral("0"));
}

void TForm2::N36Click() {
    QAction *item = action(QStringLiteral("N36"));
    const bool hide = !ticked(QStringLiteral("N36"));
    tick(item, hide);
    Panel4->setVisible(!hide);
    writeini(QStringLiteral("隐藏目录"), hide ? QStringLiteral("1") : QStringLiteral("0"));
}
