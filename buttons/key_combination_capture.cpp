#include "key_combination_capture.h"

#include "key_code_table.h"

#include <QElapsedTimer>

namespace {

const QString Plus = QStringLiteral("+");
const QString KeypadPlus = QStringLiteral("Num+");

qint64 SteadyMs()
{
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return timer.elapsed();
}

} // namespace

KeyCombinationCapture::KeyCombinationCapture(Clock clock)
    : m_clock(clock ? std::move(clock) : Clock(SteadyMs))
{
}

void KeyCombinationCapture::Key(int keyCode, bool down)
{
    if (!down)
        return;
    const qint64 now = m_clock();
    if (m_firstKey) {
        m_started = now;
        m_firstKey = false;
    } else if (now - m_started > CombinationWindowMs) {
        m_field.clear();
        m_lastKey = -1;
        m_started = now;
    }
    if (keyCode == m_lastKey)
        return;
    m_lastKey = keyCode;
    const QString name = KeyName(keyCode);

    m_keyCount = m_field.count(Plus);
    if (m_keyCount == 2) {
        // A full combination: the new key starts the next one.
        m_keyCount = 0;
        m_field = name;
        return;
    }
    // Compared item by item: "E" is not in "Esc", "1" not in "F1".
    if (name.isEmpty() || Items(m_field).contains(name))
        return;
    if (m_field.isEmpty()) {
        m_field = name;
    } else {
        m_field += Plus + name;
        if (m_keyCount == 1)
            m_lastKey = -1; // the third key: any key may follow and replace the field
    }
}

void KeyCombinationCapture::SetField(const QString& text)
{
    m_field = text.toUpper();
}

void KeyCombinationCapture::Restart()
{
    m_keyCount = 0;
    m_lastKey = -1;
    m_field.clear();
}

QString KeyCombinationCapture::KeyName(int keyCode)
{
    switch (keyCode) {
    case 0x20: // Space
    case 0x5B: case 0x5C: // Windows keys
    case 0xA0: case 0xA1: case 0xA2: case 0xA3: case 0xA4: case 0xA5: // Shift, Ctrl, Alt
        return QString();
    default:
        break;
    }
    if (keyCode < 0)
        return QString();
    return VirtualKeyToKeyName(static_cast<uint32_t>(keyCode)).value_or(QString());
}

QStringList KeyCombinationCapture::Items(const QString& field)
{
    QStringList items;
    int at = 0;
    while (at < field.size()) {
        if (field.midRef(at).startsWith(KeypadPlus)) {
            items.append(KeypadPlus);
            at += KeypadPlus.size();
        } else {
            int end = field.indexOf(Plus, at);
            if (end < 0)
                end = field.size();
            items.append(field.mid(at, end - at));
            at = end;
        }
        if (at < field.size() && field.at(at) == Plus.at(0))
            ++at; // the separator
    }
    return items;
}

std::optional<QString> KeyCombinationCapture::Combine(bool shift, bool ctrl, bool alt, bool win, const QString& field)
{
    QStringList words;
    const std::pair<bool, const char*> boxes[] = {{shift, "Shift"}, {ctrl, "Ctrl"}, {alt, "Alt"}, {win, "Win"}};
    for (const auto& box : boxes) {
        if (box.first)
            words.append(QString::fromLatin1(box.second));
    }
    int items = words.size();
    if (!field.isEmpty()) {
        items += field.count(Plus) + 1;
        words.append(field);
    }
    if (items >= 4)
        return std::nullopt;
    return words.join(Plus);
}
