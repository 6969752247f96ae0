#include "ui/practice/addressanswer.h"

#include "model/dotted.h"
#include "ui/main/entrytext.h"
#include "ui/main/keyevents.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSpinBox>

AddressAnswer::AddressAnswer(const QString& what, QWidget* parent) : QWidget(parent)
{
    setAccessibleName(what);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    for (int i = 0; i < 4; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txtOctet_%1").arg(i));
        box->setAccessibleName(QStringLiteral("%1, octet %2").arg(what).arg(i + 1));
        box->setMaxLength(3);
        box->setAlignment(Qt::AlignCenter);
        box->installEventFilter(this);
        connect(box, &QLineEdit::textChanged, this, &AddressAnswer::changed);
        txtOctet_[size_t(i)] = box;
        row->addWidget(box);
        if (i < 3) {
            auto* dot = new QLabel(QStringLiteral("."), this);
            dot->setObjectName(QStringLiteral("lblDots_%1").arg(i));
            dot->setAccessibleName(QStringLiteral("Dot"));
            lblDots_[size_t(i)] = dot;
            row->addWidget(dot);
        }
    }
    lblSlash_ = new QLabel(QStringLiteral("/"), this);
    lblSlash_->setObjectName(QStringLiteral("lblSlash"));
    lblSlash_->setAccessibleName(QStringLiteral("Slash"));
    spnLength_ = new QSpinBox(this);
    spnLength_->setObjectName(QStringLiteral("spnLength"));
    spnLength_->setAccessibleName(what + QStringLiteral(", prefix length"));
    // Blank until a length is typed: a length shown at first would be an
    // answer the learner never gave.
    spnLength_->setRange(-1, 32);
    spnLength_->setSpecialValueText(QStringLiteral(" "));
    spnLength_->setValue(-1);
    connect(spnLength_, &QSpinBox::valueChanged, this, &AddressAnswer::changed);
    row->addSpacing(4);
    row->addWidget(lblSlash_);
    row->addWidget(spnLength_);
    chkNoSuchAddress_ = new QCheckBox(QStringLiteral("&No such address"), this);
    chkNoSuchAddress_->setObjectName(QStringLiteral("chkNoSuchAddress"));
    chkNoSuchAddress_->setAccessibleName(QStringLiteral("No such address"));
    chkNoSuchAddress_->setToolTip(QStringLiteral("Tick it when the network has no such address "
                                                 "(a /31 without RFC 3021 has no usable host)"));
    connect(chkNoSuchAddress_, &QCheckBox::toggled, this, [this](bool on) {
        for (QLineEdit* box : txtOctet_)
            box->setEnabled(!on);
        emit changed();
    });
    row->addSpacing(12);
    row->addWidget(chkNoSuchAddress_);
    row->addStretch(1);
    setWithLength(false);
    setNoSuchAllowed(false);
    setFocusProxy(txtOctet_[0]);
}

void AddressAnswer::setWithLength(bool with)
{
    lblSlash_->setVisible(with);
    spnLength_->setVisible(with);
}

bool AddressAnswer::withLength() const
{
    return !spnLength_->isHidden();
}

void AddressAnswer::setNoSuchAllowed(bool allowed)
{
    chkNoSuchAddress_->setVisible(allowed);
    if (!allowed)
        chkNoSuchAddress_->setChecked(false);
}

std::optional<std::uint32_t> AddressAnswer::address(QString* problem) const
{
    QStringList octets;
    for (QLineEdit* box : txtOctet_) {
        if (box->text().trimmed().isEmpty())
            return std::nullopt;
        octets << box->text().trimmed();
    }
    // Read as the terminal reads an answer, with its words for a bad octet.
    std::string fault;
    const auto a = dotted::Parse(octets.join(QLatin1Char('.')).toStdString(), &fault);
    if (!a && problem) {
        *problem = QString::fromStdString(fault);
        if (!problem->isEmpty())
            (*problem)[0] = problem->at(0).toUpper();
    }
    return a;
}

std::optional<int> AddressAnswer::length() const
{
    if (spnLength_->value() < 0)
        return std::nullopt;
    return spnLength_->value();
}

bool AddressAnswer::noSuchAddress() const
{
    return !chkNoSuchAddress_->isHidden() && chkNoSuchAddress_->isChecked();
}

