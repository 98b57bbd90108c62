// The settings page's update run: how a run starts and continues with the
// other device. Its steps are in form_setting_update_steps.cpp.
#include "form_setting.h"
#include "ui_form_setting.h"

#include "app_state.h"
#include "config_store.h"
#include "firmware_images.h"
#include "firmware_update.h"
#include "post_msg.h"
#include "up_date_repair.h"

#include <QTimer>

namespace {

bool DoneWithoutFailure(int state)
{
    return state == UpdateSucceeded || state == NothingToFlash;
}

} // namespace

void FormSetting::StartRun(int kind)
{
    g_firmwareUpdating = true;
    updateStep = Check;
    ui->toolButton_2->hide();
    ui->toolButton_3->hide();
    g_deviceAccessAllowed = false;
    if (kind == FirmwareKindReceiver) {
        g_receiverUpdateTimer->start();
        receiverRunStarted = true;
    } else {
        g_mouseUpdateTimer->start();
        mouseRunStarted = true;
    }
}

void FormSetting::on_Start()
{
    bootCount1K = bootCount2K = bootCount4K = bootCount8K = 0;
    m_endReason.clear();
    m_runResults = {UpdateIdle, UpdateIdle};
    m_terminalShown = false;
    g_upDateRepair->SetUpdatingState();
    ReadFirmwareCid();
    const uint8_t mid = uint8_t(ConfigStore::Instance()->IntValue(modelGroup, QStringLiteral("MID")));
    const bool receiverImage =
        FindFirmwareFile(FirmwareKindReceiver, ui->label_5->text(), resumeReceiverModel, FirmwareCidByte(), mid);
    if (!receiverImage && mousePending == 1) {
        interactiveRun = true;
        on_Mouse_clicked();
    } else if (g_receiverUpdateState == Upgrading || g_mouseUpdateState == Upgrading || mouseRunStarted
               || receiverUpToDate) {
        if (receiverUpToDate) {
            ShowUpdateLook(false);
            SlotContinue(0);
        }
    } else {
        StartRun(FirmwareKindReceiver);
    }
    EndRunIfNothingFollows();
}

void FormSetting::on_Receive_clicked()
{
    g_receiverClass = CurrentReceiverClass();
    if (!receiverUpToDate && !mouseRunStarted)
        StartRun(FirmwareKindReceiver);
}

void FormSetting::on_Mouse_clicked()
{
    const DeviceAllInfo current = CurrentDeviceCopy();
    if (current.wired) {
        const QList<DeviceAllInfo> list = g_devicePageList;
        if (list.isEmpty() || !list.first().wired || list.first().mid != current.mid) {
            emit PostMsg::GetInstance()->SigProgress(0, 5);
            m_terminalShown = true;
            return;
        }
    }
    if (!mouseUpToDate && !receiverRunStarted)
        StartRun(FirmwareKindMouse);
    else if (mouseUpToDate)
        ui->Receive_2->setText(verNewText);
}

void FormSetting::SlotContinue(int index)
{
    Q_UNUSED(index)
    bootCount1K = bootCount2K = bootCount4K = bootCount8K = 0;
    if (g_mouseUpdateAvailable && DoneWithoutFailure(g_receiverUpdateState)) {
        interactiveRun = true;
        on_Mouse_clicked();
    }
    if (g_receiverUpdateAvailable && DoneWithoutFailure(g_mouseUpdateState)) {
        interactiveRun = true;
        on_Receive_clicked();
    }
}
