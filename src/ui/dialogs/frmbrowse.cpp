#include "ui/dialogs/frmbrowse.h"

#include "errors/procedure.h"
#include "platform/appinfo.h"
#include "platform/messagebox.h"
#include "platform/qtstrings.h"
#include "platform/runtimeerror.h"
#include "ui/dialogs/dialogkeys.h"
#include "util/gui/modutilsgui.h"
#include "util/modutils.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>

using errors::Procedure;

namespace {
constexpr int Gap = 105;
constexpr int ClientWidth = 7575;
constexpr int ClientHeight = 4695;
constexpr int PathRole = Qt::UserRole;
constexpr int LoadedRole = Qt::UserRole + 1;

QString childPath(const QString& parent, const QString& name)
{
    return parent.endsWith(QLatin1Char('/')) ? parent + name : parent + QLatin1Char('/') + name;
}
} // namespace

QString browseDefaultPattern()
{
    return QStringLiteral("Program Files (*.exe;*.com;*.bat)|*.exe;*.com;*.bat|All Files (*.*)|*.*");
}

frmBrowse::frmBrowse() : FormBase(QStringLiteral("frmBrowse"), platform::bsFixedDialog)
{
    setWindowTitle(QStringLiteral("Browse for file..."));
    setClientSizeTwips(ClientWidth, ClientHeight);

    const char* captions[4] = {"Files:", "Folders:", "Drives:", "Files of Type:"};
    const int labelAt[4][2] = {{120, 120}, {3840, 120}, {120, 3480}, {3840, 3480}};
    for (int i = 0; i < 4; ++i) {
        lblInfo[i] = new QLabel(QString::fromLatin1(captions[i]), this);
        lblInfo[i]->setObjectName(QStringLiteral("lblInfo_%1").arg(i));
        placeTwips(lblInfo[i], labelAt[i][0], labelAt[i][1], 3615, 240);
    }

    fileBr = new QListWidget(this);
    fileBr->setObjectName(QStringLiteral("fileBr"));
    fileBr->setSelectionMode(QAbstractItemView::ExtendedSelection);
    placeTwips(fileBr, 120, 360, 3615, 3015);
    lblInfo[0]->setBuddy(fileBr);

    dirBr = new QTreeWidget(this);
    dirBr->setObjectName(QStringLiteral("dirBr"));
    dirBr->setHeaderHidden(true);
    dirBr->setColumnCount(1);
    dirBr->setUniformRowHeights(true);
    dirBr->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    dirBr->header()->setStretchLastSection(true);
    placeTwips(dirBr, 3840, 360, 3615, 3015);
    lblInfo[1]->setBuddy(dirBr);

    driveBr = new QComboBox(this);
    driveBr->setObjectName(QStringLiteral("driveBr"));
    placeTwips(driveBr, 120, 3720, 3615, 315);
    lblInfo[2]->setBuddy(driveBr);

    comboFileTypes = new QComboBox(this);
    comboFileTypes->setObjectName(QStringLiteral("comboFileTypes"));
    placeTwips(comboFileTypes, 3840, 3720, 3615, 315);
    lblInfo[3]->setBuddy(comboFileTypes);

    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    placeTwips(cmdCancel, 5160, 4200, 1095, 375);
    cmdDone = new QPushButton(QStringLiteral("OK"), this);
    cmdDone->setObjectName(QStringLiteral("cmdDone"));
    cmdDone->setDefault(true);
    placeTwips(cmdDone, 6360, 4200, 1095, 375);

    setTabOrder(fileBr, dirBr);
    setTabOrder(dirBr, driveBr);
    setTabOrder(driveBr, comboFileTypes);
    setTabOrder(comboFileTypes, cmdDone);
    setTabOrder(cmdDone, cmdCancel);

    connect(driveBr, &QComboBox::activated, this, [this] { driveBr_Change(); });
    connect(comboFileTypes, &QComboBox::activated, this, [this] { comboFileTypes_Click(); });
    connect(dirBr, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { loadChildren(item); });
    connect(dirBr, &QTreeWidget::currentItemChanged, this, [this] {
        if (!filling_)
            dirBr_Change();
    });
    connect(fileBr, &QListWidget::itemSelectionChanged, this, [this] { fileSelectionChanged(); });
    connect(fileBr, &QListWidget::itemDoubleClicked, this, [this] { fileBr_DblClick(); });
    connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });

    // Form_Load: the lists start on the process's current drive and folder.
    Cancelled = false;
    showDrive();
    showFolder();
    showFiles();
}

