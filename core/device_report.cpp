#include "device_report.h"

#include "app_state.h"
#include "config_store.h"
#include "device_cache.h"
#include "device_image_setters.h"
#include "mouse_profile.h"
#include "post_msg.h"
#include "registry_values.h"

#include <devicelib.h>

#include <QElapsedTimer>
#include <QMutex>
#include <QMutexLocker>

#include <cstring>

namespace {

enum ReportType {
    ReportBattery = 4,
    ReportData = 8,
    ReportConfigApplied = 9,
    ReportStatusChanged = 10,
    ReportConfigList = 14,
    ReportVersion = 18,
    ReportDongleLight = 21,
    ReportLongRange = 23
};

enum DataSubCode { DataDumpOrRate = 0x00, DataCurrentDpi = 0x04, DataDpiLed = 0x4C, DataLedBar = 0xA0 };

enum StatusFlag { StatusDpi = 0, StatusRate = 1, StatusRestart = 2, StatusDpiLed = 3, StatusLedBar = 5, StatusBattery = 6 };

const int kDumpSize = 6912;
const int kDpiLedPayloadSize = 8;
const int kLedBarPayloadSize = 9;
const int kLongRangePayloadSize = 10;
const int kButtonsWithCatalogueKeys = 6;
const int kRestartDebounceMs = 3000;
const int kHighestCableRateCode = 15;

PostMsg* Hub()
{
    return PostMsg::GetInstance();
}

// --- restart debounce clock --------------------------------------------------

QMutex s_clockMutex;
std::function<qint64()> s_clock;
qint64 s_lastRestart = 0;

// True when the last accepted restart (or the start of the count) lies more
// than 3000 ms back; the count then starts again.
bool TakeRestartRequest()
{
    QMutexLocker locker(&s_clockMutex);
    if (s_clock) {
        const qint64 now = s_clock();
        if (now - s_lastRestart <= kRestartDebounceMs)
            return false;
        s_lastRestart = now;
        return true;
    }
    if (!g_statusTimer.isValid()) {
        // No worker has started the count; the first request is taken.
        g_statusTimer.start();
        return true;
    }
    if (g_statusTimer.elapsed() <= kRestartDebounceMs)
        return false;
    g_statusTimer.restart();
    return true;
}

// --- the dump ------------------------------------------------------------------

// Buttons 0-5 whose catalogue function starts with "0x05" keep their key
// record and macro block when a configuration was applied.
QList<int> KeptButtons(int modelIndex)
{
    QList<int> kept;
    const QString group = ConfigStore::ModelGroup(modelIndex);
    for (int button = 0; button < kButtonsWithCatalogueKeys; ++button) {
        const QStringList items =
            ConfigStore::Instance()->ValueList(group, QStringLiteral("KeyParam") + QString::number(button + 1));
        if (!items.isEmpty() && items.first().trimmed() == QLatin1String("0x05"))
            kept.append(button);
    }
    return kept;
}

void ClearKeyData(FlashDataMap& image, int modelIndex)
{
    const QList<int> kept = KeptButtons(modelIndex);
    for (int button = 0; button < FlashDataMap::ButtonCount; ++button) {
        if (kept.contains(button))
            continue;
        std::memset(image.keyEvents[button], 0, FlashDataMap::KeyEventRecordSize);
        std::memset(image.macroBlocks[button], 0, FlashDataMap::MacroBlockSize);
    }
}

void QueryReceiver(const DeviceAllInfo& device)
{
    const QByteArray path = device.path.toLatin1();
    if (!device.wired && device.connectionType == 1) {
        UsbFinderC_Get4KDongleRGBValue(path.constData(), g_dongleRgb.bytes);
        if (g_dongleRgb.bytes[0] != 0)
            emit Hub()->SigRGBValue(&g_dongleRgb);
    }
    const unsigned char noAnswer = 's';
    unsigned char mode = noAnswer;
    UsbFinderC_GetLongRangeMode(path.constData(), &mode);
    if (mode != noAnswer && mode != 0)
        emit Hub()->SigLongRangeMode(true);
}

void EmitImage(const FlashDataMap& image)
{
    emit Hub()->SigUpDataLightUIButton(image);
    emit Hub()->SigUpDataLightLight(image);
    emit Hub()->SigUpDataLightSensor(image);
    emit Hub()->SigForm();
}

void HandleDump(const unsigned char* payload)
{
    // A device opened meanwhile gets its own dump; this one is not its.
    const quint64 opening = MouseProfile::Opening();
    // Parsed aside: the user-interface thread may be sending the image.
    FlashDataMap parsed;
    std::memset(parsed.bytes(), 0, FlashDataMap::Size);
    ProtocolDataParser(payload, parsed.bytes());

    const DeviceAllInfo device = CurrentDeviceCopy();

    UsbServer_ReadDPILed();
    UsbServer_ReadBatteryLevel();
    UsbServer_ReadVersion();
    UsbServer_ReadConfig();

    if (!g_configApplied)
        QueryReceiver(device);
    g_configApplied = false;

    const bool cleaned = g_resetKeysPending;
    if (cleaned) {
        ClearKeyData(parsed, device.modelIndex);
        g_resetKeysPending = false;
    }

    MouseProfile::DumpUse use = MouseProfile::DumpUse::Dropped;
    {
        // The image and the name of its cache file change together: a save
        // of the cache never writes one device's image into another's file.
        QMutexLocker locker(&g_deviceImageMutex);
        const FlashDataMap before = g_deviceImage;
        const QString beforeName = g_cacheNameOnDump;
        g_deviceImage = parsed;
        g_cacheNameOnDump = DeviceCacheName(device.cid, device.mid);
        use = MouseProfile::DumpRead(opening);
        if (use == MouseProfile::DumpUse::Dropped) {
            g_deviceImage = before;
            g_cacheNameOnDump = beforeName;
            return;
        }
    }
    if (use == MouseProfile::DumpUse::TakenReadAgain) {
        // No change may go out before the dump read again: its keys are
        // cleaned when it comes.
        if (cleaned)
            g_resetKeysPending = true;
        RequestDeviceDump();
    } else if (cleaned) {
        // Only an image the program changed goes back. The dump itself is
        // what the mouse holds, and by the time an echo of it arrived the
        // mouse may have moved on to another profile (a quick run of
        // switches), which the echo would overwrite.
        SendDeviceImage();
    }

    g_sensorPageApplied = false;
    g_buttonPageApplied = false;
    EmitImage(parsed);

    // g_workerRun is left alone: the pass clears it itself, and clearing it
    // here would cancel a pass the user-interface thread asked for while the
    // pages were being filled.
    g_deviceReady = true;
}

// --- small reports ---------------------------------------------------------------

void HandleReportRate(uint8_t code)
{
    if (CurrentDeviceCopy().wired && code > kHighestCableRateCode)
        return;
    {
        QMutexLocker locker(&g_deviceImageMutex);
        g_deviceImage.reportRate = code;
    }
    emit Hub()->SigUpDataReportRate(code);
    SendDeviceImage();
}

void HandleCurrentStage(uint8_t stage)
{
    if (stage >= FlashDataMap::StageCount)
        return;
    {
        QMutexLocker locker(&g_deviceImageMutex);
        g_deviceImage.currentDpiStage = stage;
    }
    emit Hub()->SigUpDataDPI(stage);
}

// Writes one light block of the image and emits the image through signal.
template <class Signal>
void HandleLightBlock(bool (*decode)(const unsigned char*, int, unsigned char*), std::size_t offset, int blockSize,
                      const unsigned char* payload, int payloadLength, Signal signal)
{
    unsigned char block[8] = {};
    Q_ASSERT(blockSize <= int(sizeof block));
    if (!decode(payload, payloadLength, block))
        return;
    FlashDataMap copy;
    {
        QMutexLocker locker(&g_deviceImageMutex);
        std::memcpy(g_deviceImage.bytes() + offset, block, std::size_t(blockSize));
        copy = g_deviceImage;
    }
    emit (Hub()->*signal)(copy);
}

void HandleData(int subCode, const unsigned char* payload, int payloadLength)
{
    switch (subCode) {
    case DataDumpOrRate:
        if (payloadLength == kDumpSize)
            HandleDump(payload);
        else if (payloadLength == 1)
            HandleReportRate(payload[0]);
        break;
    case DataCurrentDpi:
        if (payloadLength == 1)
            HandleCurrentStage(payload[0]);
        break;
    case DataDpiLed:
        if (payloadLength == kDpiLedPayloadSize)
            HandleLightBlock(&BufferToDPILed, ImageOffset::DpiLed, 4, payload, payloadLength,
                             &PostMsg::SigUpDataDPILed);
        break;
    case DataLedBar:
        if (payloadLength == kLedBarPayloadSize)
            HandleLightBlock(&BufferToLedBar, ImageOffset::LedBar, 7, payload, payloadLength,
                             &PostMsg::SigUpDataLightLight);
        break;
    default:
        break;
    }
}

void HandleBattery(const unsigned char* payload, int payloadLength)
{
    unsigned char battery[4] = {};
    if (!GetDeviceBatteryStatus(payload, payloadLength, battery))
        return;
    std::memcpy(g_batteryStatus, battery, sizeof battery);
    emit Hub()->SigBattery(battery[1] != 0, battery[0], g_showBatteryValue == 1);
}

void HandleStatusChanged(const unsigned char* payload, int payloadLength)
{
    unsigned char flags[7] = {};
    if (!GetDeviceStatusChanged(payload, payloadLength, flags))
        return;
    std::memcpy(g_statusChangedFlags, flags, sizeof flags);
    ReadChangedStatus();
}

// The catalogue's defaults for the receiver: item 0 long-range mode, item 1
// light mode. A missing item changes nothing.
void HandleConfigApplied()
{
    // The image in memory is no longer what the mouse holds.
    MouseProfile::ConfigurationApplied();
    const DeviceAllInfo device = CurrentDeviceCopy();
    const QStringList items = ConfigStore::Instance()->ValueList(ConfigStore::ModelGroup(device.modelIndex),
                                                                 QStringLiteral("Adveanced"));
    const QByteArray path = device.path.toLatin1();

    if (items.size() > 1) {
        const int lightMode = items.at(1).trimmed().toInt();
        if (lightMode > 0 && !device.wired && device.connectionType == 1) {
            g_dongleRgb.bytes[0] = uint8_t(lightMode);
            UsbFinderC_Set4KDongleRGB(path.constData(), g_dongleRgb.bytes);
            if (g_dongleRgb.bytes[0] != 0)
                emit Hub()->SigRGBValue(&g_dongleRgb);
        }
    }
    if (!items.isEmpty()) {
        const int longRange = items.at(0).trimmed().toInt();
        if (longRange == 0 || longRange == 1) {
            UsbFinderC_SetLongRangeMode(path.constData(), longRange == 1);
            emit Hub()->SigLongRangeMode(longRange == 1);
        }
    }

    // Set before the request: the dump it brings must find them.
    g_resetKeysPending = true;
    g_configApplied = true;
    RequestDeviceDump();
}

void HandleConfigList(const unsigned char* payload, int payloadLength)
{
    if (payloadLength == 1) {
        MouseProfile::Reported(payload[0]);
        emit Hub()->SigUpDataConfigUI(4, payload[0], true);
    } else {
        emit Hub()->SigUpDataConfigUI(0, 0, false);
    }
}

void HandleVersion()
{
    const DeviceAllInfo device = CurrentDeviceCopy();
    const QByteArray path = device.path.toUtf8();
    const int version = UsbFinderC_GetVersion(path.constData());
    const QString text = StoreMouseFirmwareVersion(device.modelIndex, unsigned(version));
    {
        // The user-interface thread copies the record meanwhile.
        QMutexLocker locker(&g_currentDeviceMutex);
        g_currentDevice.mouseVersion = text;
    }
    emit Hub()->SigSetver(0);
}

} // namespace

