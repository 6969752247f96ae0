// Settings tests keep their store in the test's temporary folder; window
// placements see one 1920 x 1080 screen.
#include "app/clsapp.h"
#include "platform/gui/formbase.h"
#include "platform/registry.h"
#include "platform/runtimeerror.h"
#include "platform/screens.h"
#include "settings/clsregsettings.h"
#include "settings/formsettings.h"
#include "testsupport.h"
#include "util/fakeform.h"
#include "util/formutils.h"

#include <QDir>
#include <QFile>

#include <climits>
#include <sys/stat.h>

using namespace platform;

class RegSettings : public FrameworkTest {};

// A null setting stores the default. Names are matched without regard to
// letter case, as in the registry; a missing value reads as the default.
// Values that fit no REG_DWORD are reported and store nothing.
TEST_F(RegSettings, TypedValuesComeBackTypedInAFreshStoreAndBadOnesAreNotStored)
{
    handler->DisplayMsgOnError(false);
    const QByteArray bytes("\x01\x00\xff", 3);
    const struct {
        const char* name;
        int type;
        QVariant fallback, written, read;
        long error = 0; // the bad rows come last: a good write leaves the last error standing
    } rows[] = {
        {"dword", 4, QVariant(), QStringLiteral("-1200"), -1200},
        {"sz", 1, QVariant(), 1200, QStringLiteral("1200")},
        {"expand", 2, QVariant(), QStringLiteral("%TEMPDIR%\\x"), QStringLiteral("%TEMPDIR%\\x")},
        {"binary", 3, QVariant(), bytes, bytes},
        {"untyped", 0, QVariant(), 7, 7},
        {"comma", 1, QVariant(), QStringLiteral("a, b = c; [d]"), QStringLiteral("a, b = c; [d]")},
        {"nulldword", 4, 15, QVariant(), 15},
        {"nulltext", 1, QStringLiteral("dflt"), QVariant(QMetaType::fromType<QString>()), QStringLiteral("dflt")},
        {"given", 1, QStringLiteral("dflt"), QStringLiteral("given"), QStringLiteral("given")},
        {"text", 4, QVariant(), QStringLiteral("twelve"), QVariant(), errnum::TypeMismatch},
        {"huge", 4, QVariant(), 5e9, QVariant(), errnum::Overflow},
    };
    for (const auto& r : rows) {
        clsRegSettings().AppSetting(QStringLiteral("T"), QLatin1String(r.name), r.type, r.fallback, r.written);
        EXPECT_EQ(handler->ErrNumber(), r.error) << r.name;
    }
    clsRegSettings reader;
    for (const auto& r : rows) {
        const QVariant v = reader.AppSetting(QStringLiteral("t"), QString::fromLatin1(r.name).toUpper());
        EXPECT_EQ(v, r.read) << r.name;
        EXPECT_EQ(v.userType(), r.read.userType()) << r.name;
    }
    EXPECT_EQ(reader.AppSetting(QStringLiteral("T"), QStringLiteral("never"), 4, 42), QVariant(42));
    // Other roots are not the user's: nothing is there to read.
    EXPECT_EQ(reader.AnySetting(QStringLiteral("HKLM\\Software"), QStringLiteral("x"), 4, 5), QVariant(5));
    EXPECT_EQ(messages.shown.size(), 2u); // the bad rows
}

class FormSettings : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        previousScreens = setScreenProvider([] { return std::vector<QRect>{QRect(0, 0, 1920 * 15, 1080 * 15)}; });
        handler->DisplayMsgOnError(false);
        gApp = std::make_unique<clsApp>();
    }
    void TearDown() override
    {
        gApp.reset();
        setScreenProvider(previousScreens);
        FrameworkTest::TearDown();
    }
    QString settingsFile() const { return path(QStringLiteral("settings.ini")); }
    // What a fresh store holds for the main window (invalid when missing).
    static QVariant value(const char* suffix)
    {
        try {
            return CreateRegistryStore()->RegRead(
                QStringLiteral("HKCU\\Software\\Tamsworth\\Quillmark\\1.0\\Startup\\frmMain") + suffix);
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), errnum::RegValueMissing);
            return QVariant();
        }
    }
    ScreenProvider previousScreens;
};

