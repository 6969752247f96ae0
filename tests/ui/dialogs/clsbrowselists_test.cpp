#include "platform/runtimeerror.h"
#include "testsupport.h"
#include "ui/dialogs/clsbrowselists.h"

#include <QDir>
#include <QFile>

namespace {
QStringList descriptions(const std::vector<FileType>& types)
{
    QStringList out;
    for (const FileType& t : types)
        out << t.description + QLatin1Char('=') + t.pattern;
    return out;
}

long errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const platform::RuntimeError& e) {
        return e.number();
    }
    return 0;
}
} // namespace

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
        {"A|*.a|B|*.b|C|*.c", {"A=*.a", "B=*.b", "C=*.c"}},
    };
    for (const auto& [pattern, expected] : cases)
        EXPECT_EQ(descriptions(parsePatternPairs(QString::fromLatin1(pattern))), expected) << pattern;
}

class BrowseLists : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        root = dir.path();
        previous = clsBrowseLists::setDriveProvider([this] {
            return std::vector<BrowseDrive>{{QStringLiteral("/"), QStringLiteral("/"), true},
                                            {root, QStringLiteral("temp"), true},
                                            {root + QStringLiteral("/empty-slot"), QStringLiteral("card"), false},
                                            {root + QStringLiteral("/gone"), QStringLiteral("gone"), true}};
        });
        for (const char* name : {"a.txt", "B.TXT", "c.exe", "noext", ".hidden"})
            writeFile(QString::fromLatin1(name));
        QDir(root).mkdir(QStringLiteral("sub"));
        QDir(root).mkdir(QStringLiteral("empty-slot"));
    }
    void TearDown() override
    {
        clsBrowseLists::setDriveProvider(previous);
        FrameworkTest::TearDown();
    }
    QString root;
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
        EXPECT_EQ(clsBrowseLists::matchingFiles(root, QString::fromLatin1(pattern)), expected) << pattern;
}

TEST_F(BrowseLists, SelectionFollowsNamesAndSurvivesAPatternButNotAFolderChange)
{
    clsBrowseLists lists;
    lists.setFolder(root);
    EXPECT_EQ(lists.drive(), root); // the longest drive root holding the folder
    lists.selectNamed(QStringLiteral("b.txt"));
    EXPECT_EQ(lists.chosenFile(), QStringLiteral("B.TXT"));
    EXPECT_EQ(lists.result(), QDir::toNativeSeparators(root) + QDir::separator() + QStringLiteral("B.TXT"));

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
    EXPECT_TRUE(lists.selected().empty());
    EXPECT_EQ(lists.result(), QDir::toNativeSeparators(path(QStringLiteral("sub"))) + QDir::separator());
}

TEST_F(BrowseLists, FailedDriveAndFolderChangesRaiseAndLeaveTheListsAlone)
{
    clsBrowseLists lists;
    lists.setFolder(path(QStringLiteral("sub")));
    EXPECT_EQ(errorOf([&] { lists.setDrive(root + QStringLiteral("/empty-slot")); }),
              platform::errnum::DeviceUnavailable);
    EXPECT_EQ(errorOf([&] { lists.setDrive(root + QStringLiteral("/gone")); }), platform::errnum::PathNotFound);
    EXPECT_EQ(errorOf([&] { lists.setFolder(root + QStringLiteral("/gone")); }), platform::errnum::PathNotFound);
    EXPECT_EQ(lists.folder(), path(QStringLiteral("sub")));
    EXPECT_EQ(lists.drive(), root);

    lists.setDrive(QStringLiteral("/"));
    EXPECT_EQ(lists.folder(), QStringLiteral("/"));
    EXPECT_EQ(lists.drive(), QStringLiteral("/"));
    EXPECT_EQ(lists.driveIndex(), 0);
}
