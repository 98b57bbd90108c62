#include "dialog_change_rules.h"

#include "device_all_info.h"
#include "firmware_images.h"

namespace HomeRules {

namespace {

const int kPerPage = 3;

// x of button, marker and badge on a full page, and on a last page holding
// one or two entries (centred).
const int kFullButtonX[] = {0, 300, 600};
const int kFullMarkerX[] = {225, 525, 825};
const int kFullBadgeX[] = {7, 307, 607};
const int kOneButtonX = 305;
const int kOneMarkerX = 530;
const int kOneBadgeX = 312;
const int kTwoButtonX[] = {135, 445};
const int kTwoMarkerX[] = {360, 665};
const int kTwoBadgeX[] = {142, 452};

} // namespace

QVector<QString> ProductIdSequence(const QList<QStringList>& lists)
{
    QVector<QString> pids;
    for (const QStringList& list : lists) {
        for (const QString& pid : list) {
            if (!pid.isEmpty())
                pids.append(pid);
        }
    }
    return pids;
}

int KindOf(const DeviceAllInfo& entry, const ReceiverPids& pids)
{
    if (entry.wired)
        return KindCable;
    if (pids.pid1K.contains(entry.pid))
        return Kind1K;
    if (pids.pid2K.contains(entry.pid))
        return Kind2K;
    if (pids.pid4K.contains(entry.pid))
        return Kind4K;
    if (pids.pid8K.contains(entry.pid))
        return Kind8K;
    return -1;
}

DeviceCountTable::DeviceCountTable(int deviceTotal)
    : m_columns(qMax(0, deviceTotal) + 1)
    , m_cells(KindCount * m_columns, 0)
{
}

void DeviceCountTable::Add(const DeviceAllInfo& entry, const ReceiverPids& pids)
{
    const int kind = KindOf(entry, pids);
    if (kind < 0 || entry.modelIndex < 0 || entry.modelIndex >= m_columns)
        return;
    ++m_cells[kind * m_columns + entry.modelIndex];
}

int DeviceCountTable::Count(int kind, int modelIndex) const
{
    if (kind < 0 || kind >= KindCount || modelIndex < 0 || modelIndex >= m_columns)
        return 0;
    return m_cells[kind * m_columns + modelIndex];
}

bool DeviceCountTable::HasDuplicate() const
{
    for (int cell : m_cells) {
        if (cell >= 2)
            return true;
    }
    return false;
}

void ApplyWiredOverWireless(QList<DeviceAllInfo>& list, const DeviceCountTable& table, int deviceTotal)
{
    for (int model = 0; model < deviceTotal; ++model) {
        if (table.Count(KindCable, model) != 1)
            continue;
        for (int i = list.size() - 1; i >= 0; --i) {
            if (!list.at(i).wired && list.at(i).modelIndex == model)
                list.removeAt(i);
        }
    }
}

int PageCount(int count)
{
    return count <= 0 ? 0 : (count + kPerPage - 1) / kPerPage;
}

GridSlot SlotOf(int index, int count)
{
    GridSlot slot;
    slot.page = index / kPerPage;
    const int position = index % kPerPage;
    const int fullPages = count / kPerPage;
    const int rest = count % kPerPage;
    if (slot.page < fullPages || rest == 0) {
        slot.buttonX = kFullButtonX[position];
        slot.markerX = kFullMarkerX[position];
        slot.badgeX = kFullBadgeX[position];
    } else if (rest == 1) {
        slot.onPartPage = true;
        slot.buttonX = kOneButtonX;
        slot.markerX = kOneMarkerX;
        slot.badgeX = kOneBadgeX;
        slot.aloneOnLastPage = true;
    } else {
        slot.onPartPage = true;
        slot.buttonX = kTwoButtonX[position];
        slot.markerX = kTwoMarkerX[position];
        slot.badgeX = kTwoBadgeX[position];
    }
    return slot;
}

QString RateBadgePicture(const QString& pid, const ReceiverPids& pids, bool lastPage)
{
    struct Candidate {
        const QStringList* list;
        const char* picture;
    };
    const Candidate fullPage[] = {
        {&pids.pid2K, "2KHz.png"}, {&pids.pid4K, "4KHz.png"}, {&pids.pid1K, "1KHz.png"}, {&pids.pid8K, "8KHz.png"}};
    const Candidate partPage[] = {
        {&pids.pid2K, "2KHz.png"}, {&pids.pid4K, "4KHz.png"}, {&pids.pid8K, "8KHz.png"}, {&pids.pid1K, "1KHz.png"}};
    for (const Candidate& candidate : lastPage ? partPage : fullPage) {
        if (candidate.list->contains(pid))
            return QLatin1String(candidate.picture);
    }
    return QString();
}

ClickRoute DecideClickRoute(const ClickFacts& facts)
{
    if (facts.listSize == 2 && facts.sameIdentityAsOther && !facts.online && facts.otherOnline)
        return ClickRoute::Repair;
    if (facts.unrecognised)
        return facts.wired ? ClickRoute::Ignore : ClickRoute::Repair;
    return ClickRoute::Select;
}

RepairAction DecideRepairAction(bool receiverUpdate, bool mouseUpdate)
{
    if (receiverUpdate && !mouseUpdate)
        return RepairAction::Nothing;
    if (!receiverUpdate && mouseUpdate)
        return RepairAction::WarnCableUpdate;
    return RepairAction::AskThenPair;
}

QString ReceiverModelKey(int connectionType)
{
    return ReceiverModelKeyOfClass(ReceiverClassOf(connectionType));
}

} // namespace HomeRules
