#include "sim_world.h"

#include "devicelib.h"
#include "dump_codec.h"

#include <QCryptographicHash>
#include <QHash>
#include <QStringList>

#include <algorithm>
#include <vector>

SimReceiver* SimWorld::receiver(const QString& id)
{
    for (auto& r : receivers)
        if (r.id == id)
            return &r;
    return nullptr;
}

SimMouse* SimWorld::mouse(const QString& id)
{
    for (auto& m : mice)
        if (m.id == id)
            return &m;
    return nullptr;
}

bool SimWorld::hasId(const QString& id) const
{
    return std::any_of(receivers.begin(), receivers.end(), [&](const SimReceiver& r) { return r.id == id; })
        || std::any_of(mice.begin(), mice.end(), [&](const SimMouse& m) { return m.id == id; });
}

namespace SimDefaults {
namespace {

uint16_t receiverPid(int receiverClass)
{
    switch (receiverClass) {
    case 1: return 0x7B01;
    case 2: return 0x7B02;
    case 8: return 0x7B08;
    default: return 0x7B04;
    }
}

Address addressFor(const QString& id)
{
    // Stable per id, never all zero (zero means "not paired").
    const QByteArray hash = QCryptographicHash::hash(id.toUtf8(), QCryptographicHash::Sha1);
    Address a{uint8_t(hash[0]), uint8_t(hash[1]), uint8_t(hash[2])};
    if (a == Address{})
        a[2] = 1;
    return a;
}

} // namespace

bool isReceiverClass(int receiverClass)
{
    return receiverClass == 1 || receiverClass == 2 || receiverClass == 4 || receiverClass == 8;
}

SimReceiver receiver(const QString& id, int receiverClass)
{
    SimReceiver r;
    r.id = id;
    r.receiverClass = receiverClass;
    r.pid = receiverPid(receiverClass);
    r.address = addressFor(id);
    return r;
}

int connectionType(int receiverClass)
{
    switch (receiverClass) {
    case 1: return DEVICELIB_CONN_RECEIVER_1K;
    case 2: return DEVICELIB_CONN_RECEIVER_2K;
    case 8: return DEVICELIB_CONN_RECEIVER_8K;
    default: return DEVICELIB_CONN_RECEIVER_4K;
    }
}

QByteArray factoryImage(const SimMouse& mouse)
{
    // Built in a plain buffer: GCC cannot follow writes through QByteArray::data().
    std::vector<uint8_t> buffer(DumpCodec::ImageSize, 0);
    uint8_t* b = buffer.data();
    b[0x00] = 0x01; // 1000 Hz
    b[0x01] = 4;    // stages in use
    b[0x02] = 0;
    b[0x05] = 1;    // lift-off 1 mm
    b[0x06] = 4;    // debounce ms
    b[0x08] = 6;    // light off after 60 s
    static const uint8_t codes[8] = {8, 16, 32, 64, 96, 128, 160, 200};
    static const uint8_t colours[8][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0},
                                          {0, 255, 255}, {255, 0, 255}, {255, 128, 0}, {255, 255, 255}};
    for (int i = 0; i < 8; ++i) {
        uint8_t* stage = b + 0x0F + 6 * i;
        stage[0] = stage[1] = codes[i];
        if (i < mouse.factoryStages.size()) {
            stage[0] = stage[1] = mouse.factoryStages.at(i).first;
            stage[2] = mouse.factoryStages.at(i).second;
        }
        stage[3] = colours[i][0];
        stage[4] = colours[i][1];
        stage[5] = colours[i][2];
    }
    const uint8_t dpiLed[4] = {1, 3, 2, 1};
    std::copy(dpiLed, dpiLed + 4, b + DumpCodec::DpiLedOffset);
    const uint8_t ledBar[7] = {1, 255, 0, 64, 2, 3, 1};
    std::copy(ledBar, ledBar + 7, b + DumpCodec::LedBarOffset);
    // Left, right, middle, back, forward, DPI cycle.
    static const uint8_t functions[6][3] = {{1, 1, 0}, {1, 2, 0}, {1, 4, 0}, {1, 8, 0}, {1, 16, 0}, {2, 1, 0}};
    for (int i = 0; i < 6; ++i)
        std::copy(functions[i], functions[i] + 3, b + 0x4A + 3 * i);
    return QByteArray(reinterpret_cast<const char*>(buffer.data()), int(buffer.size()));
}

