// Tests that change the shipped data (catalogue, firmware images, label
// files) run from a program folder of their own: quorix_add_own_folder_test
// (tests/CMakeLists.txt) builds them there and defines QUORIX_SHARED_APP_DIR
// as the shared program folder, whose data they copy before anything reads it.
#ifndef OWN_PROGRAM_FOLDER_H
#define OWN_PROGRAM_FOLDER_H

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QPair>
#include <QString>

namespace OwnProgramFolder {

inline QString Shared()
{
    return QStringLiteral(QUORIX_SHARED_APP_DIR);
}

// False when the test runs from the shared folder, whose data it must not change.
inline bool IsOwn()
{
    return QDir(Shared()) != QDir(QCoreApplication::applicationDirPath());
}

// Copies a shipped file, or the files of a shipped folder that match
// `filter`, to the same place in this test's folder. What was there goes:
// a test may have changed it on an earlier run. Never into the shared folder.
inline bool CopyShipped(const QString& path, const QString& filter = QStringLiteral("*"))
{
    if (!IsOwn())
        return false;
    const QString from = Shared() + QLatin1Char('/') + path;
    const QString to = QCoreApplication::applicationDirPath() + QLatin1Char('/') + path;
    if (!QFileInfo(from).isDir()) {
        QFile::remove(to);
        return QDir().mkpath(QFileInfo(to).path()) && QFile::copy(from, to);
    }
    QDir(to).removeRecursively();
    bool ok = QDir().mkpath(to);
    const QDir shipped(from);
    for (const QString& name : shipped.entryList({filter}, QDir::Files))
        ok = QFile::copy(shipped.filePath(name), to + QLatin1Char('/') + name) && ok;
    return ok;
}

// Replaces the first occurrence of each `from` with its `to` in this test's
// copy of a shipped text file; false when one is missing.
inline bool EditCopy(const QString& path, const QList<QPair<QByteArray, QByteArray>>& edits)
{
    if (!IsOwn())
        return false;
    QFile file(QCoreApplication::applicationDirPath() + QLatin1Char('/') + path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray text = file.readAll();
    file.close();
    for (const auto& edit : edits) {
        const int at = text.indexOf(edit.first);
        if (at < 0)
            return false;
        text.replace(at, edit.first.size(), edit.second);
    }
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

} // namespace OwnProgramFolder

#endif // OWN_PROGRAM_FOLDER_H
