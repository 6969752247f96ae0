#include "ui/practice/frmpractice.h"

#include "model/dotted.h"
#include "model/masklength.h"
#include "platform/forms.h"
#include "ui/main/frmmain.h"
#include "ui/main/mainlayout.h"
#include "ui/practice/addressanswer.h"
#include "ui/practice/bitscompare.h"
#include "ui/subnets/frmsubnets.h"
#include "ui/subnets/planbar.h"
#include "ui/zoom.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>
#include <string>

namespace {

using practice::Field;
using practice::Kind;

constexpr int MaxBlocks = 4;
const QColor RightGreen(0, 128, 0);
const QColor WrongRed(176, 0, 0);

QString q(std::string_view text)
{
    return QString::fromUtf8(text.data(), int(text.size()));
}

QString dottedText(std::uint32_t address)
{
    return QString::fromStdString(dotted::ToString(address));
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, const QString& accessible)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(accessible);
    return b;
}

void setColour(QWidget* w, const QColor& colour)
{
    // A palette, not a style sheet: a style sheet would stop the zoom's font.
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colour);
    w->setPalette(p);
}

// "bits 25 to 26", "bit 25", "none".
QString bitRange(int first, int count)
{
    if (count <= 0)
        return QStringLiteral("none");
    if (count == 1)
        return QStringLiteral("bit %1").arg(first);
    return QStringLiteral("bits %1 to %2").arg(first).arg(first + count - 1);
}

// The bits from `first` (counted from 1) for `count`, as marks.
std::uint32_t bitsMask(int first, int count)
{
    std::uint32_t m = 0;
    for (int b = first; b < first + count && b <= 32; ++b)
        m |= std::uint32_t(1) << (32 - b);
    return m;
}

// A terminal command shown whole on one line, never broken inside an option;
// read-only, so it can be selected and copied (it scrolls when narrower).
QLineEdit* commandBox(QWidget* parent, const char* name, const QString& accessible)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessible);
    box->setReadOnly(true);
    return box;
}

void showCommand(QLineEdit* box, const QString& command)
{
    box->setText(command);
    box->setToolTip(command);
    box->setCursorPosition(0);
}

// The options last chosen, for the rest of the program's run: a window closed
// in the middle of a set reopens with them. Nothing is written to disk.
struct Chosen {
    practice::Options options;
    QString seed;
};
std::optional<Chosen>& chosen()
{
    static std::optional<Chosen> kept;
    return kept;
}

// The ones a mask starts with: its network portion (a mask has no class).
int leadingOnes(std::uint32_t mask)
{
    int n = 0;
    while (n < 32 && mask >> (31 - n) & 1)
        ++n;
    return n;
}

} // namespace

frmPractice::frmPractice(QWidget* parent) : ExtraWindow(QStringLiteral("frmPractice"), platform::bsFixedSingle, parent)
{
    setWindowTitle(QStringLiteral("Practice"));
    setAccessibleName(QStringLiteral("Practice"));
    // Three pages, one shown at a time; the window takes the size of the one
    // it shows (hidden widgets take no room).
    for (size_t i = 0; i < pages_.size(); ++i)
        pages_[i] = new QWidget(this);
    buildOptions(pages_[0]);
    buildQuestion(pages_[1]);
    buildScore(pages_[2]);
    auto* all = new QVBoxLayout(this);
    for (QWidget* page : pages_)
        all->addWidget(page);
    // As large as its page needs, at every zoom.
    all->setSizeConstraint(QLayout::SetFixedSize);

    // Return presses the page's button: Start, Check (then Next), or the
    // button that has the focus.
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* enter = new QShortcut(QKeySequence(key), this);
        enter->setObjectName(QStringLiteral("enterPresses"));
        connect(enter, &QShortcut::activated, this, [this] {
            if (auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
                button && button->window() == this) {
                button->click();
                return;
            }
            switch (page()) {
            case Page::Options: cmdStart_->click(); break;
            case Page::Question: (cmdCheck_->isEnabled() ? cmdCheck_ : cmdNext_)->click(); break;
            case Page::Score: cmdAgain_->click(); break;
            }
        });
    }

    applyZoom(zoom::percent());
    showPage(Page::Options);
    const std::optional<Chosen> kept = chosen();
    setOptions(kept ? kept->options : practice::Options{});
    if (kept)
        txtSeed_->setText(kept->seed);
    cmdStart_->setFocus();
}

