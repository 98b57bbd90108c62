#include "mouse_settings.h"

#include <QProcess>
#include <QStandardPaths>

namespace MouseSettings {

QList<Command> KnownCommands()
{
    return {
        {QStringLiteral("gnome-control-center"), {QStringLiteral("mouse")}},
        {QStringLiteral("systemsettings"), {QStringLiteral("kcm_mouse")}},
        {QStringLiteral("kcmshell5"), {QStringLiteral("kcm_mouse")}},
        {QStringLiteral("cinnamon-settings"), {QStringLiteral("mouse")}},
        {QStringLiteral("xfce4-mouse-settings"), {}},
        {QStringLiteral("mate-mouse-properties"), {}},
        {QStringLiteral("lxqt-config-input"), {}},
        {QStringLiteral("lxinput"), {}},
    };
}

Command FindCommand(const QList<Command>& candidates)
{
    for (const Command& command : candidates) {
        const QString found = QStandardPaths::findExecutable(command.program);
        if (!found.isEmpty())
            return {found, command.arguments};
    }
    return {};
}

bool Open()
{
    const Command command = FindCommand();
    return !command.program.isEmpty() && QProcess::startDetached(command.program, command.arguments);
}

} // namespace MouseSettings
