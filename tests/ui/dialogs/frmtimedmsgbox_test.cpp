#include "guisupport.h"
#include "platform/clock.h"
#include "testsupport.h"
#include "ui/dialogs/frmtimedmsgbox.h"
#include "ui/dialogs/imagelist.h"
#include "util/formutils.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
frmTimedMsgBox& box(platform::FormBase& f)
{
    return *qobject_cast<frmTimedMsgBox*>(&f);
}
QPushButton* button(platform::FormBase& f, int i)
{
    return f.findChild<QPushButton*>(QStringLiteral("cmdButtons_%1").arg(i));
}
QLineEdit* edit(platform::FormBase& f, const char* name)
{
    return f.findChild<QLineEdit*>(QString::fromLatin1(name));
}
QString timerText(platform::FormBase& f)
{
    return f.findChild<QLabel*>(QStringLiteral("lblTimer"))->text();
}
bool counting(platform::FormBase& f)
{
    return f.findChild<QTimer*>(QStringLiteral("timerExit"))->isActive();
}
// The captions of the buttons that would show, right to left.
QStringList shownButtons(platform::FormBase& f)
{
    QStringList out;
    for (int i = 0; i < 3; ++i)
        if (button(f, i)->isVisibleTo(&f))
            out << button(f, i)->text();
    return out;
}
} // namespace

