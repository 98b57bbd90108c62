#include "startup.h"

#include "paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QTextStream>

namespace {

const qint64 kSecondsPerDay = 86400;
const qint64 kMaxAgeDays = 7;

} // namespace

QStringList UserDataSubfolders()
{
    return {QStringLiteral("/Log"),
            QStringLiteral("/Device_Info"),
            QStringLiteral("/Exception"),
            QStringLiteral("/usersetting"),
            QStringLiteral("/usersetting/MainPage"),
            QStringLiteral("/usersetting/MacroPage"),
            QStringLiteral("/usersetting/SensorPage")};
}

void PrepareUserData()
{
    const QString root = UserDataFolder();
    for (const QString& sub : UserDataSubfolders()) {
        if (!QDir(root + sub).exists())
            QDir().mkpath(root + sub);
    }

    const QString settings = root + QStringLiteral("/Macro.ini");
    if (!QFile::exists(settings)) {
        QFile file(settings);
        if (file.open(QIODevice::WriteOnly | QIODevice::Text))
            file.close();
    }

    RemoveOldFiles(root + QStringLiteral("/Log"));
    RemoveOldFiles(root + QStringLiteral("/Exception"));
}

void RemoveOldFiles(const QString& folder, const QDateTime& now)
{
    const qint64 nowSeconds = now.toSecsSinceEpoch();
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files);
    for (const QFileInfo& entry : entries) {
        const qint64 changed = entry.lastModified().toSecsSinceEpoch();
        if (changed > nowSeconds)
            continue; // dated in the future: the age rule does not apply
        if ((nowSeconds - changed) / kSecondsPerDay > kMaxAgeDays)
            QFile::remove(entry.absoluteFilePath());
    }
}

void MessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    static QMutex mutex;
    QMutexLocker locker(&mutex);

    if (type != QtDebugMsg)
        return; // only debug lines are written

    const QDateTime now = QDateTime::currentDateTime();
    const QString where = QStringLiteral("File:(%1) Line:(%2)")
                              .arg(QString::fromUtf8(context.file ? context.file : ""))
                              .arg(context.line);
    const QString line = QStringLiteral("%1 %2 %3 %4")
                             .arg(QStringLiteral("Debug:"), where, message,
                                  QStringLiteral("(%1)").arg(now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"))));

    QFile file(UserDataFolder() + QStringLiteral("/Log/") + now.toString(QStringLiteral("yyyy-MM-dd"))
               + QStringLiteral(".txt"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    QTextStream stream(&file);
    stream << line << "\r\n";
    stream.flush();
}
