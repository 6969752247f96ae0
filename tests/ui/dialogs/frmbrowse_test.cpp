#include "guisupport.h"
#include "platform/runtimeerror.h"
#include "testsupport.h"
#include "ui/dialogs/frmbrowse.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using platform::FormBase;

class BrowseDialog : public FrameworkTest {
protected:
    template <typename W> static W* child(FormBase& f, const char* name)
    {
        return f.findChild<W*>(QLatin1String(name));
    }
    static QStringList shownFiles(FormBase& f)
    {
        QStringList names;
        const auto* list = child<QListWidget>(f, "fileBr");
        for (int i = 0; i < list->count(); ++i)
            names << list->item(i)->text();
        return names;
    }
    void SetUp() override
    {
        FrameworkTest::SetUp();
        QDir(dir.path()).mkdir(QStringLiteral("sub"));
        QDir(dir.path()).mkdir(QStringLiteral("card"));
        for (const char* name : {"a.txt", "B.TXT", "c.exe", "noext", ".hidden", "sub/Report.txt", "sub/report.TXT"})
            writeFile(QString::fromLatin1(name));
    }
    void TearDown() override
    {
        clsBrowseLists::setDriveProvider(previous);
        FrameworkTest::TearDown();
    }
    QString folderResult(const QString& name = QString()) const
    {
        return QDir::toNativeSeparators(name.isEmpty() ? dir.path() : path(name)) + QDir::separator();
    }
    // The host's own drives stay out of the lists.
    clsBrowseLists::DriveProvider previous = clsBrowseLists::setDriveProvider([] {
        return std::vector<BrowseDrive>{{"/", "/", true}};
    });
};

TEST_F(BrowseDialog, TheTypeListTakesPatternPairsAndItsFirstPatternFiltersTheFilesIgnoringCase)
{
    const QStringList all = {"a.txt", "B.TXT", "c.exe", "noext"};
    const std::tuple<const char*, QStringList, QStringList> cases[] = {
        {"Program Files (*.exe;*.com;*.bat)|*.exe;*.com;*.bat|All Files (*.*)|*.*",
         {"Program Files (*.exe;*.com;*.bat)", "All Files (*.*)"},
         {"c.exe"}},
        {"Text|*.txt|Orphan", {"Text"}, {"a.txt", "B.TXT"}},
        {"All|*.*|", {"All"}, all},
        {"Two|*.EXE; *.Txt", {"Two"}, {"a.txt", "B.TXT", "c.exe"}},
        {"|*.bat", {""}, {}},
        // Without a complete pair the list stays empty and every file shows.
        {"Only a description", {}, all},
        {"", {}, all},
    };
    for (const auto& [pattern, types, files] : cases) {
        ModalRecorder modal([&](FormBase& f) {
            auto* combo = child<QComboBox>(f, "comboFileTypes");
            QStringList shown;
            for (int i = 0; i < combo->count(); ++i)
                shown << combo->itemText(i);
            EXPECT_EQ(shown, types) << pattern;
            EXPECT_EQ(shownFiles(f), files) << pattern;
        });
        utBrowse(dir.path(), QString::fromLatin1(pattern));
    }
}

TEST_F(BrowseDialog, CancelEscapeAndTheCloseBoxReturnNothingAndOkReturnsTheFolderWithASeparator)
{
    struct Case {
        QString start;
        bool folderOnly;
        std::optional<QString> title;
        QString press, result, caption;
    };
    const Case cases[] = {
        {path("no/such/thing.txt"), false, {}, "cmdCancel", "", "Browse for file..."},
        {path("no/such/thing.txt"), false, {}, "Escape", "", "Browse for file..."},
        {path("no/such/thing.txt"), false, {}, "close", "", "Browse for file..."},
        // OK with no file chosen gives the folder alone, in file mode too.
        {dir.path(), false, {}, "Return", folderResult(), "Browse for file..."},
        {path("c.exe"), false, {}, "cmdDone", folderResult() + "c.exe", "Browse for file..."}, // chosen on opening
        // A file as the starting point of a folder pick still gives only its folder.
        {path("c.exe"), true, {}, "cmdDone", folderResult(), "Browse for folder..."},
        {dir.path(), true, "Pick", "cmdDone", folderResult(), "Pick"},
    };
    for (const Case& c : cases) {
        ModalRecorder modal([&](FormBase& f) {
            EXPECT_EQ(f.windowTitle(), c.caption);
            // A path that does not exist starts in the current folder.
            EXPECT_EQ(qobject_cast<frmBrowse*>(&f)->Lists().folder(),
                      QDir::cleanPath(QFileInfo::exists(c.start) ? dir.path() : QDir::currentPath()));
            for (const char* name : {"fileBr", "comboFileTypes", "lblInfo_0", "lblInfo_3"})
                EXPECT_EQ(child<QWidget>(f, name)->isVisibleTo(&f), !c.folderOnly) << name;
            // Folder-only, the folder tree takes the whole width.
            auto* tree = child<QTreeWidget>(f, "dirBr");
            EXPECT_EQ(tree->x() + tree->width() == f.width() - tree->x(), c.folderOnly);
            if (c.press == "close")
                EXPECT_FALSE(f.RequestUnload(platform::vbFormControlMenu));
            else if (c.press == "Escape" || c.press == "Return")
                QTest::keyClick(tree, c.press == "Escape" ? Qt::Key_Escape : Qt::Key_Return);
            else
                child<QPushButton>(f, qPrintable(c.press))->click();
        });
        EXPECT_EQ(utBrowse(c.start, browseDefaultPattern(), c.folderOnly, c.title), c.result) << qPrintable(c.press);
    }
}

TEST_F(BrowseDialog, FoldersInNameOrderFilesAndDoubleClickWorkTogether)
{
    ModalRecorder modal([&](FormBase& f) {
        auto* files = child<QListWidget>(f, "fileBr");
        // Opening the subfolder shows its files; back up and pick a file.
        auto* tree = child<QTreeWidget>(f, "dirBr");
        QTreeWidgetItem* current = tree->currentItem();
        ASSERT_EQ(current->childCount(), 2);
        tree->setCurrentItem(current->child(1)); // "sub" after "card"
        EXPECT_EQ(files->count(), 2);
        tree->setCurrentItem(current);
        files->setCurrentRow(0);
        emit files->itemDoubleClicked(files->item(0));
    });
    EXPECT_EQ(utBrowse(dir.path(), QStringLiteral("Text|*.txt")), folderResult() + "a.txt");
}

TEST_F(BrowseDialog, SelectionFollowsNamesAndSurvivesAPatternButNotAFolderChange)
{
    clsBrowseLists lists;
    lists.setFolder(dir.path());
    lists.selectNamed(QStringLiteral("b.txt"));
    EXPECT_EQ(lists.result(), folderResult() + "B.TXT");

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
    EXPECT_EQ(lists.result(), folderResult(QStringLiteral("sub")));
    EXPECT_THROW(lists.setFolder(path(QStringLiteral("gone"))), platform::RuntimeError);
    EXPECT_EQ(lists.folder(), path(QStringLiteral("sub")));
}
