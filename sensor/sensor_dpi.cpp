#include "sensor_dpi.h"
#include "ui_sensor_dpi.h"

#include "app_state.h"
#include "config_store.h"
#include "device_image_setters.h"
#include "dpi_code.h"
#include "frame_style.h"
#include "sensor_dpi_rules.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QMouseEvent>

namespace {

const QPoint kMarkerPoints[SensorDPI::StageCount] = {
    {27, 154}, {118, 154}, {209, 154}, {300, 154}, {391, 154}, {483, 154}, {573, 154}, {664, 154}};

const char* const kDefaultStageColors[SensorDPI::StageCount] = {
    "255,0,0", "0,0,255", "0,255,0", "255,255,0", "0,255,255", "255,0,255", "159,0,0", "0,212,252"};

// A checked stage button grows around its resting place; so does its swatch,
// which also moves down to stay at the bottom edge of the grown button.
const QMargins kCheckedButtonGrowth(7, 7, 7, 7);
const QSize kCheckedSwatchSize(66, 14);
const QPoint kCheckedSwatchShift(-8, 6);
const QSize kSwatchSize(50, 12);

bool ValidStage(int stage)
{
    return stage >= 0 && stage < SensorDPI::StageCount;
}

// Two hexadecimal digits of "#rrggbb"; anything else counts 0.
int HexPair(const QString& colour, int at)
{
    bool ok = false;
    const int value = colour.mid(at, 2).toInt(&ok, 16);
    return ok ? value : 0;
}

} // namespace

SensorDPI::SensorDPI(QWidget* parent)
    : DpiStageEditor(parent),
      ui(new Ui::SensorDPI),
      stageButtonGroup(nullptr),
      swatchGroup(nullptr),
      colorDialog(nullptr),
      dragArea(0, 0, 728, 194),
      dragging(false),
      grabOffset(0, 0),
      sliderArmed(false)
{
    for (int i = 0; i < StageCount; ++i) {
        markerPoints[i] = kMarkerPoints[i];
        stageColors[i] = QString::fromLatin1(kDefaultStageColors[i]);
    }
    ui->setupUi(this);
    AttachCommonParts(ui->label, ui->ChooseEvent);

    const ConfigStore* config = ConfigStore::Instance();
    buttonColorList = config->ValueList(QStringLiteral("Option"), QStringLiteral("ButtonColor"));
    buttonColor = config->ColorText(QStringLiteral("ButtonColor"));

    stageButtonGroup = new QButtonGroup(this);
    stageButtonGroup->setExclusive(true);
    swatchGroup = new QButtonGroup(this);
    swatchGroup->setExclusive(true);
    colorDialog = new QColorDialog(this);
    colorDialog->hide();
    connect(colorDialog, &QColorDialog::colorSelected, this, &SensorDPI::SetColor);

    ui->label_8->setStyleSheet(
        QStringLiteral("#label_8{border:0px;background-position:center;background-repeat:no-repeat;background-image: url(")
        + imageDir + QStringLiteral("Level.png);}#label_8:hover{border:0px;background-position:center;background-repeat:no-repeat;background-image: url(")
        + imageDir + QStringLiteral("LevelHover.png);}"));

    // Hiding the stages must not make the row or the DPI controls collapse.
    QList<QWidget*> keepSpace{ui->horizontalSliderC, ui->spinBoxA, ui->ReduceLevelA, ui->AddLevelA};
    for (int i = 0; i < StageCount; ++i)
        keepSpace.append(StageButton(i));
    for (QWidget* widget : keepSpace) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }

    for (int i = 0; i < StageCount; ++i) {
        stageButtonRects[i] = StageButton(i)->geometry();
        swatchRects[i] = Swatch(i)->geometry();
    }

    ui->horizontalSliderC->setStyleSheet(FrameStyle::SliderStyle(imageDir, FrameStyle::SliderLook::Knob));
    ui->spinBoxA->setStyleSheet(FrameStyle::NumberStyle());
    ui->ReduceLevelA->setStyleSheet(QStringLiteral("#ReduceLevelA{background-image: url(") + imageDir
                                    + QStringLiteral("Reduce.png);border:0px;background-position:center;background-repeat:no-repeat;}"));
    ui->AddLevelA->setStyleSheet(QStringLiteral("#AddLevelA{background-image: url(") + imageDir
                                 + QStringLiteral("Add.png);border:0px;background-position:center;background-repeat:no-repeat;}"));

    static const int kStyleOrder[StageCount] = {0, 6, 1, 2, 3, 4, 5, 7};
    for (int stage : kStyleOrder) {
        StageButton(stage)->setStyleSheet(
            QStringLiteral("QToolButton{border:0px;background-position:center;background-repeat:no-repeat;color: rgb(")
            + buttonColor + QStringLiteral(";);background-image: url(") + imageDir + QStringLiteral("MinA.png);}"));
        QToolButton* swatch = Swatch(stage);
        swatch->setStyleSheet(QLatin1Char('#') + swatch->objectName()
                              + QStringLiteral("{border:0px;border-radius:3px;background-position:center;background-repeat:no-repeat;background-color: rgb(255, 0, 0);background-image: url(")
                              + imageDir + QStringLiteral("MinB.png);}"));
    }

    for (int i = 0; i < StageCount; ++i)
        stageButtonGroup->addButton(StageButton(i));
    for (int i = 0; i < StageCount; ++i)
        swatchGroup->addButton(Swatch(i));
}

