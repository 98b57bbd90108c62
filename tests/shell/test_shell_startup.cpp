// Start-up services: the per-user folder tree, the empty settings file and
// the pruning of old logs and dumps by whole days.
#include "paths.h"
#include "startup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool Touch(const QString& path, const QDateTime& changed)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("x");
    file.flush(); // a later flush would date the file again
    return file.setFileTime(changed, QFileDevice::FileModificationTime);
}

} // namespace

class TestShellStartup : public QObject {
    Q_OBJECT
private slots:
    void createsTheWholeTree();
    void keepsAnExistingSettingsFile();
    void prunesByWholeDays_data();
    void prunesByWholeDays();
    void prunesSeveralFilesAndLeavesSubfolders();
    void prunesLogAndExceptionOnly();
};

void TestShellStartup::createsTheWholeTree()
{
    QDir(UserDataFolder()).removeRecursively();
    PrepareUserData();
    for (const QString& sub : UserDataSubfolders())
        QVERIFY2(QDir(UserDataFolder() + sub).exists(), qPrintable(sub));
    QVERIFY(QDir(UserDataFolder() + QStringLiteral("/usersetting/SensorPage")).exists());
    QFile settings(UserDataFolder() + QStringLiteral("/Macro.ini"));
    QVERIFY(settings.exists());
    QCOMPARE(settings.size(), qint64(0));
}

void TestShellStartup::keepsAnExistingSettingsFile()
{
    PrepareUserData();
    const QString path = UserDataFolder() + QStringLiteral("/Macro.ini");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Language]\nLanguage=3\n");
    }
    PrepareUserData();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("[Language]\nLanguage=3\n"));

    // An existing empty file stays empty too.
    file.close();
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.close();
    PrepareUserData();
    QCOMPARE(QFileInfo(path).size(), qint64(0));
}

void TestShellStartup::prunesByWholeDays_data()
{
    QTest::addColumn<qint64>("ageSeconds");
    QTest::addColumn<bool>("removed");
    const qint64 hour = 3600, day = 24 * hour;
    QTest::newRow("a minute") << qint64(60) << false;
    QTest::newRow("7 days") << 7 * day << false;
    QTest::newRow("7 days 23 hours") << 7 * day + 23 * hour << false;
    QTest::newRow("8 days less a second") << 8 * day - 1 << false;
    QTest::newRow("exactly 8 days") << 8 * day << true;
    QTest::newRow("30 days") << 30 * day << true;
    QTest::newRow("dated a day ahead") << -day << false;
}

void TestShellStartup::prunesByWholeDays()
{
    QFETCH(qint64, ageSeconds);
    QFETCH(bool, removed);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QDateTime now = QDateTime::currentDateTime().addSecs(-100); // whole seconds below
    const QDateTime nowSeconds = QDateTime::fromSecsSinceEpoch(now.toSecsSinceEpoch());
    const QString path = dir.filePath(QStringLiteral("2024-01-01.txt"));
    QVERIFY(Touch(path, nowSeconds.addSecs(-ageSeconds)));

    RemoveOldFiles(dir.path(), nowSeconds);
    QCOMPARE(!QFile::exists(path), removed);
}

void TestShellStartup::prunesSeveralFilesAndLeavesSubfolders()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime old = now.addDays(-40);
    QStringList oldFiles;
    for (int i = 0; i < 5; ++i) {
        oldFiles << dir.filePath(QStringLiteral("2020_01_0%1_00_00_00.dmp").arg(i + 1));
        QVERIFY(Touch(oldFiles.last(), old.addSecs(i)));
    }
    const QString fresh = dir.filePath(QStringLiteral("fresh.dmp"));
    QVERIFY(Touch(fresh, now.addDays(-1)));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("kept")));
    const QString inside = dir.filePath(QStringLiteral("kept/ancient.dmp"));
    QVERIFY(Touch(inside, now.addDays(-100)));

    RemoveOldFiles(dir.path(), now);

    for (const QString& path : oldFiles)
        QVERIFY2(!QFile::exists(path), qPrintable(path));
    QVERIFY(QFile::exists(fresh));
    QVERIFY(QDir(dir.filePath(QStringLiteral("kept"))).exists());
    QVERIFY(QFile::exists(inside));
}

void TestShellStartup::prunesLogAndExceptionOnly()
{
    PrepareUserData();
    const QDateTime old = QDateTime::currentDateTime().addDays(-9);
    const QString root = UserDataFolder();
    const QString log = root + QStringLiteral("/Log/2020-01-01.txt");
    const QString dump = root + QStringLiteral("/Exception/2020_01_01_00_00_00.dmp");
    const QString cache = root + QStringLiteral("/Device_Info/Device_CID17_MID01.bin");
    for (const QString& path : {log, dump, cache})
        QVERIFY(Touch(path, old));

    PrepareUserData();

    QVERIFY(!QFile::exists(log));
    QVERIFY(!QFile::exists(dump));
    QVERIFY(QFile::exists(cache));
}

QTEST_GUILESS_MAIN(TestShellStartup)
#include "test_shell_startup.moc"
