// The records of a mouse button's function as the device image holds them,
// the button page's copy of the assignments, and the conversions between key
// names, key events and DPI codes. Nothing here knows a widget.
#ifndef KEY_FUNCTION_H
#define KEY_FUNCTION_H

#include "flash_data_map.h"
#include "key_code_table.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdint>

// The type byte of a button's three-byte function.
enum class KeyFunctionType : int {
    Disabled = 0,
    MouseButton = 1,      // param1 1 left, 2 right, 4 middle, 8 back, 16 forward
    DpiSwitch = 2,        // param1 1 cycle, 2 up, 3 down
    TiltWheel = 3,        // param1 1 left, 2 right
    FireKey = 4,          // param1 interval 10..255, param2 shots 0..3
    KeyRecord = 5,        // the button's KeyEventRecord says what it sends
    Macro = 6,            // param1 the button's own block, param2 the repeat code
    ReportRateSwitch = 7,
    Lights = 8,           // param1 0 all, 1 DPI light, 3 strip, 4 next strip effect
    ProfileSwitch = 9,
    DpiLock = 10,         // param1 sensor code of the locked DPI
    Wheel = 11,           // param1 1 up, 2 down
};

// Read from a store entry that does not exist: matches no listed type.
constexpr int kUnlistedKeyType = -1;

// One event slot of a key record or macro block, as stored (little-endian);
// kind is a KeyEventKind.
struct KeyEvent {
    int action = 0; // 0 press, 1 release
    int kind = 0;
    int code = 0;
    int delay = 0;
};

// The 52 bytes of a button's key record: byte 0 the event count (2 per key),
// six 8-byte event slots from byte 4.
struct KeyEventRecord {
    enum : int { Size = FlashDataMap::KeyEventRecordSize, SlotCount = 6, SlotOffset = 4, SlotSize = 8 };
    uint8_t bytes[Size] = {};

    int Count() const { return bytes[0]; }
    KeyEvent Event(int slot) const;
    void SetEvent(int slot, const KeyEvent& event);
};
static_assert(sizeof(KeyEventRecord) == 52, "KeyEventRecord is a 52-byte record");

// The page's copy of the buttons' functions, one entry per button of the
// model. Reads outside the stored entries give kUnlistedKeyType / 0.
struct KeyFunctionStore {
    QVector<int> types;
    QVector<int> param1;
    QVector<int> param2;

    int Size() const { return types.size(); }
    void Clear();
    void Append(int type, int p1, int p2);
    // Sets an entry; an index outside the store is ignored.
    void Set(int button, int type, int p1, int p2);
    int Type(int button) const;
    int Param1(int button) const;
    int Param2(int button) const;
    // The first `count` records of the image (at most 16).
    static KeyFunctionStore FromImage(const FlashDataMap& image, int count);
};

// Key vocabulary of the function records: modifier names give kind 0 and a
// modifier bit, every other name kind 1 and its keyboard usage (0 when the
// name is unknown, and for the empty name).
KeyEvent KeyNameToEvent(const QString& name);
// Writes the press of `name` into slot j and its release into slot 2n-1-j.
// Slots outside the record are left alone.
KeyEventRecord WithKeyEvents(const QString& name, int j, int n, KeyEventRecord record);
// A record from key names joined by "+" ("Shift+Ctrl+A", "Num+"); at most
// three names are used.
KeyEventRecord KeyRecordFromText(const QString& text);
// Splits a combination text into key names, keeping "Num+" whole.
QStringList SplitKeyNames(const QString& text);

// The name of one key event of a key combination; "" when unknown.
QString KeyEventName(int code, int kind);
// The key text of a type-5 record that is not a consumer key: its events'
// names joined by "+"; reads no slot past the sixth.
QString KeyRecordText(const KeyEventRecord& record);

// The DPI-lock code of a DPI value for the sensor `sensor`, from the
// page's define table, and back (0 when no DPI can be named).
int DpiLockCode(int dpi, const QString& sensor, const QVector<QString>& names, const QVector<int>& values);
int DpiLockValue(int code, const QString& sensor, const QVector<QString>& names, const QVector<int>& values);

#endif // KEY_FUNCTION_H
