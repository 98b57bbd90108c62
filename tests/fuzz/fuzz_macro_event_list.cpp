// The macro page's event list under any sequence of edits, on lists of any
// shape (files and imports bring lists that start or end with a delay, or
// hold keys or delays in a row), and the block sent to the mouse from it.
// The input is a starting list, then one command per byte with its
// arguments.
#include "fuzz_support.h"

#include "macro_block.h"
#include "macro_event_list.h"

#include <cstdlib>
#include <cstring>

namespace {

class Input {
public:
    Input(const uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool AtEnd() const { return m_pos >= m_size; }
    uint8_t Byte() { return AtEnd() ? 0 : m_data[m_pos++]; }
    quint32 Ms()
    {
        // Mostly short waits, sometimes any 32-bit value (sums saturate).
        const uint8_t width = Byte();
        quint32 ms = Byte();
        if (width & 0x80) {
            for (int i = 0; i < 3; ++i)
                ms = ms << 8 | Byte();
        }
        return ms;
    }
    MacroItem Key()
    {
        static const int kinds[] = {0, 1, 4, 2, 7};
        const uint8_t head = Byte();
        const int kind = kinds[(head & 0x7F) % 5];
        const int code = Byte();
        return head & 0x80 ? MacroItem::Release(kind, code) : MacroItem::Press(kind, code);
    }
    MacroItem Item() { return Byte() & 1 ? MacroItem::Delay(Ms()) : Key(); }

private:
    const uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// The items of `before` without `count` items from `first`.
bool RemovedFrom(const MacroItems& before, const MacroItems& after, int first, int count)
{
    MacroItems expected = before;
    expected.remove(first, count);
    return after == expected;
}

void CheckDelete(const MacroItems& before, int row, bool changed, const MacroEventList& list)
{
    const MacroItems& after = list.Items();
    if (before.size() < 4) {
        Check(after.isEmpty() && list.CurrentRow() == -1 && changed == !before.isEmpty());
        return;
    }
    if (row < 0) {
        Check(!changed && after == before);
        return;
    }
    // One or two neighbours, the selected one among them.
    Check(changed);
    const bool one = RemovedFrom(before, after, row, 1);
    const bool pairFrom = row + 1 < before.size() && RemovedFrom(before, after, row, 2);
    const bool pairTo = row > 0 && RemovedFrom(before, after, row - 1, 2);
    Check(one || pairFrom || pairTo);
}

// What is sent reads back as a macro that is sent as the same block.
void CheckBlock(const MacroItems& items)
{
    MacroBlockBytes sent;
    if (!BuildMacroBlock(QStringLiteral("fuzz"), items, sent))
        return;
    Check(sent[MacroBlockLayout::EventCount] <= MacroBlockLayout::MaxEvents);
    const MacroBlockContent readBack = ParseMacroBlock(sent);
    MacroBlockBytes again;
    Check(BuildMacroBlock(readBack.name, readBack.items, again));
    Check(std::memcmp(sent, again, sizeof sent) == 0);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::StartProgram(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    Input in(data, size);
    MacroEventList list;
    MacroItems start;
    for (int n = in.Byte() % 12; n > 0; --n)
        start << in.Item();
    list.SetItems(start);

    while (!in.AtEnd()) {
        const MacroItems before = list.Items();
        const int row = list.CurrentRow();
        const int command = in.Byte() % 9;
        switch (command) {
        case 0: list.SetCurrentRow(int(in.Byte()) - 3); break;
        case 1: list.InsertKey(in.Key()); break;
        case 2: list.InsertMouseClick(4, 1 << (in.Byte() % 5)); break;
        case 3: list.InsertDelay(in.Ms()); break;
        case 4: {
            const MacroItem value = in.Item();
            const bool amended = list.Amend(value);
            Check(list.Count() == before.size());
            Check(amended == (row >= 0 && before.at(row).type == value.type));
            break;
        }
        case 5: CheckDelete(before, row, list.DeleteSelected(), list); break;
        case 6: list.AddKey(in.Key()); break;
        case 7: list.AddDelay(in.Ms()); break;
        default: list.SetItems(start); break;
        }
        Check(list.CurrentRow() >= -1 && list.CurrentRow() < list.Count());
        // Inserts add at most a click's four items.
        Check(command == 8 || list.Count() <= before.size() + 4);
    }
    CheckBlock(list.Items());
    return 0;
}
