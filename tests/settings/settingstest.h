#pragma once
// Settings tests keep their store in the test's temporary folder and see one
// 1920 x 1080 screen.
#include "app/clsapp.h"
#include "platform/registry.h"
#include "platform/runtimeerror.h"
#include "platform/screens.h"
#include "testsupport.h"

class SettingsTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        platform::setSettingsFileOverride(settingsFile());
        previousScreens = platform::setScreenProvider([this] { return screens; });
    }
    void TearDown() override
    {
        gApp.reset();
        platform::setScreenProvider(previousScreens);
        platform::setSettingsFileOverride(QString());
        FrameworkTest::TearDown();
    }
    QString settingsFile() const { return path(QStringLiteral("settings.ini")); }
    static QString startupKey(const QString& name)
    {
        return QStringLiteral("HKCU\\Software\\Tamsworth\\Quillmark\\1.0\\Startup\\") + name;
    }
    // What a fresh store reads at that path (invalid when missing).
    static QVariant stored(const QString& fullPath)
    {
        try {
            return platform::CreateRegistryStore()->RegRead(fullPath);
        } catch (const platform::RuntimeError& e) {
            EXPECT_EQ(e.number(), platform::errnum::RegValueMissing);
            return QVariant();
        }
    }

    std::vector<QRect> screens{QRect(0, 0, 1920 * 15, 1080 * 15)};
    platform::ScreenProvider previousScreens;
};