SensorDPI::~SensorDPI()
{
    delete ui;
}

QToolButton* SensorDPI::StageButton(int stage) const
{
    QToolButton* const buttons[StageCount] = {ui->BlueButton,   ui->BrightRedButton, ui->RedButton,
                                              ui->YellowButton, ui->GreenButton,     ui->PurpleButton,
                                              ui->LightBlueButton, ui->LightYellowButton};
    return buttons[stage];
}

QToolButton* SensorDPI::Swatch(int stage) const
{
    QToolButton* const swatches[StageCount] = {ui->BlueButtonA,   ui->BrightRedButtonA, ui->RedButtonA,
                                               ui->YellowButtonA, ui->GreenButtonA,     ui->PurpleButtonA,
                                               ui->LightBlueButtonA, ui->LightYellowButtonA};
    return swatches[stage];
}

QString SensorDPI::StageColorText(int stage) const
{
    return ValidStage(stage) ? stageColors[stage] : QString();
}

QPoint SensorDPI::MarkerPoint(int stage) const
{
    return ValidStage(stage) ? markerPoints[stage] : QPoint();
}

// --- host operations ---------------------------------------------------------

bool SensorDPI::BlockSliderSignals(bool block)
{
    return ui->horizontalSliderC->blockSignals(block);
}

void SensorDPI::SetSliderEnabled(bool enabled)
{
    ui->horizontalSliderC->setEnabled(enabled);
}

void SensorDPI::SetSliderMaximum(int value)
{
    ui->horizontalSliderC->setMaximum(value);
}

void SensorDPI::SetSliderMinimum(int value)
{
    ui->horizontalSliderC->setMinimum(value);
}

void SensorDPI::SetSliderValue(int value)
{
    ui->horizontalSliderC->setValue(value);
}

void SensorDPI::SetSpinValue(int value)
{
    ui->spinBoxA->setValue(value);
}

void SensorDPI::SetStageText(int stage, const QString& text)
{
    if (ValidStage(stage))
        StageButton(stage)->setText(text);
}

void SensorDPI::SetStageColor(int stage, const QString& colour)
{
    if (!ValidStage(stage))
        return;
    stageColors[stage] = QStringLiteral("%1,%2,%3").arg(HexPair(colour, 1)).arg(HexPair(colour, 3)).arg(HexPair(colour, 5));
}

void SensorDPI::HighlightSwatch(int stage)
{
    // The image's current-stage byte arrives unchecked; a stage that does not
    // exist highlights nothing.
    if (!ValidStage(stage))
        return;
    for (int i = 0; i < StageCount; ++i) {
        if (i == stage)
            continue;
        PlaceSwatchAtRest(i);
        Swatch(i)->setStyleSheet(SwatchStyle(i, false));
    }
    Swatch(stage)->setStyleSheet(SwatchStyle(stage, true));
}

void SensorDPI::CheckStageButton(int stage)
{
    if (ValidStage(stage))
        StageButton(stage)->setChecked(true);
}

void SensorDPI::ShowStages(int lastStage)
{
    if (!ValidStage(lastStage))
        return;
    for (int i = 0; i < StageCount; ++i) {
        StageButton(i)->setVisible(i <= lastStage);
        Swatch(i)->setVisible(i <= lastStage);
    }
}

void SensorDPI::MoveMarker(int position)
{
    if (position >= 1 && position <= StageCount)
        ui->label_8->move(markerPoints[position - 1]);
}