QByteArray factoryDump(const SimMouse& mouse)
{
    const QByteArray image = factoryImage(mouse);
    QByteArray dump(DumpCodec::DumpSize, '\0');
    DumpCodec::encode(reinterpret_cast<const uint8_t*>(image.constData()), reinterpret_cast<uint8_t*>(dump.data()));
    return dump;
}

void initMemory(SimMouse& mouse)
{
    const QByteArray dump = factoryDump(mouse);
    mouse.profiles = QVector<QByteArray>(ProfileCount, dump);
    mouse.currentProfile = std::clamp(mouse.currentProfile, 0, int(ProfileCount) - 1);
}

} // namespace SimDefaults

static QByteArray hidPath(uint16_t vid, uint16_t pid, const QString& id)
{
    return QByteArray("hidsim:") + QByteArray::number(vid, 16).rightJustified(4, '0') + ':'
        + QByteArray::number(pid, 16).rightJustified(4, '0') + ':' + id.toUtf8();
}

QByteArray receiverPath(uint16_t vid, const SimReceiver& receiver)
{
    return hidPath(vid, receiver.pid, receiver.id);
}

QByteArray cablePath(uint16_t vid, const SimMouse& mouse)
{
    return hidPath(vid, mouse.cablePid, mouse.id);
}

int parseHexId(const QByteArray& text)
{
    QByteArray t = text.trimmed().toLower();
    if (t.startsWith("0x"))
        t = t.mid(2);
    bool ok = false;
    const int value = t.toInt(&ok, 16);
    return ok && !t.isEmpty() && value >= 0 && value <= 0xFFFF ? value : -1;
}

int parseVersion(const QString& text)
{
    QString t = text.trimmed().toLower();
    bool ok = false;
    if (t.startsWith(QLatin1String("0x"))) {
        const int value = t.mid(2).toInt(&ok, 16);
        return ok && value >= 0 ? value : -1;
    }
    if (t.startsWith(QLatin1Char('v')))
        t = t.mid(1);
    const QStringList parts = t.split(QLatin1Char('.'));
    if (parts.size() != 2)
        return -1;
    bool okMinor = false;
    const int major = parts[0].toInt(&ok, 10);
    const int minor = parts[1].toInt(&okMinor, 16);
    if (!ok || !okMinor || major < 0 || major > 0xFFFF || minor < 0 || minor > 0xFF)
        return -1;
    return major << 8 | minor;
}

namespace {

struct Section {
    QString kind; // "world", "receiver", "mouse"
    QString id;
    QHash<QString, QString> values; // lower-case keys
    QHash<QString, int> keyLines;   // the line each value was read from
    int line = 0;

    // Where a key's value stands, so an error points at it; the section's
    // own line when the key is absent (its default was refused).
    int lineOf(const char* key) const { return keyLines.value(QLatin1String(key), line); }
};

bool parseBool(const QString& text, bool* value)
{
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("true") || t == QLatin1String("yes") || t == QLatin1String("1"))
        *value = true;
    else if (t == QLatin1String("false") || t == QLatin1String("no") || t == QLatin1String("0"))
        *value = false;
    else
        return false;
    return true;
}

bool parseAddress(const QString& text, Address* address)
{
    QString t = text;
    t.replace(QLatin1Char(':'), QLatin1Char(' ')).replace(QLatin1Char(','), QLatin1Char(' '));
    const QStringList parts = t.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 3)
        return false;
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const int v = parts[i].toInt(&ok, 16);
        if (!ok || v < 0 || v > 0xFF)
            return false;
        (*address)[std::size_t(i)] = uint8_t(v);
    }
    return true;
}

