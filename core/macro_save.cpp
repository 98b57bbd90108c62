#include "macro_save.h"

#include "device_image_setters.h"

#include <QCoreApplication>

#include <optional>
#include <utility>

namespace MacroSave {
namespace {

struct UnderWay {
    QString name;
    MouseProfile::Target target;
    bool refused = false;
};

std::optional<UnderWay> s_running;
std::function<void()> s_whenDone;

} // namespace

Scope::Scope(const QString& name)
{
    s_running = UnderWay{name, DeviceImageTarget(), false};
}

bool Scope::Delivered() const
{
    return s_running && !s_running->refused;
}

void Refused()
{
    if (s_running)
        s_running->refused = true;
}

Scope::~Scope()
{
    s_running.reset();
    std::function<void()> action = std::move(s_whenDone);
    s_whenDone = nullptr;
    // After the save's caller has returned: the action may open a notice.
    if (action)
        QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(action), Qt::QueuedConnection);
}

bool Running()
{
    return s_running.has_value();
}

const MouseProfile::Target* Target()
{
    return s_running ? &s_running->target : nullptr;
}

bool Saving(const QString& name)
{
    return s_running && s_running->name == name;
}

void WhenDone(std::function<void()> action)
{
    if (s_running)
        s_whenDone = std::move(action);
    else if (action)
        action();
}

} // namespace MacroSave