void SensorDPI::LoadDefaultStages()
{
    const ConfigStore* config = ConfigStore::Instance();
    const QString group = ConfigStore::ModelGroup(CurrentDeviceCopy().modelIndex);

    const QStringList colours = StageColorTexts(config->ValueList(group, QStringLiteral("DPIColor")));
    for (int i = 0; i < colours.size(); ++i)
        stageColors[i] = colours.at(i);

    const QStringList grades = config->ValueList(group, QStringLiteral("DPIGrade"));
    if (grades.size() < StageCount)
        return;
    // The checked stage keeps the look of a checked one: checking it again
    // changes nothing. The others look as any unchecked stage does.
    for (int i = 0; i < StageCount; ++i) {
        const bool checked = Swatch(i)->isChecked();
        if (checked)
            Swatch(i)->setGeometry(QRect(swatchRects[i].topLeft() + kCheckedSwatchShift, kCheckedSwatchSize));
        else
            PlaceSwatchAtRest(i);
        Swatch(i)->setStyleSheet(SwatchStyle(i, checked));
        SetStageButtonLook(i, StageButton(i)->isChecked());
        StageButton(i)->setText(grades.at(i).trimmed());
    }
}

void SensorDPI::BlockStageAndValueSignals(bool block)
{
    for (int i = 0; i < StageCount; ++i) {
        StageButton(i)->blockSignals(block);
        Swatch(i)->blockSignals(block);
    }
    ui->horizontalSliderC->blockSignals(block);
    ui->spinBoxA->blockSignals(block);
}

void SensorDPI::BlockStageAndCountSignals(bool block)
{
    ui->horizontalSliderC->blockSignals(block);
    ui->ChooseEvent->blockSignals(block);
    for (int i = 0; i < StageCount; ++i) {
        StageButton(i)->blockSignals(block);
        Swatch(i)->blockSignals(block);
    }
}

void SensorDPI::SetSpinVisible(bool visible)
{
    ui->spinBoxA->setVisible(visible);
}

// --- styles and places -------------------------------------------------------

QString SensorDPI::SwatchStyle(int stage, bool highlighted) const
{
    return QStringLiteral("QToolButton{border:0px;border-radius:3px;background-position:center;background-repeat:no-repeat;background-color:rgb(")
           + stageColors[stage] + QStringLiteral(");background-image: url(") + imageDir
           + (highlighted ? QStringLiteral("MaxB.png") : QStringLiteral("MinB.png")) + QStringLiteral(");}");
}

void SensorDPI::UpdateSwatchStyle(int stage)
{
    if (ValidStage(stage))
        Swatch(stage)->setStyleSheet(SwatchStyle(stage, Swatch(stage)->isChecked()));
}

void SensorDPI::PlaceSwatchAtRest(int stage)
{
    Swatch(stage)->setGeometry(QRect(swatchRects[stage].topLeft(), kSwatchSize));
}

void SensorDPI::SetStageButtonLook(int stage, bool checked)
{
    QToolButton* button = StageButton(stage);
    button->setGeometry(checked ? stageButtonRects[stage].marginsAdded(kCheckedButtonGrowth) : stageButtonRects[stage]);
    button->setStyleSheet(
        QStringLiteral("QToolButton{border:0px;border-radius:3px;background-position:center;background-repeat:no-repeat;color: rgb(")
        + buttonColor + QStringLiteral(";);background-image: url(") + imageDir
        + (checked ? QStringLiteral("MaxA.png") : QStringLiteral("MinA.png")) + QStringLiteral(");}"));
}

void SensorDPI::LoadStageValue(int stage)
{
    // The value change this causes is an echo of the selection, not a user
    // change: it must not be sent. Suppressing it around the call (instead
    // of waiting for the next change) also works when the value stays the
    // same or the host has blocked the slider's signals.
    sliderArmed = false;
    ui->horizontalSliderC->setValue(StageButton(stage)->text().toInt());
    sliderArmed = true;
}

// --- stage selection -----------------------------------------------------------

void SensorDPI::StageButtonToggled(int stage, bool checked)
{
    SetStageButtonLook(stage, checked);
    if (!checked)
        return;
    Swatch(stage)->setChecked(true);
    if (g_sendEnabled && !g_sensorPageUpdating) {
        currentStage = stage;
        ui->label_8->move(markerPoints[stage]);
        SetCurrentDpiStage(stage);
    }
}

void SensorDPI::StageButtonClicked(int stage)
{
    ui->horizontalSliderC->setValue(StageButton(stage)->text().toInt());
}

