// DPI-light effect of the sensor page: mode (off, steady, breathing), the
// breathing speed (1-5) and the brightness (levels 1-10). Only the slider of
// the chosen mode is shown. Changes write the DPI-light block of the image
// (bytes 0x3F-0x42) and send it.
#ifndef SENSOR_EFFECT_H
#define SENSOR_EFFECT_H

#include "sensor_effect_base.h"

#include <memory>

namespace Ui {
class SensorEffect;
}

class SensorEffect : public SensorEffectBase {
    Q_OBJECT
public:
    explicit SensorEffect(QWidget* parent = nullptr);
    ~SensorEffect() override;

    // Brightness byte 0x40 of level 1-10 (16 ... 255); levels outside the
    // range take the nearest end.
    static int BrightnessByte(int level);
    // The level whose byte it is; a byte not in the table comes back
    // unchanged (the slider then clamps it to 1-10).
    static int BrightnessLevel(int byte);

    // Leaves the combo's signals open, as the base's setters do: whether the
    // change is sent depends on g_sendEnabled and g_sensorPageUpdating.
    void SetMode(int mode); // 0 off, 1 steady, 2 breathing; then the rows of the mode
    void SetModeEnabled(bool enabled);
    void SetModeText(int index, const QString& text);

private slots:
    void on_Model_currentIndexChanged(int index);
    void on_SpeedH_valueChanged(int value);
    void on_SpeedH_sliderMoved(int position);
    void on_LightH_valueChanged(int value);
    void on_LightH_sliderMoved(int position);

private:
    std::unique_ptr<Ui::SensorEffect> ui;
};

#endif // SENSOR_EFFECT_H
