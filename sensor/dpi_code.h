// DPI codes of the stage records and the selected model's DPI segments.
//
// The mouse keeps each stage as a one-byte code plus a flags byte (one nibble
// per axis: bit 0 doubled, bit 1 step 100, bits 2-3 code bits 8-9 of the
// sensors "3395" and "3950"). The code comes from the sensor's "#define"
// table of driver_sensor.h when it has one, else from arithmetic. Either way
// the reader is the writer's inverse: a stage written with a multiplier reads
// back at the DPI that was written (rounded down to the code's step).
#ifndef DPI_CODE_H
#define DPI_CODE_H

#include "flash_data_map.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The DPI segments of the selected model, from its DPIRange key: minimum,
// maximum and step per segment, then the code mode.
struct DPIRangeModel {
    enum { MaxSegments = 4 };

    int count = 0; // segments; meaningful for 1 to 4
    int mode = 0;  // 0x11, 0x22 or 0x33 select a range rule
    // Segment texts, segment 1 first; converted to numbers where used.
    QString minimum[MaxSegments];
    QString maximum[MaxSegments];
    QString step[MaxSegments];
    QVector<int> minima; // segment minima as numbers, segment 1 first
    QVector<int> maxima;
};

extern DPIRangeModel g_dpiRangeModel;

extern QString g_sensorModel;              // Sensor key of the selected model
extern QStringList g_sensorDefineNames;    // "#define" names of driver_sensor.h
extern QVector<int> g_sensorDefineValues;  // their values, same positions

// Loads g_dpiRangeModel from a DPIRange list. Count, mode, minima and maxima
// start afresh; a count outside 1..4 (an empty list included) keeps the
// earlier segment texts and leaves no minima and maxima. True when the list
// holds 1 to 4 segments.
bool LoadDpiRangeModel(const QStringList& list);
// The same into another model; g_dpiRangeModel stays as it is.
bool ParseDpiRangeModel(const QStringList& list, DPIRangeModel* model);

// The first segment's minimum and the last segment's maximum of a model with
// 1 to 4 segments; false (texts untouched) for any other model.
bool DpiRangeBounds(const DPIRangeModel& model, QString* minimum, QString* maximum);

// What bytes 0-2 of a stage record receive for a DPI value.
struct DpiStageCode {
    int code = 0;  // bytes 0 and 1 (the X and Y codes)
    int flags = 0; // byte 2
};

// Encodes dpi for the selected sensor and g_dpiRangeModel. currentFlags is
// the stage's flags byte before the write (a missing definition falls back
// on it). A DPI beyond what the code can hold is clamped to the largest
// encodable value, so the mouse never gets another DPI than the one shown.
DpiStageCode EncodeDpiStage(int dpi, int currentFlags);

// Encodes dpi for stage 0..7 and writes bytes 0-2 of its record with
// SetDpiStageValue (which sends the image). Stage -1 (no stage checked) and
// any other stage outside 0..7 write nothing.
bool WriteDpiStage(int stage, int dpi);

// The DPI value a stage record shows for the selected sensor, or for
// another sensor's name.
int ReadDpiStage(const DPIStage& record);
int ReadDpiStage(const DPIStage& record, const QString& sensor);

#endif // DPI_CODE_H
