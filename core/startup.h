// What the program does before its first window: the per-user folders, an
// empty settings file, and pruning of old logs and crash dumps.
#ifndef STARTUP_H
#define STARTUP_H

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Folders below the per-user data folder, in the order they are created.
QStringList UserDataSubfolders();

// Creates the missing per-user folders, an empty Macro.ini when there is
// none, and prunes "Log" and "Exception". Nothing here stops the start: a
// folder or file that cannot be created simply stays missing.
void PrepareUserData();

// Removes the files directly inside `folder` that are more than 7 whole days
// old (8 days or more). Subfolders are neither removed nor entered. A file
// dated after `now` (clock set back) stays.
void RemoveOldFiles(const QString& folder, const QDateTime& now = QDateTime::currentDateTime());

// Appends debug messages to "Log/yyyy-MM-dd.txt" of the per-user folder.
// Kept for diagnosis; the program does not install it.
void MessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message);

#endif // STARTUP_H
