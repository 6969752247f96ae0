#include "settings/clsregsettings.h"
#include "settings/settingstest.h"

using namespace platform;

class RegSettings : public SettingsTest {};

TEST_F(RegSettings, TypedValuesComeBackTypedInAFreshStore)
{
    const QByteArray bytes("\x01\x00\xff", 3);
    const struct {
        const char* name;
        int type;
        QVariant written, read;
    } rows[] = {
        {"dword", 4, QStringLiteral("-1200"), -1200},
        {"sz", 1, 1200, QStringLiteral("1200")},
        {"expand", 2, QStringLiteral("%TEMPDIR%\\x"), QStringLiteral("%TEMPDIR%\\x")},
        {"binary", 3, bytes, bytes},
        {"untyped", 0, 7, 7},
        {"comma", 1, QStringLiteral("a, b = c; [d]"), QStringLiteral("a, b = c; [d]")},
    };
    for (const auto& r : rows)
        clsRegSettings().AppSetting(QStringLiteral("T"), QLatin1String(r.name), r.type, QVariant(), r.written);
    clsRegSettings reader;
    for (const auto& r : rows) {
        // Names are matched without regard to letter case, as in the registry.
        const QVariant v = reader.AppSetting(QStringLiteral("t"), QString::fromLatin1(r.name).toUpper());
        EXPECT_EQ(v, r.read) << r.name;
        EXPECT_EQ(v.userType(), r.read.userType()) << r.name;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RegSettings, MissingValueGivesTheDefaultSilently)
{
    clsRegSettings rs;
    handler->DisplayMsgOnError(false);
    EXPECT_EQ(rs.AppSetting(QStringLiteral("Startup"), QStringLiteral("never"), 4, 42), QVariant(42));
    // Other roots are not the user's: nothing is there to read.
    EXPECT_EQ(rs.AnySetting(QStringLiteral("HKLM\\Software"), QStringLiteral("x"), 4, 5), QVariant(5));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(handler->IsError());
}

TEST_F(RegSettings, NullSettingStoresTheDefault)
{
    clsRegSettings rs;
    rs.AppSetting(QStringLiteral("S"), QStringLiteral("a"), 4, 15, QVariant());
    rs.AppSetting(QStringLiteral("S"), QStringLiteral("b"), 1, QStringLiteral("dflt"),
                  QVariant(QMetaType::fromType<QString>()));
    rs.AppSetting(QStringLiteral("S"), QStringLiteral("c"), 1, QStringLiteral("dflt"), QStringLiteral("given"));
    EXPECT_EQ(rs.AppSetting(QStringLiteral("S"), QStringLiteral("a")), QVariant(15));
    EXPECT_EQ(rs.AppSetting(QStringLiteral("S"), QStringLiteral("b")), QVariant(QStringLiteral("dflt")));
    EXPECT_EQ(rs.AppSetting(QStringLiteral("S"), QStringLiteral("c")), QVariant(QStringLiteral("given")));
}

TEST_F(RegSettings, BadWritesAreReportedAndWriteNothing)
{
    clsRegSettings rs;
    handler->DisplayMsgOnError(false);
    // Neither fits a REG_DWORD.
    const std::pair<QVariant, long> cases[] = {{QStringLiteral("twelve"), errnum::TypeMismatch},
                                               {5e9, errnum::Overflow}};
    for (const auto& [value, error] : cases) {
        rs.AppSetting(QStringLiteral("S"), QStringLiteral("bad"), 4, QVariant(), value);
        EXPECT_EQ(handler->ErrNumber(), error);
    }
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_FALSE(stored(rs.SettingsKey(QStringLiteral("S")) + QStringLiteral("\\bad")).isValid());
}

namespace {
// A store that refuses every deletion, as a protected registry key does.
class RefusingStore : public RegistryStore {
public:
    QVariant RegRead(const QString&) override { Raise(errnum::RegValueMissing); }
    void RegWrite(const QString&, const QVariant&, const QString&) override {}
    void RegDelete(const QString&) override { Raise(errnum::RegAccessDenied); }
};
} // namespace

// Deleting what is not there is a reported fault; a refused deletion is not.
TEST_F(RegSettings, DeleteAnswersAndOnlyReportsRealFaults)
{
    clsRegSettings rs;
    handler->DisplayMsgOnError(false);
    rs.AppSetting(QStringLiteral("S"), QStringLiteral("gone"), 4, QVariant(), 1);
    EXPECT_TRUE(rs.AppSettingDelete(QStringLiteral("S"), QStringLiteral("GONE")));
    EXPECT_EQ(rs.AppSetting(QStringLiteral("S"), QStringLiteral("gone"), 4, -1), QVariant(-1));
    EXPECT_TRUE(messages.shown.empty());

    clsRegSettings refusing(std::make_unique<RefusingStore>());
    EXPECT_FALSE(refusing.AppSettingDelete(QStringLiteral("S"), QStringLiteral("x")));
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_FALSE(rs.AppSettingDelete(QStringLiteral("S"), QStringLiteral("gone")));
    EXPECT_EQ(handler->ErrNumber(), errnum::RegValueMissing);
    EXPECT_EQ(messages.shown.size(), 1u);
}
