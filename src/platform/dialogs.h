// Every modal interaction and every shell open goes through these two interfaces, so tests can
// answer and record them. The program itself uses the Qt implementations.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

enum class MessageKind { Information, Warning, Error };

// The font dialog's choice: the font (name, size in points, style) and its colour.
struct FontChoice {
    QFont font;
    QColor color;
};

struct FileDialogRequest {
    QString title;
    QString filter;      // e.g. "文本文件 (*.txt);;RTF (*.rtf)"
    QString defaultName; // suggested file name
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Message box with an OK button and the title "Kelvaro".
    virtual void message(MessageKind kind, const QString &text) = 0;
    // Yes/No confirmation; true for Yes.
    virtual bool confirm(const QString &text) = 0;
    // Input box; nullopt when cancelled (an empty answer is an empty text).
    virtual std::optional<QString> input(const QString &caption, const QString &prompt,
                                         const QString &initial) = 0;
    virtual std::optional<FontChoice> chooseFont(const FontChoice &initial) = 0;
    virtual std::optional<QColor> chooseColor(const QColor &initial) = 0;
    virtual std::optional<QString> saveFileName(const FileDialogRequest &request) = 0;
};

class Shell {
  public:
    virtual ~Shell() = default;
    // Opens an address or a file with the desktop's handler; `verb` is "open" or "Open".
    virtual void open(const QString &verb, const QString &target) = 0;
    // Starts a program (the restart command starts our own executable).
    virtual void start(const QString &program, const QStringList &arguments) = 0;
};

class QtDialogs final : public Dialogs {
  public:
    explicit QtDialogs(QWidget *parent = nullptr) : parent_(parent) {}
    void setParent(QWidget *parent) { parent_ = parent; }
    void message(MessageKind kind, const QString &text) override;
    bool confirm(const QString &text) override;
    std::optional<QString> input(const QString &caption, const QString &prompt,
                                 const QString &initial) override;
    std::optional<FontChoice> chooseFont(const FontChoice &initial) override;
    std::optional<QColor> chooseColor(const QColor &initial) override;
    std::optional<QString> saveFileName(const FileDialogRequest &request) override;

  private:
    QWidget *parent_;
};

class QtShell final : public Shell {
  public:
    void open(const QString &verb, const QString &target) override;
    void start(const QString &program, const QStringList &arguments) override;
};
