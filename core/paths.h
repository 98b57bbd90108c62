// Folders the program reads and writes.
#ifndef PATHS_H
#define PATHS_H

#include <QString>

// The per-user data folder: home + "/AppData/Local/" + application name.
QString UserDataFolder();
// The folder of the program (data tree: usersetting/, Language/, Picture/, bin/).
QString AppFolder();
// AppFolder() + "/Picture/" + folder + "/", the prefix of a page's style pictures.
QString PictureFolder(const QString& folder);

#endif // PATHS_H
