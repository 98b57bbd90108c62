#include "dpi_code.h"

#include "device_image_setters.h"

#include <climits>

DPIRangeModel g_dpiRangeModel;
QString g_sensorModel;
QStringList g_sensorDefineNames;
QVector<int> g_sensorDefineValues;

namespace {

const int kDoubled = 0x11;
const int kStep100 = 0x22;
const int kHighCodeBitsY = 0xC0;

const int kLargestCode = 0xFF;
const int kLargestTenBitCode = 0x3FF;

QString DefinePrefix(const QString& sensor)
{
    return QStringLiteral("SENSOR_") + sensor + QStringLiteral("_DPI");
}

// Sensors whose codes have ten bits, the upper two kept in the flags byte.
bool HasTenBitCodes(const QString& sensor)
{
    return sensor == QLatin1String("3395") || sensor == QLatin1String("3950");
}

int DefineValue(int index)
{
    return index < g_sensorDefineValues.size() ? g_sensorDefineValues.at(index) : 0;
}

// The DPI a definition name stands for: the decimal number after "DPI_"
// (leading digits only); 0 when there is none.
int DefinedDpi(const QString& name, const QString& prefix)
{
    const int at = name.indexOf(prefix) + prefix.size() + 1;
    int digits = 0;
    while (at + digits < name.size() && name.at(at + digits).isDigit())
        ++digits;
    return name.mid(at, digits).toInt();
}

// The largest DPI the sensor's definitions name; 0 when it has none.
int LargestDefinedDpi(const QString& prefix)
{
    int largest = 0;
    for (const QString& name : g_sensorDefineNames) {
        if (name.contains(prefix))
            largest = qMax(largest, DefinedDpi(name, prefix));
    }
    return largest;
}

bool HasDefinitions(const QString& prefix)
{
    for (const QString& name : g_sensorDefineNames) {
        if (name.contains(prefix))
            return true;
    }
    return false;
}

// Flags and multiplier of the range rule that dpi falls under. Only maxima
// that exist count: a model without them (or with more segments than the
// rule knows) selects no rule.
void ChooseRangeRule(int dpi, int* flags, int* multiplier)
{
    const DPIRangeModel& model = g_dpiRangeModel;
    *flags = 0;
    *multiplier = 1;
    if (model.mode == 0x33) {
        static const int kFlags[DPIRangeModel::MaxSegments] = {0, 0x22, 0x11, 0x33};
        static const int kMultipliers[DPIRangeModel::MaxSegments] = {1, 2, 2, 4};
        const int last = qMin(qMin(model.count, model.maxima.size()), int(DPIRangeModel::MaxSegments)) - 1;
        for (int k = last; k >= 0; --k) {
            if (dpi > model.maxima.at(k)) {
                *flags = kFlags[k];
                *multiplier = kMultipliers[k];
                return;
            }
        }
    } else if ((model.mode == 0x22 || model.mode == 0x11) && !model.maxima.isEmpty()) {
        if (dpi > model.maxima.first()) {
            *flags = model.mode;
            *multiplier = 2;
        }
    }
}

} // namespace

bool LoadDpiRangeModel(const QStringList& list)
{
    return ParseDpiRangeModel(list, &g_dpiRangeModel);
}

bool ParseDpiRangeModel(const QStringList& list, DPIRangeModel* range)
{
    DPIRangeModel& model = *range;
    model.minima.clear();
    model.maxima.clear();
    model.mode = 0;
    model.count = 0;
    if (list.isEmpty())
        return false; // no last item to read the mode from: no segments at all

    const int n = list.size();
    bool ok = false;
    const int mode = list.at(n - 1).trimmed().toInt(&ok, 16);
    model.mode = ok ? mode : 0;
    model.count = (n - 1) / 3;
    if (model.count < 1 || model.count > DPIRangeModel::MaxSegments)
        return false;

    for (int k = 0; k < model.count; ++k) {
        model.minimum[k] = list.at(3 * k).trimmed();
        model.maximum[k] = list.at(3 * k + 1).trimmed();
        model.step[k] = list.at(3 * k + 2).trimmed();
        model.minima.append(model.minimum[k].toInt());
        model.maxima.append(model.maximum[k].toInt());
    }
    return true;
}

