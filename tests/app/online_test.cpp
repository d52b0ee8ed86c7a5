// The two editions' start against a real server: the background connect, the splash window
// and its timer, the failure message and the early click.
#include "platform/eventhook.h"
#include "platform/widgets.h"
#include "support/fixture.h"
#include "support/mariadb_server.h"
#include "support/ports.h"

#include <QApplication>
#include <QEventLoop>
#include <QTcpServer>
#include <QTimer>

#include <chrono>

namespace {

using namespace std::chrono_literals;

const QString kFailureText =
    QStringLiteral("网络故障：无法连接服务器，建议下载离线版Kelvaro！\r\n\r\n"
                   "请到官方网站 ( www.kelvaro.example ) 下载离线版。");

// Records, with each website opened, how many messages had been shown before it.
class OrderedShell : public RecordingShell {
  public:
    explicit OrderedShell(const ScriptedDialogs &dialogs) : dialogs_(dialogs) {}
    void open(const QString &verb, const QString &target) override {
        messagesBefore << int(dialogs_.messages.size());
        RecordingShell::open(verb, target);
    }
    QList<int> messagesBefore;

  private:
    const ScriptedDialogs &dialogs_;
};

// What the splash looked like right after each tick of its timer.
struct Tick {
    QString label;
    QString state;
    bool visible;
    bool timerActive;
};

int dots(const QString &label) {
    return int(label.count(QLatin1Char('.')));
}

class EditionTest : public KelvaroTest {
  protected:
    void SetUp() override {
        KelvaroTest::SetUp();
        library = std::make_unique<TestLibrary>();
    }
    void TearDown() override {
        windows = {};
        KelvaroTest::TearDown();
    }

    TForm2 &start(bool online) {
        FormOptions o = options(online);
        o.shell = &orderedShell;
        windows = createWindows(o);
        TForm3 *splash = windows.Form3;
        // Connected after the splash's own handler, so this sees the tick's outcome.
        QObject::connect(splash->Timer1, &QTimer::timeout, splash, [this, splash] {
            ticks.push_back({splash->Label1->text(), splash->st->text(), splash->isVisible(),
                             splash->Timer1->isActive()});
        });
        new EventHook(splash, QEvent::Show, [this, splash](QEvent *) {
            ++splashShows;
            labelAtShow = splash->Label1->text();
            // The splash is modal: what a test does while it is open runs in its loop.
            if (whileShown) QTimer::singleShot(150, splash, whileShown);
            return false;
        });
        windows.Form2->show();
        return *windows.Form2;
    }

    // Runs the event loop until `done` or the time limit; a splash still open at the limit is
    // closed so that its modal loop, and so this one, end.
    bool runUntil(const std::function<bool()> &done, std::chrono::milliseconds limit) {
        QEventLoop loop;
        bool timedOut = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (done()) loop.quit();
        });
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
            timedOut = true;
            if (windows.Form3 && windows.Form3->isVisible()) windows.Form3->reject();
            loop.quit();
        });
        poll.start(5);
        deadline.start(limit);
        if (!done()) loop.exec();
        return !timedOut && done();
    }
    bool splashDone() const {
        const TForm3 *s = windows.Form3;
        return splashShows > 0 && !s->isVisible() && !s->Timer1->isActive();
    }
    void click(ClickableLabel *label) {
        const QPointF at(label->width() / 2.0, label->height() / 2.0);
        QMouseEvent press(QEvent::MouseButtonPress, at, label->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, label->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(label, &press);
        QApplication::sendEvent(label, &release);
    }
    // Each tick adds two dots to the label, after eight starting again from two.
    void expectAnimation() const {
        int expected = 2; // set by the main window's Timer2
        for (const Tick &t : ticks) {
            expected = expected == 8 ? 2 : expected + 2;
            EXPECT_EQ(dots(t.label), expected) << t.label.toStdString();
            EXPECT_TRUE(t.label.startsWith(QStringLiteral("数据载入中")));
        }
    }
    // The tick that first sees the final state stops the timer and closes the splash.
    void expectClosedOnFirstFinalTick() const {
        int finalTicks = 0;
        for (const Tick &t : ticks)
            if (t.state == QLatin1String("OK") || t.state == QLatin1String("Not")) {
                ++finalTicks;
                EXPECT_FALSE(t.visible);
                EXPECT_FALSE(t.timerActive);
            }
        EXPECT_EQ(finalTicks, 1);
    }
    void expectFailureReportedOnce() const {
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
        EXPECT_EQ(dialogs.messages[0].text, kFailureText);
        ASSERT_EQ(orderedShell.opened.size(), 1);
        EXPECT_EQ(orderedShell.opened[0].verb, "Open");
        EXPECT_EQ(orderedShell.opened[0].target, config.productSite);
        EXPECT_EQ(orderedShell.messagesBefore, QList<int>{1}); // the website after the message
    }

    std::unique_ptr<TestLibrary> library;
    OrderedShell orderedShell{dialogs};
    std::vector<Tick> ticks;
    int splashShows = 0;
    QString labelAtShow;
    std::function<void()> whileShown;
};

