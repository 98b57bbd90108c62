#include "key_function.h"

#include <algorithm>

KeyEvent KeyEventRecord::Event(int slot) const
{
    KeyEvent event;
    if (slot < 0 || slot >= SlotCount)
        return event;
    const uint8_t* p = bytes + SlotOffset + slot * SlotSize;
    event.action = p[0];
    event.kind = p[1];
    event.code = p[2] | (p[3] << 8);
    event.delay = int(uint32_t(p[4]) | (uint32_t(p[5]) << 8) | (uint32_t(p[6]) << 16) | (uint32_t(p[7]) << 24));
    return event;
}

void KeyEventRecord::SetEvent(int slot, const KeyEvent& event)
{
    if (slot < 0 || slot >= SlotCount)
        return;
    uint8_t* p = bytes + SlotOffset + slot * SlotSize;
    p[0] = uint8_t(event.action);
    p[1] = uint8_t(event.kind);
    p[2] = uint8_t(event.code & 0xFF);
    p[3] = uint8_t((event.code >> 8) & 0xFF);
    for (int i = 0; i < 4; ++i)
        p[4 + i] = uint8_t((uint32_t(event.delay) >> (8 * i)) & 0xFF);
}

void KeyFunctionStore::Clear()
{
    types.clear();
    param1.clear();
    param2.clear();
}

void KeyFunctionStore::Append(int type, int p1, int p2)
{
    types.append(type);
    param1.append(p1);
    param2.append(p2);
}

void KeyFunctionStore::Set(int button, int type, int p1, int p2)
{
    if (button < 0 || button >= Size())
        return;
    types[button] = type;
    param1[button] = p1;
    param2[button] = p2;
}

int KeyFunctionStore::Type(int button) const
{
    return button >= 0 && button < Size() ? types[button] : kUnlistedKeyType;
}

int KeyFunctionStore::Param1(int button) const
{
    return button >= 0 && button < Size() ? param1[button] : 0;
}

int KeyFunctionStore::Param2(int button) const
{
    return button >= 0 && button < Size() ? param2[button] : 0;
}

KeyFunctionStore KeyFunctionStore::FromImage(const FlashDataMap& image, int count)
{
    KeyFunctionStore store;
    const int n = std::max(0, std::min(count, int(FlashDataMap::ButtonCount)));
    for (int k = 0; k < n; ++k)
        store.Append(image.keyFunctions[k][0], image.keyFunctions[k][1], image.keyFunctions[k][2]);
    return store;
}
