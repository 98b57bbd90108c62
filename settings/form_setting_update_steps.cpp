// The update run's step machine, ticked once a second by g_receiverUpdateTimer
// (receiver) or g_mouseUpdateTimer (mouse):
//   Check        is there an image for the device, how many wait in boot mode
//   Start        exactly one target: start flashing; none or several: explain
//   MarkRunning  flashing started (the state was set before the start)
//   Wait         until the upgrade callback records a result, or the time limit
//   Finish       end the kind, continue with the other device or end the run
#include "form_setting.h"
#include "ui_form_setting.h"

#include "app_state.h"
#include "config_store.h"
#include "devicelib.h"
#include "firmware_images.h"
#include "firmware_update.h"

#include <QTimer>

#include <algorithm>

namespace {

const int kUpgradeTimeoutMs = 10000;

// The devices in boot mode that the first found image fits.
int BootDevicesForFoundImage()
{
    if (g_firmwareImages.isEmpty())
        return 0;
    int count = 0;
    UsbUpgradeC_FindBootDevices(reinterpret_cast<const unsigned char*>(g_firmwareImages.first().constData()), &count);
    return count;
}

} // namespace

void FormSetting::onDongleCheckTimer()
{
    RunUpdateStep(updateStep, FirmwareKindReceiver, ui->label_5->text());
}

void FormSetting::onMouseCheckTimer()
{
    RunUpdateStep(updateStep, FirmwareKindMouse, ui->label_7->text());
}

void FormSetting::RunUpdateStep(int step, int kind, const QString& version)
{
    switch (step) {
    case Check:
        StepCheck(kind, version);
        break;
    case Start:
        StepStart(kind, version);
        break;
    case MarkRunning:
        // The state became Upgrading before the start, so an early result
        // is already recorded.
        updateStep = Wait;
        break;
    case Wait:
        StepWait();
        break;
    case Finish:
        StepFinish(kind);
        break;
    default:
        break;
    }
}

int& FormSetting::BootCounter(int receiverClass)
{
    switch (receiverClass) {
    case 1:
        return bootCount1K;
    case 2:
        return bootCount2K;
    case 4:
        return bootCount4K;
    default:
        return bootCount8K;
    }
}

void FormSetting::StepCheck(int kind, const QString& version)
{
    ConfigStore* config = ConfigStore::Instance();
    const DeviceAllInfo current = CurrentDeviceCopy();
    const QString group = ConfigStore::ModelGroup(current.modelIndex);
    ReadFirmwareCid();
    g_firmwareMid = config->IntValue(group, QStringLiteral("MID"));
    const uint8_t mid = uint8_t(g_firmwareMid & 0xFF);

    bool found = false;
    if (kind == FirmwareKindMouse) {
        found = FindFirmwareFile(FirmwareKindMouse, version, config->Value(group, QStringLiteral("MM")), FirmwareCidByte(), mid);
    } else {
        receiverPaths.clear();
        const int receiverClass = g_receiverClass;
        const QString key = ReceiverModelKeyOfClass(receiverClass);
        const QString name = config->Value(group, key);
        if (!key.isEmpty() && (receiverClass == 1 || !name.isEmpty())) {
            found = FindFirmwareFile(FirmwareKindReceiver, QString(), name, FirmwareCidByte(), mid);
            if (found)
                BootCounter(receiverClass) = BootDevicesForFoundImage();
        }
        for (const DeviceAllInfo& entry : g_devicePageList) {
            if (entry.wired)
                continue;
            // Through its receiver the current device is the receiver itself.
            if (!current.wired && entry.path == current.path)
                receiverPaths << current.path;
            else if (current.wired)
                receiverPaths << entry.path;
        }
    }
    if (!found && g_receiverClass != 0)
        EndKindWithoutFlashing(kind, NothingToFlash, QString());
    else
        updateStep = Start;
}

