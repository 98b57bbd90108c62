#include "sim_library.h"

#include "dump_codec.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <QtDebug>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

const int DefaultLatencyMs = 3;
const int MaxHeldRequests = 32;
const int MaxLoggedCalls = 20000;
const int MaxImagesKept = 1000;
// Reports of 64 bytes a whole dump read and a whole image write take.
const int ReportBytes = 64;
const int ImageWriteReports = (DumpCodec::ImageSize + ReportBytes - 1) / ReportBytes;
const int CableIntervalUs = 1000;

int reportsFor(int payloadBytes)
{
    return std::max(1, (payloadBytes + ReportBytes - 1) / ReportBytes);
}

qint64 ceilMs(qint64 us)
{
    return (us + 999) / 1000;
}

bool envFlag(const char* name)
{
    const QByteArray value = qgetenv(name);
    return !value.isEmpty() && value != "0";
}

// Test processes ask for devices that answer at once.
int intervalOverrideFromEnvironment()
{
    return qgetenv("QUORIX_SIM_TIMING") == "fast" ? 0 : -1;
}

int latencyFromEnvironment()
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue("QUORIX_SIM_LATENCY_MS", &ok);
    return ok && value >= 0 ? value : DefaultLatencyMs;
}

QString programFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
}

} // namespace

QString simDefaultWorldPath()
{
    const QString fromEnvironment = qEnvironmentVariable("QUORIX_SIM_WORLD");
    return fromEnvironment.isEmpty() ? programFolder() + QStringLiteral("/SimWorld.ini") : fromEnvironment;
}

// Stops deliveries when the library is unloaded, so no callback runs into a
// program that is tearing down. The state itself is never destroyed: the
// dispatcher thread may still be inside a callback that never returns.
struct SimLibraryShutdown {
    ~SimLibraryShutdown();
};
static SimLibraryShutdown s_shutdown;
static SimLibrary* s_instance = nullptr;
static std::once_flag s_once;

SimLibraryShutdown::~SimLibraryShutdown()
{
    if (s_instance)
        s_instance->shutdown();
}

SimLibrary& SimLibrary::instance()
{
    std::call_once(s_once, [] { s_instance = new SimLibrary; });
    return *s_instance;
}

SimLibrary::SimLibrary()
{
    latencyMs = latencyFromEnvironment();
    intervalOverrideUs = intervalOverrideFromEnvironment();
    m_recording = envFlag("QUORIX_SIM_RECORD");
    std::thread([this] { dispatch(); }).detach();
}

void SimLibrary::shutdown()
{
    Lock locked(m_mutex);
    m_stopping = true;
    m_queue.clear();
    m_hotplug = nullptr;
    m_wake.notify_all();
    m_wake.wait_for(locked, std::chrono::seconds(1), [this] { return !m_running; });
}

qint64 SimLibrary::nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

qint64 SimLibrary::nowUs()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

SimLibrary::Lock SimLibrary::lock()
{
    Lock locked(m_mutex);
    if (!m_loaded)
        loadDefaultWorld();
    return locked;
}

SimLibrary::Lock SimLibrary::lockWithoutLoading()
{
    return Lock(m_mutex);
}

void SimLibrary::loadDefaultWorld()
{
    const QString path = simDefaultWorldPath();
    SimWorld loadedWorld;
    QFile file(path);
    QString error;
    if (!file.open(QIODevice::ReadOnly))
        error = file.errorString();
    else if (!parseWorld(QString::fromUtf8(file.readAll()), &loadedWorld, &error))
        loadedWorld = SimWorld();
    // The program shows this to the user; the empty world lets it run on.
    worldError = error.isEmpty() ? QByteArray() : (path + QStringLiteral(", ") + error).toUtf8();
    replaceWorld(loadedWorld, true);
}

void SimLibrary::log(const char* function, const QString& argument)
{
    if (!m_recording)
        return;
    const QString name = QLatin1String(function);
    calls.append(SimCall{name, argument});
    if (calls.size() > MaxLoggedCalls)
        calls.erase(calls.begin(), calls.begin() + MaxLoggedCalls / 2);
    ++callCounts[name];
}

