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
using platform::FormBase;

frmTimedMsgBox& box(FormBase& f)
{
    return *qobject_cast<frmTimedMsgBox*>(&f);
}
QPushButton* button(FormBase& f, int i)
{
    return f.findChild<QPushButton*>(QStringLiteral("cmdButtons_%1").arg(i));
}
QLineEdit* edit(FormBase& f, const char* name)
{
    return f.findChild<QLineEdit*>(QString::fromLatin1(name));
}
QString timerText(FormBase& f)
{
    return f.findChild<QLabel*>(QStringLiteral("lblTimer"))->text();
}
// The captions of the buttons that would show, right to left.
QStringList shownButtons(FormBase& f)
{
    QStringList out;
    for (int i = 0; i < 3; ++i)
        if (button(f, i)->isVisibleTo(&f))
            out << button(f, i)->text();
    return out;
}
} // namespace

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
            ModalRecorder modal([&](FormBase& f) {
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
    MsgBoxOptions o;
    o.Title = QStringLiteral("Disk");
    o.ImageListControl = &images;
    o.IconNum = QStringLiteral("WARN");
    o.ButtonType = 7; // no preset: the caller's texts make the buttons
    o.DefaultButton = 1;
    o.Button0Text = QStringLiteral("&Retry");
    o.Button1Text = QStringLiteral("&Skip");
    for (bool plain : {false, true}) {
        ModalRecorder modal([&](FormBase& f) {
            EXPECT_EQ(f.windowTitle(), plain ? platform::App().title : QStringLiteral("Disk"));
            EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("picIcon"))->isVisibleTo(&f), !plain);
            EXPECT_EQ(shownButtons(f), plain ? QStringList({"&OK", "&Cancel"}) : QStringList({"&Retry", "&Skip"}));
            QTest::keyClick(&f, Qt::Key_Return);
        });
        EXPECT_EQ(utMsgbox(QStringLiteral("Disk full"), 0, plain ? MsgBoxOptions() : o), plain ? 1 : 0);
    }
    EXPECT_EQ(handler->ErrNumber(), 0);
}

