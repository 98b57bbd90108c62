// Opens the desktop's own mouse settings, when a settings program for them
// is installed. Never waits for the program.
#ifndef MOUSE_SETTINGS_H
#define MOUSE_SETTINGS_H

#include <QList>
#include <QString>
#include <QStringList>

namespace MouseSettings {

struct Command {
    QString program;
    QStringList arguments;
};

// The mouse settings programs of the common desktops, in the order tried.
QList<Command> KnownCommands();

// The first of `candidates` whose program is found on the PATH; an empty
// program when none is.
Command FindCommand(const QList<Command>& candidates = KnownCommands());

// Starts the first installed one detached; false when none is installed or
// it could not be started.
bool Open();

} // namespace MouseSettings

#endif // MOUSE_SETTINGS_H
