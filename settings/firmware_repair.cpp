#include "firmware_repair.h"

#include "app_state.h"
#include "devicelib.h"
#include "firmware_images.h"
#include "post_msg.h"
#include "registry_values.h"

#include <mutex>

UpdateFailRecord g_repairRecord;
std::atomic<bool> g_repairProgressSeen{false};
std::atomic<int> g_repairStage{0};
std::atomic<int> g_repairStageCount{1};
std::atomic<int> g_repairFailedStage{0};
std::atomic<int> g_repairClass{0};
std::atomic<int> g_repairCid{0};
std::atomic<int> g_repairMid{0};
std::atomic<bool> g_repairMouseListed{false};
QString g_repairMouseModel;
std::atomic<int> g_repairMessages{0};

namespace {

const int kUpgradeTimeoutMs = 10000;

// Held while a message is counted against the open run, and while a silent
// run is closed, so that a run ends once: by its result or by its silence.
std::mutex s_runMutex;

// The stage's device may now wait in boot mode: offer its repair.
void RecordFailedStage(int stage)
{
    SetUpdateFailInfo(stage == 0 ? FirmwareKindReceiver : FirmwareKindMouse, g_repairClass, g_repairCid,
                      g_repairMid);
}

// Stage 0 succeeded: the mouse follows when its image exists and the mouse
// can be reached (it is the record's device, or was listed on its cable).
bool StartMouseStage()
{
    g_repairStage = 1;
    QString noVersion;
    if (!FindRepairFirmwareFile(FirmwareKindMouse, noVersion, g_repairMouseModel, uint8_t(g_repairCid & 0xFF),
                                uint8_t(g_repairMid & 0xFF)))
        return false;
    if (g_repairFailedStage != 1 && !g_repairMouseListed)
        return false;
    const QByteArray image = g_repairImages.first();
    return UsbUpgrade_Start(reinterpret_cast<const unsigned char*>(image.constData()), RepairUpgradeCallback,
                            kUpgradeTimeoutMs)
        != 0;
}

} // namespace

bool EndSilentRepair(int messagesSeen)
{
    {
        std::lock_guard<std::mutex> lock(s_runMutex);
        if (!g_repairRunning || g_repairMessages != messagesSeen)
            return false;
        g_repairRunning = false;
    }
    RecordFailedStage(g_repairStage);
    ReportRepairEnd(false, 6);
    return true;
}

void ReportRepairEnd(bool repaired, int code)
{
    g_repairProgressSeen = false;
    g_deviceAccessAllowed = true;
    g_repairRunning = false;
    PostMsg* hub = PostMsg::GetInstance();
    emit hub->SigAutoRepair(repaired ? 0 : 1);
    emit hub->SigUpDateButton(repaired);
    emit hub->SigProgress(0, code);
}

int RepairUpgradeCallback(const unsigned char* message)
{
    if (!message || message[0] != DEVICELIB_UPGRADE_MESSAGE)
        return 0;
    {
        std::lock_guard<std::mutex> lock(s_runMutex);
        if (!g_repairRunning)
            return 0; // a flashing given up as silent speaks again
        ++g_repairMessages;
    }
    if (message[1] == DEVICELIB_UPGRADE_PROGRESS) {
        g_repairProgressSeen = true;
        int value = message[2];
        if (g_repairStageCount == 2)
            value = value / 2 + (g_repairStage == 1 ? 50 : 0);
        emit PostMsg::GetInstance()->SigAutoRepairProgress(value);
        return 0;
    }
    if (message[1] != DEVICELIB_UPGRADE_RESULT)
        return 0;

    const int stage = g_repairStage;
    g_repairProgressSeen = false;
    if (message[2] != 1) {
        RecordFailedStage(stage);
        ReportRepairEnd(false, 6);
        return 0;
    }
    if (stage == g_repairFailedStage)
        RemoveUpdateFailInfo();
    if (stage == 1) {
        ReportRepairEnd(true, 2);
        return 0;
    }
    // Device access stays off while the mouse stage runs.
    if (StartMouseStage())
        return 0;
    const bool repaired = g_repairFailedStage == 0;
    ReportRepairEnd(repaired, repaired ? 2 : 5);
    return 0;
}
