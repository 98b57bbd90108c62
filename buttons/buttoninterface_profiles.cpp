// Profiles, factory reset, configuration import and export, and the page's
// further services.
#include "buttoninterface.h"
#include "ui_buttoninterface.h"

#include "app_state.h"
#include "button_page_services.h"
#include "config_export_file.h"
#include "config_file_dialog.h"
#include "config_store.h"
#include "contain_reset.h"
#include "myconmbobox.h"
#include "device_image_setters.h"
#include "inport_fail.h"
#include "macro_save.h"
#include "mouse_profile.h"
#include "notice_style.h"
#include "post_msg.h"
#include "up_data_param.h"
#include "worker.h"

#include <devicelib.h>

#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

namespace {

// The reset question, the wait dialog and the export notice stand a little
// left of and above the page's centre.
const QPoint kDialogShift(-75, -65);

bool MouseOnline()
{
    const QByteArray path = g_devicePath.bytes();
    return UsbFinderC_GetDeviceOnLine(path.constData());
}

} // namespace

void Buttoninterface::SlotUpDataConfigUI(int ToTalItem, int SelectIndex, bool ItemEnable)
{
    shownDevicePath = CurrentDeviceCopy().path;
    MyConmboBox* combo = ui->ProjectChoose;
    combo->clear();
    combo->blockSignals(true);
    if (ToTalItem > 0) {
        for (int k = 0; k < ToTalItem; ++k)
            combo->addItem(ProfilePrefix + QString::number(k + 1));
    } else if (ToTalItem == 0) {
        combo->addItem(ProfilePrefix + QString::number(1));
    }
    combo->blockSignals(false);
    combo->setEnabled(ItemEnable);
    if (ToTalItem > 0)
        combo->setCurrentIndex(SelectIndex); // outside the items: none current
}

void Buttoninterface::on_ProjectChoose_activated(int index)
{
    // A macro save under way sends to the profile shown when it began: the
    // switch follows once it is done (a later choice replaces this one).
    // Meanwhile the list shows the profile the mouse is on, where a change
    // made on the pages goes.
    if (!g_buttonPageUpdating && MacroSave::Running()) {
        const int inUse = MouseProfile::ReportedProfile();
        ui->ProjectChoose->setCurrentIndex(inUse >= 0 ? inUse : ui->ProjectChoose->pressedIndex);
        MacroSave::WhenDone([this, index] {
            ui->ProjectChoose->setCurrentIndex(index);
            on_ProjectChoose_activated(index);
        });
        return;
    }
    if (MouseOnline() || g_buttonPageUpdating) {
        // Recorded first: the mouse's answer may come before the call returns.
        MouseProfile::SwitchRequested(index);
        if (UsbServer_SetCurrentConfig(static_cast<unsigned char>(index))) {
            ChangeSent();
            return;
        }
        MouseProfile::SwitchNotSent();
        // Refused: a fill leaves the combo as it is; otherwise it goes back
        // to the profile the mouse still uses, with the notice when the
        // mouse stopped answering after the online test.
        if (g_buttonPageUpdating)
            return;
        ui->ProjectChoose->setCurrentIndex(ui->ProjectChoose->pressedIndex);
        if (!MouseOnline())
            emit PostMsg::GetInstance()->SigMouseOffLineo(0);
        return;
    }
    ui->ProjectChoose->setCurrentIndex(ui->ProjectChoose->pressedIndex);
    emit PostMsg::GetInstance()->SigMouseOffLineo(0);
}

void Buttoninterface::on_ProjectChoose_currentIndexChanged(int index)
{
    Q_UNUSED(index)
}

void Buttoninterface::on_Reset_clicked()
{
    if (!MouseOnline()) {
        emit PostMsg::GetInstance()->SigMouseOffLineo(0);
        return;
    }
    // The reset clears the profile the mouse is on when it arrives: it must
    // still be the one shown as the question opened.
    const MouseProfile::Target decidedFor = DeviceImageTarget();
    {
        ContainReset question;
        question.move(NoticeStyle::CentredOn(this, &question, kDialogShift));
        question.exec();
        if (!question.result)
            return;
    }
    if (!DeviceImageTargetHolds(decidedFor)) {
        emit PostMsg::GetInstance()->SigMouseOffLineo(1);
        return;
    }

    g_applyingParameters = true;
    if (g_onlineCheckTimer)
        g_onlineCheckTimer->stop();
    SendDeviceImage();
    UsbServer_SetClearSetting();
    ChangeSent();

    UpDataParam wait;
    wait.SetTimeout();
    // Only the image the reset brings may end the wait.
    wait.RequestPageWait();
    g_workerRun = true;
    if (g_worker)
        g_worker->start(QThread::InheritPriority);
    wait.move(NoticeStyle::CentredOn(this, &wait, kDialogShift));
    wait.exec();

    g_applyingParameters = false;
    if (g_onlineCheckTimer)
        g_onlineCheckTimer->start();
}