// Saved as restored, and read back through a fresh store on the same file; a
// minimized window comes back normal.
TEST_F(FormSettings, SavingStoresTheRestoredPlacementAndHidesTheWindowAndLoadingBringsItBack)
{
    // In this order: a size once saved stays in the store.
    const struct {
        const char* what;
        int style, state;
        bool sizeAsked;
        int savedState;
        bool sizeSaved;
        int restoredState;
    } cases[] = {
        {"fixed", bsFixedSingle, wsNormal, false, 0, false, wsNormal},
        // Read after restoring, not the -32000 a minimized window reports.
        {"minimized", bsFixedSingle, wsMinimized, false, 1, false, wsNormal},
        {"fixed, size asked for", bsFixedSingle, wsNormal, true, 0, true, wsNormal},
        {"maximized sizable", bsSizable, wsMaximized, false, 2, true, wsMaximized},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        {
            FakeForm form(QStringLiteral("frmMain"), c.style);
            form.visible = true;
            form.state = c.state;
            form.top = 3000;
            form.width = 9000;
            utFormSettingsSave(form, c.sizeAsked);
            EXPECT_EQ(value("_WindowState"), QVariant(c.savedState));
            EXPECT_EQ(value("_Left"), QVariant(2400));
            EXPECT_EQ(form.state, c.state); // left as it was, but hidden
            EXPECT_FALSE(form.visible);
        }
        gApp = std::make_unique<clsApp>();
        FakeForm restored(QStringLiteral("frmMain"), c.style);
        restored.state = wsMaximized;
        utFormSettingsLoad(restored);
        EXPECT_EQ(QRect(restored.left, restored.top, restored.width, restored.height),
                  QRect(2400, 3000, c.sizeSaved ? 9000 : 8280, 5700));
        EXPECT_EQ(restored.state, c.restoredState);
    }
    EXPECT_EQ(QFile::permissions(settingsFile()),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser);
}

TEST_F(FormSettings, UnwritableStoreIsReportedOncePerCloseWhateverTheAnswer)
{
    writeFile(QStringLiteral("blocker")); // a file where a folder is needed
    setSettingsFileOverride(path(QStringLiteral("blocker/settings.ini")));
    for (bool exitButton : {false, true})
        for (int answer : {vbYes, vbNo}) {
            SCOPED_TRACE(std::string(exitButton ? "exit" : "close box") + (answer == vbYes ? ", continue" : ", end"));
            gApp = std::make_unique<clsApp>();
            FakeForm form(QStringLiteral("frmMain"), bsSizable);
            form.visible = true;
            form.onCall = [&form](const QString&) {
                utFormSettingsSave(form);
                return true;
            };
            messages.shown.clear();
            messages.answer(answer);
            handler->ProgramEnding(false); // each close is a run of its own
            // The Exit button, or what the main window's close handler does.
            EXPECT_THROW(exitButton ? AppShutdown()
                                    : (utFormSettingsSave(form), utFormUnload(vbFormControlMenu, QString(), false)),
                         ProcessEnded);
            EXPECT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(handler->ErrNumber(), errnum::RegAccessDenied);
            EXPECT_FALSE(form.visible);
            EXPECT_FALSE(gApp);
        }
}

TEST_F(FormSettings, OffScreenPlacementComesBackOnScreenButStaysStored)
{
    gApp->RegSettings->AppSetting(QStringLiteral("Startup"), QStringLiteral("frmMain_Left"), 4, QVariant(), 40000 * 15);
    gApp->RegSettings->AppSetting(QStringLiteral("Startup"), QStringLiteral("frmMain_Top"), 4, QVariant(), -5000 * 15);
    FakeForm form(QStringLiteral("frmMain"));
    utFormSettingsLoad(form);
    EXPECT_EQ(form.left, 1920 * 15 - 8280);
    EXPECT_EQ(form.top, 0);
    EXPECT_EQ(value("_Left"), QVariant(40000 * 15));
}

