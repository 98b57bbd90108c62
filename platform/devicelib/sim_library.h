// The state behind the library's functions: the world, the one connection,
// the report dispatcher, hot-plug notification, flashing and the call log.
//
// One mutex guards everything here; it is never held while a callback runs.
// Report and upgrade callbacks run on the dispatcher thread, one at a time, in
// the order their reports were queued; calls made from inside a callback only
// queue more work. Closing or replacing the connection bumps its generation,
// so reports still queued for the old one are dropped instead of waited for.
//
// The connection is one pipe: what the program asks of the device (image
// writes, reads, clear settings, profile switch, pairing, flashing) takes its
// transfer time behind whatever is still under way and takes effect at its
// end, in the order it was asked. A read therefore answers with what the
// requests before it left on the device. When the device stops answering,
// everything it had not finished is lost together.
#ifndef DEVICELIB_SIM_LIBRARY_H
#define DEVICELIB_SIM_LIBRARY_H

#include "devicelib.h"
#include "firmware_image.h"
#include "sim_world.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QVector>

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

class QObject;

struct SimReport {
    QByteArray header;
    QByteArray payload;
};

struct SimCall {
    QString function;
    QString argument;
};

// The world file the library loads on its first call: $QUORIX_SIM_WORLD, else
// <program folder>/SimWorld.ini.
QString simDefaultWorldPath();

enum class MouseRequest { AllFlashData, ReportRate, CurrentDpi, DpiLed, LedBar, Battery, Version, Config };

class SimLibrary {
public:
    using Lock = std::unique_lock<std::mutex>;

    static SimLibrary& instance();

    // Locks the state; the first lock loads the default world.
    Lock lock();
    Lock lockWithoutLoading();

    // --- everything below needs the lock --------------------------------
    void log(const char* function, const QString& argument = QString());
    bool recording() const { return m_recording; }
    void setRecording(bool on);
    void clearCallLog();
    void replaceWorld(const SimWorld& world, bool loaded);
    void resetSettings();
    // Re-evaluates the world after a change: pairing, hot plug, held requests.
    void worldChanged();

    SimReceiver* visibleReceiver(const char* path);
    SimMouse* cableMouse(const char* path);
    SimMouse* mouseBehind(const SimReceiver& receiver);
    SimMouse* answeringMouse(const char* path);
    SimReceiver* receiverByAddress(const Address& address);
    bool isVisible(const char* path);
    std::vector<char*>& find(int vid, int pid, int capacity);

    bool openConnection(const char* path, DeviceReportCallback callback);
    void closeConnection();
    bool connectionOpen() const { return m_connection.open; }
    QByteArray connectionPath() const { return m_connection.open ? m_connection.path : QByteArray(); }
    SimMouse* connectionMouse();
    SimReceiver* connectionReceiver();
    bool request(MouseRequest request);
    void queueReport(const SimReport& report);
    // Time per report on the open connection, in microseconds.
    int connectionIntervalUs();
    int deviceIntervalUs(const char* path);
    void sendFromMouse(const SimMouse& mouse, const SimReport& report);
    void sendFromReceiver(const SimReceiver& receiver, const SimReport& report);
    static SimReport makeReport(int type, int subCode, const QByteArray& payload);
    SimReport mouseReport(MouseRequest request, const SimMouse& mouse) const;


    void startPairing(SimReceiver& receiver, uint8_t cid);
    void evaluatePairing();

    int startFlash(const unsigned char* image, UpgradeCallback callback);
    int countBootDevices(const unsigned char* image);

    void registerHotplug(HotplugCallback callback);
    void stopHotplug();

    bool storeImage(SimMouse& mouse, const uint8_t* image, int profile);
    // Sends an image to the connection's mouse: false at once when it does
    // not fit; else stored now (zero interval) or when its transfer is through.
    bool sendImage(SimMouse& mouse, const uint8_t* image);
    void recordImageSent(const uint8_t* image);
    // The program's profile switch and clear-settings command, and the same
    // from the mouse's own button: in line behind what the connection still
    // carries when the mouse is on it, else at once.
    void requestProfile(SimMouse& mouse, int profile);
    void requestFactoryReset(SimMouse& mouse);
    bool requestPairing(uint8_t cid);
    bool requestPairStatus();

