#include "ui/main/frmmain.h"

#include "cli/reportwriter.h"
#include "errors/procedure.h"
#include "model/appmodel.h"
#include "model/binaryfield.h"
#include "model/clsipaddy.h"
#include "model/masklength.h"
#include "model/subnettexts.h"
#include "platform/appinfo.h"
#include "platform/messagebox.h"
#include "platform/qtstrings.h"
#include "platform/runtimeerror.h"
#include "settings/formsettings.h"
#include "shell/cshellexecute.h"
#include "ui/main/entrytext.h"
#include "ui/main/keyevents.h"
#include "ui/main/mainview.h"
#include "ui/main/updown.h"
#include "util/appshutdown.h"
#include "ui/screenfit.h"
#include "ui/zoom.h"
#include "util/formutils.h"
#include "util/gui/modutilsgui.h"
#include "util/modutils.h"
#include "util/textsink.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QIcon>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>

#include <functional>

// Resources of a static library are registered by hand, outside any namespace.
static void initQuillmarkResources()
{
    Q_INIT_RESOURCE(quillmark);
}

using errors::Procedure;

namespace {

constexpr int ShiftMask = 1;
constexpr int CtrlMask = 2;
constexpr int AltMask = 4;

clsIPAddy* modelIfAny()
{
    return AppModel();
}

// The application's model; once the application object is gone (shutting
// down) a handler that still runs reports it instead of crashing.
clsIPAddy& model()
{
    clsIPAddy* ip = modelIfAny();
    if (!ip)
        platform::Raise(91, QStringLiteral("Object variable or With block variable not set"));
    return *ip;
}

// Sees the key events of every control before the control does: the
// window's key preview.
class KeyPreviewHook : public QObject {
public:
    KeyPreviewHook(QObject* parent, std::function<bool(QObject*, QEvent*)> fn) : QObject(parent), fn_(std::move(fn)) {}
    bool eventFilter(QObject* watched, QEvent* event) override { return fn_(watched, event); }

private:
    std::function<bool(QObject*, QEvent*)> fn_;
};

// The shift state of a key event as the framework numbers it (1 Shift, 2 Ctrl,
// 4 Alt), counting a modifier key as held while it goes down and as released
// once it comes up, whatever the platform reports for the key itself.
int shiftState(const QKeyEvent* e)
{
    int state = 0;
    const Qt::KeyboardModifiers m = e->modifiers();
    if (m & Qt::ShiftModifier)
        state |= ShiftMask;
    if (m & Qt::ControlModifier)
        state |= CtrlMask;
    if (m & Qt::AltModifier)
        state |= AltMask;
    int own = 0;
    switch (e->key()) {
    case Qt::Key_Shift: own = ShiftMask; break;
    case Qt::Key_Control: own = CtrlMask; break;
    case Qt::Key_Alt: own = AltMask; break;
    default: break;
    }
    return e->type() == QEvent::KeyPress ? state | own : state & ~own;
}

// A path as a message shows it: control characters written as \xNN, and a
// very long one cut in the middle, keeping the file's name.
QString shownPath(const QString& path)
{
    constexpr int MaxShown = 240;
    QString out;
    for (const QChar ch : path) {
        if (ch.category() == QChar::Other_Control || ch.category() == QChar::Other_Format)
            out += QStringLiteral("\\x%1").arg(ch.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += ch;
    }
    if (out.size() > MaxShown)
        out = out.left(MaxShown / 2) + QStringLiteral("...") + out.right(MaxShown / 2);
    return out;
}

} // namespace

frmMain::frmMain(QWidget* parent)
    : platform::FormBase(QStringLiteral("frmMain"), platform::bsFixedSingle, parent)
{
    initQuillmarkResources();
    // Read as the PNG it is: letting the toolkit guess the format would load
    // every image plugin before the first paint.
    QImageReader icon(QStringLiteral(":/quillmark.png"), "png");
    icon.setAutoDetectImageFormat(false);
    setWindowIcon(QPixmap::fromImage(icon.read()));
    setWindowTitle(QStringLiteral("Quillmark"));
    c_ = mainlayout::build(this);
    setMouseTracking(true);
    connectControls();
    centerOnScreen();
    Form_Load();
    ui::keepOnScreenWhenFramed(this);
}

frmMain::~frmMain()
{
    // The key preview sees the events the children send while they are
    // destroyed; it goes before the window's own part does.
    delete keyPreview_;
}

void frmMain::connectControls()
{
    keyPreview_ =
        new KeyPreviewHook(this, [this](QObject* w, QEvent* e) { return keyPreview(w, e) || menuRequest(w, e); });
    qApp->installEventFilter(keyPreview_);
    for (QLineEdit* box : c_.txtIP)
        box->installEventFilter(this);
    for (QLabel* label : c_.lblValues)
        if (label)
            label->installEventFilter(this);
    c_.lblWebLinks->installEventFilter(this);

    connect(c_.txtSubnetBits, &QLineEdit::textChanged, this, [this] { txtSubnetBits_Change(); });
    for (int i = 0; i < 2; ++i) {
        connect(c_.udIPChanger[size_t(i)], &UpDown::valueChanged, this, [this, i] { udIPChanger_Change(i); });
        connect(c_.cmdOptions[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdOptions_Click(i); });
    }
    // Exit is the window's cancel button: Escape presses it.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, c_.cmdOptions[0], &QPushButton::click);
    // Ctrl+Shift+D opens the framework's debug window; nothing else does.
    auto* debug = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D), this);
    connect(debug, &QShortcut::activated, this, [] {
        if (platform::Form* f = platform::Forms::load(QStringLiteral("frmDebug")))
            f->Show(false);
    });
    zoom::Zoom::addShortcuts(this);
    zoom::Zoom::instance().follow(this, [](int percent) {
        return QSize(zoom::px(mainlayout::FormWidth, percent), zoom::px(mainlayout::FormHeight, percent));
    });
    connect(&zoom::Zoom::instance(), &zoom::Zoom::changed, this, &frmMain::applyZoom);
    auto* subnets = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), this);
    connect(subnets, &QShortcut::activated, this, [] { ShowWindow(QStringLiteral("frmSubnets")); });
    auto* ipv6 = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_6), this);
    connect(ipv6, &QShortcut::activated, this, [] { ShowWindow(QStringLiteral("frmIPv6")); });
    auto* practice = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this);
    connect(practice, &QShortcut::activated, this, [] { ShowWindow(QStringLiteral("frmPractice")); });
    auto* keys = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(keys, &QShortcut::activated, this, [] { ShowWindow(QStringLiteral("frmKeys")); });
    // The mask box's own menu would only copy its number: a right-click on it
    // opens the window's menu, as on the rest of the window.
    c_.txtSubnetBits->setContextMenuPolicy(Qt::NoContextMenu);
}

