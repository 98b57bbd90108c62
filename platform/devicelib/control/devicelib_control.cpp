#include "devicelib_control.h"

#include "../dump_codec.h"
#include "../firmware_image.h"
#include "../sim_library.h"

#include <QFile>
#include <QRandomGenerator>

#include <algorithm>

namespace SimControl {
namespace {

SimLibrary& lib()
{
    return SimLibrary::instance();
}

const uint8_t* bytes(const QByteArray& data)
{
    return reinterpret_cast<const uint8_t*>(data.constData());
}

// Runs a change on one mouse and re-evaluates the world afterwards.
template <typename Change> bool changeMouse(const QString& id, Change change)
{
    auto locked = lib().lock();
    SimMouse* m = lib().world.mouse(id);
    if (!m)
        return false;
    const bool ok = change(*m);
    lib().worldChanged();
    return ok;
}

template <typename Change> bool changeReceiver(const QString& id, Change change)
{
    auto locked = lib().lock();
    SimReceiver* r = lib().world.receiver(id);
    if (!r)
        return false;
    const bool ok = change(*r);
    lib().worldChanged();
    return ok;
}

// For a change of either kind of device: receivers and mice share the fields
// these changes name.
template <typename Change> bool changeDevice(const QString& id, Change change)
{
    auto locked = lib().lock();
    if (SimReceiver* r = lib().world.receiver(id))
        change(*r);
    else if (SimMouse* m = lib().world.mouse(id))
        change(*m);
    else
        return false;
    lib().worldChanged();
    return true;
}

template <typename Read, typename Value> Value readDevice(const QString& id, Read read, Value none)
{
    auto locked = lib().lock();
    if (const SimReceiver* r = lib().world.receiver(id))
        return read(*r);
    const SimMouse* m = lib().world.mouse(id);
    return m ? read(*m) : none;
}

bool sendStatus(SimMouse& m, int flagBits)
{
    lib().sendFromMouse(m, SimLibrary::makeReport(DEVICELIB_REPORT_STATUS_CHANGED, 0, statusPayload(flagBits)));
    return true;
}

bool loadWorld(const QString& text)
{
    SimWorld world;
    QString error;
    const bool ok = parseWorld(text, &world, &error);
    if (!ok)
        qWarning("devicelib: world not loaded: %s", qPrintable(error));
    auto locked = lib().lockWithoutLoading();
    lib().worldError.clear();
    lib().replaceWorld(ok ? world : SimWorld(), true);
    return ok;
}

QByteArray devicePathLocked(const QString& id)
{
    const SimWorld& w = lib().world;
    for (const SimReceiver& r : w.receivers)
        if (r.id == id && r.listed())
            return receiverPath(w.vid, r);
    for (const SimMouse& m : w.mice)
        if (m.id == id && m.listed())
            return cablePath(w.vid, m);
    return QByteArray();
}

} // namespace

// --- World -------------------------------------------------------------------

bool loadWorldFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        loadWorld(QString());
        return false;
    }
    return loadWorld(QString::fromUtf8(file.readAll()));
}

bool loadWorldText(const QString& iniText)
{
    return loadWorld(iniText);
}

QString defaultWorldPath()
{
    return simDefaultWorldPath();
}

void resetWorld()
{
    auto locked = lib().lockWithoutLoading();
    lib().resetSettings();
    lib().replaceWorld(SimWorld(), true);
}

bool addReceiver(const ReceiverSetup& setup)
{
    auto locked = lib().lock();
    if (setup.id.isEmpty() || lib().world.hasId(setup.id) || !SimDefaults::isReceiverClass(setup.receiverClass))
        return false;
    if (!setup.address.isEmpty() && setup.address.size() != 3)
        return false;
    SimReceiver r = SimDefaults::receiver(setup.id, setup.receiverClass);
    if (setup.pid)
        r.pid = setup.pid;
    r.cid = setup.cid;
    r.mid = setup.mid;
    r.name = setup.name.toLatin1();
    r.version = setup.version;
    if (!setup.address.isEmpty())
        std::copy(bytes(setup.address), bytes(setup.address) + 3, r.address.begin());
    r.plugged = setup.plugged;
    lib().world.receivers.append(r);
    lib().worldChanged();
    return true;
}

