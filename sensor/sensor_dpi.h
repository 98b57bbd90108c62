// DPI stage editor of the sensor page: up to eight stage buttons showing
// their DPI, a colour swatch under each, a marker under the current stage
// that can be dragged to another stage, one slider with a read-only number
// and minus/plus buttons for the checked stage's DPI, and a combo box for the
// number of stages. Every edit goes straight to the mouse; the sensor page
// fills the editor through the host operations below.
#ifndef SENSOR_DPI_H
#define SENSOR_DPI_H

#include "dpi_stage_editor.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

class QAbstractButton;
class QButtonGroup;
class QColorDialog;
class QToolButton;

namespace Ui {
class SensorDPI;
}

class SensorDPI : public DpiStageEditor {
    Q_OBJECT

public:
    enum { StageCount = 8 };

    explicit SensorDPI(QWidget* parent = nullptr);
    ~SensorDPI() override;

    // --- host operations (the sensor page's fill, reset and stage report),
    // besides those of DpiStageEditor ---
    bool BlockSliderSignals(bool block); // returns the previous state
    void SetSliderEnabled(bool enabled);
    void SetSliderMaximum(int value);
    void SetSliderMinimum(int value);
    void SetSliderValue(int value);
    void SetSpinValue(int value);
    void SetStageText(int stage, const QString& text);
    // colour: "#rrggbb"; stored as "r,g,b" without restyling the swatch.
    void SetStageColor(int stage, const QString& colour);
    void HighlightSwatch(int stage);
    void CheckStageButton(int stage);
    void ShowStages(int lastStage) override;
    void MoveMarker(int position); // 1..8: the marker point of stage position - 1
    void LoadDefaultStages();
    void BlockStageAndValueSignals(bool block);
    void BlockStageAndCountSignals(bool block);
    void SetSpinVisible(bool visible);

    // Restyles a stage's swatch for its colour and checked state.
    void UpdateSwatchStyle(int stage);
    // Selects a stage as the marker drop does; false (with the offline
    // notice) when sending is enabled and the mouse does not answer.
    bool SelectStage(int stage);

    // State the host and the tests read back.
    QString StageColorText(int stage) const;
    QPoint MarkerPoint(int stage) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private slots:
    void on_BlueButton_toggled(bool checked);
    void on_BrightRedButton_toggled(bool checked);
    void on_RedButton_toggled(bool checked);
    void on_YellowButton_toggled(bool checked);
    void on_GreenButton_toggled(bool checked);
    void on_PurpleButton_toggled(bool checked);
    void on_LightBlueButton_toggled(bool checked);
    void on_LightYellowButton_toggled(bool checked);

    void on_BlueButton_clicked();
    void on_BrightRedButton_clicked();
    void on_RedButton_clicked();
    void on_YellowButton_clicked();
    void on_GreenButton_clicked();
    void on_PurpleButton_clicked();
    void on_LightBlueButton_clicked();
    void on_LightYellowButton_clicked();

    void on_BlueButtonA_toggled(bool checked);
    void on_BrightRedButtonA_toggled(bool checked);
    void on_RedButtonA_toggled(bool checked);
    void on_YellowButtonA_toggled(bool checked);
    void on_GreenButtonA_toggled(bool checked);
    void on_PurpleButtonA_toggled(bool checked);
    void on_LightBlueButtonA_toggled(bool checked);
    void on_LightYellowButtonA_toggled(bool checked);

    void on_BlueButtonA_clicked();
    void on_BrightRedButtonA_clicked();
    void on_RedButtonA_clicked();
    void on_YellowButtonA_clicked();
    void on_GreenButtonA_clicked();
    void on_PurpleButtonA_clicked();
    void on_LightBlueButtonA_clicked();
    void on_LightYellowButtonA_clicked();

    void SetColor(const QColor& color);
    void on_ChooseEvent_currentIndexChanged(int index);
    void on_horizontalSliderC_valueChanged(int value);
    void on_horizontalSliderC_sliderMoved(int position);
    void on_ReduceLevelA_clicked();
    void on_AddLevelA_clicked();

private:
    void StageButtonToggled(int stage, bool checked);
    void StageButtonClicked(int stage);
    void SwatchToggled(int stage, bool checked);
    void SwatchClicked(int stage);
    void StepValue(bool up);
    // Loads a stage's DPI into the slider without sending it back.
    void LoadStageValue(int stage);
    void SetStageButtonLook(int stage, bool checked);
    QString SwatchStyle(int stage, bool highlighted) const;
    void PlaceSwatchAtRest(int stage);
    void ReturnMarker();
    void ExchangeStagesOnScreen(int from, int to) override;

    QToolButton* StageButton(int stage) const;
    QToolButton* Swatch(int stage) const;

    Ui::SensorDPI* ui;
    QButtonGroup* stageButtonGroup;
    QButtonGroup* swatchGroup;
    QColorDialog* colorDialog;
    QStringList buttonColorList;
    QString buttonColor;
    QRect stageButtonRects[StageCount];
    QRect swatchRects[StageCount];
    QPoint markerPoints[StageCount];
    QRect dragArea;
    bool dragging;
    QPoint grabOffset;
    QString stageColors[StageCount];
    bool sliderArmed;
};

#endif // SENSOR_DPI_H