void frmMain::applyZoom(int percent)
{
    mainlayout::layout(this, percent);
}

void frmMain::ShowWindow(const QString& name)
{
    if (platform::Form* f = platform::Forms::load(name))
        f->Show(false);
}

QMenu* frmMain::WindowMenu()
{
    if (menu_)
        return menu_;
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("mnuWindow"));
    menu_->setAccessibleName(QStringLiteral("Windows and actions"));
    auto add = [this](const char* name, const QString& text, const QKeySequence& keys, auto&& act) {
        QAction* a = menu_->addAction(text);
        a->setObjectName(QLatin1String(name));
        // The keys are shown here and work in the window itself.
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WidgetShortcut);
        a->setShortcutVisibleInContextMenu(true);
        connect(a, &QAction::triggered, this, act);
        return a;
    };
    zoom::Zoom& z = zoom::Zoom::instance();
    add("mnuSubnets", QStringLiteral("&Subnet table"), QKeySequence(Qt::CTRL | Qt::Key_L),
        [] { ShowWindow(QStringLiteral("frmSubnets")); });
    add("mnuIPv6", QStringLiteral("IPv&6 calculator"), QKeySequence(Qt::CTRL | Qt::Key_6),
        [] { ShowWindow(QStringLiteral("frmIPv6")); });
    add("mnuPractice", QStringLiteral("&Practice"), QKeySequence(Qt::CTRL | Qt::Key_P),
        [] { ShowWindow(QStringLiteral("frmPractice")); });
    add("mnuCopy", QStringLiteral("&Copy report"), QKeySequence(QKeySequence::Copy), [this] { CopyReport(); });
    menu_->addSeparator();
    QAction* in =
        add("mnuZoomIn", QStringLiteral("Zoom &in"), QKeySequence(Qt::CTRL | Qt::Key_Equal), [&z] { z.zoomIn(); });
    QAction* out =
        add("mnuZoomOut", QStringLiteral("Zoom &out"), QKeySequence(Qt::CTRL | Qt::Key_Minus), [&z] { z.zoomOut(); });
    QAction* normal =
        add("mnuZoomNormal", QStringLiteral("&Zoom 100%"), QKeySequence(Qt::CTRL | Qt::Key_0), [&z] { z.reset(); });
    menu_->addSeparator();
    add("mnuClassHelp", QStringLiteral("C&lass reference"), QKeySequence(), [this] { lblValues_Click(7); });
    add("mnuWebLinks", QStringLiteral("&Web Links"), QKeySequence(), [this] { lblWebLinks_Click(); });
    add("mnuKeys", QStringLiteral("&Keys and actions"), QKeySequence(Qt::Key_F1),
        [] { ShowWindow(QStringLiteral("frmKeys")); });
    add("mnuAbout", QStringLiteral("&About"), QKeySequence(), [this] { cmdOptions_Click(1); });
    menu_->addSeparator();
    add("mnuExit", QStringLiteral("E&xit"), QKeySequence(), [this] { cmdOptions_Click(0); });
    // Steps the screen has no room for, or that change nothing, are greyed.
    connect(menu_, &QMenu::aboutToShow, this, [in, out, normal, &z] {
        in->setEnabled(z.canZoomIn());
        out->setEnabled(z.percent() > zoom::Normal);
        normal->setEnabled(z.percent() != zoom::Normal);
    });
    return menu_;
}

