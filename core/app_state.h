// Program-wide state shared by the user-interface thread, the worker thread
// and the device library's callback threads. Flags are atomic; the order in
// which a thread writes them is part of the protocol between the threads
// (for example g_workerRun is set before QThread::start).
//
// g_deviceImage is written under g_deviceImageMutex by every writer that also
// sends it; never hold that lock across a blocking-queued emit. The setters
// and EditAndSendDeviceImage / DeviceImageCopy (device_image_setters.h) do
// the locking for their callers.
#ifndef APP_STATE_H
#define APP_STATE_H

#include "device_all_info.h"
#include "flash_data_map.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <atomic>

class QTimer;
class QElapsedTimer;
class Worker;

extern const QString g_appName; // "Quorix One"

// --- device image ----------------------------------------------------------
extern FlashDataMap g_deviceImage;
extern QMutex g_deviceImageMutex; // guards every write-and-send of g_deviceImage
extern DongleRGB g_dongleRgb;

// --- device records and lists (user-interface thread unless noted) ---------
extern DeviceAllInfo g_currentDevice;
extern QMutex g_currentDeviceMutex; // guards g_currentDevice.mouseVersion written by the report thread
// g_currentDevice as one consistent copy, and its replacement, both under
// g_currentDeviceMutex: the report thread reads the record and writes its
// mouseVersion while the user-interface thread copies and replaces it.
DeviceAllInfo CurrentDeviceCopy();
void SetCurrentDevice(const DeviceAllInfo& device);
extern DeviceAllInfo g_repairTarget;
extern QList<DeviceAllInfo> g_homeDeviceList;
extern QList<DeviceAllInfo> g_foundDeviceList;
extern QList<DeviceAllInfo> g_devicePageList;
extern QStringList g_usbPidList;
extern QStringList g_wirelessPidList;
extern QStringList g_wireless2PidList;
extern QStringList g_wireless4PidList;
extern QStringList g_wireless8PidList;
extern int g_unknownModelIndex;

// The path every library call about the selected device receives. Readers on
// any thread take a copy, so a replacement never frees a buffer in use:
//     UsbFinderC_GetDeviceOnLine(g_devicePath.bytes().constData());
class DevicePath {
public:
    QByteArray bytes() const;
    void set(const QByteArray& path);
    bool isEmpty() const;
private:
    mutable QMutex m_mutex;
    QByteArray m_path;
};
extern DevicePath g_devicePath;

extern unsigned char g_usbAddressBuffer[10];
extern unsigned char g_statusChangedFlags[7];
extern unsigned char g_batteryStatus[4];

// --- cache file names --------------------------------------------------------
extern QString g_cacheNameOnSelect; // of the selected device; under g_currentDeviceMutex
extern QString g_cacheNameOnDump;   // of the device g_deviceImage holds; under g_deviceImageMutex

// --- flags -------------------------------------------------------------------
extern std::atomic<int> g_deviceSelected;
extern std::atomic<bool> g_sendEnabled;
extern std::atomic<bool> g_buttonPageUpdating;
extern std::atomic<bool> g_sensorPageUpdating;
extern std::atomic<bool> g_lightPageUpdating;
extern std::atomic<bool> g_buttonPageApplied;
extern std::atomic<bool> g_sensorPageApplied;
extern std::atomic<bool> g_lightPageApplied;
extern std::atomic<bool> g_applyingParameters;
extern std::atomic<bool> g_workerRun;
extern std::atomic<bool> g_deviceOnline;
extern std::atomic<bool> g_lastOnline;
extern std::atomic<bool> g_deviceReady;
extern std::atomic<bool> g_waitingForDevice;
extern std::atomic<bool> g_restartNeeded;
extern std::atomic<bool> g_forceReconnect;
extern std::atomic<bool> g_macroRecording;
extern std::atomic<bool> g_deviceAccessAllowed; // starts true
extern std::atomic<bool> g_resetKeysPending;
extern std::atomic<bool> g_configApplied;
extern std::atomic<int> g_showBatteryValue;
extern std::atomic<bool> g_mouseUpdateAvailable;
extern std::atomic<bool> g_receiverUpdateAvailable;
extern std::atomic<bool> g_firmwareUpdating;
extern std::atomic<bool> g_repairRunning;
extern std::atomic<int> g_importRequested;
extern std::atomic<int> g_importResult;
extern std::atomic<int> g_offlineNoticeMode; // 0 offline text, 1 time-out text

// --- texts shared between pages ---------------------------------------------
extern QString g_wiredModeText;

// --- worker ------------------------------------------------------------------
extern Worker* g_worker;
extern QTimer* g_onlineCheckTimer;
extern QElapsedTimer g_statusTimer;

#endif // APP_STATE_H
