#include "dpi_stage_editor.h"

#include "app_state.h"
#include "device_image_setters.h"
#include "dpi_code.h"
#include "frame_style.h"
#include "paths.h"
#include "sensor_dpi_rules.h"

#include <QAbstractSlider>
#include <QComboBox>
#include <QLabel>

DpiStageEditor::DpiStageEditor(QWidget* parent)
    : QFrame(parent)
    , imageDir(PictureFolder(QStringLiteral("Sensor")))
{
}

void DpiStageEditor::AttachCommonParts(QLabel* title, QComboBox* stageCountBox)
{
    m_title = title;
    m_stageCountBox = stageCountBox;

    m_title->setStyleSheet(FrameStyle::CaptionStyle());
    m_stageCountBox->setStyleSheet(FrameStyle::ComboStyle(imageDir, false));
    FrameStyle::InstallListView(m_stageCountBox);
    m_stageCountBox->setMaxVisibleItems(5);
}

// --- host operations ---------------------------------------------------------

bool DpiStageEditor::BlockStageCountSignals(bool block)
{
    return m_stageCountBox->blockSignals(block);
}

void DpiStageEditor::ClearStageCountItems()
{
    m_stageCountBox->blockSignals(true);
    m_stageCountBox->clear();
    m_stageCountBox->blockSignals(false);
}

void DpiStageEditor::InsertStageCountItem(int index, const QString& text)
{
    m_stageCountBox->insertItem(index, QIcon(), text, QVariant());
}

void DpiStageEditor::SetStageCountIndex(int index)
{
    m_stageCountBox->setCurrentIndex(index);
}

void DpiStageEditor::SetCurrentStage(int stage)
{
    currentStage = stage;
}

void DpiStageEditor::SetStageCount(int count)
{
    stageCount = count;
}

void DpiStageEditor::SetTitleText(const QString& text)
{
    m_title->setText(text);
}

// --- rules shared by both layouts ----------------------------------------------

bool DpiStageEditor::MaySelectStage()
{
    return !g_sendEnabled || g_sensorPageUpdating || CheckDeviceOnline();
}

int DpiStageEditor::SnapSliderValue(QAbstractSlider* slider, int value)
{
    const SnappedDpi snapped = SnapDpi(value, DpiSegmentsOf(g_dpiRangeModel));
    if (snapped.pageStep > 0)
        slider->setPageStep(snapped.pageStep);
    return snapped.value;
}

void DpiStageEditor::StageCountChosen(int index)
{
    const StageCountChange change = PlanStageCountChange(currentStage, index);
    // An emptied combo reports -1: there is no stage count to show or send.
    if (!change.apply)
        return;

    if (g_sensorPageUpdating)
        return;
    previousStage = currentStage;
    if (change.exchange) {
        // The current stage would be hidden: it changes places with the new
        // last stage, on screen and in the mouse.
        ExchangeStagesOnScreen(change.from, change.to);
        stageCount = change.to + 1;
        currentStage = change.to;
    }
    ShowStages(index);

    // The exchange and the new count reach the mouse in one send, or neither.
    if (g_sendEnabled)
        EditDeviceImage([change, index](FlashDataMap& image) { ApplyStageCountChange(image, change, index); });
}
