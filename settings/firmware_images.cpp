#include "firmware_images.h"

QList<QByteArray> g_firmwareImages;
QList<QByteArray> g_repairImages;

namespace {

bool FindInto(QList<QByteArray>& images, FirmwareSearchRule rule, uint8_t kind, const QString& currentVersion,
              const QString& modelName, uint8_t cid, uint8_t mid)
{
    images.clear();
    const FirmwareSearchResult result =
        SearchFirmwareImages(FirmwareFolder(), rule, kind, currentVersion, modelName, cid, mid, true);
    if (!result.image.isEmpty())
        images.append(result.image);
    return result.found;
}

} // namespace

bool FindFirmwareFile(uint8_t kind, const QString& currentVersion, const QString& modelName, uint8_t cid,
                      uint8_t mid)
{
    return FindInto(g_firmwareImages, FirmwareSearchRule::Update, kind, currentVersion, modelName, cid, mid);
}

bool FindRepairFirmwareFile(uint8_t kind, QString& currentVersion, const QString& modelName, uint8_t cid,
                            uint8_t mid)
{
    currentVersion.remove(QLatin1Char('v'));
    return FindInto(g_repairImages, FirmwareSearchRule::Repair, kind, currentVersion, modelName, cid, mid);
}
