#include "macro_event_list.h"

#include <algorithm>

void MacroEventList::SetCurrentRow(int row)
{
    m_current = row >= 0 && row < m_items.size() ? row : -1;
}

void MacroEventList::Clear()
{
    m_items.clear();
    m_current = -1;
}

void MacroEventList::SetItems(const MacroItems& items)
{
    m_items = items;
    m_current = -1;
}

void MacroEventList::AddKey(const MacroItem& key)
{
    m_items.append(key);
    m_current = m_items.size() - 1;
}

void MacroEventList::AddDelay(quint32 ms)
{
    m_items.append(MacroItem::Delay(ms));
    m_current = m_items.size() - 2;
}

void MacroEventList::InsertAt(int row, const MacroItem& item)
{
    m_items.insert(std::min(row, int(m_items.size())), item);
}

bool MacroEventList::InsertsAtEnd() const
{
    // With one key selected and nothing else, appending after it keeps the
    // list alternating (the rule for the first key would end it in a delay).
    return m_current < 0 || m_current == m_items.size() - 1;
}

void MacroEventList::InsertKey(const MacroItem& key)
{
    const MacroItem delay = MacroItem::Delay(kInsertedDelayMs);
    const int n = m_items.size();
    const int r = m_current;
    if (n == 0) {
        InsertAt(0, key);
    } else if (InsertsAtEnd()) {
        InsertAt(n, delay);
        InsertAt(n + 1, key);
    } else if (m_items.at(r).IsKey()) {
        InsertAt(r + 2, key);
        InsertAt(r + 3, delay);
    } else {
        InsertAt(r + 1, key);
        InsertAt(r + 2, delay);
    }
}

void MacroEventList::InsertMouseClick(int kind, int code)
{
    const MacroItem press = MacroItem::Press(kind, code);
    const MacroItem release = MacroItem::Release(kind, code);
    const MacroItem delay = MacroItem::Delay(kInsertedDelayMs);
    const int n = m_items.size();
    const int r = m_current;
    if (n == 0) {
        m_items = {press, delay, release};
    } else if (InsertsAtEnd()) {
        m_items << delay << press << delay << release;
    } else if (r == 0) {
        // After the first key's delay: key, delay, P, D, R, D, ...
        InsertAt(2, press);
        InsertAt(3, delay);
        InsertAt(4, release);
        InsertAt(5, delay);
    } else if (m_items.at(r).IsKey()) {
        // Before the selected key's delay: key, D, P, D, R, delay, ...
        InsertAt(r + 1, delay);
        InsertAt(r + 2, press);
        InsertAt(r + 3, delay);
        InsertAt(r + 4, release);
    } else {
        InsertAt(r + 1, press);
        InsertAt(r + 2, delay);
        InsertAt(r + 3, release);
        InsertAt(r + 4, delay);
    }
}

void MacroEventList::InsertDelay(quint32 ms)
{
    const MacroItem delay = MacroItem::Delay(ms);
    const int r = m_current;
    if (r < 0) {
        m_items.append(delay);
    } else if (r == 0) {
        return;
    } else if (m_items.at(r).IsDelay()) {
        m_items[r] = delay;
    } else if (m_items.at(r - 1).IsDelay()) {
        m_items[r - 1] = delay;
        m_current = r - 1;
    } else {
        m_items.insert(r, delay);
    }
}

bool MacroEventList::Amend(const MacroItem& value)
{
    if (m_current < 0 || m_items.at(m_current).type != value.type)
        return false;
    MacroItem& item = m_items[m_current];
    if (item.IsDelay()) {
        item.delayMs = value.delayMs;
    } else {
        item.kind = value.kind;
        item.code = value.code;
    }
    return true;
}

bool MacroEventList::DeleteSelected()
{
    const int n = m_items.size();
    if (n < 4) {
        const bool changed = n > 0;
        Clear();
        return changed;
    }
    const int r = m_current;
    if (r < 0)
        return false;
    // A key goes with the delay after it; the last item and a delay with the
    // item before it. A delay in the first row has nothing before it (lists
    // read from files may start with one) and goes alone.
    if (r == 0 && m_items.at(0).IsDelay()) {
        m_items.removeFirst();
        m_current = 0;
        return true;
    }
    const int first = r == n - 1 || m_items.at(r).IsDelay() ? r - 1 : r;
    m_items.remove(first, 2);
    m_current = std::min(first, int(m_items.size()) - 1);
    return true;
}
