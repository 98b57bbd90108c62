// The state behind the library's functions: the world, the one connection,
// the report dispatcher, hot-plug notification, flashing and the call log.
//
// One mutex guards everything here; it is never held while a callback runs.
// Report and upgrade callbacks run on the dispatcher thread, one at a time, in
// the order their reports were queued; calls made from inside a callback only
// queue more work. Closing or replacing the connection bumps its generation,
// so reports still queued for the old one are dropped instead of waited for.
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
    void queueReport(const SimReport& report, qint64 transferEndMs = 0);
    // Time per report on the open connection, in microseconds.
    int connectionIntervalUs();
    int deviceIntervalUs(const char* path);
    void sendFromMouse(const SimMouse& mouse, const SimReport& report);
    void sendFromReceiver(const SimReceiver& receiver, const SimReport& report);
    static SimReport makeReport(int type, int subCode, const QByteArray& payload);
    SimReport mouseReport(MouseRequest request, const SimMouse& mouse) const;

    // What the mouse does on its own or when asked; reported on its connection.
    bool switchProfile(SimMouse& mouse, int profile);
    void factoryReset(SimMouse& mouse);

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
    qint64 startTransfer(int reports); // end of the transfer, in microseconds
    void finishWrite(quint64 id);
    void loseUnreachableWrites();
    QByteArray dumpToRead(const SimMouse& mouse) const;

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

    struct Write {
        quint64 id = 0;
        QString mouseId;
        QByteArray path;
        int profile = 0;
        QByteArray dump;
        qint64 startUs = 0;
        qint64 endUs = 0;
        bool lost = false; // the mouse stopped answering during the transfer
    };
    std::vector<Write> m_writes; // oldest first
    quint64 m_writeSequence = 0;
    qint64 m_busFreeUs = 0;
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