TEST_F(FormSettings, DamagedOrUnreadableSettingsStartTheWindowWhereItWasDesigned)
{
    const QString file = settingsFile();
    const QString elsewhere = path(QStringLiteral("elsewhere.ini"));
    const struct {
        const char* what;
        std::function<bool()> make;
        bool saved; // a save replaces it; otherwise the save is reported once and changes nothing
    } damage[] = {
        {"garbage",
         [&] {
             writeFile(QStringLiteral("settings.ini"),
                       QByteArray("\x00\xff\xfe[[[\n=\nStartup/frmMain_Top=REG_DWORD:x\n", 38));
             return true;
         },
         true},
        {"a folder", [&] { return QDir().mkdir(file); }, false},
        {"a pipe nobody writes to", [&] { return ::mkfifo(QFile::encodeName(file).constData(), 0600) == 0; }, false},
        {"a link to a missing file", [&] { return QFile::link(elsewhere, file); }, false},
    };
    for (const auto& d : damage) {
        SCOPED_TRACE(d.what);
        ASSERT_TRUE(d.make());
        FakeForm form(QStringLiteral("frmMain"));
        utFormSettingsLoad(form);
        EXPECT_EQ(QRect(form.left, form.top, form.width, form.height), QRect(2400, 1200, 8280, 5700));
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_FALSE(QFile::exists(path(QStringLiteral("error.log"))));

        form.top = 3000;
        utFormSettingsSave(form);
        EXPECT_EQ(value("_Top"), d.saved ? QVariant(3000) : QVariant());
        EXPECT_EQ(messages.shown.size(), d.saved ? 0u : 1u);
        EXPECT_FALSE(QFile::exists(elsewhere));
        messages.shown.clear();
        QFile::remove(path(QStringLiteral("error.log")));
        ASSERT_TRUE(QFile::remove(file) || QDir().rmdir(file));
    }
}

TEST(PlaceOnScreen, MovesTheWholeFramedWindowTheLeastDistanceOntoTheNearestScreen)
{
    // The routine is the same in any unit: pixels here.
    const QRect small(0, 0, 1024, 768), wide(0, 0, 1920, 1080), left(-1280, 0, 1280, 1024);
    const FrameMargins none{}, openbox{4, 24, 4, 4};
    const struct {
        const char* what;
        std::vector<QRect> screens;
        FrameMargins frame;
        WindowRect in; // client area
        bool sizable;
        WindowRect out;
    } cases[] = {
        {"saved at a larger resolution", {small}, openbox, {100, 724, 544, 345}, false, {100, 419, 544, 345}},
        {"title bar above the top", {small}, openbox, {100, 10, 544, 345}, false, {100, 24, 544, 345}},
        {"frame past the right edge", {small}, openbox, {478, 100, 544, 345}, false, {476, 100, 544, 345}},
        {"far negative", {wide}, openbox, {INT_MIN + 2, INT_MIN + 2, 544, 345}, false, {4, 24, 544, 345}},
        {"larger: title bar kept", {small}, openbox, {300, 300, 1632, 1035}, false, {4, 24, 1632, 1035}},
        {"larger and sizable: shrunk", {small}, openbox, {300, 300, 1632, 1035}, true, {4, 24, 1016, 740}},
        {"on the left monitor", {wide, left}, openbox, {-900, 200, 544, 345}, false, {-900, 200, 544, 345}},
        {"across both: the one it overlaps most", {wide, left}, none, {-100, 200, 544, 345}, false, {0, 200, 544, 345}},
        {"no screens known", {}, openbox, {-9999, -9999, 1, 1}, false, {-9999, -9999, 1, 1}},
    };
    for (const auto& c : cases) {
        const WindowRect r = PlaceOnScreen(c.in, c.frame, c.screens, c.sizable);
        EXPECT_EQ(QRect(r.left, r.top, r.width, r.height), QRect(c.out.left, c.out.top, c.out.width, c.out.height))
            << c.what;
    }
}
