#include "tools/fanjian.h"

Tffjzh::Tffjzh(TForm2 *form2, QWidget *parent) : QWidget(parent, Qt::Window), Form2(form2) {
    setObjectName(QStringLiteral("ffjzh"));
    setWindowTitle(QStringLiteral("繁简转换工具"));
}
