#include "sensor_dpi_b.h"
#include "ui_sensor_dpi_b.h"

#include "app_state.h"
#include "device_image_setters.h"
#include "dpi_code.h"
#include "frame_style.h"

#include <QButtonGroup>
#include <QColorDialog>

namespace {

const char* const kDefaultStageColors[SensorDPIB::RowCount] = {
    "#ff0000", "#ffff00", "#ffaa00", "#00ff00", "#aaffff", "#aa55ff", "#9f0000", "#00d4d4"};

const char* const kFixedSwatchColors[SensorDPIB::RowCount] = {
    "#ff0000", "#00ffff", "#00ff00", "#ffffff", "#00ffff", "#ff557d", "#ff00ff", "#00ffff"};

bool ValidRow(int row)
{
    return row >= 0 && row < SensorDPIB::RowCount;
}

} // namespace

SensorDPIB::SensorDPIB(QWidget* parent)
    : DpiStageEditor(parent),
      ui(new Ui::SensorDPIB),
      colorDialog(nullptr),
      stageBoxGroup(nullptr),
      sliderArmed(false),
      colorRow(0)
{
    ui->setupUi(this);
    AttachCommonParts(ui->label, ui->ChooseEvent);

    for (int row = 0; row < RowCount; ++row)
        stageColors[row] = QString::fromLatin1(kDefaultStageColors[row]);

    stageBoxGroup = new QButtonGroup(this);
    stageBoxGroup->setExclusive(true);
    colorDialog = new QColorDialog(this);
    colorDialog->hide();
    connect(colorDialog, &QColorDialog::colorSelected, this, &SensorDPIB::SetColor);

    const QString sliderStyle = FrameStyle::SliderStyle(imageDir, FrameStyle::SliderLook::Bar);
    const QString valueStyle = FrameStyle::NumberStyle();
    const QString boxStyle = FrameStyle::CheckBoxStyle(imageDir);
    for (int row = 0; row < RowCount; ++row) {
        Slider(row)->setStyleSheet(sliderStyle);
        ValueBox(row)->setStyleSheet(valueStyle);
        Swatch(row)->setStyleSheet(QLatin1Char('#') + Swatch(row)->objectName()
                                   + QStringLiteral("{border:0px;border-radius:3px;background-position:center;background-repeat:no-repeat;background-color: rgb(255, 0, 0);}"));
        StageBox(row)->setStyleSheet(boxStyle);
    }

    for (int row = 0; row < RowCount; ++row)
        stageBoxGroup->addButton(StageBox(row));
}

SensorDPIB::~SensorDPIB()
{
    delete ui;
}

QCheckBox* SensorDPIB::StageBox(int row) const
{
    QCheckBox* const boxes[RowCount] = {ui->MA, ui->MB, ui->MC, ui->MD, ui->ME, ui->MF, ui->MG, ui->MH};
    return boxes[row];
}

QToolButton* SensorDPIB::Swatch(int row) const
{
    QToolButton* const swatches[RowCount] = {ui->BlueButtonA,   ui->BrightRedButtonA, ui->RedButtonA,
                                             ui->YellowButtonA, ui->GreenButtonA,     ui->PurpleButtonA,
                                             ui->LightBlueButtonA, ui->LightYellowButtonA};
    return swatches[row];
}

MySlider* SensorDPIB::Slider(int row) const
{
    MySlider* const sliders[RowCount] = {ui->horizontalSliderA, ui->horizontalSliderB, ui->horizontalSliderC,
                                         ui->horizontalSliderD, ui->horizontalSliderE, ui->horizontalSliderF,
                                         ui->horizontalSliderG, ui->horizontalSliderH};
    return sliders[row];
}

QSpinBox* SensorDPIB::ValueBox(int row) const
{
    QSpinBox* const boxes[RowCount] = {ui->spinBoxA, ui->spinBoxB, ui->spinBoxC, ui->spinBoxD,
                                       ui->spinBoxE, ui->spinBoxF, ui->spinBoxG, ui->spinBoxH};
    return boxes[row];
}

QString SensorDPIB::StageColorText(int row) const
{
    return ValidRow(row) ? stageColors[row] : QString();
}

