#include "key_capture.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWindow>

#include <vector>

namespace {

// X key symbols of the right-hand modifiers.
constexpr quint32 XkShiftR = 0xFFE2;
constexpr quint32 XkControlR = 0xFFE4;
constexpr quint32 XkMetaR = 0xFFE8;
constexpr quint32 XkAltR = 0xFFEA;
constexpr quint32 XkSuperR = 0xFFEC;

struct KeyPair {
    int qtKey;
    uint32_t virtualKey;
};

// Keys of the main block and the navigation keys. Shifted symbols map to the
// key that carries them on the common layout, as the Windows numbers do.
constexpr KeyPair MainKeys[] = {
    {Qt::Key_Tab, 0x09}, {Qt::Key_Backtab, 0x09}, {Qt::Key_Backspace, 0x08},
    {Qt::Key_Return, 0x0D}, {Qt::Key_Enter, 0x0D}, {Qt::Key_Escape, 0x1B},
    {Qt::Key_Space, 0x20}, {Qt::Key_CapsLock, 0x14}, {Qt::Key_Clear, 0x0C},
    {Qt::Key_PageUp, 0x21}, {Qt::Key_PageDown, 0x22}, {Qt::Key_End, 0x23}, {Qt::Key_Home, 0x24},
    {Qt::Key_Left, 0x25}, {Qt::Key_Up, 0x26}, {Qt::Key_Right, 0x27}, {Qt::Key_Down, 0x28},
    {Qt::Key_Print, 0x2C}, {Qt::Key_SysReq, 0x2C}, {Qt::Key_Insert, 0x2D}, {Qt::Key_Delete, 0x2E},
    {Qt::Key_Pause, 0x13}, {Qt::Key_ScrollLock, 0x91}, {Qt::Key_NumLock, 0x90},
    {Qt::Key_Menu, 0x5D}, {Qt::Key_Super_L, 0x5B}, {Qt::Key_Super_R, 0x5C},
    {Qt::Key_Exclam, 0x31}, {Qt::Key_At, 0x32}, {Qt::Key_NumberSign, 0x33}, {Qt::Key_Dollar, 0x34},
    {Qt::Key_Percent, 0x35}, {Qt::Key_AsciiCircum, 0x36}, {Qt::Key_Ampersand, 0x37},
    {Qt::Key_Asterisk, 0x38}, {Qt::Key_ParenLeft, 0x39}, {Qt::Key_ParenRight, 0x30},
    {Qt::Key_QuoteLeft, 0xC0}, {Qt::Key_AsciiTilde, 0xC0},
    {Qt::Key_Minus, 0xBD}, {Qt::Key_Underscore, 0xBD},
    {Qt::Key_Equal, 0xBB}, {Qt::Key_Plus, 0xBB},
    {Qt::Key_BracketLeft, 0xDB}, {Qt::Key_BraceLeft, 0xDB},
    {Qt::Key_BracketRight, 0xDD}, {Qt::Key_BraceRight, 0xDD},
    {Qt::Key_Backslash, 0xDC}, {Qt::Key_Bar, 0xDC},
    {Qt::Key_Semicolon, 0xBA}, {Qt::Key_Colon, 0xBA},
    {Qt::Key_Apostrophe, 0xDE}, {Qt::Key_QuoteDbl, 0xDE},
    {Qt::Key_Comma, 0xBC}, {Qt::Key_Less, 0xBC},
    {Qt::Key_Period, 0xBE}, {Qt::Key_Greater, 0xBE},
    {Qt::Key_Slash, 0xBF}, {Qt::Key_Question, 0xBF},
    {Qt::Key_VolumeMute, 0xAD}, {Qt::Key_VolumeDown, 0xAE}, {Qt::Key_VolumeUp, 0xAF},
    {Qt::Key_MediaNext, 0xB0}, {Qt::Key_MediaPrevious, 0xB1}, {Qt::Key_MediaStop, 0xB2},
    {Qt::Key_MediaTogglePlayPause, 0xB3}, {Qt::Key_MediaPlay, 0xB3},
};

// Keys of the keypad while Num Lock gives digits and operators.
constexpr KeyPair KeypadKeys[] = {
    {Qt::Key_Asterisk, 0x6A}, {Qt::Key_Plus, 0x6B}, {Qt::Key_Minus, 0x6D},
    {Qt::Key_Period, 0x6E}, {Qt::Key_Comma, 0x6E}, {Qt::Key_Slash, 0x6F},
};

uint32_t Find(const KeyPair* begin, const KeyPair* end, int qtKey)
{
    for (const KeyPair* pair = begin; pair != end; ++pair) {
        if (pair->qtKey == qtKey)
            return pair->virtualKey;
    }
    return VirtualKeyUnknown;
}

// The one filter on the application: it sees the key events that the window
// system hands to the program's windows, once each, before the windows pass
// them on to their widgets.
class KeyCaptureFilter : public QObject {
public:
    struct Entry {
        KeyCaptureHandle handle;
        KeyCaptureProcedure procedure;
    };
    std::vector<Entry> entries;