bool DpiRangeBounds(const DPIRangeModel& model, QString* minimum, QString* maximum)
{
    if (model.count < 1 || model.count > DPIRangeModel::MaxSegments)
        return false;
    *minimum = model.minimum[0];
    *maximum = model.maximum[model.count - 1];
    return true;
}

DpiStageCode EncodeDpiStage(int dpi, int currentFlags)
{
    DpiStageCode result;
    int multiplier = 1;
    ChooseRangeRule(dpi, &result.flags, &multiplier);

    const QString prefix = DefinePrefix(g_sensorModel);
    if (HasDefinitions(prefix)) {
        // Beyond the sensor's table there is nothing to look up: take its
        // largest DPI instead of a fallback code the sensor reads otherwise.
        int wantedDpi = dpi / multiplier;
        const int largest = LargestDefinedDpi(prefix);
        if (largest > 0 && wantedDpi > largest)
            wantedDpi = largest;
        const QString wanted = prefix + QLatin1Char('_') + QString::number(wantedDpi);
        const int index = g_sensorDefineNames.indexOf(wanted);
        if (index >= 0)
            result.code = DefineValue(index);
        else
            result.code = (currentFlags & kStep100) ? dpi / 100 : dpi / 50;
        result.code = qBound(0, result.code, kLargestCode);
        return result;
    }

    const bool tenBits = HasTenBitCodes(g_sensorModel);
    const int largestCode = tenBits ? kLargestTenBitCode : kLargestCode;
    result.code = qBound(0, dpi / (50 * multiplier) - 1, largestCode);
    if (tenBits) {
        const int high = result.code >> 8;
        result.flags |= (high << 2) | (high << 6);
    }
    return result;
}

bool WriteDpiStage(int stage, int dpi)
{
    if (stage < 0 || stage >= FlashDataMap::StageCount)
        return false;
    // The stage's other flag bits as the image holds them when it is sent.
    return EditDeviceImage([stage, dpi](FlashDataMap& image) {
        DPIStage& record = image.dpiStages[stage];
        const DpiStageCode encoded = EncodeDpiStage(dpi, record.flags);
        record.x = uint8_t(encoded.code & 0xFF);
        record.y = uint8_t(encoded.code & 0xFF);
        record.flags = uint8_t(encoded.flags & 0xFF);
    });
}

int ReadDpiStage(const DPIStage& record)
{
    return ReadDpiStage(record, g_sensorModel);
}

int ReadDpiStage(const DPIStage& record, const QString& sensor)
{
    const int x = record.x;
    const int flags = record.flags;
    const QString prefix = DefinePrefix(sensor);

    // The DPI of one code unit: the definition whose value is the code, or
    // 50 per code step. Wide enough for any definition and both doublings.
    qint64 dpi = 0;
    if (HasDefinitions(prefix)) {
        for (int i = 0; i < g_sensorDefineNames.size(); ++i) {
            const QString& name = g_sensorDefineNames.at(i);
            if (name.contains(prefix) && DefineValue(i) == x) {
                dpi = DefinedDpi(name, prefix);
                break;
            }
        }
    } else {
        int code = x;
        if (HasTenBitCodes(sensor))
            code |= (flags & kHighCodeBitsY) << 2;
        dpi = (code + 1) * 50;
    }
    // The writer divided by 2 for each of the two flags (4 for both).
    if (flags & kStep100)
        dpi *= 2;
    if (flags & kDoubled)
        dpi *= 2;
    return int(qMin<qint64>(dpi, INT_MAX));
}
