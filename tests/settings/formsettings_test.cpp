#include "platform/gui/formbase.h"
#include "settings/clsregsettings.h"
#include "settings/formsettings.h"
#include "settings/settingstest.h"
#include "util/fakeform.h"
#include "util/formutils.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

using namespace platform;

class FormSettings : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        handler->DisplayMsgOnError(false);
        gApp = std::make_unique<clsApp>();
    }
    QVariant value(const char* suffix) const { return stored(startupKey(QStringLiteral("frmMain") + suffix)); }
    void store(const char* suffix, const QVariant& v, int type = 4) const
    {
        gApp->RegSettings->AppSetting(QStringLiteral("Startup"), QStringLiteral("frmMain") + suffix, type, QVariant(),
                                      v);
    }
};

TEST_F(FormSettings, SavingStoresTheRestoredPlacementAndHidesTheWindow)
{
    struct Case {
        const char* what;
        int style, state;
        bool sizeAsked;
        int savedState;
        bool sizeSaved;
    };
    // In this order: a size once saved stays in the store.
    const Case cases[] = {
        {"fixed", bsFixedSingle, wsNormal, false, 0, false},
        // Read after restoring, not the -32000 a minimized window reports.
        {"minimized", bsFixedSingle, wsMinimized, false, 1, false},
        {"fixed, size asked for", bsFixedSingle, wsNormal, true, 0, true},
        {"maximized sizable", bsSizable, wsMaximized, false, 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeForm form(QStringLiteral("frmMain"), c.style);
        form.visible = true;
        form.state = c.state;
        utFormSettingsSave(form, c.sizeAsked);
        EXPECT_EQ(value("_WindowState"), QVariant(c.savedState));
        EXPECT_EQ(value("_Left"), QVariant(2400));
        EXPECT_EQ(value("_Height"), c.sizeSaved ? QVariant(5700) : QVariant());
        EXPECT_EQ(form.state, c.state); // left as it was, but hidden
        EXPECT_FALSE(form.visible);
    }
    EXPECT_EQ(QFile::permissions(settingsFile()),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser);
}

// Through a fresh store on the same file; a minimized window comes back normal.
TEST_F(FormSettings, PlacementRoundTripsButNeverComesBackMinimized)
{
    const std::pair<int, int> cases[] = {{wsNormal, wsNormal}, {wsMinimized, wsNormal}, {wsMaximized, wsMaximized}};
    for (const auto& [savedState, expected] : cases) {
        {
            FakeForm saved(QStringLiteral("frmMain"), bsSizable);
            saved.state = savedState;
            saved.top = 3000;
            saved.width = 9000;
            utFormSettingsSave(saved);
        }
        gApp = std::make_unique<clsApp>();
        FakeForm restored(QStringLiteral("frmMain"), bsSizable);
        restored.state = wsMaximized;
        utFormSettingsLoad(restored);
        EXPECT_EQ(QRect(restored.left, restored.top, restored.width, restored.height), QRect(2400, 3000, 9000, 5700));
        EXPECT_EQ(restored.state, expected) << savedState;
    }
}

TEST_F(FormSettings, UnwritableStoreIsReportedOncePerCloseWhateverTheAnswer)
{
    writeFile(QStringLiteral("blocker")); // a file where a folder is needed
    setSettingsFileOverride(path(QStringLiteral("blocker/settings.ini")));
    // What the main window's close handler does, and the Exit button.
    const std::pair<const char*, std::function<void(Form&)>> closes[] = {{"close box",
                                                                          [](Form& f) {
                                                                              utFormSettingsSave(f);
                                                                              utFormUnload(vbFormControlMenu, QString(),
                                                                                           false);
                                                                          }},
                                                                         {"exit", [](Form&) { AppShutdown(); }}};
    for (const auto& [what, close] : closes)
        for (int answer : {vbYes, vbNo}) {
            SCOPED_TRACE(std::string(what) + (answer == vbYes ? ", continue" : ", end"));
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
            EXPECT_THROW(close(form), ProcessEnded);
            EXPECT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(handler->ErrNumber(), errnum::RegAccessDenied);
            EXPECT_FALSE(form.visible);
            EXPECT_FALSE(gApp);
        }
}

TEST_F(FormSettings, OffScreenPlacementComesBackOnScreenButStaysStored)
{
    store("_Left", 40000 * 15);
    store("_Top", -5000 * 15);
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
             QFile f(file);
             return f.open(QIODevice::WriteOnly) &&
                    f.write("\x00\xff\xfe[[[\n=\nStartup/frmMain_Top=REG_DWORD:x\n", 38) == 38;
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
    // In pixels here, twips for the routine.
    auto tw = [](const QRect& px) { return QRect(px.x() * 15, px.y() * 15, px.width() * 15, px.height() * 15); };
    const QRect small(0, 0, 1024, 768), wide(0, 0, 1920, 1080), left(-1280, 0, 1280, 1024);
    const FrameMargins none{}, openbox{4, 24, 4, 4};
    const struct {
        const char* what;
        std::vector<QRect> screens;
        FrameMargins frame;
        WindowRect in; // client area, pixels
        bool sizable;
        WindowRect out;
    } cases[] = {
        {"saved at a larger resolution", {small}, openbox, {100, 724, 544, 345}, false, {100, 419, 544, 345}},
        {"title bar above the top", {small}, openbox, {100, 10, 544, 345}, false, {100, 24, 544, 345}},
        {"frame past the right edge", {small}, openbox, {478, 100, 544, 345}, false, {476, 100, 544, 345}},
        {"far negative", {wide}, openbox, {-143165576, -143165576, 544, 345}, false, {4, 24, 544, 345}},
        {"larger: title bar kept", {small}, openbox, {300, 300, 1632, 1035}, false, {4, 24, 1632, 1035}},
        {"larger and sizable: shrunk", {small}, openbox, {300, 300, 1632, 1035}, true, {4, 24, 1016, 740}},
        {"on the left monitor", {wide, left}, openbox, {-900, 200, 544, 345}, false, {-900, 200, 544, 345}},
        {"across both: the one it overlaps most", {wide, left}, none, {-100, 200, 544, 345}, false, {0, 200, 544, 345}},
        {"no screens known", {}, openbox, {-9999, -9999, 1, 1}, false, {-9999, -9999, 1, 1}},
    };
    for (const auto& c : cases) {
        std::vector<QRect> screens;
        for (const QRect& r : c.screens)
            screens.push_back(tw(r));
        const FrameMargins m{c.frame.left * 15, c.frame.top * 15, c.frame.right * 15, c.frame.bottom * 15};
        const WindowRect r =
            PlaceOnScreen({c.in.left * 15, c.in.top * 15, c.in.width * 15, c.in.height * 15}, m, screens, c.sizable);
        EXPECT_EQ((QRect(r.left, r.top, r.width, r.height)),
                  tw(QRect(c.out.left, c.out.top, c.out.width, c.out.height)))
            << c.what;
    }
}
