#include "testsupport.h"
#include "util/gui/modutilsgui.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

class UtilControls : public FrameworkTest {};

TEST_F(UtilControls, ControlLockTogglesReadOnlyAndBackground)
{
    handler->DisplayMsgOnError(false); // as configured at start-up
    QLineEdit edit;
    const QPalette system = QApplication::palette(&edit);
    utControlLock(&edit, true);
    EXPECT_TRUE(edit.isReadOnly());
    EXPECT_EQ(edit.palette().color(QPalette::Base), system.color(QPalette::Button));
    utControlLock(&edit, false);
    EXPECT_FALSE(edit.isReadOnly());
    EXPECT_EQ(edit.palette().color(QPalette::Base), system.color(QPalette::Base));
    EXPECT_TRUE(messages.shown.empty());

    QLabel label;
    utControlLock(&label, true); // a label has no read-only setting: reported
    EXPECT_EQ(handler->ErrNumber(), 438);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(UtilControls, HighlightSelectsTheFocusedTextAndLogsFailuresQuietly)
{
    QWidget window;
    auto* edit = new QLineEdit(QStringLiteral("192"), &window);
    auto* button = new QPushButton(QStringLiteral("OK"), &window);
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), edit);

    utHighlight();
    EXPECT_EQ(edit->selectedText(), QStringLiteral("192"));
    EXPECT_EQ(edit->selectionStart(), 0);
    EXPECT_TRUE(handler->ReportErrors());

    button->setFocus();
    QApplication::processEvents();
    utHighlight();
    EXPECT_EQ(handler->ErrNumber(), 438);
    EXPECT_EQ(handler->ErrProc(), "utHighlight()");
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("error.log"))));
    EXPECT_TRUE(messages.shown.empty()); // logged, but no dialog
    EXPECT_TRUE(handler->ReportErrors());
    EXPECT_EQ(handler->StackDepth(), 0);
}

TEST_F(UtilControls, WidthSpringMeasuresFromTheControlsLeftInTwips)
{
    QWidget parent;
    QWidget child(&parent);
    child.move(20, 0); // 300 twips
    EXPECT_EQ(utFormResize_WidthSpring(&child, 5000, 105), 5000 - 300 - 105);
    EXPECT_EQ(utFormResize_WidthSpring(&child, 0, 0), -300);
}
