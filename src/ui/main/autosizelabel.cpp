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

// The advance of each text in f, or nothing as soon as one runs past its
// room.
std::vector<int> advancesIfAllFit(const QFont& f, const std::vector<std::pair<QString, int>>& texts)
{
    const QFontMetrics fm(f);
    std::vector<int> advances;
    advances.reserve(texts.size());
    for (const auto& [text, room] : texts) {
        advances.push_back(fm.horizontalAdvance(text));
        if (advances.back() > room)
            return {};
    }
    return advances;
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

AutoSizeLabel::Fitted AutoSizeLabel::fittedFont(const QFont& base, int percent,
                                                const std::vector<std::pair<QString, int>>& textsInWidths)
{
    Fitted fitted{base, advancesIfAllFit(base, textsInWidths)};
    if (!fitted.advances.empty() || textsInWidths.empty())
        return fitted;
    for (int stretch : Stretches) {
        fitted.font.setStretch(stretch);
        fitted.advances = advancesIfAllFit(fitted.font, textsInWidths);
        if (!fitted.advances.empty())
            return fitted;
    }
    const int floor = floorPixelSize(percent);
    for (int px = pixelSizeOf(base) - 1; px >= floor; --px) {
        fitted.font.setPixelSize(px);
        fitted.advances = advancesIfAllFit(fitted.font, textsInWidths);
        if (!fitted.advances.empty())
            return fitted;
    }
    // Nothing fits: the smallest step, each text as wide as its room allows.
    const QFontMetrics fm(fitted.font);
    for (const auto& t : textsInWidths)
        fitted.advances.push_back(fm.horizontalAdvance(t.first));
    return fitted;
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
    const Fitted fitted = fittedFont(base_, percent_, {{text(), room()}});
    applyFont(fitted.font, fitted.advances.front());
}

void AutoSizeLabel::applyFont(const QFont& f, int textWidth)
{
    if (font() != f)
        setFont(f);
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

void AutoSizeGroup::hold()
{
    ++held_;
}

void AutoSizeGroup::release()
{
    if (held_ > 0 && --held_ == 0 && pending_) {
        pending_ = false;
        fit();
    }
}

void AutoSizeGroup::fit()
{
    if (held_ > 0) {
        pending_ = true;
        return;
    }
    if (members_.empty())
        return;
    std::vector<std::pair<QString, int>> texts;
    for (const AutoSizeLabel* l : members_)
        texts.emplace_back(l->text(), l->room());
    // The members share their design font.
    const AutoSizeLabel* first = members_.front();
    const AutoSizeLabel::Fitted fitted = AutoSizeLabel::fittedFont(first->base_, first->percent_, texts);
    for (size_t i = 0; i < members_.size(); ++i)
        members_[i]->applyFont(fitted.font, fitted.advances[i]);
}
