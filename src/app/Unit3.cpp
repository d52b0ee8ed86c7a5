#include "app/Unit3.h"

#include "platform/widgets.h"

#include <QTimer>

TForm3::TForm3(QWidget *parent) : QDialog(parent, Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Form3"));
    setModal(true);
    setFixedSize(271, 65);
    Label1 = new ClickableLabel(QStringLiteral("数据载入中........"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(27);
    Label1->setFont(font);
    Label1->setFontColor(palette().color(QPalette::Highlight));
    Label1->setGeometry(12, 14, 250, 36);
    st = new QLabel(this);
    st->setObjectName(QStringLiteral("st"));
    st->setGeometry(300, 0, 40, 20);  // outside the visible client area
    Timer1 = new QTimer(this);
    Timer1->setInterval(400);
    connect(Label1, &ClickableLabel::clicked, this, &TForm3::Label1Click);
    connect(Timer1, &QTimer::timeout, this, &TForm3::Timer1Timer);
}

void TForm3::Label1Click() { accept(); }

void TForm3::Timer1Timer() {}

#include "app/Unit2.h"

#include <QCoreApplication>

// Opens the splash 400 ms after the first show (online edition); it stays until the server
// connect has reported or the user clicks its text.
void TForm2::Timer2Timer() {
    Timer2->stop();
    if (!Form3) return;
    Form3->Label1->setText(QStringLiteral("数据载入中.."));
    Form3->Timer1->start();
    QCoreApplication::processEvents();
    Form3->exec();
}
