#pragma once
#include "model/factsrefresh.h"
#include "model/subnettexts.h"
#include "platform/gui/formbase.h"
#include "ui/main/mainlayout.h"

class QMenu;

// The calculator window. It keeps no model: every handler reads and writes
// the application's model, and every refresh reads the facts from it afresh and shows
// their texts and bars.
class frmMain : public platform::FormBase {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // Brings every field in line with the model; the bars last.
    void UpdateForm();
    // Shows `address` with `maskBits` (8 to 31) as if typed: the model, the
    // octet boxes, the mask-bits box and every field. Other windows (the
    // subnet table) and pasting use it.
    void SetAddress(std::uint32_t address, int maskBits);
    // The terminal report of the current address, as `quillmark ADDRESS/BITS`
    // prints it; Ctrl+C copies it.
    QString ReportText() const;
    // Puts the report on the clipboard.
    void CopyReport();
    // A whole address pasted into an octet box: shown with its mask (or the
    // mask kept); any other text changes nothing.
    void PasteAddress(const QString& text);
    // The menu of every window and action, opened by a right-click outside
    // the octet boxes.
    QMenu* WindowMenu();
    // Opens a window by name, unless no such window is registered.
    static void ShowWindow(const QString& name);
    // Saves the window's placement and hides it.
    void SaveSettings();
    bool CallByName(const QString& operation) override;

    // "Quillmark 1.05 - by Tamsworth" for version 1.0.5.
    static QString CaptionText();

    // What the last refresh read (fields it did not reach keep older values).
    const SubnetFacts& facts() const { return refresh_.facts; }
    const mainlayout::MainControls& controls() const { return c_; }
    // The modifier keys as the window last saw them.
    bool ShiftDown() const { return ShiftDown_; }
    bool CtrlDown() const { return CtrlDown_; }

    void cmdOptions_Click(int Index);
    void lblValues_Click(int Index);
    void lblWebLinks_Click();

signals:
    // After every UpdateForm.
    void refreshed();

protected:
    void Form_QueryUnload(bool& cancel, int unloadMode) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void Form_Load();
    void Form_KeyDown(int KeyCode, int Shift);
    void Form_KeyUp(int KeyCode, int Shift);
    void Form_MouseMove();
    void txtIP_GotFocus(int Index);
    void txtIP_KeyPress(int Index, int& KeyAscii);
    void txtIP_Validate(int Index, bool& Cancel);
    void txtSubnetBits_Change();
    void udIPChanger_Change(int Index);
    void lblValues_MouseMove(int Index);
    void lblWebLinks_MouseMove();

    void connectControls();
    void applyZoom(int percent);
    bool keyPreview(QObject* watched, QEvent* event);
    // A right-click outside the octet boxes opens the window's menu.
    bool menuRequest(QObject* watched, QEvent* event);
    bool octetBoxEvent(int Index, QEvent* event);
    // The box's own menu, its Paste taking whole addresses.
    void octetBoxMenu(int Index, const QPoint& globalPos);
    void showFacts();
    // Rewrites the octet boxes from the model after a step.
    void showOctets();
    void setLinkColour(QWidget* label, const QColor& colour);
    void sendKeystroke(QWidget* to, int key, Qt::KeyboardModifiers modifiers);
    int indexOf(const QObject* control, const char* name) const;

    mainlayout::MainControls c_;
    FactsRefresh refresh_;
    SubnetTexts texts_; // kept so that each refresh reuses their storage
    bool ShiftDown_ = false;
    bool CtrlDown_ = false;
    bool wasDeactivated_ = false;
    // The octet box a mouse press has just entered, until that button is let go.
    int enteringClick_ = -1;
    QObject* keyPreview_ = nullptr;
    QMenu* menu_ = nullptr;
};