    bool IsInstalled(KeyCaptureHandle handle) const
    {
        for (const Entry& entry : entries) {
            if (entry.handle == handle)
                return true;
        }
        return false;
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
            && receiver->isWindowType()
            && QGuiApplication::applicationState() == Qt::ApplicationActive) {
            if (const std::optional<CapturedKey> key = TranslateKeyEvent(*static_cast<QKeyEvent*>(event)))
                Dispatch(*key);
        }
        return false;
    }

private:
    void Dispatch(const CapturedKey& key)
    {
        // A procedure may install or remove captures (or run a modal loop
        // that does): walk a copy and skip what was removed meanwhile.
        const std::vector<Entry> snapshot = entries;
        for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
            if (IsInstalled(it->handle))
                it->procedure(key);
        }
    }
};

// The filter of a WidgetKeyBlock, on the application while the block is
// engaged. Widgets get their keys from the window after the capture has seen
// them there; the window itself only passes them on, so it keeps them.
class WidgetKeyFilter : public QObject {
protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::ShortcutOverride: // taken: no shortcut is looked for
            event->accept();
            return true;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            if (!receiver->isWidgetType())
                return false;
            event->accept();
            return true;
        case QEvent::ContextMenu:
            return receiver->isWidgetType()
                && static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard;
        default:
            return false;
        }
    }
};

QPointer<KeyCaptureFilter> g_filter;
KeyCaptureHandle g_lastHandle = 0;

} // namespace

KeyCaptureHandle InstallKeyCapture(KeyCaptureProcedure procedure)
{
    QGuiApplication* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || !procedure)
        return 0;
    if (!g_filter) {
        g_filter = new KeyCaptureFilter;
        g_filter->setParent(app);
        app->installEventFilter(g_filter);
    }
    const KeyCaptureHandle handle = ++g_lastHandle;
    g_filter->entries.push_back({handle, std::move(procedure)});
    return handle;
}

void RemoveKeyCapture(KeyCaptureHandle handle)
{
    if (!g_filter || handle == 0)
        return;
    auto& entries = g_filter->entries;
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->handle == handle) {
            entries.erase(it);
            return;
        }
    }
}

uint32_t VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeKeySymbol)
{
    switch (qtKey) {
    case Qt::Key_Shift:
        return nativeKeySymbol == XkShiftR ? 0xA1 : 0xA0;
    case Qt::Key_Control:
        return nativeKeySymbol == XkControlR ? 0xA3 : 0xA2;
    case Qt::Key_Alt:
        return nativeKeySymbol == XkAltR ? 0xA5 : 0xA4;
    case Qt::Key_AltGr:
        return 0xA5;
    case Qt::Key_Meta:
        return nativeKeySymbol == XkMetaR || nativeKeySymbol == XkSuperR ? 0x5C : 0x5B;
    default:
        break;
    }
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return static_cast<uint32_t>(qtKey - Qt::Key_0) + (keypad ? 0x60 : 0x30);
    if (keypad) {
        const uint32_t vk = Find(std::begin(KeypadKeys), std::end(KeypadKeys), qtKey);
        if (vk != VirtualKeyUnknown)
            return vk;
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return static_cast<uint32_t>(qtKey); // same numbers
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return static_cast<uint32_t>(qtKey - Qt::Key_F1) + 0x70;
    return Find(std::begin(MainKeys), std::end(MainKeys), qtKey);
}

std::optional<CapturedKey> TranslateKeyEvent(const QKeyEvent& event)
{
    const bool press = event.type() == QEvent::KeyPress;
    if (!press && event.type() != QEvent::KeyRelease)
        return std::nullopt;
    if (!press && event.isAutoRepeat())
        return std::nullopt;

    CapturedKey key;
    key.virtualKey = VirtualKeyOf(event.key(), event.modifiers(), event.nativeVirtualKey());
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool altKey = event.key() == Qt::Key_Alt || event.key() == Qt::Key_AltGr;
    const bool system = altKey || event.key() == Qt::Key_F10
        || (modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier));
    if (press)
        key.message = system ? KeyMessage::SysKeyDown : KeyMessage::KeyDown;
    else
        key.message = system ? KeyMessage::SysKeyUp : KeyMessage::KeyUp;
    return key;
}

WidgetKeyBlock::WidgetKeyBlock() = default;

WidgetKeyBlock::~WidgetKeyBlock()
{
    Release();
}

void WidgetKeyBlock::Engage()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (m_engaged || !app)
        return;
    if (!m_filter)
        m_filter = std::make_unique<WidgetKeyFilter>();
    app->installEventFilter(m_filter.get());
    m_engaged = true;
}

void WidgetKeyBlock::Release()
{
    if (!m_engaged)
        return;
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(m_filter.get());
    m_engaged = false;
}

bool WidgetKeyBlock::IsEngaged() const
{
    return m_engaged;
}
