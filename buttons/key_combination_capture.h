// What the key-combination dialog does with the keys it captures: up to
// three key names joined by "+", rebuilt from scratch by a key that comes
// more than 2000 ms after the combination began or after a full field; and
// how the modifier boxes and the field make the result.
#ifndef KEY_COMBINATION_CAPTURE_H
#define KEY_COMBINATION_CAPTURE_H

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class KeyCombinationCapture {
public:
    // Milliseconds of a monotonic clock; tests pass their own.
    using Clock = std::function<qint64()>;

    static constexpr qint64 CombinationWindowMs = 2000;

    explicit KeyCombinationCapture(Clock clock = {});

    // One key event as the hook reports it. Only presses count; the repeated
    // press of the latest key is ignored, and so is a key already in the field.
    void Key(int keyCode, bool down);

    QString Field() const { return m_field; }
    // The field edited with the mouse: shown upper-cased.
    void SetField(const QString& text);
    // After a refused result: the next key starts a new combination.
    void Restart();

    // Name of a virtual key in a combination: the key table's name, except
    // Space, the Windows keys and the six Shift, Ctrl and Alt keys, which
    // (like keys the table lacks) have the empty name here.
    static QString KeyName(int keyCode);
    // The items of a field: split at "+", where "Num+" is one item.
    static QStringList Items(const QString& field);
    // The modifier words in the order Shift, Ctrl, Alt, Win, then the field,
    // joined by "+"; nothing when that makes more than three items (a "+"
    // of the field counts as a separator, so "Num+" counts twice).
    static std::optional<QString> Combine(bool shift, bool ctrl, bool alt, bool win, const QString& field);

private:
    Clock m_clock;
    QString m_field;
    int m_keyCount = 0;
    int m_lastKey = -1;
    bool m_firstKey = true;
    qint64 m_started = 0;
};

#endif // KEY_COMBINATION_CAPTURE_H
