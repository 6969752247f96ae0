#include "ui/dialogs/frmtimedmsgbox.h"

#include "errors/procedure.h"
#include "platform/appinfo.h"
#include "platform/clock.h"
#include "platform/messagebox.h"
#include "platform/qtstrings.h"
#include "platform/runtimeerror.h"
#include "ui/dialogs/dialogkeys.h"
#include "ui/dialogs/frmbrowse.h"
#include "ui/dialogs/imagelist.h"
#include "ui/dialogs/nonmodalboxes.h"
#include "util/gui/modutilsgui.h"
#include "util/modutils.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

using errors::Procedure;

namespace {
constexpr int Gap = 105;
constexpr int ClientWidth = 6255;
constexpr int ClientHeight = 3015;
constexpr int ButtonsTop = 2520;
constexpr int ButtonWidth = 1215;
constexpr int ButtonHeight = 375;
constexpr long ControlArrayElementMissing = 340;

QString characters(int n)
{
    return QString::number(n) + QStringLiteral(" character") + (n == 1 ? QString() : QStringLiteral("s")) +
           QLatin1Char('.');
}

void setPasswordMask(QLineEdit* edit, bool masked)
{
    edit->setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
    // The mask is "*", whatever the style's own password character is.
    edit->setStyleSheet(masked ? QStringLiteral("QLineEdit { lineedit-password-character: 42; }") : QString());
}
} // namespace

int timedBoxResult(int buttonType, int buttonClicked)
{
    static const int codes[3][3] = {{platform::vbOK, platform::vbCancel, 0},
                                    {platform::vbYes, platform::vbNo, 0},
                                    {platform::vbYes, platform::vbNo, platform::vbCancel}};
    if (buttonType < 1 || buttonType > 3 || buttonClicked < 0 || buttonClicked > 2)
        return 0;
    return codes[buttonType - 1][buttonClicked];
}

QString lengthCheckMessage(int length, int minLength, int maxLength)
{
    const QString twoLines = QStringLiteral("\r\n\r\n");
    if (minLength >= 0 && length < minLength)
        return QStringLiteral("The text you have entered is too short.") + twoLines +
               QStringLiteral("You must enter at least ") + characters(minLength);
    if (maxLength >= 0 && length > maxLength)
        return QStringLiteral("The text you have entered is too long.") + twoLines +
               QStringLiteral("You may enter a maximum of ") + characters(maxLength);
    return QString();
}

