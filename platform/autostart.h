// Start with the user's session: an XDG autostart entry
// (<config folder>/autostart/<name>.desktop) whose Exec line runs the
// program. The config folder is $XDG_CONFIG_HOME, else ~/.config.
#ifndef AUTOSTART_H
#define AUTOSTART_H

#include <QString>

namespace Autostart {

// <config folder>/autostart/<entryName>.desktop
QString EntryPath(const QString& entryName);

// The Exec value that runs programPath with no arguments: the path quoted
// and escaped so that spaces, quotes, backslashes, '$', '`' and '%' survive.
// Empty for a path that cannot be written on one line.
QString ExecLine(const QString& programPath);

// Writes (or replaces) the entry; false when it could not be written.
bool Enable(const QString& entryName, const QString& displayName, const QString& programPath);
// Removes the entry; true when none is left.
bool Disable(const QString& entryName);
bool IsEnabled(const QString& entryName);

} // namespace Autostart

#endif // AUTOSTART_H
