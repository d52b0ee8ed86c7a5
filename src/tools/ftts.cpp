#include "tools/ftts.h"

Ttts::Ttts(TForm2 *form2, QWidget *parent) : QWidget(parent, Qt::Window), Form2(form2) {
    setObjectName(QStringLiteral("tts"));
    setWindowTitle(QStringLiteral("《Kelvaro》朗读测试"));
}
