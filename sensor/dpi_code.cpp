#include "dpi_code.h"

#include "device_image_setters.h"

DPIRangeModel g_dpiRangeModel;
QString g_sensorModel;
QStringList g_sensorDefineNames;
QVector<int> g_sensorDefineValues;

namespace {

const int kDoubled = 0x11;
const int kStep100 = 0x22;
const int kHighCodeBitsY = 0xC0;

QString DefinePrefix()
{
    return QStringLiteral("SENSOR_") + g_sensorModel + QStringLiteral("_DPI");
}

bool HasDefinitions()
{
    const QString prefix = DefinePrefix();
    for (const QString& name : g_sensorDefineNames) {
        if (name.contains(prefix))
            return true;
    }
    return false;
}

// Sensors whose codes have ten bits, the upper two kept in the flags byte.
bool HasTenBitCodes()
{
    return g_sensorModel == QLatin1String("3395") || g_sensorModel == QLatin1String("3950");
}

int DefineValue(int index)
{
    return index < g_sensorDefineValues.size() ? g_sensorDefineValues.at(index) : 0;
}

} // namespace

void LoadDpiRangeModel(const QStringList& list)
{
    DPIRangeModel& model = g_dpiRangeModel;
    model.minima.clear();
    model.maxima.clear();
    model.mode = 0;
    model.count = 0;
    if (list.isEmpty())
        return; // no last item to read the mode from: no segments at all

    const int n = list.size();
    bool ok = false;
    const int mode = list.at(n - 1).trimmed().toInt(&ok, 16);
    model.mode = ok ? mode : 0;
    model.count = (n - 1) / 3;
    if (model.count < 1 || model.count > DPIRangeModel::MaxSegments)
        return;

    for (int k = 0; k < model.count; ++k) {
        model.minimum[k] = list.at(3 * k).trimmed();
        model.maximum[k] = list.at(3 * k + 1).trimmed();
        model.step[k] = list.at(3 * k + 2).trimmed();
        model.minima.append(model.minimum[k].toInt());
        model.maxima.append(model.maximum[k].toInt());
    }
}

bool WriteDpiStage(int stage, int dpi)
{
    if (stage < 0 || stage >= FlashDataMap::StageCount)
        return false;

    const int oldFlags = DeviceImageCopy().dpiStages[stage].flags;
    const int fallback = (oldFlags & kStep100) ? dpi / 100 : dpi / 50;

    const DPIRangeModel& model = g_dpiRangeModel;
    int flags = 0;
    int multiplier = 1;
    if (model.mode == 0x33) {
        for (int k = qMin(model.count, model.maxima.size()) - 1; k >= 0; --k) {
            if (dpi > model.maxima.at(k)) {
                static const int kFlags[4] = {0, 0x22, 0x11, 0x33};
                static const int kMultipliers[4] = {1, 2, 2, 4};
                flags = kFlags[k];
                multiplier = kMultipliers[k];
                break;
            }
        }
    } else if ((model.mode == 0x22 || model.mode == 0x11) && !model.maxima.isEmpty()) {
        if (dpi > model.maxima.first()) {
            flags = model.mode;
            multiplier = 2;
        }
    }

    int code = 0;
    if (HasDefinitions()) {
        const QString wanted = DefinePrefix() + QLatin1Char('_') + QString::number(dpi / multiplier);
        const int index = g_sensorDefineNames.indexOf(wanted);
        code = index >= 0 ? DefineValue(index) : fallback;
    } else {
        code = dpi / (50 * multiplier) - 1;
        if (HasTenBitCodes()) {
            const int high = (code >> 8) & 0x3;
            flags |= (high << 2) | (high << 6);
        }
    }
    return SetDpiStageValue(stage, code & 0xFF, code & 0xFF, flags);
}

int ReadDpiStage(const DPIStage& record)
{
    const int x = record.x;
    const int flags = record.flags;
    const QString prefix = DefinePrefix();

    bool hasDefinitions = false;
    int dpi = 0;
    bool found = false;
    for (int i = 0; i < g_sensorDefineNames.size(); ++i) {
        const QString& name = g_sensorDefineNames.at(i);
        if (!name.contains(prefix))
            continue;
        hasDefinitions = true;
        if (DefineValue(i) == x) {
            // The DPI is the number after "DPI_".
            const int at = name.indexOf(prefix) + prefix.size() + 1;
            dpi = name.mid(at).toInt();
            found = true;
            break;
        }
    }

    if (!hasDefinitions) {
        int code = x;
        if (HasTenBitCodes())
            code |= (flags & kHighCodeBitsY) << 2;
        dpi = (flags & kStep100) ? (code + 1) * 100 : (code + 1) * 50;
    } else if (!found) {
        dpi = 0;
    }
    if (flags & kDoubled)
        dpi *= 2;
    return dpi;
}
