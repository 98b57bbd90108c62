// Turns the key events of a recording into event items: key events with the
// wait between them, measured or fixed. A held key's auto-repeated presses
// add nothing; a key without a name adds no item and the next key follows
// without a wait. The mouse plays at most 70 key events.
#ifndef MACRO_RECORDER_H
#define MACRO_RECORDER_H

#include "macro_event_list.h"

#include <QElapsedTimer>

#include <functional>

class MacroRecorder {
public:
    static constexpr int kMaxKeyEvents = 70;

    // Milliseconds of a monotonic clock; the default reads a QElapsedTimer.
    using Clock = std::function<qint64()>;
    explicit MacroRecorder(Clock clock = Clock());

    enum class Result { Ignored, Recorded, LimitReached };

    // A new recording: no key yet, no wait before the first one.
    void Start();
    // Restarts the wait without recording (a key while no recording runs).
    void RestartWait();
    // One key event. measured: the wait is the time since the previous key
    // event, else fixedDelayMs.
    Result KeyEvent(int virtualKey, bool down, bool measured, quint32 fixedDelayMs, MacroEventList& events);
    // A wait after the last key belongs to no key: it goes.
    static void DropTrailingDelay(MacroEventList& events);

    int RecordedKeys() const { return m_recordedKeys; }

private:
    Clock m_clock;
    QElapsedTimer m_timer;
    qint64 m_waitStart = 0;
    int m_lastVirtualKey = -1;
    bool m_firstEvent = true;
    int m_recordedKeys = 0;
};

#endif // MACRO_RECORDER_H
