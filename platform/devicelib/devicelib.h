// Device-access library: the C interface through which the program finds mice
// and receivers, holds one connection to the selected mouse, converts its
// flash content to and from the device image, and watches hot plug.
//
// This build ships a simulated world behind the same functions (see
// devicelib_control.h for the test-only control interface). The program only
// ever includes this header.
//
// Conventions:
// - Paths are NUL-terminated byte texts. Path arrays returned by the finder
//   belong to the library and stay valid until the next finder call.
// - Report and upgrade callbacks run on a library thread, never on the thread
//   that drives the user interface. Hot-plug callbacks run on the thread that
//   registered them (the user-interface thread), which must run an event loop.
// - Bad input (null or unknown path, short buffer, negative count) yields an
//   empty or failure answer, never a crash.
#ifndef DEVICELIB_H
#define DEVICELIB_H

#ifdef __cplusplus
#include <cstdint>
extern "C" {
#else
#include <stdbool.h>
#include <stdint.h>
#endif

#if defined(_WIN32)
#define DEVICELIB_API __declspec(dllimport)
#elif defined(__GNUC__)
#define DEVICELIB_API __attribute__((visibility("default")))
#else
#define DEVICELIB_API
#endif

// Sizes of the buffers exchanged with the library.
enum {
    DEVICELIB_IMAGE_SIZE = 10428,     // device image (the program's FlashDataMap)
    DEVICELIB_DUMP_SIZE = 6912,       // flash-dump report payload
    DEVICELIB_ATTRIBUTE_SIZE = 12,    // HID attribute record, bytes 8-9 = version (LE)
    DEVICELIB_ONLINE_REPLY_SIZE = 10, // byte 6 = 1 online, bytes 7-9 receiver address
    DEVICELIB_DONGLE_RGB_SIZE = 10,   // receiver light record, byte 0 = light mode
    DEVICELIB_DPI_LED_SIZE = 4,       // image block at 0x3F
    DEVICELIB_LED_BAR_SIZE = 7,       // image block at 0x43
    DEVICELIB_BATTERY_SIZE = 4,       // byte 0 percent, byte 1 charging
    DEVICELIB_STATUS_FLAGS_SIZE = 7,  // one byte per changed value
    DEVICELIB_FIRMWARE_HEADER_SIZE = 728
};

// Report header: byte 1 report type, byte 3 must be 0 for type 8, byte 4
// sub-code of type 8. Headers are DEVICELIB_REPORT_HEADER_SIZE bytes long.
enum { DEVICELIB_REPORT_HEADER_SIZE = 8 };

enum DeviceLibReportType {
    DEVICELIB_REPORT_BATTERY = 4,
    DEVICELIB_REPORT_PAIR_STATUS = 6, // payload byte 0: 1 pairing, 2 failed, 3 paired
    DEVICELIB_REPORT_DATA = 8,        // sub-code in header byte 4
    DEVICELIB_REPORT_CONFIG_APPLIED = 9,
    DEVICELIB_REPORT_STATUS_CHANGED = 10,
    DEVICELIB_REPORT_CONFIG_LIST = 14,
    DEVICELIB_REPORT_VERSION = 18,
    DEVICELIB_REPORT_DONGLE_LIGHT = 21,
    DEVICELIB_REPORT_LONG_RANGE = 23
};

enum DeviceLibDataSubCode {
    DEVICELIB_DATA_DUMP_OR_RATE = 0x00, // 6912-byte dump, or 1-byte polling-rate code
    DEVICELIB_DATA_CURRENT_DPI = 0x04,  // 1 byte: stage 0..7
    DEVICELIB_DATA_DPI_LED = 0x4C,      // 8 bytes
    DEVICELIB_DATA_LED_BAR = 0xA0       // 9 bytes
};

// Connection types reported by UsbFinderC_GetDeviceInfo (byte 2).
enum DeviceLibConnectionType {
    DEVICELIB_CONN_RECEIVER_1K = 0,
    DEVICELIB_CONN_RECEIVER_4K = 1,
    DEVICELIB_CONN_CABLE = 2,
    DEVICELIB_CONN_RECEIVER_2K = 4,
    DEVICELIB_CONN_RECEIVER_8K = 5
};

// Upgrade messages: byte 0 = 7, byte 1 = 1 progress (byte 2 percent) or
// 2 result (byte 2 = 1 success, other failure).
enum { DEVICELIB_UPGRADE_MESSAGE = 7, DEVICELIB_UPGRADE_PROGRESS = 1, DEVICELIB_UPGRADE_RESULT = 2 };

// Firmware image kinds (header byte 0x14).
enum { DEVICELIB_FIRMWARE_MOUSE = 210, DEVICELIB_FIRMWARE_RECEIVER = 211 };
// The tag a firmware image starts with.
#define DEVICELIB_FIRMWARE_TAG "QXFW"

typedef void (*DeviceReportCallback)(const unsigned char* header, int headerLength,
                                     const unsigned char* payload, int payloadLength);
typedef void (*HotplugCallback)(void);
typedef int (*UpgradeCallback)(const unsigned char* message);

// Identity of a device: customer id, model id, connection type. Customer and
// model id are zero while the device gives no identity (yet); all three are
// zero for an unknown path.
typedef struct DeviceIdentity {
    unsigned char cid;
    unsigned char mid;
    unsigned char connectionType;
} DeviceIdentity;

// --- Discovery -------------------------------------------------------------
// *count holds the capacity on entry (the program passes 5) and the number of
// returned paths on exit (never more than the capacity; 0 on bad input).
// Vendor and product ids are hexadecimal texts ("0x2FE5"), compared without
// regard to case. The by-device-id form takes its capacity from `capacity`.
DEVICELIB_API char** UsbFinderC_FindHidDevicesByDefaultDeviceId(const char* vid, const char* pid, int* count);
DEVICELIB_API char** UsbFinderC_FindHidDevicesByDeviceId(const char* vid, const char* pid, int usagePage,
                                                         int capacity, int* count);
DEVICELIB_API bool UsbFinderC_GetUsbDeviceAttribute(const char* path, unsigned char* attribute12);
DEVICELIB_API DeviceIdentity UsbFinderC_GetDeviceInfo(const char* path);
DEVICELIB_API bool UsbFinderC_GetDeviceOnLine(const char* path);
// reply10 is zeroed, then byte 6 = 1 when the mouse answers and bytes 7-9
// hold the receiver address: the receiver's own, or for a mouse on its cable
// the address of the receiver it is paired with. Returns the online state.
DEVICELIB_API bool UsbFinderC_GetDeviceOnLineWithUsbAddress(const char* path, unsigned char* reply10);
// The firmware version of the mouse that answers at the path (0 when none).
DEVICELIB_API int UsbFinderC_GetVersion(const char* path);

// --- Receiver settings -----------------------------------------------------
// The light record exists on 4K receivers only: byte 0 is the light mode 1-3,
// bytes 1-9 belong to the library and read back as they were last set.
DEVICELIB_API bool UsbFinderC_Get4KDongleRGBValue(const char* path, unsigned char* dongleRgb10);
DEVICELIB_API bool UsbFinderC_Set4KDongleRGB(const char* path, unsigned char* dongleRgb10);
// *mode is left untouched when the receiver gives no answer.
DEVICELIB_API bool UsbFinderC_GetLongRangeMode(const char* path, unsigned char* mode);
DEVICELIB_API bool UsbFinderC_SetLongRangeMode(const char* path, bool on);

// --- Connection ------------------------------------------------------------
// Opens the one connection (closing any earlier one) and makes callback the
// receiver of its reports. Reports of an earlier connection are dropped.
// False (no connection) for an unknown path or a null callback.
//
// Requests return false without a connection or when its device is gone.
// A request the mouse cannot answer yet (asleep, out of range) is kept and
// answered when the mouse answers again on the same connection.
// UsbServer_SetCurrentConfig and UsbServer_SetClearSetting need an answering
// mouse; the pairing calls need a connection to a receiver.
//
// Requests (image writes, reads, profile switch, clear settings, pairing,
// and flashing started meanwhile) take effect one after the other in the
// order they were made; a read answers with what the requests before it
// left. A mouse that stops answering loses every request it had not
// finished, reads included. A profile switch is answered with a
// DEVICELIB_REPORT_CONFIG_LIST report of the new profile followed by its
// dump; clear settings with DEVICELIB_REPORT_CONFIG_APPLIED.
DEVICELIB_API bool UsbServerC_Start(const char* path, const char* path2, DeviceReportCallback callback);
DEVICELIB_API void UsbServer_Exit(void);
DEVICELIB_API bool UsbServer_SetPCDriverStatus(bool present);
DEVICELIB_API bool UsbServer_ReadAllFlashData(void);
DEVICELIB_API bool UsbServer_ReadBatteryLevel(void);
DEVICELIB_API bool UsbServer_ReadConfig(void);
DEVICELIB_API bool UsbServer_ReadCurrentDPI(void);
DEVICELIB_API bool UsbServer_ReadDPILed(void);
DEVICELIB_API bool UsbServer_ReadLedBar(void);
DEVICELIB_API bool UsbServer_ReadReportRate(void);
DEVICELIB_API bool UsbServer_ReadVersion(void);
DEVICELIB_API bool UsbServer_SetCurrentConfig(unsigned char profile);
DEVICELIB_API bool UsbServer_SetClearSetting(void);
DEVICELIB_API bool UsbServer_EnterDonglePairOnlyCid(unsigned char cid);
DEVICELIB_API bool UsbServer_ReadDonglePairStatus(void);

// --- Image codec -----------------------------------------------------------
// dump: DEVICELIB_DUMP_SIZE bytes; image: DEVICELIB_IMAGE_SIZE bytes.
DEVICELIB_API bool ProtocolDataParser(const unsigned char* dump, unsigned char* image);
// Queues the whole image for the connected mouse and returns without waiting
// for the transfer; it keeps its place among the connection's requests, and
// a newer image replaces one still waiting for its turn. False at once (mouse unchanged) when no mouse
// answers or the image cannot be stored in the mouse's flash. A mouse that
// stops answering before its transfer is through keeps its old memory.
DEVICELIB_API bool ProtocolDataUpdate(const unsigned char* image);
DEVICELIB_API bool BufferToDPILed(const unsigned char* payload, int payloadLength, unsigned char* dpiLedBlock);
DEVICELIB_API bool BufferToLedBar(const unsigned char* payload, int payloadLength, unsigned char* ledBarBlock);
DEVICELIB_API bool GetDeviceBatteryStatus(const unsigned char* payload, int payloadLength, unsigned char* battery4);
DEVICELIB_API bool GetDeviceStatusChanged(const unsigned char* payload, int payloadLength, unsigned char* flags7);

// --- Hot plug --------------------------------------------------------------
// Replaces the callback and calls it once before returning; afterwards it is
// called on the registering thread after arrivals and removals (coalesced).
// May be called from inside a hot-plug callback.
DEVICELIB_API void StartUsbChanged(HotplugCallback callback, int intervalMs);
DEVICELIB_API void StopUsbChanged(void);

// --- Firmware --------------------------------------------------------------
// image: a whole firmware image. Its 728-byte header starts with the tag
// "QXFW" (bytes 0-3) and the payload length (bytes 4-7, little-endian), then
// a checksum of the rest; the program's fields follow from byte 0x10 (version,
// kind, customer id, model id, model name). The buffer must hold the header
// and the whole payload it declares: the library reads that many bytes.
//
// *count := the number of devices waiting in boot mode that the image fits
// (its value on entry is not read). False for an image that is not valid.
DEVICELIB_API bool UsbUpgradeC_FindBootDevices(const unsigned char* image, int* count);
// Starts flashing a device the image fits: one in boot mode first, else a
// receiver (receiver image) or a mouse on its cable or behind its receiver
// (mouse image). Returns non-zero when flashing started, 0 when refused
// (nothing fits, or the device refuses). Progress messages and then one
// result message arrive through the callback on a library thread; the image
// is copied, the caller may free it at once. May be called from inside that
// callback. While flashing, the device is gone from the finder. Success
// leaves the device in normal mode with the image's version; failure leaves
// it waiting in boot mode for a repair.
DEVICELIB_API int UsbUpgrade_Start(const unsigned char* image, UpgradeCallback callback, int timeoutMs);
// *version := the firmware version of the receiver at receiverPath (high
// byte major, low byte minor), as a receiver image's header states it; false
// for a path that names no listed receiver.
DEVICELIB_API bool UsbFinderC_GetSlaveVersion(const char* receiverPath, int* version);
DEVICELIB_API bool UsbFinderC_SetDongleIDToMouse(const char* receiverPath, const unsigned char* address3);

// --- Simulation ------------------------------------------------------------
// Why the world file of the simulated devices could not be used: its path,
// then what went wrong (with the line for a text that does not parse), e.g.
// "/opt/q/SimWorld.ini, line 12: bad value for class". Empty when the file
// was used. The library then runs with no devices at all. Loads the world
// when no call has done so yet; the text stays valid until the next load.
DEVICELIB_API const char* UsbSim_WorldFileError(void);

#ifdef __cplusplus
}
#endif

#endif // DEVICELIB_H
