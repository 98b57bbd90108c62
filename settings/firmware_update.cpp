#include "firmware_update.h"

#include "app_state.h"
#include "config_store.h"
#include "device_all_info.h"
#include "devicelib.h"
#include "firmware_images.h"
#include "post_msg.h"
#include "registry_values.h"

std::atomic<int> g_receiverUpdateState{UpdateIdle};
std::atomic<int> g_mouseUpdateState{UpdateIdle};
std::atomic<int> g_upgradeStageCount{1};
std::atomic<int> g_receiverClass{0};
std::atomic<int> g_upgradeKind{0};
std::atomic<int> g_firmwareMid{0};
std::atomic<uint32_t> g_upgradeVersion{0};
std::atomic<int> g_upgradeModelIndex{0};
std::atomic<int> g_upgradeMessages{0};

namespace {

// Moves the state from Upgrading to `to`; false when it was not Upgrading.
bool Leave(std::atomic<int>& state, int to)
{
    int expected = Upgrading;
    return state.compare_exchange_strong(expected, to);
}

void WriteFailureRecord()
{
    SetUpdateFailInfo(g_upgradeKind, g_receiverClass, g_firmwareCid, g_firmwareMid);
}

} // namespace

int UpdateProgress(int percent, int stageCount, bool mouseStage)
{
    if (stageCount != 2)
        return percent;
    return percent / 2 + (mouseStage ? 50 : 0);
}

std::atomic<int>& UpdateStateOf(int kind)
{
    return kind == FirmwareKindMouse ? g_mouseUpdateState : g_receiverUpdateState;
}

void ReadFirmwareCid()
{
    g_firmwareCid = ConfigStore::Instance()->IntValue(QStringLiteral("Option"), QStringLiteral("CID"));
}

uint8_t FirmwareCidByte()
{
    return uint8_t(g_firmwareCid & 0xFF);
}

const DeviceAllInfo* ListedReceiver(const QList<DeviceAllInfo>& list)
{
    if (list.size() != 2)
        return nullptr;
    for (const DeviceAllInfo& entry : list) {
        if (!entry.receiverAddress.isEmpty() && !entry.wired && ReceiverClassOf(entry.connectionType) != 0)
            return &entry;
    }
    return nullptr;
}

void FailUpgrade()
{
    g_mouseUpdateAvailable = false;
    g_receiverUpdateAvailable = false;
    const bool receiver = Leave(g_receiverUpdateState, UpdateFailed);
    const bool mouse = Leave(g_mouseUpdateState, UpdateFailed);
    if (!receiver && !mouse)
        return;
    // The device may now wait in boot mode: the next check resumes it.
    WriteFailureRecord();
    emit PostMsg::GetInstance()->SigProgress(0, 1);
}

int UpdateUpgradeCallback(const unsigned char* message)
{
    if (!message || message[0] != DEVICELIB_UPGRADE_MESSAGE)
        return 0;
    ++g_upgradeMessages;
    PostMsg* hub = PostMsg::GetInstance();
    if (message[1] == DEVICELIB_UPGRADE_PROGRESS) {
        const int percent = message[2];
        if (g_receiverUpdateState == Upgrading)
            emit hub->SigProgress(UpdateProgress(percent, g_upgradeStageCount, false), 0);
        else if (g_mouseUpdateState == Upgrading)
            emit hub->SigProgress(UpdateProgress(percent, g_upgradeStageCount, true), 0);
        return 0;
    }
    if (message[1] != DEVICELIB_UPGRADE_RESULT)
        return 0;
    if (message[2] != 1) {
        FailUpgrade();
        return 0;
    }
    if (Leave(g_receiverUpdateState, UpdateSucceeded)) {
        if (g_upgradeStageCount == 1)
            emit hub->SigProgress(0, 2);
        emit hub->SigLabelText(0, VersionText(g_upgradeVersion));
    } else if (Leave(g_mouseUpdateState, UpdateSucceeded)) {
        const QString version = StoreMouseFirmwareVersion(g_upgradeModelIndex, g_upgradeVersion);
        emit hub->SigProgress(0, 2);
        emit hub->SigLabelText(1, version);
    } else {
        return 0;
    }
    // Only a record of the kind that now runs new firmware is settled.
    const UpdateFailRecord record = ReadUpdateFailInfo();
    if (record.complete && record.kind == g_upgradeKind)
        RemoveUpdateFailInfo();
    return 0;
}
