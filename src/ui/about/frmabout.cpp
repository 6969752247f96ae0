#include "ui/about/frmabout.h"

#include "errors/procedure.h"
#include "platform/appinfo.h"
#include "platform/qtstrings.h"
#include "shell/cshellexecute.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

using platform::twipsToPx;

namespace {
constexpr int ClientWidth = 5730;
constexpr int ClientHeight = 3585;
constexpr int IconPx = 32;

QLabel* makeLabel(QWidget* parent, const QString& name, int left, int top, int width, int height, bool wrap = false)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setWordWrap(wrap);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    platform::FormBase::placeTwips(l, left, top, width, height);
    return l;
}

// The design's labels were sized for an 8 pt font: where this system's font
// runs longer, a wrapped text steps down until it fits its box.
void fitText(QLabel* label)
{
    QFont f = label->font();
    while (f.pointSizeF() > 6.5 &&
           QFontMetrics(f).boundingRect(QRect(0, 0, label->width(), 10000), Qt::TextWordWrap, label->text()).height() >
               label->height()) {
        f.setPointSizeF(f.pointSizeF() - 0.25);
    }
    label->setFont(f);
}

QPixmap applicationIcon()
{
    QPixmap icon(QStringLiteral(":/quillmark.png"));
    if (icon.isNull())
        icon = QApplication::windowIcon().pixmap(IconPx, IconPx);
    return icon.isNull() ? icon : icon.scaled(IconPx, IconPx, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}
} // namespace

frmAbout::frmAbout(QWidget* parent) : FormBase(QStringLiteral("frmAbout"), platform::bsFixedDialog, parent)
{
    setClientSizeTwips(ClientWidth, ClientHeight);
    QFont designFont = font();
    designFont.setPointSizeF(8.25);
    setFont(designFont);
    setMouseTracking(true);

    picIcon_ = makeLabel(this, QStringLiteral("picIcon"), 240, 240, 480, 480);
    picIcon_->setAlignment(Qt::AlignCenter);
    lblTitle_ = makeLabel(this, QStringLiteral("lblTitle"), 1050, 240, 1125, 195);
    lblVersion_ = makeLabel(this, QStringLiteral("lblVersion"), 3600, 536, 2085, 195);
    lblDescription_ = makeLabel(this, QStringLiteral("lblDescription"), 1080, 840, 3885, 690, true);
    Label1_ = makeLabel(this, QStringLiteral("Label1"), 1080, 1560, 3975, 855, true);
    lblDisclaimer_ = makeLabel(this, QStringLiteral("lblDisclaimer"), 255, 2625, 3870, 345, true);

    const int linkTops[2] = {3000, 3240};
    const int linkWidths[2] = {2370, 2835};
    for (int i = 0; i < 2; ++i) {
        QLabel* l = makeLabel(this, QStringLiteral("lblHyperlink_%1").arg(i), 240, linkTops[i], linkWidths[i], 195);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, pal.color(QPalette::Highlight));
        l->setPalette(pal);
        l->setCursor(Qt::PointingHandCursor);
        l->setMouseTracking(true);
        l->installEventFilter(this);
        lblHyperlink_[i] = l;
    }

    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    placeTwips(cmdOK_, 4245, 2625, 1260, 345);
    connect(cmdOK_, &QPushButton::clicked, this, [this] { cmdOK_Click(); });

    cmdSysInfo_ = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));
    placeTwips(cmdSysInfo_, 4260, 3075, 1245, 345);
    connect(cmdSysInfo_, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });

    Form_Load();
}

