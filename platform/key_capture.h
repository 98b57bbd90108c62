// Application-wide key capture: every key press and release that reaches one
// of the program's windows, as a Windows-style virtual-key number and message
// kind, before any widget sees it. Nothing is swallowed, and nothing is
// reported while another program is active.
#ifndef KEY_CAPTURE_H
#define KEY_CAPTURE_H

#include <Qt>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QKeyEvent;
class QObject;

// The message kinds of a key event. The system kinds are those of the Alt
// key itself, of F10, and of any key pressed or released while Alt is held
// without Ctrl.
enum class KeyMessage { KeyDown, KeyUp, SysKeyDown, SysKeyUp };

struct CapturedKey {
    uint32_t virtualKey = 0;
    KeyMessage message = KeyMessage::KeyDown;
};

// Virtual key given to keys that have no number of their own.
constexpr uint32_t VirtualKeyUnknown = 0xFF;

using KeyCaptureHandle = quint64; // 0: not installed
using KeyCaptureProcedure = std::function<void(const CapturedKey&)>;

// Starts reporting to `procedure`; 0 when there is no GUI application.
// The most recently installed procedure is called first.
KeyCaptureHandle InstallKeyCapture(KeyCaptureProcedure procedure);
// Stops one procedure; unknown and 0 handles are ignored. Safe from inside
// a procedure.
void RemoveKeyCapture(KeyCaptureHandle handle);

// Virtual key of a Qt key. Left and right modifiers are told apart by the
// native key symbol; keypad keys by the keypad modifier; the keypad 5
// without Num Lock is the clear key (0x0C). Shifted symbols give the key
// that carries them.
uint32_t VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeKeySymbol);

// What one key event of a window means to the capture: nothing for the
// release half of the window system's auto-repeat, which is reported as
// another press.
std::optional<CapturedKey> TranslateKeyEvent(const QKeyEvent& event);

// Keeps the keyboard away from the program's widgets while it is engaged:
// key presses and releases are taken before the focused widget or any of
// its parents sees them (Tab, arrows and Space move and press nothing), no
// shortcut fires and the menu key opens no context menu. The key capture
// still reports every key: it sees the key at the window, before the
// window hands it on to a widget.
class WidgetKeyBlock {
public:
    WidgetKeyBlock();
    ~WidgetKeyBlock();
    WidgetKeyBlock(const WidgetKeyBlock&) = delete;
    WidgetKeyBlock& operator=(const WidgetKeyBlock&) = delete;

    // Harmless when already engaged; does nothing without an application.
    void Engage();
    // Harmless when not engaged.
    void Release();
    bool IsEngaged() const;

private:
    std::unique_ptr<QObject> m_filter;
    bool m_engaged = false;
};

#endif // KEY_CAPTURE_H
