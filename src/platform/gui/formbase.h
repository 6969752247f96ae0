#pragma once
#include "platform/forms.h"

#include <QWidget>
#include <functional>

class QEventLoop;

namespace platform {

// Close-request reasons as the framework numbers them.
enum UnloadMode {
    vbFormControlMenu = 0,
    vbFormCode = 1,
    vbAppWindows = 2,
    vbAppTaskManager = 3,
    vbFormMDIForm = 4,
    vbFormOwner = 5
};

// Base of every window: a QWidget that the framework can list, place (in
// twips), show modally, and unload through a close request.
class FormBase : public QWidget, public Form {
    Q_OBJECT
public:
    FormBase(const QString& name, int borderStyle, QWidget* parent = nullptr);
    ~FormBase() override;

    QString Name() const override { return objectName(); }
    QString Caption() const override { return windowTitle(); }
    bool Visible() const override { return isVisible(); }
    // Modal: blocks in a local event loop until the window is hidden or
    // unloaded (tests replace this with the modal hook).
    void Show(bool modal) override;
    void Hide() override { hide(); }
    int BorderStyle() const override { return borderStyle_; }
    int WindowState() const override;
    void SetWindowState(int state) override;
    int Top() const override;
    int Left() const override;
    int Width() const override;
    int Height() const override;
    void SetTop(int twips) override;
    void SetLeft(int twips) override;
    void SetWidth(int twips) override;
    void SetHeight(int twips) override;
    void Unload() override;

    // Asks the window to close for the given reason; false if it refused.
    bool RequestUnload(int unloadMode);
    bool isUnloading() const { return unloading_; }

    // Client area in twips; fixed-border windows cannot be resized by the user.
    void setClientSizeTwips(int widthTwips, int heightTwips);
    // Places a child at design coordinates (twips, relative to its parent).
    static void placeTwips(QWidget* w, int left, int top, int width, int height);
    void centerOnScreen();

    // Tests answer modal shows through this hook instead of blocking; the hook
    // receives the window and may click its buttons.
    using ModalHook = std::function<void(FormBase&)>;
    static ModalHook setModalHook(ModalHook hook);

signals:
    void hidden();
    void unloaded();

protected:
    // The close request: set cancel to keep the window.
    virtual void Form_QueryUnload(bool& cancel, int unloadMode);
    virtual void Form_Unload() {}

    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    int borderStyle_;
    bool unloading_ = false;
};

// The form behind a widget (its window), or nullptr.
FormBase* formOf(QWidget* w);

} // namespace platform