TEST_F(EditionTest, OfflineEditionNeverTouchesTheServerConnection) {
    TForm2 &f = start(false);
    EXPECT_FALSE(f.Timer2->isActive());
    EXPECT_FALSE(f.serverConnectRunning());
    runUntil([] { return false; }, 1000ms); // time for a splash that must not come
    EXPECT_EQ(splashShows, 0);
    EXPECT_TRUE(ticks.empty());
    EXPECT_FALSE(windows.Form3->Timer1->isActive());
    EXPECT_TRUE(f.mysqla.Server.isEmpty());
    EXPECT_TRUE(f.mysqla.Username.isEmpty());
    EXPECT_TRUE(f.mysqla.Database.isEmpty());
    EXPECT_FALSE(f.mysqla.Connected());
    windows = {}; // FormDestroy closes mysqla: nothing to report
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(orderedShell.opened.isEmpty());
}

TEST_F(EditionTest, OnlineEditionConnectsBehindTheSplashAndReadsChapters) {
    MariaDbServer &server = MariaDbServer::shared();
    server.prepareProgramDatabase(config);
    const QString body = QStringLiteral("[[[卷一]]]　𠀀𪚥之乎者也");
    server.exec(QStringLiteral("REPLACE INTO wxhao (id, body) VALUES (810000, '%1')").arg(body),
                config.serverDatabase());
    config = server.configuration(config);

    TForm2 &f = start(true);
    EXPECT_EQ(f.mysqla.Server, "127.0.0.1");
    EXPECT_EQ(f.mysqla.Port, server.port());
    EXPECT_EQ(f.mysqla.Username, config.serverUser());
    EXPECT_EQ(f.mysqla.Database, config.serverDatabase());
    EXPECT_EQ(f.cidiantable, "cidian");
    EXPECT_TRUE(f.Timer2->isActive());
    EXPECT_EQ(f.Timer2->interval(), 400);
    EXPECT_TRUE(windows.Form3->st->text().isEmpty() || windows.Form3->st->text() == "OK");

    ASSERT_TRUE(runUntil([&] { return splashDone(); }, 20s));
    EXPECT_EQ(splashShows, 1);
    EXPECT_EQ(labelAtShow, "数据载入中..");
    EXPECT_EQ(windows.Form3->st->text(), "OK");
    EXPECT_EQ(windows.Form3->result(), QDialog::Accepted);
    EXPECT_FALSE(f.Timer2->isActive());
    expectClosedOnFirstFinalTick();
    expectAnimation();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(orderedShell.opened.isEmpty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    EXPECT_FALSE(f.serverConnectRunning());
    EXPECT_TRUE(f.mysqla.Connected());
    TUniQuery q(&f.mysqla);
    q.SQL.Add(QStringLiteral("select body from wxhao where id=810000"));
    q.Open();
    ASSERT_FALSE(q.Eof());
    EXPECT_EQ(q.FieldByName(QStringLiteral("body")).AsString(), body);
}

TEST_F(EditionTest, AFailedConnectShowsTheMessageOnceThenOpensTheWebsite) {
    const ClosedPort closed;
    ASSERT_NE(closed.port(), 0);
    const int closedPort = closed.port();
    struct Case {
        const char *name;
        QString host;
        int port;
        QString server; // what the connection is given
    } cases[] = {
        {"unresolvable host", QStringLiteral("no-such-host.invalid"), 3306,
         QStringLiteral("no-such-host.invalid")},
        {"closed port", QStringLiteral("localhost"), closedPort, QStringLiteral("127.0.0.1")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.messages.clear();
        orderedShell.opened.clear();
        orderedShell.messagesBefore.clear();
        ticks.clear();
        splashShows = 0;
        config.serverHost = c.host;
        config.serverPort = c.port;

        TForm2 &f = start(true);
        EXPECT_EQ(f.mysqla.Server, c.server);
        ASSERT_TRUE(runUntil([&] { return splashDone(); }, 20s));
        EXPECT_EQ(windows.Form3->st->text(), "Not");
        EXPECT_EQ(windows.Form3->result(), QDialog::Accepted);
        expectFailureReportedOnce();
        expectClosedOnFirstFinalTick();
        EXPECT_FALSE(f.mysqla.Connected());
        // The program goes on: nothing modal is left and the main window takes commands.
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_TRUE(f.isVisible());
        windows = {};
    }
}

TEST_F(EditionTest, AnEarlyClickClosesTheSplashAndALaterFailureIsStillReportedOnce) {
    // A peer that accepts and never answers: the connect runs until its time-out.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    config.serverHost = QStringLiteral("127.0.0.1");
    config.serverPort = silent.serverPort();

    bool clicked = false;
    whileShown = [&] {
        TForm3 *splash = windows.Form3;
        EXPECT_TRUE(splash->isVisible());
        EXPECT_TRUE(windows.Form2->serverConnectRunning());
        click(splash->Label1);
        clicked = true;
        EXPECT_FALSE(splash->isVisible()); // at once
        EXPECT_EQ(splash->result(), QDialog::Accepted);
        EXPECT_TRUE(splash->Timer1->isActive());
        EXPECT_TRUE(dialogs.messages.isEmpty());
    };
    TForm2 &f = start(true);
    ASSERT_TRUE(runUntil([&] { return clicked && !windows.Form3->isVisible(); }, 5s));
    EXPECT_TRUE(f.serverConnectRunning());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // A chapter request now waits for the connect, with the window messages still running.
    const size_t ticksBefore = ticks.size();
    f.waitForServerConnect();
    EXPECT_FALSE(f.serverConnectRunning());
    EXPECT_FALSE(f.mysqla.Connected());
    EXPECT_GT(ticks.size(), ticksBefore);

    ASSERT_TRUE(runUntil([&] { return !windows.Form3->Timer1->isActive(); }, 20s));
    EXPECT_EQ(windows.Form3->st->text(), "Not");
    expectFailureReportedOnce();
    expectClosedOnFirstFinalTick();
    expectAnimation(); // the hidden label went on animating
    runUntil([] { return false; }, 900ms);
    EXPECT_EQ(dialogs.messages.size(), 1); // and nothing more comes
    EXPECT_EQ(splashShows, 1);
}

TEST_F(EditionTest, ClosingTheProgramWhileTheConnectRunsWaitsForItsThread) {
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    config.serverHost = QStringLiteral("127.0.0.1");
    config.serverPort = silent.serverPort();
    TForm2 &f = start(true);
    EXPECT_TRUE(f.serverConnectRunning());
    windows = {}; // FormDestroy while the thread still connects
    EXPECT_TRUE(dialogs.messages.isEmpty());
    runUntil([] { return false; }, 100ms); // its posted state finds no window: nothing happens
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

} // namespace
