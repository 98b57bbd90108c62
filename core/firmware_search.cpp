#include "firmware_search.h"

#include "app_state.h"
#include "config_store.h"
#include "device_all_info.h"
#include "paths.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

int g_firmwareCid = 0;

namespace {

const int kVersionOffset = 0x10;
const int kKindOffset = 0x14;
const int kCidOffset = 0x15;
const int kMidOffset = 0x16;
const int kNameOffset = 0x57;
const int kNameSize = 64;

// "v1.2" -> "1.2"; no version at all counts as "0.0".
QString NormalisedVersion(const QString& text)
{
    if (text.isEmpty())
        return QStringLiteral("0.0");
    QString plain = text;
    plain.remove(QLatin1Char('v'));
    return plain;
}

// Only a plain decimal number ("1", "1.10") has a value; anything else,
// such as a minor part with hex letters ("1.a", "1.e0"), reads as 0.
double VersionNumber(const QString& text)
{
    static const QRegularExpression decimal(QStringLiteral("^[0-9]+(\\.[0-9]+)?$"));
    if (!decimal.match(text).hasMatch())
        return 0.0;
    return text.toDouble();
}

} // namespace

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

bool ParseFirmwareHeader(const QByteArray& image, FirmwareHeader* header)
{
    if (image.size() < FirmwareHeaderSize || !header)
        return false;
    const auto* bytes = reinterpret_cast<const uint8_t*>(image.constData());
    header->version = uint32_t(bytes[kVersionOffset]) | uint32_t(bytes[kVersionOffset + 1]) << 8
        | uint32_t(bytes[kVersionOffset + 2]) << 16 | uint32_t(bytes[kVersionOffset + 3]) << 24;
    header->kind = bytes[kKindOffset];
    header->cid = bytes[kCidOffset];
    header->mid = bytes[kMidOffset];
    const char* name = image.constData() + kNameOffset;
    header->modelName = QString::fromLocal8Bit(name, int(qstrnlen(name, kNameSize)));
    return true;
}

FirmwareSearchResult SearchFirmwareImages(const QString& folder, FirmwareSearchRule rule, uint8_t kind,
                                          const QString& currentVersion, const QString& modelName, uint8_t cid,
                                          uint8_t mid, bool keepImage)
{
    FirmwareSearchResult result;
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return result;
    const bool noVersion = currentVersion.isEmpty();
    const QString current = NormalisedVersion(currentVersion);
    const QFileInfoList files = dir.entryInfoList({QStringLiteral("*.bin")}, QDir::Files,
                                                  QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& info : files) {
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly)) {
            result.found = false;
            return result;
        }
        const QByteArray image = file.readAll();
        FirmwareHeader header;
        // A file too short for a header is no image of ours.
        if (!ParseFirmwareHeader(image, &header))
            continue;
        if (header.kind != kind || header.cid != cid || header.mid != mid || header.modelName != modelName)
            continue;
        const QString version = NormalisedVersion(VersionText(header.version));
        if (rule == FirmwareSearchRule::Update && !noVersion) {
            if (version == current)
                continue; // the device runs this image already
            if (VersionNumber(version) == VersionNumber(current))
                return result;
        } else if (rule == FirmwareSearchRule::Repair && !noVersion && version == current) {
            continue;
        }
        result.found = true;
        if (keepImage)
            result.image = image;
    }
    return result;
}

QString FirmwareFolder()
{
    return AppFolder() + QStringLiteral("/bin");
}

bool HasFirmwareFile(uint8_t kind, const QString& currentVersion, const QString& modelName, uint8_t cid,
                     uint8_t mid)
{
    if (currentVersion.isEmpty())
        return false;
    return SearchFirmwareImages(FirmwareFolder(), FirmwareSearchRule::Update, kind, currentVersion, modelName,
                                cid, mid, false)
        .found;
}

bool CheckFirmwareUpdate(int kind, const QString& versionText, int receiverClass)
{
    ConfigStore* config = ConfigStore::Instance();
    g_firmwareCid = config->IntValue(QStringLiteral("Option"), QStringLiteral("CID"));
    const QString group = ConfigStore::ModelGroup(CurrentDeviceCopy().modelIndex);
    const QString key = kind == FirmwareKindMouse ? QStringLiteral("MM") : ReceiverModelKeyOfClass(receiverClass);
    if (key.isEmpty() || versionText.isEmpty())
        return false;
    const QString modelName = config->Value(group, key);
    const int mid = config->IntValue(group, QStringLiteral("MID"));
    return HasFirmwareFile(uint8_t(kind), versionText, modelName, uint8_t(g_firmwareCid & 0xFF), uint8_t(mid & 0xFF));
}