frmTimedMsgBox::frmTimedMsgBox() : FormBase(QStringLiteral("frmTimedMsgBox"), platform::bsFixedDialog)
{
    setClientSizeTwips(ClientWidth, ClientHeight);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setAlignment(Qt::AlignCenter);
    placeTwips(picIcon, 120, 120, 495, 495);

    lblMessage = new QLabel(this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setWordWrap(true);
    lblMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblMessage->setTextFormat(Qt::PlainText);
    placeTwips(lblMessage, 840, 120, 5295, 2295);

    txtInput = new QLineEdit(this);
    txtInput->setObjectName(QStringLiteral("txtInput"));
    placeTwips(txtInput, 720, 720, 2415, 285);
    txtInput->hide();
    txtInput->installEventFilter(this);

    txtPasswordReEnter = new QLineEdit(this);
    txtPasswordReEnter->setObjectName(QStringLiteral("txtPasswordReEnter"));
    setPasswordMask(txtPasswordReEnter, true);
    placeTwips(txtPasswordReEnter, 720, 1320, 2415, 285);
    txtPasswordReEnter->hide();

    cmdBrowse = new QPushButton(QStringLiteral("Browse"), this);
    cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
    placeTwips(cmdBrowse, 5280, 720, 855, 285);
    cmdBrowse->hide();
    connect(cmdBrowse, &QPushButton::clicked, this, [this] { cmdBrowse_Click(); });

    const int buttonLeft[3] = {4920, 3600, 2280};
    for (int i = 0; i < 3; ++i) {
        cmdButtons[i] = new QPushButton(this);
        cmdButtons[i]->setObjectName(QStringLiteral("cmdButtons_%1").arg(i));
        placeTwips(cmdButtons[i], buttonLeft[i], ButtonsTop, ButtonWidth, ButtonHeight);
        connect(cmdButtons[i], &QPushButton::clicked, this, [this, i] { cmdButtons_Click(i); });
    }
    // Tab runs left to right over the text boxes, then the buttons.
    setTabOrder(txtInput, txtPasswordReEnter);
    setTabOrder(txtPasswordReEnter, cmdBrowse);
    setTabOrder(cmdBrowse, cmdButtons[2]);
    setTabOrder(cmdButtons[2], cmdButtons[1]);
    setTabOrder(cmdButtons[1], cmdButtons[0]);

    lblTimer = new QLabel(this);
    lblTimer->setObjectName(QStringLiteral("lblTimer"));
    lblTimer->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblTimer->setWordWrap(true);
    placeTwips(lblTimer, 120, ButtonsTop, 945, 195);

    timerExit = new QTimer(this);
    timerExit->setObjectName(QStringLiteral("timerExit"));
    timerExit->setInterval(500);
    connect(timerExit, &QTimer::timeout, this, [this] { timerExit_Timer(); });

    // Form_Load
    FirstActivate = true;
}

QPushButton* frmTimedMsgBox::button(int index) const
{
    if (index < 0 || index > 2)
        platform::Raise(ControlArrayElementMissing,
                        QStringLiteral("Control array element '%1' doesn't exist").arg(index));
    return cmdButtons[index];
}

void frmTimedMsgBox::SetupBox(const SetupArgs& a)
{
    Procedure("frmTimedMsgBox.SetupBox()", [&] {
        timerExit->stop();
        InputMode = a.InputMode;
        WaitTime = a.WaitTime;

        setupButtons(a.ButtonType, a.AllowCancel);
        if (a.DefaultButton) {
            button(*a.DefaultButton);
            defaultIndex_ = *a.DefaultButton;
        }
        if (a.CancelButton) {
            button(*a.CancelButton);
            cancelIndex_ = *a.CancelButton;
        }
        for (int i = 0; i < 3; ++i)
            cmdButtons[i]->setDefault(i == defaultIndex_);

        const std::optional<QString>* texts[3] = {&a.Button0Text, &a.Button1Text, &a.Button2Text};
        const bool presetSet = a.ButtonType >= 1 && a.ButtonType <= 3;
        for (int i = 0; i < 3; ++i) {
            if (!*texts[i])
                continue;
            cmdButtons[i]->setText(**texts[i]);
            // Outside the preset sets a button is there when the caller names it.
            if (!presetSet)
                cmdButtons[i]->show();
        }

        setWindowTitle(a.Title ? *a.Title : platform::qstr(platform::App().title));
        lblMessage->setText(a.Message);

        if (InputMode) {
            if (MinLength >= 0 || MaxLength >= 0)
                WaitTime = 0;
            txtInput->setText(a.DefaultValue);
            txtInput->show();
            if (a.AllowBrowse) {
                cmdBrowse->show();
                WaitTime = 0;
            }
            PasswordEntry = a.PasswordEntry;
            if (PasswordEntry) {
                setPasswordMask(txtInput, true);
                WaitTime = 0;
                PasswordConfirm = a.PasswordConfirm;
                txtPasswordReEnter->setVisible(PasswordConfirm);
            } else {
                setPasswordMask(txtInput, false);
                txtPasswordReEnter->hide();
                PasswordConfirm = false;
            }
        } else {
            PasswordEntry = false;
            PasswordConfirm = false;
            txtInput->hide();
            setPasswordMask(txtInput, false);
            cmdBrowse->hide();
            txtPasswordReEnter->hide();
        }

        layoutHorizontally(a.ImageListControl, a.IconNum, InputMode && a.AllowBrowse);

        if (WaitTime < 1)
            lblTimer->clear();
        else
            showCountDown(WaitTime);

        Modal = a.Modal.value_or(true);
        ShownAt = platform::Now();
        if (WaitTime > 0)
            timerExit->start();
    });
}

void frmTimedMsgBox::setupButtons(int buttonType, bool allowCancel)
{
    struct Set {
        const char* captions[3];
    };
    static const Set sets[3] = {
        {{"&OK", "&Cancel", "&Cancel"}}, {{"&Yes", "&No", "&Cancel"}}, {{"&Yes", "&No", "&Cancel"}}};
    if (buttonType < 1 || buttonType > 3) {
        // No preset: a lone "&OK" unless the caller's texts add buttons.
        cmdButtons[0]->setText(QStringLiteral("&OK"));
        cmdButtons[0]->show();
        cmdButtons[1]->hide();
        cmdButtons[2]->hide();
        defaultIndex_ = -1;
        cancelIndex_ = -1;
        return;
    }
    const Set& set = sets[buttonType - 1];
    for (int i = 0; i < 3; ++i)
        cmdButtons[i]->setText(QString::fromLatin1(set.captions[i]));
    cmdButtons[0]->show();
    defaultIndex_ = 0;
    if (buttonType == 3) {
        cmdButtons[1]->show();
        cmdButtons[2]->setVisible(allowCancel);
        cancelIndex_ = 2;
    } else {
        cmdButtons[1]->setVisible(allowCancel);
        cmdButtons[2]->hide();
        cancelIndex_ = 1;
    }
}

void frmTimedMsgBox::layoutHorizontally(const ImageList* images, const QVariant& iconNum, bool allowBrowse)
{
    int left = Gap;
    if (images) {
        const QPixmap picture = images->Item(iconNum);
        picIcon->setPixmap(picture.scaled(picIcon->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        picIcon->show();
        left =
            utFormResize_AbsoluteLeft(platform::pxToTwips(picIcon->x()), platform::pxToTwips(picIcon->width())) + Gap;
    } else {
        picIcon->clear();
        picIcon->hide();
    }
    const int px = platform::twipsToPx(left);
    lblMessage->move(px, lblMessage->y());
    txtInput->move(px, txtInput->y());
    txtPasswordReEnter->move(px, txtPasswordReEnter->y());
    lblMessage->resize(platform::twipsToPx(utFormResize_WidthSpring(lblMessage, ClientWidth, Gap)),
                       lblMessage->height());
    const int boxRight = allowBrowse ? platform::pxToTwips(cmdBrowse->x()) : ClientWidth;
    txtInput->resize(platform::twipsToPx(utFormResize_WidthSpring(txtInput, boxRight, Gap)), txtInput->height());
    txtPasswordReEnter->resize(txtInput->width(), txtPasswordReEnter->height());
    // In input mode the message keeps to the lines above the text box rather
    // than running on underneath it.
    const int messageBottom = InputMode ? 720 - Gap / 2 : 120 + 2295;
    lblMessage->resize(lblMessage->width(), platform::twipsToPx(messageBottom - 120));

    // Buttons stand right to left from the right margin, each wide enough for
    // its caption.
    int right = platform::twipsToPx(ClientWidth - 120);
    const int gapPx = platform::twipsToPx(Gap);
    for (QPushButton* b : cmdButtons) {
        if (!b->isVisibleTo(this))
            continue;
        const int width = std::max(platform::twipsToPx(ButtonWidth), b->sizeHint().width());
        b->setGeometry(right - width, b->y(), width, b->height());
        right -= width + gapPx;
    }
    timerRight_ = right;
    placeTimerLabel();
}

void frmTimedMsgBox::placeTimerLabel()
{
    // Beside the buttons; a count-down too long for one line wraps and grows
    // upwards from the bottom of the button row.
    const int left = platform::twipsToPx(120);
    const int width = std::max(0, timerRight_ - left);
    const int bottom = platform::twipsToPx(ButtonsTop + ButtonHeight);
    const int height = std::max(platform::twipsToPx(ButtonHeight), lblTimer->heightForWidth(width));
    lblTimer->setGeometry(left, bottom - height, width, height);
}

void frmTimedMsgBox::showCountDown(int seconds)
{
    lblTimer->setText(QStringLiteral("Closing in ") + utFormatSecondsAsNiceTime(seconds) + QStringLiteral("..."));
    placeTimerLabel();
}

void frmTimedMsgBox::timerExit_Timer()
{
    Procedure("frmTimedMsgBox.timerExit_Timer()", [&] {
        if (!isVisible())
            return;
        if (utPauseDiff(ShownAt, WaitTime)) {
            ButtonClicked_ = -1;
            for (int i = 0; i < 3; ++i)
                if (i == defaultIndex_)
                    cmdButtons_Click(i);
            if (ButtonClicked_ == -1)
                cmdButtons_Click(0);
        }
        showCountDown(WaitTime - int(ShownAt.secsTo(platform::Now())));
    });
}

void frmTimedMsgBox::cmdButtons_Click(int index)
{
    Procedure("frmTimedMsgBox.cmdButtons_Click()", [&] {
        if (index == 0 && InputMode) {
            QString problem;
            if (PasswordConfirm && txtInput->text() != txtPasswordReEnter->text())
                problem = QStringLiteral("The passwords do not match, please verify you have entered the passwords "
                                         "correctly.");
            else if (!PasswordEntry || PasswordConfirm)
                problem = lengthCheckMessage(int(txtInput->text().toUcs4().size()), MinLength, MaxLength);
            if (!problem.isEmpty()) {
                platform::MsgBox(problem, platform::vbExclamation + platform::vbOKOnly);
                return;
            }
        }
        ButtonClicked_ = index;
        if (Modal) {
            hide();
            return;
        }
        timerExit->stop();
        utNonModalBoxClose(this);
    });
}

void frmTimedMsgBox::cmdBrowse_Click()
{
    Procedure("frmTimedMsgBox.cmdBrowse_Click()", [&] {
        const QString chosen = utBrowse(txtInput->text(), BrowsePattern, BrowseFolderOnly);
        if (!chosen.isEmpty())
            txtInput->setText(chosen);
    });
}

void frmTimedMsgBox::Form_Activate()
{
    Procedure("frmTimedMsgBox.Form_Activate()", [&] {
        if (!FirstActivate)
            return;
        if (InputMode)
            txtInput->setFocus(Qt::ActiveWindowFocusReason);
        else
            button(defaultIndex_ < 0 ? 0 : defaultIndex_)->setFocus(Qt::ActiveWindowFocusReason);
        FirstActivate = false;
    });
}

void frmTimedMsgBox::txtInput_GotFocus()
{
    Procedure("frmTimedMsgBox.txtInput_GotFocus()", [] { utHighlight(); });
}

void frmTimedMsgBox::Form_QueryUnload(bool& cancel, int unloadMode)
{
    // The close box counts as the cancel button, or as button 0 when no
    // cancel button is shown; a press that fails its checks keeps the box open.
    if (unloadMode != platform::vbFormControlMenu)
        return;
    cancel = true;
    const bool cancelShown = cancelIndex_ >= 0 && cancelIndex_ <= 2 && cmdButtons[cancelIndex_]->isVisibleTo(this);
    cmdButtons_Click(cancelShown ? cancelIndex_ : 0);
}

bool frmTimedMsgBox::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return FormBase::event(event);
}

bool frmTimedMsgBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtInput && event->type() == QEvent::FocusIn)
        txtInput_GotFocus();
    return FormBase::eventFilter(watched, event);
}

