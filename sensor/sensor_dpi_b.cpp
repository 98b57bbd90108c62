#include "sensor_dpi_b.h"
#include "ui_sensor_dpi_b.h"

#include "app_state.h"
#include "config_store.h"
#include "device_image_setters.h"
#include "dpi_code.h"
#include "paths.h"
#include "post_msg.h"
#include "sensor_dpi_rules.h"

#include <devicelib.h>

#include <QButtonGroup>
#include <QColorDialog>
#include <QListView>

namespace {

const char* const kDefaultStageColors[SensorDPIB::RowCount] = {
    "#ff0000", "#ffff00", "#ffaa00", "#00ff00", "#aaffff", "#aa55ff", "#9f0000", "#00d4d4"};

const char* const kFixedSwatchColors[SensorDPIB::RowCount] = {
    "#ff0000", "#00ffff", "#00ff00", "#ffffff", "#00ffff", "#ff557d", "#ff00ff", "#00ffff"};

bool ValidRow(int row)
{
    return row >= 0 && row < SensorDPIB::RowCount;
}

bool DeviceAnswers()
{
    const QByteArray path = g_devicePath.bytes();
    return UsbFinderC_GetDeviceOnLine(path.constData());
}

void RaiseOfflineNotice()
{
    emit PostMsg::GetInstance()->SigMouseOffLineo(0);
}

} // namespace

