// DPI-light effect with three check boxes for the mode instead of a combo;
// an alternative layout that no page uses.
#ifndef SENSOR_EFFECT_B_H
#define SENSOR_EFFECT_B_H

#include <QFrame>
#include <QString>

#include <memory>

class QButtonGroup;

namespace Ui {
class SensorEffectB;
}

class SensorEffectB : public QFrame {
    Q_OBJECT
public:
    explicit SensorEffectB(QWidget* parent = nullptr);
    ~SensorEffectB() override;

    // Checks the box of the mode (checking from code never sends), then
    // shows the rows of the mode.
    void SetMode(int mode);
    void SetModeText(int index, const QString& text);
    void SetSpeed(int value);
    void SetBrightnessLevel(int level);
    void SetSlidersEnabled(bool enabled);
    void SetTitleText(const QString& text);
    void SetSpeedText(const QString& text);
    void SetBrightnessText(const QString& text);

private slots:
    void on_MM1_clicked(bool checked);
    void on_MM2_clicked(bool checked);
    void on_MM3_clicked(bool checked);
    void on_SpeedH_valueChanged(int value);
    void on_SpeedH_sliderMoved(int position);
    void on_LightH_valueChanged(int value);
    void on_LightH_sliderMoved(int position);

private:
    void ShowRowsOf(int mode);
    void ModeClicked(bool checked, int mode);

    std::unique_ptr<Ui::SensorEffectB> ui;
    QString m_pictureFolder;
    QButtonGroup* m_group = nullptr;
};

#endif // SENSOR_EFFECT_B_H
