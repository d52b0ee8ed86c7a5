#include "search/gaojiso.h"

Tgjso::Tgjso(TForm2 *form2, QWidget *parent) : QWidget(parent, Qt::Window), Form2(form2) {
    setObjectName(QStringLiteral("gjso"));
    setWindowTitle(QStringLiteral("全文检索 (卷章节内容检索)"));
}
