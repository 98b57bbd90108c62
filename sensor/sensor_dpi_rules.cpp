#include "sensor_dpi_rules.h"

#include "dpi_code.h"

#include <climits>
#include <utility>

namespace {

const int kStageCount = 8;

// Marker positions outside this band never land on a stage.
const int kLeftmostDrop = 15;
const int kRightmostDrop = 706;

// The rightmost drop a stage count allows, by combo index 0..6 (8 stages:
// no limit).
const int kDropLimits[7] = {69, 160, 251, 342, 433, 524, 612};

struct SnapWindow {
    int low;
    int high;
    int shift;
    int stageChange;
};

// Tested from the top. The windows are uneven on purpose: a drop between
// them puts the marker back.
const SnapWindow kSnapWindows[] = {
    {78, 129, 91, 1},      {-102, -51, -91, -1},
    {168, 214, 182, 2},    {-192, -144, -182, -2},
    {264, 317, 273, 3},    {-284, -236, -273, -3},
    {361, 389, 364, 4},    {-369, -327, -364, -4},
    {443, 495, 455, 5},    {-465, -411, -455, -5},
    {538, 591, 546, 6},    {-556, -504, -546, -6},
    {623, 669, 637, 7},    {-646, -599, -637, -7},
};

// A step from a value near the ends of int (a catalogue may name any range)
// stops at the end instead of wrapping round.
int Stepped(int value, int step)
{
    return int(qBound<qint64>(INT_MIN, qint64(value) + step, INT_MAX));
}

} // namespace

QVector<DpiSegment> DpiSegmentsOf(const DPIRangeModel& model)
{
    QVector<DpiSegment> segments;
    if (model.count < 1 || model.count > DPIRangeModel::MaxSegments)
        return segments;
    for (int k = 0; k < model.count; ++k)
        segments.append({model.minimum[k].toInt(), model.maximum[k].toInt(), model.step[k].toInt()});
    return segments;
}

int StepDpiUp(int value, const QVector<DpiSegment>& segments)
{
    const int last = segments.size() - 1;
    for (int k = 0; k <= last; ++k) {
        const DpiSegment& s = segments.at(k);
        // Inside a segment; its maximum belongs to the next one when they meet.
        const bool inside = k < last ? (s.minimum <= value && value < s.maximum)
                                     : (s.minimum <= value && value <= s.maximum);
        if (inside)
            return s.step > 0 ? Stepped(value, s.step) : value;
        if (k < last && s.maximum <= value && value < segments.at(k + 1).minimum)
            return segments.at(k + 1).minimum;
    }
    return value;
}

int StepDpiDown(int value, const QVector<DpiSegment>& segments)
{
    const int last = segments.size() - 1;
    for (int k = 0; k <= last; ++k) {
        const DpiSegment& s = segments.at(k);
        if (s.minimum <= value && value <= s.maximum)
            return s.step > 0 ? Stepped(value, -s.step) : value;
        if (k < last && s.maximum < value && value < segments.at(k + 1).minimum)
            return segments.at(k + 1).minimum;
    }
    return value;
}

SnappedDpi SnapDpi(int value, const QVector<DpiSegment>& segments)
{
    const int last = segments.size() - 1;
    for (int k = 0; k <= last; ++k) {
        const DpiSegment& s = segments.at(k);
        if (s.minimum <= value && value <= s.maximum) {
            if (s.step <= 0)
                return {value, 0}; // no step to snap to
            return {qMax(s.minimum, value - value % s.step), s.step};
        }
        if (k < last && s.maximum < value && value < segments.at(k + 1).minimum) {
            const DpiSegment& next = segments.at(k + 1);
            return {next.minimum, next.step > 0 ? next.step : 0};
        }
    }
    return {value, 0};
}

QStringList StageColorTexts(const QStringList& numbers)
{
    QStringList colours;
    for (int k = 0; k + 2 < numbers.size() && colours.size() < kStageCount; k += 3) {
        colours.append(numbers.at(k).trimmed() + QLatin1Char(',') + numbers.at(k + 1).trimmed() + QLatin1Char(',')
                       + numbers.at(k + 2).trimmed());
    }
    return colours;
}

MarkerDrop DecideMarkerDrop(bool releasedOnMarker, int x, int currentPointX, int countIndex)
{
    MarkerDrop drop;
    if (!releasedOnMarker || x < kLeftmostDrop || x > kRightmostDrop)
        return drop;
    if (countIndex >= 0 && countIndex <= 6 && x > kDropLimits[countIndex]) {
        drop.outcome = MarkerDrop::ReturnAndResend;
        return drop;
    }
    const int d = x - currentPointX;
    for (const SnapWindow& window : kSnapWindows) {
        if (window.low <= d && d <= window.high) {
            drop.outcome = MarkerDrop::Move;
            drop.shift = window.shift;
            drop.stageChange = window.stageChange;
            return drop;
        }
    }
    return drop;
}

void ApplyStageCountChange(FlashDataMap& image, const StageCountChange& change, int index)
{
    if (!change.apply)
        return;
    if (change.exchange) {
        std::swap(image.dpiStages[change.from], image.dpiStages[change.to]);
        image.currentDpiStage = uint8_t(change.to);
    }
    image.dpiStageCount = uint8_t(index + 1);
}

StageCountChange PlanStageCountChange(int currentStage, int index)
{
    StageCountChange change;
    if (index < 0 || index >= kStageCount)
        return change;
    change.apply = true;
    if (currentStage >= 0 && currentStage < kStageCount && currentStage > index) {
        change.exchange = true;
        change.from = currentStage;
        change.to = index;
    }
    return change;
}