void frmPractice::buildOptions(QWidget* page)
{
    page->setObjectName(QStringLiteral("fraOptionsPage"));
    page->setAccessibleName(QStringLiteral("Options of the set"));
    auto* fraKinds = new QGroupBox(QStringLiteral("Questions"), page);
    fraKinds->setObjectName(QStringLiteral("fraKinds"));
    fraKinds->setAccessibleName(QStringLiteral("Kinds of question"));
    auto* kinds = new QGridLayout(fraKinds);
    for (int k = 0; k < practice::kKindCount; ++k) {
        const QString title = q(practice::TitleOf(Kind(k)));
        auto* c = new QCheckBox(title, fraKinds);
        c->setObjectName(QStringLiteral("chkKind_%1").arg(k));
        c->setAccessibleName(title);
        chkKind_[size_t(k)] = c;
        kinds->addWidget(c, k % 6, k / 6);
        connect(c, &QCheckBox::toggled, this, &frmPractice::optionsChanged);
    }

    auto* fraRange = new QGroupBox(QStringLiteral("Addresses"), page);
    fraRange->setObjectName(QStringLiteral("fraRange"));
    fraRange->setAccessibleName(QStringLiteral("Addresses asked about"));
    auto* range = new QGridLayout(fraRange);
    range->addWidget(plainLabel(fraRange, "lblClasses", QStringLiteral("Classes:"), QStringLiteral("Classes caption")),
                     0, 0);
    auto* classes = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        const QString letter(QChar('A' + i));
        auto* c = new QCheckBox(letter, fraRange);
        c->setObjectName(QStringLiteral("chkClass_%1").arg(i));
        c->setAccessibleName(QStringLiteral("Class ") + letter);
        chkClass_[size_t(i)] = c;
        classes->addWidget(c);
        connect(c, &QCheckBox::toggled, this, &frmPractice::optionsChanged);
    }
    classes->addStretch(1);
    range->addLayout(classes, 0, 1, 1, 3);
    auto* lblLengths =
        plainLabel(fraRange, "lblLengths", QStringLiteral("&Mask lengths:"), QStringLiteral("Mask lengths caption"));
    range->addWidget(lblLengths, 1, 0);
    auto makeLength = [&](const char* name, const QString& accessible) {
        auto* s = new QSpinBox(fraRange);
        s->setObjectName(QLatin1String(name));
        s->setAccessibleName(accessible);
        s->setRange(practice::kShortestLength, practice::kLongestLength);
        s->setPrefix(QStringLiteral("/"));
        connect(s, &QSpinBox::valueChanged, this, &frmPractice::optionsChanged);
        return s;
    };
    spnShortest_ = makeLength("spnShortest", QStringLiteral("Shortest mask length"));
    spnLongest_ = makeLength("spnLongest", QStringLiteral("Longest mask length"));
    lblLengths->setBuddy(spnShortest_);
    range->addWidget(spnShortest_, 1, 1);
    range->addWidget(plainLabel(fraRange, "lblTo", QStringLiteral("to"), QStringLiteral("to")), 1, 2);
    range->addWidget(spnLongest_, 1, 3);
    range->setColumnStretch(4, 1);

    auto* fraConventions = new QGroupBox(QStringLiteral("Counting"), page);
    fraConventions->setObjectName(QStringLiteral("fraConventions"));
    fraConventions->setAccessibleName(QStringLiteral("How subnets and hosts are counted"));
    auto* conventions = new QVBoxLayout(fraConventions);
    optClassful_ = new QRadioButton(
        QStringLiteral("Class&ful: subnet zero and the all-ones subnet set aside (2^S - 2), as the calculator counts"),
        fraConventions);
    optClassful_->setObjectName(QStringLiteral("optClassful"));
    optClassful_->setAccessibleName(QStringLiteral("Classful: two subnets set aside"));
    optSubnetZero_ =
        new QRadioButton(QStringLiteral("Subnet &zero allowed: every subnet counts (2^S)"), fraConventions);
    optSubnetZero_->setObjectName(QStringLiteral("optSubnetZero"));
    optSubnetZero_->setAccessibleName(QStringLiteral("Subnet zero allowed"));
    chkRFC3021_ = new QCheckBox(QStringLiteral("/31 &links have two usable hosts (RFC 3021)"), fraConventions);
    chkRFC3021_->setObjectName(QStringLiteral("chkRFC3021"));
    chkRFC3021_->setAccessibleName(QStringLiteral("RFC 3021: /31 links"));
    for (QWidget* w : {static_cast<QWidget*>(optClassful_), static_cast<QWidget*>(optSubnetZero_),
                       static_cast<QWidget*>(chkRFC3021_)})
        conventions->addWidget(w);
    connect(optSubnetZero_, &QRadioButton::toggled, this, &frmPractice::optionsChanged);
    connect(chkRFC3021_, &QCheckBox::toggled, this, &frmPractice::optionsChanged);

    auto* fraSet = new QGroupBox(QStringLiteral("The set"), page);
    fraSet->setObjectName(QStringLiteral("fraSet"));
    fraSet->setAccessibleName(QStringLiteral("The set"));
    auto* set = new QGridLayout(fraSet);
    auto* lblSeed = plainLabel(fraSet, "lblSeed", QStringLiteral("S&eed:"), QStringLiteral("Seed caption"));
    txtSeed_ = new QLineEdit(fraSet);
    txtSeed_->setObjectName(QStringLiteral("txtSeed"));
    txtSeed_->setAccessibleName(QStringLiteral("Seed"));
    txtSeed_->setToolTip(QStringLiteral("The same seed with the same options gives the same questions, here and "
                                        "in a terminal: hand it out for a repeatable set."));
    txtSeed_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,20}")), txtSeed_));
    lblSeed->setBuddy(txtSeed_);
    auto* lblCount =
        plainLabel(fraSet, "lblCount", QStringLiteral("&Questions:"), QStringLiteral("Number of questions caption"));
    spnCount_ = new QSpinBox(fraSet);
    spnCount_->setObjectName(QStringLiteral("spnCount"));
    spnCount_->setAccessibleName(QStringLiteral("Number of questions"));
    spnCount_->setRange(1, practice::kMaxCount);
    lblCount->setBuddy(spnCount_);
    set->addWidget(lblSeed, 0, 0);
    set->addWidget(txtSeed_, 0, 1);
    set->addWidget(lblCount, 0, 2);
    set->addWidget(spnCount_, 0, 3);
    set->setColumnStretch(4, 1);
    auto* lblCommandCaption = plainLabel(fraSet, "lblCommandCaption", QStringLiteral("The same set in a terminal:"),
                                        QStringLiteral("Terminal command caption"));
    txtCommand_ = commandBox(fraSet, "txtCommand", QStringLiteral("Terminal command"));
    lblCommandCaption->setBuddy(txtCommand_);
    set->addWidget(lblCommandCaption, 1, 0, 1, 5);
    set->addWidget(txtCommand_, 2, 0, 1, 5);
    connect(txtSeed_, &QLineEdit::textChanged, this, &frmPractice::optionsChanged);
    connect(spnCount_, &QSpinBox::valueChanged, this, &frmPractice::optionsChanged);

    lblOptionsProblem_ = plainLabel(page, "lblOptionsProblem", QString(), QStringLiteral("Problem with the options"));
    lblOptionsProblem_->setWordWrap(true);
    setColour(lblOptionsProblem_, WrongRed);
    cmdStart_ = makeButton(page, "cmdStart", QStringLiteral("&Start"), QStringLiteral("Start the set"));
    cmdStart_->setDefault(true);
    connect(cmdStart_, &QPushButton::clicked, this, &frmPractice::Start);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fraKinds);
    layout->addWidget(fraRange);
    layout->addWidget(fraConventions);
    layout->addWidget(fraSet);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblOptionsProblem_, 1);
    bottom->addWidget(cmdStart_, 0, Qt::AlignRight | Qt::AlignBottom);
    layout->addLayout(bottom);
    layout->addStretch(1);
}

