#include "firmware_images.h"

#include "app_state.h"
#include "config_store.h"
#include "device_all_info.h"
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

QString WithoutV(QString text)
{
    return text.remove(QLatin1Char('v'));
}

// An image's version as the device's text would read without its "v".
QString PlainVersion(uint32_t version)
{
    return WithoutV(VersionText(version));
}

// A decimal number ("1", "1.5", "01.50") in a form equal for equal numbers
// ("1", "1.5", "1.5"); empty for any other text.
QString DecimalNumber(const QString& text)
{
    static const QRegularExpression decimal(QStringLiteral("^([0-9]+)(?:\\.([0-9]+))?$"));
    const QRegularExpressionMatch match = decimal.match(text);
    if (!match.hasMatch())
        return QString();
    const QStringRef whole = match.capturedRef(1);
    const QStringRef fraction = match.capturedRef(2);
    int first = 0;
    while (first < whole.size() - 1 && whole.at(first) == QLatin1Char('0'))
        ++first;
    int end = fraction.size();
    while (end > 0 && fraction.at(end - 1) == QLatin1Char('0'))
        --end;
    const QString number = whole.mid(first).toString();
    return end == 0 ? number : number + QLatin1Char('.') + fraction.left(end);
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

// Of the matching images of a wanted version the last in name order. With
// `keep` the chosen file is read whole; a file that cannot be read (any
// more) gives way to the one before it.
bool Choose(uint8_t kind, const std::function<bool(uint32_t)>& wanted, const QString& modelName, uint8_t cid,
            uint8_t mid, QByteArray* keep)
{
    QList<Candidate> candidates = MatchingImages(kind, modelName, cid, mid);
    candidates.erase(std::remove_if(candidates.begin(), candidates.end(),
                                    [&wanted](const Candidate& c) { return !wanted(c.header.version); }),
                     candidates.end());
    if (!keep)
        return !candidates.isEmpty();
    for (auto candidate = candidates.crbegin(); candidate != candidates.crend(); ++candidate) {
        QFile file(candidate->path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        FirmwareHeader header;
        if (!ReadFirmwareHeader(bytes, &header) || header.version != candidate->header.version
            || header.kind != kind || header.cid != cid || header.mid != mid || header.modelName != modelName
            || bytes.size() - FirmwareHeaderSize < qint64(header.payloadLength))
            continue; // changed since its header was read
        *keep = bytes;
        return true;
    }
    return false;
}

bool FindInto(QList<QByteArray>& images, uint8_t kind, const std::function<bool(uint32_t)>& wanted,
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

bool IsUpdateVersion(uint32_t version, const QString& currentVersion)
{
    if (currentVersion.isEmpty())
        return true;
    const QString current = WithoutV(currentVersion);
    const QString image = PlainVersion(version);
    if (image == current)
        return false;
    const QString currentNumber = DecimalNumber(current);
    return currentNumber.isEmpty() || DecimalNumber(image) != currentNumber;
}

QString FirmwareFolder()
{
    return AppFolder() + QStringLiteral("/bin");
}

bool FindFirmwareFile(uint8_t kind, const QString& currentVersion, const QString& modelName, uint8_t cid,
                      uint8_t mid)
{
    const auto update = [&currentVersion](uint32_t version) { return IsUpdateVersion(version, currentVersion); };
    return FindInto(g_firmwareImages, kind, update, modelName, cid, mid);
}

bool HasFirmwareFile(uint8_t kind, const QString& currentVersion, const QString& modelName, uint8_t cid,
                     uint8_t mid)
{
    if (currentVersion.isEmpty())
        return false;
    const auto update = [&currentVersion](uint32_t version) { return IsUpdateVersion(version, currentVersion); };
    return Choose(kind, update, modelName, cid, mid, nullptr);
}

bool FindRepairFirmwareFile(uint8_t kind, QString& currentVersion, const QString& modelName, uint8_t cid,
                            uint8_t mid)
{
    currentVersion.remove(QLatin1Char('v'));
    // Any image when the device reports no version.
    const auto other = [&currentVersion](uint32_t version) {
        return currentVersion.isEmpty() || PlainVersion(version) != currentVersion;
    };
    return FindInto(g_repairImages, kind, other, modelName, cid, mid);
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
