#pragma once
#include "platform/gui/formbase.h"

class QLabel;
class QPushButton;
class QTreeWidget;

// The reference of the address classes and the special address ranges: fixed
// texts, the same rules the address model applies. The lists are as wide and
// tall as their columns and rows need, so nothing hides behind a scroll bar;
// the window grows with them and with the zoom.
class frmClassHelp : public platform::FormBase {
    Q_OBJECT
public:
    explicit frmClassHelp(QWidget* parent = nullptr);

    // Fills both lists, emptying them first.
    void RefreshForm();
    void cmdOptions_Click();

    QTreeWidget* lvClass() const { return lvClass_; }
    QTreeWidget* lvSpecial() const { return lvSpecial_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    // Sizes the columns, rows, lists and the window for a zoom.
    void layout(int percent);

    QLabel* Label1_;
    QTreeWidget* lvClass_;
    QLabel* Label2_;
    QTreeWidget* lvSpecial_;
    QPushButton* cmdOptions_;
    bool placed_ = false;
};
