#include "sensor_feature_file.h"

#include <QFile>

namespace {

const QChar kLineBreak = QLatin1Char('\n');

// The feature keys in the order they are tested: the first one a piece
// contains decides.
const char* const kFeatureKeys[] = {"SUPPORT_SENSOR_MODE_SEL", "SUPPORT_LOD_CAL",     "SUPPORT_RIPPLE",
                                    "SUPPORT_FIXLINE",         "SUPPORT_MOTION_SYNC", "SUPPORT_MOUSEPAD_CAL"};

QString* FeatureList(SensorFeatureFile& file, int key)
{
    switch (key) {
    case 0: return &file.sensorModeSelect;
    case 1: return &file.liftOffCalibration;
    case 2: return &file.ripple;
    case 3: return &file.fixLine;
    case 4: return &file.motionSync;
    default: return &file.mousepadCalibration;
    }
}

int FeatureKeyIn(const QString& piece)
{
    for (int key = 0; key < int(sizeof(kFeatureKeys) / sizeof(kFeatureKeys[0])); ++key) {
        if (piece.contains(QLatin1String(kFeatureKeys[key])))
            return key;
    }
    return -1;
}

// Hexadecimal when the text holds "0x" (the prefix itself allowed), else
// decimal; 0 when it is no number.
int DefinitionValue(const QString& text)
{
    bool ok = false;
    const int value = text.contains(QLatin1String("0x")) ? text.toInt(&ok, 16) : text.toInt(&ok, 10);
    return ok ? value : 0;
}

int DecimalValue(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

// The line without the white space at its end: a tab or blank left after
// the value, or the CR of another system's line end, changes nothing.
QString WithoutTrailingSpace(const QString& line)
{
    int end = line.size();
    while (end > 0 && line.at(end - 1).isSpace())
        --end;
    return line.left(end);
}

// One line, without its line break.
void ParseLine(SensorFeatureFile& file, const QString& line)
{
    const QStringList pieces = WithoutTrailingSpace(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (pieces.size() == 2) {
        const QStringList parts = pieces.at(1).split(QLatin1Char('\t'), Qt::SkipEmptyParts);
        const int key = FeatureKeyIn(pieces.at(1));
        if (key >= 0) {
            // A key without a tab and list has nothing to take.
            if (parts.size() >= 2)
                *FeatureList(file, key) = parts.at(1);
            return;
        }
        // The value must be the line's last part.
        if (pieces.at(0) != QLatin1String("#define") || parts.size() != 2)
            return;
        file.defineNames.append(parts.at(0));
        file.defineValues.append(DefinitionValue(parts.at(1)));
        return;
    }
    if (pieces.size() == 3 && pieces.at(2).contains(QLatin1String("//"))) {
        const QStringList parts = pieces.at(1).split(QLatin1Char('\t'), Qt::SkipEmptyParts);
        if (parts.size() != 2)
            return;
        file.defineNames.append(parts.at(0));
        file.defineValues.append(DecimalValue(parts.at(1)));
    }
}

} // namespace

void SensorFeatureFile::Parse(const QString& text)
{
    // Line ends of any system: LF, CR LF or CR alone. The last line counts
    // with or without its line end.
    QString normalised = text;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalised.replace(QLatin1Char('\r'), kLineBreak);
    const QStringList lines = normalised.split(kLineBreak);
    for (const QString& line : lines)
        ParseLine(*this, line);
}

bool SensorFeatureFile::Read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty())
        return false;
    Parse(QString::fromUtf8(bytes));
    return true;
}

bool IsSensorListed(const QString& list, const QString& sensor)
{
    return list.contains(sensor, Qt::CaseSensitive);
}

int ReadLevelFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return 1;
    QString line = QString::fromUtf8(file.readLine());
    line.remove(kLineBreak);
    line.remove(QLatin1Char('\r'));
    if (line.isEmpty())
        return 1;
    bool ok = false;
    const int count = line.toInt(&ok, 10);
    return ok ? count : 0;
}
