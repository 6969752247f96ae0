#include "guisupport.h"
#include "testsupport.h"
#include "ui/dialogs/frmbrowse.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {
frmBrowse& browse(platform::FormBase& f)
{
    return *qobject_cast<frmBrowse*>(&f);
}
template <typename W> W* child(platform::FormBase& f, const char* name)
{
    W* w = f.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}
QStringList selectedFiles(platform::FormBase& f)
{
    QStringList names;
    for (const QListWidgetItem* item : child<QListWidget>(f, "fileBr")->selectedItems())
        names << item->text();
    return names;
}
} // namespace

class BrowseDialog : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        previous = clsBrowseLists::setDriveProvider([this] {
            return std::vector<BrowseDrive>{{QStringLiteral("/"), QStringLiteral("/"), true},
                                            {path(QStringLiteral("card")), QStringLiteral("card"), false},
                                            {path(QStringLiteral("gone")), QStringLiteral("gone"), true},
                                            {path(QStringLiteral("sub/alt")), QStringLiteral("alt"), true}};
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
    QString title;
    QStringList selected, shownFiles;
    ModalRecorder modal([&](platform::FormBase& f) {
        title = f.windowTitle();
        selected = selectedFiles(f);
        auto* files = child<QListWidget>(f, "fileBr");
        for (int i = 0; i < files->count(); ++i)
            shownFiles << files->item(i)->text();
        child<QPushButton>(f, "cmdDone")->click();
    });
    const QString result = utBrowse(path(QStringLiteral("Report.txt")), QStringLiteral("Text (*.txt)|*.txt|All|*.*"));
    EXPECT_EQ(modal.shown, QStringList{QStringLiteral("frmBrowse")});
    EXPECT_EQ(title, QStringLiteral("Browse for file..."));
    // Both spellings are selected; the first type's pattern keeps them.
    shownFiles.sort();
    EXPECT_EQ(shownFiles, (QStringList{QStringLiteral("Report.txt"), QStringLiteral("report.TXT")}));
    EXPECT_EQ(selected.size(), 2);
    EXPECT_TRUE(result == folderResult() + QStringLiteral("Report.txt") ||
                result == folderResult() + QStringLiteral("report.TXT"))
        << result.toStdString();
    EXPECT_EQ(handler->ErrNumber(), 0);
}

TEST_F(BrowseDialog, FolderOnlyModeHidesTheFileSideAndReturnsTheFolderWithASeparator)
{
    QStringList titles;
    ModalRecorder modal([&](platform::FormBase& f) {
        titles << f.windowTitle();
        EXPECT_FALSE(child<QListWidget>(f, "fileBr")->isVisibleTo(&f));
        EXPECT_FALSE(child<QComboBox>(f, "comboFileTypes")->isVisibleTo(&f));
        EXPECT_FALSE(child<QLabel>(f, "lblInfo_0")->isVisibleTo(&f));
        EXPECT_FALSE(child<QLabel>(f, "lblInfo_3")->isVisibleTo(&f));
        // The folder tree takes the whole width.
        auto* tree = child<QTreeWidget>(f, "dirBr");
        EXPECT_EQ(tree->x() + tree->width(), f.width() - tree->x());
        child<QPushButton>(f, "cmdDone")->click();
    });
    // A file as the starting point still gives only its folder.
    EXPECT_EQ(utBrowse(path(QStringLiteral("notes.md")), browseDefaultPattern(), true), folderResult());
    EXPECT_EQ(utBrowse(dir.path(), browseDefaultPattern(), true, QStringLiteral("Pick")), folderResult());
    EXPECT_EQ(titles, (QStringList{QStringLiteral("Browse for folder..."), QStringLiteral("Pick")}));
}

TEST_F(BrowseDialog, CancelEscapeAndTheCloseBoxReturnNothingAndOkWithoutAFileReturnsTheFolder)
{
    using Press = std::function<void(platform::FormBase&)>;
    const std::pair<const char*, Press> cases[] = {
        {"Cancel", [](platform::FormBase& f) { child<QPushButton>(f, "cmdCancel")->click(); }},
        {"Escape", [](platform::FormBase& f) { QTest::keyClick(child<QListWidget>(f, "fileBr"), Qt::Key_Escape); }},
        {"close box", [](platform::FormBase& f) { EXPECT_FALSE(f.RequestUnload(platform::vbFormControlMenu)); }},
    };
    for (const auto& [what, press] : cases) {
        ModalRecorder modal([&](platform::FormBase& f) { press(f); });
        EXPECT_EQ(utBrowse(path(QStringLiteral("notes.md"))), QString()) << what;
    }

    ModalRecorder enter([](platform::FormBase& f) { QTest::keyClick(child<QTreeWidget>(f, "dirBr"), Qt::Key_Return); });
    EXPECT_EQ(utBrowse(dir.path()), folderResult());
}

TEST_F(BrowseDialog, TypesFoldersAndDoubleClickWorkTogether)
{
    ModalRecorder modal([&](platform::FormBase& f) {
        frmBrowse& b = browse(f);
        auto* types = child<QComboBox>(f, "comboFileTypes");
        ASSERT_EQ(types->count(), 1); // the trailing description has no pattern
        auto* files = child<QListWidget>(f, "fileBr");
        ASSERT_EQ(files->count(), 1);
        EXPECT_EQ(files->item(0)->text(), QStringLiteral("setup.exe"));

        // Opening the subfolder empties the file list; back up and pick a file.
        auto* tree = child<QTreeWidget>(f, "dirBr");
        QTreeWidgetItem* current = tree->currentItem();
        ASSERT_NE(current, nullptr);
        ASSERT_EQ(current->childCount(), 2);
        tree->setCurrentItem(current->child(1)); // "sub" after "card"
        EXPECT_EQ(files->count(), 0);
        EXPECT_EQ(b.Lists().folder(), path(QStringLiteral("sub")));
        tree->setCurrentItem(current);
        files->setCurrentRow(0);
        emit files->itemDoubleClicked(files->item(0));
    });
    EXPECT_EQ(utBrowse(dir.path(), QStringLiteral("Programs|*.exe|Everything")),
              folderResult() + QStringLiteral("setup.exe"));
}

TEST_F(BrowseDialog, AFailedDriveChangeExplainsAndReturnsToTheShownFoldersDrive)
{
    ModalRecorder modal([&](platform::FormBase& f) {
        auto* drives = child<QComboBox>(f, "driveBr");
        ASSERT_EQ(drives->count(), 4);
        EXPECT_EQ(drives->currentIndex(), 0); // the folder lies under "/" only
        for (int bad : {1, 2}) {
            drives->setCurrentIndex(bad);
            browse(f).driveBr_Change();
            EXPECT_EQ(drives->currentIndex(), 0);
        }
        EXPECT_EQ(browse(f).Lists().folder(), path(QStringLiteral("sub")));

        drives->setCurrentIndex(3);
        browse(f).driveBr_Change();
        EXPECT_EQ(browse(f).Lists().folder(), path(QStringLiteral("sub/alt")));
        EXPECT_EQ(child<QTreeWidget>(f, "dirBr")->topLevelItem(0)->data(0, Qt::UserRole).toString(),
                  path(QStringLiteral("sub/alt")));
        drives->setCurrentIndex(0);
        browse(f).driveBr_Change();
        EXPECT_EQ(browse(f).Lists().folder(), QStringLiteral("/"));
        browse(f).OpenFolder(path(QStringLiteral("sub")));
        EXPECT_EQ(drives->currentIndex(), 0);
        child<QPushButton>(f, "cmdDone")->click();
    });
    EXPECT_EQ(utBrowse(path(QStringLiteral("sub"))), folderResult(QStringLiteral("sub")));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, "Device is unavailable");
    EXPECT_EQ(messages.shown[1].text, "Path not found");
    EXPECT_EQ(messages.shown[0].style, platform::vbExclamation + platform::vbOKOnly);
    EXPECT_EQ(handler->ErrNumber(), 0);
}

TEST_F(BrowseDialog, APathThatDoesNotExistStartsInTheCurrentFolder)
{
    QString folder;
    ModalRecorder modal([&](platform::FormBase& f) {
        folder = browse(f).Lists().folder();
        child<QPushButton>(f, "cmdCancel")->click();
    });
    EXPECT_EQ(utBrowse(path(QStringLiteral("no/such/thing.txt"))), QString());
    EXPECT_EQ(folder, QDir::cleanPath(QDir::currentPath()));
}
