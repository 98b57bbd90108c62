// The exported functions of devicelib.h, answered from the simulated world.
#include "devicelib.h"

#include "dump_codec.h"
#include "firmware_image.h"
#include "sim_library.h"

#include <cstring>

namespace {

SimLibrary& lib()
{
    return SimLibrary::instance();
}

QString text(const char* value)
{
    return value ? QString::fromUtf8(value) : QStringLiteral("(null)");
}

QString number(int value)
{
    return QString::number(value);
}

char** findDevices(const char* vid, const char* pid, int capacity, int* count)
{
    SimLibrary& l = lib();
    const int vidValue = vid ? parseHexId(QByteArray(vid)) : -1;
    const int pidValue = pid ? parseHexId(QByteArray(pid)) : -1;
    std::vector<char*>& found = l.find(vidValue, pidValue, qMax(capacity, 0));
    if (count)
        *count = int(found.size()) - 1;
    return found.data();
}

bool requestFromMouse(const char* function, MouseRequest request)
{
    auto locked = lib().lock();
    lib().log(function);
    return lib().request(request);
}

} // namespace

extern "C" {

// --- Discovery -------------------------------------------------------------

char** UsbFinderC_FindHidDevicesByDefaultDeviceId(const char* vid, const char* pid, int* count)
{
    auto locked = lib().lock();
    lib().log("UsbFinderC_FindHidDevicesByDefaultDeviceId", text(vid) + QLatin1Char('/') + text(pid));
    return findDevices(vid, pid, count ? *count : 0, count);
}

char** UsbFinderC_FindHidDevicesByDeviceId(const char* vid, const char* pid, int usagePage, int capacity, int* count)
{
    Q_UNUSED(usagePage) // every simulated device has one interface
    auto locked = lib().lock();
    lib().log("UsbFinderC_FindHidDevicesByDeviceId", text(vid) + QLatin1Char('/') + text(pid));
    return findDevices(vid, pid, capacity, count);
}

bool UsbFinderC_GetUsbDeviceAttribute(const char* path, unsigned char* attribute12)
{
    auto locked = lib().lock();
    lib().log("UsbFinderC_GetUsbDeviceAttribute", text(path));
    if (!attribute12)
        return false;
    uint16_t pid = 0;
    uint32_t version = 0;
    if (const SimReceiver* r = lib().visibleReceiver(path)) {
        pid = r->pid;
        version = r->version;
    } else if (const SimMouse* m = lib().cableMouse(path)) {
        pid = m->cablePid;
        version = m->version;
    } else {
        return false;
    }
    const uint16_t vid = lib().world.vid;
    std::memset(attribute12, 0, DEVICELIB_ATTRIBUTE_SIZE);
    attribute12[0] = DEVICELIB_ATTRIBUTE_SIZE;
    attribute12[4] = uint8_t(vid & 0xFF);
    attribute12[5] = uint8_t(vid >> 8);
    attribute12[6] = uint8_t(pid & 0xFF);
    attribute12[7] = uint8_t(pid >> 8);
    attribute12[8] = uint8_t(version & 0xFF);
    attribute12[9] = uint8_t((version >> 8) & 0xFF);
    return true;
}

DeviceIdentity UsbFinderC_GetDeviceInfo(const char* path)
{
    auto locked = lib().lock();
    lib().log("UsbFinderC_GetDeviceInfo", text(path));
    auto answer = [](int& zeros, uint8_t cid, uint8_t mid, int type) {
        if (zeros > 0) {
            --zeros;
            return DeviceIdentity{0, 0, static_cast<unsigned char>(type)};
        }
        return DeviceIdentity{cid, mid, static_cast<unsigned char>(type)};
    };
    if (SimReceiver* r = lib().visibleReceiver(path))
        return answer(r->identityZeros, r->cid, r->mid, SimDefaults::connectionType(r->receiverClass));
    if (SimMouse* m = lib().cableMouse(path))
        return answer(m->identityZeros, m->cid, m->mid, DEVICELIB_CONN_CABLE);
    return DeviceIdentity{0, 0, 0};
}

bool UsbFinderC_GetDeviceOnLine(const char* path)
{
    auto locked = lib().lock();
    lib().log("UsbFinderC_GetDeviceOnLine", text(path));
    return lib().answeringMouse(path) != nullptr;
}

bool UsbFinderC_GetDeviceOnLineWithUsbAddress(const char* path, unsigned char* reply10)
{
    auto locked = lib().lock();
    lib().log("UsbFinderC_GetDeviceOnLineWithUsbAddress", text(path));
    if (!reply10)
        return false;
    std::memset(reply10, 0, DEVICELIB_ONLINE_REPLY_SIZE);
    Address address{};
    if (const SimReceiver* r = lib().visibleReceiver(path)) {
        address = r->address;
    } else if (const SimMouse* m = lib().cableMouse(path)) {
        // The mouse names the receiver it is paired with, so it can be followed.
        if (m->paired)
            address = m->pairedAddress;
    } else {
        return false;
    }
    const bool online = lib().answeringMouse(path) != nullptr;
    reply10[6] = online ? 1 : 0;
    std::memcpy(reply10 + 7, address.data(), 3);
    return online;
}

int UsbFinderC_GetVersion(const char* path)
{
    auto locked = lib().lock();
    lib().log("UsbFinderC_GetVersion", text(path));
    const SimMouse* m = lib().answeringMouse(path);
    return m ? int(m->version) : 0;
}

// --- Receiver settings -----------------------------------------------------

bool UsbFinderC_Get4KDongleRGBValue(const char* path, unsigned char* dongleRgb10)
{
    auto locked = lib().lock();
    lib().log("UsbFinderC_Get4KDongleRGBValue", text(path));
    const SimReceiver* r = lib().visibleReceiver(path);
    if (!r || r->receiverClass != 4 || !dongleRgb10)
        return false;
    std::memcpy(dongleRgb10, r->light.data(), DEVICELIB_DONGLE_RGB_SIZE);
    return true;
}

bool UsbFinderC_Set4KDongleRGB(const char* path, unsigned char* dongleRgb10)
{
    auto locked = lib().lock();
    lib().log("UsbFinderC_Set4KDongleRGB", text(path) + QLatin1Char(' ') + (dongleRgb10 ? number(dongleRgb10[0]) : QString()));
    SimReceiver* r = lib().visibleReceiver(path);
    if (!r || r->receiverClass != 4 || !dongleRgb10 || dongleRgb10[0] < 1 || dongleRgb10[0] > 3)
        return false;
    std::memcpy(r->light.data(), dongleRgb10, DEVICELIB_DONGLE_RGB_SIZE);
    return true;
}

bool UsbFinderC_GetLongRangeMode(const char* path, unsigned char* mode)
{
    auto locked = lib().lock();
    lib().log("UsbFinderC_GetLongRangeMode", text(path));
    const SimReceiver* r = lib().visibleReceiver(path);
    if (!r || !mode)
        return false;
    *mode = r->longRange;
    return true;
}

bool UsbFinderC_SetLongRangeMode(const char* path, bool on)
{
    auto locked = lib().lock();
    lib().log("UsbFinderC_SetLongRangeMode", text(path) + (on ? QStringLiteral(" 1") : QStringLiteral(" 0")));
    SimReceiver* r = lib().visibleReceiver(path);
    if (!r)
        return false;
    r->longRange = on ? 1 : 0;
    return true;
}

// --- Connection ------------------------------------------------------------

bool UsbServerC_Start(const char* path, const char* path2, DeviceReportCallback callback)
{
    Q_UNUSED(path2) // the same device's path; one interface per device here
    auto locked = lib().lock();
    lib().log("UsbServerC_Start", text(path));
    return lib().openConnection(path, callback);
}

void UsbServer_Exit(void)
{
    auto locked = lib().lock();
    lib().log("UsbServer_Exit");
    lib().closeConnection();
}

bool UsbServer_SetPCDriverStatus(bool present)
{
    auto locked = lib().lock();
    lib().log("UsbServer_SetPCDriverStatus", present ? QStringLiteral("1") : QStringLiteral("0"));
    return lib().connectionOpen() && lib().isVisible(lib().connectionPath().constData());
}

bool UsbServer_ReadAllFlashData(void)
{
    return requestFromMouse("UsbServer_ReadAllFlashData", MouseRequest::AllFlashData);
}

bool UsbServer_ReadBatteryLevel(void)
{
    return requestFromMouse("UsbServer_ReadBatteryLevel", MouseRequest::Battery);
}

bool UsbServer_ReadConfig(void)
{
    return requestFromMouse("UsbServer_ReadConfig", MouseRequest::Config);
}

bool UsbServer_ReadCurrentDPI(void)
{
    return requestFromMouse("UsbServer_ReadCurrentDPI", MouseRequest::CurrentDpi);
}

bool UsbServer_ReadDPILed(void)
{
    return requestFromMouse("UsbServer_ReadDPILed", MouseRequest::DpiLed);
}

bool UsbServer_ReadLedBar(void)
{
    return requestFromMouse("UsbServer_ReadLedBar", MouseRequest::LedBar);
}

bool UsbServer_ReadReportRate(void)
{
    return requestFromMouse("UsbServer_ReadReportRate", MouseRequest::ReportRate);
}

bool UsbServer_ReadVersion(void)
{
    return requestFromMouse("UsbServer_ReadVersion", MouseRequest::Version);
}

bool UsbServer_SetCurrentConfig(unsigned char profile)
{
    auto locked = lib().lock();
    lib().log("UsbServer_SetCurrentConfig", number(profile));
    SimMouse* m = lib().connectionMouse();
    if (!m || profile >= m->profiles.size())
        return false;
    lib().requestProfile(*m, profile);
    return true;
}

bool UsbServer_SetClearSetting(void)
{
    auto locked = lib().lock();
    lib().log("UsbServer_SetClearSetting");
    SimMouse* m = lib().connectionMouse();
    if (!m)
        return false;
    lib().requestFactoryReset(*m);
    return true;
}

bool UsbServer_EnterDonglePairOnlyCid(unsigned char cid)
{
    auto locked = lib().lock();
    lib().log("UsbServer_EnterDonglePairOnlyCid", number(cid));
    return lib().requestPairing(cid);
}

bool UsbServer_ReadDonglePairStatus(void)
{
    auto locked = lib().lock();
    lib().log("UsbServer_ReadDonglePairStatus");
    lib().evaluatePairing();
    return lib().requestPairStatus();
}

// --- Image codec -----------------------------------------------------------

bool ProtocolDataParser(const unsigned char* dump, unsigned char* image)
{
    if (!dump || !image)
        return false;
    DumpCodec::decode(dump, image);
    return true;
}

bool ProtocolDataUpdate(const unsigned char* image)
{
    auto locked = lib().lock();
    lib().log("ProtocolDataUpdate");
    SimMouse* m = image ? lib().connectionMouse() : nullptr;
    return m && lib().sendImage(*m, image);
}

bool BufferToDPILed(const unsigned char* payload, int payloadLength, unsigned char* dpiLedBlock)
{
    return DumpCodec::readDpiLedPayload(payload, payloadLength, dpiLedBlock);
}

bool BufferToLedBar(const unsigned char* payload, int payloadLength, unsigned char* ledBarBlock)
{
    return DumpCodec::readLedBarPayload(payload, payloadLength, ledBarBlock);
}

bool GetDeviceBatteryStatus(const unsigned char* payload, int payloadLength, unsigned char* battery4)
{
    return DumpCodec::readBatteryPayload(payload, payloadLength, battery4);
}

bool GetDeviceStatusChanged(const unsigned char* payload, int payloadLength, unsigned char* flags7)
{
    return DumpCodec::readStatusPayload(payload, payloadLength, flags7);
}

// --- Hot plug --------------------------------------------------------------

void StartUsbChanged(HotplugCallback callback, int intervalMs)
{
    {
        auto locked = lib().lock();
        lib().log("StartUsbChanged", number(intervalMs));
        lib().registerHotplug(callback);
    }
    if (callback)
        callback();
}

void StopUsbChanged(void)
{
    auto locked = lib().lock();
    lib().log("StopUsbChanged");
    lib().stopHotplug();
}

// --- Firmware --------------------------------------------------------------

bool UsbUpgradeC_FindBootDevices(const unsigned char* image, int* count)
{
    auto locked = lib().lock();
    lib().log("UsbUpgradeC_FindBootDevices");
    if (!count)
        return false;
    const int found = image ? lib().countBootDevices(image) : -1;
    *count = qMax(found, 0);
    return found >= 0;
}

int UsbUpgrade_Start(const unsigned char* image, UpgradeCallback callback, int timeoutMs)
{
    Q_UNUSED(timeoutMs) // flashing always ends with a result message
    auto locked = lib().lock();
    FirmwareImage::Header header;
    const bool valid = image && FirmwareImage::parse(image, &header);
    lib().log("UsbUpgrade_Start", valid ? QString::fromLatin1(header.name) : QString());
    return valid ? lib().startFlash(image, callback) : 0;
}

bool UsbFinderC_GetSlaveVersion(const char* receiverPath, int* version)
{
    auto locked = lib().lock();
    lib().log("UsbFinderC_GetSlaveVersion", text(receiverPath));
    const SimReceiver* r = lib().visibleReceiver(receiverPath);
    if (!r || !version)
        return false;
    *version = int(r->version);
    return true;
}

bool UsbFinderC_SetDongleIDToMouse(const char* receiverPath, const unsigned char* address3)
{
    auto locked = lib().lock();
    lib().log("UsbFinderC_SetDongleIDToMouse", text(receiverPath));
    const SimReceiver* r = lib().visibleReceiver(receiverPath);
    SimMouse* m = r ? lib().mouseBehind(*r) : nullptr;
    if (!m || !address3)
        return false;
    std::memcpy(m->pairedAddress.data(), address3, 3);
    lib().worldChanged();
    return true;
}

const char* UsbSim_WorldFileError(void)
{
    auto locked = lib().lock();
    return lib().worldError.constData();
}

} // extern "C"
