// Base fixture: every test runs in its own temporary folder (its working directory, where the
// library files live) with scripted dialogs and a recording shell.
#pragma once

#include "app/program.h"
#include "support/library.h"
#include "support/scripted.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class KelvaroTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        previousDir = QDir::currentPath();
        QDir::setCurrent(dir.path());
    }
    void TearDown() override {
        windows = {};
        QDir::setCurrent(previousDir);
    }

    QString file(const QString &name) const { return QDir(dir.path()).filePath(name); }
    QString settingsPath() const { return file(QStringLiteral("Kelvaro.ini")); }

    FormOptions options(bool online = false) {
        FormOptions o;
        o.onlineedition = online;
        o.config = config;
        o.settingsPath = settingsPath();
        o.dialogs = &dialogs;
        o.shell = &shell;
        return o;
    }
    // Creates the windows in the program's order; the main window is not shown.
    TForm2 &makeForm(bool online = false) {
        windows = createWindows(options(online));
        return *windows.Form2;
    }

    QTemporaryDir dir;
    QString previousDir;
    Configuration config;
    ScriptedDialogs dialogs;
    RecordingShell shell;
    KelvaroWindows windows;
};
