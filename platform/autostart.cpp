#include "autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace Autostart {

QString EntryPath(const QString& entryName)
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return config + QStringLiteral("/autostart/") + entryName + QStringLiteral(".desktop");
}

QString ExecLine(const QString& programPath)
{
    if (programPath.isEmpty() || programPath.contains(QLatin1Char('\n')) || programPath.contains(QLatin1Char('\r')))
        return QString();
    // Inside a quoted argument '"', '`', '$' and '\' take a backslash; the
    // desktop-entry string rules then double every backslash, and '%' would
    // start a field code.
    QString quoted;
    for (const QChar c : programPath) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return quoted;
}

bool Enable(const QString& entryName, const QString& displayName, const QString& programPath)
{
    const QString exec = ExecLine(programPath);
    if (exec.isEmpty())
        return false;
    const QString path = EntryPath(entryName);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QString name = displayName;
    name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=%1\n"
                                         "Exec=%2\n"
                                         "Terminal=false\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(name, exec);
    const QByteArray bytes = entry.toUtf8();
    if (file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

bool Disable(const QString& entryName)
{
    const QString path = EntryPath(entryName);
    return !QFile::exists(path) || QFile::remove(path);
}

bool IsEnabled(const QString& entryName)
{
    return QFile::exists(EntryPath(entryName));
}

} // namespace Autostart