void frmBrowse::ParsePatternString(const QString& pattern)
{
    Procedure("frmBrowse.ParsePatternString()", [&] {
        PatternList.clear();
        comboFileTypes->clear();
        for (const FileType& type : parsePatternPairs(pattern)) {
            comboFileTypes->addItem(type.description);
            PatternList.insert(QStringLiteral("k") + QString::number(comboFileTypes->count() - 1), type.pattern);
        }
        if (comboFileTypes->count() > 0) {
            comboFileTypes->setCurrentIndex(0);
            comboFileTypes_Click();
        }
    });
}

void frmBrowse::OpenFolder(const QString& folder)
{
    Procedure("frmBrowse.OpenFolder()", [&] {
        lists_.setFolder(folder);
        showDrive();
        showFolder();
        showFiles();
    });
}

void frmBrowse::SelectFileNamed(const QString& name)
{
    lists_.selectNamed(name);
    showFiles();
}

void frmBrowse::SetFolderOnly(bool folderOnly)
{
    folderOnly_ = folderOnly;
    if (!folderOnly) {
        setWindowTitle(QStringLiteral("Browse for file..."));
        return;
    }
    setWindowTitle(QStringLiteral("Browse for folder..."));
    fileBr->hide();
    comboFileTypes->hide();
    lblInfo[3]->hide();
    lblInfo[0]->hide();
    dirBr->move(platform::twipsToPx(Gap), dirBr->y());
    dirBr->resize(platform::twipsToPx(utFormResize_WidthSpring(dirBr, ClientWidth, Gap)), dirBr->height());
    lblInfo[1]->move(platform::twipsToPx(Gap), lblInfo[1]->y());
}

QString frmBrowse::Result() const
{
    // A folder pick never carries a file name, even when the starting path
    // named a file that the hidden file list still has selected.
    if (folderOnly_)
        return utPathBackslashAdd(QDir::toNativeSeparators(lists_.folder()));
    return lists_.result();
}

void frmBrowse::driveBr_Change()
{
    Procedure("frmBrowse.driveBr_Change()", [&] {
        const int index = driveBr->currentIndex();
        // Choosing the drive already shown keeps the folder.
        if (index < 0 || index >= int(lists_.drives().size()) || index == lists_.driveIndex())
            return;
        try {
            lists_.setDrive(lists_.drives()[size_t(index)].root);
        } catch (const platform::RuntimeError& e) {
            QString message;
            if (e.number() == platform::errnum::DeviceUnavailable)
                message = QStringLiteral("Device is unavailable");
            else if (e.number() == platform::errnum::FileNotFound || e.number() == platform::errnum::PathNotFound)
                message = QStringLiteral("Path not found");
            else
                throw;
            platform::MsgBox(message, platform::vbExclamation + platform::vbOKOnly);
            showDrive(); // back to the drive of the folder still shown
            return;
        }
        showDrive();
        showFolder();
        showFiles();
    });
}

void frmBrowse::dirBr_Change()
{
    Procedure("frmBrowse.dirBr_Change()", [&] {
        QTreeWidgetItem* item = dirBr->currentItem();
        if (!item)
            return;
        lists_.setFolder(item->data(0, PathRole).toString());
        showDrive();
        showFiles();
    });
}

void frmBrowse::comboFileTypes_Click()
{
    Procedure("frmBrowse.comboFileTypes_Click()", [&] {
        const int index = comboFileTypes->currentIndex();
        if (index < 0)
            return;
        lists_.setPattern(PatternList.value(QStringLiteral("k") + QString::number(index)));
        showFiles();
    });
}

void frmBrowse::fileBr_DblClick()
{
    cmdDone_Click();
}

void frmBrowse::cmdDone_Click()
{
    Procedure("frmBrowse.cmdDone_Click()", [&] { hide(); });
}

void frmBrowse::cmdCancel_Click()
{
    Procedure("frmBrowse.cmdCancel_Click()", [&] {
        Cancelled = true;
        hide();
    });
}

void frmBrowse::Form_QueryUnload(bool& cancel, int unloadMode)
{
    // The close box is the Cancel button; the caller unloads the window.
    if (unloadMode == platform::vbFormControlMenu) {
        cancel = true;
        cmdCancel_Click();
    }
}

void frmBrowse::keyPressEvent(QKeyEvent* event)
{
    if (!pressDialogKey(this, event, cmdDone, cmdCancel))
        FormBase::keyPressEvent(event);
}

