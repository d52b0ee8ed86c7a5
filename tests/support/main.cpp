// One test program for the whole suite: a QApplication on the offscreen platform.
#include "app/program.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    prepareApplication(app);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
