// fanjian: the traditional/simplified conversion tool.
#pragma once

#include <QWidget>

class TForm2;

class Tffjzh : public QWidget {
    Q_OBJECT
  public:
    explicit Tffjzh(TForm2 *form2, QWidget *parent = nullptr);

    TForm2 *Form2;
};
