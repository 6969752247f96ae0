#include "testsupport.h"
#include "util/gui/modutilsgui.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

class UtilControls : public FrameworkTest {};

TEST_F(UtilControls, ALockedBoxIsReadOnlyOnTheButtonFace)
{
    QLineEdit edit;
    utControlLock(&edit, true);
    EXPECT_TRUE(edit.isReadOnly());
    EXPECT_EQ(edit.palette().color(QPalette::Base), QApplication::palette(&edit).color(QPalette::Button));
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
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("error.log"))));
    EXPECT_TRUE(messages.shown.empty()); // logged, but no dialog
    EXPECT_TRUE(handler->ReportErrors());
}
