// A second DPI stage editor that lays the eight stages out as rows: a stage
// check box, a colour swatch, a slider and a read-only number per stage,
// under a stage-count combo box. It edits the same fields of the device image
// as SensorDPI through the same setters; no window places it.
#ifndef SENSOR_DPI_B_H
#define SENSOR_DPI_B_H

#include "dpi_stage_editor.h"

#include <QString>

class QButtonGroup;
class QCheckBox;
class QColorDialog;
class QSpinBox;
class QToolButton;
class MySlider;

namespace Ui {
class SensorDPIB;
}

class SensorDPIB : public DpiStageEditor {
    Q_OBJECT

public:
    enum { RowCount = 8 };

    explicit SensorDPIB(QWidget* parent = nullptr);
    ~SensorDPIB() override;

    // --- host operations besides those of DpiStageEditor; a row outside
    // 0..7 does nothing ---
    void BlockSliderSignals(bool block);
    void SetSliderEnabled(bool enabled);
    void SetSliderMinimum(int value);
    void SetSliderMaximum(int value);
    void SetSliderValue(int value, int row);
    void SetSpinValue(int value, int row);
    void SetStageText(int row, const QString& text);
    void SetStageColor(int row, const QString& colour); // "#rrggbb", kept as given
    void UpdateSwatchStyle(int row);
    void UpdateAllSwatchStyles();
    void ApplyFixedSwatchColors();
    void CheckStageBox(int row);
    void ShowStages(int lastRow) override;
    // False (with the offline notice) when sending is enabled and the mouse
    // does not answer.
    bool SelectStage(int row);

    QString StageColorText(int row) const;

private slots:
    void on_BlueButtonA_clicked();
    void on_BrightRedButtonA_clicked();
    void on_RedButtonA_clicked();
    void on_YellowButtonA_clicked();
    void on_GreenButtonA_clicked();
    void on_PurpleButtonA_clicked();
    void on_LightBlueButtonA_clicked();
    void on_LightYellowButtonA_clicked();

    void SetColor(const QColor& color);

    void on_MA_toggled(bool checked);
    void on_MB_toggled(bool checked);
    void on_MC_toggled(bool checked);
    void on_MD_toggled(bool checked);
    void on_ME_toggled(bool checked);
    void on_MF_toggled(bool checked);
    void on_MG_toggled(bool checked);
    void on_MH_toggled(bool checked);

    void on_horizontalSliderA_valueChanged(int value);
    void on_horizontalSliderB_valueChanged(int value);
    void on_horizontalSliderC_valueChanged(int value);
    void on_horizontalSliderD_valueChanged(int value);
    void on_horizontalSliderE_valueChanged(int value);
    void on_horizontalSliderF_valueChanged(int value);
    void on_horizontalSliderG_valueChanged(int value);
    void on_horizontalSliderH_valueChanged(int value);

    void on_ChooseEvent_currentIndexChanged(int index);

private:
    void SwatchClicked(int row);
    void StageBoxToggled(int row, bool checked);
    void SliderValueChanged(int row, int value);
    void SetSwatchColorStyle(int row, const QString& colour);
    void ExchangeStagesOnScreen(int from, int to) override;

    QCheckBox* StageBox(int row) const;
    QToolButton* Swatch(int row) const;
    MySlider* Slider(int row) const;
    QSpinBox* ValueBox(int row) const;

    Ui::SensorDPIB* ui;
    QColorDialog* colorDialog;
    QButtonGroup* stageBoxGroup;
    QString stageColors[RowCount];
    bool sliderArmed;
    int colorRow;
};

#endif // SENSOR_DPI_B_H
