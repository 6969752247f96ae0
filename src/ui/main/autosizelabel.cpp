#include "ui/main/autosizelabel.h"

#include "ui/zoom.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace {
// Narrower before smaller: a condensed text keeps its height. The base font
// is the full width already.
constexpr int Stretches[] = {95, 90, 85, 80, 75};
constexpr double FloorPoints = 8.0;

int pixelSizeOf(const QFont& f)
{
    return f.pixelSize() > 0 ? f.pixelSize() : QFontInfo(f).pixelSize();
}

bool allFit(const QFont& f, const std::vector<std::pair<QString, int>>& texts)
{
    const QFontMetrics fm(f);
    return std::all_of(texts.begin(), texts.end(),
                       [&](const auto& t) { return fm.horizontalAdvance(t.first) <= t.second; });
}
} // namespace

AutoSizeLabel::~AutoSizeLabel()
{
    if (group_)
        group_->remove(this);
}

int AutoSizeLabel::floorPixelSize(int percent)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return int(std::ceil(FloorPoints * dpi / 72.0 * percent / zoom::Normal - 1e-9));
}

QFont AutoSizeLabel::fittedFont(const QFont& base, int percent,
                                const std::vector<std::pair<QString, int>>& textsInWidths)
{
    if (allFit(base, textsInWidths))
        return base;
    QFont f(base);
    for (int stretch : Stretches) {
        f.setStretch(stretch);
        if (allFit(f, textsInWidths))
            return f;
    }
    const int floor = floorPixelSize(percent);
    for (int px = pixelSizeOf(base) - 1; px >= floor; --px) {
        f.setPixelSize(px);
        if (allFit(f, textsInWidths))
            return f;
    }
    return f;
}

void AutoSizeLabel::setSizing(const QFont& base, int percent, int minWidthPx, int rightLimitPx)
{
    base_ = base;
    percent_ = percent;
    minWidth_ = minWidthPx;
    rightLimit_ = rightLimitPx;
    // A group is fitted once all its members stand at their places: fitting
    // it member by member tried a dozen fonts against widths not yet set.
    if (!group_)
        fit();
}

void AutoSizeLabel::setGroup(AutoSizeGroup* group)
{
    if (group_)
        group_->remove(this);
    group_ = group;
    if (group_)
        group_->add(this);
}

void AutoSizeLabel::setFittedText(const QString& text)
{
    if (text == this->text())
        return;
    setText(text);
    if (group_)
        group_->fit();
    else
        fit();
}

int AutoSizeLabel::room() const
{
    return std::max(1, rightLimit_ - x());
}

void AutoSizeLabel::fit()
{
    applyFont(fittedFont(base_, percent_, {{text(), room()}}));
}

void AutoSizeLabel::applyFont(const QFont& f)
{
    if (font() != f)
        setFont(f);
    const int textWidth = QFontMetrics(f).horizontalAdvance(text());
    resize(std::min(room(), std::max(minWidth_, textWidth)), height());
}

void AutoSizeGroup::add(AutoSizeLabel* label)
{
    if (std::find(members_.begin(), members_.end(), label) == members_.end())
        members_.push_back(label);
}

void AutoSizeGroup::remove(AutoSizeLabel* label)
{
    members_.erase(std::remove(members_.begin(), members_.end(), label), members_.end());
}

void AutoSizeGroup::fit()
{
    if (members_.empty())
        return;
    std::vector<std::pair<QString, int>> texts;
    for (const AutoSizeLabel* l : members_)
        texts.emplace_back(l->text(), l->room());
    // The members share their design font.
    const AutoSizeLabel* first = members_.front();
    const QFont f = AutoSizeLabel::fittedFont(first->base_, first->percent_, texts);
    for (AutoSizeLabel* l : members_)
        l->applyFont(f);
}
