// DPI-light effect with three check boxes for the mode instead of a combo;
// an alternative layout that no page uses.
#ifndef SENSOR_EFFECT_B_H
#define SENSOR_EFFECT_B_H

#include "sensor_effect_base.h"

#include <memory>

class QButtonGroup;
class QCheckBox;

namespace Ui {
class SensorEffectB;
}

class SensorEffectB : public SensorEffectBase {
    Q_OBJECT
public:
    explicit SensorEffectB(QWidget* parent = nullptr);
    ~SensorEffectB() override;

    // Checks the box of the mode (checking from code never sends), then
    // shows the rows of the mode.
    void SetMode(int mode);
    void SetModeText(int index, const QString& text);

private slots:
    void on_MM1_clicked(bool checked);
    void on_MM2_clicked(bool checked);
    void on_MM3_clicked(bool checked);
    void on_SpeedH_valueChanged(int value);
    void on_SpeedH_sliderMoved(int position);
    void on_LightH_valueChanged(int value);
    void on_LightH_sliderMoved(int position);

private:
    // MM3, MM1 or MM2 for mode 0, 1 or 2; null for another mode.
    QCheckBox* BoxOfMode(int mode) const;
    void ModeClicked(bool checked, int mode);

    std::unique_ptr<Ui::SensorEffectB> ui;
    QButtonGroup* m_group = nullptr;
};

#endif // SENSOR_EFFECT_B_H
