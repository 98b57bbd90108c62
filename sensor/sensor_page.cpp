#include "sensor_page.h"
#include "ui_sensor_page.h"

#include "app_state.h"
#include "config_store.h"
#include "device_image_setters.h"
#include "dpi_code.h"
#include "frame_style.h"
#include "label_file.h"
#include "paths.h"
#include "post_msg.h"
#include "setting_ranges.h"
#include "user_setting_store.h"

#include <QDir>
#include <QEvent>

namespace {

const int kCordedRow = SettingRanges::CordedItem;

// The DPI light area moves up into the sensor section's place when the
// compact layout hides that section.
const QPoint kEffectPlace(80, 456);
const QPoint kEffectTitlePlace(40, 463);
const QPoint kCompactEffectPlace(80, 316);
const QPoint kCompactEffectTitlePlace(40, 323);
const int kCompactLayout = 2;

// "#rrggbb" of a stage's colour bytes.
QString StageColour(const DPIStage& stage)
{
    return QStringLiteral("#%1%2%3")
        .arg(stage.red, 2, 16, QLatin1Char('0'))
        .arg(stage.green, 2, 16, QLatin1Char('0'))
        .arg(stage.blue, 2, 16, QLatin1Char('0'));
}

} // namespace

Sensor::Sensor(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::Sensor())
{
    ui->setupUi(this);
    m_pictureFolder = PictureFolder(QStringLiteral("Sensor"));
    m_sensorPageFolder = UserDataFolder() + QStringLiteral("/usersetting/SensorPage");

    PostMsg* hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));
    connect(hub, SIGNAL(SigHideModel(int)), this, SLOT(SlotHideModel(int)));

    QDir().mkpath(m_sensorPageFolder);
    ReadLevelFile();
    ApplyStyles();

    m_madeLook.modeEnabled = ui->ModelChoose->isEnabled();
    m_madeLook.modeIndex = ui->ModelChoose->currentIndex();
    const QModelIndex corded = ui->ModelChoose->model()->index(kCordedRow, 0);
    m_madeLook.cordedOffered = ui->ModelChoose->model()->flags(corded) & Qt::ItemIsEnabled;
    const QList<QWidget*> layoutParts{ui->TitleButton_4, ui->label_5,     ui->label_11,        ui->ModelChoose,
                                      ui->frameLOD,      ui->Performance, ui->PerformanceOpen, ui->frame,
                                      ui->frame_4,       ui->frame_3};
    for (QWidget* widget : layoutParts)
        m_madeLook.shown.append({widget, !widget->isHidden()});
    m_madeLook.effectPlace = ui->frameEffect->pos();
    m_madeLook.effectTitlePlace = ui->TitleButton_3->pos();

    // The definitions serve the DPI code program-wide; the page is made once.
    if (m_features.Read(AppFolder() + QStringLiteral("/driver_sensor.h"))) {
        g_sensorDefineNames += m_features.defineNames;
        g_sensorDefineValues += m_features.defineValues;
    }

    SlotChangeLanguage(UserSettingStore::Instance()->LanguageIndex());

    // The report and worker threads wait until the page has applied the data.
    connect(hub, SIGNAL(SigUpDataLightSensor(FlashDataMap)), this, SLOT(SlotUpDataSenSorUISensor(FlashDataMap)),
            Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigFormReset()), this, SLOT(SlotFormReset()), Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigUpDataReportRate(int)), this, SLOT(SlotUpDataReportRate(int)), Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigUpDataDPI(int)), this, SLOT(SlotUpDataDPI(int)), Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigUpDataDPILed(FlashDataMap)), this, SLOT(SlotUpDataDPILed(FlashDataMap)),
            Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigUpDataSensorUIB(FlashDataMap)), this, SLOT(SlotUpDataSenSorUIB(FlashDataMap)));
}

Sensor::~Sensor() = default;

void Sensor::ReadLevelFile()
{
    ui->frameDpi->SetStageCount(::ReadLevelFile(m_sensorPageFolder + QStringLiteral("/Level.ini")));
}

