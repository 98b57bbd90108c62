// The rules of the DPI stage editor that need no widget: how the step
// buttons and the slider move a DPI value over the model's DPI segments, where
// a dropped stage marker lands, and what a new stage count does with the
// current stage.
#ifndef SENSOR_DPI_RULES_H
#define SENSOR_DPI_RULES_H

#include "flash_data_map.h"

#include <QStringList>
#include <QVector>

struct DPIRangeModel;

struct DpiSegment {
    int minimum = 0;
    int maximum = 0;
    int step = 0;
};

// The segments the rules walk: the first `count` of the model (texts read as
// numbers now, a text that is no number counting 0); none when the count is
// not 1..4.
QVector<DpiSegment> DpiSegmentsOf(const DPIRangeModel& model);

// Plus and minus buttons. A value in a gap moves to the start of the next
// segment in both directions; a value outside every segment and gap, or in a
// segment without a positive step, stays.
int StepDpiUp(int value, const QVector<DpiSegment>& segments);
int StepDpiDown(int value, const QVector<DpiSegment>& segments);

// The slider: a value becomes a whole multiple of its segment's step (never
// below the segment's minimum), a value in a gap the next segment's minimum.
// pageStep is the step of the segment that matched, 0 when none did (the
// slider then keeps its page step).
struct SnappedDpi {
    int value = 0;
    int pageStep = 0;
};
SnappedDpi SnapDpi(int value, const QVector<DpiSegment>& segments);

// Stage colours of a model's DPIColor list (red, green, blue per stage,
// stage 0 first) as "r,g,b" texts: at most eight, and a trailing incomplete
// triple gives none.
QStringList StageColorTexts(const QStringList& numbers);

// Where a marker released at x lands. The marker snaps to a stage only in
// the windows of the snap table; everything else puts it back.
struct MarkerDrop {
    enum Outcome {
        Return,        // back to the current stage's point
        ReturnAndResend, // back, and the unchanged current stage is sent again
        Move           // to the current stage's point + shift, stage + stageChange
    };
    Outcome outcome = Return;
    int shift = 0;
    int stageChange = 0;
};
// releasedOnMarker: the release lies inside the marker; currentPointX: x of
// the current stage's marker point; countIndex: current index of the stage
// count combo (stage count - 1; -1 when it has none).
MarkerDrop DecideMarkerDrop(bool releasedOnMarker, int x, int currentPointX, int countIndex);

// A new stage count (index = new last stage) hides the current stage when it
// lies beyond the new last stage; the two stages then change places. Nothing
// happens for an index outside 0..7 (an emptied combo reports -1), and a
// current stage outside 0..7 has nothing to exchange.
struct StageCountChange {
    bool apply = false;    // the index names a stage count
    bool exchange = false; // stages `from` and `to` change places
    int from = -1;
    int to = -1;
};
StageCountChange PlanStageCountChange(int currentStage, int index);
// The planned change in the image: the exchanged stages with the new last
// one current, and the count index + 1.
void ApplyStageCountChange(FlashDataMap& image, const StageCountChange& change, int index);

#endif // SENSOR_DPI_RULES_H
