// The macro block of one mouse button in the device image: 592 bytes, a name
// of at most 30 bytes in the local 8-bit encoding, an event count and 70
// 8-byte events (action 0 press / 1 release, kind, 16-bit code, 32-bit wait
// after the event in ms; little-endian; unused slots zero).
#ifndef MACRO_BLOCK_H
#define MACRO_BLOCK_H

#include "flash_data_map.h"
#include "macro_item.h"

#include <QString>

#include <cstdint>

namespace MacroBlockLayout {
enum : int {
    NameLength = 0,
    Name = 1,
    NameBytes = 30,
    EventCount = 31,
    Events = 32,
    EventSize = 8,
    MaxEvents = 70
};
}

using MacroBlockBytes = uint8_t[FlashDataMap::MacroBlockSize];

// The block of a macro, the one rule of every sender: every key item is one
// event (keys the table does not know as kind 1, code 0), every delay item
// adds to the wait after the key event before it, so a delay after the last
// key is the pause between two plays. Delays before the first key become the
// wait of a first event that presses nothing (kind 0, code 0). The name is
// cut to 30 bytes at a character boundary. False, with the block untouched,
// when the events do not fit the block.
bool BuildMacroBlock(const QString& name, const MacroItems& items, MacroBlockBytes& block);

// Rewrites only the block's name field (cut the same way); events stay.
void SetMacroBlockName(MacroBlockBytes& block, const QString& name);

// The name of a block: its name bytes up to the first zero byte, in the
// local 8-bit encoding (the length byte is not trusted). The button page and
// the macro page read it alike, so both mean the same macro file.
QString MacroBlockName(const MacroBlockBytes& block);

struct MacroBlockContent {
    QString name;
    // Key events with the delay after each; after the last only when it
    // waits. A first event that presses nothing reads as the delay it
    // carries. Kind and code as the block holds them.
    MacroItems items;
};

// A count above 70 reads as 70.
MacroBlockContent ParseMacroBlock(const MacroBlockBytes& block);

#endif // MACRO_BLOCK_H
