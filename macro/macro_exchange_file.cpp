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

// Reads a field that begins with its length (byte arrays, texts).
template <typename Field>
void ReadField(QDataStream& stream, Field& field)
{
    if (stream.status() == QDataStream::Ok && NextLengthFits(stream))
        stream >> field;
}

// Passes over `size` bytes, refusing what the file does not hold.
bool Skip(QDataStream& stream, qint64 size)
{
    if (stream.status() != QDataStream::Ok || size < 0 || size > stream.device()->bytesAvailable()
        || stream.device()->skip(size) != size) {
        stream.setStatus(QDataStream::ReadPastEnd);
        return false;
    }
    return true;
}

// Passes over a field that begins with its length, unread.
bool SkipField(QDataStream& stream)
{
    quint32 length = 0;
    stream >> length;
    return length == 0xFFFFFFFF || Skip(stream, length); // 0xFFFFFFFF: a null text
}

// Passes over a PNG picture chunk by chunk, up to its end chunk. Its pixels
// are never decoded: a small file may declare a picture of gigabytes.
bool SkipPicture(QDataStream& stream)
{
    static const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    if (stream.device()->peek(signature.size()) != signature)
        return false;
    Skip(stream, signature.size());
    for (;;) {
        const QByteArray head = stream.device()->peek(8); // length and type
        if (head.size() < 8)
            return false;
        const quint32 length = qFromBigEndian<quint32>(head.constData());
        if (!Skip(stream, 8 + qint64(length) + 4)) // with its checksum
            return false;
        if (head.mid(4) == "IEND")
            return true;
    }
}

// Passes over an item's icon as Qt writes it: the name of its engine, then
// what that engine writes. The page shows its own icons for imported items,
// so none is built from the file, and no file an icon names is opened.
bool SkipIcon(QDataStream& stream)
{
    QString engine;
    ReadField(stream, engine);
    if (stream.status() != QDataStream::Ok)
        return false;
    if (engine.isEmpty())
        return true; // no icon
    if (engine == QLatin1String("QIconLoaderEngine") || engine == QLatin1String("QThemeIconEngine"))
        return SkipField(stream) && stream.status() == QDataStream::Ok; // the theme's name
    if (engine != QLatin1String("QPixmapIconEngine"))
        return false; // an engine whose data cannot be measured
    qint32 pictures = 0;
    stream >> pictures;
    if (pictures < 0)
        return false;
    for (qint32 i = 0; i < pictures && stream.status() == QDataStream::Ok; ++i) {
        qint32 hasPicture = 0;
        stream >> hasPicture;
        if (hasPicture != 0 && !SkipPicture(stream))
            return false;
        SkipField(stream); // the picture's file name
        Skip(stream, 4 + 4 + 4 + 4); // size, mode and state
    }
    return stream.status() == QDataStream::Ok;
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
        if (!ok() || !SkipIcon(stream))
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
