// The firmware images the update and repair engines flash: each engine keeps
// the image its last search chose (at most one) in a list of its own.
//
// The search itself, HasFirmwareFile and CheckFirmwareUpdate live in the
// core (firmware_search.h), which the device page's hot-plug handler uses.
#ifndef FIRMWARE_IMAGES_H
#define FIRMWARE_IMAGES_H

#include "firmware_search.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>

// Filled by FindFirmwareFile; read by the update run and its callback.
extern QList<QByteArray> g_firmwareImages;
// Filled by FindRepairFirmwareFile; read by the repair engine.
extern QList<QByteArray> g_repairImages;

// Empties g_firmwareImages, then searches the folder "bin" beside the program
// with the update rule; the chosen image becomes the list's only entry. A
// file that cannot be opened ends the search with false, keeping an image
// chosen before it.
bool FindFirmwareFile(uint8_t kind, const QString& currentVersion, const QString& modelName, uint8_t cid,
                      uint8_t mid);

// The same with the repair rule into g_repairImages. currentVersion loses
// every "v" (callers rely on the text they passed being normalised).
bool FindRepairFirmwareFile(uint8_t kind, QString& currentVersion, const QString& modelName, uint8_t cid,
                            uint8_t mid);

#endif // FIRMWARE_IMAGES_H