void AddressAnswer::setAddress(std::uint32_t address, std::optional<int> length)
{
    for (int i = 0; i < 4; ++i)
        txtOctet_[size_t(i)]->setText(QString::number(address >> (24 - 8 * i) & 255));
    if (length && withLength())
        spnLength_->setValue(*length);
    chkNoSuchAddress_->setChecked(false);
}

void AddressAnswer::paste(const QString& text)
{
    if (locked_)
        return;
    if (const auto pasted = entrytext::pastedAddress(text))
        setAddress(pasted->address, pasted->maskBits);
}

void AddressAnswer::clear()
{
    for (QLineEdit* box : txtOctet_)
        box->clear();
    spnLength_->setValue(-1);
    chkNoSuchAddress_->setChecked(false);
}

void AddressAnswer::setLocked(bool locked)
{
    locked_ = locked;
    for (QLineEdit* box : txtOctet_)
        box->setReadOnly(locked);
    spnLength_->setReadOnly(locked);
    chkNoSuchAddress_->setEnabled(!locked);
}

QWidget* AddressAnswer::firstControl() const
{
    return txtOctet_[0];
}

QWidget* AddressAnswer::lastControl() const
{
    if (!chkNoSuchAddress_->isHidden())
        return chkNoSuchAddress_;
    if (withLength())
        return spnLength_;
    return txtOctet_[3];
}

bool AddressAnswer::eventFilter(QObject* watched, QEvent* event)
{
    for (int i = 0; i < 4; ++i)
        if (watched == txtOctet_[size_t(i)])
            return boxEvent(i, event);
    return false;
}

namespace {
void sendKeystroke(QWidget* to, int key, Qt::KeyboardModifiers modifiers)
{
    // Posted, as the calculator does: handled after the current key.
    QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyPress, key, modifiers));
    QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
}
} // namespace

// The calculator's octet boxes, event by event (frmMain::octetBoxEvent).
bool AddressAnswer::boxEvent(int index, QEvent* event)
{
    QLineEdit* box = txtOctet_[size_t(index)];
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste)) {
            paste(QGuiApplication::clipboard()->text());
            return true;
        }
        const int ascii = keyevents::keyAscii(key);
        if (ascii < 0 || locked_)
            return false;
        switch (entrytext::octetKey(ascii, box->text().isEmpty())) {
        case entrytext::OctetKey::Type: return false;
        case entrytext::OctetKey::NextBox: sendKeystroke(box, Qt::Key_Tab, Qt::NoModifier); return true;
        case entrytext::OctetKey::PreviousBox:
            if (index > 0)
                sendKeystroke(box, Qt::Key_Backtab, Qt::ShiftModifier);
            return true;
        case entrytext::OctetKey::Refuse: return true;
        }
        return true;
    }
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
        if (!keyevents::switchedWindows(reason))
            box->selectAll();
        // The click that entered the box must not undo the selection.
        enteringClick_ = reason == Qt::MouseFocusReason ? index : -1;
        return false;
    }
    case QEvent::ContextMenu: boxMenu(index, static_cast<const QContextMenuEvent*>(event)->globalPos()); return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString text = drop->mimeData()->text();
        if (!locked_ && entrytext::pastedAddress(text)) {
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            paste(text);
        } else {
            drop->ignore();
        }
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove: return enteringClick_ == index;
    case QEvent::MouseButtonRelease:
        if (static_cast<const QMouseEvent*>(event)->button() == Qt::MiddleButton) {
            enteringClick_ = -1;
            if (QGuiApplication::clipboard()->supportsSelection())
                paste(QGuiApplication::clipboard()->text(QClipboard::Selection));
            return true;
        }
        if (enteringClick_ != index)
            return false;
        enteringClick_ = -1;
        return true;
    case QEvent::FocusOut:
        // The box keeps what was typed: a typo is said when checked.
        enteringClick_ = -1;
        return false;
    default: return false;
    }
}

void AddressAnswer::boxMenu(int index, const QPoint& globalPos)
{
    QLineEdit* box = txtOctet_[size_t(index)];
    QMenu* menu = box->createStandardContextMenu();
    menu->setObjectName(QStringLiteral("mnuOctetBox"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction* a : menu->actions()) {
        if (a->text().startsWith(QLineEdit::tr("&Paste"))) {
            // The box's own paste would keep three characters of an address.
            disconnect(a, &QAction::triggered, nullptr, nullptr);
            connect(a, &QAction::triggered, this, [this] { paste(QGuiApplication::clipboard()->text()); });
        }
    }
    menu->popup(globalPos);
}