void Sensor::ApplyStyles()
{
    const QString comboStyle = FrameStyle::ComboStyle(m_pictureFolder, true);
    ui->ModelChoose->setStyleSheet(comboStyle);
    ui->PerformanceOpen->setStyleSheet(comboStyle);
    FrameStyle::InstallListView(ui->ModelChoose);
    FrameStyle::InstallListView(ui->PerformanceOpen);
    ui->PerformanceOpen->setMaxVisibleItems(5);

    const QString caption = FrameStyle::CaptionStyle();
    ui->label_5->setStyleSheet(caption);
    ui->label_11->setStyleSheet(caption);
    const QString label = FrameStyle::Colour(QStringLiteral("LabelColor"));
    ui->Performance->setStyleSheet(QStringLiteral("QCheckBox{color: rgb(") + label
                                   + QStringLiteral(";);}QCheckBox::indicator:checked {image: url(") + m_pictureFolder
                                   + QStringLiteral("CheckBoxChecked.png")
                                   + QStringLiteral(");}QCheckBox::indicator:unchecked {image: url(") + m_pictureFolder
                                   + QStringLiteral("CheckBox.png") + QStringLiteral(");}"));

    // The panels keep their frame shape for the style, but on the dark page
    // their outlines would box in every section.
    setStyleSheet(QStringLiteral("#SenSorPage, #frameDpi, #frameRate, #frameLOD, #frame, #frame_4, #frame_3, "
                                 "#frameEffect{border: none;}"));

    for (QWidget* mark : {static_cast<QWidget*>(ui->TitleButton), static_cast<QWidget*>(ui->TitleButton_2),
                          static_cast<QWidget*>(ui->TitleButton_3), static_cast<QWidget*>(ui->TitleButton_4)}) {
        mark->setStyleSheet(QLatin1Char('#') + mark->objectName() + QStringLiteral("{border-image: url(") + m_pictureFolder
                            + QStringLiteral("Title.png") + QStringLiteral(");}"));
    }
}

// --- language ------------------------------------------------------------------

void Sensor::SlotChangeLanguage(int index)
{
    // Only Russian writes the unit differently; the languages without a file
    // of their own get the English one.
    if (index == 1)
        ui->frameLOD->SetUnitText(QStringLiteral("мм"));
    else if (index != 2 && index != 3 && index != 5)
        ui->frameLOD->SetUnitText(QStringLiteral("mm"));

    Ui::Sensor* form = ui.get();
    auto performanceItem = [form](int item) {
        return [form, item](const QString& text) { form->PerformanceOpen->setItemText(item, text); };
    };
    auto effectMode = [form](int item) {
        return [form, item](const QString& text) { form->frameEffect->SetModeText(item, text); };
    };
    LabelFile::Load(LabelFile::PathFor(index), QStringLiteral("Sensor"), {
        {QStringLiteral("label_2"), [form](const QString& t) { form->frameDpi->SetTitleText(t); }},
        {QStringLiteral("label_3"), [form](const QString& t) { form->frameRate->SetTitleText(t); }},
        {QStringLiteral("label_5"), [form](const QString& t) { form->label_5->setText(t); }},
        {QStringLiteral("label_11"), [form](const QString& t) { form->label_11->setText(t); }},
        {QStringLiteral("ModeSelectDes"), [form](const QString& t) { form->label_11->setToolTip(t); }},
        {QStringLiteral("label_12"), [form](const QString& t) { form->frameLOD->SetLabelText(t); }},
        {QStringLiteral("LODDes"), [form](const QString& t) { form->frameLOD->SetLabelToolTip(t); }},
        {QStringLiteral("label_7"), [form](const QString& t) { form->frame_3->SetLabelText(t); }},
        {QStringLiteral("MotionSyncDes"), [form](const QString& t) { form->frame_3->SetLabelToolTip(t); }},
        {QStringLiteral("Performance"), [form](const QString& t) { form->Performance->setText(t); }},
        {QStringLiteral("FullPerformanceDes"), [form](const QString& t) { form->Performance->setToolTip(t); }},
        {QStringLiteral("PerformanceOpen"), performanceItem(0)},
        {QStringLiteral("PerformanceOpen1"), performanceItem(1)},
        {QStringLiteral("PerformanceOpen2"), performanceItem(2)},
        {QStringLiteral("PerformanceOpen3"), performanceItem(3)},
        {QStringLiteral("PerformanceOpen4"), performanceItem(4)},
        {QStringLiteral("PerformanceOpen5"), performanceItem(5)},
        {QStringLiteral("Model"), effectMode(0)},
        {QStringLiteral("Model1"), effectMode(1)},
        {QStringLiteral("Model2"), effectMode(2)},
        {QStringLiteral("label"), [form](const QString& t) { form->frame->SetLabelText(t); }},
        {QStringLiteral("RippleDes"), [form](const QString& t) { form->frame->SetLabelToolTip(t); }},
        {QStringLiteral("label_6"), [form](const QString& t) { form->frame_4->SetLabelText(t); }},
        {QStringLiteral("FixLineDes"), [form](const QString& t) { form->frame_4->SetLabelToolTip(t); }},
        {QStringLiteral("label_4"), [form](const QString& t) { form->frameEffect->SetTitleText(t); }},
        {QStringLiteral("label_14"), [form](const QString& t) { form->frameEffect->SetSpeedText(t); }},
        {QStringLiteral("label_15"), [form](const QString& t) { form->frameEffect->SetBrightnessText(t); }},
    });
}