bool frmMain::menuRequest(QObject* watched, QEvent* event)
{
    // Seen before the control: controls keep mouse events from the window
    // background, so the request would not reach the window otherwise.
    if (event->type() != QEvent::ContextMenu)
        return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || w->window() != this || indexOf(w, "txtIP") >= 0)
        return false;
    WindowMenu()->popup(static_cast<const QContextMenuEvent*>(event)->globalPos());
    event->accept();
    return true;
}

QString frmMain::ReportText() const
{
    const clsIPAddy& ip = model();
    std::uint32_t address = 0;
    for (int k = 1; k <= 4; ++k)
        address = address << 8 | std::uint32_t(ip.IPAddress(k) & 255);
    const SubnetFacts facts = ComputeSubnetFacts(address, ip.SubnetBits());
    const SubnetTexts texts = FormTexts(facts, QLocale().decimalPoint().toStdString());
    TextSink out;
    cli::AppendText(out, facts, texts, cli::Colour::Off);
    return QString::fromUtf8(out.view().data(), qsizetype(out.view().size()));
}

void frmMain::CopyReport()
{
    Procedure("frmMain.CopyReport()", [&] { QGuiApplication::clipboard()->setText(ReportText()); });
}

void frmMain::PasteAddress(const QString& text)
{
    Procedure("frmMain.PasteAddress()", [&] {
        if (const auto pasted = entrytext::pastedAddress(text))
            SetAddress(pasted->address, pasted->maskBits.value_or(model().SubnetBits()));
    });
}

