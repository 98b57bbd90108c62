#include "config_export_file.h"

#include <QDataStream>


namespace ConfigExportFile {

const char kTag[] = "Pelvo";

namespace {

QByteArray TextField(const QByteArray& text)
{
    QByteArray field = text.left(TextFieldSize);
    field.append(QByteArray(TextFieldSize - field.size(), '\0'));
    return field;
}

QString TextUpToNul(const QByteArray& field)
{
    const int end = field.indexOf('\0');
    return QString::fromUtf8(end < 0 ? field : field.left(end));
}

} // namespace

QByteArray Encode(const QString& sensorName, const FlashDataMap& image)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << TextField(QByteArray(kTag)) << TextField(sensorName.toUtf8())
           << QByteArray(reinterpret_cast<const char*>(&image), FlashDataMap::Size);
    return bytes;
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
    return contents;
}

} // namespace ConfigExportFile
