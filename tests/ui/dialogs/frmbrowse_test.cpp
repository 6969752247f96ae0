#include "guisupport.h"
#include "testsupport.h"
#include "ui/dialogs/frmbrowse.h"

#include <QComboBox>
#include <QDir>
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
        previous = clsBrowseLists::setDriveProvider([this] {
            return std::vector<BrowseDrive>{{"/", "/", true},
                                            {path("card"), "card", false},
                                            {path("gone"), "gone", true},
                                            {path("sub/alt"), "alt", true}};
        });
        for (const char* name : {"Report.txt", "report.TXT", "setup.exe", "notes.md"})
            writeFile(QString::fromLatin1(name));
        QDir(dir.path()).mkpath(QStringLiteral("sub/alt"));
        QDir(dir.path()).mkdir(QStringLiteral("card"));
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
    clsBrowseLists::DriveProvider previous;
};

TEST_F(BrowseDialog, OpensAtANamedFileSelectsItIgnoringCaseAndReturnsIt)
{
    QStringList shown, selected;
    ModalRecorder modal([&](FormBase& f) {
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Browse for file..."));
        shown = items(child<QListWidget>(f, "fileBr"), false);
        selected = items(child<QListWidget>(f, "fileBr"), true);
        child<QPushButton>(f, "cmdDone")->click();
    });
    const QString result = utBrowse(path("Report.txt"), QStringLiteral("Text (*.txt)|*.txt|All|*.*"));
    // Both spellings are selected; the first type's pattern keeps them.
    EXPECT_EQ(shown.size(), 2);
    EXPECT_EQ(selected.size(), 2);
    EXPECT_TRUE(shown.contains("Report.txt") && shown.contains("report.TXT"));
    EXPECT_TRUE(result == folderResult() + "Report.txt" || result == folderResult() + "report.TXT")
        << qPrintable(result);
    EXPECT_EQ(handler->ErrNumber(), 0);
}

TEST_F(BrowseDialog, FolderOnlyModeHidesTheFileSideAndReturnsTheFolderWithASeparator)
{
    QStringList titles;
    ModalRecorder modal([&](FormBase& f) {
        titles << f.windowTitle();
        for (const char* name : {"fileBr", "comboFileTypes", "lblInfo_0", "lblInfo_3"})
            EXPECT_FALSE(child<QWidget>(f, name)->isVisibleTo(&f)) << name;
        // The folder tree takes the whole width.
        auto* tree = child<QTreeWidget>(f, "dirBr");
        EXPECT_EQ(tree->x() + tree->width(), f.width() - tree->x());
        child<QPushButton>(f, "cmdDone")->click();
    });
    // A file as the starting point still gives only its folder.
    EXPECT_EQ(utBrowse(path("notes.md"), browseDefaultPattern(), true), folderResult());
    EXPECT_EQ(utBrowse(dir.path(), browseDefaultPattern(), true, QStringLiteral("Pick")), folderResult());
    EXPECT_EQ(titles, QStringList({"Browse for folder...", "Pick"}));
}

TEST_F(BrowseDialog, CancelEscapeAndTheCloseBoxReturnNothingAndOkWithoutAFileReturnsTheFolder)
{
    using Press = std::function<void(FormBase&)>;
    const std::pair<const char*, Press> cases[] = {
        {"Cancel", [](FormBase& f) { child<QPushButton>(f, "cmdCancel")->click(); }},
        {"Escape", [](FormBase& f) { QTest::keyClick(child<QListWidget>(f, "fileBr"), Qt::Key_Escape); }},
        {"close box", [](FormBase& f) { EXPECT_FALSE(f.RequestUnload(platform::vbFormControlMenu)); }},
    };
    for (const auto& [what, press] : cases) {
        QString folder;
        ModalRecorder modal([&](FormBase& f) {
            folder = qobject_cast<frmBrowse*>(&f)->Lists().folder();
            press(f);
        });
        // A path that does not exist starts in the current folder.
        EXPECT_EQ(utBrowse(path("no/such/thing.txt")), QString()) << what;
        EXPECT_EQ(folder, QDir::cleanPath(QDir::currentPath()));
    }
    ModalRecorder enter([](FormBase& f) { QTest::keyClick(child<QTreeWidget>(f, "dirBr"), Qt::Key_Return); });
    EXPECT_EQ(utBrowse(dir.path()), folderResult());
}

TEST_F(BrowseDialog, TypesFoldersAndDoubleClickWorkTogether)
{
    ModalRecorder modal([&](FormBase& f) {
        EXPECT_EQ(child<QComboBox>(f, "comboFileTypes")->count(), 1); // the trailing description has no pattern
        auto* files = child<QListWidget>(f, "fileBr");
        EXPECT_EQ(items(files, false), QStringList("setup.exe"));
        // Opening the subfolder empties the file list; back up and pick a file.
        auto* tree = child<QTreeWidget>(f, "dirBr");
        QTreeWidgetItem* current = tree->currentItem();
        ASSERT_EQ(current->childCount(), 2);
        tree->setCurrentItem(current->child(1)); // "sub" after "card"
        EXPECT_EQ(files->count(), 0);
        tree->setCurrentItem(current);
        files->setCurrentRow(0);
        emit files->itemDoubleClicked(files->item(0));
    });
    EXPECT_EQ(utBrowse(dir.path(), QStringLiteral("Programs|*.exe|Everything")), folderResult() + "setup.exe");
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
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Device is unavailable"));
    EXPECT_EQ(messages.shown[1].text, QStringLiteral("Path not found"));
    EXPECT_EQ(messages.shown[0].style, platform::vbExclamation + platform::vbOKOnly);
    EXPECT_EQ(handler->ErrNumber(), 0);
}
