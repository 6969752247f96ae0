#include "app/apptest.h"
#include "data/clsdataenginedao.h"
#include "errors/clserrhandler.h"
#include "model/clsipaddy.h"
#include "settings/clsregsettings.h"
#include "util/modutils.h"

#include <QFile>

class AppStart : public AppTest {};

TEST_F(AppStart, MainConfiguresTheHandlerAndShowsTheMainWindow)
{
    std::vector<std::string> stackWhileShowing;
    onMainShow = [&] { stackWhileShowing = gErrHandler().CurrentStack(); };
    Main();
    handler = &gErrHandler(); // Main made a new one
    EXPECT_EQ(std::get<std::string>(handler->Destination()),
              (utPathBackslashAdd(platform::qstr(platform::AppPath())) + QStringLiteral("error.log")).toStdString());
    EXPECT_FALSE(handler->DisplayMsgOnError());
    EXPECT_TRUE(handler->IncludeExpandedInfo());
    EXPECT_EQ(handler->MaxProcStackItems(), 50);
    EXPECT_FALSE(handler->TraceExecution());
    EXPECT_TRUE(handler->ReportErrors());
    EXPECT_EQ(handler->StackDepth(), 0);

    ASSERT_GE(stackWhileShowing.size(), 3u);
    EXPECT_EQ(stackWhileShowing[1], "Main");
    EXPECT_EQ(stackWhileShowing[2], "clsApp.Start()");
    ASSERT_TRUE(gApp && main);
    EXPECT_TRUE(main->visible);
    EXPECT_EQ(main->log, QStringList{QStringLiteral("Show")});
    EXPECT_EQ(gApp->StartTime(), clock.now());

    // A clean start and exit leaves neither a trace nor an error log.
    EXPECT_THROW(AppShutdown(), platform::ProcessEnded);
    EXPECT_FALSE(gApp);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("trace.log"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("error.log"))));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AppStart, PartsAreCreatedAndReleasedInOrder)
{
    handler->TraceExecution(true);
    {
        clsApp app;
    }
    handler->TraceExecution(false);
    QFile trace(path(QStringLiteral("trace.log")));
    ASSERT_TRUE(trace.open(QIODevice::ReadOnly));
    QStringList lines;
    for (const QByteArray& l : trace.readAll().split('\n'))
        if (l.contains("Class_") || l.contains("Settings_App"))
            lines << QString::fromLatin1(l.trimmed());
    const QStringList expected{
        QStringLiteral("clsApp.Class_Initialize()"),           QStringLiteral("clsRegSettings.Class_Initialize()"),
        QStringLiteral("clsDataEngineDAO.Class_Initialize()"), QStringLiteral("clsIPAddy.Class_Initialize()"),
        QStringLiteral("clsApp.Settings_App_Load()"),          QStringLiteral("clsApp.Class_Terminate()"),
        QStringLiteral("clsApp.Settings_App_Save()"),          QStringLiteral("clsDataEngineDAO.Class_Terminate()"),
        QStringLiteral("clsRegSettings.Class_Terminate()")};
    // The model registers no end of its own; everything else in this order.
    QStringList seen;
    for (const QString& l : lines)
        if (expected.contains(l))
            seen << l;
    EXPECT_EQ(seen, expected);
}
