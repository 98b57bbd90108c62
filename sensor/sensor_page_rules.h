// The sensor page's decisions that need no widget: the performance-time
// table, the polling-rate choices by connection type, and when the sensor
// mode "Corded" is forced.
#ifndef SENSOR_PAGE_RULES_H
#define SENSOR_PAGE_RULES_H

namespace SensorPageRules {

// Performance time: PerformanceOpen index 0..5 <-> image byte 0x0D in units
// of 10 s (3, 6, 12, 30, 60, 90). -1 for anything else.
int PerformanceIndexOfTime(int tenSeconds);
int PerformanceTimeOfIndex(int index);

// The rate level a fill shows for image byte 0x00: a cable mouse reporting
// 2000 or 4000 Hz shows 1000 Hz. -1 for a code outside the table.
int FillRateLevel(int code, bool wired);

// The set of rates the polling-rate selector offers a connection type
// (0 or 2: up to 1000 Hz, 1 or 3: up to 4000, 4: up to 2000, 5: up to
// 8000 Hz); -1 leaves the selector as it is.
int RateSetOfConnection(int connectionType);

// What the sensor-mode combo ModelChoose shows.
enum class SensorMode {
    Keep,        // nothing changes
    Corded,      // "Corded", disabled; the list row stays as it is
    RevealCorded, // the "Corded" row shown, "Corded" selected, disabled
    Stored,      // enabled, the image's mode (byte 0x0E), "Corded" row hidden
    LowPower     // "LP", disabled: the sensor has no mode choice
};

// listed: the sensor is in SUPPORT_SENSOR_MODE_SEL. A fill forces "Corded"
// on a cable and, on the 2K, 4K and 8K receivers, above 1000 Hz, as the
// rate reports and the rate selector do: reopening a mouse shows the mode
// that choosing its rate showed.
SensorMode SensorModeOnFill(bool listed, bool wired, int connectionType, int rateCode);
// A polling-rate report: above 1000 Hz (8000 Hz included) forces "Corded"
// on a receiver; 125 to 1000 Hz gives the choice back.
SensorMode SensorModeOnRateReport(bool listed, bool wired, int rateCode);
// The rate selector's news (0: 1000 Hz or less, 1: more).
SensorMode SensorModeOnRateChoice(bool listed, bool wired, int connectionType, int aboveThousand);

// The page's defaults by connection type when there is no image to show.
struct ResetDefaults {
    bool apply = false; // false: rate and sensor mode stay as they are
    int rateSet = 0;
    int rateLevel = 0;
    int sensorModeIndex = 0;
};
ResetDefaults ResetDefaultsOf(int connectionType);

} // namespace SensorPageRules

#endif // SENSOR_PAGE_RULES_H
