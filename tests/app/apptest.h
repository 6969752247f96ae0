#pragma once
// Start-up and shutdown tests: a window-less frmMain stands in for the real
// one, settings live in the test's folder, and the clock is fake.
#include "app/clsapp.h"
#include "platform/clock.h"
#include "platform/forms.h"
#include "platform/registry.h"
#include "platform/runtimeerror.h"
#include "testsupport.h"
#include "util/fakeform.h"

#include <memory>

class AppTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        handler->DisplayMsgOnError(false);
        platform::setSettingsFileOverride(path(QStringLiteral("settings.ini")));
        previousFactory = platform::Forms::registerFactory(QStringLiteral("frmMain"), [this] {
            main = std::make_unique<FakeForm>(QStringLiteral("frmMain"));
            return main.get();
        });
    }
    void TearDown() override
    {
        gApp.reset();
        main.reset();
        platform::Forms::registerFactory(QStringLiteral("frmMain"), previousFactory);
        platform::setSettingsFileOverride(QString());
        FrameworkTest::TearDown();
    }
    // The main window as the program would have it after start-up.
    FakeForm& startedMain()
    {
        gApp = std::make_unique<clsApp>();
        gApp->Start();
        EXPECT_TRUE(main);
        return *main;
    }

    platform::FakeClock clock;
    std::unique_ptr<FakeForm> main;
    platform::Forms::Factory previousFactory;
};
