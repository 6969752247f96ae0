// The program as a whole: started without a display, and started and shown.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QProcessEnvironment cleanEnvironment(const QTemporaryDir& home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    // Settings the program saves stay out of the real home.
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    return env;
}

const QString program = QStringLiteral(QM_TEST_BINARY_DIR "/quillmark");

} // namespace

TEST(StartUp, WithoutADisplayTheProgramSaysSoAndPointsToTheReport)
{
    QTemporaryDir home;
    QProcess p;
    p.setProcessEnvironment(cleanEnvironment(home));
    p.start(program, {});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 1);
    const QString err = QString::fromLocal8Bit(p.readAllStandardError());
    EXPECT_TRUE(err.contains(QLatin1String("no display"))) << err.toStdString();
    EXPECT_TRUE(err.contains(QLatin1String("quillmark --report ADDRESS/BITS"))) << err.toStdString();
    EXPECT_EQ(err.count(QLatin1Char('\n')), 1);
}

TEST(StartUp, TheProgramStartsAndShowsItsWindow)
{
    QTemporaryDir home;
    QProcessEnvironment env = cleanEnvironment(home);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QUILLMARK_EXIT_AFTER_SHOW"), QStringLiteral("1"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, {});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
}

TEST(StartUp, WithoutItsWindowsModuleTheProgramSaysWhereItLooked)
{
    QTemporaryDir home;
    const QString copy = home.filePath(QStringLiteral("quillmark"));
    ASSERT_TRUE(QFile::copy(program, copy));
    QProcessEnvironment env = cleanEnvironment(home);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(copy, {});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 1);
    const QString err = QString::fromLocal8Bit(p.readAllStandardError());
    EXPECT_TRUE(err.startsWith(QStringLiteral("quillmark: cannot load the windows from ") + home.path())) << err.toStdString();
}
