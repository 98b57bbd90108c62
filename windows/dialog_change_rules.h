// The home page's decisions that need no widgets: how the found devices are
// counted, which of them the grid shows, where each one goes on the grid, and
// what a click on one of them leads to. DialogChange applies them.
#ifndef DIALOG_CHANGE_RULES_H
#define DIALOG_CHANGE_RULES_H

#include "device_all_info.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

namespace HomeRules {

// The product ids a scan searches, in order: every non-empty id of each list
// (cable, 1K, 2K, 4K, 8K), duplicates kept.
QVector<QString> ProductIdSequence(const QList<QStringList>& lists);

// Rows of the counting table.
enum DeviceKind { KindCable = 0, Kind1K, Kind2K, Kind4K, Kind8K, KindCount };

// The receivers' product-id texts of the catalogue, by receiver class.
struct ReceiverPids {
    QStringList pid1K, pid2K, pid4K, pid8K;
};

// Row of an entry: cable when wired, else the first receiver list (1K, 2K,
// 4K, 8K) that holds its PID exactly; -1 for a wireless entry in no list.
int KindOf(const DeviceAllInfo& entry, const ReceiverPids& pids);

// Devices per kind and model of one grid rebuild. The columns are the models
// 0 .. deviceTotal - 1 and, last, the unrecognised devices, so a catalogue of
// any size fits; an entry outside that range is not counted.
class DeviceCountTable {
public:
    explicit DeviceCountTable(int deviceTotal);

    void Add(const DeviceAllInfo& entry, const ReceiverPids& pids);
    int Count(int kind, int modelIndex) const; // 0 outside the table
    int Columns() const { return m_columns; }
    // Two devices of the same kind and model (unrecognised ones included).
    bool HasDuplicate() const;

private:
    int m_columns;
    QVector<int> m_cells;
};

// A model plugged in by exactly one cable shows only that cable entry: every
// wireless entry of such a model leaves the list.
void ApplyWiredOverWireless(QList<DeviceAllInfo>& list, const DeviceCountTable& table, int deviceTotal);

// Where entry `index` of `count` grid entries goes: three to a page; a last
// page with fewer entries centres them.
struct GridSlot {
    int page = 0;
    int buttonX = 0;
    int markerX = 0;
    int badgeX = 0;
    bool onPartPage = false;      // on a last page with fewer than three entries
    bool aloneOnLastPage = false;
};
GridSlot SlotOf(int index, int count);
int PageCount(int count);

// Badge picture of a receiver's PID ("4KHz.png"), the lists tried in the
// order the grid uses (2K, 4K, 1K, 8K on full pages; 2K, 4K, 8K, 1K on the
// last page); empty when the PID is in no receiver list.
QString RateBadgePicture(const QString& pid, const ReceiverPids& pids, bool lastPage);

// What a click on a grid entry leads to.
enum class ClickRoute {
    Repair, // a receiver that cannot reach its mouse: repair or pair it
    Ignore, // an unrecognised cable device
    Select  // open the device window
};

struct ClickFacts {
    int listSize = 0;
    bool sameIdentityAsOther = false; // with exactly two entries: the other has the same cid and mid
    bool online = false;              // the clicked entry's mouse answers
    bool otherOnline = false;         // the other entry's mouse answers
    bool unrecognised = false;
    bool wired = false;
};
ClickRoute DecideClickRoute(const ClickFacts& facts);

// The repair route's answer to the firmware images found.
enum class RepairAction {
    AskThenPair,     // ask whether to pair again; pair when accepted
    Nothing,         // only a receiver image: the repair dialog handles it
    WarnCableUpdate  // only a mouse image: the mouse is to be updated by cable
};
RepairAction DecideRepairAction(bool receiverUpdate, bool mouseUpdate);

// Catalogue key of the receiver firmware name for a connection type ("DM",
// "D2M", "D4M", "D8M"); empty for a cable connection.
QString ReceiverModelKey(int connectionType);

} // namespace HomeRules

#endif // DIALOG_CHANGE_RULES_H
