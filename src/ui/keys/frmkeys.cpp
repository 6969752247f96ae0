#include "ui/keys/frmkeys.h"

#include "settings/formsettings.h"
#include "ui/main/mainlayout.h"
#include "ui/screenfit.h"
#include "ui/zoom.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>

#include <algorithm>

namespace {

const char* const Rows[][2] = {
    {"0 to 9", "Type an octet; entering a box selects it, so typing replaces it"},
    {".", "Go to the next octet box"},
    {"Backspace", "Delete a digit; in an empty box, go back to the box before"},
    {"Tab, Shift+Tab", "Go to the next or the previous control"},
    {"Up, Down", "On a spin control: step the mask, the host or the subnet"},
    {"Shift, Ctrl, Ctrl+Shift", "Held while stepping the host or the subnet: steps of 10, 100, 1000"},
    {"Ctrl+V", "In an octet box: paste an address, as 192.168.1.77/26 or 192.168.1.77 255.255.255.192"},
    {"Ctrl+C", "Copy the report of the address, as the quillmark command prints it"},
    {"Ctrl+L", "Open the subnet table"},
    {"Ctrl+6", "Open the IPv6 calculator"},
    {"Ctrl+P", "Open the practice window: questions to answer, checked and explained"},
    {"Ctrl+=, Ctrl+-, Ctrl+0", "Zoom in, zoom out, back to 100% (as large as the screen holds)"},
    {"F1", "Show this list"},
    {"Click on the class", "Open the class reference"},
    {"Click on Web Links", "Open the page of web links"},
    {"Right-click", "Outside the octet boxes: a menu of every window and action"},
    {"Escape", "Exit the calculator; in any other window, close that window"},
};

// Design geometry in twips: margins, the label's height and the button's size.
constexpr int Margin = 120;
constexpr int LabelHeight = 195;
constexpr int ListTop = 360;
constexpr int Gap = 105;
constexpr int ButtonWidth = 1095, ButtonHeight = 375;

} // namespace

frmKeys::frmKeys(QWidget* parent) : platform::FormBase(QStringLiteral("frmKeys"), platform::bsFixedDialog, parent)
{
    setWindowTitle(QStringLiteral("Keys and Actions"));
    lvKeys_ = new QTreeWidget(this);
    lvKeys_->setObjectName(QStringLiteral("lvKeys"));
    lvKeys_->setAccessibleName(QStringLiteral("Keys and mouse actions"));
    lvKeys_->setRootIsDecorated(false);
    lvKeys_->setItemsExpandable(false);
    lvKeys_->setAllColumnsShowFocus(true);
    lvKeys_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvKeys_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lvKeys_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lvKeys_->setHeaderLabels({QStringLiteral("Key or mouse"), QStringLiteral("What it does")});
    lvKeys_->header()->setSectionsMovable(false);
    lvKeys_->header()->setStretchLastSection(true);
    for (const auto& row : Rows)
        new QTreeWidgetItem(lvKeys_, {QLatin1String(row[0]), QLatin1String(row[1])});

    Label1_ = new QLabel(QStringLiteral("Keys and mouse actions of the calculator window:"), this);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label1_->setTextFormat(Qt::PlainText);
    Label1_->setBuddy(lvKeys_);

    cmdOptions_ = new QPushButton(QStringLiteral("Done"), this);
    cmdOptions_->setObjectName(QStringLiteral("cmdOptions"));
    cmdOptions_->setAccessibleName(QStringLiteral("Done"));
    cmdOptions_->setDefault(true);
    cmdOptions_->setFocus();
    setTabOrder(lvKeys_, cmdOptions_);
    connect(cmdOptions_, &QPushButton::clicked, this, [this] { Unload(); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, cmdOptions_, &QPushButton::click);

    zoom::Zoom::addShortcuts(this);
    connect(&zoom::Zoom::instance(), &zoom::Zoom::changed, this, &frmKeys::layout);
    layout(zoom::percent());
}

void frmKeys::layout(int percent)
{
    using zoom::px;
    setFont(mainlayout::designFont(font(), percent));
    // Every row on one line and in view: no scroll bars to hide one.
    int width = 2 * lvKeys_->frameWidth();
    for (int c = 0; c < lvKeys_->columnCount(); ++c) {
        lvKeys_->resizeColumnToContents(c);
        width += lvKeys_->columnWidth(c);
    }
    lvKeys_->doItemsLayout();
    int height = 2 * lvKeys_->frameWidth() + lvKeys_->header()->sizeHint().height();
    for (int r = 0; r < lvKeys_->topLevelItemCount(); ++r)
        height += lvKeys_->sizeHintForRow(r);
    // A little room past the last column's widest text.
    width += px(Margin, percent);

    const int left = px(Margin, percent);
    Label1_->setGeometry(left, left, std::max(Label1_->sizeHint().width(), 1), px(LabelHeight, percent));
    width = std::max(width, Label1_->width());
    lvKeys_->setGeometry(left, px(ListTop, percent), width, height);
    const int buttonTop = lvKeys_->geometry().bottom() + 1 + px(Gap, percent);
    const int buttonWidth = px(ButtonWidth, percent);
    cmdOptions_->setGeometry(left + width - buttonWidth, buttonTop, buttonWidth, px(ButtonHeight, percent));
    setFixedSize(2 * left + width, buttonTop + px(ButtonHeight, percent) + left);
}

void frmKeys::showEvent(QShowEvent* event)
{
    // Over the window it was opened from, the first time it shows.
    if (!placed_) {
        placed_ = true;
        if (!ui::centreOverOpener(this))
            centerOnScreen();
        // Where the user left it last time, if anywhere.
        utFormSettingsLoad(*this);
        ui::keepOnScreen(this);
        ui::keepFramePlaceWhenFramed(this);
    }
    platform::FormBase::showEvent(event);
}

void frmKeys::Form_Unload()
{
    utFormSettingsSave(*this);
}