TEST_F(TimedBox, CountDownPressesTheDefaultButtonOnlyAfterMoreThanWaitTimeSeconds)
{
    for (std::optional<int> defaultButton : {std::optional<int>(), std::optional<int>(1)}) {
        platform::FakeClock clock;
        QStringList labels;
        int pressedAfter = -1;
        ModalRecorder modal([&](FormBase& f) {
            labels << timerText(f);
            clock.advance(10);
            box(f).timerExit_Timer(); // not on screen yet: nothing happens
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
        EXPECT_EQ(utMsgbox(QStringLiteral("Saving..."), 3, o), defaultButton ? 2 : 1);
        EXPECT_EQ(pressedAfter, 4);
        EXPECT_EQ(labels, QStringList({"Closing in 3 seconds...", "Closing in 2 seconds...", "Closing in 1 second...",
                                       "Closing in 0 seconds..."}));
    }
}

TEST_F(TimedBox, NoCountDownWithoutWaitTimeOrWhenInputMustBeConsidered)
{
    struct Case {
        const char* what;
        int wait;
        std::optional<InputBoxOptions> input;
        bool counts;
    };
    InputBoxOptions browse, password, minimum, maximum;
    browse.AllowBrowse = true;
    password.PasswordEntry = true;
    minimum.MinLength = 0;
    maximum.MaxLength = 10;
    const Case cases[] = {
        {"no wait", 0, std::nullopt, false},
        {"negative wait", -5, std::nullopt, false},
        {"input with wait", 5, InputBoxOptions(), true},
        {"browse", 5, browse, false},
        {"password", 5, password, false},
        {"minimum", 5, minimum, false},
        {"maximum", 5, maximum, false},
    };
    for (const Case& c : cases) {
        bool active = false;
        QString label;
        ModalRecorder modal([&](FormBase& f) {
            active = f.findChild<QTimer*>(QStringLiteral("timerExit"))->isActive();
            label = timerText(f);
        });
        if (c.input)
            utInputBox(QStringLiteral("Name?"), c.wait, *c.input);
        else
            utMsgbox(QStringLiteral("Note"), c.wait);
        EXPECT_EQ(active, c.counts) << c.what;
        EXPECT_EQ(label.isEmpty(), !c.counts) << c.what;
    }
}

TEST_F(TimedBox, LengthAndPasswordChecksKeepTheBoxOpenWithTheirMessage)
{
    const QString tooShort = QStringLiteral("The text you have entered is too short.\r\n\r\n");
    const QString tooLong = QStringLiteral("The text you have entered is too long.\r\n\r\n");
    struct Case {
        const char* what;
        bool password, confirm;
        int min, max;
        QString first, reEntered; // what is typed before the first press
        QString message;          // "" when the first press is accepted
        QString fixed;
    };
    const Case cases[] = {
        {"too short", false, false, 3, -1, "ab", "", tooShort + "You must enter at least 3 characters.", "abc"},
        {"empty", false, false, 1, -1, "", "", tooShort + "You must enter at least 1 character.", "a"},
        {"too long", false, false, -1, 4, "abcde", "", tooLong + "You may enter a maximum of 4 characters.", "abcd"},
        {"one too many", false, false, 0, 1, "ab", "", tooLong + "You may enter a maximum of 1 character.", "a"},
        {"exactly the limits", false, false, 3, 3, "abc", "", "", ""},
        {"password ignores lengths", true, false, 5, 6, "ab", "", "", ""},
        {"confirmation differs in case", true, true, -1, -1, "Secret", "secret",
         "The passwords do not match, please verify you have entered the passwords correctly.", "Secret"},
        {"confirmed password keeps lengths", true, true, 8, -1, "Secret", "Secret",
         tooShort + "You must enter at least 8 characters.", "Secret12"},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        InputBoxOptions o;
        o.PasswordEntry = c.password;
        o.PasswordConfirm = c.confirm;
        o.MinLength = c.min;
        o.MaxLength = c.max;
        bool stayedOpen = false;
        ModalRecorder modal([&](FormBase& f) {
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
        EXPECT_EQ(utInputBox(QStringLiteral("Enter"), 0, o), c.message.isEmpty() ? c.first : c.fixed) << c.what;
        EXPECT_EQ(stayedOpen, !c.message.isEmpty()) << c.what;
        ASSERT_EQ(messages.shown.size(), c.message.isEmpty() ? 0u : 1u) << c.what;
        if (stayedOpen) {
            EXPECT_EQ(messages.shown[0].text, c.message) << c.what;
            EXPECT_EQ(messages.shown[0].style, platform::vbExclamation + platform::vbOKOnly);
        }
    }
}

TEST_F(TimedBox, ButtonsOneAndTwoAndTheCloseBoxOfAnInputBoxCancelWhateverTheText)
{
    for (int pressed : {1, 2, -1}) { // -1: the close box
        ModalRecorder modal([&](FormBase& f) {
            edit(f, "txtInput")->setText(QStringLiteral("typed"));
            if (pressed < 0)
                EXPECT_FALSE(f.RequestUnload(platform::vbFormControlMenu));
            else
                button(f, pressed)->click();
        });
        InputBoxOptions o;
        o.ButtonType = 3;
        o.MinLength = 10; // no check runs for these buttons
        EXPECT_EQ(utInputBox(QStringLiteral("Name?"), 0, o), QStringLiteral("{CANCEL}")) << pressed;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TimedBox, EnterPressesTheDefaultOrFocusedButtonAndEscapeTheCancelButton)
{
    const std::tuple<Qt::Key, const char*, int> cases[] = {
        {Qt::Key_Return, "txtInput", 1}, {Qt::Key_Escape, "txtInput", 2}, {Qt::Key_Enter, "cmdButtons_1", 2}};
    for (const auto& [key, target, expected] : cases) {
        ModalRecorder modal([&](FormBase& f) {
            f.show();
            auto* w = f.findChild<QWidget*>(QString::fromLatin1(target));
            w->setFocus();
            QTest::keyClick(w, key);
        });
        EXPECT_EQ(utMsgbox(QStringLiteral("Keys"), 0), expected) << target;
    }
}

TEST_F(TimedBox, FirstActivationFocusesTheTextOrTheDefaultButtonOnce)
{
    ModalRecorder modal([&](FormBase& f) {
        QWidget* first =
            edit(f, "txtInput")->isVisibleTo(&f) ? static_cast<QWidget*>(edit(f, "txtInput")) : button(f, 1);
        box(f).Form_Activate();
        EXPECT_EQ(f.focusWidget(), first);
        button(f, 0)->setFocus();
        box(f).Form_Activate();
        EXPECT_EQ(f.focusWidget(), button(f, 0));
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
        ModalRecorder modal([&](FormBase& f) {
            if (f.objectName() == QLatin1String("frmBrowse")) {
                f.findChild<QPushButton*>(QString::fromLatin1(choose ? "cmdDone" : "cmdCancel"))->click();
                return;
            }
            f.findChild<QPushButton*>(QStringLiteral("cmdBrowse"))->click();
            text = edit(f, "txtInput")->text();
            button(f, 1)->click();
        });
        InputBoxOptions o;
        o.AllowBrowse = true;
        o.BrowseFolderOnly = true;
        o.DefaultValue = dir.path();
        EXPECT_EQ(utInputBox(QStringLiteral("Folder?"), 0, o), QStringLiteral("{CANCEL}"));
        EXPECT_EQ(modal.shown, QStringList({"frmTimedMsgBox", "frmBrowse"}));
        EXPECT_EQ(text, choose ? folder : dir.path());
    }
}

TEST_F(TimedBox, AModelessBoxClosesItselfThroughTheCollection)
{
    platform::FakeClock clock;
    const int before = utNonModalBoxCount();
    for (int way = 0; way < 3; ++way) {
        utMsgBoxNonModal(QStringLiteral("Copying files"), way == 2 ? 2 : 0);
        auto* f = dynamic_cast<FormBase*>(platform::Forms::find(QStringLiteral("frmTimedMsgBox")));
        ASSERT_NE(f, nullptr);
        EXPECT_TRUE(f->isVisible());
        EXPECT_EQ(shownButtons(*f), QStringList{QStringLiteral("&OK")});
        EXPECT_EQ(utNonModalBoxCount(), before + 1);
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
    QObject guard;
    QTimer::singleShot(6000, &guard, [&] {
        guardFired = true;
        if (platform::Form* f = platform::Forms::find(QStringLiteral("frmTimedMsgBox")))
            f->Hide();
    });
    MsgBoxOptions o;
    o.DefaultButton = 1;
    EXPECT_EQ(utMsgbox(QStringLiteral("Closing soon"), 1, o), 2);
    EXPECT_FALSE(guardFired);
}