void frmPractice::buildQuestion(QWidget* page)
{
    page->setObjectName(QStringLiteral("fraQuestionPage"));
    page->setAccessibleName(QStringLiteral("The question"));
    lblProgress_ = plainLabel(page, "lblProgress", QString(), QStringLiteral("Progress"));
    lblQuestion_ = plainLabel(page, "lblQuestion", QString(), QStringLiteral("Question"));
    lblQuestion_->setWordWrap(true);
    lblQuestion_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    lblAnswer_ = plainLabel(page, "lblAnswer", QStringLiteral("Your &answer:"), QStringLiteral("Answer caption"));
    ansAddress_ = new AddressAnswer(QStringLiteral("Answer"), page);
    ansAddress_->setObjectName(QStringLiteral("ansAddress"));
    txtNumber_ = new QLineEdit(page);
    txtNumber_->setObjectName(QStringLiteral("txtNumber"));
    txtNumber_->setAccessibleName(QStringLiteral("Answer, a number"));
    txtNumber_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,12}")), txtNumber_));
    spnAnswerLength_ = new QSpinBox(page);
    spnAnswerLength_->setObjectName(QStringLiteral("spnAnswerLength"));
    spnAnswerLength_->setAccessibleName(QStringLiteral("Answer, a mask length"));
    // Blank (-1) until a length is typed: no answer is given for the learner.
    spnAnswerLength_->setRange(-1, 32);
    spnAnswerLength_->setSpecialValueText(QStringLiteral(" "));
    spnAnswerLength_->setPrefix(QStringLiteral("/"));
    auto* answerRow = new QHBoxLayout;
    answerRow->addWidget(lblAnswer_);
    answerRow->addWidget(ansAddress_);
    answerRow->addWidget(txtNumber_);
    answerRow->addWidget(spnAnswerLength_);
    answerRow->addStretch(1);

    fraBlocks_ = new QWidget(page);
    fraBlocks_->setObjectName(QStringLiteral("fraBlocks"));
    fraBlocks_->setAccessibleName(QStringLiteral("Blocks of the design"));
    auto* blocks = new QGridLayout(fraBlocks_);
    blocks->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < MaxBlocks; ++i) {
        auto* l = plainLabel(fraBlocks_, "lblBlocks", QString(), QStringLiteral("Host count"));
        l->setObjectName(QStringLiteral("lblBlocks_%1").arg(i));
        auto* a = new AddressAnswer(QStringLiteral("Block %1").arg(i + 1), fraBlocks_);
        a->setObjectName(QStringLiteral("ansBlock_%1").arg(i));
        a->setWithLength(true);
        blocks->addWidget(l, i, 0);
        blocks->addWidget(a, i, 1);
        lblBlocks_.push_back(l);
        ansBlocks_.push_back(a);
    }
    blocks->setColumnStretch(2, 1);

    cmdCheck_ = makeButton(page, "cmdCheck", QStringLiteral("&Check"), QStringLiteral("Check the answer"));
    lblMark_ = plainLabel(page, "lblMark", QString(), QStringLiteral("Mark"));
    lblMark_->setWordWrap(true);
    lblExplanation_ = plainLabel(page, "lblExplanation", QString(), QStringLiteral("Explanation"));
    lblExplanation_->setWordWrap(true);
    lblExplanation_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblFormula_ = plainLabel(page, "lblFormula", QString(), QStringLiteral("Formula"));
    lblFormula_->setTextFormat(Qt::RichText);
    picCompare_ = new BitsCompare(page);
    picCompare_->setObjectName(QStringLiteral("picCompare"));
    fraDesign_ = new QWidget(page);
    fraDesign_->setObjectName(QStringLiteral("fraDesign"));
    fraDesign_->setAccessibleName(QStringLiteral("The designs as bars of the network"));
    auto* design = new QGridLayout(fraDesign_);
    design->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 2; ++i) {
        const QString caption = i == 0 ? QStringLiteral("Yours:") : QStringLiteral("Right:");
        auto* l = plainLabel(fraDesign_, "lblDesign", caption, caption.chopped(1) + QStringLiteral(" caption"));
        l->setObjectName(QStringLiteral("lblDesign_%1").arg(i));
        auto* bar = new PlanBar(fraDesign_);
        bar->setObjectName(QStringLiteral("picDesign_%1").arg(i));
        bar->setAccessibleName(i == 0 ? QStringLiteral("Your blocks in the network")
                                      : QStringLiteral("A right design's blocks in the network"));
        picDesign_[size_t(i)] = bar;
        design->addWidget(l, i, 0);
        design->addWidget(bar, i, 1);
    }
    cmdShowInCalculator_ = makeButton(page, "cmdShowInCalculator", QStringLiteral("Show in ca&lculator"),
                                      QStringLiteral("Show the question's case in the calculator"));
    cmdNext_ = makeButton(page, "cmdNext", QStringLiteral("&Next"), QStringLiteral("Next question"));
    cmdStop_ =
        makeButton(page, "cmdStop", QStringLiteral("&End the set"), QStringLiteral("End the set and show the score"));
    connect(cmdCheck_, &QPushButton::clicked, this, &frmPractice::Check);
    connect(cmdNext_, &QPushButton::clicked, this, &frmPractice::Next);
    connect(cmdStop_, &QPushButton::clicked, this, &frmPractice::Stop);
    connect(cmdShowInCalculator_, &QPushButton::clicked, this, &frmPractice::ShowInCalculator);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lblProgress_);
    layout->addWidget(lblQuestion_);
    layout->addLayout(answerRow);
    layout->addWidget(fraBlocks_);
    auto* checkRow = new QHBoxLayout;
    checkRow->addWidget(cmdCheck_);
    checkRow->addWidget(lblMark_, 1);
    layout->addLayout(checkRow);
    layout->addWidget(lblExplanation_);
    layout->addWidget(lblFormula_);
    layout->addWidget(picCompare_, 0, Qt::AlignLeft);
    layout->addWidget(fraDesign_);
    layout->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdShowInCalculator_);
    buttons->addStretch(1);
    buttons->addWidget(cmdStop_);
    buttons->addWidget(cmdNext_);
    layout->addLayout(buttons);
}

