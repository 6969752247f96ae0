#include "guisupport.h"
#include "testsupport.h"
#include "ui/dialogs/frmbrowse.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {
using platform::FormBase;

template <typename W> W* child(FormBase& f, const char* name)
{
    return f.findChild<W*>(QString::fromLatin1(name));
}
QStringList items(QListWidget* list, bool selectedOnly)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        if (!selectedOnly || list->item(i)->isSelected())
            names << list->item(i)->text();
    return names;
}
} // namespace

class BrowseDialog : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        QDir(dir.path()).mkpath(QStringLiteral("sub/alt"));
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
    const std::vector<BrowseDrive> drives = {
        {"/", "/", true}, {path("card"), "card", false}, {path("gone"), "gone", true}, {path("sub/alt"), "alt", true}};
    clsBrowseLists::DriveProvider previous = clsBrowseLists::setDriveProvider([this] { return drives; });
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
            EXPECT_EQ(items(child<QListWidget>(f, "fileBr"), false), files) << pattern;
        });
        utBrowse(dir.path(), QString::fromLatin1(pattern));
    }
}

TEST_F(BrowseDialog, OpensAtANamedFileSelectsItIgnoringCaseAndReturnsIt)
{
    QStringList shown, selected;
    ModalRecorder modal([&](FormBase& f) {
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Browse for file..."));
        shown = items(child<QListWidget>(f, "fileBr"), false);
        selected = items(child<QListWidget>(f, "fileBr"), true);
        child<QPushButton>(f, "cmdDone")->click();
    });
    const QString result = utBrowse(path("sub/Report.txt"), QStringLiteral("Text (*.txt)|*.txt|All|*.*"));
    // Both spellings are selected; the first type's pattern keeps them.
    shown.sort();
    EXPECT_EQ(shown, QStringList({"Report.txt", "report.TXT"}));
    EXPECT_EQ(selected.size(), 2);
    EXPECT_TRUE(result == folderResult("sub") + "Report.txt" || result == folderResult("sub") + "report.TXT")
        << qPrintable(result);
    EXPECT_EQ(handler->ErrNumber(), 0);
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

TEST_F(BrowseDialog, AFailedDriveChangeExplainsAndReturnsToTheShownFoldersDrive)
{
    ModalRecorder modal([&](FormBase& f) {
        frmBrowse& b = *qobject_cast<frmBrowse*>(&f);
        auto* drives = child<QComboBox>(f, "driveBr");
        EXPECT_EQ(drives->currentIndex(), 0); // the folder lies under "/" only
        for (int bad : {1, 2}) {
            drives->setCurrentIndex(bad);
            b.driveBr_Change();
            EXPECT_EQ(drives->currentIndex(), 0);
        }
        EXPECT_EQ(b.Lists().folder(), path("sub"));

        drives->setCurrentIndex(3);
        b.driveBr_Change();
        EXPECT_EQ(b.Lists().folder(), path("sub/alt"));
        EXPECT_EQ(child<QTreeWidget>(f, "dirBr")->topLevelItem(0)->data(0, Qt::UserRole).toString(), path("sub/alt"));
        b.OpenFolder(path("sub"));
        EXPECT_EQ(drives->currentIndex(), 0);
        child<QPushButton>(f, "cmdDone")->click();
    });
    EXPECT_EQ(utBrowse(path("sub")), folderResult("sub"));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, "Device is unavailable");
    EXPECT_EQ(messages.shown[1].text, "Path not found");
    EXPECT_EQ(messages.shown[0].style, platform::vbExclamation + platform::vbOKOnly);
    EXPECT_EQ(handler->ErrNumber(), 0);
}
