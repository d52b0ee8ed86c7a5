// Unit3: the splash window of the online edition, shown while the server connect runs.
#pragma once

#include <QDialog>

class QLabel;
class QTimer;
class ClickableLabel;

class TForm3 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm3(QWidget *parent = nullptr);

    ClickableLabel *Label1 = nullptr; // "数据载入中........"
    QLabel *st = nullptr;             // connection state: empty, "OK" or "Not" (not visible)
    QTimer *Timer1 = nullptr;         // 400 ms

    void Label1Click();
    void Timer1Timer();
};
