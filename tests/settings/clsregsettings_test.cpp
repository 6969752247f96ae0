#include "settings/clsregsettings.h"
#include "settings/settingstest.h"

#include <QFile>

using namespace platform;

class RegSettings : public SettingsTest {};

TEST_F(RegSettings, WritesTheVersionedKeyWithTheNamedType)
{
    clsRegSettings rs;
    EXPECT_EQ(rs.SettingsKey(QString()), QStringLiteral("HKCU\\Software\\Tamsworth\\Quillmark\\1.0"));

    rs.AppSetting(QStringLiteral("Startup"), QStringLiteral("frmMain_Top"), 4, QVariant(), 1200);
    // The type travels in the file itself, not in any in-memory cache.
    QFile f(settingsFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("frmMain_Top=REG_DWORD:1200"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RegSettings, TypedValuesComeBackTypedInAFreshStore)
{
    {
        clsRegSettings writer;
        writer.AppSetting(QStringLiteral("T"), QStringLiteral("dword"), 4, QVariant(), QStringLiteral("-1200"));
        writer.AppSetting(QStringLiteral("T"), QStringLiteral("sz"), 1, QVariant(), 1200);
        writer.AppSetting(QStringLiteral("T"), QStringLiteral("expand"), 2, QVariant(), QStringLiteral("%TEMPDIR%\\x"));
        writer.AppSetting(QStringLiteral("T"), QStringLiteral("binary"), 3, QVariant(), QByteArray("\x01\x00\xff", 3));
        writer.AppSetting(QStringLiteral("T"), QStringLiteral("untyped"), 0, QVariant(), 7);
        writer.AppSetting(QStringLiteral("T"), QStringLiteral("comma"), 1, QVariant(), QStringLiteral("a, b = c; [d]"));
    }
    clsRegSettings reader;
    const QString t = QStringLiteral("T");
    EXPECT_EQ(reader.AppSetting(t, QStringLiteral("dword")), QVariant(-1200));
    EXPECT_EQ(reader.AppSetting(t, QStringLiteral("sz")), QVariant(QStringLiteral("1200")));
    EXPECT_EQ(reader.AppSetting(t, QStringLiteral("expand")), QVariant(QStringLiteral("%TEMPDIR%\\x")));
    EXPECT_EQ(reader.AppSetting(t, QStringLiteral("binary")), QVariant(QByteArray("\x01\x00\xff", 3)));
    EXPECT_EQ(reader.AppSetting(t, QStringLiteral("untyped")).userType(), QMetaType::Int);
    EXPECT_EQ(reader.AppSetting(t, QStringLiteral("comma")), QVariant(QStringLiteral("a, b = c; [d]")));
    // Names are matched without regard to letter case, as in the registry.
    EXPECT_EQ(reader.AppSetting(QStringLiteral("t"), QStringLiteral("DWORD")), QVariant(-1200));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RegSettings, MissingValueGivesTheDefaultSilently)
{
    clsRegSettings rs;
    handler->DisplayMsgOnError(false);
    EXPECT_EQ(rs.AppSetting(QStringLiteral("Startup"), QStringLiteral("never"), 4, 42), QVariant(42));
    EXPECT_FALSE(rs.AppSetting(QStringLiteral("Startup"), QStringLiteral("never")).isValid());
    EXPECT_EQ(rs.AnySetting(QStringLiteral("HKCU\\Software\\Nobody"), QStringLiteral("x"), 1, QStringLiteral("d")),
              QVariant(QStringLiteral("d")));
    // Other roots are not the user's: nothing is there to read.
    EXPECT_EQ(rs.AnySetting(QStringLiteral("HKLM\\Software"), QStringLiteral("x"), 4, 5), QVariant(5));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("error.log"))));
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

TEST_F(RegSettings, CompanyAndAppNameFallBackAndTrim)
{
    clsRegSettings rs;
    rs.Company(QStringLiteral("  Acme Ltd  "));
    rs.AppName(QStringLiteral(" Calc "));
    EXPECT_EQ(rs.Company(), QStringLiteral("Acme Ltd"));
    EXPECT_EQ(rs.AppName(), QStringLiteral("Calc"));
    EXPECT_EQ(rs.SettingsKey(QStringLiteral("S")), QStringLiteral("HKCU\\Software\\Acme Ltd\\Calc\\1.0\\S"));
    rs.AppSetting(QStringLiteral("S"), QStringLiteral("v"), 4, QVariant(), 1);
    EXPECT_EQ(stored(QStringLiteral("HKCU\\Software\\Acme Ltd\\Calc\\1.0\\S\\v")), QVariant(1));

    rs.Company(QString());
    rs.AppName(QString());
    EXPECT_EQ(rs.Company().toStdString(), App().companyName);
    EXPECT_EQ(rs.AppName().toStdString(), App().productName);
}

TEST_F(RegSettings, BadWritesAreReportedAndWriteNothing)
{
    clsRegSettings rs;
    handler->DisplayMsgOnError(false);
    // Neither fits a REG_DWORD.
    const std::pair<QVariant, long> cases[] = {{QStringLiteral("twelve"), errnum::TypeMismatch},
                                               {5e9, errnum::Overflow}};
    for (const auto& [value, error] : cases) {
        messages.shown.clear();
        rs.AppSetting(QStringLiteral("S"), QStringLiteral("bad"), 4, QVariant(), value);
        EXPECT_EQ(handler->ErrNumber(), error);
        EXPECT_EQ(handler->ErrProc(), "clsRegSettings.AppSetting() [Let]");
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].title, "Unexpected Error");
    }
    EXPECT_FALSE(stored(rs.SettingsKey(QStringLiteral("S")) + QStringLiteral("\\bad")).isValid());
    EXPECT_EQ(handler->StackDepth(), 0);
}

TEST_F(RegSettings, DeleteAnswersAndOnlyReportsRealFaults)
{
    clsRegSettings rs;
    handler->DisplayMsgOnError(false);
    rs.AppSetting(QStringLiteral("S"), QStringLiteral("gone"), 4, QVariant(), 1);
    EXPECT_TRUE(rs.AppSettingDelete(QStringLiteral("S"), QStringLiteral("GONE")));
    EXPECT_EQ(rs.AppSetting(QStringLiteral("S"), QStringLiteral("gone"), 4, -1), QVariant(-1));
    EXPECT_TRUE(messages.shown.empty());

    // Deleting what is not there is a reported fault.
    EXPECT_FALSE(rs.AppSettingDelete(QStringLiteral("S"), QStringLiteral("gone")));
    EXPECT_EQ(handler->ErrNumber(), errnum::RegValueMissing);
    EXPECT_EQ(messages.shown.size(), 1u);
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

TEST_F(RegSettings, RefusedDeletionIsNotReported)
{
    clsRegSettings rs(std::make_unique<RefusingStore>());
    EXPECT_FALSE(rs.AppSettingDelete(QStringLiteral("S"), QStringLiteral("x")));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(handler->IsError());
    EXPECT_EQ(handler->StackDepth(), 0);
}