void frmTimedMsgBox::keyPressEvent(QKeyEvent* event)
{
    QPushButton* def = defaultIndex_ >= 0 && defaultIndex_ <= 2 ? cmdButtons[defaultIndex_] : nullptr;
    QPushButton* can = cancelIndex_ >= 0 && cancelIndex_ <= 2 ? cmdButtons[cancelIndex_] : nullptr;
    if (!pressDialogKey(this, event, def, can))
        FormBase::keyPressEvent(event);
}

namespace {
// The arguments every entry point passes through unchanged.
template <typename Options> frmTimedMsgBox::SetupArgs commonArgs(const QString& Message, int WaitTime, const Options& o)
{
    frmTimedMsgBox::SetupArgs a;
    a.Message = Message;
    a.WaitTime = WaitTime;
    a.IconNum = o.IconNum;
    a.ImageListControl = o.ImageListControl;
    a.ButtonType = o.ButtonType;
    a.Title = o.Title;
    return a;
}

} // namespace

// Prepares and shows a box modally; false when it was unloaded from
// elsewhere while open (the program shutting down): no button then.
bool RunModalBox(QPointer<frmTimedMsgBox>& box, const frmTimedMsgBox::SetupArgs& a)
{
    box->SetupBox(a);
    box->centerOnScreen();
    box->Show(true);
    if (!box)
        return false;
    box->timerExit->stop();
    return true;
}