bool addMouse(const MouseSetup& setup)
{
    auto locked = lib().lock();
    if (setup.id.isEmpty() || lib().world.hasId(setup.id))
        return false;
    SimMouse m;
    m.id = setup.id;
    m.cid = setup.cid;
    m.mid = setup.mid;
    m.name = setup.name.toLatin1();
    m.version = setup.version;
    if (!setup.receiver.isEmpty()) {
        const SimReceiver* r = lib().world.receiver(setup.receiver);
        if (!r)
            return false;
        m.paired = true;
        m.pairedAddress = r->address;
    }
    m.onCable = setup.onCable;
    m.cablePid = setup.cablePid;
    m.awake = setup.awake;
    m.inRange = setup.inRange;
    m.battery = std::clamp(setup.battery, 0, 100);
    m.charging = setup.charging;
    SimDefaults::initMemory(m);
    lib().world.mice.append(m);
    lib().worldChanged();
    return true;
}

bool removeDevice(const QString& id)
{
    auto locked = lib().lock();
    SimWorld& w = lib().world;
    const int before = w.receivers.size() + w.mice.size();
    w.receivers.erase(std::remove_if(w.receivers.begin(), w.receivers.end(),
                                     [&](const SimReceiver& r) { return r.id == id; }),
                      w.receivers.end());
    w.mice.erase(std::remove_if(w.mice.begin(), w.mice.end(), [&](const SimMouse& m) { return m.id == id; }),
                 w.mice.end());
    lib().worldChanged();
    return w.receivers.size() + w.mice.size() < before;
}

QStringList deviceIds()
{
    auto locked = lib().lock();
    QStringList ids;
    for (const SimReceiver& r : lib().world.receivers)
        ids.append(r.id);
    for (const SimMouse& m : lib().world.mice)
        ids.append(m.id);
    return ids;
}

bool setPlugged(const QString& id, bool plugged)
{
    auto locked = lib().lock();
    if (SimReceiver* r = lib().world.receiver(id))
        r->plugged = plugged;
    else if (SimMouse* m = lib().world.mouse(id))
        m->onCable = plugged;
    else
        return false;
    lib().worldChanged();
    return true;
}

bool setMouseAwake(const QString& mouseId, bool awake)
{
    return changeMouse(mouseId, [&](SimMouse& m) {
        m.awake = awake;
        return true;
    });
}

bool setMouseInRange(const QString& mouseId, bool inRange)
{
    return changeMouse(mouseId, [&](SimMouse& m) {
        m.inRange = inRange;
        return true;
    });
}

bool setMouseOnline(const QString& mouseId, bool online)
{
    return changeMouse(mouseId, [&](SimMouse& m) {
        m.awake = online;
        if (online)
            m.inRange = true;
        return true;
    });
}

bool scriptIdentityZeros(const QString& id, int n)
{
    return changeDevice(id, [&](auto& device) { device.identityZeros = std::max(n, 0); });
}

QByteArray devicePath(const QString& id)
{
    auto locked = lib().lock();
    return devicePathLocked(id);
}

QString pairedReceiver(const QString& mouseId)
{
    auto locked = lib().lock();
    const SimMouse* m = lib().world.mouse(mouseId);
    const SimReceiver* r = m && m->paired ? lib().receiverByAddress(m->pairedAddress) : nullptr;
    return r ? r->id : QString();
}

QByteArray receiverAddress(const QString& receiverId)
{
    auto locked = lib().lock();
    const SimReceiver* r = lib().world.receiver(receiverId);
    return r ? QByteArray(reinterpret_cast<const char*>(r->address.data()), 3) : QByteArray();
}

// --- Mouse memory ------------------------------------------------------------

QByteArray mouseImage(const QString& mouseId, int profile)
{
    auto locked = lib().lock();
    const SimMouse* m = lib().world.mouse(mouseId);
    if (!m)
        return QByteArray();
    const QByteArray dump = m->profiles.value(profile < 0 ? m->currentProfile : profile);
    return dump.isEmpty() ? QByteArray() : decodeDump(dump);
}

bool setMouseImage(const QString& mouseId, const QByteArray& image, int profile)
{
    if (image.size() != DumpCodec::ImageSize)
        return false;
    auto locked = lib().lock();
    SimMouse* m = lib().world.mouse(mouseId);
    return m && lib().storeImage(*m, bytes(image), profile);
}

QByteArray factoryImage(const QString& mouseId)
{
    auto locked = lib().lock();
    const SimMouse* mouse = lib().world.mouse(mouseId);
    return mouse ? SimDefaults::factoryImage(*mouse) : QByteArray();
}

int currentProfile(const QString& mouseId)
{
    auto locked = lib().lock();
    const SimMouse* m = lib().world.mouse(mouseId);
    return m ? m->currentProfile : -1;
}