void frmMain::octetBoxMenu(int Index, const QPoint& globalPos)
{
    QLineEdit* box = c_.txtIP[size_t(Index)];
    QMenu* menu = box->createStandardContextMenu();
    menu->setObjectName(QStringLiteral("mnuOctetBox"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction* a : menu->actions()) {
        if (a->text().startsWith(QLineEdit::tr("&Paste"))) {
            a->setObjectName(QStringLiteral("edit-paste"));
            // The box's own paste would keep three characters of an address.
            disconnect(a, &QAction::triggered, nullptr, nullptr);
            connect(a, &QAction::triggered, this, [this] { PasteAddress(QGuiApplication::clipboard()->text()); });
        } else if (const qsizetype tab = a->text().indexOf(QLatin1Char('\t')); tab >= 0) {
            // The boxes take no other control keys (Ctrl+C copies the report):
            // the menu does not offer them.
            a->setText(a->text().left(tab));
        }
    }
    menu->popup(globalPos);
}

QString frmMain::CaptionText()
{
    const platform::AppInfo& app = platform::App();
    return platform::qstr(app.title) + QLatin1Char(' ') + QString::number(app.major) + QLatin1Char('.') +
           QString::number(app.minor) + QString::number(app.revision) + QStringLiteral(" - by Tamsworth");
}

void frmMain::Form_Load()
{
    Procedure("frmMain.Form_Load()", [&] {
        // The zoom first: the placement is checked against the window's size.
        utFormZoomLoad(objectName());
        utFormSettingsLoad(*this);
        setWindowTitle(CaptionText());
        // The mask length changes only through its spin control.
        utControlLock(c_.txtSubnetBits, true);
        UpdateForm();
    });
}

void frmMain::Form_QueryUnload(bool& cancel, int unloadMode)
{
    Procedure("frmMain.Form_QueryUnload()", [&] {
        switch (unloadMode) {
        case platform::vbFormControlMenu:
        case platform::vbAppWindows:
        case platform::vbAppTaskManager:
            // Closing the calculator ends the program, as Exit does: saving
            // hides it, and the extra windows (the keys list, the subnet
            // table) never hold the program open.
            SaveSettings();
            cancel = true;
            utFormUnload(unloadMode, QString(), false);
            break;
        default: break; // the program's own unload proceeds
        }
    });
}

void frmMain::SaveSettings()
{
    Procedure("frmMain.SaveSettings()", [&] {
        utFormSettingsSave(*this);
        utFormZoomSave(objectName());
    });
}

bool frmMain::CallByName(const QString& operation)
{
    if (operation.compare(QLatin1String("SaveSettings"), Qt::CaseInsensitive) == 0) {
        SaveSettings();
        return true;
    }
    return false;
}

void frmMain::cmdOptions_Click(int Index)
{
    Procedure("frmMain.cmdOptions_Click()", [&] {
        switch (Index) {
        case 0: RequestAppShutdown(std::nullopt, QString(), false); break;
        case 1:
            if (platform::Form* about = platform::Forms::load(QStringLiteral("frmAbout")))
                about->Show(true);
            break;
        default: break;
        }
    });
}

void frmMain::lblValues_Click(int Index)
{
    if (Index != 7)
        return;
    if (platform::Form* help = platform::Forms::load(QStringLiteral("frmClassHelp")))
        help->Show(true);
}

void frmMain::lblWebLinks_Click()
{
    Procedure("frmMain.lblWebLinks_Click()", [&] {
        const QString path = utPathBackslashAdd(platform::qstr(platform::AppPath())) + QStringLiteral("weblinks.htm");
        QString problem;
        if (!utFileOrFolderExists(path))
            problem = QStringLiteral("Web Links file is missing.");
        else if (SharedShell().LaunchURL(static_cast<long>(winId()), path, platform::swShowNormal) != -1)
            // A click that opens nothing says so: no program for web pages.
            problem = QStringLiteral("The Web Links page could not be opened: no web browser is set up to open "
                                     "it.\n\nOpen this file with a browser:\n") +
                      shownPath(path);
        if (!problem.isEmpty())
            platform::MsgBox(problem, platform::vbExclamation | platform::vbOKOnly, QStringLiteral("Error"));
    });
}

void frmMain::lblValues_MouseMove(int Index)
{
    if (Index == 7)
        setLinkColour(c_.lblValues[7], mainlayout::HoverColour);
}

void frmMain::lblWebLinks_MouseMove()
{
    setLinkColour(c_.lblWebLinks, mainlayout::HoverColour);
}

void frmMain::Form_MouseMove()
{
    setLinkColour(c_.lblValues[7], mainlayout::LinkColour());
    setLinkColour(c_.lblWebLinks, mainlayout::LinkColour());
}

void frmMain::setLinkColour(QWidget* label, const QColor& colour)
{
    if (label->palette().color(QPalette::WindowText) == colour)
        return;
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
}

void frmMain::mouseMoveEvent(QMouseEvent* event)
{
    Form_MouseMove();
    platform::FormBase::mouseMoveEvent(event);
}

bool frmMain::event(QEvent* event)
{
    // The modifier flags only follow key events this window sees: a key let
    // go while another window is active would leave them set for good.
    if (event->type() == QEvent::WindowDeactivate) {
        ShiftDown_ = false;
        CtrlDown_ = false;
        wasDeactivated_ = true;
    }
    return platform::FormBase::event(event);
}

bool frmMain::keyPreview(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || w->window() != this)
        return false;
    const auto* ke = static_cast<const QKeyEvent*>(event);
    if (type == QEvent::KeyPress)
        Form_KeyDown(ke->key(), shiftState(ke));
    else
        Form_KeyUp(ke->key(), shiftState(ke));
    // Ctrl+C copies the report wherever the focus is, octet boxes included.
    if (type == QEvent::KeyPress && ke->matches(QKeySequence::Copy)) {
        CopyReport();
        return true;
    }
    return false;
}

