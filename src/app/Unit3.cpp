#include "app/Unit3.h"

#include "app/Unit2.h"
#include "platform/widgets.h"

#include <QCoreApplication>
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
    st->setGeometry(300, 0, 40, 20); // outside the visible client area
    Timer1 = new QTimer(this);
    Timer1->setInterval(400);
    connect(Label1, &ClickableLabel::clicked, this, &TForm3::Label1Click);
    connect(Timer1, &QTimer::timeout, this, &TForm3::Timer1Timer);
}

void TForm3::Label1Click() {
    accept();
}

// Every 400 ms: the label cycles through two, four, six and eight dots, and once the state
// text is known the timer stops and the splash closes, after the failure message and the
// website on "Not". After an early click the splash is already closed; the timer still runs
// until the state arrives, so a later failure is reported all the same.
void TForm3::Timer1Timer() {
    const QString loading = QStringLiteral("数据载入中");
    if (Label1->text() == loading + QStringLiteral("........")) Label1->setText(loading);
    Label1->setText(Label1->text() + QStringLiteral(".."));
    const QString state = st->text();
    if (state != QLatin1String("OK") && state != QLatin1String("Not")) return;
    Timer1->stop();
    if (state == QLatin1String("Not")) {
        if (auto *main = qobject_cast<TForm2 *>(parentWidget())) {
            main->guarded(OnError::Report, [main] {
                main->dialogs.message(
                    MessageKind::Error,
                    QStringLiteral("网络故障：无法连接服务器，建议下载离线版Kelvaro！\r\n\r\n"
                                   "请到官方网站 ( ") +
                        main->config.productHost() + QStringLiteral(" ) 下载离线版。"));
            });
            main->guarded(OnError::Report, [main] { main->N43Click(); });
        }
    }
    accept();
}

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
