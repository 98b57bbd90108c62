#include "firmware_images.h"

#include "app_state.h"
#include "config_store.h"
#include "devicelib.h"
#include "paths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QRegularExpression>

#include <algorithm>
#include <cstring>
#include <functional>

QList<QByteArray> g_firmwareImages;
QList<QByteArray> g_repairImages;
int g_firmwareCid = 0;

namespace {

const int kLengthOffset = 0x04;
const int kVersionOffset = 0x10;
const int kKindOffset = 0x14;
const int kCidOffset = 0x15;
const int kMidOffset = 0x16;
const int kNameOffset = 0x57;
const int kNameSize = 64;

uint32_t ReadLe32(const char* p)
{
    const auto* b = reinterpret_cast<const uint8_t*>(p);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

// What a search needs of one file, remembered until the file changes.
struct FileStamp {
    qint64 size = -1;
    qint64 modified = 0;
    qint64 changed = 0;
    bool operator==(const FileStamp& other) const
    {
        return size == other.size && modified == other.modified && changed == other.changed;
    }
};

struct KnownFile {
    FileStamp stamp;
    // File times are coarse: a file written in the moment before it was read
    // may change again without a new stamp, so only an older one is trusted.
    bool settled = false;
    bool image = false; // tagged, and holds the payload its header declares
    FirmwareHeader header;
};

const qint64 kSettledMs = 2000;

QMutex s_knownMutex;
QHash<QString, KnownFile> s_known;

FileStamp StampOf(const QFileInfo& info)
{
    FileStamp stamp;
    stamp.size = info.size();
    stamp.modified = info.lastModified().toMSecsSinceEpoch();
    stamp.changed = info.metadataChangeTime().toMSecsSinceEpoch();
    return stamp;
}

KnownFile ReadKnownFile(const QFileInfo& info)
{
    KnownFile known;
    known.stamp = StampOf(info);
    const qint64 settledBefore = QDateTime::currentMSecsSinceEpoch() - kSettledMs;
    known.settled = known.stamp.modified < settledBefore && known.stamp.changed < settledBefore;
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return known; // no image until the file changes (a permission change counts)
    known.image = ReadFirmwareHeader(file.read(FirmwareHeaderSize), &known.header)
        && known.stamp.size - FirmwareHeaderSize >= qint64(known.header.payloadLength);
    return known;
}

struct Candidate {
    QString path;
    FirmwareHeader header;
};

// The images that match, in name order, each header read at most once per
// change of its file.
QList<Candidate> MatchingImages(uint8_t kind, const QString& modelName, uint8_t cid, uint8_t mid)
{
    QList<Candidate> matches;
    const QDir dir(FirmwareFolder());
    if (!dir.exists())
        return matches;
    const QFileInfoList files =
        dir.entryInfoList({QStringLiteral("*.bin")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    QMutexLocker lock(&s_knownMutex);
    QHash<QString, KnownFile> seen;
    for (const QFileInfo& info : files) {
        const QString path = info.filePath();
        KnownFile known = s_known.value(path);
        if (!known.settled || !(known.stamp == StampOf(info)))
            known = ReadKnownFile(info);
        seen.insert(path, known);
        const FirmwareHeader& h = known.header;
        if (known.image && h.kind == kind && h.cid == cid && h.mid == mid && h.modelName == modelName)
            matches.append({path, h});
    }
    s_known.swap(seen); // forget files that are gone
    return matches;
}

// The highest matching image of a wanted version, first in name order among
// equals. With `keep` the chosen file is read whole; a file
// that cannot be read (any more) gives way to the next.
bool Choose(uint8_t kind, const std::function<bool(int64_t)>& wanted, const QString& modelName, uint8_t cid,
            uint8_t mid, QByteArray* keep)
{
    QList<Candidate> candidates = MatchingImages(kind, modelName, cid, mid);
    candidates.erase(std::remove_if(candidates.begin(), candidates.end(),
                                    [&wanted](const Candidate& c) { return !wanted(int64_t(c.header.version)); }),
                     candidates.end());
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return a.header.version > b.header.version;
    });
    if (!keep)
        return !candidates.isEmpty();
    for (const Candidate& candidate : candidates) {
        QFile file(candidate.path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        FirmwareHeader header;
        if (!ReadFirmwareHeader(bytes, &header) || header.version != candidate.header.version
            || header.kind != kind || header.cid != cid || header.mid != mid || header.modelName != modelName
            || bytes.size() - FirmwareHeaderSize < qint64(header.payloadLength))
            continue; // changed since its header was read
        *keep = bytes;
        return true;
    }
    return false;
}

// Updates: versions above the device's; any version when it reports none.
// Nothing when the device's text is no version at all.
std::function<bool(int64_t)> NewerThan(const QString& currentVersion)
{
    if (currentVersion.isEmpty())
        return [](int64_t) { return true; };
    const int64_t current = VersionNumber(currentVersion);
    return [current](int64_t version) { return current >= 0 && version > current; };
}

// Repairs: any version other than the device's; any when it reports none.
std::function<bool(int64_t)> OtherThan(const QString& currentVersion)
{
    if (currentVersion.isEmpty())
        return [](int64_t) { return true; };
    const int64_t current = VersionNumber(currentVersion);
    return [current](int64_t version) { return current >= 0 && version != current; };
}

bool FindInto(QList<QByteArray>& images, uint8_t kind, const std::function<bool(int64_t)>& wanted,
              const QString& modelName, uint8_t cid, uint8_t mid)
{
    images.clear();
    QByteArray image;
    if (!Choose(kind, wanted, modelName, cid, mid, &image))
        return false;
    images.append(image);
    return true;
}

} // namespace

bool ReadFirmwareHeader(const QByteArray& bytes, FirmwareHeader* header)
{
    static const char kTag[] = DEVICELIB_FIRMWARE_TAG;
    if (bytes.size() < FirmwareHeaderSize || std::memcmp(bytes.constData(), kTag, sizeof kTag - 1) != 0)
        return false;
    if (!header)
        return true;
    const char* b = bytes.constData();
    header->payloadLength = ReadLe32(b + kLengthOffset);
    header->version = ReadLe32(b + kVersionOffset);
    header->kind = uint8_t(b[kKindOffset]);
    header->cid = uint8_t(b[kCidOffset]);
    header->mid = uint8_t(b[kMidOffset]);
    header->modelName = QString::fromLocal8Bit(b + kNameOffset, int(qstrnlen(b + kNameOffset, kNameSize)));
    return true;
}

int64_t VersionNumber(const QString& text)
{
    static const QRegularExpression version(QStringLiteral("^([0-9]{1,8})\\.([0-9a-fA-F]{1,2})$"));
    QString plain = text;
    plain.remove(QLatin1Char('v'));
    const QRegularExpressionMatch match = version.match(plain);
    if (!match.hasMatch())
        return -1;
    const int64_t major = match.captured(1).toLongLong();
    if (major > 0xFFFFFF)
        return -1;
    return major << 8 | match.captured(2).toLongLong(nullptr, 16);
}

QString FirmwareFolder()
{
    return AppFolder() + QStringLiteral("/bin");
}

bool FindFirmwareFile(uint8_t kind, const QString& currentVersion, const QString& modelName, uint8_t cid,
                      uint8_t mid)
{
    return FindInto(g_firmwareImages, kind, NewerThan(currentVersion), modelName, cid, mid);
}

bool HasFirmwareFile(uint8_t kind, const QString& currentVersion, const QString& modelName, uint8_t cid,
                     uint8_t mid)
{
    if (currentVersion.isEmpty())
        return false;
    return Choose(kind, NewerThan(currentVersion), modelName, cid, mid, nullptr);
}

bool FindRepairFirmwareFile(uint8_t kind, QString& currentVersion, const QString& modelName, uint8_t cid,
                            uint8_t mid)
{
    currentVersion.remove(QLatin1Char('v'));
    return FindInto(g_repairImages, kind, OtherThan(currentVersion), modelName, cid, mid);
}

QString ReceiverModelKeyOfClass(int receiverClass)
{
    switch (receiverClass) {
    case 1: return QStringLiteral("DM");
    case 2: return QStringLiteral("D2M");
    case 4: return QStringLiteral("D4M");
    case 8: return QStringLiteral("D8M");
    default: return QString();
    }
}

bool CheckFirmwareUpdate(int kind, const QString& versionText, int receiverClass)
{
    ConfigStore* config = ConfigStore::Instance();
    g_firmwareCid = config->IntValue(QStringLiteral("Option"), QStringLiteral("CID"));
    const QString receiverKey = ReceiverModelKeyOfClass(receiverClass);
    if (receiverKey.isEmpty() || versionText.isEmpty())
        return false;
    const QString group = ConfigStore::ModelGroup(CurrentDeviceCopy().modelIndex);
    const QString modelName = config->Value(group, kind == FirmwareKindMouse ? QStringLiteral("MM") : receiverKey);
    const int mid = config->IntValue(group, QStringLiteral("MID"));
    return HasFirmwareFile(uint8_t(kind), versionText, modelName, uint8_t(g_firmwareCid & 0xFF), uint8_t(mid & 0xFF));
}
