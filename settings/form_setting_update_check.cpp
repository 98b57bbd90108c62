// The settings page's update check: which devices an update run can flash,
// or why none, shown in the update dialog. A failed flashing recorded in
// UpdateFailInfo is resumed when its device waits alone in boot mode.
#include "form_setting.h"
#include "ui_form_setting.h"

#include "app_state.h"
#include "config_store.h"
#include "devicelib.h"
#include "firmware_images.h"
#include "firmware_update.h"
#include "notice_style.h"
#include "registry_values.h"
#include "up_date_repair.h"

#include <algorithm>

namespace {

// The library may report up to this many devices in boot mode.
const int kBootQueryCapacity = 5;

} // namespace

bool FormSetting::Refuse(const QString& text)
{
    g_upDateRepair->SetToolText(text);
    g_upDateRepair->SetConfirmState();
    return false;
}

QPoint FormSetting::DialogPlace(const QWidget* dialog) const
{
    return NoticeStyle::CentredOn(this, dialog, QPoint(-75, -65));
}

bool FormSetting::ChechIsUpDate()
{
    // Nothing of an earlier check may choose this one's images.
    g_receiverClass = 0;
    mousePending = 0;
    checkReceiverModel.clear();
    resumeReceiverModel.clear();
    const UpdateFailRecord record = ReadUpdateFailInfo();

    ConfigStore* config = ConfigStore::Instance();
    const DeviceAllInfo current = CurrentDeviceCopy();
    modelGroup = ConfigStore::ModelGroup(current.modelIndex);
    const QString mouseModel = config->Value(modelGroup, QStringLiteral("MM"));
    if (current.modelIndex < 0 || mouseModel.isEmpty())
        return Refuse(errorText);
    ReadFirmwareCid();
    const uint8_t mid = uint8_t(config->IntValue(modelGroup, QStringLiteral("MID")));
    const QList<DeviceAllInfo> list = g_devicePageList;

    if (list.isEmpty())
        return Refuse(errorText);

    if (list.size() >= 3) {
        const int receivers = int(std::count_if(list.begin(), list.end(), [](const DeviceAllInfo& d) { return !d.wired; }));
        const int cables = list.size() - receivers;
        if (receivers > 1)
            g_upDateRepair->SetToolText(multiDongleText);
        if (cables > 1)
            g_upDateRepair->SetToolText(multiMouseText);
        g_upDateRepair->SetConfirmState();
        return false;
    }

    if (list.size() == 2) {
        if (!list.at(0).wired && !list.at(1).wired)
            return Refuse(noUsbText);
        if (list.at(0).mid != list.at(1).mid)
            return Refuse(noRecieveText);
        const DeviceAllInfo* receiver = ListedReceiver(list);
        if (!receiver)
            return Refuse(noRecieveText);
        g_receiverClass = ReceiverClassOf(receiver->connectionType);
        checkReceiverModel = config->Value(modelGroup, ReceiverModelKeyOfClass(g_receiverClass));
        if (checkReceiverModel.isEmpty())
            return Refuse(errorText);
        const bool receiverFound =
            FindFirmwareFile(FirmwareKindReceiver, ui->label_5->text(), checkReceiverModel, FirmwareCidByte(), mid);
        const bool mouseFound = FindFirmwareFile(FirmwareKindMouse, ui->label_7->text(), mouseModel, FirmwareCidByte(), mid);
        g_mouseUpdateAvailable = mouseFound;
        if (receiverFound || mouseFound) {
            g_upgradeStageCount = receiverFound && mouseFound ? 2 : 1;
            return true;
        }
        receiverUpToDate = true;
        return Refuse(verNewText);
    }

    // One device: only a failed update can be resumed.
    const DeviceAllInfo& entry = list.first();
    if (!record.complete)
        return Refuse(entry.wired ? noRecieveText : noUsbText);
    const int kind = record.kind;
    const int recordCid = record.cid;
    const int recordMid = record.mid;
    if (kind == FirmwareKindReceiver) {
        if (!entry.wired || entry.mid != recordMid)
            return Refuse(noUsbText);
    } else if (kind == FirmwareKindMouse) {
        mousePending = 1;
        if (entry.wired || entry.mid != recordMid)
            return Refuse(noRecieveText);
    } else {
        return Refuse(errorText);
    }
    const QString classText = record.classText;
    if (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("8")}.contains(classText)) {
        g_receiverClass = classText.toInt();
        resumeReceiverModel = config->Value(modelGroup, ReceiverModelKeyOfClass(g_receiverClass));
    }
    if (entry.cid != recordCid)
        return Refuse(errorText);
    const QString failedModel = kind == FirmwareKindReceiver ? resumeReceiverModel : mouseModel;
    // Without an image there is nothing to ask the boot devices about.
    if (failedModel.isEmpty() || !FindFirmwareFile(uint8_t(kind), QString(), failedModel, uint8_t(recordCid), mid))
        return Refuse(errorText);
    int bootDevices = kBootQueryCapacity;
    UsbUpgradeC_FindBootDevices(reinterpret_cast<const unsigned char*>(g_firmwareImages.first().constData()),
                                &bootDevices);
    if (bootDevices != 1)
        return Refuse(bootDevices == 0 ? noDeviceText : sameDeviceText);
    bool otherFound = false;
    if (kind == FirmwareKindReceiver)
        otherFound = FindFirmwareFile(FirmwareKindMouse, ui->label_7->text(), mouseModel, FirmwareCidByte(), mid);
    else if (!resumeReceiverModel.isEmpty())
        otherFound = FindFirmwareFile(FirmwareKindReceiver, ui->label_5->text(), resumeReceiverModel, FirmwareCidByte(), mid);
    g_upgradeStageCount = otherFound ? 2 : 1;
    // A second stage is planned: the run continues with the other device.
    if (otherFound)
        (kind == FirmwareKindReceiver ? g_mouseUpdateAvailable : g_receiverUpdateAvailable) = true;
    return true;
}

void FormSetting::on_Receive_2_clicked()
{
    if (ui->Receive_2->text() == verNewText)
        return;
    receiverUpToDate = false;
    g_upDateRepair->move(DialogPlace(g_upDateRepair));
    g_upDateRepair->setModal(true);
    g_upDateRepair->ResetState();
    if (ChechIsUpDate()) {
        g_upDateRepair->SetReadyState();
        g_upDateRepair->show();
    } else if (receiverUpToDate) {
        ui->Receive_2->setText(verNewText);
    } else {
        g_upDateRepair->show();
    }
}

void FormSetting::SlotCheckUpdate()
{
    if (ChechIsUpDate())
        g_upDateRepair->SetReadyState();
}
