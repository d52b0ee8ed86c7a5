// Test doubles of the dialog and shell interfaces: answers come from queues, and everything
// shown or opened is recorded. Nothing ever blocks on a dialog.
#pragma once

#include "platform/dialogs.h"

#include <QList>
#include <QStringList>
#include <deque>
#include <optional>

struct ShownMessage {
    MessageKind kind;
    QString text;
};

class ScriptedDialogs : public Dialogs {
  public:
    QList<ShownMessage> messages;
    QStringList confirmations;
    QStringList inputPrompts; // "caption|prompt|initial"
    int fontDialogs = 0, colorDialogs = 0, saveDialogs = 0;

    std::deque<bool> confirmAnswers;                 // default: No
    std::deque<std::optional<QString>> inputAnswers; // default: cancel
    std::deque<std::optional<FontChoice>> fontAnswers;
    std::deque<std::optional<QColor>> colorAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    std::optional<FontChoice> lastFontInitial;

    void message(MessageKind kind, const QString &text) override {
        messages.push_back({kind, text});
    }
    bool confirm(const QString &text) override {
        confirmations << text;
        return take(confirmAnswers, false);
    }
    std::optional<QString> input(const QString &caption, const QString &prompt,
                                 const QString &initial) override {
        inputPrompts << caption + QLatin1Char('|') + prompt + QLatin1Char('|') + initial;
        return take(inputAnswers, std::optional<QString>());
    }
    std::optional<FontChoice> chooseFont(const FontChoice &initial) override {
        ++fontDialogs;
        lastFontInitial = initial;
        return take(fontAnswers, std::optional<FontChoice>());
    }
    std::optional<QColor> chooseColor(const QColor &) override {
        ++colorDialogs;
        return take(colorAnswers, std::optional<QColor>());
    }
    std::optional<QString> saveFileName(const FileDialogRequest &) override {
        ++saveDialogs;
        return take(saveAnswers, std::optional<QString>());
    }

  private:
    template <class T> static T take(std::deque<T> &queue, T fallback) {
        if (!queue.empty()) {
            fallback = std::move(queue.front());
            queue.pop_front();
        }
        return fallback;
    }
};

struct ShellCall {
    QString verb;
    QString target;
    QStringList arguments;
};

class RecordingShell : public Shell {
  public:
    QList<ShellCall> opened;
    QList<ShellCall> started;
    void open(const QString &verb, const QString &target) override {
        opened.push_back({verb, target, {}});
    }
    void start(const QString &program, const QStringList &arguments) override {
        started.push_back({QString(), program, arguments});
    }
};
