// gaojiso: the full-text search dialog.
#pragma once

#include <QWidget>

class TForm2;

class Tgjso : public QWidget {
    Q_OBJECT
  public:
    explicit Tgjso(TForm2 *form2, QWidget *parent = nullptr);

    TForm2 *Form2;
};