void OnDeviceReport(const unsigned char* header, int headerLength, const unsigned char* payload, int payloadLength)
{
    if (!header)
        return;
    auto headerByte = [&](int index) { return headerLength > index ? int(header[index]) : 0; };
    if (!payload)
        payloadLength = 0;
    const int type = headerByte(1);

    switch (type) {
    case ReportBattery:
        HandleBattery(payload, payloadLength);
        break;
    case ReportData:
        if (headerByte(3) == 0)
            HandleData(headerByte(4), payload, payloadLength);
        break;
    case ReportConfigApplied:
        HandleConfigApplied();
        break;
    case ReportStatusChanged:
        HandleStatusChanged(payload, payloadLength);
        break;
    case ReportConfigList:
        HandleConfigList(payload, payloadLength);
        break;
    case ReportVersion:
        HandleVersion();
        break;
    case ReportDongleLight:
        emit Hub()->SigRGBValue(&g_dongleRgb);
        break;
    case ReportLongRange:
        if (payloadLength == kLongRangePayloadSize)
            emit Hub()->SigLongRangeMode(false);
        break;
    default:
        break;
    }
}

void ReadChangedStatus()
{
    unsigned char flags[7];
    std::memcpy(flags, g_statusChangedFlags, sizeof flags);
    if (flags[StatusDpi])
        UsbServer_ReadCurrentDPI();
    if (flags[StatusRate])
        UsbServer_ReadReportRate();
    if (flags[StatusBattery])
        UsbServer_ReadBatteryLevel();
    if (flags[StatusLedBar])
        UsbServer_ReadLedBar();
    if (flags[StatusDpiLed])
        UsbServer_ReadDPILed();
    if (flags[StatusRestart] && TakeRestartRequest()) {
        // The online check acts on g_restartNeeded; the pass it starts must
        // already see g_forceReconnect.
        g_forceReconnect = true;
        g_restartNeeded = true;
    }
}

void SetStatusClock(std::function<qint64()> nowMs)
{
    QMutexLocker locker(&s_clockMutex);
    s_clock = std::move(nowMs);
    s_lastRestart = s_clock ? s_clock() : 0;
}
