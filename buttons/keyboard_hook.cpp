#include "keyboard_hook.h"

namespace {

struct InstanceState {
    KeyCaptureHandle handle = 0;
    bool down = false;
    bool repeat = false;
    uint32_t lastKey = 0;
    KeyboardHook::Callback callback;
    const KeyboardHook* owner = nullptr; // the object that installed or bound last
};

InstanceState g_instances[3];

void Procedure(KeyboardHook::Instance instance, const CapturedKey& key)
{
    InstanceState& state = g_instances[instance];
    if (key.virtualKey == state.lastKey) {
        state.repeat = true;
    } else {
        state.repeat = false;
        state.lastKey = key.virtualKey;
    }
    switch (key.message) {
    case KeyMessage::KeyDown:
        state.down = true;
        break;
    case KeyMessage::KeyUp:
        state.down = false;
        state.repeat = false;
        state.lastKey = 0;
        break;
    case KeyMessage::SysKeyDown:
        if (instance == KeyboardHook::Recording)
            state.down = true;
        break;
    case KeyMessage::SysKeyUp:
        if (instance == KeyboardHook::Recording)
            state.down = false;
        break;
    }
    // A copy: the callback may rebind or clear the slot while it runs.
    const KeyboardHook::Callback callback = state.callback;
    if (callback)
        callback(static_cast<int>(key.virtualKey), state.down, state.repeat);
}

} // namespace

KeyboardHook::KeyboardHook(Instance instance)
    : m_instance(instance)
{
}

KeyboardHook::~KeyboardHook()
{
    InstanceState& state = g_instances[m_instance];
    if (state.owner == this) {
        UnHook();
        state.callback = nullptr;
        state.owner = nullptr;
    }
}

void KeyboardHook::SetHook()
{
    InstanceState& state = g_instances[m_instance];
    UnHook();
    const Instance instance = m_instance;
    state.handle = InstallKeyCapture([instance](const CapturedKey& key) { Procedure(instance, key); });
    state.owner = this;
}

void KeyboardHook::UnHook()
{
    InstanceState& state = g_instances[m_instance];
    if (state.handle == 0)
        return;
    RemoveKeyCapture(state.handle);
    state.handle = 0;
}

void KeyboardHook::SetCallback(Callback callback)
{
    InstanceState& state = g_instances[m_instance];
    state.callback = std::move(callback);
    state.owner = this;
}

void KeyboardHook::ClearCallback()
{
    g_instances[m_instance].callback = nullptr;
}

bool KeyboardHook::IsInstalled() const
{
    return g_instances[m_instance].handle != 0;
}

void KeyboardHook::KeyboardProc(uint32_t virtualKey, KeyMessage message)
{
    if (IsInstalled())
        Procedure(m_instance, CapturedKey{virtualKey, message});
}