// "07:00 0F:00 ...": up to eight code:flags pairs, hexadecimal bytes.
bool parseStages(const QString& text, QVector<std::pair<uint8_t, uint8_t>>* stages)
{
    const QStringList records = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (records.isEmpty() || records.size() > 8)
        return false;
    QVector<std::pair<uint8_t, uint8_t>> parsed;
    for (const QString& record : records) {
        const QStringList bytes = record.split(QLatin1Char(':'));
        bool okCode = false;
        bool okFlags = false;
        const int code = bytes.value(0).toInt(&okCode, 16);
        const int flags = bytes.value(1).toInt(&okFlags, 16);
        if (bytes.size() != 2 || !okCode || !okFlags || code < 0 || code > 0xFF || flags < 0 || flags > 0xFF)
            return false;
        parsed.append({uint8_t(code), uint8_t(flags)});
    }
    *stages = parsed;
    return true;
}

// Reads one section's values into the fields; reports the first bad one.
class SectionReader {
public:
    SectionReader(const Section& section, QString* error) : m_section(section), m_error(error) {}

    bool ok() const { return m_ok; }
    bool has(const char* key) const { return m_section.values.contains(QLatin1String(key)); }
    QString text(const char* key) const { return m_section.values.value(QLatin1String(key)); }

    void number(const char* key, int min, int max, int* out)
    {
        if (!has(key))
            return;
        bool ok = false;
        const int v = text(key).trimmed().toInt(&ok, 0);
        if (!ok || v < min || v > max)
            fail(key);
        else
            *out = v;
    }
    template <typename T> void byte(const char* key, T* out)
    {
        int v = *out;
        number(key, 0, 255, &v);
        *out = T(v);
    }
    void hexId(const char* key, uint16_t* out)
    {
        if (!has(key))
            return;
        const int v = parseHexId(text(key).toLatin1());
        v < 0 ? fail(key) : void(*out = uint16_t(v));
    }
    void version(const char* key, uint32_t* out)
    {
        if (!has(key))
            return;
        const int v = parseVersion(text(key));
        v < 0 ? fail(key) : void(*out = uint32_t(v));
    }
    void flag(const char* key, bool* out)
    {
        if (has(key) && !parseBool(text(key), out))
            fail(key);
    }
    // Boot, FailFlashAt and FlashAnswer of a receiver or a mouse.
    template <typename Device> void firmware(Device* device)
    {
        flag("boot", &device->boot);
        number("failflashat", 0, 100, &device->failFlashAt);
        if (!has("flashanswer"))
            return;
        const QString answer = text("flashanswer").trimmed().toLower();
        if (answer == QLatin1String("normal"))
            device->flashAnswer = FlashAnswer::Normal;
        else if (answer == QLatin1String("refuse"))
            device->flashAnswer = FlashAnswer::Refuse;
        else if (answer == QLatin1String("never"))
            device->flashAnswer = FlashAnswer::Never;
        else if (answer == QLatin1String("at-once"))
            device->flashAnswer = FlashAnswer::AtOnce;
        else
            fail("flashanswer");
    }
    void address(const char* key, Address* out)
    {
        if (has(key) && !parseAddress(text(key), out))
            fail(key);
    }
    void stages(const char* key, QVector<std::pair<uint8_t, uint8_t>>* out)
    {
        if (has(key) && !parseStages(text(key), out))
            fail(key);
    }

private:
    void fail(const char* key)
    {
        if (m_ok && m_error)
            *m_error = QStringLiteral("line %1: bad value for %2").arg(m_section.lineOf(key)).arg(QLatin1String(key));
        m_ok = false;
    }

    const Section& m_section;
    QString* m_error;
    bool m_ok = true;
};

const int MaxReportIntervalUs = 100000;

