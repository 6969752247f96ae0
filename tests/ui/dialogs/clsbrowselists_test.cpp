#include "platform/runtimeerror.h"
#include "testsupport.h"
#include "ui/dialogs/clsbrowselists.h"

#include <QDir>

class BrowseLists : public FrameworkTest {};

TEST_F(BrowseLists, SelectionFollowsNamesAndSurvivesAPatternButNotAFolderChange)
{
    for (const char* name : {"a.txt", "B.TXT", "c.exe"})
        writeFile(QString::fromLatin1(name));
    QDir(dir.path()).mkdir(QStringLiteral("sub"));
    clsBrowseLists lists;
    lists.setFolder(dir.path());
    lists.selectNamed(QStringLiteral("b.txt"));
    EXPECT_EQ(lists.result(), QDir::toNativeSeparators(dir.path()) + QDir::separator() + QStringLiteral("B.TXT"));

    lists.setPattern(QStringLiteral("*.txt"));
    EXPECT_EQ(lists.chosenFile(), QStringLiteral("B.TXT"));
    lists.setPattern(QStringLiteral("*.exe"));
    EXPECT_EQ(lists.chosenFile(), QString());

    lists.setPattern(QStringLiteral("*"));
    lists.setSelection({0, 2}, 2);
    EXPECT_EQ(lists.chosenFile(), QStringLiteral("c.exe"));
    lists.setSelection({0, 2}, 1); // focus on an unselected entry: the first selected one
    EXPECT_EQ(lists.chosenFile(), QStringLiteral("a.txt"));

    lists.setFolder(path(QStringLiteral("sub")));
    EXPECT_EQ(lists.result(), QDir::toNativeSeparators(path(QStringLiteral("sub"))) + QDir::separator());
    EXPECT_THROW(lists.setFolder(path(QStringLiteral("gone"))), platform::RuntimeError);
    EXPECT_EQ(lists.folder(), path(QStringLiteral("sub")));
}