void Sensor::changeEvent(QEvent*)
{
    // Called for every change of the page; the form may not be built yet.
    if (ui->Performance && ui->PerformanceOpen)
        ui->PerformanceOpen->setEnabled(ui->Performance->isChecked());
}

// --- filling from the device ----------------------------------------------------

void Sensor::SlotUpDataSenSorUISensor(FlashDataMap DataMap)
{
    FillPage(DataMap, true);
}

void Sensor::SlotUpDataSenSorUIB(FlashDataMap DataMap)
{
    FillPage(DataMap, false);
}

void Sensor::FillPage(const FlashDataMap& image, bool handshake)
{
    SensorDPI* dpi = ui->frameDpi;
    dpi->ClearStageCountItems();
    dpi->BlockSliderSignals(true);
    dpi->SetSliderEnabled(true);
    ui->frameEffect->SetSlidersEnabled(true);

    if (handshake)
        g_sensorPageApplied = false;
    g_sensorPageUpdating = true;

    dpi->SetStageCount(image.dpiStageCount);
    dpi->SetCurrentStage(image.currentDpiStage);

    const DeviceAllInfo device = CurrentDeviceCopy();
    m_shownDevicePath = device.path;
    const int rateLevel = SensorPageRules::FillRateLevel(image.reportRate, device.wired);
    if (rateLevel >= 0)
        ui->frameRate->SetLevel(rateLevel);

    const ConfigStore* config = ConfigStore::Instance();
    const QString group = ConfigStore::ModelGroup(device.modelIndex);
    g_sensorModel = config->Value(group, QStringLiteral("Sensor"));
    if (SettingRanges::OffersSmallLiftOff(g_sensorModel))
        ui->frameLOD->AddSmallLevel();
    else
        ui->frameLOD->RemoveSmallLevel();

    const bool modeListed = IsSensorListed(m_features.sensorModeSelect, g_sensorModel);
    ApplySensorMode(SensorPageRules::SensorModeOnFill(modeListed, device.wired, device.connectionType, image.reportRate),
                    image.sensorMode);

    ui->frameLOD->SetLevel(image.liftOffDistance - 1);

    const bool performance = image.performanceMode != 0;
    ui->Performance->setChecked(performance);
    ui->PerformanceOpen->setEnabled(performance);
    const int performanceIndex = SensorPageRules::PerformanceIndexOfTime(image.performanceTime);
    if (performanceIndex >= 0)
        ui->PerformanceOpen->setCurrentIndex(performanceIndex);

    ui->frame->SetChecked(image.rippleControl != 0);
    ui->frame_4->SetChecked(image.straightLine != 0);
    ui->frame_3->SetChecked(image.motionSync != 0);

    ApplyDpiLight(image);

    // The image has eight stage records: a larger grade in the catalogue
    // must not read past them.
    const int stages = SettingRanges::StageLimit(config->IntValue(group, QStringLiteral("DPIMaxGrade")));
    dpi->BlockStageCountSignals(true);
    for (int j = 0; j < stages; ++j) {
        dpi->SetStageColor(j, StageColour(image.dpiStages[j]));
        dpi->InsertStageCountItem(j, QString::number(j + 1));
    }
    dpi->BlockStageCountSignals(false);
    dpi->HighlightSwatch(image.currentDpiStage);

    const int xIn1 = config->IntValue(group, QStringLiteral("XIn1"));
    LoadDpiRange(config->ValueList(group, QStringLiteral("DPIRange")));

    for (int j = 0; j < stages; ++j) {
        const int value = ReadDpiStage(image.dpiStages[j]);
        dpi->SetStageText(j, QString::number(value));
        if (j == image.currentDpiStage) {
            dpi->SetSliderValue(value);
            dpi->SetSpinValue(value);
        }
    }
    dpi->ShowStages(image.dpiStageCount - 1);
    dpi->SetStageCountIndex(image.dpiStageCount - 1);
    dpi->MoveMarker(image.currentDpiStage + 1);
    dpi->CheckStageButton(image.currentDpiStage);

    const int rateSet = SensorPageRules::RateSetOfConnection(device.connectionType);
    if (rateSet >= 0)
        ui->frameRate->SetVisibleLevels(rateSet);
    ui->frameLOD->SetLevelEnabled(IsSensorListed(m_features.liftOffCalibration, g_sensorModel));
    ApplyLayout(xIn1);

    dpi->BlockSliderSignals(false);
    g_sensorPageUpdating = false;
    if (handshake)
        g_sensorPageApplied = true;
}

