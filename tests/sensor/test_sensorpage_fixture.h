// Shared pieces of the sensor-page tests: the page's widgets by name and the
// recognisable device image with plain sensor settings.
#ifndef TEST_SENSORPAGE_FIXTURE_H
#define TEST_SENSORPAGE_FIXTURE_H

#include "flash_data_map.h"
#include "motion_sync.h"
#include "rippe_control.h"
#include "sensor_dpi.h"
#include "sensor_effect.h"
#include "sensor_lod.h"
#include "sensor_rate.h"
#include "straight_line.h"
#include "test_image.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QSlider>
#include <QSpinBox>
#include <QWidget>

namespace sensorpage {

// The page's widgets, found by the object names of its form.
struct PageView {
    explicit PageView(QWidget* page) : page(page) {}

    template <class T>
    T* Get(const char* name) const
    {
        return page->findChild<T*>(QString::fromLatin1(name));
    }

    SensorDPI* Dpi() const { return Get<SensorDPI>("frameDpi"); }
    QComboBox* StageCount() const { return Dpi()->findChild<QComboBox*>(QStringLiteral("ChooseEvent")); }
    QSlider* DpiSlider() const { return Dpi()->findChild<QSlider*>(QStringLiteral("horizontalSliderC")); }
    QSpinBox* DpiSpin() const { return Dpi()->findChild<QSpinBox*>(QStringLiteral("spinBoxA")); }
    QLabel* Marker() const { return Dpi()->findChild<QLabel*>(QStringLiteral("label_8")); }
    QAbstractButton* StageButton(int stage) const
    {
        static const char* const names[8] = {"BlueButton",  "BrightRedButton", "RedButton",       "YellowButton",
                                             "GreenButton", "PurpleButton",    "LightBlueButton", "LightYellowButton"};
        return Dpi()->findChild<QAbstractButton*>(QString::fromLatin1(names[stage]));
    }

    SensorRate* Rate() const { return Get<SensorRate>("frameRate"); }
    // The level of the checked rate button, -1 when none is checked.
    int RateLevel() const
    {
        static const char* const names[7] = {"Button125HZ",  "Button250HZ",  "Button500HZ", "Button1000HZ",
                                             "Button2000HZ", "Button4000HZ", "Button8000HZ"};
        for (int level = 0; level < 7; ++level) {
            if (Rate()->findChild<QAbstractButton*>(QString::fromLatin1(names[level]))->isChecked())
                return level;
        }
        return -1;
    }
    bool RateOffered(const char* button) const
    {
        return !Rate()->findChild<QAbstractButton*>(QString::fromLatin1(button))->isHidden();
    }

    QComboBox* Mode() const { return Get<QComboBox>("ModelChoose"); }
    QListView* ModeList() const { return qobject_cast<QListView*>(Mode()->view()); }
    bool CordedOffered() const { return !ModeList()->isRowHidden(2); }
    QCheckBox* Performance() const { return Get<QCheckBox>("Performance"); }
    QComboBox* PerformanceTime() const { return Get<QComboBox>("PerformanceOpen"); }
    SensorLOD* Lod() const { return Get<SensorLOD>("frameLOD"); }
    QComboBox* LodCombo() const { return Lod()->findChild<QComboBox*>(QStringLiteral("LOD")); }
    RippeControl* Ripple() const { return Get<RippeControl>("frame"); }
    StraightLine* FixLine() const { return Get<StraightLine>("frame_4"); }
    MotionSync* Sync() const { return Get<MotionSync>("frame_3"); }
    bool RippleOn() const { return Ripple()->findChild<QAbstractButton*>(QStringLiteral("RippeControl_2"))->isChecked(); }
    bool FixLineOn() const
    {
        return FixLine()->findChild<QAbstractButton*>(QStringLiteral("StraightLine_2"))->isChecked();
    }
    bool SyncOn() const { return Sync()->findChild<QAbstractButton*>(QStringLiteral("MotionSync_2"))->isChecked(); }
    SensorEffect* Effect() const { return Get<SensorEffect>("frameEffect"); }
    int EffectMode() const { return Effect()->findChild<QComboBox*>(QStringLiteral("Model"))->currentIndex(); }
    int EffectSpeed() const { return Effect()->findChild<QSlider*>(QStringLiteral("SpeedH"))->value(); }
    int EffectBrightness() const { return Effect()->findChild<QSlider*>(QStringLiteral("LightH"))->value(); }

    QWidget* page;
};

struct StageValue {
    int code;
    int flags;
};

// The recognisable image with the sensor bytes set plainly.
inline FlashDataMap PageImage()
{
    FlashDataMap image = PatternImage();
    image.reportRate = 1;
    image.dpiStageCount = 4;
    image.currentDpiStage = 2;
    image.liftOffDistance = 2;
    image.motionSync = 1;
    image.straightLine = 0;
    image.rippleControl = 1;
    image.performanceMode = 1;
    image.performanceTime = 30;
    image.sensorMode = 1;
    for (int i = 0; i < FlashDataMap::StageCount; ++i) {
        DPIStage& stage = image.dpiStages[i];
        stage.x = stage.y = uint8_t(8 * (i + 1) - 1); // 400, 800, ... at 50 per code step
        stage.flags = 0;
        stage.red = uint8_t(10 + i);
        stage.green = uint8_t(0xA0 + i);
        stage.blue = uint8_t(0xF0 + i);
    }
    image.dpiLed[0] = 2;   // breathing
    image.dpiLed[1] = 128; // brightness level 5
    image.dpiLed[2] = 4;   // speed
    image.dpiLed[3] = 1;   // on
    return image;
}

inline void SetStages(FlashDataMap& image, const QList<StageValue>& stages)
{
    for (int i = 0; i < stages.size(); ++i) {
        image.dpiStages[i].x = image.dpiStages[i].y = uint8_t(stages.at(i).code);
        image.dpiStages[i].flags = uint8_t(stages.at(i).flags);
    }
}

} // namespace sensorpage

#endif // TEST_SENSORPAGE_FIXTURE_H
