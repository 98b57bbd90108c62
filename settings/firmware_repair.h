// The repair engine's state and its upgrade callback: a receiver or mouse
// left in boot mode by a failed update is flashed again from the home page,
// the receiver image first (stage 0), then the mouse image (stage 1), each
// stage filling half of the progress bar when both images exist.
//
// CheckRepair, StartUpgrade and ForceUpgrade are members of the dialog
// (up_date_repair.h); the callback runs on the device library's thread and
// reaches the dialog and the home page only through hub signals.
#ifndef FIRMWARE_REPAIR_H
#define FIRMWARE_REPAIR_H

#include "registry_values.h"

#include <QString>

#include <atomic>

// The pending-repair record as the last check read it.
extern UpdateFailRecord g_repairRecord;
// The running stage has reported progress but no result yet.
extern std::atomic<bool> g_repairProgressSeen;
extern std::atomic<int> g_repairStage;       // 0 receiver, 1 mouse
extern std::atomic<int> g_repairStageCount;  // 2 when both images exist
extern std::atomic<int> g_repairFailedStage; // the stage that repairs the record's device
extern std::atomic<int> g_repairClass;       // receiver class of the record, 0 none
extern std::atomic<int> g_repairCid;
extern std::atomic<int> g_repairMid;
// A cable mouse of the model was listed when the run started, so the mouse
// stage may follow a receiver stage that repaired the receiver.
extern std::atomic<bool> g_repairMouseListed;
// Catalogue name of the mouse image (written before a run starts).
extern QString g_repairMouseModel;

// Upgrade messages the callback took since the program started; a repair
// whose count stands still for kSilentFlashTicks one-second ticks
// (silent_flash.h) has gone silent.
extern std::atomic<int> g_repairMessages;

// Ends the running repair as failed when no upgrade message came since the
// count `messagesSeen`: the record names the stage's device, the dialog shows
// the failure and may be closed, and a later message of that flashing is
// dropped. False when the run already ended or a message came.
bool EndSilentRepair(int messagesSeen);

// Hub signals of a finished run: the result text, the home page's Repair
// button, and the dialog's result code (2 done, 5 second stage not run, 6
// failed). The Repair button stays while the record's device is not repaired.
void ReportRepairEnd(bool repaired, int code);

// Handed to UsbUpgrade_Start; one upgrade message per call.
int RepairUpgradeCallback(const unsigned char* message);

#endif // FIRMWARE_REPAIR_H
