#include "platform/finddialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TFindDialog::TFindDialog(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FindDialog1"));
    setWindowTitle(QStringLiteral("查找"));
    setModal(false);
    setSizeGripEnabled(false);

    auto *label = new QLabel(QStringLiteral("查找内容(&N):"), this);
    text_ = new QLineEdit(this);
    label->setBuddy(text_);
    matchCase_ = new QCheckBox(QStringLiteral("区分大小写(&C)"), this);
    wholeWord_ = new QCheckBox(QStringLiteral("全字匹配(&W)"), this);
    auto *direction = new QGroupBox(QStringLiteral("方向"), this);
    up_ = new QRadioButton(QStringLiteral("向上(&U)"), direction);
    down_ = new QRadioButton(QStringLiteral("向下(&D)"), direction);
    down_->setChecked(true);
    auto *directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(up_);
    directionLayout->addWidget(down_);

    findNext_ = new QPushButton(QStringLiteral("查找下一个(&F)"), this);
    findNext_->setDefault(true);
    findNext_->setEnabled(false);
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);

    auto *grid = new QGridLayout;
    grid->addWidget(label, 0, 0);
    grid->addWidget(text_, 0, 1, 1, 2);
    auto *options = new QVBoxLayout;
    options->addWidget(wholeWord_);
    options->addWidget(matchCase_);
    grid->addLayout(options, 1, 0, 1, 2);
    grid->addWidget(direction, 1, 2);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(findNext_);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto *outer = new QHBoxLayout(this);
    outer->addLayout(grid, 1);
    outer->addLayout(buttons);

    connect(text_, &QLineEdit::textChanged, this,
            [this](const QString &t) { findNext_->setEnabled(!t.isEmpty()); });
    connect(findNext_, &QPushButton::clicked, this, &TFindDialog::Find);
    connect(cancel, &QPushButton::clicked, this, &TFindDialog::CloseDialog);
}

QString TFindDialog::FindText() const {
    return text_->text();
}

void TFindDialog::SetFindText(const QString &text) {
    text_->setText(text);
    findNext_->setEnabled(!text.isEmpty());
}

bool TFindDialog::MatchCase() const {
    return matchCase_->isChecked();
}
bool TFindDialog::WholeWord() const {
    return wholeWord_->isChecked();
}
bool TFindDialog::Down() const {
    return down_->isChecked();
}

void TFindDialog::Execute() {
    show();
    raise();
    activateWindow();
    text_->selectAll();
    text_->setFocus();
}
