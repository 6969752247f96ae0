#include "app/apptest.h"

#include <QFile>

class AppStart : public AppTest {};

TEST_F(AppStart, MainShowsTheMainWindowAndACleanRunLeavesNoFiles)
{
    Main();
    handler = &gErrHandler(); // Main made a new one
    EXPECT_EQ(handler->StackDepth(), 0);
    ASSERT_TRUE(gApp && main);
    EXPECT_EQ(main->log, QStringList{QStringLiteral("Show")});
    EXPECT_EQ(gApp->StartTime(), clock.now());

    EXPECT_THROW(AppShutdown(), platform::ProcessEnded);
    EXPECT_FALSE(gApp);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("trace.log"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("error.log"))));
    EXPECT_TRUE(messages.shown.empty());
}
