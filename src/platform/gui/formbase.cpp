#include "platform/gui/formbase.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

namespace platform {

namespace {
FormBase::ModalHook& modalHook()
{
    static FormBase::ModalHook hook;
    return hook;
}

Qt::WindowFlags flagsFor(int borderStyle)
{
    switch (borderStyle) {
    case bsNone: return Qt::Window | Qt::FramelessWindowHint;
    case bsSizable: return Qt::Window;
    case bsFixedToolWindow:
    case bsSizableToolWindow:
        return Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    default: // fixed single and fixed dialog: no minimise or maximise button
        return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
               Qt::WindowCloseButtonHint;
    }
}
} // namespace

FormBase::FormBase(const QString& name, int borderStyle, QWidget* parent)
    : QWidget(parent, flagsFor(borderStyle)), borderStyle_(borderStyle)
{
    setObjectName(name);
    setWindowTitle(name);
    Forms::added(this);
}

FormBase::~FormBase()
{
    Forms::removed(this);
}

FormBase::ModalHook FormBase::setModalHook(ModalHook hook)
{
    ModalHook old = std::move(modalHook());
    modalHook() = std::move(hook);
    return old;
}

void FormBase::Show(bool modal)
{
    if (!modal) {
        show();
        raise();
        activateWindow();
        return;
    }
    if (modalHook()) {
        modalHook()(*this);
        return;
    }
    setWindowModality(Qt::ApplicationModal);
    QPointer<FormBase> self(this);
    QEventLoop loop;
    connect(this, &FormBase::hidden, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    show();
    raise();
    activateWindow();
    loop.exec();
    if (self)
        self->setWindowModality(Qt::NonModal);
}

int FormBase::WindowState() const
{
    const Qt::WindowStates s = windowState();
    if (s & Qt::WindowMinimized)
        return wsMinimized;
    if (s & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return wsMaximized;
    return wsNormal;
}

void FormBase::SetWindowState(int state)
{
    switch (state) {
    case wsMinimized: setWindowState(Qt::WindowMinimized); break;
    case wsMaximized: setWindowState(Qt::WindowMaximized); break;
    default: setWindowState(Qt::WindowNoState); break;
    }
}

// Positions are those of the outer frame, sizes the outer size, as the
// framework stores them.
int FormBase::Top() const
{
    return pxToTwips(frameGeometry().top());
}
int FormBase::Left() const
{
    return pxToTwips(frameGeometry().left());
}
int FormBase::Width() const
{
    return pxToTwips(frameGeometry().width());
}
int FormBase::Height() const
{
    return pxToTwips(frameGeometry().height());
}
void FormBase::SetTop(int twips)
{
    move(pos().x(), twipsToPx(twips));
}
void FormBase::SetLeft(int twips)
{
    move(twipsToPx(twips), pos().y());
}

void FormBase::SetWidth(int twips)
{
    const int frame = frameGeometry().width() - width();
    resize(std::max(1, twipsToPx(twips) - frame), height());
}

void FormBase::SetHeight(int twips)
{
    const int frame = frameGeometry().height() - height();
    resize(width(), std::max(1, twipsToPx(twips) - frame));
}

void FormBase::Unload()
{
    RequestUnload(vbFormCode);
}

bool FormBase::RequestUnload(int unloadMode)
{
    if (unloading_)
        return true;
    bool cancel = false;
    Form_QueryUnload(cancel, unloadMode);
    if (cancel)
        return false;
    unloading_ = true;
    Form_Unload();
    Forms::removed(this);
    hide();
    emit unloaded();
    deleteLater();
    return true;
}

void FormBase::Form_QueryUnload(bool&, int) {}

void FormBase::closeEvent(QCloseEvent* event)
{
    // The window decides for itself through its close request; Qt only
    // reports the close box.
    event->ignore();
    if (!unloading_)
        RequestUnload(vbFormControlMenu);
}

void FormBase::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        emit hidden();
}

void FormBase::setClientSizeTwips(int widthTwips, int heightTwips)
{
    const QSize size(twipsToPx(widthTwips), twipsToPx(heightTwips));
    if (borderStyle_ == bsSizable || borderStyle_ == bsSizableToolWindow)
        resize(size);
    else
        setFixedSize(size);
}

void FormBase::placeTwips(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(twipsToPx(left), twipsToPx(top), twipsToPx(width), twipsToPx(height));
}

void FormBase::centerOnScreen()
{
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect avail = screen->availableGeometry();
    QRect frame = frameGeometry();
    frame.moveCenter(avail.center());
    move(frame.topLeft());
}

FormBase* formOf(QWidget* w)
{
    return w ? qobject_cast<FormBase*>(w->window()) : nullptr;
}

} // namespace platform
