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
}
