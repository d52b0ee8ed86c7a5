// The program's windows, created and shown in the working directory (where a benchmark has
// built its library), with dialogs that never block.
#pragma once

#include "app/program.h"
#include "support/scripted.h"

#include <QApplication>
#include <QDir>

struct ShownForm {
    ScriptedDialogs dialogs;
    RecordingShell shell;
    KelvaroWindows windows;
    TForm2 &f;

    ShownForm() : windows(createWindows(options(dialogs, shell))), f(*windows.Form2) {
        f.show();
        QApplication::processEvents();
    }

  private:
    static FormOptions options(ScriptedDialogs &dialogs, RecordingShell &shell) {
        FormOptions o;
        o.dialogs = &dialogs;
        o.shell = &shell;
        o.settingsPath = QDir::current().filePath(QStringLiteral("Kelvaro.ini"));
        return o;
    }
};
