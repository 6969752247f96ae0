#include "platform/runtimeerror.h"
#include "testsupport.h"
#include "util/modutils.h"

#include <QDir>
#include <QFileInfo>

#include <climits>

class UtilRoutines : public FrameworkTest {};

TEST_F(UtilRoutines, NiceTimeFollowsTheUnitCascade)
{
    const std::pair<int, const char*> cases[] = {{60, "1 minute, 0 seconds"},
                                                 {3600, "1 hour, 0 minutes, 0 seconds"},
                                                 {86400, "1 day, 0 hours, 0 minutes, 0 seconds"},
                                                 {90061, "1 day, 1 hour, 1 minute, 1 second"},
                                                 {-5, "-5 seconds"},
                                                 {-61, "-1 seconds"},
                                                 {INT_MAX, "24855 days, 3 hours, 14 minutes, 7 seconds"}};
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(utFormatSecondsAsNiceTime(seconds), QString::fromLatin1(text)) << seconds;
}

TEST_F(UtilRoutines, PathSeparatorEdges)
{
    const QString sep = platform::hasDriveLetters() ? QStringLiteral("\\") : QStringLiteral("/");
    EXPECT_EQ(utPathBackslashAdd(QString()), sep);
    EXPECT_EQ(utPathBackslashAdd(QStringLiteral("C:\\")), QStringLiteral("C:\\"));
    EXPECT_EQ(utPathBackslashAdd(QStringLiteral("dir")), QStringLiteral("dir") + sep);
    EXPECT_EQ(utPathBackslashAdd(QStringLiteral("dir") + sep), QStringLiteral("dir") + sep);
}

// The folder tokens expand in any case, everywhere in a path; a file or folder
// that is not there is no error.
TEST_F(UtilRoutines, SystemFolderTokensExpandAndFilesOrFoldersAreFound)
{
    const QString temp = QDir::toNativeSeparators(QDir::tempPath());
    EXPECT_EQ(utExpandSystemFolders(QStringLiteral("%TEMPDIR%/a/%tempdir%")), temp + QStringLiteral("/a/") + temp);
    EXPECT_EQ(utExpandSystemFolders(QStringLiteral("%TEMP%")), QStringLiteral("%TEMP%"));
    writeFile(QStringLiteral("present.txt"));
    QDir(dir.path()).mkdir(QStringLiteral("sub"));
    const std::pair<QString, bool> cases[] = {
        {QStringLiteral("%WINDOWSDIR%"), true},
        {QStringLiteral("%SystemDir%"), true},
        {QStringLiteral("%tempdir%"), true},
        {QString(), false},
        {path(QStringLiteral("present.txt")), true},
        {path(QStringLiteral("sub")), true},
        {path(QStringLiteral("absent.txt")), false},
        {path(QStringLiteral("absent/deeper/x")), false},
        {dir.path() + QStringLiteral("\\present.txt"), true},
    };
    for (const auto& [path, exists] : cases)
        EXPECT_EQ(utFileOrFolderExists(path), exists) << qPrintable(path);
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("error.log"))));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(UtilRoutines, AbsoluteLeftReportsOverflowAndYieldsZero)
{
    handler->DisplayMsgOnError(false); // as configured at start-up
    EXPECT_EQ(utFormResize_AbsoluteLeft(-10, 5), -5);
    EXPECT_EQ(utFormResize_AbsoluteLeft(INT_MAX, 1), 0);
    EXPECT_EQ(handler->ErrNumber(), platform::errnum::Overflow);
    EXPECT_EQ(messages.shown.size(), 1u);
}
