// ftts: the read-aloud settings window.
#pragma once

#include <QWidget>

class TForm2;

class Ttts : public QWidget {
    Q_OBJECT
  public:
    explicit Ttts(TForm2 *form2, QWidget *parent = nullptr);

    TForm2 *Form2;
};
