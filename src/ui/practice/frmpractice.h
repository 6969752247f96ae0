#pragma once
#include "model/practice.h"
#include "ui/extrawindow.h"

#include <QElapsedTimer>

#include <array>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTreeWidget;
class AddressAnswer;
class BitsCompare;
class PlanBar;

// Practice: a set of subnetting questions drawn from the chosen kinds,
// classes, lengths and conventions and a seed, asked one at a time with
// answer fields like the calculator's, each answer checked and, when wrong,
// explained (the binary picture of a wrong address, the formula of a wrong
// count); at the end the score and the time taken. The questions, the checks
// and what an explanation says come from the practice core; this window lays
// them out. Nothing is written to disk but the window's placement.
class frmPractice : public ExtraWindow {
    Q_OBJECT
public:
    explicit frmPractice(QWidget* parent = nullptr);

    enum class Page { Options, Question, Score };
    Page page() const;

    // The options as the controls show them, and the other way round.
    practice::Options options() const;
    void setOptions(const practice::Options& options);

    // Draws a set with the options shown and asks its first question; does
    // nothing while the options have a fault (said beside Start).
    void Start();
    // Checks the answer typed; an incomplete one is not checked (said beside
    // Check).
    void Check();
    // The next question, or the score after the last.
    void Next();
    // Ends the set early: the score of the questions answered.
    void Stop();
    // Writes an answer into the current question's fields, as a learner
    // would type it (the screenshot scenes and tests answer whole sets).
    void fillIn(const practice::Answer& answer);
    // The question's case in the calculator (and the subnet table for a
    // VLSM design).
    void ShowInCalculator();

    const std::vector<practice::Question>& questions() const { return set_; }
    int current() const { return current_; }
    int rightCount() const;
    int answeredCount() const { return int(verdicts_.size()); }

protected:
    void applyZoom(int percent) override;

private:
    void buildOptions(QWidget* page);
    void buildQuestion(QWidget* page);
    void buildScore(QWidget* page);
    void showPage(Page page);
    void optionsChanged();
    std::string seedFault() const;
    void showQuestion();
    void showBlocks(int count);
    // The typed answer, or nothing (with why) while a field is empty.
    std::optional<practice::Answer> readAnswer(QString& problem) const;
    void showVerdict(const practice::Answer& answer, const practice::Verdict& verdict);
    void showPicture(const practice::Answer& answer, const practice::Verdict& verdict);
    QString formulaText(const practice::Verdict& verdict) const;
    void showScore();
    void setMark(const QString& text, const QColor& colour);
    practice::Field field() const;

    std::vector<practice::Question> set_;
    std::vector<practice::Answer> answers_;
    std::vector<practice::Verdict> verdicts_;
    int current_ = -1;
    QElapsedTimer clock_;
    qint64 seconds_ = 0;

    std::array<QWidget*, 3> pages_{};
    Page shown_ = Page::Options;
    // Options.
    std::array<QCheckBox*, practice::kKindCount> chkKind_{};
    std::array<QCheckBox*, 3> chkClass_{};
    QSpinBox* spnShortest_;
    QSpinBox* spnLongest_;
    QRadioButton* optClassful_;
    QRadioButton* optSubnetZero_;
    QCheckBox* chkRFC3021_;
    QLineEdit* txtSeed_;
    QSpinBox* spnCount_;
    QLineEdit* txtCommand_;
    QLabel* lblOptionsProblem_;
    QPushButton* cmdStart_;
    // A question.
    QLabel* lblProgress_;
    QLabel* lblQuestion_;
    QLabel* lblAnswer_;
    AddressAnswer* ansAddress_;
    QLineEdit* txtNumber_;
    QSpinBox* spnAnswerLength_;
    std::vector<QLabel*> lblBlocks_;
    std::vector<AddressAnswer*> ansBlocks_;
    QWidget* fraBlocks_;
    QPushButton* cmdCheck_;
    QLabel* lblMark_;
    QLabel* lblExplanation_;
    QLabel* lblFormula_;
    BitsCompare* picCompare_;
    // A VLSM design: the learner's blocks and a right one, each as a bar of
    // the network, a faulty block in red.
    QWidget* fraDesign_;
    std::array<PlanBar*, 2> picDesign_{};
    QPushButton* cmdShowInCalculator_;
    QPushButton* cmdNext_;
    QPushButton* cmdStop_;
    // The score.
    QLabel* lblScore_;
    QLabel* lblStopped_;
    QTreeWidget* lvResults_;
    QLabel* lblAgain_;
    QLineEdit* txtAgainCommand_;
    QPushButton* cmdAgain_;
    QPushButton* cmdNewSet_;
};