void frmMain::Form_KeyDown(int KeyCode, int Shift)
{
    Q_UNUSED(KeyCode);
    Procedure("frmMain.Form_KeyDown()", [&] {
        ShiftDown_ = (Shift & ShiftMask) != 0;
        CtrlDown_ = (Shift & CtrlMask) != 0;
    });
}

void frmMain::Form_KeyUp(int KeyCode, int Shift)
{
    Q_UNUSED(KeyCode);
    Procedure("frmMain.Form_KeyUp()", [&] {
        ShiftDown_ = (Shift & ShiftMask) != 0;
        CtrlDown_ = (Shift & CtrlMask) != 0;
    });
}

int frmMain::indexOf(const QObject* control, const char* name) const
{
    const QString n = control->objectName();
    const QLatin1String prefix(name);
    if (!n.startsWith(prefix) || n.size() <= prefix.size() + 1 || n.at(prefix.size()) != QLatin1Char('_'))
        return -1;
    bool ok = false;
    const int index = n.mid(prefix.size() + 1).toInt(&ok);
    return ok ? index : -1;
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (isUnloading())
        return false;
    if (watched == c_.lblWebLinks) {
        if (event->type() == QEvent::MouseMove)
            lblWebLinks_MouseMove();
        else if (event->type() == QEvent::MouseButtonRelease) {
            const auto* me = static_cast<const QMouseEvent*>(event);
            if (me->button() == Qt::LeftButton && c_.lblWebLinks->rect().contains(me->position().toPoint()))
                lblWebLinks_Click();
        }
        return false;
    }
    if (const int box = indexOf(watched, "txtIP"); box >= 0)
        return octetBoxEvent(box, event);
    if (const int value = indexOf(watched, "lblValues"); value >= 0) {
        if (event->type() == QEvent::MouseMove)
            lblValues_MouseMove(value);
        else if (event->type() == QEvent::MouseButtonRelease) {
            const auto* me = static_cast<const QMouseEvent*>(event);
            if (me->button() == Qt::LeftButton &&
                c_.lblValues[size_t(value)]->rect().contains(me->position().toPoint()))
                lblValues_Click(value);
        }
    }
    return false;
}

using keyevents::switchedWindows;