void frmPractice::buildScore(QWidget* page)
{
    page->setObjectName(QStringLiteral("fraScorePage"));
    page->setAccessibleName(QStringLiteral("The score"));
    lblScore_ = plainLabel(page, "lblScore", QString(), QStringLiteral("Score"));
    lblStopped_ = plainLabel(page, "lblStopped", QString(), QStringLiteral("Set ended early"));
    lvResults_ = new QTreeWidget(page);
    lvResults_->setObjectName(QStringLiteral("lvResults"));
    lvResults_->setAccessibleName(QStringLiteral("Answers of the set"));
    lvResults_->setRootIsDecorated(false);
    lvResults_->setHeaderLabels({QStringLiteral("#"), QStringLiteral("Question"), QStringLiteral("Your answer"),
                                 QStringLiteral("Right answer"), QStringLiteral("Mark")});
    lvResults_->header()->setSectionsMovable(false);
    // Every column in view without scrolling sideways: the short ones as wide
    // as their contents, the answers sharing the rest, a long one (a VLSM
    // design) cut with its whole text in a tooltip.
    lvResults_->header()->setStretchLastSection(false);
    for (const int c : {0, 1, 4})
        lvResults_->header()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    for (const int c : {2, 3})
        lvResults_->header()->setSectionResizeMode(c, QHeaderView::Stretch);
    lvResults_->setTextElideMode(Qt::ElideRight);
    lvResults_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lblAgain_ = plainLabel(page, "lblAgain", QString(), QStringLiteral("The same set again"));
    lblAgain_->setWordWrap(true);
    lblAgain_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    txtAgainCommand_ = commandBox(page, "txtAgainCommand", QStringLiteral("Terminal command of the set"));
    cmdAgain_ = makeButton(page, "cmdAgain", QStringLiteral("&Same set again"), QStringLiteral("The same set again"));
    cmdNewSet_ = makeButton(page, "cmdNewSet", QStringLiteral("&New set"), QStringLiteral("Choose a new set"));
    connect(cmdAgain_, &QPushButton::clicked, this, &frmPractice::Start);
    connect(cmdNewSet_, &QPushButton::clicked, this, [this] {
        txtSeed_->setText(QString::number(QRandomGenerator::global()->bounded(1, 1000000)));
        showPage(Page::Options);
        cmdStart_->setFocus();
    });
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lblScore_);
    layout->addWidget(lblStopped_);
    layout->addWidget(lvResults_, 1);
    layout->addWidget(lblAgain_);
    layout->addWidget(txtAgainCommand_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdAgain_);
    buttons->addWidget(cmdNewSet_);
    layout->addLayout(buttons);
}

void frmPractice::showPage(Page shown)
{
    for (size_t i = 0; i < pages_.size(); ++i)
        pages_[i]->setVisible(i == size_t(shown));
    shown_ = shown;
    layout()->activate();
}

frmPractice::Page frmPractice::page() const
{
    return shown_;
}

practice::Options frmPractice::options() const
{
    practice::Options o;
    o.kinds = 0;
    for (int k = 0; k < practice::kKindCount; ++k)
        if (chkKind_[size_t(k)]->isChecked())
            o.kinds |= practice::BitOf(Kind(k));
    o.classes = 0;
    for (int i = 0; i < 3; ++i)
        if (chkClass_[size_t(i)]->isChecked())
            o.classes |= 1u << i;
    o.shortest = spnShortest_->value();
    o.longest = spnLongest_->value();
    o.subnetZero = optSubnetZero_->isChecked();
    o.rfc3021 = chkRFC3021_->isChecked();
    o.seed = txtSeed_->text().toULongLong();
    o.count = spnCount_->value();
    return o;
}

void frmPractice::setOptions(const practice::Options& o)
{
    {
        // One refresh of the derived texts, at the end.
        std::vector<QSignalBlocker> quiet;
        for (QObject* w : findChildren<QWidget*>())
            quiet.emplace_back(w);
        for (int k = 0; k < practice::kKindCount; ++k)
            chkKind_[size_t(k)]->setChecked(o.kinds & practice::BitOf(Kind(k)));
        for (int i = 0; i < 3; ++i)
            chkClass_[size_t(i)]->setChecked(o.classes & (1u << i));
        spnShortest_->setValue(o.shortest);
        spnLongest_->setValue(o.longest);
        optSubnetZero_->setChecked(o.subnetZero);
        optClassful_->setChecked(!o.subnetZero);
        chkRFC3021_->setChecked(o.rfc3021);
        // No seed given: one drawn now, shown, so the set can be handed out.
        txtSeed_->setText(QString::number(o.seed ? o.seed : QRandomGenerator::global()->bounded(1, 1000000)));
        spnCount_->setValue(o.count);
    }
    optionsChanged();
}

