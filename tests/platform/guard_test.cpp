#include "platform/guard.h"
#include "support/fixture.h"
#include "support/scripted.h"

#include <QAction>

namespace {

TEST(GuardTest, ReportingShowsOneMessageWithTheErrorsTextAndSilentShowsNothing) {
    ScriptedDialogs dialogs;
    EXPECT_FALSE(
        runGuarded(dialogs, OnError::Report, [] { throw DbError("no such table: wx99"); }));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(dialogs.messages[0].text, "no such table: wx99");

    EXPECT_FALSE(runGuarded(dialogs, OnError::Silent, [] { throw std::runtime_error("dropped"); }));
    EXPECT_FALSE(runGuarded(dialogs, OnError::Report, [] { throw 42; }));
    EXPECT_TRUE(runGuarded(dialogs, OnError::Report, [] {}));
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[1].text, "Unknown error");
}

class HandlerGuardTest : public KelvaroTest {};

TEST_F(HandlerGuardTest, AnErrorInAMenuCommandNeverLeavesTheEventLoopHandler) {
    TestLibrary library;
    TForm2 &f = makeForm();
    // The results command reads the catalogue; without its table the command fails and
    // the failure is reported once, from inside the menu's own handler.
    library.exec("wxlb.dbx", "drop table tmpwxlb");
    EXPECT_NO_THROW(f.guarded(OnError::Report, [&] { f.loadtree(); }));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains("tmpwxlb"));
}

} // namespace