void Sensor::ApplyDpiLight(const FlashDataMap& image)
{
    const int mode = image.dpiLed[0];
    const int brightness = image.dpiLed[1];
    const int speed = image.dpiLed[2];
    const bool enabled = image.dpiLed[3] != 0;
    if (!enabled)
        ui->frameEffect->SetMode(0);
    else if (SettingRanges::Holds(SettingRanges::kDpiLedModes, mode))
        ui->frameEffect->SetMode(mode);
    ui->frameEffect->SetSpeed(speed);
    ui->frameEffect->SetBrightnessLevel(SensorEffect::BrightnessLevel(brightness));
}

void Sensor::ApplySensorMode(SensorPageRules::SensorMode mode, int storedMode)
{
    using SensorPageRules::SensorMode;
    switch (mode) {
    case SensorMode::Keep:
        break;
    case SensorMode::Corded:
        ui->ModelChoose->setCurrentIndex(kCordedRow);
        ui->ModelChoose->setEnabled(false);
        break;
    case SensorMode::RevealCorded:
        ui->ModelChoose->SetRowHidden(kCordedRow, false);
        ui->ModelChoose->setCurrentIndex(kCordedRow);
        ui->ModelChoose->setEnabled(false);
        break;
    case SensorMode::Stored:
        ui->ModelChoose->setEnabled(true);
        ui->ModelChoose->setCurrentIndex(storedMode);
        ui->ModelChoose->SetRowHidden(kCordedRow, true);
        break;
    case SensorMode::LowPower:
        ui->ModelChoose->setCurrentIndex(0);
        ui->ModelChoose->setEnabled(false);
        break;
    }
}

void Sensor::LoadDpiRange(const QStringList& list)
{
    LoadDpiRangeModel(list);
    DpiRangeBounds(g_dpiRangeModel, &m_dpiMinimumText, &m_dpiMaximumText);
    // A model that never had a range leaves the slider's range alone.
    bool maximumOk = false;
    bool minimumOk = false;
    const int maximum = m_dpiMaximumText.toInt(&maximumOk);
    const int minimum = m_dpiMinimumText.toInt(&minimumOk);
    if (maximumOk)
        ui->frameDpi->SetSliderMaximum(maximum);
    if (minimumOk)
        ui->frameDpi->SetSliderMinimum(minimum);
}

