// Puts the program-wide state (app_state.h) back to its start values, so test
// functions do not see each other's devices, flags or images. Core only:
// usable by the connection tests as well as by the window tests.
#ifndef PROGRAM_STATE_H
#define PROGRAM_STATE_H

#include "app_state.h"
#include "device_report.h"
#include "mouse_profile.h"
#include "worker.h"

#include <cstring>

// The flags the pages and frames test before they write: nothing filling,
// nothing applied, no parameters being applied; sending as asked.
inline void ResetPageFlags(bool sendEnabled = false)
{
    g_sendEnabled = sendEnabled;
    for (auto* flag : {&g_buttonPageUpdating, &g_sensorPageUpdating, &g_lightPageUpdating, &g_buttonPageApplied,
                       &g_sensorPageApplied, &g_lightPageApplied, &g_applyingParameters})
        *flag = false;
}

// Everything the windows and the connection read: records, lists, path,
// cache names, image, flags and the connection's replaceable clocks.
inline void ResetProgramState()
{
    SetCurrentDevice(DeviceAllInfo());
    g_homeDeviceList.clear();
    g_foundDeviceList.clear();
    g_devicePageList.clear();
    g_devicePath.set(QByteArray());
    g_cacheNameOnSelect.clear();
    g_cacheNameOnDump.clear();
    std::memset(g_deviceImage.bytes(), 0, FlashDataMap::Size);
    g_dongleRgb = DongleRGB();
    std::memset(g_statusChangedFlags, 0, sizeof g_statusChangedFlags);
    ResetPageFlags(false);
    for (auto* flag : {&g_workerRun, &g_deviceOnline, &g_lastOnline, &g_deviceReady, &g_waitingForDevice,
                       &g_restartNeeded, &g_forceReconnect, &g_macroRecording, &g_resetKeysPending, &g_configApplied,
                       &g_mouseUpdateAvailable, &g_receiverUpdateAvailable, &g_firmwareUpdating, &g_repairRunning})
        *flag = false;
    g_deviceAccessAllowed = true;
    g_deviceSelected = 0;
    g_importRequested = 0;
    g_importResult = 0;
    g_offlineNoticeMode = 0;
    SetStatusClock(nullptr);
    MouseProfile::SetClock(nullptr);
    MouseProfile::StartOver();
    SetRepairDialogVisibleQuery(nullptr);
}

#endif // PROGRAM_STATE_H