// Why the seed box holds no seed ("" when it does): every std::uint64_t is
// one, and a larger number is refused whole, never cut.
std::string frmPractice::seedFault() const
{
    if (txtSeed_->text().isEmpty())
        return "Type a seed: any whole number.";
    bool ok = false;
    txtSeed_->text().toULongLong(&ok);
    if (!ok)
        return "The seed is more than " + std::to_string(std::numeric_limits<std::uint64_t>::max()) +
               ", the largest there is.";
    return {};
}

void frmPractice::optionsChanged()
{
    const practice::Options o = options();
    std::string fault = seedFault();
    if (fault.empty())
        fault = practice::OptionsFault(o);
    // The terminal's words, said as a sentence.
    QString said = QString::fromStdString(fault);
    if (!said.isEmpty()) {
        said[0] = said[0].toUpper();
        if (!said.endsWith(QLatin1Char('.')))
            said += QLatin1Char('.');
    }
    lblOptionsProblem_->setText(said);
    cmdStart_->setEnabled(fault.empty());
    showCommand(txtCommand_, fault.empty() ? QString::fromStdString(practice::CommandLine(o)) : QStringLiteral("-"));
    chosen() = Chosen{o, txtSeed_->text()};
    // Kinds no question of can be drawn for these classes and lengths are
    // greyed (a supernet has no subnets to count).
    practice::Options every = o;
    every.kinds = practice::kAllKinds;
    const unsigned drawable = practice::DrawableKinds(every);
    for (int k = 0; k < practice::kKindCount; ++k) {
        const bool can = drawable & practice::BitOf(Kind(k));
        chkKind_[size_t(k)]->setEnabled(can);
        chkKind_[size_t(k)]->setToolTip(can ? QString()
                                            : QStringLiteral("No such question is defined for these classes, "
                                                             "lengths and conventions."));
    }
}

void frmPractice::Start()
{
    const practice::Options o = options();
    if (!seedFault().empty() || !practice::OptionsFault(o).empty())
        return;
    set_ = practice::DrawSet(o);
    answers_.clear();
    verdicts_.clear();
    current_ = 0;
    seconds_ = 0;
    clock_.start();
    showPage(Page::Question);
    showQuestion();
}

practice::Field frmPractice::field() const
{
    return practice::FieldOf(set_[size_t(current_)].kind);
}

void frmPractice::showQuestion()
{
    const practice::Question& question = set_[size_t(current_)];
    const Field f = field();
    lblProgress_->setText(QStringLiteral("Question %1 of %2: %3")
                              .arg(current_ + 1)
                              .arg(set_.size())
                              .arg(q(practice::TitleOf(question.kind))));
    lblQuestion_->setText(QString::fromStdString(practice::PromptText(question)));
    const bool address = f == Field::Address || f == Field::AddressOrNone || f == Field::Mask || f == Field::Network;
    ansAddress_->setVisible(address);
    ansAddress_->clear();
    ansAddress_->setLocked(false);
    ansAddress_->setWithLength(f == Field::Network);
    ansAddress_->setNoSuchAllowed(f == Field::AddressOrNone);
    ansAddress_->setAccessibleName(f == Field::Mask ? QStringLiteral("Answer, a dotted mask")
                                                    : QStringLiteral("Answer, an address"));
    txtNumber_->setVisible(f == Field::Count);
    txtNumber_->clear();
    txtNumber_->setReadOnly(false);
    spnAnswerLength_->setVisible(f == Field::Length);
    spnAnswerLength_->setValue(-1);
    spnAnswerLength_->setReadOnly(false);
    lblAnswer_->setVisible(f != Field::Blocks);
    showBlocks(f == Field::Blocks ? int(question.hosts.size()) : 0);
    for (int i = 0; i < int(question.hosts.size()) && i < MaxBlocks; ++i)
        lblBlocks_[size_t(i)]->setText(QStringLiteral("Block for %1 hosts:").arg(question.hosts[size_t(i)]));

    cmdCheck_->setEnabled(true);
    cmdCheck_->setDefault(true);
    cmdNext_->setEnabled(false);
    cmdNext_->setDefault(false);
    cmdNext_->setText(current_ + 1 < int(set_.size()) ? QStringLiteral("&Next") : QStringLiteral("&Score"));
    cmdShowInCalculator_->setEnabled(false);
    setMark(QString(), QColor());
    lblExplanation_->clear();
    lblExplanation_->hide();
    lblFormula_->clear();
    lblFormula_->hide();
    picCompare_->hide();
    fraDesign_->hide();
    QWidget* first = f == Field::Blocks  ? ansBlocks_[0]->firstControl()
                     : address           ? ansAddress_->firstControl()
                     : f == Field::Count ? static_cast<QWidget*>(txtNumber_)
                                         : static_cast<QWidget*>(spnAnswerLength_);
    lblAnswer_->setBuddy(first);
    first->setFocus();
    if (auto* box = qobject_cast<QLineEdit*>(first))
        box->selectAll();
}

void frmPractice::showBlocks(int count)
{
    fraBlocks_->setVisible(count > 0);
    for (int i = 0; i < MaxBlocks; ++i) {
        lblBlocks_[size_t(i)]->setVisible(i < count);
        ansBlocks_[size_t(i)]->setVisible(i < count);
        ansBlocks_[size_t(i)]->clear();
        ansBlocks_[size_t(i)]->setLocked(false);
    }
}

