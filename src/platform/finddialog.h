// A small modeless find dialog: the text to find, the usual options (match case, whole word,
// direction) and "查找下一个". It raises Find for every find-next; what to do with the text is
// the owner's business.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TFindDialog : public QDialog {
    Q_OBJECT
  public:
    explicit TFindDialog(QWidget *parent = nullptr);

    QString FindText() const;
    void SetFindText(const QString &text);
    bool MatchCase() const;
    bool WholeWord() const;
    bool Down() const; // search direction: down (the default) or up

    // Shows the dialog beside its owner, without blocking, with the text selected.
    void Execute();
    void CloseDialog() { hide(); }

    QPushButton *findNextButton() const { return findNext_; }

  signals:
    void Find();

  private:
    QLineEdit *text_;
    QCheckBox *matchCase_;
    QCheckBox *wholeWord_;
    QRadioButton *up_;
    QRadioButton *down_;
    QPushButton *findNext_;
};