void SimLibrary::setRecording(bool on)
{
    m_recording = on;
    if (!on)
        clearCallLog();
}

void SimLibrary::clearCallLog()
{
    calls.clear();
    callCounts.clear();
    images.clear();
}

void SimLibrary::replaceWorld(const SimWorld& newWorld, bool loaded)
{
    m_loaded = loaded;
    world = newWorld;
    closeConnection();
    // Flashing, reports and requests belong to the old world.
    m_queue.clear();
    m_pipe.clear();
    m_wake.notify_all();
    worldChanged();
}

void SimLibrary::resetSettings()
{
    latencyMs = latencyFromEnvironment();
    intervalOverrideUs = intervalOverrideFromEnvironment();
    pairTimeoutMs = 5000;
    flashStepMs = 100;
    clearCallLog();
}

void SimLibrary::worldChanged()
{
    evaluatePairing();
    loseUnreachableTransfers();
    const QList<QByteArray> visible = visiblePaths();
    if (visible != m_lastVisible) {
        m_lastVisible = visible;
        postHotplug();
    }
    if (m_connection.open && !m_connection.held.isEmpty()) {
        if (connectionMouse()) {
            const QVector<MouseRequest> held = m_connection.held;
            m_connection.held.clear();
            for (MouseRequest r : held)
                request(r);
        }
    }
}

// --- Lookups ------------------------------------------------------------------

SimReceiver* SimLibrary::visibleReceiver(const char* path)
{
    if (!path)
        return nullptr;
    for (SimReceiver& r : world.receivers)
        if (r.listed() && receiverPath(world.vid, r) == path)
            return &r;
    return nullptr;
}

SimMouse* SimLibrary::cableMouse(const char* path)
{
    if (!path)
        return nullptr;
    for (SimMouse& m : world.mice)
        if (m.listed() && cablePath(world.vid, m) == path)
            return &m;
    return nullptr;
}

SimMouse* SimLibrary::mouseBehind(const SimReceiver& receiver)
{
    for (SimMouse& m : world.mice)
        if (m.paired && m.pairedAddress == receiver.address && !m.onCable && m.awake && m.inRange && !m.pairingMode
            && !m.boot && !m.flashing)
            return &m;
    return nullptr;
}

SimMouse* SimLibrary::answeringMouse(const char* path)
{
    if (SimMouse* m = cableMouse(path))
        return m;
    if (const SimReceiver* r = visibleReceiver(path))
        return mouseBehind(*r);
    return nullptr;
}

SimReceiver* SimLibrary::receiverByAddress(const Address& address)
{
    for (SimReceiver& r : world.receivers)
        if (r.address == address)
            return &r;
    return nullptr;
}

bool SimLibrary::isVisible(const char* path)
{
    return visibleReceiver(path) || cableMouse(path);
}

