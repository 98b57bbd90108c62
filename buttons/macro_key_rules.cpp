#include "macro_key_rules.h"

#include "worker.h"

namespace {

std::function<void(int)>& SaveWait()
{
    static std::function<void(int)> wait;
    return wait;
}

} // namespace

KeyDefault KeyParamDefault(const QStringList& list)
{
    KeyDefault result;
    if (list.isEmpty() || list.first() != QLatin1String("0x05"))
        return result;
    if (list.size() == 3) {
        result.kind = KeyDefault::MediaKey;
        result.code = list.at(2).toInt(nullptr, 16); // 0 when it is no number
    } else if (list.size() == 4) {
        result.kind = KeyDefault::KeyboardKey;
        result.text = list.at(3);
    } else {
        result.kind = KeyDefault::Nothing;
    }
    return result;
}

void WaitForMacroSave(int ms)
{
    if (SaveWait())
        SaveWait()(ms);
    else
        WaitWithEvents(ms);
}

void SetMacroSaveWait(std::function<void(int)> wait)
{
    SaveWait() = std::move(wait);
}
