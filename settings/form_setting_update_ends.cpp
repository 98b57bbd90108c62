// How a kind of the update run ends, and how the update dialog learns that
// the whole run is over.
#include "form_setting.h"
#include "ui_form_setting.h"

#include "app_state.h"
#include "firmware_images.h"
#include "firmware_update.h"
#include "post_msg.h"
#include "up_date_repair.h"
#include "up_date_warning.h"

#include <QTimer>

void FormSetting::FinishKind(int kind)
{
    g_deviceAccessAllowed = true;
    const bool mouse = kind == FirmwareKindMouse;
    const int state = UpdateStateOf(kind);
    (mouse ? m_runResults.mouse : m_runResults.receiver) = state;
    if (state == NothingToFlash || state == UpdateSucceeded) {
        (mouse ? ui->toolButton_3 : ui->toolButton_2)->hide();
        ShowUpdateLook(false);
    }
    if (state == NothingToFlash && mouse)
        ui->Receive_2->setText(verNewText);
    if (state == UpdateSucceeded)
        (mouse ? g_mouseUpdateAvailable : g_receiverUpdateAvailable) = false;
    updateStep = Finish;
}

void FormSetting::EndKindWithoutFlashing(int kind, int state, const QString& reason)
{
    UpdateStateOf(kind) = state;
    FinishKind(kind);
    if (state == NothingToFlash)
        (kind == FirmwareKindReceiver ? receiverUpToDate : mouseUpToDate) = true;
    if (!reason.isEmpty())
        m_endReason = reason;
    updateStep = Finish;
}

void FormSetting::ExplainTargets(int kind, int targets)
{
    QString text;
    if (targets == 0)
        text = kind == FirmwareKindMouse ? g_wiredModeText : noDeviceText;
    else
        text = sameDeviceText;
    m_endReason = text;
    if (interactiveRun) {
        updateWarning->move(DialogPlace(updateWarning));
        updateWarning->setModal(true);
        updateWarning->SetLabelText(text);
        updateWarning->show();
    } else {
        (kind == FirmwareKindMouse ? ui->toolButton_3 : ui->toolButton_2)->show();
    }
    interactiveRun = false;
}

// Once no kind runs any more, the dialog must offer a way out: the codes the
// callback sent (failure, success) already did; otherwise say how it ended.
void FormSetting::EndRunIfNothingFollows()
{
    if (g_receiverUpdateTimer->isActive() || g_mouseUpdateTimer->isActive() || g_receiverUpdateState == Upgrading
        || g_mouseUpdateState == Upgrading)
        return;
    g_firmwareUpdating = false;
    g_deviceAccessAllowed = true;
    if (m_terminalShown)
        return;
    m_terminalShown = true;
    const bool failed = m_runResults.receiver == UpdateFailed || m_runResults.mouse == UpdateFailed;
    const bool mouseFlashed = m_runResults.mouse == UpdateSucceeded;
    const bool receiverFlashed = m_runResults.receiver == UpdateSucceeded;
    if (failed || mouseFlashed || (receiverFlashed && g_upgradeStageCount != 2))
        return;
    PostMsg* hub = PostMsg::GetInstance();
    if (receiverFlashed) {
        // The second stage found nothing newer (done) or could not run.
        emit hub->SigProgress(0, m_runResults.mouse == NothingToFlash ? 2 : 5);
        return;
    }
    Refuse(m_endReason.isEmpty() ? verNewText : m_endReason);
}
