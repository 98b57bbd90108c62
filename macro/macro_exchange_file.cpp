#include "macro_exchange_file.h"

#include <QDataStream>
#include <QIODevice>

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
    stream >> tag >> name >> repeat;
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
        stream >> item.text >> item.icon;
        if (!ok())
            return std::nullopt;
        if (!item.IsDelay()) {
            QByteArray marker;
            stream >> marker;
            if (!ok())
                return std::nullopt;
            item.release = marker != QByteArray("0\0", MarkerBytes);
        }
        macro.items << item;
    }
    return macro;
}
