#include "guisupport.h"
#include "platform/clock.h"
#include "testsupport.h"
#include "ui/dialogs/frmtimedmsgbox.h"
#include "util/formutils.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using platform::FormBase;

class TimedBox : public FrameworkTest {
protected:
    static frmTimedMsgBox& box(FormBase& f) { return *qobject_cast<frmTimedMsgBox*>(&f); }
    static QPushButton* button(FormBase& f, int i)
    {
        return f.findChild<QPushButton*>(QStringLiteral("cmdButtons_%1").arg(i));
    }
    static QLineEdit* edit(FormBase& f, const char* name) { return f.findChild<QLineEdit*>(QLatin1String(name)); }
    static QString timerText(FormBase& f) { return f.findChild<QLabel*>(QStringLiteral("lblTimer"))->text(); }
    // The captions of the buttons that would show, right to left.
    static QStringList shownButtons(FormBase& f)
    {
        QStringList out;
        for (int i = 0; i < 3; ++i)
            if (button(f, i)->isVisibleTo(&f))
                out << button(f, i)->text();
        return out;
    }
    // Puts the box on screen and plays steps until it closes: "0" to "2" press
    // that button, "close" the close box, "Return" and "Escape" those keys,
    // "=text" and "+text" type into the text and the confirmation box.
    static void play(FormBase& f, const QStringList& steps)
    {
        f.show();
        for (const QString& s : steps) {
            if (!f.isVisible())
                return;
            if (s == "close")
                EXPECT_FALSE(f.RequestUnload(platform::vbFormControlMenu));
            else if (s == "Return" || s == "Escape")
                QTest::keyClick(&f, s == "Return" ? Qt::Key_Return : Qt::Key_Escape);
            else if (s.startsWith('=') || s.startsWith('+'))
                edit(f, s.startsWith('=') ? "txtInput" : "txtPasswordReEnter")->setText(s.mid(1));
            else
                button(f, s.toInt())->click();
        }
    }
};

TEST_F(TimedBox, ButtonSetsShowTheirCaptionsAndAnswerWithTheirCodes)
{
    // Button set, cancel allowed, the captions shown, the code of each shown
    // button, and of the close box and Escape: the shown cancelling button's
    // (No of Yes/No), else button zero's.
    const std::tuple<int, bool, QStringList, std::vector<int>, int> cases[] = {
        {1, true, {"&OK", "&Cancel"}, {1, 2}, 2},
        {1, false, {"&OK"}, {1}, 1},
        {2, true, {"&Yes", "&No"}, {6, 7}, 7},
        {2, false, {"&Yes"}, {6}, 6},
        {3, true, {"&Yes", "&No", "&Cancel"}, {6, 7, 2}, 2},
        {3, false, {"&Yes", "&No"}, {6, 7}, 6},
    };
    for (const auto& [type, allowCancel, shown, codes, cancel] : cases) {
        MsgBoxOptions o;
        o.ButtonType = type;
        o.AllowCancel = allowCancel;
        std::vector<std::pair<QString, int>> presses = {{"close", cancel}, {"Escape", cancel}, {"Return", codes[0]}};
        for (size_t i = 0; i < codes.size(); ++i)
            presses.emplace_back(QString::number(i), codes[i]);
        for (const auto& [press, code] : presses) {
            ModalRecorder modal([&](FormBase& f) {
                EXPECT_EQ(shownButtons(f), shown) << type << allowCancel;
                play(f, {press});
            });
            EXPECT_EQ(utMsgbox(QStringLiteral("Proceed?"), 0, o), code) << type << allowCancel << qPrintable(press);
        }
    }
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(handler->StackDepth(), 0); // every procedure left the stack
}

// The timer ticks every half second while it runs; the box presses the
// default button at the first tick after more than WaitTime whole seconds.
TEST_F(TimedBox, CountDownPressesTheDefaultButtonUnlessInputMustBeConsidered)
{
    const QStringList countDown = {"Closing in 3 seconds...", "Closing in 2 seconds...", "Closing in 1 second...",
                                   "Closing in 0 seconds..."};
    const std::tuple<const char*, int, std::function<void(InputBoxOptions&)>, QString> cases[] = {
        {"button 0", 3, [](InputBoxOptions&) {}, "typed"},
        {"default button 1", 3, [](InputBoxOptions& o) { o.DefaultButton = 1; }, "{CANCEL}"},
        {"no wait", 0, [](InputBoxOptions&) {}, ""},
        {"negative wait", -5, [](InputBoxOptions&) {}, ""},
        {"browse", 3, [](InputBoxOptions& o) { o.AllowBrowse = true; }, ""},
        {"password", 3, [](InputBoxOptions& o) { o.PasswordEntry = true; }, ""},
        {"minimum", 3, [](InputBoxOptions& o) { o.MinLength = 0; }, ""},
        {"maximum", 3, [](InputBoxOptions& o) { o.MaxLength = 10; }, ""},
    };
    for (const auto& [what, wait, set, pressed] : cases) {
        InputBoxOptions o;
        set(o);
        platform::FakeClock clock;
        QStringList labels;
        int ticks = 0;
        ModalRecorder modal([&](FormBase& f) {
            edit(f, "txtInput")->setText("typed");
            labels << timerText(f);
            clock.advance(10);
            box(f).timerExit_Timer(); // not on screen yet: nothing happens
            EXPECT_EQ(timerText(f), labels.front());
            clock.advance(-10);
            f.show();
            while (f.isVisible() && f.findChild<QTimer*>(QStringLiteral("timerExit"))->isActive() && ticks < 14) {
                clock.advanceMs(500);
                box(f).timerExit_Timer();
                if (++ticks % 2 == 0 && f.isVisible())
                    labels << timerText(f);
            }
            if (f.isVisible())
                play(f, {"1"});
        });
        EXPECT_EQ(utInputBox(QStringLiteral("Saving..."), wait, o), pressed.isEmpty() ? "{CANCEL}" : pressed) << what;
        EXPECT_EQ(ticks, pressed.isEmpty() ? 0 : 8) << what;
        EXPECT_EQ(labels, pressed.isEmpty() ? QStringList("") : countDown) << what;
    }
}