SensorDPIB::SensorDPIB(QWidget* parent)
    : QFrame(parent),
      ui(new Ui::SensorDPIB),
      colorDialog(nullptr),
      stageBoxGroup(nullptr),
      currentStage(1),
      stageCount(1),
      sliderArmed(false),
      previousStage(0),
      colorRow(0)
{
    ui->setupUi(this);
    imageDir = PictureFolder(QStringLiteral("Sensor"));

    const ConfigStore* config = ConfigStore::Instance();
    const QString labelColor = config->ColorText(QStringLiteral("LabelColor"));
    const QString comboTextColor = config->ColorText(QStringLiteral("ComboxTextColor"));
    const QString comboSelectColor = config->ColorText(QStringLiteral("ComboxSelectColor"));
    const QString comboBackColor = config->ColorText(QStringLiteral("ComboxBackGroundColor"));
    const QString sliderColor = config->ColorText(QStringLiteral("SliderColor"));
    const QString valueColor = config->ColorText(QStringLiteral("LinEditColorSecond"));

    for (int row = 0; row < RowCount; ++row)
        stageColors[row] = QString::fromLatin1(kDefaultStageColors[row]);

    stageBoxGroup = new QButtonGroup(this);
    stageBoxGroup->setExclusive(true);
    colorDialog = new QColorDialog(this);
    colorDialog->hide();
    connect(colorDialog, &QColorDialog::colorSelected, this, &SensorDPIB::SetColor);

    ui->label->setStyleSheet(QStringLiteral("QLabel{color: rgb(") + labelColor + QStringLiteral(";);}"));
    ui->ChooseEvent->setStyleSheet(
        QStringLiteral("QComboBox{border: 1px solid gray; color: rgb(") + comboTextColor
        + QStringLiteral("); border-image: url(") + imageDir
        + QStringLiteral("ComboboxBack.png);}QComboBox::drop-down:button{border-radius:5px; background:rgb(") + comboBackColor
        + QStringLiteral(");} QComboBox::down-arrow{image: url(") + imageDir
        + QStringLiteral("Menu.png); right: 8px; }QComboBox::down-arrow:on{ image: url(") + imageDir
        + QStringLiteral("MenuClicked.png);}QComboBox QAbstractItemView::item{height:25px;}QComboBox QAbstractItemView {outline: 0px solid gray; border: 1px  solid gray;color: rgb(")
        + comboTextColor + QStringLiteral("); border-image: url(") + imageDir
        + QStringLiteral("ComboboxTextBack.png);selection-background-color: rgb(") + comboSelectColor + QStringLiteral("); }"));
    auto* listView = new QListView;
    listView->setStyleSheet(QStringLiteral("QListView::item:selected{background-color: rgb(") + comboSelectColor
                            + QStringLiteral(");}QListView::item:hover{background-color: rgb(") + comboSelectColor
                            + QStringLiteral(");}"));
    ui->ChooseEvent->setView(listView);
    ui->ChooseEvent->setMaxVisibleItems(5);

    const QString sliderStyle =
        QStringLiteral("QSlider:groove:horizontal{height:2px;left: 0px;right: 0px;border:0px;border-radius:0px;background:rgba(0,0,0,50);}QSlider:handle:horizontal{ width:  5px;height: 50px;  margin-top: -20px;margin-left: 0px; margin-bottom: -20px;margin-right: 0px; border-image: url(")
        + imageDir + QStringLiteral("HuaKuai.png);} QSlider:sub-page:horizontal{background-color: rgb(") + sliderColor
        + QStringLiteral(";);}QSlider:add-page:horizontal{background-color: rgb(255, 255, 255);}");
    const QString valueStyle = QStringLiteral("QSpinBox{background-color: transparent;color: rgb(") + valueColor
                               + QStringLiteral(";);border: 1px  solid gray;}QSpinBox:hover{background-color: transparent;color: rgb(")
                               + valueColor + QStringLiteral(";);border: 1px  solid gray;}");
    const QString boxStyle = QStringLiteral("QCheckBox{color: rgb(") + labelColor
                             + QStringLiteral(";);}QCheckBox:indicator::checked {image: url(") + imageDir
                             + QStringLiteral("LODCheck.png);}QCheckBox::indicator::unchecked {image: url(") + imageDir
                             + QStringLiteral("LOD.png);}");
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

bool SensorDPIB::BlockStageCountSignals(bool block)
{
    return ui->ChooseEvent->blockSignals(block);
}

void SensorDPIB::ClearStageCountItems()
{
    ui->ChooseEvent->blockSignals(true);
    ui->ChooseEvent->clear();
    ui->ChooseEvent->blockSignals(false);
}

void SensorDPIB::InsertStageCountItem(int index, const QString& text)
{
    ui->ChooseEvent->insertItem(index, QIcon(), text, QVariant());
}

void SensorDPIB::SetStageCountIndex(int index)
{
    ui->ChooseEvent->setCurrentIndex(index);
}

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

void SensorDPIB::SetCurrentStage(int stage)
{
    currentStage = stage;
}

void SensorDPIB::SetStageCount(int count)
{
    stageCount = count;
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
    if (g_sendEnabled && !g_sensorPageUpdating && !DeviceAnswers()) {
        RaiseOfflineNotice();
        return false;
    }
    // Checking a stage box loads no slider, so there is no value change to
    // absorb here: the user's next slider change is sent.
    CheckStageBox(row);
    return true;
}

void SensorDPIB::SetTitleText(const QString& text)
{
    ui->label->setText(text);
}

// --- colour ------------------------------------------------------------------

void SensorDPIB::SwatchClicked(int row)
{
    colorRow = row;
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
    if (g_sendEnabled && !g_sensorPageUpdating && !DeviceAnswers()) {
        ValueBox(row)->setValue(value);
        RaiseOfflineNotice();
        return;
    }
    const SnappedDpi snapped = SnapDpi(value, DpiSegmentsOf(g_dpiRangeModel));
    if (snapped.pageStep > 0)
        Slider(row)->setPageStep(snapped.pageStep);
    ValueBox(row)->setValue(snapped.value);

    if (!sliderArmed) {
        sliderArmed = true;
        return;
    }
    // Values put on screen by a fill or an import are not sent back.
    if (!g_applyingParameters && !g_sensorPageUpdating)
        WriteDpiStage(row, snapped.value);
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
    const StageCountChange change = PlanStageCountChange(currentStage, index);
    // An emptied combo reports -1: no stage count to show or send.
    if (!change.apply)
        return;

    if (!g_sensorPageUpdating) {
        previousStage = currentStage;
        if (change.exchange) {
            const int o = change.from;
            const int n = change.to;
            BlockSliderSignals(true);
            const QString colourO = stageColors[o];
            const QString colourN = stageColors[n];
            const int valueO = ValueBox(o)->value();
            const int valueN = ValueBox(n)->value();
            stageColors[o] = colourN;
            UpdateSwatchStyle(o);
            stageColors[n] = colourO;
            UpdateSwatchStyle(n);
            Slider(o)->setValue(valueN);
            ValueBox(o)->setValue(valueN);
            Slider(n)->setValue(valueO);
            ValueBox(n)->setValue(valueO);
            CheckStageBox(n);
            stageCount = n + 1;
            currentStage = n;
            if (g_sendEnabled) {
                const FlashDataMap image = DeviceImageCopy();
                SetDpiStagePair(image.dpiStages[n], image.dpiStages[o], n, o, n);
            }
            BlockSliderSignals(false);
        }
        ShowStages(index);
    }

    if (g_sendEnabled && !g_sensorPageUpdating) {
        if (DeviceAnswers())
            EditAndSendDeviceImage([index](FlashDataMap& image) { image.dpiStageCount = uint8_t(index + 1); });
        else
            RaiseOfflineNotice();
    }
}