QByteArray encodeDump(const QByteArray& image)
{
    if (image.size() != DumpCodec::ImageSize)
        return QByteArray();
    QByteArray dump(DumpCodec::DumpSize, '\0');
    return DumpCodec::encode(bytes(image), reinterpret_cast<uint8_t*>(dump.data())) ? dump : QByteArray();
}

QByteArray decodeDump(const QByteArray& dump)
{
    if (dump.size() != DumpCodec::DumpSize)
        return QByteArray();
    QByteArray image(DumpCodec::ImageSize, '\0');
    DumpCodec::decode(bytes(dump), reinterpret_cast<uint8_t*>(image.data()));
    return image;
}

// --- Connection and reports --------------------------------------------------

bool injectReport(const QByteArray& header, const QByteArray& payload)
{
    auto locked = lib().lock();
    if (!lib().connectionOpen())
        return false;
    lib().queueReport(SimReport{header, payload});
    return true;
}

QByteArray makeReportHeader(int type, int subCode)
{
    return SimLibrary::makeReport(type, subCode, QByteArray()).header;
}

QByteArray statusPayload(int flagBits)
{
    QByteArray payload(DumpCodec::StatusPayloadSize, '\0');
    DumpCodec::makeStatusPayload(flagBits, reinterpret_cast<uint8_t*>(payload.data()));
    return payload;
}

QByteArray batteryPayload(int percent, bool charging)
{
    QByteArray payload(DumpCodec::BatteryPayloadSize, '\0');
    DumpCodec::makeBatteryPayload(percent, charging, reinterpret_cast<uint8_t*>(payload.data()));
    return payload;
}

QByteArray dpiLedPayload(const QByteArray& block4)
{
    if (block4.size() != DumpCodec::DpiLedSize)
        return QByteArray();
    QByteArray payload(DumpCodec::DpiLedPayloadSize, '\0');
    DumpCodec::makeDpiLedPayload(bytes(block4), reinterpret_cast<uint8_t*>(payload.data()));
    return payload;
}

QByteArray ledBarPayload(const QByteArray& block7)
{
    if (block7.size() != DumpCodec::LedBarSize)
        return QByteArray();
    QByteArray payload(DumpCodec::LedBarPayloadSize, '\0');
    DumpCodec::makeLedBarPayload(bytes(block7), reinterpret_cast<uint8_t*>(payload.data()));
    return payload;
}

QByteArray connectionPath()
{
    auto locked = lib().lock();
    return lib().connectionPath();
}

void setLatencyMs(int ms)
{
    auto locked = lib().lock();
    lib().latencyMs = std::max(ms, 0);
}

int latencyMs()
{
    auto locked = lib().lock();
    return lib().latencyMs;
}

void setReportIntervalUs(int us)
{
    auto locked = lib().lock();
    lib().intervalOverrideUs = std::max(us, -1);
}

int reportIntervalUs(const QString& id)
{
    auto locked = lib().lock();
    const QByteArray path = devicePathLocked(id);
    return path.isEmpty() ? -1 : lib().deviceIntervalUs(path.constData());
}

bool waitWrites(int timeoutMs)
{
    auto locked = lib().lock();
    return lib().waitWrites(locked, timeoutMs);
}

bool waitIdle(int timeoutMs)
{
    auto locked = lib().lock();
    return lib().waitIdle(locked, timeoutMs);
}

// --- Call log ----------------------------------------------------------------

void setRecording(bool on)
{
    auto locked = lib().lock();
    lib().setRecording(on);
}

QList<Call> callLog()
{
    auto locked = lib().lock();
    QList<Call> log;
    for (const SimCall& c : lib().calls)
        log.append(Call{c.function, c.argument});
    return log;
}

int callCount(const QString& function)
{
    auto locked = lib().lock();
    return lib().callCounts.value(function);
}

QByteArray lastImageSent()
{
    auto locked = lib().lock();
    return lib().images.isEmpty() ? QByteArray() : lib().images.last();
}

QList<QByteArray> imagesSent()
{
    auto locked = lib().lock();
    return lib().images;
}

void clearCallLog()
{
    auto locked = lib().lock();
    lib().clearCallLog();
}

// --- Behaviours ----------------------------------------------------------------

bool pressDpiButton(const QString& mouseId)
{
    return changeMouse(mouseId, [](SimMouse& m) {
        QByteArray& dump = m.profiles[m.currentProfile];
        const int stages = std::clamp(int(uint8_t(dump[DumpCodec::StageCountOffset])), 1, 8);
        const int stage = uint8_t(dump[DumpCodec::CurrentStageOffset]);
        dump[DumpCodec::CurrentStageOffset] = char((stage + 1) % stages);
        return sendStatus(m, 1 << 0);
    });
}