std::optional<practice::Answer> frmPractice::readAnswer(QString& problem) const
{
    practice::Answer a;
    switch (field()) {
    case Field::AddressOrNone:
        if (ansAddress_->noSuchAddress()) {
            a.none = true;
            return a;
        }
        [[fallthrough]];
    case Field::Address:
    case Field::Mask:
    case Field::Network: {
        const auto typed = ansAddress_->address(&problem);
        if (!typed) {
            if (!problem.isEmpty())
                problem += QLatin1Char('.');
            else if (field() == Field::AddressOrNone)
                problem = QStringLiteral("Type all four octets, or tick No such address.");
            else
                problem = QStringLiteral("Type all four octets.");
            return std::nullopt;
        }
        a.address = *typed;
        if (field() == Field::Network) {
            const auto length = ansAddress_->length();
            if (!length) {
                problem = QStringLiteral("No length given.");
                return std::nullopt;
            }
            a.network = net::Network4(*typed, *length);
        }
        return a;
    }
    case Field::Count: {
        bool ok = false;
        a.number = txtNumber_->text().toLongLong(&ok);
        if (!ok) {
            problem = QStringLiteral("Type a number.");
            return std::nullopt;
        }
        return a;
    }
    case Field::Length:
        if (spnAnswerLength_->value() < 0) {
            problem = QStringLiteral("No length given.");
            return std::nullopt;
        }
        a.number = spnAnswerLength_->value();
        return a;
    case Field::Blocks:
        for (size_t i = 0; i < set_[size_t(current_)].hosts.size() && i < ansBlocks_.size(); ++i) {
            const auto typed = ansBlocks_[i]->address(&problem);
            if (!typed) {
                problem = problem.isEmpty() ? QStringLiteral("Type all four octets of every block.")
                                            : QStringLiteral("Block %1: %2.").arg(i + 1).arg(problem);
                return std::nullopt;
            }
            const auto length = ansBlocks_[i]->length();
            if (!length) {
                problem = QStringLiteral("No length given for block %1.").arg(i + 1);
                return std::nullopt;
            }
            a.blocks.emplace_back(*typed, *length);
        }
        return a;
    }
    return std::nullopt;
}

void frmPractice::fillIn(const practice::Answer& answer)
{
    if (page() != Page::Question)
        return;
    switch (field()) {
    case Field::AddressOrNone:
    case Field::Address:
    case Field::Mask:
        ansAddress_->setAddress(answer.address);
        if (answer.none)
            ansAddress_->findChild<QCheckBox*>(QStringLiteral("chkNoSuchAddress"))->setChecked(true);
        break;
    case Field::Network: ansAddress_->setAddress(answer.network.address(), answer.network.length()); break;
    case Field::Count: txtNumber_->setText(QString::number(answer.number)); break;
    case Field::Length: spnAnswerLength_->setValue(int(answer.number)); break;
    case Field::Blocks:
        for (size_t i = 0; i < answer.blocks.size() && i < ansBlocks_.size(); ++i)
            ansBlocks_[i]->setAddress(answer.blocks[i].address(), answer.blocks[i].length());
        break;
    }
}

void frmPractice::Check()
{
    if (page() != Page::Question || !cmdCheck_->isEnabled())
        return;
    QString problem;
    const auto answer = readAnswer(problem);
    if (!answer) {
        setMark(problem, WrongRed);
        return;
    }
    const practice::Verdict verdict = practice::Check(set_[size_t(current_)], *answer);
    answers_.push_back(*answer);
    verdicts_.push_back(verdict);
    seconds_ = clock_.elapsed() / 1000;
    ansAddress_->setLocked(true);
    for (AddressAnswer* a : ansBlocks_)
        a->setLocked(true);
    txtNumber_->setReadOnly(true);
    spnAnswerLength_->setReadOnly(true);
    cmdCheck_->setEnabled(false);
    cmdCheck_->setDefault(false);
    cmdNext_->setEnabled(true);
    cmdNext_->setDefault(true);
    cmdNext_->setFocus();
    showVerdict(*answer, verdict);
}

void frmPractice::setMark(const QString& text, const QColor& colour)
{
    lblMark_->setText(text);
    if (colour.isValid())
        setColour(lblMark_, colour);
}

void frmPractice::showVerdict(const practice::Answer& answer, const practice::Verdict& verdict)
{
    const practice::Question& question = set_[size_t(current_)];
    if (verdict.right) {
        setMark(QStringLiteral("Right."), RightGreen);
    } else {
        setMark(QStringLiteral("Not right: the answer is %1.")
                    .arg(QString::fromStdString(practice::AnswerText(field(), verdict.expected))),
                WrongRed);
    }
    QStringList lines;
    for (const std::string& line : practice::Explanation(question, answer, verdict))
        lines << QString::fromStdString(line);
    lblExplanation_->setText(lines.join(QLatin1Char('\n')));
    lblExplanation_->setVisible(!lines.isEmpty());
    const QString formula = verdict.right ? QString() : formulaText(verdict);
    lblFormula_->setText(formula);
    lblFormula_->setVisible(!formula.isEmpty());
    if (verdict.right) {
        picCompare_->hide();
        fraDesign_->hide();
    } else {
        showPicture(answer, verdict);
    }
    // The calculator shows lengths 8 to 31; a VLSM design opens the table.
    const int length = question.kind == Kind::Summary ? verdict.expected.network.length() : question.given.length();
    cmdShowInCalculator_->setEnabled(length >= masklength::kEntryMin && length <= masklength::kEntryMax);
}

