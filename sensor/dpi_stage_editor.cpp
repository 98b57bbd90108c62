#include "dpi_stage_editor.h"

#include "app_state.h"
#include "config_store.h"
#include "device_image_setters.h"
#include "dpi_code.h"
#include "paths.h"
#include "post_msg.h"
#include "sensor_dpi_rules.h"

#include <devicelib.h>

#include <QAbstractSlider>
#include <QComboBox>
#include <QLabel>
#include <QListView>

DpiStageEditor::DpiStageEditor(QWidget* parent)
    : QFrame(parent)
    , imageDir(PictureFolder(QStringLiteral("Sensor")))
{
}

void DpiStageEditor::AttachCommonParts(QLabel* title, QComboBox* stageCountBox)
{
    m_title = title;
    m_stageCountBox = stageCountBox;

    const ConfigStore* config = ConfigStore::Instance();
    const QString comboTextColor = config->ColorText(QStringLiteral("ComboxTextColor"));
    const QString comboSelectColor = config->ColorText(QStringLiteral("ComboxSelectColor"));
    const QString comboBackColor = config->ColorText(QStringLiteral("ComboxBackGroundColor"));
    const QString labelColor = config->ColorText(QStringLiteral("LabelColor"));

    m_title->setStyleSheet(QStringLiteral("QLabel{color: rgb(") + labelColor + QStringLiteral(";);}"));
    m_stageCountBox->setStyleSheet(
        QStringLiteral("QComboBox{border: 1px solid gray; color: rgb(") + comboTextColor
        + QStringLiteral("); border-image: url(") + imageDir
        + QStringLiteral("ComboboxBack.png);}QComboBox::drop-down:button{border-radius:5px; background:rgb(") + comboBackColor
        + QStringLiteral(");} QComboBox::down-arrow{image: url(") + imageDir
        + QStringLiteral("Menu.png); right: 8px; }QComboBox::down-arrow:on{ image: url(") + imageDir
        + QStringLiteral("MenuClicked.png);}QComboBox QAbstractItemView::item{height:25px;}QComboBox QAbstractItemView {outline: 0px solid gray; border: 1px  solid gray;color: rgb(")
        + comboTextColor + QStringLiteral("); border-image: url(") + imageDir
        + QStringLiteral("ComboboxTextBack.png);selection-background-color: rgb(") + comboSelectColor + QStringLiteral("); }"));
    auto* listView = new QListView; // the combo box takes it over
    listView->setStyleSheet(QStringLiteral("QListView::item:selected{background-color: rgb(") + comboSelectColor
                            + QStringLiteral(");}QListView::item:hover{background-color: rgb(") + comboSelectColor
                            + QStringLiteral(");}"));
    m_stageCountBox->setView(listView);
    m_stageCountBox->setMaxVisibleItems(5);
}

QString DpiStageEditor::SliderStyle(const QString& handleRule, const QString& addPageColour) const
{
    return QStringLiteral("QSlider:groove:horizontal{height:2px;left: 0px;right: 0px;border:0px;border-radius:0px;background:rgba(0,0,0,50);}QSlider:handle:horizontal{ ")
           + handleRule + QStringLiteral(" border-image: url(") + imageDir
           + QStringLiteral("HuaKuai.png);} QSlider:sub-page:horizontal{background-color: rgb(")
           + ConfigStore::Instance()->ColorText(QStringLiteral("SliderColor"))
           + QStringLiteral(";);}QSlider:add-page:horizontal{background-color: rgb(") + addPageColour + QStringLiteral(");}");
}

QString DpiStageEditor::ValueBoxStyle()
{
    const QString colour = ConfigStore::Instance()->ColorText(QStringLiteral("LinEditColorSecond"));
    return QStringLiteral("QSpinBox{background-color: transparent;color: rgb(") + colour
           + QStringLiteral(";);border: 1px  solid gray;}QSpinBox:hover{background-color: transparent;color: rgb(")
           + colour + QStringLiteral(";);border: 1px  solid gray;}");
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

bool DpiStageEditor::DeviceAnswers()
{
    const QByteArray path = g_devicePath.bytes();
    return UsbFinderC_GetDeviceOnLine(path.constData());
}

void DpiStageEditor::RaiseOfflineNotice()
{
    emit PostMsg::GetInstance()->SigMouseOffLineo(0);
}

bool DpiStageEditor::MaySelectStage()
{
    if (g_sendEnabled && !g_sensorPageUpdating && !DeviceAnswers()) {
        RaiseOfflineNotice();
        return false;
    }
    return true;
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

    if (!g_sensorPageUpdating) {
        previousStage = currentStage;
        if (change.exchange) {
            // The current stage would be hidden: it changes places with the
            // new last stage, on screen and in the mouse.
            const int o = change.from;
            const int n = change.to;
            ExchangeStagesOnScreen(o, n);
            stageCount = n + 1;
            currentStage = n;
            if (g_sendEnabled) {
                const FlashDataMap image = DeviceImageCopy();
                SetDpiStagePair(image.dpiStages[n], image.dpiStages[o], n, o, n);
            }
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
