#include "config_export_file.h"

#include <QDataStream>
#include <QSaveFile>


namespace ConfigExportFile {

const char kTag[] = "Pelvo";

namespace {

bool IsUtf8Continuation(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// At most a field's worth of bytes, never ending inside a character.
QByteArray CutToField(const QByteArray& utf8)
{
    int length = qMin(utf8.size(), int(TextFieldSize));
    if (length < utf8.size()) {
        while (length > 0 && IsUtf8Continuation(utf8.at(length)))
            --length;
    }
    return utf8.left(length);
}

QByteArray TextField(const QByteArray& text)
{
    QByteArray field = CutToField(text);
    field.append(QByteArray(TextFieldSize - field.size(), '\0'));
    return field;
}

QString TextUpToNul(const QByteArray& field)
{
    const int end = field.indexOf('\0');
    return QString::fromUtf8(end < 0 ? field : field.left(end));
}

} // namespace

QString StoredSensorName(const QString& sensorName)
{
    return TextUpToNul(CutToField(sensorName.toUtf8()));
}

QByteArray Encode(const QString& sensorName, const FlashDataMap& image)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << TextField(QByteArray(kTag)) << TextField(sensorName.toUtf8())
           << QByteArray(reinterpret_cast<const char*>(&image), FlashDataMap::Size);
    return bytes;
}

bool Write(const QString& path, const QString& sensorName, const FlashDataMap& image)
{
    const QByteArray bytes = Encode(sensorName, image);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

Contents Decode(const QByteArray& bytes)
{
    QDataStream stream(bytes);
    QByteArray tag, sensor, image;
    stream >> tag;
    stream >> sensor;
    stream >> image;
    Contents contents;
    contents.tag = TextUpToNul(tag);
    contents.sensorName = TextUpToNul(sensor);
    contents.image = image;
    contents.complete = stream.status() == QDataStream::Ok;
    return contents;
}

} // namespace ConfigExportFile
