#pragma once
// Shared set-up for tests: a fresh error handler, scripted message boxes, a
// private program folder and an ender that unwinds instead of exiting.
#include "app/modmain.h"
#include "errors/clserrhandler.h"
#include "platform/appinfo.h"
#include "platform/messagebox.h"
#include "platform/process.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        platform::setAppPathOverride(dir.path());
        handler = &gErrHandlerRenew();
        handler->Destination(dir.filePath(QStringLiteral("error.log")));
        previousEnder = platform::setProcessEnder([](int code) { throw platform::ProcessEnded{code}; });
    }
    void TearDown() override
    {
        platform::setProcessEnder(previousEnder);
        platform::setAppPathOverride(QString());
        gErrHandlerRenew();
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    platform::ScriptedMessages messages;
    clsErrHandler* handler = nullptr;
    platform::ProcessEnder previousEnder;
};
