// The background connect of the online edition.
//
// The thread touches only mysqla (whose connect runs under the connection's own lock) and an
// atomic flag; its result, "OK" or "Not", is posted to the user-interface thread, which alone
// writes the splash's state text `st`. The splash's timer reads that text every 400 ms.
#include "app/Unit2.h"
#include "app/Unit3.h"

#include <QEventLoop>
#include <QLabel>
#include <QTimer>

void TForm2::MySQLConnect() {
    if (serverConnectRunning()) return; // the running connect reports for both
    endServerConnect();                 // an ended earlier thread, joined at once
    if (Form3) Form3->st->setText(QString());
    connectRunning_.store(true, std::memory_order_release);
    connectThread_ = std::jthread([this] {
        QString state;
        try {
            mysqla.Connect();
            state = QStringLiteral("OK");
        } catch (...) {
            state = QStringLiteral("Not"); // the failure's own message is not shown
        }
        connectRunning_.store(false, std::memory_order_release);
        // Runs on the user-interface thread; dropped if the window is gone by then. The window
        // cannot be gone before this call: its destruction joins this thread first.
        QMetaObject::invokeMethod(
            this,
            [this, state] {
                if (Form3) Form3->st->setText(state);
            },
            Qt::QueuedConnection);
    });
}

void TForm2::waitForServerConnect() {
    if (serverConnectRunning()) {
        QEventLoop loop;
        QTimer poll;
        connect(&poll, &QTimer::timeout, &loop, [this, &loop] {
            if (!serverConnectRunning()) loop.quit();
        });
        poll.start(20);
        loop.exec();
    }
    endServerConnect();
}

void TForm2::endServerConnect() {
    if (connectThread_.joinable()) connectThread_.join();
}
