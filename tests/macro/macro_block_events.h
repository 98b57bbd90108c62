// Event slots and whole macro blocks as the mouse holds them, and macros of n
// alternating presses and releases of A, for the block and transfer tests.
#ifndef MACRO_BLOCK_EVENTS_H
#define MACRO_BLOCK_EVENTS_H

#include "flash_data_map.h"
#include "macro_item.h"

#include <QByteArray>
#include <QList>
#include <QtEndian>

inline QByteArray Event(quint8 action, quint8 kind, quint16 code, quint32 delay)
{
    QByteArray event(8, '\0');
    event[0] = char(action);
    event[1] = char(kind);
    qToLittleEndian<quint16>(code, event.data() + 2);
    qToLittleEndian<quint32>(delay, event.data() + 4);
    return event;
}

// A block as the mouse holds it: name length, name, count, events, zeros.
inline QByteArray Block(const QByteArray& name, const QList<QByteArray>& events, int count = -1)
{
    QByteArray block(FlashDataMap::MacroBlockSize, '\0');
    block[0] = char(name.size());
    block.replace(1, name.size(), name);
    block[31] = char(count < 0 ? events.size() : count);
    for (int i = 0; i < events.size(); ++i)
        block.replace(32 + 8 * i, 8, events[i]);
    return block;
}

// A press, 5 ms, a release, 5 ms, ... : `keys` key events of A.
inline MacroItems Taps(int keys)
{
    MacroItems items;
    for (int i = 0; i < keys; ++i) {
        if (i > 0)
            items << MacroItem::Delay(5);
        items << (i % 2 ? MacroItem::Release(1, 0x04) : MacroItem::Press(1, 0x04));
    }
    return items;
}

// Macro file lines (after the repeat line) and the events every sender makes
// of them: the button page when a macro is bound, the macro page after a Save.
struct SentMacroCase {
    const char* label;
    QByteArray lines;
    QList<QByteArray> events;
};

inline QList<SentMacroCase> SentMacroCases()
{
    return {
        {"trailing delay waits before the next play",
         "0x04 1 0\n10ms\n0x04 1 1\n500ms\n",
         {Event(0, 1, 0x04, 10), Event(1, 1, 0x04, 500)}},
        {"leading delay waits before the first key",
         "250ms\n0x04 1 0\n10ms\n0x04 1 1\n",
         {Event(0, 0, 0, 250), Event(0, 1, 0x04, 10), Event(1, 1, 0x04, 0)}},
        {"unknown key codes press no key",
         "0x32 1 0\n5ms\n0x07 4 1\n5ms\n0xZZ 1 0\n",
         {Event(0, 1, 0, 5), Event(1, 1, 0, 5), Event(0, 1, 0, 0)}},
        {"delays only", "10ms\n20ms\n", {Event(0, 0, 0, 30)}},
        {"keys in a row, delays in a row",
         "0x04 1 0\n0x05 1 0\n10ms\n20ms\n0x05 1 1\n",
         {Event(0, 1, 0x04, 0), Event(0, 1, 0x05, 30), Event(1, 1, 0x05, 0)}},
    };
}

#endif // MACRO_BLOCK_EVENTS_H
