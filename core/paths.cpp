#include "paths.h"

#include "app_state.h"

#include <QCoreApplication>
#include <QDir>

QString UserDataFolder()
{
    return QDir::homePath() + QStringLiteral("/AppData/Local/") + g_appName;
}

QString AppFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString PictureFolder(const QString& folder)
{
    return AppFolder() + QStringLiteral("/Picture/") + folder + QLatin1Char('/');
}