void FormSetting::StepStart(int kind, const QString& version)
{
    ConfigStore* config = ConfigStore::Instance();
    const QString group = ConfigStore::ModelGroup(CurrentDeviceCopy().modelIndex);
    const uint8_t mid = uint8_t(g_firmwareMid & 0xFF);
    const QList<DeviceAllInfo> list = g_devicePageList;

    int targets = 0;
    if (kind == FirmwareKindMouse)
        targets = int(std::count_if(list.begin(), list.end(), [](const DeviceAllInfo& d) { return d.wired; }))
            + mousePending;
    else
        targets = receiverPaths.size() + bootCount1K + bootCount2K + bootCount4K + bootCount8K;

    if (targets != 1) {
        UpdateStateOf(kind) = UpdateIdle;
        FinishKind(kind);
        ExplainTargets(kind, targets);
        updateStep = Finish;
        return;
    }

    if (kind == FirmwareKindMouse) {
        if (!FindFirmwareFile(FirmwareKindMouse, version, config->Value(group, QStringLiteral("MM")), FirmwareCidByte(), mid)) {
            EndKindWithoutFlashing(kind, NothingToFlash, QString());
            return;
        }
    } else {
        int bootClass = 0;
        for (int receiverClass : {1, 2, 4, 8}) {
            if (BootCounter(receiverClass) == 1) {
                bootClass = receiverClass;
                break;
            }
        }
        if (bootClass != 0) {
            // A device in boot mode takes the image whatever its version.
            const QString name = config->Value(group, ReceiverModelKeyOfClass(bootClass));
            if (!FindFirmwareFile(FirmwareKindReceiver, QString(), name, FirmwareCidByte(), mid)) {
                EndKindWithoutFlashing(kind, UpdateIdle, errorText);
                return;
            }
        } else {
            const int receiverClass = g_receiverClass;
            QString current = version;
            QString key = QStringLiteral("DM");
            if (receiverClass == 4 || receiverClass == 8 || receiverClass == 2) {
                key = ReceiverModelKeyOfClass(receiverClass);
                int slaveVersion = 0;
                const QByteArray path = receiverPaths.first().toUtf8();
                current = UsbFinderC_GetSlaveVersion(path.constData(), &slaveVersion) ? VersionText(unsigned(slaveVersion))
                                                                                      : QString();
            }
            if (!FindFirmwareFile(FirmwareKindReceiver, current, config->Value(group, key), FirmwareCidByte(), mid)) {
                EndKindWithoutFlashing(kind, NothingToFlash, QString());
                return;
            }
        }
    }
    if (StartFlashing(kind))
        updateStep = MarkRunning;
}

bool FormSetting::StartFlashing(int kind)
{
    FirmwareHeader header;
    if (g_firmwareImages.isEmpty() || !ReadFirmwareHeader(g_firmwareImages.first(), &header)) {
        EndKindWithoutFlashing(kind, UpdateIdle, errorText);
        return false;
    }
    const QByteArray image = g_firmwareImages.first();
    // Everything the callback reads is in place before the library can call it.
    g_upgradeKind = kind;
    g_upgradeVersion = header.version;
    g_upgradeModelIndex = CurrentDeviceCopy().modelIndex;
    g_upgradeMessages = 0;
    m_silence.Start(0);
    UpdateStateOf(kind) = Upgrading;
    if (UsbUpgrade_Start(reinterpret_cast<const unsigned char*>(image.constData()), UpdateUpgradeCallback, kUpgradeTimeoutMs)
        != 0)
        return true;
    // Refused: nothing was flashed, so no failure record.
    int expected = Upgrading;
    UpdateStateOf(kind).compare_exchange_strong(expected, UpdateIdle);
    EndKindWithoutFlashing(kind, UpdateIdle, errorText);
    return false;
}

void FormSetting::StepWait()
{
    const int kind = g_upgradeKind;
    if (UpdateStateOf(kind) != Upgrading) {
        updateStep = Finish;
        return;
    }
    // A flashing that has gone silent leaves the device in an unknown
    // state: count it as failed, which keeps the resume route open.
    if (m_silence.Tick(g_upgradeMessages)) {
        FailUpgrade();
        updateStep = Finish;
    }
}

void FormSetting::StepFinish(int kind)
{
    (kind == FirmwareKindReceiver ? receiverRunStarted : mouseRunStarted) = false;
    FinishKind(kind);
    interactiveRun = false;
    g_receiverUpdateTimer->stop();
    g_mouseUpdateTimer->stop();
    g_firmwareUpdating = false;
    if (kind == FirmwareKindReceiver) {
        if (mousePending == 1) {
            interactiveRun = true;
            on_Mouse_clicked();
        } else {
            SlotContinue(0);
        }
    }
    EndRunIfNothingFollows();
}