// --- host operations ---------------------------------------------------------

void SensorDPIB::BlockSliderSignals(bool block)
{
    for (int row = 0; row < RowCount; ++row)
        Slider(row)->blockSignals(block);
}

void SensorDPIB::SetSliderEnabled(bool enabled)
{
    for (int row = 0; row < RowCount; ++row)
        Slider(row)->setEnabled(enabled);
}

void SensorDPIB::SetSliderMinimum(int value)
{
    for (int row = 0; row < RowCount; ++row)
        Slider(row)->setMinimum(value);
}

void SensorDPIB::SetSliderMaximum(int value)
{
    for (int row = 0; row < RowCount; ++row)
        Slider(row)->setMaximum(value);
}

void SensorDPIB::SetSliderValue(int value, int row)
{
    if (ValidRow(row))
        Slider(row)->setValue(value);
}

void SensorDPIB::SetSpinValue(int value, int row)
{
    if (ValidRow(row))
        ValueBox(row)->setValue(value);
}

void SensorDPIB::SetStageText(int row, const QString& text)
{
    if (!ValidRow(row))
        return;
    const int value = text.toInt();
    Slider(row)->setValue(value);
    ValueBox(row)->setValue(value);
}

void SensorDPIB::SetStageColor(int row, const QString& colour)
{
    if (ValidRow(row))
        stageColors[row] = colour;
}

void SensorDPIB::SetSwatchColorStyle(int row, const QString& colour)
{
    Swatch(row)->setStyleSheet(
        QStringLiteral("QToolButton{border:0px;border-radius:3px;background-position:center;background-repeat:no-repeat;background-color:")
        + colour + QStringLiteral(";}"));
}

void SensorDPIB::UpdateSwatchStyle(int row)
{
    if (ValidRow(row))
        SetSwatchColorStyle(row, stageColors[row]);
}

void SensorDPIB::UpdateAllSwatchStyles()
{
    for (int row = 0; row < RowCount; ++row)
        UpdateSwatchStyle(row);
}

void SensorDPIB::ApplyFixedSwatchColors()
{
    for (int row = 0; row < RowCount; ++row)
        SetSwatchColorStyle(row, QString::fromLatin1(kFixedSwatchColors[row]));
}

void SensorDPIB::CheckStageBox(int row)
{
    if (ValidRow(row))
        StageBox(row)->setChecked(true);
}

void SensorDPIB::ShowStages(int lastRow)
{
    if (!ValidRow(lastRow))
        return;
    for (int row = 0; row < RowCount; ++row) {
        const bool shown = row <= lastRow;
        StageBox(row)->setVisible(shown);
        Swatch(row)->setVisible(shown);
        Slider(row)->setVisible(shown);
        ValueBox(row)->setVisible(shown);
    }
}

bool SensorDPIB::SelectStage(int row)
{
    if (!MaySelectStage())
        return false;
    // Checking a stage box loads no slider, so there is no value change to
    // absorb here: the user's next slider change is sent.
    CheckStageBox(row);
    return true;
}

// --- colour ------------------------------------------------------------------

void SensorDPIB::SwatchClicked(int row)
{
    colorRow = row;
    colorDialog->setCurrentColor(QColor(stageColors[row]));
    colorDialog->show();
}

void SensorDPIB::SetColor(const QColor& color)
{
    if (!ValidRow(colorRow))
        return;
    stageColors[colorRow] = QStringLiteral("#%1%2%3")
                                .arg(color.red(), 2, 16, QLatin1Char('0'))
                                .arg(color.green(), 2, 16, QLatin1Char('0'))
                                .arg(color.blue(), 2, 16, QLatin1Char('0'));
    if (g_sendEnabled && !g_sensorPageUpdating)
        SetDpiStageColor(colorRow, color.red(), color.green(), color.blue());
    UpdateSwatchStyle(colorRow);
}

