#pragma once
#include <QFont>
#include <QLabel>
#include <QPointer>

#include <vector>

class AutoSizeGroup;

// A label whose width follows its text, as far as a right limit (its
// neighbour). Where the text would run past it, the label shows it in a
// narrower font (condensed, then smaller, never below 8 points at 100%)
// rather than over the neighbour. Labels of one group, a column of values,
// always share one font, so that none looks smaller than its neighbours.
class AutoSizeLabel : public QLabel {
public:
    explicit AutoSizeLabel(QWidget* parent = nullptr) : QLabel(parent) {}
    ~AutoSizeLabel() override;

    // The preferred font and zoom; never narrower than minWidthPx; the right
    // edge stays left of rightLimitPx (in the parent). A label of a group is
    // sized by the group's fit(), once every member has its sizing.
    void setSizing(const QFont& base, int percent, int minWidthPx, int rightLimitPx);
    // Sets the text and sizes the label (and its group) to it.
    void setFittedText(const QString& text);
    void setGroup(AutoSizeGroup* group);

    // The room the text has, in pixels.
    int room() const;
    // The smallest size a text is shown in: 8 points at the zoom.
    static int floorPixelSize(int percent);

private:
    friend class AutoSizeGroup;
    struct Fitted {
        QFont font;
        std::vector<int> advances; // of each text, in the font
    };
    // The largest of the narrower fonts in which every text fits its width:
    // the base font if they fit already; the smallest step if nothing does.
    static Fitted fittedFont(const QFont& base, int percent, const std::vector<std::pair<QString, int>>& textsInWidths);
    void fit();
    void applyFont(const QFont& f, int textWidth);

    QFont base_;
    int percent_ = 100;
    int minWidth_ = 0;
    int rightLimit_ = 0;
    QPointer<AutoSizeGroup> group_;
};

// Labels that shrink together.
class AutoSizeGroup : public QObject {
public:
    using QObject::QObject;
    void add(AutoSizeLabel* label);
    void remove(AutoSizeLabel* label);
    void fit();
    // While held, the group is fitted once, on the last release, however
    // many of its texts change meanwhile.
    void hold();
    void release();

private:
    std::vector<AutoSizeLabel*> members_;
    int held_ = 0;
    bool pending_ = false;
};