TEST(TimedBoxRules, LengthMessagesSpellTheLimit)
{
    const QString shortText = QStringLiteral("The text you have entered is too short.\r\n\r\n");
    const QString longText = QStringLiteral("The text you have entered is too long.\r\n\r\n");
    struct Case {
        int length, min, max;
        QString message;
    };
    const Case cases[] = {
        {2, 3, -1, shortText + QStringLiteral("You must enter at least 3 characters.")},
        {0, 1, -1, shortText + QStringLiteral("You must enter at least 1 character.")},
        {3, 3, 3, QString()},
        {4, -1, 3, longText + QStringLiteral("You may enter a maximum of 3 characters.")},
        {2, 0, 1, longText + QStringLiteral("You may enter a maximum of 1 character.")},
        {1, -1, 0, longText + QStringLiteral("You may enter a maximum of 0 characters.")},
        {500, -1, -1, QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lengthCheckMessage(c.length, c.min, c.max), c.message) << c.length << " " << c.min << " " << c.max;
}

class TimedBox : public FrameworkTest {};

TEST_F(TimedBox, ButtonSetsShowTheirCaptionsAndAnswerWithTheirCodes)
{
    struct Case {
        int type;
        bool allowCancel;
        QStringList shown;
        std::vector<int> codes; // result of pressing each shown button
        int closeBox;           // the shown cancelling button's (No of Yes/No), else button zero's
    };
    const Case cases[] = {
        {1, true, {"&OK", "&Cancel"}, {1, 2}, 2},
        {1, false, {"&OK"}, {1}, 1},
        {2, true, {"&Yes", "&No"}, {6, 7}, 7},
        {2, false, {"&Yes"}, {6}, 6},
        {3, true, {"&Yes", "&No", "&Cancel"}, {6, 7, 2}, 2},
        {3, false, {"&Yes", "&No"}, {6, 7}, 6},
    };
    for (const Case& c : cases) {
        MsgBoxOptions o;
        o.ButtonType = c.type;
        o.AllowCancel = c.allowCancel;
        for (int pressed = -1; pressed < int(c.codes.size()); ++pressed) { // -1: the close box
            QStringList shown;
            ModalRecorder modal([&](platform::FormBase& f) {
                shown = shownButtons(f);
                if (pressed < 0)
                    EXPECT_FALSE(f.RequestUnload(platform::vbFormControlMenu));
                else
                    button(f, pressed)->click();
            });
            EXPECT_EQ(utMsgbox(QStringLiteral("Proceed?"), 0, o), pressed < 0 ? c.closeBox : c.codes[size_t(pressed)])
                << c.type << c.allowCancel << " pressed " << pressed;
            EXPECT_EQ(shown, c.shown) << c.type << c.allowCancel;
        }
    }
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(handler->StackDepth(), 0); // every procedure left the stack
}

TEST_F(TimedBox, CallersCaptionsTitleAndIcon)
{
    ImageList images;
    QPixmap red(32, 32);
    red.fill(Qt::red);
    images.Add(red, QStringLiteral("warn"));
    ModalRecorder modal([&](platform::FormBase& f) {
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Disk"));
        EXPECT_EQ(shownButtons(f), (QStringList{QStringLiteral("&Retry"), QStringLiteral("&Skip")}));
        EXPECT_TRUE(f.findChild<QLabel*>(QStringLiteral("picIcon"))->isVisibleTo(&f));
        EXPECT_EQ(box(f).DefaultButtonIndex(), 1);
        button(f, 1)->click();
    });
    MsgBoxOptions o;
    o.Title = QStringLiteral("Disk");
    o.ImageListControl = &images;
    o.IconNum = QStringLiteral("WARN");
    o.ButtonType = 7; // no preset: the caller's texts make the buttons
    o.DefaultButton = 1;
    o.Button0Text = QStringLiteral("&Retry");
    o.Button1Text = QStringLiteral("&Skip");
    EXPECT_EQ(utMsgbox(QStringLiteral("Disk full"), 0, o), 0);

    ModalRecorder plain([&](platform::FormBase& f) {
        EXPECT_EQ(f.windowTitle().toStdString(), platform::App().title);
        EXPECT_FALSE(f.findChild<QLabel*>(QStringLiteral("picIcon"))->isVisibleTo(&f));
    });
    EXPECT_EQ(utMsgbox(QStringLiteral("Plain"), 0), 1);
    EXPECT_EQ(handler->ErrNumber(), 0);
}

TEST_F(TimedBox, CountDownPressesTheDefaultButtonOnlyAfterMoreThanWaitTimeSeconds)
{
    for (std::optional<int> defaultButton : {std::optional<int>(), std::optional<int>(1)}) {
        platform::FakeClock clock;
        QStringList labels;
        int pressedAfter = -1;
        ModalRecorder modal([&](platform::FormBase& f) {
            EXPECT_TRUE(counting(f));
            labels << timerText(f);
            box(f).timerExit_Timer(); // not on screen yet: nothing happens
            clock.advance(10);
            box(f).timerExit_Timer();
            EXPECT_EQ(timerText(f), labels.front());
            clock.advance(-10);

            f.show();
            for (int second = 1; second <= 7 && f.isVisible(); ++second) {
                clock.advanceMs(500);
                box(f).timerExit_Timer();
                clock.advanceMs(500);
                box(f).timerExit_Timer();
                if (f.isVisible())
                    labels << timerText(f);
                else
                    pressedAfter = second;
            }
        });
        MsgBoxOptions o;
        o.DefaultButton = defaultButton;
        const int result = utMsgbox(QStringLiteral("Saving..."), 3, o);
        EXPECT_EQ(result, defaultButton ? 2 : 1);
        EXPECT_EQ(pressedAfter, 4);
        EXPECT_EQ(labels,
                  (QStringList{QStringLiteral("Closing in 3 seconds..."), QStringLiteral("Closing in 2 seconds..."),
                               QStringLiteral("Closing in 1 second..."), QStringLiteral("Closing in 0 seconds...")}));
    }
}

TEST_F(TimedBox, NoCountDownWithoutWaitTimeOrWhenInputMustBeConsidered)
{
    struct Case {
        const char* what;
        int wait;
        bool input, browse, password;
        int min, max;
        bool counts;
    };
    const Case cases[] = {
        {"no wait", 0, false, false, false, -1, -1, false},
        {"negative wait", -5, false, false, false, -1, -1, false},
        {"input with wait", 5, true, false, false, -1, -1, true},
        {"browse", 5, true, true, false, -1, -1, false},
        {"password", 5, true, false, true, -1, -1, false},
        {"minimum", 5, true, false, false, 0, -1, false},
        {"maximum", 5, true, false, false, -1, 10, false},
    };
    for (const Case& c : cases) {
        bool active = false;
        QString label;
        ModalRecorder modal([&](platform::FormBase& f) {
            active = counting(f);
            label = timerText(f);
        });
        InputBoxOptions o;
        o.AllowBrowse = c.browse;
        o.PasswordEntry = c.password;
        o.MinLength = c.min;
        o.MaxLength = c.max;
        if (c.input)
            utInputBox(QStringLiteral("Name?"), c.wait, o);
        else
            utMsgbox(QStringLiteral("Note"), c.wait);
        EXPECT_EQ(active, c.counts) << c.what;
        EXPECT_EQ(label.isEmpty(), !c.counts) << c.what;
    }
}

TEST_F(TimedBox, LengthAndPasswordChecksKeepTheBoxOpenWithTheirMessage)
{
    const QString mismatch =
        QStringLiteral("The passwords do not match, please verify you have entered the passwords correctly.");
    const QString okay = QStringLiteral("Okay");
    struct Case {
        const char* what;
        bool password, confirm;
        int min, max;
        QString first, reEntered; // what is typed before the first press
        QString message;          // "" when the first press is accepted
        QString fixed;
    };
    const Case cases[] = {
        {"too short", false, false, 3, -1, "ab", "", lengthCheckMessage(2, 3, -1), okay},
        {"empty", false, false, 1, -1, "", "", lengthCheckMessage(0, 1, -1), okay},
        {"too long", false, false, -1, 4, "abcde", "", lengthCheckMessage(5, -1, 4), okay},
        {"password ignores lengths", true, false, 5, 6, "ab", "", QString(), okay},
        {"confirmation differs in case", true, true, -1, -1, "Secret", "secret", mismatch, okay},
        {"confirmed password keeps lengths", true, true, 8, -1, "Secret", "Secret", lengthCheckMessage(6, 8, -1),
         "Secret12"},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        InputBoxOptions o;
        o.PasswordEntry = c.password;
        o.PasswordConfirm = c.confirm;
        o.MinLength = c.min;
        o.MaxLength = c.max;
        bool stayedOpen = false;
        ModalRecorder modal([&](platform::FormBase& f) {
            f.show();
            EXPECT_EQ(edit(f, "txtInput")->echoMode(), c.password ? QLineEdit::Password : QLineEdit::Normal);
            EXPECT_EQ(edit(f, "txtPasswordReEnter")->isVisibleTo(&f), c.confirm);
            edit(f, "txtInput")->setText(c.first);
            edit(f, "txtPasswordReEnter")->setText(c.reEntered);
            button(f, 0)->click();
            stayedOpen = f.isVisible();
            if (stayedOpen) {
                edit(f, "txtInput")->setText(c.fixed);
                edit(f, "txtPasswordReEnter")->setText(c.fixed);
                button(f, 0)->click();
            }
        });
        const QString result = utInputBox(QStringLiteral("Enter"), 0, o);
        EXPECT_EQ(stayedOpen, !c.message.isEmpty()) << c.what;
        if (c.message.isEmpty()) {
            EXPECT_TRUE(messages.shown.empty()) << c.what;
            EXPECT_EQ(result, c.first) << c.what;
        } else {
            ASSERT_EQ(messages.shown.size(), 1u) << c.what;
            EXPECT_EQ(messages.shown[0].text, c.message.toStdString()) << c.what;
            EXPECT_EQ(messages.shown[0].style, platform::vbExclamation + platform::vbOKOnly);
            EXPECT_EQ(result, c.fixed) << c.what;
        }
    }
}

TEST_F(TimedBox, ButtonsOneAndTwoAndTheCloseBoxOfAnInputBoxCancelWhateverTheText)
{
    for (int pressed : {1, 2, -1}) { // -1: the close box
        ModalRecorder modal([&](platform::FormBase& f) {
            edit(f, "txtInput")->setText(QStringLiteral("typed"));
            if (pressed < 0)
                EXPECT_FALSE(f.RequestUnload(platform::vbFormControlMenu));
            else
                button(f, pressed)->click();
        });
        InputBoxOptions o;
        o.ButtonType = 3;
        o.MinLength = 10; // no check runs for these buttons
        o.DefaultValue = QStringLiteral("x");
        EXPECT_EQ(utInputBox(QStringLiteral("Name?"), 0, o), QStringLiteral("{CANCEL}")) << pressed;
    }
    ModalRecorder modal([&](platform::FormBase& f) {
        EXPECT_EQ(edit(f, "txtInput")->text(), QStringLiteral("default"));
        button(f, 0)->click();
    });
    InputBoxOptions o;
    o.DefaultValue = QStringLiteral("default");
    EXPECT_EQ(utInputBox(QStringLiteral("Name?"), 0, o), QStringLiteral("default"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TimedBox, EnterPressesTheDefaultOrFocusedButtonAndEscapeTheCancelButton)
{
    struct Case {
        Qt::Key key;
        const char* target; // where the key is typed
        int expected;
    };
    for (const Case& c : {Case{Qt::Key_Return, "txtInput", 1}, Case{Qt::Key_Escape, "txtInput", 2},
                          Case{Qt::Key_Enter, "cmdButtons_1", 2}}) {
        ModalRecorder modal([&](platform::FormBase& f) {
            f.show();
            auto* target = f.findChild<QWidget*>(QString::fromLatin1(c.target));
            target->setFocus();
            QTest::keyClick(target, c.key);
        });
        MsgBoxOptions o;
        EXPECT_EQ(utMsgbox(QStringLiteral("Keys"), 0, o), c.expected) << c.target;
    }
}

TEST_F(TimedBox, FirstActivationFocusesTheTextOrTheDefaultButtonOnce)
{
    ModalRecorder modal([&](platform::FormBase& f) {
        if (edit(f, "txtInput")->isVisibleTo(&f)) {
            box(f).Form_Activate();
            EXPECT_EQ(f.focusWidget(), edit(f, "txtInput"));
        } else {
            box(f).Form_Activate();
            EXPECT_EQ(f.focusWidget(), button(f, 1));
            button(f, 0)->setFocus();
            box(f).Form_Activate();
            EXPECT_EQ(f.focusWidget(), button(f, 0));
        }
    });
    MsgBoxOptions o;
    o.DefaultButton = 1;
    utMsgbox(QStringLiteral("Focus"), 0, o);
    utInputBox(QStringLiteral("Focus"));
    EXPECT_EQ(modal.shown.size(), 2);
}

TEST_F(TimedBox, TheBrowseButtonReplacesTheTextUnlessCancelled)
{
    const QString folder = QDir::toNativeSeparators(dir.path()) + QDir::separator();
    for (bool choose : {true, false}) {
        QString text;
        ModalRecorder modal([&](platform::FormBase& f) {
            if (f.objectName() == QLatin1String("frmBrowse")) {
                f.findChild<QPushButton*>(QString::fromLatin1(choose ? "cmdDone" : "cmdCancel"))->click();
                return;
            }
            EXPECT_TRUE(f.findChild<QPushButton*>(QStringLiteral("cmdBrowse"))->isVisibleTo(&f));
            f.findChild<QPushButton*>(QStringLiteral("cmdBrowse"))->click();
            text = edit(f, "txtInput")->text();
            button(f, 1)->click();
        });
        InputBoxOptions o;
        o.AllowBrowse = true;
        o.BrowseFolderOnly = true;
        o.DefaultValue = dir.path();
        EXPECT_EQ(utInputBox(QStringLiteral("Folder?"), 0, o), QStringLiteral("{CANCEL}"));
        EXPECT_EQ(modal.shown, (QStringList{QStringLiteral("frmTimedMsgBox"), QStringLiteral("frmBrowse")}));
        EXPECT_EQ(text, choose ? folder : dir.path());
    }
}

TEST_F(TimedBox, AModelessBoxClosesItselfThroughTheCollection)
{
    platform::FakeClock clock;
    const int before = utNonModalBoxCount();
    for (int way = 0; way < 3; ++way) {
        NonModalBoxOptions o;
        o.Title = QStringLiteral("Copying");
        utMsgBoxNonModal(QStringLiteral("Copying files"), way == 2 ? 2 : 0, o);
        auto* f = dynamic_cast<platform::FormBase*>(platform::Forms::find(QStringLiteral("frmTimedMsgBox")));
        ASSERT_NE(f, nullptr);
        EXPECT_TRUE(f->isVisible());
        EXPECT_EQ(shownButtons(*f), QStringList{QStringLiteral("&OK")});
        EXPECT_EQ(utNonModalBoxCount(), before + 1);
        EXPECT_FALSE(f->property("Tag").toString().isEmpty());
        if (way == 0) {
            QTest::keyClick(f, Qt::Key_Escape); // OK is also the cancel button
        } else if (way == 1) {
            EXPECT_FALSE(f->RequestUnload(platform::vbFormControlMenu));
        } else {
            clock.advance(3);
            box(*f).timerExit_Timer();
        }
        EXPECT_TRUE(f->isUnloading()) << way;
        EXPECT_EQ(utNonModalBoxCount(), before) << way;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(handler->ErrNumber(), 0);
}

TEST_F(TimedBox, TheRealCountDownEndsTheModalShowByItself)
{
    // No modal hook: the box runs its own event loop until the count-down
    // presses OK, about two seconds in. A guard hides it should that fail.
    bool guardFired = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        guardFired = true;
        if (platform::Form* f = platform::Forms::find(QStringLiteral("frmTimedMsgBox")))
            f->Hide();
    });
    guard.start(6000);
    MsgBoxOptions o;
    o.DefaultButton = 1;
    EXPECT_EQ(utMsgbox(QStringLiteral("Closing soon"), 1, o), 2);
    EXPECT_FALSE(guardFired);
}