TEST_F(TimedBox, InputChecksKeepTheBoxOpenWithTheirMessageAndCancellingSkipsThem)
{
    const QString S = QStringLiteral("The text you have entered is too short.\r\n\r\n");
    const QString L = QStringLiteral("The text you have entered is too long.\r\n\r\n");
    // What, password (1: masked, 2: masked and confirmed), minimum and maximum
    // length, steps as play() takes them, result, and the message shown ("": none).
    const std::tuple<const char*, int, int, int, QString, QString, QString> cases[] = {
        {"too short", 0, 3, -1, "=ab 0 =abc 0", "abc", S + "You must enter at least 3 characters."},
        {"empty", 0, 1, -1, "= 0 =a 0", "a", S + "You must enter at least 1 character."},
        {"too long", 0, -1, 4, "=abcde 0 =abcd 0", "abcd", L + "You may enter a maximum of 4 characters."},
        {"one too many", 0, 0, 1, "=ab 0 =a 0", "a", L + "You may enter a maximum of 1 character."},
        {"nothing allowed", 0, -1, 0, "=a 0 = 0", "", L + "You may enter a maximum of 0 characters."},
        {"exactly the limits", 0, 3, 3, "=abc 0", "abc", ""},
        {"password ignores lengths", 1, 5, 6, "=ab 0", "ab", ""},
        {"confirmation differs in case", 2, -1, -1, "=Secret +secret 0 +Secret 0", "Secret",
         "The passwords do not match, please verify you have entered the passwords correctly."},
        {"confirmed keeps lengths", 2, 8, -1, "=Secret +Secret 0 =Secret12 +Secret12 0", "Secret12",
         S + "You must enter at least 8 characters."},
        {"button 1", 0, 10, -1, "=typed 1", "{CANCEL}", ""},
        {"button 2", 0, 10, -1, "=typed 2", "{CANCEL}", ""},
        {"close box", 0, 10, -1, "=typed close", "{CANCEL}", ""},
    };
    for (const auto& [what, password, min, max, steps, result, message] : cases) {
        messages.shown.clear();
        InputBoxOptions o;
        o.ButtonType = 3;
        o.PasswordEntry = password > 0;
        o.PasswordConfirm = password > 1;
        o.MinLength = min;
        o.MaxLength = max;
        ModalRecorder modal([&, masked = password, typed = steps](FormBase& f) {
            EXPECT_EQ(edit(f, "txtInput")->echoMode(), masked ? QLineEdit::Password : QLineEdit::Normal);
            EXPECT_EQ(edit(f, "txtPasswordReEnter")->isVisibleTo(&f), masked > 1);
            play(f, typed.split(' '));
        });
        EXPECT_EQ(utInputBox(QStringLiteral("Enter"), 0, o), result) << what;
        ASSERT_EQ(messages.shown.size(), message.isEmpty() ? 0u : 1u) << what;
        if (!message.isEmpty()) {
            EXPECT_EQ(messages.shown[0].text, message) << what;
            EXPECT_EQ(messages.shown[0].style, platform::vbExclamation + platform::vbOKOnly);
        }
    }
}

// No modal hook: a box runs its own event loop until the count-down presses
// OK, about two seconds in; a modeless box meanwhile presses its own OK and
// leaves the collection of modeless boxes. A guard hides the modal box should
// that fail.
TEST_F(TimedBox, RealCountDownsEndTheModalShowAndCloseAModelessBox)
{
    const int before = utNonModalBoxCount();
    utMsgBoxNonModal(QStringLiteral("Copying files"), 1);
    EXPECT_EQ(utNonModalBoxCount(), before + 1);
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
    EXPECT_TRUE(QTest::qWaitFor([&] { return utNonModalBoxCount() == before; }, 3000));
}
