#include "macro_exchange_file.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

namespace {

const QByteArray kTag("Pelvo");
enum : int { TagBytes = 12, NameBytes = 48, RepeatBytes = 12, MarkerBytes = 2 };

// The text followed by NUL bytes up to `size`; a longer text is cut.
QByteArray Field(const QByteArray& text, int size)
{
    QByteArray field = text.left(size);
    field.append(QByteArray(size - field.size(), '\0'));
    return field;
}

// The text of a field: up to its first NUL.
QString FieldText(const QByteArray& field)
{
    const int end = field.indexOf('\0');
    return QString::fromUtf8(end < 0 ? field : field.left(end));
}

// True unless the next field declares more bytes than the file has left.
// Qt allocates up to a megabyte for a declared length before it finds the
// bytes missing, so a small damaged file would cost megabytes per field; such
// a field is refused first, as its read would be.
bool NextLengthFits(QDataStream& stream)
{
    QIODevice* device = stream.device();
    const QByteArray prefix = device->peek(4);
    if (prefix.size() < 4)
        return true; // the read fails by itself
    const quint32 length = stream.byteOrder() == QDataStream::BigEndian ? qFromBigEndian<quint32>(prefix.constData())
                                                                        : qFromLittleEndian<quint32>(prefix.constData());
    if (length == 0xFFFFFFFF || length <= device->bytesAvailable() - 4)
        return true;
    stream.setStatus(QDataStream::ReadPastEnd);
    return false;
}

// Reads a field that begins with its length (byte arrays, texts, icons).
template <typename Field>
void ReadField(QDataStream& stream, Field& field)
{
    if (stream.status() == QDataStream::Ok && NextLengthFits(stream))
        stream >> field;
}

QDataStream& Versioned(QDataStream& stream)
{
    stream.setVersion(QDataStream::Qt_5_9);
    stream.setByteOrder(QDataStream::BigEndian);
    return stream;
}

} // namespace

bool WriteMacroExchange(QIODevice* device, const MacroExchange& macro)
{
    QDataStream stream(device);
    Versioned(stream);
    stream << Field(kTag, TagBytes) << Field(macro.name.toUtf8(), NameBytes)
           << Field(macro.repeatText.toUtf8(), RepeatBytes) << qint32(macro.items.size());
    for (const MacroExchangeItem& item : macro.items) {
        stream << item.text << item.icon;
        if (!item.IsDelay())
            stream << Field(item.release ? "1" : "0", MarkerBytes);
    }
    return stream.status() == QDataStream::Ok;
}

std::optional<MacroExchange> ReadMacroExchange(QIODevice* device)
{
    QDataStream stream(device);
    Versioned(stream);
    const auto ok = [&stream] { return stream.status() == QDataStream::Ok; };

    QByteArray tag, name, repeat;
    ReadField(stream, tag);
    ReadField(stream, name);
    ReadField(stream, repeat);
    if (!ok() || FieldText(tag) != QLatin1String(kTag))
        return std::nullopt;
    MacroExchange macro;
    macro.name = FieldText(name);
    macro.repeatText = FieldText(repeat);

    qint32 count = 0;
    stream >> count;
    if (!ok() || count < 0 || count > kMaxExchangeItems)
        return std::nullopt;
    for (qint32 i = 0; i < count; ++i) {
        MacroExchangeItem item;
        ReadField(stream, item.text);
        ReadField(stream, item.icon); // it begins with the text naming its kind
        if (!ok())
            return std::nullopt;
        if (!item.IsDelay()) {
            QByteArray marker;
            ReadField(stream, marker);
            if (!ok())
                return std::nullopt;
            item.release = marker != QByteArray("0\0", MarkerBytes);
        }
        macro.items << item;
    }
    return macro;
}