void SensorDPI::SwatchToggled(int stage, bool checked)
{
    QToolButton* swatch = Swatch(stage);
    if (!checked) {
        PlaceSwatchAtRest(stage);
        swatch->setStyleSheet(SwatchStyle(stage, false));
        return;
    }
    swatch->setGeometry(QRect(swatchRects[stage].topLeft() + kCheckedSwatchShift, kCheckedSwatchSize));
    StageButton(stage)->setChecked(true);
    swatch->setStyleSheet(SwatchStyle(stage, true));
    LoadStageValue(stage);
}

void SensorDPI::SwatchClicked(int stage)
{
    // Modeless: the colour goes to whichever swatch is checked when chosen.
    // It opens at the clicked stage's colour ("r,g,b").
    const QStringList rgb = stageColors[stage].split(QLatin1Char(','));
    colorDialog->setCurrentColor(QColor(rgb.value(0).toInt(), rgb.value(1).toInt(), rgb.value(2).toInt()));
    colorDialog->show();
}

bool SensorDPI::SelectStage(int stage)
{
    if (!MaySelectStage())
        return false;
    CheckStageButton(stage);
    return true;
}

void SensorDPI::on_BlueButton_toggled(bool checked) { StageButtonToggled(0, checked); }
void SensorDPI::on_BrightRedButton_toggled(bool checked) { StageButtonToggled(1, checked); }
void SensorDPI::on_RedButton_toggled(bool checked) { StageButtonToggled(2, checked); }
void SensorDPI::on_YellowButton_toggled(bool checked) { StageButtonToggled(3, checked); }
void SensorDPI::on_GreenButton_toggled(bool checked) { StageButtonToggled(4, checked); }
void SensorDPI::on_PurpleButton_toggled(bool checked) { StageButtonToggled(5, checked); }
void SensorDPI::on_LightBlueButton_toggled(bool checked) { StageButtonToggled(6, checked); }
void SensorDPI::on_LightYellowButton_toggled(bool checked) { StageButtonToggled(7, checked); }

void SensorDPI::on_BlueButton_clicked() { StageButtonClicked(0); }
void SensorDPI::on_BrightRedButton_clicked() { StageButtonClicked(1); }
void SensorDPI::on_RedButton_clicked() { StageButtonClicked(2); }
void SensorDPI::on_YellowButton_clicked() { StageButtonClicked(3); }
void SensorDPI::on_GreenButton_clicked() { StageButtonClicked(4); }
void SensorDPI::on_PurpleButton_clicked() { StageButtonClicked(5); }
void SensorDPI::on_LightBlueButton_clicked() { StageButtonClicked(6); }
void SensorDPI::on_LightYellowButton_clicked() { StageButtonClicked(7); }

void SensorDPI::on_BlueButtonA_toggled(bool checked) { SwatchToggled(0, checked); }
void SensorDPI::on_BrightRedButtonA_toggled(bool checked) { SwatchToggled(1, checked); }
void SensorDPI::on_RedButtonA_toggled(bool checked) { SwatchToggled(2, checked); }
void SensorDPI::on_YellowButtonA_toggled(bool checked) { SwatchToggled(3, checked); }
void SensorDPI::on_GreenButtonA_toggled(bool checked) { SwatchToggled(4, checked); }
void SensorDPI::on_PurpleButtonA_toggled(bool checked) { SwatchToggled(5, checked); }
void SensorDPI::on_LightBlueButtonA_toggled(bool checked) { SwatchToggled(6, checked); }
void SensorDPI::on_LightYellowButtonA_toggled(bool checked) { SwatchToggled(7, checked); }

void SensorDPI::on_BlueButtonA_clicked() { SwatchClicked(0); }
void SensorDPI::on_BrightRedButtonA_clicked() { SwatchClicked(1); }
void SensorDPI::on_RedButtonA_clicked() { SwatchClicked(2); }
void SensorDPI::on_YellowButtonA_clicked() { SwatchClicked(3); }
void SensorDPI::on_GreenButtonA_clicked() { SwatchClicked(4); }
void SensorDPI::on_PurpleButtonA_clicked() { SwatchClicked(5); }
void SensorDPI::on_LightBlueButtonA_clicked() { SwatchClicked(6); }
void SensorDPI::on_LightYellowButtonA_clicked() { SwatchClicked(7); }

// --- colour ------------------------------------------------------------------------

void SensorDPI::SetColor(const QColor& color)
{
    for (int i = 0; i < StageCount; ++i) {
        if (!Swatch(i)->isChecked())
            continue;
        stageColors[i] = QStringLiteral("%1,%2,%3").arg(color.red()).arg(color.green()).arg(color.blue());
        if (g_sendEnabled && !g_sensorPageUpdating)
            SetDpiStageColor(i, color.red(), color.green(), color.blue());
        UpdateSwatchStyle(i);
        return;
    }
}

