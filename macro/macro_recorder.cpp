#include "macro_recorder.h"

#include "key_code_table.h"
#include "macro_key_names.h"

#include <limits>

MacroRecorder::MacroRecorder(Clock clock)
    : m_clock(std::move(clock))
{
    if (!m_clock) {
        m_timer.start();
        m_clock = [this] { return m_timer.elapsed(); };
    }
}

void MacroRecorder::Start()
{
    m_lastVirtualKey = -1;
    m_firstEvent = true;
    m_recordedKeys = 0;
}

void MacroRecorder::RestartWait()
{
    m_waitStart = m_clock();
}

MacroRecorder::Result MacroRecorder::KeyEvent(int virtualKey, bool down, bool measured, quint32 fixedDelayMs,
                                              MacroEventList& events)
{
    if (m_recordedKeys >= kMaxKeyEvents)
        return Result::Ignored;
    if (virtualKey == m_lastVirtualKey) {
        if (down)
            return Result::Ignored; // auto-repeat of a held key
        m_lastVirtualKey = 0;
    } else {
        m_lastVirtualKey = virtualKey;
    }

    if (m_firstEvent) {
        m_firstEvent = false;
    } else {
        const qint64 elapsed = m_clock() - m_waitStart;
        const quint32 wait = measured ? quint32(qBound<qint64>(0, elapsed, std::numeric_limits<quint32>::max()))
                                      : fixedDelayMs;
        events.AddDelay(wait);
    }
    RestartWait();

    const std::optional<QString> name = VirtualKeyToKeyName(uint32_t(virtualKey));
    const std::optional<MacroItem> key = name ? KeyItemFromName(*name, !down) : std::nullopt;
    if (!key) {
        m_firstEvent = true;
        return Result::Ignored;
    }
    events.AddKey(*key);
    ++m_recordedKeys;
    return m_recordedKeys >= kMaxKeyEvents ? Result::LimitReached : Result::Recorded;
}

void MacroRecorder::DropTrailingDelay(MacroEventList& events)
{
    MacroItems items = events.Items();
    if (items.isEmpty() || !items.last().IsDelay())
        return;
    items.removeLast();
    events.SetItems(items);
}