void Buttoninterface::on_ImportData_clicked()
{
    if (!MouseOnline()) {
        emit PostMsg::GetInstance()->SigMouseOffLineo(0);
        return;
    }
    g_applyingParameters = true;
    const QString path = ConfigFileDialog::AskPath(this, ConfigFileDialog::Mode::Open);
    if (!path.isEmpty()) {
        g_importRequested = 1; // the wait dialog shows the import wording
        UpDataParam wait;
        wait.SetTimeout();
        wait.importMode = true;
        wait.importFile = path;
        wait.importTarget = DeviceImageTarget();
        wait.move(NoticeStyle::CentredOn(this, &wait, kDialogShift));
        wait.exec();
        g_importRequested = 0;
    }
    g_applyingParameters = false;
}

void Buttoninterface::on_OutputData_clicked()
{
    // No online check: the image last read or edited is written, or while
    // the mouse sleeps its cache; never the image of another device.
    // Asked before and after the file dialog, which processes events.
    FlashDataMap image;
    const auto noImage = [&image] {
        if (OpenedDeviceImage(&image))
            return false;
        emit PostMsg::GetInstance()->SigMouseOffLineo(0);
        return true;
    };
    if (noImage())
        return;
    const QString path = ConfigFileDialog::AskPath(this, ConfigFileDialog::Mode::Save);
    if (path.isEmpty() || noImage())
        return;
    WriteConfigFile(path, image);
}

void Buttoninterface::WriteConfigFile(const QString& path, FlashDataMap image)
{
    // The catalogue's name of the selected model, not the page's copy.
    const QString group = ConfigStore::ModelGroup(CurrentDeviceCopy().modelIndex);
    const QString sensor = ConfigStore::Instance()->Value(group, QStringLiteral("Sensor"));
    if (ConfigExportFile::Write(path, sensor, image))
        return;
    InportFail notice;
    notice.ShowExportFailedText();
    notice.move(NoticeStyle::CentredOn(this, &notice, kDialogShift));
    notice.exec();
}

void Buttoninterface::ApplyMainPageFile(const QString& fileName, QToolButton* key)
{
    const MainPageState state = ReadMainPageState(MainPageDir + fileName);
    if (!state.itemName.isEmpty()) {
        if (auto* item = findChild<QAbstractButton*>(state.itemName))
            key->setText(item->text());
    }
    if (state.scrollsTopMenu)
        ui->scrollArea_4->verticalScrollBar()->setValue(state.topMenuScroll);
    if (!state.listName.isEmpty()) {
        if (auto* list = findChild<QScrollArea*>(state.listName))
            list->verticalScrollBar()->setValue(state.listScroll);
    }
}

void Buttoninterface::ReadMainPageFile2()
{
    ApplyMainPageFile(QStringLiteral("/2.ini"), ui->RightKey);
}

void Buttoninterface::ReadMainPageFile3()
{
    ApplyMainPageFile(QStringLiteral("/3.ini"), ui->BackKey);
}

void Buttoninterface::ReadMainPageFile4()
{
    ApplyMainPageFile(QStringLiteral("/4.ini"), ui->StartPause);
}

void Buttoninterface::ReadMainPageFile5()
{
    ApplyMainPageFile(QStringLiteral("/5.ini"), ui->TopMusic);
}

void Buttoninterface::ReadMainPageFile6()
{
    ApplyMainPageFile(QStringLiteral("/6.ini"), ui->BackMusic);
}

KeyEventRecord Buttoninterface::MakeConsumerKeyRecord(int ignored, int codeHigh, int codeLow)
{
    Q_UNUSED(ignored)
    // Press and release of one consumer usage, 10 ms each.
    const int usage = (codeHigh & 0xFF) << 8 | (codeLow & 0xFF);
    KeyEventRecord record;
    record.bytes[0] = 2;
    record.SetEvent(0, KeyEvent{0, KindConsumer, usage, 10});
    record.SetEvent(1, KeyEvent{1, KindConsumer, usage, 10});
    return record;
}

void Buttoninterface::WaitTime(int milliseconds)
{
    WaitWithEvents(milliseconds);
}

void Buttoninterface::UnusedMember() {}