QString frmPractice::formulaText(const practice::Verdict& verdict) const
{
    const practice::Question& question = set_[size_t(current_)];
    if (question.kind != Kind::SubnetCount && question.kind != Kind::HostCount)
        return QString();
    const practice::Formula& f = verdict.formula;
    using Rule = practice::Formula::Rule;
    const QString letter(QChar::fromLatin1(f.letter));
    const QString bits =
        f.letter == 'S'
            ? QStringLiteral("S, the subnet bits: %1 (pink, marked below)").arg(bitRange(f.classBits + 1, f.bits))
            : QStringLiteral("H, the host bits: %1 (blue, marked below)").arg(bitRange(f.maskBits + 1, f.bits));
    QString rule;
    switch (f.rule) {
    case Rule::MinusTwo:
        rule = QStringLiteral("2<sup>%1</sup> &minus; 2 = 2<sup>%2</sup> &minus; 2 = %3")
                   .arg(letter)
                   .arg(f.bits)
                   .arg(f.value);
        break;
    case Rule::Power:
        rule = QStringLiteral("2<sup>%1</sup> = 2<sup>%2</sup> = %3").arg(letter).arg(f.bits).arg(f.value);
        break;
    case Rule::Rfc3021: rule = QStringLiteral("%1 (RFC 3021: a /31 link has 2, a /32 has 1)").arg(f.value); break;
    case Rule::NoHosts: rule = QStringLiteral("0 (a /%1 has no usable host without RFC 3021)").arg(f.maskBits); break;
    }
    QString yours = QString::number(f.learner);
    if (f.learnerBits >= 0)
        yours += f.learnerMinusTwo ? QStringLiteral(" = 2<sup>%1</sup> &minus; 2").arg(f.learnerBits)
                                   : QStringLiteral(" = 2<sup>%1</sup>").arg(f.learnerBits);
    const QString what =
        question.kind == Kind::SubnetCount ? QStringLiteral("Usable subnets") : QStringLiteral("Usable hosts");
    return QStringLiteral("%1 = %2; yours: %3<br>%4").arg(what, rule, yours, bits);
}

void frmPractice::showPicture(const practice::Answer& answer, const practice::Verdict& verdict)
{
    const practice::Question& question = set_[size_t(current_)];
    const SubnetFacts facts = practice::FactsOf(question);
    std::vector<BitsCompare::Row> rows;
    int networkBits = facts.networkBits, subnetBits = facts.subnetBits;
    std::uint32_t marked = verdict.differing;
    const QString yours = QStringLiteral("Yours:"), right = QStringLiteral("Right:");
    switch (question.kind) {
    case Kind::NetworkAddress:
    case Kind::BroadcastAddress:
    case Kind::FirstHost:
    case Kind::LastHost:
        rows.push_back({QStringLiteral("Address:"), question.given.address(), false});
        if (answer.none || verdict.expected.none) {
            // Nothing to set beside: the address and what the portions are.
            marked = 0;
            if (!verdict.expected.none)
                rows.push_back({right, verdict.expected.address});
        } else {
            rows.push_back({yours, answer.address});
            rows.push_back({right, verdict.expected.address});
        }
        break;
    case Kind::MaskForLength:
    case Kind::LengthForMask: {
        // A mask has no class: its ones are the network portion, its zeros
        // the host portion, in each row.
        const bool lengths = question.kind == Kind::LengthForMask;
        const std::uint32_t mine =
            lengths ? net::Network4::maskOf(int(std::clamp<std::int64_t>(answer.number, 0, 32))) : answer.address;
        const std::uint32_t theirs = net::Network4::maskOf(question.given.length());
        rows.push_back({yours, mine, true, leadingOnes(mine), 0});
        rows.push_back({right, theirs, true, leadingOnes(theirs), 0});
        networkBits = leadingOnes(theirs);
        subnetBits = 0;
        break;
    }
    case Kind::WhichSubnet:
        rows.push_back({QStringLiteral("Host:"), question.given.address(), false});
        // The learner's row split at the learner's length.
        rows.push_back({yours, answer.network.address(), true, std::min(answer.network.length(), facts.classBits),
                        std::max(0, answer.network.length() - facts.classBits)});
        rows.push_back({right, verdict.expected.network.address()});
        break;
    case Kind::SubnetCount:
    case Kind::HostCount:
        // Which bits S or H are: marked in the address's own row.
        rows.push_back({QStringLiteral("Address:"), question.given.address()});
        marked = verdict.formula.letter == 'S' ? bitsMask(verdict.formula.classBits + 1, verdict.formula.bits)
                                               : bitsMask(verdict.formula.maskBits + 1, verdict.formula.bits);
        break;
    case Kind::Summary:
        // The bits every network shares in green, the first where they part marked.
        for (size_t i = 0; i < question.networks.size(); ++i)
            rows.push_back({QStringLiteral("%1/%2:")
                                .arg(dottedText(question.networks[i].address()))
                                .arg(question.networks[i].length()),
                            question.networks[i].address()});
        rows.push_back({right, verdict.expected.network.address(), false});
        rows.push_back({yours, answer.network.address(), false, answer.network.length(), 0});
        networkBits = verdict.commonBits;
        subnetBits = 0;
        marked = verdict.firstDifferingBit > 0 ? bitsMask(verdict.firstDifferingBit, 1) : 0;
        break;
    case Kind::Vlsm: {
        picCompare_->hide();
        std::vector<PlanBar::Block> yoursBlocks, rightBlocks;
        for (size_t i = 0; i < answer.blocks.size(); ++i) {
            const bool fine = i >= verdict.blocks.size() || verdict.blocks[i].fine();
            const QString hosts = i < question.hosts.size() ? QString::number(question.hosts[i]) : QString();
            yoursBlocks.push_back({answer.blocks[i], hosts, fine ? PlanBar::colourOf(int(i)) : QColor(255, 96, 96)});
        }
        for (size_t i = 0; i < verdict.expected.blocks.size(); ++i)
            rightBlocks.push_back({verdict.expected.blocks[i],
                                   i < question.hosts.size() ? QString::number(question.hosts[i]) : QString(),
                                   PlanBar::colourOf(int(i))});
        picDesign_[0]->setBlocks(question.given, yoursBlocks);
        picDesign_[1]->setBlocks(question.given, rightBlocks);
        fraDesign_->show();
        return;
    }
    }
    picCompare_->setRows(rows, networkBits, subnetBits, marked);
    picCompare_->show();
}

