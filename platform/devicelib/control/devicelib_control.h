// Test-only control of the simulated device world behind devicelib.h.
//
// Tests link the target devicelib_control and script the world through these
// functions; the program itself never includes this header.
//
// Devices are named by the ids the world gives them (section names of the
// world file, or the ids passed to addReceiver/addMouse). A receiver has one
// path; a mouse has a path of its own only while it is plugged in on its
// cable. A mouse behind a receiver is reached through the receiver's path.
//
// Library calls that need the mouse (ProtocolDataUpdate and the
// UsbServer_Read* requests) go to the connection opened by UsbServerC_Start:
// a test that sends images opens one first, e.g.
//     UsbServerC_Start(path, path, callback);
//
// All functions are thread-safe. Functions that change what the finder lists
// (plug, unplug, boot mode) notify the registered hot-plug callback on its
// thread, as a real arrival or removal does.
#ifndef DEVICELIB_CONTROL_H
#define DEVICELIB_CONTROL_H

#include "devicelib.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QString>

namespace SimControl {

// --- World ---------------------------------------------------------------
// Replaces the world with the content of an ini file or text (format at the
// top of data/SimWorld.ini). Returns false (world then empty) on errors.
DEVICELIB_API bool loadWorldFile(const QString& path);
DEVICELIB_API bool loadWorldText(const QString& iniText);
// The file the library loads on its first call: $QUORIX_SIM_WORLD, else
// <program folder>/SimWorld.ini.
DEVICELIB_API QString defaultWorldPath();
// Empty world, default latency and timings, call log cleared, connection
// closed, queued reports dropped. Registered callbacks stay registered.
DEVICELIB_API void resetWorld();

enum ReceiverClass { Receiver1K = 1, Receiver2K = 2, Receiver4K = 4, Receiver8K = 8 };

struct ReceiverSetup {
    explicit ReceiverSetup(const QString& id = QString(), ReceiverClass receiverClass = Receiver4K, quint8 cid = 23,
                          quint8 mid = 1)
        : id(id), receiverClass(receiverClass), cid(cid), mid(mid) {}
    QString id;
    ReceiverClass receiverClass = Receiver4K;
    quint16 pid = 0;             // 0: 0x7B01 / 0x7B02 / 0x7B04 / 0x7B08 by class
    quint8 cid = 23;
    quint8 mid = 1;
    QString name;                // firmware model name, e.g. "QX-AERO-R4"
    quint16 version = 0x0101;
    QByteArray address;          // 3 bytes; empty: derived from the id
    bool plugged = true;
};

struct MouseSetup {
    explicit MouseSetup(const QString& id = QString(), quint8 cid = 23, quint8 mid = 1) : id(id), cid(cid), mid(mid) {}
    QString id;
    quint8 cid = 23;
    quint8 mid = 1;
    QString name;                // firmware model name, e.g. "QX-AERO-M"
    quint16 version = 0x0102;
    QString receiver;            // id of the receiver it is paired with ("" none)
    bool onCable = false;        // plugged in on its cable
    quint16 cablePid = 0x7A01;
    bool awake = true;
    bool inRange = true;
    int battery = 80;            // percent
    bool charging = false;
};

DEVICELIB_API bool addReceiver(const ReceiverSetup& setup);
DEVICELIB_API bool addMouse(const MouseSetup& setup);
DEVICELIB_API bool removeDevice(const QString& id);
DEVICELIB_API QStringList deviceIds();

// Receiver: plugged into the computer. Mouse: plugged in on its cable.
DEVICELIB_API bool setPlugged(const QString& id, bool plugged);
DEVICELIB_API bool setMouseAwake(const QString& mouseId, bool awake);
DEVICELIB_API bool setMouseInRange(const QString& mouseId, bool inRange);
// Awake and in range (true), or asleep (false).
DEVICELIB_API bool setMouseOnline(const QString& mouseId, bool online);
// The next n identity queries of the device answer customer and model id 0.
DEVICELIB_API bool scriptIdentityZeros(const QString& id, int n);

// Path of a receiver, or of a mouse on its cable; empty when not listed.
DEVICELIB_API QByteArray devicePath(const QString& id);
// Id of the receiver a mouse is paired with ("" none).
DEVICELIB_API QString pairedReceiver(const QString& mouseId);
DEVICELIB_API QByteArray receiverAddress(const QString& receiverId);

// --- Mouse memory --------------------------------------------------------
enum { ProfileCount = 4, CurrentProfile = -1 };
// The stored configuration decoded to the 10428-byte image; empty when the
// id is no mouse.
DEVICELIB_API QByteArray mouseImage(const QString& mouseId, int profile = CurrentProfile);
// Stores an image as the mouse would; false when it does not fit.
DEVICELIB_API bool setMouseImage(const QString& mouseId, const QByteArray& image, int profile = CurrentProfile);
DEVICELIB_API QByteArray factoryImage(const QString& mouseId);
DEVICELIB_API int currentProfile(const QString& mouseId);

// The dump codec the library uses (image <-> flash dump); empty on failure.
DEVICELIB_API QByteArray encodeDump(const QByteArray& image);
DEVICELIB_API QByteArray decodeDump(const QByteArray& dump);

// --- Connection and reports ----------------------------------------------
// Delivers a raw report on the open connection, as if the device sent it.
DEVICELIB_API bool injectReport(const QByteArray& header, const QByteArray& payload);
// A DEVICELIB_REPORT_HEADER_SIZE header with the given type and sub-code.
DEVICELIB_API QByteArray makeReportHeader(int type, int subCode = 0);
// Payloads in the library's layouts, for injected reports.
DEVICELIB_API QByteArray statusPayload(int flagBits); // bits as in sendStatusChanged
DEVICELIB_API QByteArray batteryPayload(int percent, bool charging);
DEVICELIB_API QByteArray dpiLedPayload(const QByteArray& block4); // image bytes 0x3F-0x42
DEVICELIB_API QByteArray ledBarPayload(const QByteArray& block7); // image bytes 0x43-0x49
DEVICELIB_API QByteArray connectionPath(); // empty when no connection is open

// Report latency of every device, in ms (default: $QUORIX_SIM_LATENCY_MS or
// a few ms).
DEVICELIB_API void setLatencyMs(int ms);
DEVICELIB_API int latencyMs();

// Time per 64-byte report on a device's connection, in microseconds: a dump
// read takes 108 reports, an image write 163, one transfer after the other.
// Each device's own is the world file's ReportIntervalUs, else its polling
// rate (1000 / class behind a receiver, 1000 on a cable). Zero answers at
// once and stores an image before ProtocolDataUpdate returns: the default in
// test processes ($QUORIX_SIM_TIMING=fast). -1: each device's own.
DEVICELIB_API void setReportIntervalUs(int us);
// The interval in effect for the device's path; -1 when it is not listed.
DEVICELIB_API int reportIntervalUs(const QString& id);

// Processes the calling thread's events until every image write queued so
// far has been stored or lost (with the requests before it). False when timeoutMs passed first.
DEVICELIB_API bool waitWrites(int timeoutMs = 5000);

// Processes the calling thread's events until every queued report and
// upgrade message has been delivered, no callback is running and no hot-plug
// notification is pending. False when timeoutMs passed first.
DEVICELIB_API bool waitIdle(int timeoutMs = 5000);

// --- Call log ------------------------------------------------------------
// Kept (bounded) only while recording: on in test processes
// ($QUORIX_SIM_RECORD=1) or after setRecording(true); off clears it.
DEVICELIB_API void setRecording(bool on);
struct Call {
    QString function;  // e.g. "UsbServerC_Start"
    QString argument;  // main argument as text ("" when none)
};
DEVICELIB_API QList<Call> callLog();
DEVICELIB_API int callCount(const QString& function);
DEVICELIB_API QByteArray lastImageSent();     // last image ProtocolDataUpdate accepted (stored or not yet)
DEVICELIB_API QList<QByteArray> imagesSent(); // every image accepted since the last clear
DEVICELIB_API void clearCallLog();

// --- Behaviours of the devices -------------------------------------------
// The on-mouse DPI button: next stage, status report (current DPI).
DEVICELIB_API bool pressDpiButton(const QString& mouseId);
// Battery level and charging; status report (battery).
DEVICELIB_API bool setBattery(const QString& mouseId, int percent, bool charging);
// The mouse asks the program to connect again; status report (restart).
DEVICELIB_API bool requestRestart(const QString& mouseId);
// Status report with the given flags (bit n = status byte n of
// GetDeviceStatusChanged: 0 DPI, 1 rate, 2 restart, 3 DPI light, 5 light bar,
// 6 battery).
DEVICELIB_API bool sendStatusChanged(const QString& mouseId, int flagBits);
// Profile button on the mouse itself: profile report, then the profile's
// dump. Factory reset on the mouse itself: configuration-applied report.
// With the mouse on the connection both wait for the requests under way.
DEVICELIB_API bool switchProfile(const QString& mouseId, int profile);
DEVICELIB_API bool factoryReset(const QString& mouseId);

// Pairing: a mouse in pairing mode pairs with a receiver that searches for
// its customer id; a search without such a mouse fails after the time-out.
// Entering pairing mode wakes the mouse.
DEVICELIB_API bool setPairingMode(const QString& mouseId, bool on);
DEVICELIB_API void setPairTimeoutMs(int ms);

// Changes made on the receiver itself, reported on its connection.
DEVICELIB_API bool changeReceiverLight(const QString& receiverId, int mode);
DEVICELIB_API bool changeLongRange(const QString& receiverId, bool on);
DEVICELIB_API int receiverLightMode(const QString& receiverId);  // -1 no such 4K receiver
DEVICELIB_API int receiverLongRange(const QString& receiverId);  // -1 no such receiver

// --- Firmware ------------------------------------------------------------
// A firmware image in the library's format (728-byte header, then payload).
DEVICELIB_API QByteArray makeFirmwareImage(int kind, quint8 cid, quint8 mid, const QString& modelName,
                                           quint32 version, int payloadSize = 4096);
// The next flashing of the device fails after reaching the given percentage
// and leaves it in boot mode.
DEVICELIB_API bool failNextFlash(const QString& id, int atPercent = 50);
// How the device answers every later flashing (until changed).
enum FlashAnswer { FlashNormally, RefuseFlash, NeverAnswerFlash, AnswerFlashAtOnce };
DEVICELIB_API bool setFlashAnswer(const QString& id, FlashAnswer answer);
DEVICELIB_API bool setBootMode(const QString& id, bool boot);
DEVICELIB_API bool inBootMode(const QString& id);
DEVICELIB_API int firmwareVersion(const QString& id); // -1 no such device
// Time between two progress messages of a flashing (default 100 ms).
DEVICELIB_API void setFlashStepMs(int ms);

} // namespace SimControl

#endif // DEVICELIB_CONTROL_H
