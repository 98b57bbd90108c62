#include "macro_block.h"

#include "key_code_table.h"
#include "macro_key_names.h"
#include "macro_name.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

uint8_t* EventAt(MacroBlockBytes& block, int slot)
{
    return block + MacroBlockLayout::Events + MacroBlockLayout::EventSize * slot;
}

const uint8_t* EventAt(const MacroBlockBytes& block, int slot)
{
    return block + MacroBlockLayout::Events + MacroBlockLayout::EventSize * slot;
}

// The first event of a macro that starts with a wait: a press of no
// modifier, which the mouse plays as nothing.
MacroItem PauseEvent()
{
    return MacroItem::Press(KindModifier, 0);
}

} // namespace

bool BuildMacroBlock(const QString& name, const MacroItems& items, MacroBlockBytes& block)
{
    using namespace MacroBlockLayout;
    struct Event {
        MacroItem key;
        quint32 wait = 0;
    };
    QVector<Event> events;
    for (const MacroItem& item : items) {
        if (item.IsKey()) {
            if (events.size() == MaxEvents)
                return false;
            events.append({WithKnownKey(item), 0});
            continue;
        }
        // A wait before the first key is played by an event that presses
        // nothing.
        if (events.isEmpty())
            events.append({PauseEvent(), 0});
        quint32& wait = events.last().wait;
        wait = quint32(std::min<quint64>(quint64(wait) + item.delayMs, std::numeric_limits<quint32>::max()));
    }

    MacroBlockBytes built = {};
    SetMacroBlockName(built, name);
    for (int slot = 0; slot < events.size(); ++slot) {
        uint8_t* event = EventAt(built, slot);
        const MacroItem& key = events[slot].key;
        event[0] = key.release ? 1 : 0;
        event[1] = uint8_t(key.kind);
        qToLittleEndian<quint16>(quint16(key.code), event + 2);
        qToLittleEndian<quint32>(events[slot].wait, event + 4);
    }
    built[EventCount] = uint8_t(events.size());
    std::memcpy(block, built, sizeof built);
    return true;
}

void SetMacroBlockName(MacroBlockBytes& block, const QString& name)
{
    using namespace MacroBlockLayout;
    const QByteArray bytes = CutToLocal8Bit(name, NameBytes).toLocal8Bit().left(NameBytes);
    std::memset(block + Name, 0, NameBytes);
    std::memcpy(block + Name, bytes.constData(), size_t(bytes.size()));
    block[NameLength] = uint8_t(bytes.size());
}

QString MacroBlockName(const MacroBlockBytes& block)
{
    using namespace MacroBlockLayout;
    const char* name = reinterpret_cast<const char*>(block + Name);
    return QString::fromLocal8Bit(name, int(std::find(name, name + NameBytes, '\0') - name));
}

MacroBlockContent ParseMacroBlock(const MacroBlockBytes& block)
{
    using namespace MacroBlockLayout;
    MacroBlockContent content;
    content.name = MacroBlockName(block);
    const int count = std::min<int>(block[EventCount], MaxEvents);
    for (int slot = 0; slot < count; ++slot) {
        const uint8_t* event = EventAt(block, slot);
        const int kind = event[1];
        const int code = qFromLittleEndian<quint16>(event + 2);
        const quint32 wait = qFromLittleEndian<quint32>(event + 4);
        const MacroItem key = event[0] == 0 ? MacroItem::Press(kind, code) : MacroItem::Release(kind, code);
        if (slot > 0 || key != PauseEvent())
            content.items << key;
        // The last event's wait is the pause before the macro plays again.
        if (slot + 1 < count || wait > 0 || content.items.isEmpty())
            content.items << MacroItem::Delay(wait);
    }
    return content;
}