bool frmMain::octetBoxEvent(int Index, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        // A paste takes a whole address or nothing; the box's own paste would
        // keep its first three characters.
        if (static_cast<const QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
            PasteAddress(QGuiApplication::clipboard()->text());
            return true;
        }
        const int ascii = keyevents::keyAscii(static_cast<const QKeyEvent*>(event));
        if (ascii < 0)
            return false;
        int key = ascii;
        txtIP_KeyPress(Index, key);
        return key == 0;
    }
    case QEvent::FocusIn: {
        // Coming back from another program or a menu is not entering the box;
        // the first activation, when the window opens, is.
        const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
        if (!switchedWindows(reason) || !wasDeactivated_)
            txtIP_GotFocus(Index);
        // The click that entered the box must not undo the selection by
        // placing the caret; the next click into it does.
        enteringClick_ = reason == Qt::MouseFocusReason ? Index : -1;
        return false;
    }
    case QEvent::ContextMenu:
        octetBoxMenu(Index, static_cast<const QContextMenuEvent*>(event)->globalPos());
        return true;
    case QEvent::Drop: {
        // Dropped text is pasted text; a refused drop leaves its source as it was.
        auto* drop = static_cast<QDropEvent*>(event);
        const QString text = drop->mimeData()->text();
        if (entrytext::pastedAddress(text)) {
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            PasteAddress(text);
        } else {
            drop->ignore();
        }
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove: return enteringClick_ == Index;
    case QEvent::MouseButtonRelease:
        // The middle button pastes the selection.
        if (static_cast<const QMouseEvent*>(event)->button() == Qt::MiddleButton) {
            enteringClick_ = -1;
            if (QGuiApplication::clipboard()->supportsSelection())
                PasteAddress(QGuiApplication::clipboard()->text(QClipboard::Selection));
            return true;
        }
        if (enteringClick_ != Index)
            return false;
        enteringClick_ = -1;
        return true;
    case QEvent::FocusOut:
        enteringClick_ = -1;
        if (!switchedWindows(static_cast<const QFocusEvent*>(event)->reason())) {
            bool cancel = false;
            txtIP_Validate(Index, cancel);
        }
        return false;
    default: return false;
    }
}

void frmMain::txtIP_GotFocus(int Index)
{
    Q_UNUSED(Index);
    Procedure("frmMain.txtIP_GotFocus()", [] { utHighlight(); });
}

void frmMain::sendKeystroke(QWidget* to, int key, Qt::KeyboardModifiers modifiers)
{
    // Posted, not sent: the key is handled after the current one, as typed.
    QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyPress, key, modifiers));
    QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
}

void frmMain::txtIP_KeyPress(int Index, int& KeyAscii)
{
    Procedure("frmMain.txtIP_KeyPress()", [&] {
        QLineEdit* box = c_.txtIP[size_t(Index)];
        switch (entrytext::octetKey(KeyAscii, box->text().isEmpty())) {
        case entrytext::OctetKey::Type: break;
        case entrytext::OctetKey::NextBox:
            sendKeystroke(box, Qt::Key_Tab, Qt::NoModifier);
            KeyAscii = 0;
            break;
        case entrytext::OctetKey::PreviousBox:
            sendKeystroke(box, Qt::Key_Backtab, Qt::ShiftModifier);
            KeyAscii = 0;
            break;
        case entrytext::OctetKey::Refuse: KeyAscii = 0; break;
        }
    });
}

void frmMain::txtIP_Validate(int Index, bool& Cancel)
{
    Q_UNUSED(Cancel);
    Procedure("frmMain.txtIP_LostFocus()", [&] {
        QLineEdit* box = c_.txtIP[size_t(Index)];
        const QString text = entrytext::normaliseOctet(box->text());
        box->setText(text);
        model().IPAddress(Index + 1, entrytext::roundHalfEven(entrytext::leadingNumber(text)));
        UpdateForm();
    });
}

