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
// Puts the box on screen and plays steps until it closes: "0" to "2" press
// that button, "close" the close box, "Return" and "Escape" those keys,
// "=text" and "+text" type into the text and the confirmation box.
void play(FormBase& f, const QStringList& steps)
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
} // namespace

class TimedBox : public FrameworkTest {};

TEST_F(TimedBox, ButtonSetsShowTheirCaptionsAndAnswerWithTheirCodes)
{
    struct Case {
        int type;
        bool allowCancel;
        QStringList shown;
        std::vector<int> codes; // result of pressing each shown button
        int cancel; // the close box and Escape: the shown cancelling button's (No of Yes/No), else button zero's
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
        std::vector<std::pair<QString, int>> presses = {
            {"close", c.cancel}, {"Escape", c.cancel}, {"Return", c.codes[0]}};
        for (size_t i = 0; i < c.codes.size(); ++i)
            presses.emplace_back(QString::number(i), c.codes[i]);
        for (const auto& [press, code] : presses) {
            QStringList shown;
            ModalRecorder modal([&](FormBase& f) {
                shown = shownButtons(f);
                play(f, {press});
            });
            EXPECT_EQ(utMsgbox(QStringLiteral("Proceed?"), 0, o), code) << c.type << c.allowCancel << qPrintable(press);
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
    o.ButtonType = 7; // no preset: the caller's texts alone make the buttons
    o.Button0Text = QStringLiteral("&Retry");
    o.Button2Text = QStringLiteral("&Stop");
    ModalRecorder modal([&](FormBase& f) {
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Disk"));
        EXPECT_TRUE(f.findChild<QLabel*>(QStringLiteral("picIcon"))->isVisibleTo(&f));
        EXPECT_EQ(shownButtons(f), QStringList({"&Retry", "&Stop"}));
        play(f, {"2"});
    });
    EXPECT_EQ(utMsgbox(QStringLiteral("Disk full"), 0, o), 0);
    EXPECT_EQ(handler->ErrNumber(), 0);
}

// The timer ticks every half second while it runs; the box presses the
// default button at the first tick after more than WaitTime whole seconds.
TEST_F(TimedBox, CountDownPressesTheDefaultButtonUnlessInputMustBeConsidered)
{
    using Set = std::function<void(InputBoxOptions&)>;
    const QStringList countDown = {"Closing in 3 seconds...", "Closing in 2 seconds...", "Closing in 1 second...",
                                   "Closing in 0 seconds..."};
    const std::tuple<const char*, int, Set, QString> cases[] = {
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
        platform::FakeClock clock;
        QStringList labels;
        int pressedAfter = -1;
        ModalRecorder modal([&](FormBase& f) {
            auto* timer = f.findChild<QTimer*>(QStringLiteral("timerExit"));
            edit(f, "txtInput")->setText("typed");
            labels << timerText(f);
            clock.advance(10);
            box(f).timerExit_Timer(); // not on screen yet: nothing happens
            EXPECT_EQ(timerText(f), labels.front());
            clock.advance(-10);
            f.show();
            for (int halfSeconds = 1; halfSeconds <= 14 && f.isVisible() && timer->isActive(); ++halfSeconds) {
                clock.advanceMs(500);
                box(f).timerExit_Timer();
                if (!f.isVisible())
                    pressedAfter = halfSeconds;
                else if (halfSeconds % 2 == 0)
                    labels << timerText(f);
            }
            if (f.isVisible())
                play(f, {"1"});
        });
        EXPECT_EQ(utInputBox(QStringLiteral("Saving..."), wait,
                             [&] {
                                 InputBoxOptions o;
                                 set(o);
                                 return o;
                             }()),
                  pressed.isEmpty() ? "{CANCEL}" : pressed)
            << what;
        EXPECT_EQ(pressedAfter, pressed.isEmpty() ? -1 : 8) << what;
        EXPECT_EQ(labels, pressed.isEmpty() ? QStringList("") : countDown) << what;
    }
}

TEST_F(TimedBox, InputChecksKeepTheBoxOpenWithTheirMessageAndCancellingSkipsThem)
{
    const QString S = QStringLiteral("The text you have entered is too short.\r\n\r\n");
    const QString L = QStringLiteral("The text you have entered is too long.\r\n\r\n");
    struct Case {
        const char* what;
        int password; // 1: masked, 2: masked and confirmed
        int min, max;
        QString steps; // as play() takes them, blank-separated
        QString result;
        QString message; // "" when none is shown
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        messages.shown.clear();
        InputBoxOptions o;
        o.ButtonType = 3;
        o.PasswordEntry = c.password > 0;
        o.PasswordConfirm = c.password > 1;
        o.MinLength = c.min;
        o.MaxLength = c.max;
        ModalRecorder modal([&](FormBase& f) {
            EXPECT_EQ(edit(f, "txtInput")->echoMode(), c.password ? QLineEdit::Password : QLineEdit::Normal);
            EXPECT_EQ(edit(f, "txtPasswordReEnter")->isVisibleTo(&f), c.password > 1);
            play(f, c.steps.split(' '));
        });
        EXPECT_EQ(utInputBox(QStringLiteral("Enter"), 0, o), c.result) << c.what;
        ASSERT_EQ(messages.shown.size(), c.message.isEmpty() ? 0u : 1u) << c.what;
        if (!c.message.isEmpty()) {
            EXPECT_EQ(messages.shown[0].text, c.message) << c.what;
            EXPECT_EQ(messages.shown[0].style, platform::vbExclamation + platform::vbOKOnly);
        }
    }
}

TEST_F(TimedBox, TheBrowseButtonReplacesTheTextUnlessCancelled)
{
    const QString folder = QDir::toNativeSeparators(dir.path()) + QDir::separator();
    for (bool choose : {true, false}) {
        ModalRecorder modal([&](FormBase& f) {
            const char* name = f.objectName() == "frmBrowse" ? (choose ? "cmdDone" : "cmdCancel") : "cmdBrowse";
            f.findChild<QPushButton*>(QString::fromLatin1(name))->click();
        });
        InputBoxOptions o;
        o.AllowBrowse = true;
        o.BrowseFolderOnly = true;
        o.DefaultValue = dir.path();
        EXPECT_EQ(utInputBox(QStringLiteral("Folder?"), 0, o), choose ? folder : dir.path());
        EXPECT_EQ(modal.shown, QStringList({"frmTimedMsgBox", "frmBrowse"}));
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
        if (way == 2) {
            clock.advance(3);
            box(*f).timerExit_Timer();
        } else {
            play(*f, {way == 0 ? "Escape" : "close"}); // OK is also the cancel button
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