    // Unlocks while waiting; processes the calling thread's events.
    bool waitIdle(Lock& lock, int timeoutMs);
    bool waitWrites(Lock& lock, int timeoutMs);

    SimWorld world;
    int latencyMs = 0;
    int intervalOverrideUs = -1; // every device; -1: each device's own
    int pairTimeoutMs = 5000;
    int flashStepMs = 100;
    QList<SimCall> calls;
    QHash<QString, int> callCounts;
    QList<QByteArray> images; // accepted by ProtocolDataUpdate, oldest first
    QByteArray worldError;    // why the world file was not used; empty when it was

    static qint64 nowMs();
    static qint64 nowUs();

private:
    SimLibrary();
    void loadDefaultWorld();
    void dispatch();
    void schedule(qint64 due, bool connectionReport, const SimReport& report, std::function<void()> action);
    void postHotplug();
    QList<QByteArray> visiblePaths();
    void shutdown();
    friend struct SimLibraryShutdown;
    template <typename Done> bool waitUntil(Lock& lock, int timeoutMs, Done done);

    // One request on the pipe. `mouseId` or `receiverId` names the device
    // that must answer on `path` until the request is through.
    struct Transfer {
        quint64 id = 0;
        QByteArray path;
        QString mouseId;
        QString receiverId;
        bool write = false;    // an image write: `dump` goes to the current profile
        bool read = false;     // its answer is for the connection that asked
        QByteArray dump;
        std::function<void()> effect; // runs with the lock held
        qint64 startUs = 0;
        qint64 endUs = 0;
    };
    // Queues a request for the open connection, or applies it now when the
    // device answers at once (after whatever was still under way).
    void enqueue(Transfer transfer, int reports);
    void apply(const Transfer& transfer);
    void finishTransfer(quint64 id);
    void settleTransfers();
    void loseUnreachableTransfers();
    void requestOfMouse(SimMouse& mouse, int reports, std::function<void(SimMouse&)> effect);
    void switchProfileNow(SimMouse& mouse, int profile);
    void factoryResetNow(SimMouse& mouse);
    void beginFlash(const QString& id, uint32_t version, UpgradeCallback callback);

    // Devices an image fits, waiting in boot mode or (boot false) in normal
    // mode and reachable for flashing.
    bool flashable(const SimReceiver& receiver, const FirmwareImage::Header& header, bool boot) const;
    bool flashable(const SimMouse& mouse, const FirmwareImage::Header& header, bool boot);

    struct Task {
        bool isReport = false;
        quint64 generation = 0;
        SimReport report;
        std::function<void()> action;
    };
    struct Connection {
        bool open = false;
        QByteArray path;
        DeviceReportCallback callback = nullptr;
        quint64 generation = 0;
        QVector<MouseRequest> held; // asked while no mouse answered
    };

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_loaded = false;
    bool m_stopping = false;
    bool m_running = false;
    quint64 m_sequence = 0;
    qint64 m_lastReportDue = 0;
    std::map<std::pair<qint64, quint64>, Task> m_queue;
    Connection m_connection;

    std::vector<Transfer> m_pipe; // oldest first
    quint64 m_transferSequence = 0;
    bool m_recording = false;

    HotplugCallback m_hotplug = nullptr;
    quint64 m_hotplugGeneration = 0;
    bool m_hotplugPending = false;
    QObject* m_notifier = nullptr; // lives on the registering thread
    QList<QByteArray> m_lastVisible;

    std::vector<QByteArray> m_foundPaths;
    std::vector<char*> m_foundPointers;
};

#endif // DEVICELIB_SIM_LIBRARY_H
