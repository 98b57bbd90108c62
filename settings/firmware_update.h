// The settings page's firmware update run: its program-wide state and the
// upgrade callback, which runs on the device library's thread and only
// records the result and sends hub signals; the page's step machine
// (form_setting_update.cpp) polls the recorded state once a second.
#ifndef FIRMWARE_UPDATE_H
#define FIRMWARE_UPDATE_H

#include <QList>

#include <atomic>
#include <cstdint>

struct DeviceAllInfo;

// State of one device kind in the update run.
enum UpdateState { UpdateIdle = 0, Upgrading = 1, UpdateSucceeded = 2, UpdateFailed = 3, NothingToFlash = 4 };

extern std::atomic<int> g_receiverUpdateState;
extern std::atomic<int> g_mouseUpdateState;
// The state of kind 211 (receiver) or 210 (mouse).
std::atomic<int>& UpdateStateOf(int kind);
// 2 when receiver and mouse are flashed in one run: each fills half the bar.
extern std::atomic<int> g_upgradeStageCount;
// Receiver class of the run: 0 none, 1, 2, 4 or 8 (1K, 2K, 4K, 8K).
extern std::atomic<int> g_receiverClass;
// What the failure record names: the kind being flashed, the model's id.
extern std::atomic<int> g_upgradeKind;
extern std::atomic<int> g_firmwareMid;
// Written before each flashing starts, read by the callback: the version
// the device runs after a success, and the model whose mouse version is kept.
extern std::atomic<uint32_t> g_upgradeVersion;
extern std::atomic<int> g_upgradeModelIndex;
// Upgrade messages received since the flashing started.
extern std::atomic<int> g_upgradeMessages;

// The bar's value for a flashing's percentage: with two stages the receiver
// fills 0-50 and the mouse 50-100.
int UpdateProgress(int percent, int stageCount, bool mouseStage);

// Reads Option/CID of the catalogue into g_firmwareCid; the searches take
// its low byte.
void ReadFirmwareCid();
uint8_t FirmwareCidByte();

// Of a two-entry device list (a cable mouse and its receiver): the first
// receiver with an address whose connection type gives a class.
const DeviceAllInfo* ListedReceiver(const QList<DeviceAllInfo>& list);

// Handed to UsbUpgrade_Start; one upgrade message per call.
int UpdateUpgradeCallback(const unsigned char* message);

// Ends the kind that is flashing as failed (no answer in time): the same as
// a failure result.
void FailUpgrade();

#endif // FIRMWARE_UPDATE_H
