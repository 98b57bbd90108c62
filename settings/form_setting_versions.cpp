// The settings page's firmware version labels and the look of its update
// button.
#include "form_setting.h"
#include "ui_form_setting.h"

#include "app_state.h"
#include "firmware_images.h"
#include "firmware_update.h"
#include "frame_style.h"

#include <QDir>
#include <QMutexLocker>

int FormSetting::CurrentReceiverClass() const
{
    const DeviceAllInfo current = CurrentDeviceCopy();
    if (!current.wired)
        return ReceiverClassOf(current.connectionType);
    const DeviceAllInfo* receiver = ListedReceiver(g_devicePageList);
    return receiver ? ReceiverClassOf(receiver->connectionType) : 0;
}

void FormSetting::ShowUpdateLook(bool updateWaiting)
{
    const auto url = [this](const char* picture) { return FrameStyle::Url(pictureDir, QLatin1String(picture)); };
    if (updateWaiting)
        ui->Receive_2->setStyleSheet(QStringLiteral("QToolButton{border:0px;background-position:center;"
                                                    "background-repeat:no-repeat;color: rgb(%1;);background-image: %2;}"
                                                    "QToolButton:hover{background-image: %3;}")
                                         .arg(buttonColor, url("WaitUpdate.png"), url("WaitUpdateHover.png")));
    else
        ui->Receive_2->setStyleSheet(QStringLiteral("QToolButton{border:0px;color: rgb(%1;);border-image: %2;}")
                                         .arg(buttonColor, url("Confirm.png")));
}

void FormSetting::SetVer(int index)
{
    switch (index) {
    case 1:
        ui->toolButton_2->hide();
        return;
    case 2:
        ui->toolButton_3->hide();
        return;
    case 3:
        ui->Receive_2->setText(receiveText);
        return;
    case 4:
    case 5:
        ui->Receive_2->setText(receiveText);
        ui->toolButton_2->hide();
        ui->toolButton_3->hide();
        receiverUpToDate = false;
        mouseUpToDate = false;
        receiverRunStarted = false;
        mouseRunStarted = false;
        if (index == 4)
            return;
        break;
    case 6:
        ui->label_5->clear();
        ui->label_7->clear();
        return;
    case 0:
        break;
    default:
        return;
    }

    const DeviceAllInfo current = CurrentDeviceCopy();
    QString receiverText;
    QString mouseText;
    if (!g_deviceOnline) {
        receiverText = current.version;
    } else if (!current.wired) {
        receiverText = current.version;
        mouseText = current.mouseVersion;
    } else {
        if (const DeviceAllInfo* receiver = ListedReceiver(g_devicePageList))
            receiverText = receiver->version;
        mouseText = current.mouseVersion;
    }
    if (index == 0 && QDir(FirmwareFolder()).exists()) {
        const int receiverClass = CurrentReceiverClass();
        g_mouseUpdateAvailable = CheckFirmwareUpdate(FirmwareKindMouse, mouseText, receiverClass);
        g_receiverUpdateAvailable = CheckFirmwareUpdate(FirmwareKindReceiver, receiverText, receiverClass);
        ShowUpdateLook(g_mouseUpdateAvailable || g_receiverUpdateAvailable);
    }
    ui->label_5->setText(receiverText);
    ui->label_7->setText(mouseText);
}

void FormSetting::SetVerText()
{
    ui->Receive_2->setText(verNewText);
}

void FormSetting::SlotLabelText(int index, QString Text)
{
    if (index != 0 && index != 1)
        return;
    (index == 0 ? ui->label_5 : ui->label_7)->setText(Text);
    QMutexLocker locker(&g_currentDeviceMutex);
    if (index == 0)
        g_currentDevice.version = Text;
    else
        g_currentDevice.mouseVersion = Text;
}

void FormSetting::SlotLabelTextB(QString TextA, QString Text)
{
    ui->label_5->setText(TextA);
    ShowUpdateLook(Text == QLatin1String("true"));
}
