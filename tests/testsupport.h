#pragma once
// Shared set-up for tests: the application's services, a fresh error handler,
// scripted message boxes, private program and state folders and an ender
// that unwinds instead of exiting.
#include "app/modmain.h"
#include "errors/clserrhandler.h"
#include "platform/appinfo.h"
#include "platform/messagebox.h"
#include "platform/process.h"
#include "platform/qtstrings.h"
#include "platform/registry.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

// The framework's texts are UTF-8 std::strings, the windows' are QStrings.
inline bool operator==(const std::string& a, const QString& b)
{
    return QString::fromStdString(a) == b;
}

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        platform::setAppPathOverride(dir.path().toStdString());
        // Window placements saved by one test must not move the next one's windows.
        platform::setSettingsFileOverride(dir.filePath(QStringLiteral("settings.ini")));
        qputenv("XDG_STATE_HOME", dir.filePath(QStringLiteral("state")).toLocal8Bit());
        InstallAppServices();
        handler = &gErrHandlerRenew();
        handler->Destination(dir.filePath(QStringLiteral("error.log")).toStdString());
        previousEnder = platform::setProcessEnder([](int code) { throw platform::ProcessEnded{code}; });
    }
    void TearDown() override
    {
        platform::setProcessEnder(previousEnder);
        platform::setAppPathOverride({});
        qunsetenv("XDG_STATE_HOME");
        platform::setSettingsFileOverride(QString());
        gErrHandlerRenew();
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    // A file in the test's folder with these bytes (its folder must exist).
    void writeFile(const QString& name, const QByteArray& bytes = QByteArray()) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << name.toStdString();
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    QTemporaryDir dir;
    platform::ScriptedMessages messages;
    clsErrHandler* handler = nullptr;
    platform::ProcessEnder previousEnder;
};
