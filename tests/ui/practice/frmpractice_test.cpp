// The practice window beside a real main window: a whole set answered, right
// and wrong, with the explanations and the score; the octet boxes typed as the
// calculator's; opened by Ctrl+P and the menu; Escape; the end of the program
// with the main window.
#include "model/dotted.h"
#include "ui/besidemain.h"
#include "ui/main/mainlayout.h"
#include "ui/practice/addressanswer.h"
#include "ui/practice/bitscompare.h"
#include "ui/practice/frmpractice.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QHeaderView>
#include <QTreeWidget>

#include <bitset>
#include <set>

namespace {

using practice::Kind;

// Keys typed one at a time into whatever has the focus, each handled (and
// the Tab a "." posts) before the next.
void typeKeys(const QString& keys)
{
    for (const QChar c : keys) {
        QWidget* to = QApplication::focusWidget();
        ASSERT_NE(to, nullptr);
        if (c == QLatin1Char('\b'))
            QTest::keyClick(to, Qt::Key_Backspace);
        else
            QTest::keyClicks(to, QString(c));
        QApplication::processEvents();
    }
}

class PracticeWindowTest : public BesideMainWindow<frmPractice> {
protected:
    PracticeWindowTest() : BesideMainWindow("frmPractice") {}
    void open()
    {
        QApplication::setActiveWindow(main);
        QTest::keyClick(main, Qt::Key_P, Qt::ControlModifier);
        opened();
    }
    QString text(const char* label) const { return ctl<QLabel>(QLatin1String(label))->text(); }
    bool shown(const char* name) const { return ctl(QLatin1String(name))->isVisible(); }
};

TEST_F(PracticeWindowTest, AWholeSetIsAnsweredCheckedExplainedAndScored)
{
    open();
    practice::Options o;
    o.seed = 81; // 14 questions of every kind
    o.count = 14;
    window->setOptions(o);
    EXPECT_EQ(ctl<QLineEdit>(QStringLiteral("txtCommand"))->text(), QString::fromStdString(practice::CommandLine(o)));
    QTest::keyClick(window, Qt::Key_Return);
    ASSERT_EQ(window->page(), frmPractice::Page::Question);
    ASSERT_EQ(window->questions().size(), 14u);
    // The window asks the set the terminal asks.
    const std::vector<practice::Question> set = practice::DrawSet(o);
    std::set<Kind> kinds;
    int right = 0;
    bool typedOne = false;
    for (size_t i = 0; i < set.size(); ++i) {
        const practice::Question& q = window->questions()[i];
        ASSERT_EQ(practice::PromptText(q), practice::PromptText(set[i])) << i;
        EXPECT_EQ(text("lblQuestion"), QString::fromStdString(practice::PromptText(q)));
        kinds.insert(q.kind);
        const bool answerRight = i % 2 == 0;
        const practice::Answer answer = answerRight ? practice::RightAnswer(q) : practice::NearMiss(q);
        const practice::Field field = practice::FieldOf(q.kind);
        if (field == practice::Field::Address && !typedOne) {
            // Typed key by key into the boxes, "." moving on, a letter refused.
            typedOne = true;
            typeKeys(QString::fromStdString(dotted::ToString(answer.address))
                         .replace(QLatin1Char('.'), QStringLiteral("x.")));
        } else {
            window->fillIn(answer);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        const practice::Verdict v = practice::Check(q, answer);
        ASSERT_EQ(v.right, answerRight) << practice::NameOf(q.kind) << " " << i;
        right += v.right;
        EXPECT_EQ(window->answeredCount(), int(i) + 1);
        EXPECT_EQ(text("lblMark").startsWith(QLatin1String("Right.")), answerRight) << text("lblMark").toStdString();
        QStringList lines;
        for (const std::string& line : practice::Explanation(q, answer, v))
            lines << QString::fromStdString(line);
        EXPECT_EQ(text("lblExplanation"), lines.join(QLatin1Char('\n')));
        EXPECT_EQ(shown("lblExplanation"), !answerRight);
        auto* picture = ctl<BitsCompare>(QStringLiteral("picCompare"));
        if (!answerRight && (field == practice::Field::Address || field == practice::Field::Mask)) {
            // The learner's address over the right one, the differing bits marked.
            ASSERT_TRUE(picture->isVisible());
            EXPECT_EQ(picture->marked(), v.differing);
            const int yours = picture->rowCount() - 2;
            EXPECT_EQ(picture->rowText(yours).remove(QLatin1Char('.')),
                      QStringLiteral("%1").arg(answer.address, 32, 2, QLatin1Char('0')));
            const SubnetFacts facts = practice::FactsOf(q);
            // A mask has no class: its ones are the network portion, its zeros the host's.
            const int ones = int(std::bitset<32>(answer.address).count());
            for (int bit = 0; field == practice::Field::Mask && bit < 32; ++bit)
                EXPECT_EQ(picture->barColourUnder(yours, bit), bit < ones ? mainlayout::NetworkGreen : mainlayout::HostBlue);
            EXPECT_EQ(picture->barColourUnder(yours, 0), mainlayout::NetworkGreen);
            EXPECT_EQ(picture->barColourUnder(yours, 31), facts.hostBits     ? mainlayout::HostBlue
                                                          : facts.subnetBits ? mainlayout::SubnetPink
                                                                             : mainlayout::NetworkGreen);
        }
        if (!answerRight && field == practice::Field::Count) {
            // The formula with the learner's number, and which bits S or H are.
            EXPECT_TRUE(shown("lblFormula"));
            EXPECT_TRUE(text("lblFormula").contains(QStringLiteral("yours: %1").arg(answer.number)));
            EXPECT_TRUE(
                text("lblFormula")
                    .contains(QLatin1String(q.kind == Kind::SubnetCount ? "S, the subnet bits" : "H, the host bits")));
            EXPECT_EQ(picture->marked() != 0, v.formula.bits > 0);
        }
        // A design: the learner's blocks and a right one as bars of the network.
        EXPECT_EQ(shown("fraDesign"), !answerRight && q.kind == Kind::Vlsm);
        if (answerRight) {
            EXPECT_FALSE(picture->isVisible());
        }
        EXPECT_FALSE(ctl<QPushButton>(QStringLiteral("cmdCheck"))->isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // Next
    }
    EXPECT_TRUE(typedOne);
    // Every kind of question came up, and the score counts the right ones.
    EXPECT_EQ(kinds.size(), size_t(practice::kKindCount));
    ASSERT_EQ(window->page(), frmPractice::Page::Score);
    EXPECT_EQ(window->rightCount(), right);
    EXPECT_TRUE(text("lblScore").startsWith(QStringLiteral("%1 of 14 right in ").arg(right)))
        << text("lblScore").toStdString();
    EXPECT_FALSE(shown("lblStopped"));
    auto* results = ctl<QTreeWidget>(QStringLiteral("lvResults"));
    ASSERT_EQ(results->topLevelItemCount(), 14);
    EXPECT_EQ(results->topLevelItem(1)->text(4), QStringLiteral("wrong"));
    EXPECT_EQ(results->topLevelItem(1)->text(3), QString::fromStdString(practice::AnswerText(
                                                     practice::FieldOf(set[1].kind), practice::RightAnswer(set[1]))));
    // The same set again: the first question once more, nothing answered.
    QTest::mouseClick(ctl<QPushButton>(QStringLiteral("cmdAgain")), Qt::LeftButton);
    EXPECT_EQ(window->page(), frmPractice::Page::Question);
    EXPECT_EQ(window->answeredCount(), 0);
    EXPECT_EQ(practice::PromptText(window->questions()[0]), practice::PromptText(set[0]));
}

TEST_F(PracticeWindowTest, ShowInCalculatorOpensTheCaseAndEndingEarlyScoresWhatWasAnswered)
{
    open();
    practice::Options o;
    o.seed = 7;
    o.count = 3;
    o.kinds = practice::BitOf(Kind::NetworkAddress);
    window->setOptions(o);
    window->Start();
    const practice::Question q = window->questions()[0];
    window->fillIn(practice::RightAnswer(q));
    window->Check();
    QTest::mouseClick(ctl<QPushButton>(QStringLiteral("cmdShowInCalculator")), Qt::LeftButton);
    EXPECT_EQ(main->facts().address, q.given.address());
    EXPECT_EQ(main->facts().maskBits, q.given.length());
    window->Stop();
    EXPECT_EQ(window->page(), frmPractice::Page::Score);
    EXPECT_TRUE(text("lblScore").startsWith(QLatin1String("1 of 1 right"))) << text("lblScore").toStdString();
    EXPECT_TRUE(shown("lblStopped"));
    EXPECT_EQ(text("lblStopped"), QStringLiteral("The set was stopped after 1 of 3 questions."));
    // Options no set can be drawn from are said, and Start waits.
    QTest::mouseClick(ctl<QPushButton>(QStringLiteral("cmdNewSet")), Qt::LeftButton);
    o.classes = 0;
    window->setOptions(o);
    EXPECT_FALSE(text("lblOptionsProblem").isEmpty());
    EXPECT_FALSE(ctl<QPushButton>(QStringLiteral("cmdStart"))->isEnabled());
    window->Start();
    EXPECT_EQ(window->page(), frmPractice::Page::Options);
}

TEST_F(PracticeWindowTest, TheMenuOpensItEveryControlIsNamedItZoomsAndEscapeClosesItAlone)
{
    main->WindowMenu()->findChild<QAction*>(QStringLiteral("mnuPractice"))->trigger();
    opened();
    window->setOptions(practice::Options{});
    window->Start();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        auto* parent = qobject_cast<QWidget*>(w->parent());
        if (w->objectName().startsWith(QLatin1String("qt_")) || !parent || parent->inherits("QAbstractSpinBox") ||
            parent->inherits("QAbstractItemView") || w->inherits("QScrollBar"))
            continue;
        EXPECT_FALSE(w->objectName().isEmpty()) << w->metaObject()->className();
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    }
    const QSize at100 = window->size();
    QTest::keyClick(window, Qt::Key_Equal, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(zoom::percent(), 125);
    EXPECT_GT(window->width(), at100.width());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(platform::Forms::find(QStringLiteral("frmPractice")), nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(gApp);
}

TEST_F(PracticeWindowTest, ClosingTheMainWindowWithThePracticeWindowOpenEndsTheProgram)
{
    open();
    window->Start();
    QCloseEvent closeBox;
    EXPECT_THROW(QCoreApplication::sendEvent(main, &closeBox), platform::ProcessEnded);
    EXPECT_FALSE(gApp);
    EXPECT_EQ(platform::Forms::find(QStringLiteral("frmPractice")), nullptr);
}

// Every question starts blank (VLSM lengths too, seed 99101 asks two); an
// answer with a bad octet or a blank length is refused with why, unmarked.
TEST_F(PracticeWindowTest, QuestionsStartBlankAndBadAnswersAreRefusedUnmarked)
{
    open();
    practice::Options o;
    o.seed = 99101;
    o.classes = practice::kClassC;
    o.longest = 23;
    o.count = 12;
    window->setOptions(o);
    window->Start();
    for (int i = 0; i < o.count; ++i) {
        int given = ctl<AddressAnswer>(QStringLiteral("ansAddress"))->length().has_value() +
                    !ctl<QLineEdit>(QStringLiteral("txtNumber"))->text().isEmpty() +
                    (ctl<QSpinBox>(QStringLiteral("spnAnswerLength"))->value() >= 0);
        for (int b = 0; b < 4; ++b)
            given += ctl<AddressAnswer>(QStringLiteral("ansBlock_%1").arg(b))->length().has_value();
        EXPECT_EQ(given, 0) << i;
        window->fillIn(practice::NearMiss(window->questions()[size_t(i)]));
        window->Check();
        window->Next();
    }
    const struct {
        Kind kind;
        const char* keys; // typed from the first field
        const char* said;
    } refused[] = {
        {Kind::NetworkAddress, "52.199.8.300", "Octet 4 \"300\" is more than 255."},
        {Kind::MaskForLength, "255.255.255.000", "Octet 4 \"000\" has a leading zero."},
        {Kind::WhichSubnet, "192.168.1.0", "No length given."},
        {Kind::LengthForMask, "", "No length given."},
        {Kind::Vlsm, "192.168.1.0", "No length given for block 1."},
    };
    for (const auto& r : refused) {
        practice::Options one;
        one.kinds = practice::BitOf(r.kind);
        window->setOptions(one);
        window->Start();
        typeKeys(QLatin1String(r.keys));
        QTest::mouseClick(ctl<QPushButton>(QStringLiteral("cmdCheck")), Qt::LeftButton);
        EXPECT_EQ(text("lblMark"), QLatin1String(r.said)) << r.keys;
        EXPECT_EQ(window->answeredCount(), 0) << r.keys;
    }
}

// Every std::uint64_t is a seed, a larger number is refused whole; the
// options come back when the window is reopened; the score's columns are all
// in view at 100% and 200%, a long answer whole in its tooltip.
TEST_F(PracticeWindowTest, SeedsToTheLargestUint64OptionsKeptForTheRunScoreInView)
{
    open();
    auto* seed = ctl<QLineEdit>(QStringLiteral("txtSeed"));
    for (const char* typed : {"18446744073709551615", "18446744073709551616", "99999999999999999999"}) {
        seed->clear();
        QTest::keyClicks(seed, QLatin1String(typed));
        const bool fits = typed[19] == '5';
        EXPECT_EQ(seed->text(), QLatin1String(typed));
        EXPECT_EQ(ctl<QPushButton>(QStringLiteral("cmdStart"))->isEnabled(), fits) << typed;
    }
    const practice::Options o{practice::BitOf(Kind::Vlsm), practice::kClassC, 16, 23, false, false,
                              18446744073709551615u, 10};
    window->setOptions(o);
    window->Start();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    open();
    EXPECT_EQ(practice::CommandLine(window->options()), practice::CommandLine(o));
    for (const int percent : {100, 200}) {
        zoom::Zoom::instance().set(percent);
        window->Start();
        window->fillIn(practice::RightAnswer(window->questions()[0]));
        window->Check();
        window->Stop();
        QApplication::processEvents();
        auto* results = ctl<QTreeWidget>(QStringLiteral("lvResults"));
        EXPECT_LE(results->header()->length(), results->viewport()->width()) << percent;
        EXPECT_EQ(results->topLevelItem(0)->toolTip(2), results->topLevelItem(0)->text(2));
    }
}

// The answer's octet boxes take keys and pastes as the calculator's do.
TEST(AddressAnswerTest, KeysAndPastesFillTheBoxesAsInTheCalculator)
{
    const struct {
        const char* keys; // \b is Backspace
        const char* address;
    } cases[] = {
        {"192.168.1.77", "192.168.1.77"},
        {"10.a1.2-.3/", "10.1.2.3"},      // other characters refused
        {"10.1\b\b\b2.5.6.7", "2.5.6.7"}, // Backspace in an empty box goes back, selecting it
        {"1.2.3", ""},                    // a box left empty: no answer yet
        {"019.1.2.3", ""},                // a typo is not corrected into another answer
    };
    for (const auto& c : cases) {
        QWidget host;
        auto* answer = new AddressAnswer(QStringLiteral("Answer"), &host);
        answer->setWithLength(true);
        host.show();
        QApplication::setActiveWindow(&host);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        answer->box(0)->setFocus();
        typeKeys(QLatin1String(c.keys));
        answer->box(0)->setFocus(); // leaving the box it ended in
        QApplication::processEvents();
        const auto typed = answer->address();
        EXPECT_EQ(typed ? QString::fromStdString(dotted::ToString(*typed)) : QString(), QLatin1String(c.address))
            << c.keys;
        EXPECT_FALSE(answer->length()) << c.keys; // blank until typed
        if (std::string_view(c.keys) == "192.168.1.77") {
            QApplication::clipboard()->setText(QStringLiteral("junk"));
            QTest::keyClick(answer->box(2), Qt::Key_V, Qt::ControlModifier);
            EXPECT_EQ(*answer->address(), 0xC0A8014Du);
            QApplication::clipboard()->setText(QStringLiteral(" 10.1.2.3/26 "));
            QTest::keyClick(answer->box(2), Qt::Key_V, Qt::ControlModifier);
            EXPECT_EQ(*answer->address(), 0x0A010203u);
            EXPECT_EQ(answer->length(), 26);
        }
    }
}

} // namespace