void SensorDPIB::on_BlueButtonA_clicked() { SwatchClicked(0); }
void SensorDPIB::on_BrightRedButtonA_clicked() { SwatchClicked(1); }
void SensorDPIB::on_RedButtonA_clicked() { SwatchClicked(2); }
void SensorDPIB::on_YellowButtonA_clicked() { SwatchClicked(3); }
void SensorDPIB::on_GreenButtonA_clicked() { SwatchClicked(4); }
void SensorDPIB::on_PurpleButtonA_clicked() { SwatchClicked(5); }
void SensorDPIB::on_LightBlueButtonA_clicked() { SwatchClicked(6); }
void SensorDPIB::on_LightYellowButtonA_clicked() { SwatchClicked(7); }

// --- stage choice ------------------------------------------------------------

void SensorDPIB::StageBoxToggled(int row, bool checked)
{
    if (checked && g_sendEnabled && !g_sensorPageUpdating) {
        currentStage = row;
        SetCurrentDpiStage(row);
    }
}

void SensorDPIB::on_MA_toggled(bool checked) { StageBoxToggled(0, checked); }
void SensorDPIB::on_MB_toggled(bool checked) { StageBoxToggled(1, checked); }
void SensorDPIB::on_MC_toggled(bool checked) { StageBoxToggled(2, checked); }
void SensorDPIB::on_MD_toggled(bool checked) { StageBoxToggled(3, checked); }
void SensorDPIB::on_ME_toggled(bool checked) { StageBoxToggled(4, checked); }
void SensorDPIB::on_MF_toggled(bool checked) { StageBoxToggled(5, checked); }
void SensorDPIB::on_MG_toggled(bool checked) { StageBoxToggled(6, checked); }
void SensorDPIB::on_MH_toggled(bool checked) { StageBoxToggled(7, checked); }

// --- DPI values --------------------------------------------------------------

void SensorDPIB::SliderValueChanged(int row, int value)
{
    if (g_sendEnabled && !g_sensorPageUpdating && !CheckDeviceOnline()) {
        ValueBox(row)->setValue(value);
        return;
    }
    const int snapped = SnapSliderValue(Slider(row), value);
    ValueBox(row)->setValue(snapped);

    if (!sliderArmed) {
        sliderArmed = true;
        return;
    }
    // Values put on screen by a fill or an import are not sent back.
    if (!g_applyingParameters && !g_sensorPageUpdating)
        WriteDpiStage(row, snapped);
}

void SensorDPIB::on_horizontalSliderA_valueChanged(int value) { SliderValueChanged(0, value); }
void SensorDPIB::on_horizontalSliderB_valueChanged(int value) { SliderValueChanged(1, value); }
void SensorDPIB::on_horizontalSliderC_valueChanged(int value) { SliderValueChanged(2, value); }
void SensorDPIB::on_horizontalSliderD_valueChanged(int value) { SliderValueChanged(3, value); }
void SensorDPIB::on_horizontalSliderE_valueChanged(int value) { SliderValueChanged(4, value); }
void SensorDPIB::on_horizontalSliderF_valueChanged(int value) { SliderValueChanged(5, value); }
void SensorDPIB::on_horizontalSliderG_valueChanged(int value) { SliderValueChanged(6, value); }
void SensorDPIB::on_horizontalSliderH_valueChanged(int value) { SliderValueChanged(7, value); }

// --- stage count -------------------------------------------------------------

void SensorDPIB::on_ChooseEvent_currentIndexChanged(int index)
{
    StageCountChosen(index);
}

void SensorDPIB::ExchangeStagesOnScreen(int from, int to)
{
    // The swapped values are no user change: nothing of them is sent.
    BlockSliderSignals(true);
    const QString colourFrom = stageColors[from];
    const QString colourTo = stageColors[to];
    const int valueFrom = ValueBox(from)->value();
    const int valueTo = ValueBox(to)->value();
    stageColors[from] = colourTo;
    UpdateSwatchStyle(from);
    stageColors[to] = colourFrom;
    UpdateSwatchStyle(to);
    Slider(from)->setValue(valueTo);
    ValueBox(from)->setValue(valueTo);
    Slider(to)->setValue(valueFrom);
    ValueBox(to)->setValue(valueFrom);
    CheckStageBox(to);
    BlockSliderSignals(false);
}
