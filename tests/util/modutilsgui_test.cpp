#include "testsupport.h"
#include "util/gui/modutilsgui.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class UtilControls : public FrameworkTest {};

TEST_F(UtilControls, ControlLockTogglesReadOnlyAndBackground)
{
    handler->DisplayMsgOnError(false); // as configured at start-up
    QLineEdit edit;
    const QPalette system = QApplication::palette(&edit);
    for (bool locked : {true, false}) {
        utControlLock(&edit, locked);
        EXPECT_EQ(edit.isReadOnly(), locked);
        EXPECT_EQ(edit.palette().color(QPalette::Base), system.color(locked ? QPalette::Button : QPalette::Base));
    }
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