bool readSections(const QString& text, QVector<Section>* sections, QString* error)
{
    int lineNumber = 0;
    for (QString line : text.split(QLatin1Char('\n'))) {
        ++lineNumber;
        const int comment = line.indexOf(QLatin1String(" ;"));
        if (comment >= 0)
            line.truncate(comment);
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']'))) {
                *error = QStringLiteral("line %1: unterminated section").arg(lineNumber);
                return false;
            }
            const QStringList words = line.mid(1, line.size() - 2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            Section section;
            section.kind = words.value(0).toLower();
            section.id = words.value(1);
            section.line = lineNumber;
            const bool named = section.kind == QLatin1String("receiver") || section.kind == QLatin1String("mouse");
            if (!(section.kind == QLatin1String("world") && words.size() == 1) && !(named && words.size() == 2)) {
                *error = QStringLiteral("line %1: unknown section %2").arg(lineNumber).arg(line);
                return false;
            }
            sections->append(section);
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || sections->isEmpty()) {
            *error = QStringLiteral("line %1: expected key = value").arg(lineNumber);
            return false;
        }
        const QString key = line.left(eq).trimmed().toLower();
        sections->last().values.insert(key, line.mid(eq + 1).trimmed());
        sections->last().keyLines.insert(key, lineNumber);
    }
    return true;
}

} // namespace

bool parseWorld(const QString& text, SimWorld* world, QString* error)
{
    QString ignored;
    if (!error)
        error = &ignored;
    QVector<Section> sections;
    if (!readSections(text, &sections, error))
        return false;

    SimWorld result;
    for (const Section& s : sections) {
        SectionReader read(s, error);
        if (s.kind == QLatin1String("world")) {
            read.hexId("vid", &result.vid);
            read.number("reportintervalus", 0, MaxReportIntervalUs, &result.reportIntervalUs);
            if (!read.ok())
                return false;
        } else if (s.kind == QLatin1String("receiver")) {
            if (result.hasId(s.id)) {
                *error = QStringLiteral("line %1: duplicate id %2").arg(s.line).arg(s.id);
                return false;
            }
            int receiverClass = SimReceiver().receiverClass;
            read.number("class", 1, 8, &receiverClass);
            if (!SimDefaults::isReceiverClass(receiverClass)) {
                *error = QStringLiteral("line %1: class must be 1, 2, 4 or 8").arg(s.lineOf("class"));
                return false;
            }
            SimReceiver r = SimDefaults::receiver(s.id, receiverClass);
            read.hexId("pid", &r.pid);
            read.byte("cid", &r.cid);
            read.byte("mid", &r.mid);
            r.name = read.text("name").toLatin1();
            read.version("version", &r.version);
            read.address("address", &r.address);
            read.flag("plugged", &r.plugged);
            read.firmware(&r);
            read.byte("longrange", &r.longRange);
            int light = r.light[0];
            read.number("light", 1, 3, &light);
            r.light[0] = uint8_t(light);
            read.number("reportintervalus", 0, MaxReportIntervalUs, &r.reportIntervalUs);
            if (!read.ok())
                return false;
            result.receivers.append(r);
        }
    }
    // Mice after all receivers, so a mouse may name any receiver.
    for (const Section& s : sections) {
        if (s.kind != QLatin1String("mouse"))
            continue;
        SectionReader read(s, error);
        if (result.hasId(s.id)) {
            *error = QStringLiteral("line %1: duplicate id %2").arg(s.line).arg(s.id);
            return false;
        }
        SimMouse m;
        m.id = s.id;
        read.byte("cid", &m.cid);
        read.byte("mid", &m.mid);
        m.name = read.text("name").toLatin1();
        read.version("version", &m.version);
        const QString receiverId = read.text("receiver");
        if (!receiverId.isEmpty()) {
            const SimReceiver* r = result.receiver(receiverId);
            if (!r) {
                *error = QStringLiteral("line %1: unknown receiver %2").arg(s.lineOf("receiver")).arg(receiverId);
                return false;
            }
            m.paired = true;
            m.pairedAddress = r->address;
        }
        read.flag("oncable", &m.onCable);
        read.hexId("cablepid", &m.cablePid);
        read.flag("awake", &m.awake);
        read.flag("inrange", &m.inRange);
        read.number("battery", 0, 100, &m.battery);
        read.flag("charging", &m.charging);
        read.number("profile", 0, SimDefaults::ProfileCount - 1, &m.currentProfile);
        read.firmware(&m);
        read.stages("stages", &m.factoryStages);
        read.number("reportintervalus", 0, MaxReportIntervalUs, &m.reportIntervalUs);
        if (!read.ok())
            return false;
        SimDefaults::initMemory(m);
        result.mice.append(m);
    }
    *world = result;
    return true;
}
