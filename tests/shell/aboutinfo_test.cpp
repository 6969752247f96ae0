#include "shell/aboutinfo.h"
#include "shellfakes.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>

using namespace platform;

namespace {

const QString MsinfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString LocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

class AboutInfoTest : public FrameworkTest {
protected:
    FakeRegistry registry;
    FakeLauncher launcher;
};

TEST_F(AboutInfoTest, CaptionAndVersionJoinMinorAndRevision)
{
    EXPECT_EQ(about::Caption(), QStringLiteral("About Quillmark"));
    EXPECT_EQ(about::VersionText(), QStringLiteral("Version 1.05"));
}

TEST_F(AboutInfoTest, ValueTextByTypeAndTerminatingZero)
{
    struct Case {
        const char* what;
        quint32 type;
        QByteArray data;
        QString expected;
    };
    const Case cases[] = {
        {"string with its zero", reg::RegSz, QByteArray("C:\\Tools\0", 9), "C:\\Tools"},
        {"string without it", reg::RegSz, QByteArray("C:\\Tools"), "C:\\Tools"},
        {"empty string with its zero", reg::RegSz, QByteArray("\0", 1), ""},
        {"empty string without it", reg::RegSz, QByteArray(), ""},
        {"8-bit text", reg::RegSz, QString("Caf\u00e9").toLocal8Bit() + '\0', "Caf\u00e9"},
        {"number", reg::RegDword, QByteArray("\x05\0\0\0", 4), "5"},
        {"number over a byte", reg::RegDword, QByteArray("\x05\x01\0\0", 4), "261"},
        {"largest number", reg::RegDword, QByteArray("\xff\xff\xff\xff", 4), "4294967295"},
        {"other type keeps the caller's text", reg::RegBinary, QByteArray("\x01\x02", 2), "caller"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        registry.set("K", "V", c.type, c.data);
        QString value = QStringLiteral("caller");
        EXPECT_TRUE(about::GetKeyValue(reg::LocalMachine, "K", "V", value));
        EXPECT_EQ(value, c.expected);
    }
    EXPECT_EQ(registry.openCount, 0);
}

TEST_F(AboutInfoTest, MissingKeyOrValueGivesFalseAndEmptyTextAndNoMessage)
{
    registry.set("K", "V", reg::RegSz, "x");
    registry.set("K", "Long", reg::RegSz, QByteArray(1025, 'a'));
    const std::pair<QString, QString> missing[] = {{"Nope", "V"}, {"K", "Nope"}, {"K", "Long"}};
    for (const auto& [key, name] : missing) {
        SCOPED_TRACE((key + "\\" + name).toStdString());
        QString value = QStringLiteral("caller");
        EXPECT_FALSE(about::GetKeyValue(reg::LocalMachine, key, name, value));
        EXPECT_EQ(value, QString());
    }
    EXPECT_EQ(registry.openCount, 0); // every opened key was closed
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AboutInfoTest, SystemInformationStartsFromEitherValueOrIsUnavailable)
{
    QDir(dir.path()).mkdir("nomsinfo");
    QDir(dir.path()).mkdir("msinfo");
    writeFile("msinfo/MSINFO32.EXE");
    struct Case {
        const char* what;
        std::function<void()> setUp;
        QString started; // empty: reported unavailable
    };
    const Case cases[] = {
        {"neither value", [] {}, ""},
        {"location without the tool",
         [&] { registry.set(LocationKey, "MSINFO", reg::RegSz, path("nomsinfo").toLocal8Bit() + '\0'); }, ""},
        {"path not a string", [&] { registry.set(MsinfoKey, "PATH", reg::RegBinary, QByteArray(4, '\1')); }, ""},
        {"location", [&] { registry.set(LocationKey, "MSINFO", reg::RegSz, path("msinfo").toLocal8Bit()); },
         path("msinfo/MSINFO32.EXE")},
        {"path", [&] { registry.set(MsinfoKey, "PATH", reg::RegSz, QByteArray("/opt/msinfo/msinfo32\0", 21)); },
         "/opt/msinfo/msinfo32"},
        // A tool that will not start is as good as none.
        {"tool refuses to start",
         [&] {
             registry.set(MsinfoKey, "PATH", reg::RegSz, QByteArray("/opt/msinfo/msinfo32\0", 21));
             launcher.accept = false;
         },
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        registry.keys.clear();
        messages.shown.clear();
        launcher.calls.clear();
        c.setUp();
        about::StartSysInfo();
        if (c.started.isEmpty()) {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text, "System Information Is Unavailable At This Time");
            EXPECT_EQ(messages.shown[0].style, vbOKOnly);
        } else {
            EXPECT_TRUE(messages.shown.empty());
            ASSERT_EQ(launcher.calls.size(), 1u);
            EXPECT_EQ(launcher.calls[0].action, "start");
            EXPECT_EQ(launcher.calls[0].target, c.started);
            EXPECT_TRUE(launcher.calls[0].arguments.isEmpty());
        }
    }
    // Every key was opened for reading only.
    ASSERT_FALSE(registry.accessAsked.empty());
    for (quint32 access : registry.accessAsked)
        EXPECT_EQ(access, reg::KeyRead);
}

#ifndef Q_OS_WIN
TEST(AboutInfoSystemTest, WithoutARegistryNoKeyExists)
{
    platform::ScriptedMessages messages;
    QString value = QStringLiteral("caller");
    EXPECT_FALSE(about::GetKeyValue(reg::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", value));
    EXPECT_EQ(value, QString());
}
#endif

} // namespace
