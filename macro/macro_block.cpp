#include "macro_block.h"

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

} // namespace

bool BuildMacroBlock(const QString& name, const MacroItems& items, MacroBlockBytes& block)
{
    using namespace MacroBlockLayout;
    const int keys = int(std::count_if(items.begin(), items.end(), [](const MacroItem& item) { return item.IsKey(); }));
    if (keys > MaxEvents)
        return false;

    MacroBlockBytes built = {};
    SetMacroBlockName(built, name);

    // Waits are held beside the events and written once the last key is known.
    quint32 waits[MaxEvents] = {};
    int count = 0;
    for (const MacroItem& item : items) {
        if (item.IsKey()) {
            uint8_t* event = EventAt(built, count++);
            event[0] = item.release ? 1 : 0;
            event[1] = uint8_t(item.kind);
            qToLittleEndian<quint16>(quint16(item.code), event + 2);
        } else if (count > 0) {
            const quint64 sum = quint64(waits[count - 1]) + item.delayMs;
            waits[count - 1] = quint32(std::min<quint64>(sum, std::numeric_limits<quint32>::max()));
        }
    }
    for (int slot = 0; slot + 1 < count; ++slot)
        qToLittleEndian<quint32>(waits[slot], EventAt(built, slot) + 4);
    built[EventCount] = uint8_t(count);
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
        content.items << (event[0] == 0 ? MacroItem::Press(kind, code) : MacroItem::Release(kind, code));
        if (slot + 1 < count)
            content.items << MacroItem::Delay(qFromLittleEndian<quint32>(event + 4));
    }
    return content;
}