void frmAbout::Form_Load()
{
    errors::Procedure("frmAbout.Form_Load()", [&] {
        setWindowTitle(about::Caption());
        lblTitle_->setText(platform::qstr(platform::App().title));
        lblVersion_->setText(about::VersionText());
        lblDescription_->setText(about::DescriptionText());
        Label1_->setText(about::TermsText());
        lblDisclaimer_->setText(about::CreditText());
        lblHyperlink_[0]->setText(about::MailLink());
        lblHyperlink_[1]->setText(about::HomePageLink());
        for (QLabel* l : {lblDescription_, Label1_, lblDisclaimer_})
            fitText(l);
        // The addresses are ours to choose: let a longer one show in full.
        for (QLabel* l : lblHyperlink_)
            l->resize(std::max(l->width(), l->sizeHint().width()), l->height());
        picIcon_->setPixmap(applicationIcon());
        cmdOK_->setFocus();

        // Over the window that opened it, else in the middle of the screen.
        QWidget* owner = QApplication::activeWindow();
        if (owner && owner != this && owner->isVisible()) {
            QRect frame = frameGeometry();
            frame.moveCenter(owner->frameGeometry().center());
            move(frame.topLeft());
        } else {
            centerOnScreen();
        }
    });
}

void frmAbout::cmdOK_Click()
{
    errors::Procedure("frmAbout.cmdOK_Click()", [&] { Unload(); });
}

void frmAbout::cmdSysInfo_Click()
{
    errors::Procedure("frmAbout.cmdSysInfo_Click()", [&] { StartSysInfo(); });
}

void frmAbout::lblHyperlink_Click(int index)
{
    errors::Procedure("frmAbout.lblHyperlink_Click()", [&] {
        SharedShell().LaunchURL(static_cast<long>(winId()), lblHyperlink_[index]->text(), platform::swShowNormal);
    });
}

void frmAbout::StartSysInfo()
{
    about::StartSysInfo();
}

bool frmAbout::GetKeyValue(quint32 KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal)
{
    return about::GetKeyValue(KeyRoot, KeyName, SubKeyRef, KeyVal);
}

void frmAbout::lblHyperlink_MouseMove(int index)
{
    hover_.overLink(index);
    showHover();
}

void frmAbout::Form_MouseMove()
{
    hover_.overSurface();
    showHover();
}

void frmAbout::showHover()
{
    for (int i = 0; i < 2; ++i) {
        QFont f = lblHyperlink_[i]->font();
        if (f.underline() != hover_.underlined[i]) {
            f.setUnderline(hover_.underlined[i]);
            lblHyperlink_[i]->setFont(f);
        }
    }
}

int frmAbout::linkIndex(QObject* watched) const
{
    for (int i = 0; i < 2; ++i)
        if (watched == lblHyperlink_[i])
            return i;
    return -1;
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event)
{
    const int index = linkIndex(watched);
    if (index < 0)
        return FormBase::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove: lblHyperlink_MouseMove(index); return true;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            pressedLink_ = index;
        return true;
    case QEvent::MouseButtonRelease: {
        // A click is a press and a release on the same link.
        auto* me = static_cast<QMouseEvent*>(event);
        const bool click = me->button() == Qt::LeftButton && pressedLink_ == index &&
                           lblHyperlink_[index]->rect().contains(me->position().toPoint());
        pressedLink_ = -1;
        if (click)
            lblHyperlink_Click(index);
        return true;
    }
    default: return FormBase::eventFilter(watched, event);
    }
}

void frmAbout::mouseMoveEvent(QMouseEvent* event)
{
    // Moves over other controls reach the window too; only its own surface
    // (the separator lines are part of it) clears the links.
    if (!childAt(event->position().toPoint()))
        Form_MouseMove();
    FormBase::mouseMoveEvent(event);
}

void frmAbout::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // A focused button takes Enter itself, as on a dialog.
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        (focused ? focused : cmdOK_)->click();
        return;
    }
    case Qt::Key_Escape: cmdOK_->click(); return;
    default: FormBase::keyPressEvent(event);
    }
}

void frmAbout::paintEvent(QPaintEvent* event)
{
    FormBase::paintEvent(event);
    QPainter p(this);
    const QColor grey(0x80, 0x80, 0x80);
    const auto line = [&](const QColor& c, int x1, int y) {
        p.setPen(c);
        p.drawLine(twipsToPx(x1), twipsToPx(y), twipsToPx(5654), twipsToPx(y));
    };
    // Etched separators: a grey line over a white one, offset by a pixel.
    line(grey, 1020, 480);      // Line1(2)
    line(Qt::white, 1035, 495); // Line1(3)
    line(grey, 90, 2445);       // Line1(1)
    line(Qt::white, 105, 2460); // Line1(0)
}
