// Macro exchange files: one macro as the event list shows it (item texts and
// icons), with its name and repeat code, for another installation. A data
// stream of Qt 5.9's format: the tag "Pelvo" (12 bytes), the name (48 bytes,
// UTF-8), the repeat code as text (12 bytes), the item count, then per item
// its text, its icon and, for a key, a 2-byte marker "0" press / "1" release.
#ifndef MACRO_EXCHANGE_FILE_H
#define MACRO_EXCHANGE_FILE_H

#include <QIcon>
#include <QString>
#include <QVector>

#include <optional>

class QIODevice;

struct MacroExchangeItem {
    QString text; // a key name, or a delay "10ms"
    QIcon icon;   // written; the reader passes over it and leaves this empty
    bool release = false; // keys only

    bool IsDelay() const { return text.contains(QStringLiteral("ms")); }
};

struct MacroExchange {
    QString name;
    QString repeatText;
    QVector<MacroExchangeItem> items;
};

// More items than any macro could hold mark a damaged or hostile file.
constexpr int kMaxExchangeItems = 10000;

bool WriteMacroExchange(QIODevice* device, const MacroExchange& macro);
// Nothing when the tag is wrong, the stream ends early or is damaged, the
// count is negative or too large, or a field declares more bytes than are
// left. Icons are passed over unread (their pictures are not decoded), so the
// memory a file costs stays near its size.
std::optional<MacroExchange> ReadMacroExchange(QIODevice* device);

#endif // MACRO_EXCHANGE_FILE_H