void Sensor::ApplyLayout(int xIn1)
{
    QWidget* const sensorSection[] = {ui->TitleButton_4, ui->label_5, ui->label_11,  ui->ModelChoose,
                                      ui->frameLOD,      ui->Performance, ui->PerformanceOpen};
    if (xIn1 == kCompactLayout) {
        for (QWidget* widget : sensorSection)
            widget->hide();
        ui->frame->hide();
        ui->frame_4->hide();
        ui->frame_3->hide();
        ui->frameEffect->move(kCompactEffectPlace);
        ui->TitleButton_3->move(kCompactEffectTitlePlace);
        return;
    }
    for (QWidget* widget : sensorSection)
        widget->show();
    ui->frame->setVisible(IsSensorListed(m_features.ripple, g_sensorModel));
    ui->frame_4->setVisible(IsSensorListed(m_features.fixLine, g_sensorModel));
    ui->frame_3->setVisible(IsSensorListed(m_features.motionSync, g_sensorModel));
    ui->frameEffect->move(kEffectPlace);
    ui->TitleButton_3->move(kEffectTitlePlace);
}

// --- status reports ----------------------------------------------------------------

void Sensor::SlotUpDataDPI(int index)
{
    // The stage buttons must not send the mouse's own stage back.
    g_sendEnabled = false;
    ui->frameDpi->MoveMarker(index + 1);
    if (index >= 0 && index < FlashDataMap::StageCount) {
        ui->frameDpi->CheckStageButton(index);
        ui->frameDpi->SetCurrentStage(index);
    }
    g_sendEnabled = true;
}

void Sensor::SlotUpDataReportRate(int index)
{
    const int level = SensorRate::LevelOfCode(index);
    if (level < 0)
        return;
    ui->frameRate->SetLevel(level);
    const DeviceAllInfo device = CurrentDeviceCopy();
    const bool listed = IsSensorListed(m_features.sensorModeSelect, g_sensorModel);
    ApplySensorMode(SensorPageRules::SensorModeOnRateReport(listed, device.wired, index), DeviceImageCopy().sensorMode);
}

void Sensor::SlotHideModel(int index)
{
    const DeviceAllInfo device = CurrentDeviceCopy();
    const bool listed = IsSensorListed(m_features.sensorModeSelect, g_sensorModel);
    ApplySensorMode(SensorPageRules::SensorModeOnRateChoice(listed, device.wired, device.connectionType, index),
                    DeviceImageCopy().sensorMode);
}

void Sensor::SlotUpDataDPILed(FlashDataMap DataMap)
{
    ApplyDpiLight(DataMap);
}

// --- reset -------------------------------------------------------------------------

void Sensor::ShowNoModel()
{
    ui->frameLOD->ShowAsMade();
    ui->frameRate->ShowAsMade();
    const bool modeSignals = ui->ModelChoose->blockSignals(true);
    ui->ModelChoose->SetRowHidden(kCordedRow, !m_madeLook.cordedOffered);
    ui->ModelChoose->setCurrentIndex(m_madeLook.modeIndex);
    ui->ModelChoose->setEnabled(m_madeLook.modeEnabled);
    ui->ModelChoose->blockSignals(modeSignals);
    for (const auto& widget : qAsConst(m_madeLook.shown))
        widget.first->setVisible(widget.second);
    ui->frameEffect->move(m_madeLook.effectPlace);
    ui->TitleButton_3->move(m_madeLook.effectTitlePlace);
}

