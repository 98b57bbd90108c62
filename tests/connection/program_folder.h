// Each connection test runs from a program folder of its own (see
// CMakeLists.txt); this fills it with the shipped data it reads.
#ifndef PROGRAM_FOLDER_H
#define PROGRAM_FOLDER_H

#include "own_program_folder.h"
#include "paths.h"

// Gives the test's own program folder the shipped catalogue, world and
// firmware images. Call before anything reads the catalogue.
inline bool PrepareProgramFolder()
{
    using namespace OwnProgramFolder;
    return IsOwn() && CopyShipped(QStringLiteral("usersetting/Config.ini"))
           && CopyShipped(QStringLiteral("SimWorld.ini")) && CopyShipped(QStringLiteral("bin"), QStringLiteral("*.bin"))
           && QDir().mkpath(UserDataFolder() + QStringLiteral("/Device_Info"));
}

#endif // PROGRAM_FOLDER_H