int utMsgbox(const QString& Message, int WaitTime, const MsgBoxOptions& o)
{
    int result = 0;
    QPointer<frmTimedMsgBox> box(new frmTimedMsgBox);
    Procedure("frmTimedMsgBox.utMsgbox()", [&] {
        frmTimedMsgBox::SetupArgs a = commonArgs(Message, WaitTime, o);
        a.AllowCancel = o.AllowCancel;
        a.DefaultButton = o.DefaultButton;
        a.CancelButton = o.CancelButton;
        a.Button0Text = o.Button0Text;
        a.Button1Text = o.Button1Text;
        a.Button2Text = o.Button2Text;
        if (RunModalBox(box, a))
            result = timedBoxResult(o.ButtonType, box->ButtonClicked_);
    });
    if (box)
        box->Unload();
    return result;
}

QString utInputBox(const QString& Message, int WaitTime, const InputBoxOptions& o)
{
    QString result;
    QPointer<frmTimedMsgBox> box(new frmTimedMsgBox);
    Procedure("frmTimedMsgBox.utInputBox()", [&] {
        box->MinLength = o.MinLength;
        box->MaxLength = o.MaxLength;
        box->BrowseFolderOnly = o.BrowseFolderOnly;
        box->BrowsePattern = o.BrowsePattern;
        frmTimedMsgBox::SetupArgs a = commonArgs(Message, WaitTime, o);
        a.AllowCancel = o.AllowCancel;
        a.InputMode = true;
        a.DefaultButton = o.DefaultButton;
        a.CancelButton = o.CancelButton;
        a.DefaultValue = o.DefaultValue;
        a.AllowBrowse = o.AllowBrowse;
        a.PasswordEntry = o.PasswordEntry;
        a.PasswordConfirm = o.PasswordConfirm;
        if (!RunModalBox(box, a))
            return;
        const int clicked = box->ButtonClicked_;
        if (clicked == 0)
            result = box->txtInput->text();
        else if (clicked == 1 || clicked == 2)
            result = QStringLiteral("{CANCEL}");
    });
    if (box)
        box->Unload();
    return result;
}

void utMsgBoxNonModal(const QString& Message, int WaitTime, const NonModalBoxOptions& o)
{
    auto* box = new frmTimedMsgBox;
    Procedure("frmTimedMsgBox.utMsgBoxNonModal()", [&] {
        utNonModalBoxRegister(box);
        frmTimedMsgBox::SetupArgs a = commonArgs(Message, WaitTime, o);
        a.AllowCancel = false;
        a.DefaultButton = 0;
        a.CancelButton = 0;
        a.Button0Text = o.Button0Text;
        a.Modal = false;
        box->SetupBox(a);
        box->centerOnScreen();
        box->Show(false);
    });
}