// --- DPI value -----------------------------------------------------------------------

void SensorDPI::on_horizontalSliderC_valueChanged(int value)
{
    // A stage's value being loaded is shown like any other but never sent,
    // so it raises no offline notice either.
    const bool echo = !sliderArmed;
    if (!echo && g_sendEnabled && !g_sensorPageUpdating && !CheckDeviceOnline()) {
        ui->spinBoxA->setValue(value);
        return;
    }

    const int snapped = SnapSliderValue(ui->horizontalSliderC, value);

    int target = -1;
    for (int i = 0; i < StageCount; ++i) {
        if (StageButton(i)->isChecked()) {
            target = i;
            StageButton(i)->setText(QString::number(snapped));
            break;
        }
    }
    ui->spinBoxA->setValue(snapped);

    if (echo) {
        sliderArmed = true;
        return;
    }
    // A fill or an import puts the mouse's own values on screen; sending
    // them back would only repeat them (or overwrite what is being applied).
    if (!g_applyingParameters && !g_sensorPageUpdating)
        WriteDpiStage(target, snapped);
}

void SensorDPI::on_horizontalSliderC_sliderMoved(int position)
{
    ui->spinBoxA->setValue(SnapSliderValue(ui->horizontalSliderC, position));
}

void SensorDPI::StepValue(bool up)
{
    if (g_sendEnabled && !CheckDeviceOnline())
        return;
    const QVector<DpiSegment> segments = DpiSegmentsOf(g_dpiRangeModel);
    const int value = ui->spinBoxA->value();
    ui->horizontalSliderC->setValue(up ? StepDpiUp(value, segments) : StepDpiDown(value, segments));
}

void SensorDPI::on_ReduceLevelA_clicked()
{
    StepValue(false);
}

void SensorDPI::on_AddLevelA_clicked()
{
    StepValue(true);
}

// --- stage count ---------------------------------------------------------------------

void SensorDPI::on_ChooseEvent_currentIndexChanged(int index)
{
    StageCountChosen(index);
}

void SensorDPI::ExchangeStagesOnScreen(int from, int to)
{
    const QString colourFrom = stageColors[from];
    const QString colourTo = stageColors[to];
    const int dpiFrom = StageButton(from)->text().toInt();
    const int dpiTo = StageButton(to)->text().toInt();

    stageColors[from] = colourTo;
    UpdateSwatchStyle(from);
    StageButton(from)->setText(QString::number(dpiTo));

    stageColors[to] = colourFrom;
    UpdateSwatchStyle(to);
    ui->label_8->move(markerPoints[to]);
    StageButton(to)->setText(QString::number(dpiFrom));
    StageButton(to)->setChecked(true);
}

// --- marker drag ---------------------------------------------------------------------

void SensorDPI::mousePressEvent(QMouseEvent* event)
{
    if (event->buttons() != Qt::NoButton && ui->label_8->geometry().contains(event->pos())) {
        dragging = true;
        grabOffset = event->pos() - ui->label_8->pos();
    }
}

void SensorDPI::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() == Qt::NoButton || !dragging)
        return;
    if (dragArea.contains(event->pos()))
        ui->label_8->move(event->pos() - grabOffset);
    else
        mouseReleaseEvent(event);
}

void SensorDPI::ReturnMarker()
{
    ui->label_8->move(markerPoints[currentStage]);
}

void SensorDPI::mouseReleaseEvent(QMouseEvent* event)
{
    dragging = false;
    // A current stage outside 0..7 has no marker point to measure from.
    if (!ValidStage(currentStage))
        return;

    const QPoint from = markerPoints[currentStage];
    const MarkerDrop drop = DecideMarkerDrop(ui->label_8->geometry().contains(event->pos()), event->pos().x(), from.x(),
                                             ui->ChooseEvent->currentIndex());
    if (drop.outcome == MarkerDrop::ReturnAndResend) {
        ReturnMarker();
        if (g_sendEnabled)
            SetCurrentDpiStage(currentStage);
        return;
    }
    const int target = currentStage + drop.stageChange;
    if (drop.outcome != MarkerDrop::Move || !ValidStage(target)) {
        ReturnMarker();
        return;
    }

    const int before = currentStage;
    ui->label_8->move(from.x() + drop.shift, from.y());
    currentStage = target;
    if (!SelectStage(currentStage)) {
        // The mouse did not answer: the selection did not happen.
        currentStage = before;
        ReturnMarker();
        return;
    }
    if (g_sendEnabled)
        SetCurrentDpiStage(currentStage);
}
