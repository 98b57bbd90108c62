// The events of the macro being edited, with the selected row: the model
// under the page's event list. A well-formed list alternates key events and
// delays, starting and ending with a key event; the insert operations keep
// that shape. None of them counts events against the mouse's limit.
#ifndef MACRO_EVENT_LIST_H
#define MACRO_EVENT_LIST_H

#include "macro_item.h"

class MacroEventList {
public:
    // Delay of the events the insert operations add next to a key.
    static constexpr quint32 kInsertedDelayMs = 10;

    const MacroItems& Items() const { return m_items; }
    int Count() const { return m_items.size(); }
    const MacroItem& At(int row) const { return m_items.at(row); }
    bool IsEmpty() const { return m_items.isEmpty(); }

    // -1: no event selected.
    int CurrentRow() const { return m_current; }
    // A row outside the list selects nothing.
    void SetCurrentRow(int row);

    void Clear();
    // Replaces the events; nothing selected.
    void SetItems(const MacroItems& items);

    // Appending, for recording and reading back: the key becomes the
    // selected row; after a delay the key it follows is selected.
    void AddKey(const MacroItem& key);
    void AddDelay(quint32 ms);

    // The user's inserts, relative to the selected event. A key (or a
    // press-and-release of a mouse button) goes after the selected key and
    // its delay, or after the selected delay, or at the end; the selected row
    // stays where it is.
    void InsertKey(const MacroItem& key);
    void InsertMouseClick(int kind, int code);
    // Sets the wait before the selected key, or the selected delay; appends
    // it when nothing is selected; the first key has no wait before it.
    void InsertDelay(quint32 ms);

    // Gives the selected item the delay or key of `value`; a key keeps its
    // press or release. False without a selection or when the types differ.
    bool Amend(const MacroItem& value);

    // Removes a key with the delay after it (the last key with the delay
    // before it), or a delay with the key before it; a delay in the first
    // row alone. A list of fewer than four items is cleared whatever is
    // selected. False when nothing changed.
    bool DeleteSelected();

private:
    void InsertAt(int row, const MacroItem& item);
    // Nothing selected, or the last item: an insert appends.
    bool InsertsAtEnd() const;

    MacroItems m_items;
    int m_current = -1;
};

#endif // MACRO_EVENT_LIST_H
