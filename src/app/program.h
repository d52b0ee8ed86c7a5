// Creating the windows of the program, in their fixed order, for the program entry and tests.
#pragma once

#include "app/Unit2.h"
#include "app/Unit3.h"
#include "search/gaojiso.h"
#include "tools/fanjian.h"
#include "tools/ftts.h"

#include <memory>

class QApplication;

// The splash and tool windows are children of the main window (so the splash centres on it
// and the tool windows stay in front of it) and go when it goes, after its exit work.
struct KelvaroWindows {
    std::unique_ptr<TForm2> Form2;
    TForm3 *Form3 = nullptr;
    Tffjzh *ffjzh = nullptr;
    Ttts *tts = nullptr;
    Tgjso *gjso = nullptr;
};

// Skin, title and fonts of the application: the first steps of the program entry.
void prepareApplication(QApplication &app);
// TForm2 (which runs FormCreate), then TForm3, Tffjzh, Ttts and Tgjso, all hidden.
KelvaroWindows createWindows(const FormOptions &options);
// The whole program entry of one edition; returns the exit code.
int runKelvaro(int argc, char **argv, bool onlineedition);