void frmBrowse::showDrive()
{
    driveBr->clear();
    for (const BrowseDrive& d : lists_.drives())
        driveBr->addItem(style()->standardIcon(QStyle::SP_DriveHDIcon), d.label);
    driveBr->setCurrentIndex(lists_.driveIndex());
}

void frmBrowse::showFolder()
{
    filling_ = true;
    dirBr->clear();
    const QString root = lists_.drive();
    auto* item = new QTreeWidgetItem(dirBr, QStringList(QDir::toNativeSeparators(root)));
    item->setIcon(0, style()->standardIcon(QStyle::SP_DriveHDIcon));
    item->setData(0, PathRole, root);
    // Walk from the drive's root down to the folder, opening each level; a
    // hidden folder on the way is added although listings leave it out.
    const QString rest = lists_.folder().mid(root.size());
    for (const QString& name : rest.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        loadChildren(item);
        item->setExpanded(true);
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < item->childCount() && !next; ++i)
            if (item->child(i)->text(0) == name)
                next = item->child(i);
        if (!next) {
            next = new QTreeWidgetItem(item, QStringList(name));
            next->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
            next->setData(0, PathRole, childPath(item->data(0, PathRole).toString(), name));
        }
        item = next;
    }
    loadChildren(item);
    item->setExpanded(true);
    dirBr->setCurrentItem(item);
    // Centred, so that the folder's own subfolders show below it.
    dirBr->scrollToItem(item, QAbstractItemView::PositionAtCenter);
    filling_ = false;
}

void frmBrowse::loadChildren(QTreeWidgetItem* item)
{
    if (item->data(0, LoadedRole).toBool())
        return;
    item->setData(0, LoadedRole, true);
    const QString path = item->data(0, PathRole).toString();
    QStringList present;
    for (int i = 0; i < item->childCount(); ++i)
        present << item->child(i)->text(0);
    for (const QString& name : clsBrowseLists::subfolders(path)) {
        if (present.contains(name))
            continue;
        auto* child = new QTreeWidgetItem(item, QStringList(name));
        child->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
        child->setData(0, PathRole, childPath(path, name));
        child->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    item->setChildIndicatorPolicy(item->childCount() > 0 ? QTreeWidgetItem::ShowIndicator
                                                         : QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void frmBrowse::showFiles()
{
    filling_ = true;
    fileBr->clear();
    fileBr->addItems(lists_.files());
    for (int row : lists_.selected())
        fileBr->item(row)->setSelected(true);
    if (lists_.current() >= 0) {
        fileBr->setCurrentRow(lists_.current(), QItemSelectionModel::NoUpdate);
        fileBr->scrollToItem(fileBr->item(lists_.current()));
    }
    filling_ = false;
}

void frmBrowse::fileSelectionChanged()
{
    if (filling_)
        return;
    std::vector<int> rows;
    for (const QListWidgetItem* item : fileBr->selectedItems())
        rows.push_back(fileBr->row(item));
    lists_.setSelection(rows, fileBr->currentRow());
}

QString utBrowse(const QString& Path, const QString& Pattern, bool BrowseFolderOnly,
                 const std::optional<QString>& Title)
{
    QString result;
    QPointer<frmBrowse> form(new frmBrowse);
    Procedure("utBrowse()", [&] {
        if (utFileOrFolderExists(Path)) {
            QString expanded = utExpandSystemFolders(Path);
            QFileInfo info(expanded);
            if (!info.exists() && !platform::hasDriveLetters())
                info.setFile(expanded.replace(QLatin1Char('\\'), QLatin1Char('/')));
            QString folder, file;
            if (info.isFile()) {
                folder = info.absolutePath();
                file = info.fileName();
            } else if (info.isDir()) {
                folder = info.absoluteFilePath();
            }
            if (folder.isEmpty())
                return; // neither a file nor a folder: no dialog
            form->OpenFolder(folder);
            if (!file.isEmpty())
                form->SelectFileNamed(file);
        }
        form->SetFolderOnly(BrowseFolderOnly);
        if (Title)
            form->setWindowTitle(*Title);
        form->ParsePatternString(Pattern);
        form->centerOnScreen();
        form->Show(true);
        // Unloaded from elsewhere while open (the program shutting down): nothing was chosen.
        if (form && !form->Cancelled)
            result = form->Result();
    });
    if (form)
        form->Unload();
    return result;
}
