#include "testsupport.h"
#include "util/gui/modutilsgui.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

class UtilControls : public FrameworkTest {};

TEST_F(UtilControls, ControlLockTogglesReadOnlyAndBackground)
{
    QLineEdit edit;
    const QPalette system = QApplication::palette(&edit);
    for (bool locked : {true, false}) {
        utControlLock(&edit, locked);
        EXPECT_EQ(edit.isReadOnly(), locked);
        EXPECT_EQ(edit.palette().color(QPalette::Base), system.color(locked ? QPalette::Button : QPalette::Base));
    }
    EXPECT_TRUE(messages.shown.empty());
}

// A box entered is highlighted (the main window's tests type over the octet
// so selected); a control without text is logged, never shown.
TEST_F(UtilControls, HighlightOnAControlWithoutTextIsLoggedQuietly)
{
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("OK"), &window);
    window.show();
    QApplication::setActiveWindow(&window);
    button->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), button);
    utHighlight();
    EXPECT_EQ(handler->ErrNumber(), 438);
    EXPECT_EQ(handler->ErrProc(), "utHighlight()");
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("error.log"))));
    EXPECT_TRUE(messages.shown.empty()); // logged, but no dialog
    EXPECT_TRUE(handler->ReportErrors());
    EXPECT_EQ(handler->StackDepth(), 0);
}
