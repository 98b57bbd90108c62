// Each connection test runs from a program folder of its own (see
// CMakeLists.txt); this fills it with the shipped data it reads.
#ifndef PROGRAM_FOLDER_H
#define PROGRAM_FOLDER_H

#include "paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

// Gives the test's own program folder the shipped catalogue, world and
// firmware images. Call before anything reads the catalogue.
inline bool PrepareProgramFolder()
{
    const QString shared = QStringLiteral(QUORIX_SHARED_APP_DIR);
    const QString own = QCoreApplication::applicationDirPath();
    if (QDir(shared) == QDir(own))
        return false;
    auto copy = [](const QString& from, const QString& to) {
        QFile::remove(to);
        return QFile::copy(from, to);
    };
    QDir(own).mkpath(QStringLiteral("usersetting"));
    bool ok = copy(shared + QStringLiteral("/usersetting/Config.ini"), own + QStringLiteral("/usersetting/Config.ini"));
    ok = copy(shared + QStringLiteral("/SimWorld.ini"), own + QStringLiteral("/SimWorld.ini")) && ok;
    QDir(own + QStringLiteral("/bin")).removeRecursively();
    QDir(own).mkpath(QStringLiteral("bin"));
    const QDir sharedBin(shared + QStringLiteral("/bin"));
    for (const QString& name : sharedBin.entryList({QStringLiteral("*.bin")}, QDir::Files))
        ok = copy(sharedBin.filePath(name), own + QStringLiteral("/bin/") + name) && ok;
    ok = QDir().mkpath(UserDataFolder() + QStringLiteral("/Device_Info")) && ok;
    return ok;
}

#endif // PROGRAM_FOLDER_H
