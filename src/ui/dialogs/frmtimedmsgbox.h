#pragma once
#include <QPointer>
// The framework's own message and input box: up to three buttons, an optional
// count-down that presses the default button, and in input mode a text box
// with optional browsing, password masking and length checks.
#include "platform/gui/formbase.h"

#include <QDateTime>
#include <QVariant>
#include <optional>

class ImageList;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// Optional arguments of utMsgbox; absent ones are std::nullopt.
struct MsgBoxOptions {
    std::optional<QString> Title; // absent: the application title
    bool AllowCancel = true;
    QVariant IconNum = 1; // position (from 1) or key in ImageListControl
    const ImageList* ImageListControl = nullptr;
    int ButtonType = 1; // 1 OK/Cancel, 2 Yes/No, 3 Yes/No/Cancel
    std::optional<int> DefaultButton;
    std::optional<int> CancelButton;
    std::optional<QString> Button0Text;
    std::optional<QString> Button1Text;
    std::optional<QString> Button2Text;
};

// Optional arguments of utInputBox.
struct InputBoxOptions {
    std::optional<QString> Title;
    bool AllowCancel = true;
    QVariant IconNum = 1;
    const ImageList* ImageListControl = nullptr;
    int ButtonType = 1;
    std::optional<int> DefaultButton;
    std::optional<int> CancelButton;
    QString DefaultValue;
    bool AllowBrowse = false;
    bool BrowseFolderOnly = false;
    QString BrowsePattern = QStringLiteral("All Files (*.*)|*.*");
    bool PasswordEntry = false;
    bool PasswordConfirm = false;
    int MinLength = -1; // negative: no minimum
    int MaxLength = -1; // negative: no maximum
};

// Optional arguments of utMsgBoxNonModal.
struct NonModalBoxOptions {
    std::optional<QString> Title;
    QVariant IconNum = 1;
    const ImageList* ImageListControl = nullptr;
    int ButtonType = 1;
    std::optional<QString> Button0Text;
};

// Modal; the message-box result code of the button pressed (1 OK, 2 Cancel,
// 6 Yes, 7 No, 0 for a button outside the set). A WaitTime above 0 presses the
// default button once more than that many whole seconds have passed.
int utMsgbox(const QString& Message, int WaitTime, const MsgBoxOptions& options = {});
// Modal; the text typed, "{CANCEL}" for button 1 or 2, "" otherwise.
QString utInputBox(const QString& Message, int WaitTime = 0, const InputBoxOptions& options = {});
// Modeless; registered in the non-modal box collection, so it unloads itself
// on its first accepted button press.
void utMsgBoxNonModal(const QString& Message, int WaitTime, const NonModalBoxOptions& options = {});

// The result code of a button press for a button set.
int timedBoxResult(int buttonType, int buttonClicked);
// The message of a failed length check, "" when the length is acceptable.
QString lengthCheckMessage(int length, int minLength, int maxLength);

class frmTimedMsgBox : public platform::FormBase {
    Q_OBJECT
public:
    frmTimedMsgBox();

    // Everything SetupBox takes, in its order.
    struct SetupArgs {
        QString Message;
        int WaitTime = 0;
        bool AllowCancel = true;
        QVariant IconNum = 1;
        const ImageList* ImageListControl = nullptr;
        int ButtonType = 1;
        bool InputMode = false;
        std::optional<QString> Title;
        std::optional<int> DefaultButton;
        std::optional<int> CancelButton;
        QString DefaultValue;
        bool AllowBrowse = false;
        bool PasswordEntry = false;
        bool PasswordConfirm = false;
        std::optional<QString> Button0Text;
        std::optional<QString> Button1Text;
        std::optional<QString> Button2Text;
        std::optional<bool> Modal; // absent: modal
    };

    void cmdButtons_Click(int index);
    void cmdBrowse_Click();
    void timerExit_Timer();
    void Form_Activate();
    void txtInput_GotFocus();

    int ButtonClicked() const { return ButtonClicked_; }
    int DefaultButtonIndex() const { return defaultIndex_; }
    int CancelButtonIndex() const { return cancelIndex_; }

protected:
    void Form_QueryUnload(bool& cancel, int unloadMode) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend int utMsgbox(const QString&, int, const MsgBoxOptions&);
    friend QString utInputBox(const QString&, int, const InputBoxOptions&);
    friend void utMsgBoxNonModal(const QString&, int, const NonModalBoxOptions&);
    friend bool RunModalBox(QPointer<frmTimedMsgBox>& box, const SetupArgs& a);

    void SetupBox(const SetupArgs& a);
    void setupButtons(int buttonType, bool allowCancel);
    void layoutHorizontally(const ImageList* images, const QVariant& iconNum, bool allowBrowse);
    void showCountDown(int seconds);
    void placeTimerLabel();
    QPushButton* button(int index) const;

    // Window state.
    int WaitTime = 0;
    QDateTime ShownAt;
    bool InputMode = false;
    bool PasswordConfirm = false;
    bool PasswordEntry = false;
    bool BrowseFolderOnly = false;
    int ButtonClicked_ = 0;
    bool FirstActivate = true;
    QString BrowsePattern;
    int MinLength = -1;
    int MaxLength = -1;
    bool Modal = true;
    int defaultIndex_ = -1;
    int cancelIndex_ = -1;
    int timerRight_ = 0; // where the count-down must stop, in pixels

    QLabel* picIcon;
    QLabel* lblMessage;
    QLineEdit* txtInput;
    QLineEdit* txtPasswordReEnter;
    QPushButton* cmdBrowse;
    QPushButton* cmdButtons[3];
    QLabel* lblTimer;
    QTimer* timerExit;
};
