#include "app_state.h"

#include <QElapsedTimer>
#include <QMutexLocker>

const QString g_appName = QStringLiteral("Quorix One");

FlashDataMap g_deviceImage;
QMutex g_deviceImageMutex;
DongleRGB g_dongleRgb;

DeviceAllInfo g_currentDevice;
QMutex g_currentDeviceMutex;

DeviceAllInfo CurrentDeviceCopy()
{
    QMutexLocker locker(&g_currentDeviceMutex);
    return g_currentDevice;
}

void SetCurrentDevice(const DeviceAllInfo& device)
{
    QMutexLocker locker(&g_currentDeviceMutex);
    g_currentDevice = device;
}

DeviceAllInfo g_repairTarget;
QList<DeviceAllInfo> g_homeDeviceList;
QList<DeviceAllInfo> g_foundDeviceList;
QList<DeviceAllInfo> g_devicePageList;
QStringList g_usbPidList;
QStringList g_wirelessPidList;
QStringList g_wireless2PidList;
QStringList g_wireless4PidList;
QStringList g_wireless8PidList;
int g_unknownModelIndex = 0;

QByteArray DevicePath::bytes() const
{
    QMutexLocker locker(&m_mutex);
    return m_path;
}

void DevicePath::set(const QByteArray& path)
{
    QMutexLocker locker(&m_mutex);
    m_path = path;
}

bool DevicePath::isEmpty() const
{
    QMutexLocker locker(&m_mutex);
    return m_path.isEmpty();
}

DevicePath g_devicePath;

unsigned char g_usbAddressBuffer[10] = {};
unsigned char g_statusChangedFlags[7] = {};
unsigned char g_batteryStatus[4] = {};

QString g_cacheNameOnSelect;
QString g_cacheNameOnDump;

std::atomic<int> g_deviceSelected{0};
std::atomic<bool> g_sendEnabled{false};
std::atomic<bool> g_buttonPageUpdating{false};
std::atomic<bool> g_sensorPageUpdating{false};
std::atomic<bool> g_lightPageUpdating{false};
std::atomic<bool> g_buttonPageApplied{false};
std::atomic<bool> g_sensorPageApplied{false};
std::atomic<bool> g_lightPageApplied{false};
std::atomic<bool> g_applyingParameters{false};
std::atomic<bool> g_workerRun{false};
std::atomic<bool> g_deviceOnline{false};
std::atomic<bool> g_lastOnline{false};
std::atomic<bool> g_deviceReady{false};
std::atomic<bool> g_waitingForDevice{false};
std::atomic<bool> g_restartNeeded{false};
std::atomic<bool> g_forceReconnect{false};
std::atomic<bool> g_macroRecording{false};
std::atomic<bool> g_deviceAccessAllowed{true};
std::atomic<bool> g_resetKeysPending{false};
std::atomic<bool> g_configApplied{false};
std::atomic<int> g_showBatteryValue{0};
std::atomic<bool> g_mouseUpdateAvailable{false};
std::atomic<bool> g_receiverUpdateAvailable{false};
std::atomic<bool> g_firmwareUpdating{false};
std::atomic<bool> g_repairRunning{false};
std::atomic<int> g_importRequested{0};
std::atomic<int> g_importResult{0};
std::atomic<int> g_offlineNoticeMode{0};

QString g_wiredModeText;

Worker* g_worker = nullptr;
QTimer* g_onlineCheckTimer = nullptr;
QElapsedTimer g_statusTimer;