void Sensor::SlotFormReset()
{
    g_sensorPageUpdating = true;

    // Opened after another device, nothing of that model's options stays;
    // the same device keeps them until its image comes.
    const DeviceAllInfo device = CurrentDeviceCopy();
    if (device.path != m_shownDevicePath)
        ShowNoModel();
    m_shownDevicePath = device.path;

    SensorDPI* dpi = ui->frameDpi;
    dpi->SetSliderMaximum(26000);
    dpi->SetSliderMinimum(100);
    dpi->LoadDefaultStages();
    dpi->ClearStageCountItems();
    for (int j = 0; j < 6; ++j)
        dpi->InsertStageCountItem(j, QString::number(j + 1));
    dpi->BlockStageCountSignals(false);
    dpi->ShowStages(5);
    dpi->SetStageCountIndex(5);
    dpi->MoveMarker(2);
    dpi->CheckStageButton(1);
    dpi->SetSliderValue(800);
    dpi->SetSpinValue(800);

    ui->frameLOD->SetLevel(0);

    const bool modeSignals = ui->ModelChoose->blockSignals(true);
    const SensorPageRules::ResetDefaults defaults = SensorPageRules::ResetDefaultsOf(device.connectionType);
    if (defaults.apply) {
        ui->frameRate->SetVisibleLevels(defaults.rateSet);
        ui->frameRate->SetLevel(defaults.rateLevel);
        ui->ModelChoose->setCurrentIndex(defaults.sensorModeIndex);
    }
    if (device.wired)
        ui->ModelChoose->setCurrentIndex(kCordedRow);
    // "Corded" is forced by the connection, never chosen: it never shows editable.
    if (ui->ModelChoose->currentIndex() == kCordedRow)
        ui->ModelChoose->setEnabled(false);
    ui->ModelChoose->blockSignals(modeSignals);

    const bool timeSignals = ui->PerformanceOpen->blockSignals(true);
    ui->PerformanceOpen->setCurrentIndex(1);
    ui->PerformanceOpen->blockSignals(timeSignals);
    ui->Performance->setEnabled(true);
    ui->Performance->setChecked(false);
    ui->PerformanceOpen->setEnabled(false);

    ui->frameEffect->SetMode(0);
    ui->frameEffect->SetSpeed(3);
    ui->frameEffect->SetBrightnessLevel(5);

    ui->frame_3->SetChecked(true);
    ui->frame_4->SetChecked(false);
    ui->frame->SetChecked(false);

    g_sensorPageUpdating = false;
}

// --- the page's own settings ---------------------------------------------------------

void Sensor::on_ModelChoose_currentIndexChanged(int index)
{
    // "Corded" is forced by the connection, never chosen; an emptied or
    // out-of-range selection (-1) is no mode either.
    if (!g_sendEnabled || g_sensorPageUpdating || !SettingRanges::IsStoredSensorMode(index))
        return;
    SetSensorMode(index);
}

void Sensor::on_LOD_currentIndexChanged(int)
{
    // The lift-off frame writes its own choice.
}

void Sensor::on_Performance_clicked(bool checked)
{
    if (g_sendEnabled)
        SetPerformanceMode(checked ? 1 : 0);
}

void Sensor::on_Performance_toggled(bool checked)
{
    ui->PerformanceOpen->setEnabled(checked);
}

void Sensor::on_PerformanceOpen_currentIndexChanged(int index)
{
    if (!g_sendEnabled || g_sensorPageUpdating)
        return;
    const int tenSeconds = SensorPageRules::PerformanceTimeOfIndex(index);
    if (tenSeconds >= 0)
        SetPerformanceTime(tenSeconds);
}

void Sensor::on_RippeControl_clicked(bool checked)
{
    if (g_sendEnabled)
        SetRippleControl(checked ? 1 : 0);
}

void Sensor::on_StraightLine_clicked(bool checked)
{
    if (g_sendEnabled)
        SetStraightLine(checked ? 1 : 0);
}

void Sensor::on_MotionSync_clicked(bool checked)
{
    if (g_sendEnabled)
        SetMotionSync(checked ? 1 : 0);
}

void Sensor::on_pushButton_clicked()
{
    ui->frameLOD->AddSmallLevel();
}

void Sensor::on_pushButton_2_clicked()
{
    ui->frameLOD->RemoveSmallLevel();
}