bool setBattery(const QString& mouseId, int percent, bool charging)
{
    return changeMouse(mouseId, [&](SimMouse& m) {
        m.battery = std::clamp(percent, 0, 100);
        m.charging = charging;
        return sendStatus(m, 1 << 6);
    });
}

bool requestRestart(const QString& mouseId)
{
    return changeMouse(mouseId, [](SimMouse& m) { return sendStatus(m, 1 << 2); });
}

bool sendStatusChanged(const QString& mouseId, int flagBits)
{
    return changeMouse(mouseId, [&](SimMouse& m) { return sendStatus(m, flagBits); });
}

bool switchProfile(const QString& mouseId, int profile)
{
    return changeMouse(mouseId, [&](SimMouse& m) {
        if (profile < 0 || profile >= m.profiles.size())
            return false;
        lib().requestProfile(m, profile);
        return true;
    });
}

bool factoryReset(const QString& mouseId)
{
    return changeMouse(mouseId, [](SimMouse& m) {
        lib().requestFactoryReset(m);
        return true;
    });
}

bool setPairingMode(const QString& mouseId, bool on)
{
    return changeMouse(mouseId, [&](SimMouse& m) {
        // Pairing mode is entered by hand, which wakes the mouse.
        m.pairingMode = on;
        if (on)
            m.awake = m.inRange = true;
        return true;
    });
}

void setPairTimeoutMs(int ms)
{
    auto locked = lib().lock();
    lib().pairTimeoutMs = std::max(ms, 0);
}

bool changeReceiverLight(const QString& receiverId, int mode)
{
    return changeReceiver(receiverId, [&](SimReceiver& r) {
        if (r.receiverClass != 4 || mode < 1 || mode > 3)
            return false;
        r.light[0] = uint8_t(mode);
        lib().sendFromReceiver(r, SimLibrary::makeReport(DEVICELIB_REPORT_DONGLE_LIGHT, 0,
                                                         QByteArray(reinterpret_cast<const char*>(r.light.data()), 10)));
        return true;
    });
}

bool changeLongRange(const QString& receiverId, bool on)
{
    return changeReceiver(receiverId, [&](SimReceiver& r) {
        r.longRange = on ? 1 : 0;
        QByteArray payload(10, '\0');
        payload[0] = char(r.longRange);
        lib().sendFromReceiver(r, SimLibrary::makeReport(DEVICELIB_REPORT_LONG_RANGE, 0, payload));
        return true;
    });
}

int receiverLightMode(const QString& receiverId)
{
    auto locked = lib().lock();
    const SimReceiver* r = lib().world.receiver(receiverId);
    return r && r->receiverClass == 4 ? r->light[0] : -1;
}

int receiverLongRange(const QString& receiverId)
{
    auto locked = lib().lock();
    const SimReceiver* r = lib().world.receiver(receiverId);
    return r ? r->longRange : -1;
}

// --- Firmware ----------------------------------------------------------------

QByteArray makeFirmwareImage(int kind, quint8 cid, quint8 mid, const QString& modelName, quint32 version,
                             int payloadSize)
{
    QByteArray payload(std::clamp(payloadSize, 0, int(FirmwareImage::MaxPayload)), '\0');
    QRandomGenerator generator(version ^ (uint(mid) << 24));
    for (char& c : payload)
        c = char(generator.bounded(256));
    return FirmwareImage::build(uint8_t(kind), cid, mid, modelName.toLatin1(), version, payload);
}

bool failNextFlash(const QString& id, int atPercent)
{
    return changeDevice(id, [&](auto& device) { device.failFlashAt = std::clamp(atPercent, 0, 100); });
}

bool setFlashAnswer(const QString& id, FlashAnswer answer)
{
    static const ::FlashAnswer answers[] = {::FlashAnswer::Normal, ::FlashAnswer::Refuse, ::FlashAnswer::Never,
                                            ::FlashAnswer::AtOnce};
    if (answer < FlashNormally || answer > AnswerFlashAtOnce)
        return false;
    return changeDevice(id, [&](auto& device) { device.flashAnswer = answers[answer]; });
}

bool setBootMode(const QString& id, bool boot)
{
    return changeDevice(id, [&](auto& device) { device.boot = boot; });
}

bool inBootMode(const QString& id)
{
    return readDevice(id, [](const auto& device) { return device.boot; }, false);
}

int firmwareVersion(const QString& id)
{
    return readDevice(id, [](const auto& device) { return int(device.version); }, -1);
}

void setFlashStepMs(int ms)
{
    auto locked = lib().lock();
    lib().flashStepMs = std::max(ms, 0);
}

} // namespace SimControl