void frmPractice::Next()
{
    if (page() != Page::Question || int(verdicts_.size()) <= current_)
        return;
    if (++current_ < int(set_.size()))
        showQuestion();
    else
        showScore();
}

void frmPractice::Stop()
{
    if (page() != Page::Question)
        return;
    if (verdicts_.empty())
        seconds_ = clock_.elapsed() / 1000;
    showScore();
}

int frmPractice::rightCount() const
{
    int right = 0;
    for (const practice::Verdict& v : verdicts_)
        right += v.right;
    return right;
}

void frmPractice::showScore()
{
    const int asked = answeredCount();
    lblScore_->setText(QString::fromStdString(practice::ScoreText(rightCount(), asked, seconds_)));
    // Ended early: said as the terminal says it when its input ends.
    lblStopped_->setText(QStringLiteral("The set was stopped after %1 of %2 questions.").arg(asked).arg(set_.size()));
    lblStopped_->setVisible(asked < int(set_.size()));
    lvResults_->clear();
    for (int i = 0; i < asked; ++i) {
        const Field f = practice::FieldOf(set_[size_t(i)].kind);
        const practice::Verdict& v = verdicts_[size_t(i)];
        auto* item =
            new QTreeWidgetItem(lvResults_, {QString::number(i + 1), q(practice::TitleOf(set_[size_t(i)].kind)),
                                             QString::fromStdString(practice::AnswerText(f, answers_[size_t(i)])),
                                             QString::fromStdString(practice::AnswerText(f, v.expected)),
                                             v.right ? QStringLiteral("right") : QStringLiteral("wrong")});
        item->setForeground(4, v.right ? RightGreen : WrongRed);
        for (const int c : {2, 3})
            item->setToolTip(c, item->text(c));
    }
    const practice::Options o = options();
    lblAgain_->setText(QStringLiteral("Seed %1. The same set in a terminal:").arg(o.seed));
    showCommand(txtAgainCommand_, QString::fromStdString(practice::CommandLine(o)));
    showPage(Page::Score);
    cmdAgain_->setFocus();
}

void frmPractice::ShowInCalculator()
{
    if (page() != Page::Question || verdicts_.size() <= size_t(current_))
        return;
    auto* main = dynamic_cast<frmMain*>(platform::Forms::find(QStringLiteral("frmMain")));
    if (!main)
        return;
    const practice::Question& question = set_[size_t(current_)];
    const net::Network4 shown =
        question.kind == Kind::Summary ? verdicts_[size_t(current_)].expected.network : question.given;
    if (shown.length() < masklength::kEntryMin || shown.length() > masklength::kEntryMax)
        return;
    // A mask question has no address of its own: the calculator's stays.
    const bool maskOnly = question.kind == Kind::MaskForLength || question.kind == Kind::LengthForMask;
    main->SetAddress(maskOnly ? main->facts().address : shown.address(), shown.length());
    if (question.kind != Kind::Vlsm) {
        main->raise();
        main->activateWindow();
        return;
    }
    // A design opens the subnet table; its planner takes the host counts when
    // it splits the same network.
    frmMain::ShowWindow(QStringLiteral("frmSubnets"));
    if (auto* table = dynamic_cast<frmSubnets*>(platform::Forms::find(QStringLiteral("frmSubnets")))) {
        if (table->plannedNetwork() == net::Network4(shown.network(), shown.length())) {
            QStringList counts;
            for (std::uint64_t h : question.hosts)
                counts << QString::number(h);
            if (auto* line = table->findChild<QLineEdit*>(QStringLiteral("txtPlan")))
                line->setText(counts.join(QLatin1Char(' ')));
        }
    }
}

void frmPractice::applyZoom(int percent)
{
    setFont(mainlayout::designFont(QApplication::font(), percent));
    const QFontMetrics fm(font());
    const int digit = fm.horizontalAdvance(QLatin1Char('0'));
    for (QLineEdit* box : findChildren<QLineEdit*>(QRegularExpression(QStringLiteral("^txtOctet_"))))
        box->setFixedWidth(digit * 3 + fm.height());
    txtNumber_->setFixedWidth(digit * 12 + fm.height());
    txtSeed_->setFixedWidth(digit * 20 + fm.height());
    // The picture half as large again as the calculator's rows: it is what
    // the explanation is about.
    picCompare_->setZoom(percent * 3 / 2);
    // The explanation's lines wrap at the picture's width, at every zoom.
    const int wide = std::max(fm.horizontalAdvance(QLatin1Char('0')) * 70, picCompare_->sizeHint().width());
    for (QLabel* l : {lblQuestion_, lblExplanation_, lblMark_, lblOptionsProblem_, lblAgain_})
        l->setMinimumWidth(wide * 3 / 4);
    for (QLineEdit* command : {txtCommand_, txtAgainCommand_})
        command->setMinimumWidth(wide * 3 / 4);
    lblQuestion_->setMinimumWidth(wide);
    lblExplanation_->setMinimumWidth(wide);
    lvResults_->setMinimumWidth(wide);
    lvResults_->setFixedHeight(fm.height() * 15);
    QFont score = font();
    score.setBold(true);
    score.setPixelSize(QFontInfo(font()).pixelSize() * 3 / 2);
    lblScore_->setFont(score);
    // Room for a question, its answer and a usual explanation, so that the
    // window keeps its size from one question to the next.
    pages_[size_t(Page::Question)]->setMinimumHeight(fm.height() * 22);
    layout()->activate();
}
