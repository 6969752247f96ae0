#include "ui/main/updown.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>
#include <qdrawutil.h>

#include <algorithm>

namespace {
constexpr int FirstRepeatMs = 400;
constexpr int RepeatMs = 80;

// What a screen reader sees: a spin box with its value and the increase and
// decrease actions, which step as the arrows do.
class AccessibleUpDown : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleUpDown(UpDown* u) : QAccessibleWidget(u, QAccessible::SpinBox) {}
    UpDown* upDown() const { return static_cast<UpDown*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QVariant currentValue() const override { return upDown()->value(); }
    void setCurrentValue(const QVariant& value) override { upDown()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return upDown()->maximum(); }
    QVariant minimumValue() const override { return upDown()->minimum(); }
    QVariant minimumStepSize() const override { return upDown()->increment(); }

    QStringList actionNames() const override
    {
        return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action == increaseAction())
            upDown()->stepUp();
        else if (action == decreaseAction())
            upDown()->stepDown();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* accessibleUpDown(const QString&, QObject* object)
{
    if (auto* u = qobject_cast<UpDown*>(object))
        return new AccessibleUpDown(u);
    return nullptr;
}
} // namespace

UpDown::UpDown(QWidget* parent) : QWidget(parent)
{
    static const bool accessible = (QAccessible::installFactory(accessibleUpDown), true);
    Q_UNUSED(accessible);
    setFocusPolicy(Qt::StrongFocus);
    repeat_.setInterval(FirstRepeatMs);
    connect(&repeat_, &QTimer::timeout, this, &UpDown::repeat);
}

void UpDown::setValue(int value)
{
    value = std::clamp(value, min_, max_);
    if (value == value_)
        return;
    value_ = value;
    if (buddy_)
        buddy_->setText(QString::number(value_));
    emit valueChanged(value_);
}

void UpDown::setRange(int minimum, int maximum)
{
    min_ = minimum;
    max_ = std::max(minimum, maximum);
    value_ = std::clamp(value_, min_, max_);
}

void UpDown::setBuddy(QLineEdit* buddy)
{
    if (buddy_)
        disconnect(buddy_, nullptr, this, nullptr);
    buddy_ = buddy;
    if (buddy_)
        connect(buddy_, &QLineEdit::textChanged, this, &UpDown::takeBuddyText);
}

// A number put into the box by hand or by code is where the next step starts;
// anything else leaves the value as it was.
void UpDown::takeBuddyText(const QString& text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (ok && v >= min_ && v <= max_)
        value_ = v;
}

UpDown::Half UpDown::halfAt(const QPoint& pos) const
{
    if (!rect().contains(pos))
        return None;
    return pos.y() < height() / 2 ? Upper : Lower;
}

void UpDown::stepHalf(Half half)
{
    if (half == Upper)
        stepUp();
    else if (half == Lower)
        stepDown();
}

void UpDown::repeat()
{
    repeat_.setInterval(RepeatMs);
    // Only while the pointer is still on the half that was pressed.
    if (pressed_ != None && halfAt(mapFromGlobal(QCursor::pos())) == pressed_)
        stepHalf(pressed_);
}

void UpDown::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    pressed_ = halfAt(event->position().toPoint());
    update();
    stepHalf(pressed_);
    if (pressed_ != None) {
        repeat_.setInterval(FirstRepeatMs);
        repeat_.start();
    }
}

void UpDown::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    repeat_.stop();
    pressed_ = None;
    update();
}

void UpDown::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up: stepUp(); break;
    case Qt::Key_Down: stepDown(); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void UpDown::wheelEvent(QWheelEvent* event)
{
    const int dy = event->angleDelta().y();
    if (dy > 0)
        stepUp();
    else if (dy < 0)
        stepDown();
    event->accept();
}

void UpDown::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        repeat_.stop();
        pressed_ = None;
    }
    QWidget::changeEvent(event);
}

void UpDown::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPalette& pal = palette();
    const int upperHeight = height() / 2;
    const QRect halves[2] = {QRect(0, 0, width(), upperHeight), QRect(0, upperHeight, width(), height() - upperHeight)};
    for (int i = 0; i < 2; ++i) {
        const QRect& r = halves[i];
        const bool sunken = pressed_ == (i == 0 ? Upper : Lower);
        qDrawShadePanel(&p, r, pal, sunken, 1, &pal.brush(QPalette::Button));
        // A small solid triangle, centred; one pixel lower and to the right
        // while pressed, like a pushed button face.
        const int half = std::max(1, std::min((r.width() - 4) / 2, r.height() - 3));
        // Three pixels at the design size, growing with the control when zoomed.
        const int tip = std::max(1, std::min(half, std::max(3, r.height() / 3)));
        const QPoint c = r.center() + (sunken ? QPoint(1, 1) : QPoint(0, 0));
        const int top = c.y() - tip / 2;
        QPolygon arrow;
        if (i == 0)
            arrow << QPoint(c.x() - tip, top + tip) << QPoint(c.x() + tip, top + tip) << QPoint(c.x(), top);
        else
            arrow << QPoint(c.x() - tip, top) << QPoint(c.x() + tip, top) << QPoint(c.x(), top + tip);
        p.setPen(Qt::NoPen);
        p.setBrush(isEnabled() ? pal.color(QPalette::ButtonText) : pal.color(QPalette::Mid));
        p.drawPolygon(arrow);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect opt;
        opt.initFrom(this);
        opt.rect = rect().adjusted(2, 2, -2, -2);
        opt.backgroundColor = pal.color(QPalette::Button);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, &p, this);
    }
}