QList<QByteArray> SimLibrary::visiblePaths()
{
    QList<QByteArray> paths;
    for (const SimReceiver& r : world.receivers)
        if (r.listed())
            paths.append(receiverPath(world.vid, r));
    for (const SimMouse& m : world.mice)
        if (m.listed())
            paths.append(cablePath(world.vid, m));
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::vector<char*>& SimLibrary::find(int vid, int pid, int capacity)
{
    m_foundPaths.clear();
    if (vid == world.vid && pid >= 0) {
        auto add = [&](const QByteArray& path) {
            if (int(m_foundPaths.size()) < capacity)
                m_foundPaths.push_back(path);
        };
        for (const SimReceiver& r : world.receivers)
            if (r.pid == pid && r.listed())
                add(receiverPath(world.vid, r));
        for (const SimMouse& m : world.mice)
            if (m.cablePid == pid && m.listed())
                add(cablePath(world.vid, m));
    }
    m_foundPointers.clear();
    for (QByteArray& path : m_foundPaths)
        m_foundPointers.push_back(path.data());
    m_foundPointers.push_back(nullptr);
    return m_foundPointers;
}

// --- Connection -----------------------------------------------------------------

bool SimLibrary::openConnection(const char* path, DeviceReportCallback callback)
{
    closeConnection();
    if (!path || !callback || !isVisible(path))
        return false;
    m_connection.open = true;
    m_connection.path = path;
    m_connection.callback = callback;
    return true;
}

void SimLibrary::closeConnection()
{
    ++m_connection.generation;
    m_connection.open = false;
    m_connection.path.clear();
    m_connection.callback = nullptr;
    m_connection.held.clear();
    for (auto it = m_queue.begin(); it != m_queue.end();)
        it = it->second.isReport ? m_queue.erase(it) : std::next(it);
    // Reads have nobody left to answer; writes and commands still go through.
    m_pipe.erase(std::remove_if(m_pipe.begin(), m_pipe.end(), [](const Transfer& t) { return t.read; }), m_pipe.end());
    m_wake.notify_all();
}

SimMouse* SimLibrary::connectionMouse()
{
    return m_connection.open ? answeringMouse(m_connection.path.constData()) : nullptr;
}

SimReceiver* SimLibrary::connectionReceiver()
{
    return m_connection.open ? visibleReceiver(m_connection.path.constData()) : nullptr;
}

bool SimLibrary::request(MouseRequest r)
{
    if (!m_connection.open || !isVisible(m_connection.path.constData()))
        return false;
    if (const SimMouse* mouse = connectionMouse()) {
        Transfer read;
        read.read = true;
        read.mouseId = mouse->id;
        // Answered from what the mouse holds once the requests before it are through.
        read.effect = [this, r, id = mouse->id] {
            if (const SimMouse* m = world.mouse(id))
                queueReport(mouseReport(r, *m));
        };
        enqueue(std::move(read), reportsFor(mouseReport(r, *mouse).payload.size()));
    } else {
        // Answered when the mouse is back (woken, in range, plugged in).
        if (m_connection.held.size() >= MaxHeldRequests)
            m_connection.held.removeFirst();
        m_connection.held.append(r);
    }
    return true;
}

int SimLibrary::deviceIntervalUs(const char* path)
{
    if (intervalOverrideUs >= 0)
        return intervalOverrideUs;
    int own = -1;
    int byRate = CableIntervalUs;
    if (const SimReceiver* r = visibleReceiver(path)) {
        own = r->reportIntervalUs;
        byRate = 1000 / std::max(1, r->receiverClass);
    } else if (const SimMouse* m = cableMouse(path)) {
        own = m->reportIntervalUs;
    }
    if (own >= 0)
        return own;
    return world.reportIntervalUs >= 0 ? world.reportIntervalUs : byRate;
}

int SimLibrary::connectionIntervalUs()
{
    return m_connection.open ? deviceIntervalUs(m_connection.path.constData()) : 0;
}

void SimLibrary::queueReport(const SimReport& report)
{
    if (!m_connection.open)
        return;
    // Reports keep their order even when the latency is lowered meanwhile.
    const qint64 due = std::max(nowMs() + latencyMs, m_lastReportDue);
    m_lastReportDue = due;
    schedule(due, true, report, nullptr);
}

void SimLibrary::sendFromMouse(const SimMouse& mouse, const SimReport& report)
{
    const SimMouse* connected = connectionMouse();
    if (connected && connected->id == mouse.id)
        queueReport(report);
}

void SimLibrary::sendFromReceiver(const SimReceiver& receiver, const SimReport& report)
{
    const SimReceiver* connected = connectionReceiver();
    if (connected && connected->id == receiver.id)
        queueReport(report);
}

SimReport SimLibrary::makeReport(int type, int subCode, const QByteArray& payload)
{
    static std::atomic<quint8> sequence{0};
    SimReport report;
    report.header = QByteArray(DEVICELIB_REPORT_HEADER_SIZE, '\0');
    report.header[0] = char(0x5A);
    report.header[1] = char(type);
    report.header[3] = 0;
    report.header[4] = char(subCode);
    report.header[5] = char(payload.size() & 0xFF);
    report.header[6] = char((payload.size() >> 8) & 0xFF);
    report.header[7] = char(sequence++);
    report.payload = payload;
    return report;
}

SimReport SimLibrary::mouseReport(MouseRequest r, const SimMouse& mouse) const
{
    const QByteArray dump = mouse.profiles.value(mouse.currentProfile);
    auto at = [&](int offset) { return dump.size() > offset ? dump[offset] : char(0); };
    switch (r) {
    case MouseRequest::AllFlashData:
        return makeReport(DEVICELIB_REPORT_DATA, DEVICELIB_DATA_DUMP_OR_RATE, dump);
    case MouseRequest::ReportRate:
        return makeReport(DEVICELIB_REPORT_DATA, DEVICELIB_DATA_DUMP_OR_RATE,
                          QByteArray(1, at(DumpCodec::ReportRateOffset)));
    case MouseRequest::CurrentDpi:
        return makeReport(DEVICELIB_REPORT_DATA, DEVICELIB_DATA_CURRENT_DPI,
                          QByteArray(1, at(DumpCodec::CurrentStageOffset)));
    case MouseRequest::DpiLed: {
        QByteArray payload(DumpCodec::DpiLedPayloadSize, '\0');
        DumpCodec::makeDpiLedPayload(reinterpret_cast<const uint8_t*>(dump.constData()) + DumpCodec::DpiLedOffset,
                                     reinterpret_cast<uint8_t*>(payload.data()));
        return makeReport(DEVICELIB_REPORT_DATA, DEVICELIB_DATA_DPI_LED, payload);
    }
    case MouseRequest::LedBar: {
        QByteArray payload(DumpCodec::LedBarPayloadSize, '\0');
        DumpCodec::makeLedBarPayload(reinterpret_cast<const uint8_t*>(dump.constData()) + DumpCodec::LedBarOffset,
                                     reinterpret_cast<uint8_t*>(payload.data()));
        return makeReport(DEVICELIB_REPORT_DATA, DEVICELIB_DATA_LED_BAR, payload);
    }
    case MouseRequest::Battery: {
        QByteArray payload(DumpCodec::BatteryPayloadSize, '\0');
        DumpCodec::makeBatteryPayload(mouse.battery, mouse.charging, reinterpret_cast<uint8_t*>(payload.data()));
        return makeReport(DEVICELIB_REPORT_BATTERY, 0, payload);
    }
    case MouseRequest::Version: {
        QByteArray payload(2, '\0');
        payload[0] = char(mouse.version & 0xFF);
        payload[1] = char((mouse.version >> 8) & 0xFF);
        return makeReport(DEVICELIB_REPORT_VERSION, 0, payload);
    }
    case MouseRequest::Config:
        return makeReport(DEVICELIB_REPORT_CONFIG_LIST, 0, QByteArray(1, char(mouse.currentProfile)));
    }
    return SimReport();
}

bool SimLibrary::storeImage(SimMouse& mouse, const uint8_t* image, int profile)
{
    if (profile < 0)
        profile = mouse.currentProfile;
    if (profile >= mouse.profiles.size())
        return false;
    QByteArray dump(DumpCodec::DumpSize, '\0');
    if (!DumpCodec::encode(image, reinterpret_cast<uint8_t*>(dump.data())))
        return false;
    mouse.profiles[profile] = dump;
    return true;
}

bool SimLibrary::sendImage(SimMouse& mouse, const uint8_t* image)
{
    if (mouse.currentProfile >= mouse.profiles.size())
        return false;
    QByteArray dump(DumpCodec::DumpSize, '\0');
    if (!DumpCodec::encode(image, reinterpret_cast<uint8_t*>(dump.data())))
        return false;
    recordImageSent(image);
    if (!m_pipe.empty()) {
        // A newer image replaces one that is last in line and not yet under way.
        Transfer& last = m_pipe.back();
        if (last.write && last.startUs > nowUs() && last.mouseId == mouse.id && last.path == m_connection.path) {
            last.dump = dump;
            return true;
        }
    }
    Transfer write;
    write.write = true;
    write.mouseId = mouse.id;
    write.dump = dump;
    enqueue(std::move(write), ImageWriteReports);
    return true;
}

void SimLibrary::enqueue(Transfer transfer, int reports)
{
    transfer.id = ++m_transferSequence;
    if (transfer.path.isEmpty())
        transfer.path = m_connection.path;
    const qint64 interval = connectionIntervalUs();
    if (interval == 0) {
        // Devices that answer at once: what is still under way lands first.
        settleTransfers();
        apply(transfer);
        return;
    }
    // The bus is free once the last request under way has ended.
    transfer.startUs = std::max(nowUs(), m_pipe.empty() ? qint64(0) : m_pipe.back().endUs);
    transfer.endUs = transfer.startUs + qint64(reports) * interval;
    const quint64 id = transfer.id;
    const qint64 due = ceilMs(transfer.endUs);
    m_pipe.push_back(std::move(transfer));
    schedule(due, false, SimReport(), [this, id] {
        Lock locked(m_mutex);
        finishTransfer(id);
    });
}

void SimLibrary::apply(const Transfer& transfer)
{
    if (transfer.write) {
        SimMouse* mouse = world.mouse(transfer.mouseId);
        if (mouse && mouse->currentProfile < mouse->profiles.size())
            mouse->profiles[mouse->currentProfile] = transfer.dump;
    } else if (transfer.effect) {
        transfer.effect();
    }
    m_wake.notify_all();
}

// Requests take effect in the order they were asked; one that was lost
// meanwhile is no longer in the pipe.
void SimLibrary::finishTransfer(quint64 id)
{
    const bool queued = std::any_of(m_pipe.begin(), m_pipe.end(), [id](const Transfer& t) { return t.id == id; });
    while (queued && !m_pipe.empty() && m_pipe.front().id <= id) {
        const Transfer transfer = std::move(m_pipe.front());
        m_pipe.erase(m_pipe.begin());
        apply(transfer);
    }
}

void SimLibrary::settleTransfers()
{
    if (!m_pipe.empty())
        finishTransfer(m_pipe.back().id);
}

// A device that stops answering drops every request it had not finished,
// even if it answers again before their time is up: a read is not answered
// from a write that never arrived.
void SimLibrary::loseUnreachableTransfers()
{
    const auto lost = [this](const Transfer& t) {
        if (!t.mouseId.isEmpty()) {
            const SimMouse* mouse = answeringMouse(t.path.constData());
            return !mouse || mouse->id != t.mouseId;
        }
        if (!t.receiverId.isEmpty()) {
            const SimReceiver* receiver = visibleReceiver(t.path.constData());
            return !receiver || receiver->id != t.receiverId;
        }
        return false;
    };
    const auto kept = std::remove_if(m_pipe.begin(), m_pipe.end(), lost);
    if (kept == m_pipe.end())
        return;
    m_pipe.erase(kept, m_pipe.end());
    m_wake.notify_all();
}

void SimLibrary::recordImageSent(const uint8_t* image)
{
    if (!m_recording)
        return;
    images.append(QByteArray(reinterpret_cast<const char*>(image), DumpCodec::ImageSize));
    if (images.size() > MaxImagesKept)
        images.removeFirst();
}

// A mouse that changes profile says which one it now uses and sends that
// profile's whole content; "configuration applied" belongs to the reset.
void SimLibrary::switchProfileNow(SimMouse& mouse, int profile)
{
    mouse.currentProfile = profile;
    sendFromMouse(mouse, makeReport(DEVICELIB_REPORT_CONFIG_LIST, 0, QByteArray(1, char(profile))));
    sendFromMouse(mouse, mouseReport(MouseRequest::AllFlashData, mouse));
}

void SimLibrary::factoryResetNow(SimMouse& mouse)
{
    SimDefaults::initMemory(mouse);
    mouse.currentProfile = 0;
    sendFromMouse(mouse, makeReport(DEVICELIB_REPORT_CONFIG_APPLIED, 0, QByteArray(1, '\0')));
}

void SimLibrary::requestProfile(SimMouse& mouse, int profile)
{
    // The command, then the new profile's dump.
    requestOfMouse(mouse, 1 + reportsFor(DumpCodec::DumpSize),
                   [this, profile](SimMouse& m) { switchProfileNow(m, profile); });
}

void SimLibrary::requestFactoryReset(SimMouse& mouse)
{
    requestOfMouse(mouse, 1, [this](SimMouse& m) { factoryResetNow(m); });
}

// A mouse on the open connection takes the command in its turn; any other
// mouse (its own button, say) acts at once.
void SimLibrary::requestOfMouse(SimMouse& mouse, int reports, std::function<void(SimMouse&)> effect)
{
    const SimMouse* connected = connectionMouse();
    if (!connected || connected->id != mouse.id) {
        effect(mouse);
        return;
    }
    Transfer command;
    command.mouseId = mouse.id;
    command.effect = [this, id = mouse.id, effect] {
        if (SimMouse* m = world.mouse(id))
            effect(*m);
    };
    enqueue(std::move(command), reports);
}

bool SimLibrary::requestPairing(uint8_t cid)
{
    const SimReceiver* receiver = connectionReceiver();
    if (!receiver)
        return false;
    Transfer command;
    command.receiverId = receiver->id;
    command.effect = [this, id = receiver->id, cid] {
        if (SimReceiver* r = world.receiver(id)) {
            startPairing(*r, cid);
            sendFromReceiver(*r, makeReport(DEVICELIB_REPORT_PAIR_STATUS, 0, QByteArray(1, char(r->pairStatus))));
        }
    };
    enqueue(std::move(command), 1);
    return true;
}

bool SimLibrary::requestPairStatus()
{
    const SimReceiver* receiver = connectionReceiver();
    if (!receiver)
        return false;
    Transfer read;
    read.read = true;
    read.receiverId = receiver->id;
    read.effect = [this, id = receiver->id] {
        evaluatePairing();
        if (const SimReceiver* r = world.receiver(id))
            sendFromReceiver(*r, makeReport(DEVICELIB_REPORT_PAIR_STATUS, 0, QByteArray(1, char(r->pairStatus))));
    };
    enqueue(std::move(read), 1);
    return true;
}

// --- Pairing --------------------------------------------------------------------

void SimLibrary::startPairing(SimReceiver& receiver, uint8_t cid)
{
    receiver.pairStatus = 1;
    receiver.pairCid = cid;
    receiver.pairDeadline = nowMs() + pairTimeoutMs;
    evaluatePairing();
}

void SimLibrary::evaluatePairing()
{
    const qint64 now = nowMs();
    for (SimReceiver& r : world.receivers) {
        if (r.pairStatus != 1)
            continue;
        if (now > r.pairDeadline || !r.plugged || r.boot || r.flashing) {
            r.pairStatus = 2;
            continue;
        }
        auto candidate = std::find_if(world.mice.begin(), world.mice.end(), [&](const SimMouse& m) {
            return m.pairingMode && m.cid == r.pairCid && !m.boot && !m.flashing;
        });
        if (candidate == world.mice.end())
            continue;
        // A receiver keeps one mouse: the one it knew before forgets it.
        for (SimMouse& m : world.mice)
            if (m.paired && m.pairedAddress == r.address)
                m.paired = false;
        candidate->paired = true;
        candidate->pairedAddress = r.address;
        candidate->pairingMode = false;
        r.pairStatus = 3;
    }
}

// --- Firmware -------------------------------------------------------------------

namespace {

bool receiverFits(const SimReceiver& r, const FirmwareImage::Header& h)
{
    return h.kind == FirmwareImage::KindReceiver && r.cid == h.cid && r.mid == h.mid && r.name == h.name;
}

bool mouseFits(const SimMouse& m, const FirmwareImage::Header& h)
{
    return h.kind == FirmwareImage::KindMouse && m.cid == h.cid && m.mid == h.mid && m.name == h.name;
}

} // namespace

bool SimLibrary::flashable(const SimReceiver& r, const FirmwareImage::Header& header, bool boot) const
{
    return r.plugged && r.boot == boot && !r.flashing && receiverFits(r, header);
}

bool SimLibrary::flashable(const SimMouse& m, const FirmwareImage::Header& header, bool boot)
{
    if (m.boot != boot || m.flashing || !mouseFits(m, header))
        return false;
    if (m.onCable)
        return true;
    // Behind its receiver: in boot mode the mouse only needs the receiver
    // listed; in normal mode it must answer through it.
    if (boot) {
        const SimReceiver* r = m.paired ? receiverByAddress(m.pairedAddress) : nullptr;
        return r && r->listed();
    }
    return std::any_of(world.receivers.begin(), world.receivers.end(),
                       [&](const SimReceiver& r) { return r.listed() && mouseBehind(r) == &m; });
}

int SimLibrary::countBootDevices(const unsigned char* image)
{
    FirmwareImage::Header header;
    if (!FirmwareImage::parse(image, &header))
        return -1;
    int count = 0;
    for (const SimReceiver& r : world.receivers)
        count += flashable(r, header, true);
    for (const SimMouse& m : world.mice)
        count += flashable(m, header, true);
    return count;
}

int SimLibrary::startFlash(const unsigned char* image, UpgradeCallback callback)
{
    FirmwareImage::Header header;
    if (!callback || !FirmwareImage::parse(image, &header))
        return 0;

    auto accept = [&](const auto& device) {
        if (device.flashAnswer == FlashAnswer::Refuse)
            return 0;
        const QString id = device.id;
        const uint32_t version = header.version;
        if (m_pipe.empty()) {
            beginFlash(id, version, callback);
            return 1;
        }
        // Requests asked before the flashing reach their device first.
        Transfer flashing;
        flashing.effect = [this, id, version, callback] { beginFlash(id, version, callback); };
        enqueue(std::move(flashing), 0);
        return 1;
    };

    // A device waiting in boot mode comes first (a repair), then one in
    // normal mode: the receiver, or the mouse on its cable or behind its receiver.
    for (const bool boot : {true, false}) {
        for (SimReceiver& r : world.receivers)
            if (flashable(r, header, boot))
                return accept(r);
        for (SimMouse& m : world.mice)
            if (flashable(m, header, boot))
                return accept(m);
    }
    return 0;
}

// Flashing takes the device off the bus; progress and result follow on the
// dispatcher thread.
void SimLibrary::beginFlash(const QString& id, uint32_t version, UpgradeCallback callback)
{
    auto flash = [&](auto& device) {
        const int failPercent = device.failFlashAt;
        device.failFlashAt = -1;
        device.flashing = true;
        worldChanged();
        if (device.flashAnswer == FlashAnswer::Never)
            return;

        const qint64 start = nowMs();
        const int stepMs = device.flashAnswer == FlashAnswer::AtOnce ? 0 : flashStepMs;
        int step = 0;
        for (int percent = 0; percent <= 100; percent += 10) {
            if (failPercent >= 0 && percent > failPercent)
                break;
            const unsigned char message[3] = {DEVICELIB_UPGRADE_MESSAGE, DEVICELIB_UPGRADE_PROGRESS,
                                              static_cast<unsigned char>(percent)};
            QByteArray bytes(reinterpret_cast<const char*>(message), 3);
            schedule(start + qint64(step++) * stepMs, false, SimReport(),
                     [callback, bytes] { callback(reinterpret_cast<const unsigned char*>(bytes.constData())); });
        }
        const bool success = failPercent < 0;
        schedule(start + qint64(step) * stepMs, false, SimReport(), [this, callback, id, success, version] {
            bool ok = false;
            {
                Lock locked(m_mutex);
                auto finish = [&](auto* flashed) {
                    if (!flashed)
                        return;
                    flashed->flashing = false;
                    flashed->boot = !success;
                    if (success)
                        flashed->version = version;
                    ok = success;
                };
                // Ids are unique across receivers and mice.
                if (SimReceiver* r = world.receiver(id))
                    finish(r);
                else
                    finish(world.mouse(id));
                worldChanged();
            }
            const unsigned char message[3] = {DEVICELIB_UPGRADE_MESSAGE, DEVICELIB_UPGRADE_RESULT,
                                              static_cast<unsigned char>(ok ? 1 : 0)};
            callback(message);
        });
    };
    if (SimReceiver* r = world.receiver(id))
        flash(*r);
    else if (SimMouse* m = world.mouse(id))
        flash(*m);
}

// --- Dispatcher -----------------------------------------------------------------

void SimLibrary::schedule(qint64 due, bool connectionReport, const SimReport& report, std::function<void()> action)
{
    Task task;
    task.isReport = connectionReport;
    task.generation = m_connection.generation;
    task.report = report;
    task.action = std::move(action);
    m_queue.emplace(std::make_pair(due, ++m_sequence), std::move(task));
    m_wake.notify_all();
}

void SimLibrary::dispatch()
{
    Lock locked(m_mutex);
    while (!m_stopping) {
        if (m_queue.empty()) {
            m_wake.wait(locked);
            continue;
        }
        const qint64 due = m_queue.begin()->first.first;
        const qint64 now = nowMs();
        if (due > now) {
            m_wake.wait_for(locked, std::chrono::milliseconds(due - now));
            continue;
        }
        Task task = std::move(m_queue.begin()->second);
        m_queue.erase(m_queue.begin());
        DeviceReportCallback callback = nullptr;
        if (task.isReport) {
            if (!m_connection.open || task.generation != m_connection.generation)
                continue;
            callback = m_connection.callback;
        }
        m_running = true;
        locked.unlock();
        if (callback)
            callback(reinterpret_cast<const unsigned char*>(task.report.header.constData()), task.report.header.size(),
                     reinterpret_cast<const unsigned char*>(task.report.payload.constData()),
                     task.report.payload.size());
        else if (task.action)
            task.action();
        locked.lock();
        m_running = false;
        m_wake.notify_all();
    }
}

bool SimLibrary::waitIdle(Lock& locked, int timeoutMs)
{
    return waitUntil(locked, timeoutMs, [this] {
        const bool ownHotplug = m_notifier && m_notifier->thread() == QThread::currentThread();
        return m_queue.empty() && !m_running && !(m_hotplugPending && ownHotplug);
    });
}

bool SimLibrary::waitWrites(Lock& locked, int timeoutMs)
{
    return waitUntil(locked, timeoutMs, [this] {
        return std::none_of(m_pipe.begin(), m_pipe.end(), [](const Transfer& t) { return t.write; });
    });
}

template <typename Done> bool SimLibrary::waitUntil(Lock& locked, int timeoutMs, Done done)
{
    const qint64 deadline = nowMs() + timeoutMs;
    for (;;) {
        if (done())
            return true;
        if (nowMs() > deadline)
            return false;
        locked.unlock();
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        locked.lock();
    }
}

// --- Hot plug -------------------------------------------------------------------

void SimLibrary::registerHotplug(HotplugCallback callback)
{
    m_hotplug = callback;
    ++m_hotplugGeneration;
    m_hotplugPending = false; // the call made now covers every change so far
    if (!m_notifier || m_notifier->thread() != QThread::currentThread())
        m_notifier = new QObject; // a notifier of an earlier thread is left alone
}

void SimLibrary::stopHotplug()
{
    m_hotplug = nullptr;
    ++m_hotplugGeneration;
    m_hotplugPending = false;
}

void SimLibrary::postHotplug()
{
    if (!m_hotplug || !m_notifier || m_hotplugPending || m_stopping)
        return;
    m_hotplugPending = true;
    const quint64 generation = m_hotplugGeneration;
    QMetaObject::invokeMethod(
        m_notifier,
        [this, generation] {
            HotplugCallback callback = nullptr;
            {
                Lock locked(m_mutex);
                if (generation != m_hotplugGeneration)
                    return;
                m_hotplugPending = false;
                callback = m_hotplug;
            }
            if (callback)
                callback();
        },
        Qt::QueuedConnection);
}
