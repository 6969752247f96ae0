// The program as a whole: started without a display, and started and shown.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString program = QStringLiteral(QM_TEST_BINARY_DIR "/quillmark");

// Runs the program to its end; its exit code, and what it said on stderr.
std::pair<int, QString> run(const QString& binary, const QProcessEnvironment& env, const QStringList& args = {})
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(binary, args);
    EXPECT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError())};
}

// The caller's environment with the program's settings kept out of the real home.
QProcessEnvironment withPrivateHome(const QTemporaryDir& home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"})
        env.insert(QLatin1String(name), home.path());
    return env;
}

} // namespace

// Without a display the program says so and points to the report. Offscreen
// it shows its window and ends cleanly; a copy without its window program
// beside it says where it looked; the window program takes none of the
// toolkit's options.
TEST(StartUp, TheProgramShowsItsWindowOrSaysWhyNot)
{
    QTemporaryDir home;
    QProcessEnvironment env = withPrivateHome(home);
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    const auto [noDisplay, said] = run(program, env);
    EXPECT_EQ(noDisplay, 1);
    EXPECT_TRUE(said.contains(QLatin1String("no display"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QLatin1String("quillmark --report ADDRESS/BITS"))) << said.toStdString();
    EXPECT_EQ(said.count(QLatin1Char('\n')), 1);

    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QUILLMARK_EXIT_AFTER_SHOW"), QStringLiteral("1"));
    const auto [shown, whyNot] = run(program, env);
    EXPECT_EQ(shown, 0) << whyNot.toStdString();
    const QString copy = home.filePath(QStringLiteral("quillmark"));
    ASSERT_TRUE(QFile::copy(program, copy));
    const auto [code, err] = run(copy, env);
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(err.startsWith(QStringLiteral("quillmark: cannot start the windows from ") + home.path()))
        << err.toStdString();
    const auto [refused, why] =
        run(QStringLiteral(QM_TEST_BINARY_DIR "/quillmark-window"), env, {QStringLiteral("-reverse")});
    EXPECT_EQ(refused, 2);
    EXPECT_TRUE(why.contains(QLatin1String("\"-reverse\""))) << why.toStdString();
    EXPECT_EQ(why.count(QLatin1Char('\n')), 1);
}

// The window reads its images as the PNGs they are: guessing the format would
// load every image plugin installed before the first paint.
TEST(StartUp, TheWindowLoadsNoImagePluginOnItsWayToTheFirstPaint)
{
    QTemporaryDir home;
    QProcessEnvironment env = withPrivateHome(home);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QUILLMARK_EXIT_AFTER_SHOW"), QStringLiteral("1"));
    env.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("files"));
    const auto [shown, loaded] = run(program, env);
    EXPECT_EQ(shown, 0);
    ASSERT_TRUE(loaded.contains(QLatin1String("libQt6Widgets"))) << "no record of the libraries loaded";
    EXPECT_FALSE(loaded.contains(QLatin1String("/imageformats/")));
}
