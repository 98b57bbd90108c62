// Recording on the macro page: the keyboard hook's events become the events
// of the selected macro until Stop, leaving the device window, or the limit.
#include "macro.h"
#include "ui_macro.h"

#include "app_state.h"
#include "exe_is_run.h"
#include "key_notices.h"
#include "modal_run.h"
#include "post_msg.h"

void Macro::on_StartRecord_clicked()
{
    if (!HasSelectedMacro()) {
        ExeIsRun notice;
        notice.ShowLabel2Text();
        PlaceNotice(&notice);
        ModalRun::Exec(&notice);
        return;
    }
    // The focus leaves the control that has it before the page disables or
    // hides that control, which would pass it on to the next one that takes
    // keys (the New button after the macro list).
    QWidget* focused = window()->focusWidget();
    m_focusBeforeRecording = focused != this ? focused : nullptr;
    setFocus(Qt::OtherFocusReason);
    m_recordingKeyBlock.Engage();

    emit PostMsg::GetInstance()->SigStartRecord(0);
    m_recorder.Start();
    ui->ChooseEvent->setEnabled(false);
    eventsModified = true;
    recordHook.SetHook();
    recordHook.SetCallback([this](int keyCode, bool down, bool repeat) { UpdateCapslockTip(keyCode, down, repeat); });

    ui->StartRecord->hide();
    ui->StopRecord->show();
    g_macroRecording = true;
    m_events.Clear();
    ShowEvents();
    ui->DelayTime->hide();
    ui->NumberEdit->hide();
    ui->listWidgetHong->setEnabled(false);
}

void Macro::UpdateCapslockTip(int keyCode, bool downOrUp, bool)
{
    if (!g_macroRecording) {
        m_recorder.RestartWait();
        return;
    }
    const MacroRecorder::Result result = m_recorder.KeyEvent(
        keyCode, downOrUp, ui->AutoInsertDelay->isChecked(), quint32(ui->DelayTime->value()), m_events);
    ShowEvents();
    if (result != MacroRecorder::Result::LimitReached)
        return;
    g_macroRecording = false;
    recordHook.UnHook();
    // The keyboard stays away from the widgets until Stop, this key included.
    KeyNumberLimit notice;
    PlaceNotice(&notice);
    ModalRun::Exec(&notice);
}

void Macro::EndRecording()
{
    emit PostMsg::GetInstance()->SigStartRecord(1);
    recordHook.UnHook();
    ui->StopRecord->hide();
    ui->StartRecord->show();
    ui->DelayTime->show();
    ui->NumberEdit->show();
    ui->listWidgetHong->setEnabled(true);
    g_macroRecording = false;
    MacroRecorder::DropTrailingDelay(m_events);
    ShowEvents();

    m_recordingKeyBlock.Release();
    // Unless the user has put the focus elsewhere meanwhile.
    QWidget* before = m_focusBeforeRecording;
    m_focusBeforeRecording = nullptr;
    if (before && window()->focusWidget() == this && before->isEnabled() && before->isVisibleTo(window()))
        before->setFocus(Qt::OtherFocusReason);
}

void Macro::on_StopRecord_clicked()
{
    EndRecording();
    ui->ChooseEvent->setEnabled(true);
    ActivateSave();
}

void Macro::SlotSetMacroPage()
{
    EndRecording();
    DeactivateSave();
    // A refused save of the macro shown stays to be saved again.
    RestoreUnsentSave();
}
