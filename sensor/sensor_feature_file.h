// The sensor feature file driver_sensor.h beside the program, and the
// per-user Level.ini of the sensor page.
//
// driver_sensor.h is a list of C-style definitions, one a line:
//     #define SUPPORT_RIPPLE<TAB>3395,Q3311          a feature list
//     #define SENSOR_Q3311_DPI_800<TAB>0x08          a definition (hex or decimal)
//     #define SENSOR_COUNT<TAB>4 //comment           a definition, decimal only
// Lines end in LF, CR LF or CR; white space at the end of a line is dropped.
// Lines are cut at blanks only (a tab belongs to its piece); a line of any
// other shape is ignored. A sensor has a feature when the feature's list
// contains the sensor name as a substring. The button page takes its own
// copy of the definitions with this reader too.
#ifndef SENSOR_FEATURE_FILE_H
#define SENSOR_FEATURE_FILE_H

#include <QString>
#include <QStringList>
#include <QVector>

struct SensorFeatureFile {
    // The lists of the six feature keys; empty when the file has none.
    QString sensorModeSelect; // SUPPORT_SENSOR_MODE_SEL
    QString liftOffCalibration; // SUPPORT_LOD_CAL
    QString ripple;             // SUPPORT_RIPPLE
    QString fixLine;            // SUPPORT_FIXLINE
    QString motionSync;         // SUPPORT_MOTION_SYNC
    QString mousepadCalibration; // SUPPORT_MOUSEPAD_CAL (kept, not used)

    // Definitions in file order, duplicates included.
    QStringList defineNames;
    QVector<int> defineValues;

    // Parses the file's text. Later feature lines of a key replace earlier
    // ones; definitions are appended.
    void Parse(const QString& text);
    // Reads and parses a file; false (nothing read) when it cannot be
    // opened or is empty.
    bool Read(const QString& path);
};

// A sensor is listed when the list contains its name (an empty name is in
// every list).
bool IsSensorListed(const QString& list, const QString& sensor);

// The initial stage count of Level.ini: the first line as a decimal number;
// 1 when the file is missing or its first line is empty, 0 when that line is
// no number.
int ReadLevelFile(const QString& path);

#endif // SENSOR_FEATURE_FILE_H