void frmMain::txtSubnetBits_Change()
{
    Procedure("frmMain.txtSubnetBits_Change()", [&] {
        QLineEdit* box = c_.txtSubnetBits;
        // Each write below that changes the text runs this handler again,
        // nested, before going on.
        box->setText(entrytext::decimalText(entrytext::leadingNumber(box->text())));
        if (entrytext::leadingNumber(box->text()) > masklength::kEntryMax)
            box->setText(QString::number(masklength::kEntryMax));
        model().SubnetBits(entrytext::roundHalfEven(entrytext::leadingNumber(box->text())));
        UpdateForm();
    });
}

void frmMain::udIPChanger_Change(int Index)
{
    // Names are literals: the procedure stack keeps views of them.
    Procedure(Index == 0 ? "frmMain.udIPChanger_Change(0)" : "frmMain.udIPChanger_Change(1)", [&] {
        UpDown* spin = c_.udIPChanger[size_t(Index)];
        int step = 0;
        switch (spin->value()) {
        case 0: return; // putting the value back re-enters here
        case -1: step = -1; break;
        case 1: step = 1; break;
        default: break;
        }
        spin->setValue(0);
        const int amount = ScaleStep(step, ShiftDown_, CtrlDown_);
        if (Index == 0)
            ChangeHostValue(model(), amount);
        else
            ChangeSubnetValue(model(), amount);
        showOctets();
        UpdateForm();
    });
}

void frmMain::SetAddress(std::uint32_t address, int maskBits)
{
    Procedure("frmMain.SetAddress()", [&] {
        if (maskBits < masklength::kEntryMin || maskBits > masklength::kEntryMax)
            return;
        for (int k = 1; k <= 4; ++k)
            model().IPAddress(k, int(address >> (32 - 8 * k) & 255));
        showOctets();
        // The box's change handler writes the mask and refreshes; an unchanged
        // text changes nothing, so the address is shown all the same.
        const QString bits = QString::number(maskBits);
        if (c_.txtSubnetBits->text() != bits)
            c_.txtSubnetBits->setText(bits);
        else
            UpdateForm();
    });
}

void frmMain::showOctets()
{
    for (int k = 0; k < 4; ++k)
        c_.txtIP[size_t(k)]->setText(QString::number(model().IPAddress(k + 1)));
}

// The refresh reads the model and reports its own errors; the fields it
// reached before a failure are shown all the same.
void frmMain::UpdateForm()
{
    const clsIPAddy* ip = modelIfAny();
    if (!ip) {
        Procedure("frmMain.UpdateForm()", [] { model(); });
        return;
    }
    ReadSubnetFacts(*ip, refresh_);
    showFacts();
    emit refreshed();
}

void frmMain::showFacts()
{
    const SubnetFacts& facts = refresh_.facts;
    SubnetTexts& texts = texts_;
    FormTexts(facts, texts, QLocale().decimalPoint().toStdString());
    const mainlayout::TextsBeingSet settingTexts(this);
    for (const mainview::ValueLabel& v : mainview::kValueLabels) {
        if (!refresh_.has(mainview::fieldOf(v.text)))
            continue;
        QLabel* label = c_.lblValues[size_t(v.index)];
        mainlayout::setLabelText(label, QString::fromStdString(texts.*v.text));
        if (v.tip)
            label->setToolTip(QString::fromStdString(texts.*v.tip));
    }
    if (refresh_.has(FactsRefresh::Range))
        mainlayout::setLabelText(c_.lblSubnetRange, QString::fromStdString(texts.range));
    if (refresh_.has(FactsRefresh::SubnetBinary)) {
        c_.udIPChanger[1]->setVisible(facts.subnetted);
        for (size_t i = 12; i <= 14; ++i)
            c_.shapeMaskBits[i]->setVisible(facts.subnetted);
    }
    if (refresh_.has(FactsRefresh::Bars)) {
        const auto bars = mainview::RowBars(facts.networkBits, facts.subnetBits);
        for (size_t row = 0; row < 6; ++row)
            for (size_t k = 0; k < 3; ++k)
                mainlayout::placeBar(c_.shapeMaskBits[3 * row + k], bars[k].left, bars[k].width);
        mainlayout::describeRows(this, facts.networkBits, facts.subnetBits);
    }
}
