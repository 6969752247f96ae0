#include "platform/runtimeerror.h"
#include "testsupport.h"
#include "ui/dialogs/clsbrowselists.h"

#include <QDir>

TEST(ParsePatternPairs, TakesFieldsInPairsAndDropsATrailingDescription)
{
    const std::pair<const char*, QStringList> cases[] = {
        {"Program Files (*.exe;*.com;*.bat)|*.exe;*.com;*.bat|All Files (*.*)|*.*",
         {"Program Files (*.exe;*.com;*.bat)=*.exe;*.com;*.bat", "All Files (*.*)=*.*"}},
        {"Text|*.txt|Orphan", {"Text=*.txt"}},
        {"Text|*.txt|", {"Text=*.txt"}},
        {"Only a description", {}},
        {"", {}},
        {"|*.log", {"=*.log"}},
    };
    for (const auto& [pattern, expected] : cases) {
        QStringList pairs;
        for (const FileType& t : parsePatternPairs(QString::fromLatin1(pattern)))
            pairs << t.description + '=' + t.pattern;
        EXPECT_EQ(pairs, expected) << pattern;
    }
}

class BrowseLists : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        previous = clsBrowseLists::setDriveProvider([this] {
            return std::vector<BrowseDrive>{{"/", "/", true}, {dir.path(), "temp", true}};
        });
        for (const char* name : {"a.txt", "B.TXT", "c.exe", "noext", ".hidden"})
            writeFile(QString::fromLatin1(name));
        QDir(dir.path()).mkdir(QStringLiteral("sub"));
    }
    void TearDown() override
    {
        clsBrowseLists::setDriveProvider(previous);
        FrameworkTest::TearDown();
    }
    clsBrowseLists::DriveProvider previous;
};

TEST_F(BrowseLists, PatternsMatchWithoutRegardToCaseAndStarDotStarMatchesEverything)
{
    const std::pair<const char*, QStringList> cases[] = {
        {"*.txt", {"a.txt", "B.TXT"}},
        {"*.*", {"a.txt", "B.TXT", "c.exe", "noext"}},
        {"*.exe; *.TXT", {"a.txt", "B.TXT", "c.exe"}},
        {"", {"a.txt", "B.TXT", "c.exe", "noext"}},
        {"*.bat", {}},
    };
    for (const auto& [pattern, expected] : cases)
        EXPECT_EQ(clsBrowseLists::matchingFiles(dir.path(), QString::fromLatin1(pattern)), expected) << pattern;
}

TEST_F(BrowseLists, SelectionFollowsNamesAndSurvivesAPatternButNotAFolderChange)
{
    clsBrowseLists lists;
    lists.setFolder(dir.path());
    EXPECT_EQ(lists.drive(), dir.path()); // the longest drive root holding the folder
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
