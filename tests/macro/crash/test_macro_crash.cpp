// A crash at any moment of a macro file operation leaves every file with its
// old or its new content, lists no empty macro, and the page starts again.
// Each operation runs in a child process that is killed (SIGKILL) just
// before its first file event, then its second, and so on, until it runs to
// its end; after every kill the files are compared with both states.
#include "macro_file.h"

#include <QtTest>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

using Files = QMap<QString, QByteArray>; // file name -> content

const QByteArray kFire("3\n0x04 1 0\n10ms\n0x04 1 1\n");
const QByteArray kOldExport = QByteArray("an older file of that name\n").repeated(40);

QString ChildProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/macro_file_child");
}

// The files of a folder whose names end in `ending`.
Files Folder(const QString& path, const QString& ending)
{
    Files files;
    const QFileInfoList entries = QDir(path).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (!entry.fileName().endsWith(ending))
            continue;
        QFile file(entry.filePath());
        files.insert(entry.fileName(), file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>"));
    }
    return files;
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

struct Run {
    QProcess::ExitStatus status = QProcess::NormalExit;
    int code = -1;
    QString output;
};

class Operation {
public:
    Operation(const QString& name, const QString& exchangeFile) : m_name(name), m_exchangeFile(exchangeFile) {}

    // The folders as they are before the operation.
    void Prepare()
    {
        QDir(MacroFolder()).removeRecursively();
        QVERIFY(QDir().mkpath(MacroFolder()));
        WriteFile(MacroFilePath(MacroFolder(), QStringLiteral("Fire")), kFire);
        WriteFile(MacroFilePath(MacroFolder(), QStringLiteral("Other")), "1\n0x05 1 0\n");
        QVERIFY(m_exchange.isValid());
        QDir(m_exchange.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_exchange.path()));
        if (m_name == QLatin1String("export"))
            WriteFile(ExchangePath(), kOldExport);
        if (m_name == QLatin1String("import"))
            QVERIFY(QFile::copy(m_exchangeFile, ExchangePath()));
    }

    Run Child(const QString& operation, long killAt) const
    {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(QUORIX_FILE_EVENT_KILL));
        environment.insert(QStringLiteral("QUORIX_KILL_WATCH"), MacroFolder() + QLatin1Char(':') + m_exchange.path());
        environment.insert(QStringLiteral("QUORIX_KILL_AT"), QString::number(killAt));
        child.setProcessEnvironment(environment);
        child.start(ChildProgram(), {operation, ExchangePath()});
        Run run;
        if (!child.waitForFinished(60000)) {
            child.kill();
            child.waitForFinished();
            run.status = QProcess::CrashExit;
            run.code = -2;
            return run;
        }
        run.status = child.exitStatus();
        run.code = child.exitCode();
        run.output = QString::fromLocal8Bit(child.readAllStandardOutput());
        return run;
    }

    // The files listed as macros, and the exchange file.
    Files MacroFiles() const { return Folder(MacroFolder(), QStringLiteral(".ini")); }
    Files ExchangeFiles() const { return Folder(m_exchange.path(), QStringLiteral("exchange.ini")); }
    // Everything else a killed write left in the two folders.
    int StrayFiles() const
    {
        return Folder(MacroFolder(), QString()).size() - MacroFiles().size() + Folder(m_exchange.path(), QString()).size()
            - ExchangeFiles().size();
    }
    QString ExchangePath() const { return m_exchange.filePath(QStringLiteral("exchange.ini")); }

private:
    QString m_name;
    QString m_exchangeFile;
    QTemporaryDir m_exchange;
};

QString Describe(const Files& files)
{
    QStringList parts;
    for (auto it = files.begin(); it != files.end(); ++it)
        parts << it.key() + QLatin1Char('=') + QString::fromLatin1(it.value().left(60).toPercentEncoding(" "));
    return parts.join(QStringLiteral("; "));
}

} // namespace

class TestMacroCrash : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyKillLeavesOldOrNew_data();
    void everyKillLeavesOldOrNew();

private:
    QTemporaryDir m_files;
    QString m_exchangeFile; // a macro "Tap" exported by the program
};

void TestMacroCrash::initTestCase()
{
    QVERIFY(QFile::exists(ChildProgram()));
    QVERIFY(QFile::exists(QStringLiteral(QUORIX_FILE_EVENT_KILL)));
    // The file to import: Fire as the program exports it, renamed Tap.
    Operation exporting(QStringLiteral("export"), QString());
    exporting.Prepare();
    const Run run = exporting.Child(QStringLiteral("export"), 0);
    QCOMPARE(run.code, 0);
    QFile exported(exporting.ExchangePath());
    QVERIFY(exported.open(QIODevice::ReadOnly));
    QByteArray bytes = exported.readAll();
    QCOMPARE(bytes.mid(20, 5), QByteArray("Fire\0", 5));
    bytes.replace(20, 5, QByteArray("Tap\0\0", 5));
    m_exchangeFile = m_files.filePath(QStringLiteral("tap.ini"));
    WriteFile(m_exchangeFile, bytes);
}

void TestMacroCrash::everyKillLeavesOldOrNew_data()
{
    QTest::addColumn<QString>("operation");
    for (const char* operation : {"save", "export", "import", "rebuild"})
        QTest::newRow(operation) << QString::fromLatin1(operation);
}

void TestMacroCrash::everyKillLeavesOldOrNew()
{
    QFETCH(QString, operation);
    Operation op(operation, m_exchangeFile);

    op.Prepare();
    const Files oldMacros = op.MacroFiles();
    const Files oldExchange = op.ExchangeFiles();
    const Run done = op.Child(operation, 0);
    QCOMPARE(done.status, QProcess::NormalExit);
    QCOMPARE(done.code, 0);
    const Files newMacros = op.MacroFiles();
    const Files newExchange = op.ExchangeFiles();
    QVERIFY(newMacros != oldMacros || newExchange != oldExchange);

    int kills = 0;
    int strays = 0;
    for (long killAt = 1;; ++killAt) {
        QVERIFY2(killAt < 200, "the operation never ended");
        op.Prepare();
        const Run run = op.Child(operation, killAt);
        if (run.status == QProcess::NormalExit) {
            QCOMPARE(run.code, 0);
            QCOMPARE(op.MacroFiles(), newMacros);
            break;
        }
        ++kills;
        strays += op.StrayFiles() > 0 ? 1 : 0;
        const QString where = QStringLiteral("killed before file event %1: ").arg(killAt);
        // Each file holds its old or its new content; nothing else is left.
        const Files macros = op.MacroFiles();
        for (auto it = macros.begin(); it != macros.end(); ++it) {
            const bool known = (oldMacros.contains(it.key()) && oldMacros[it.key()] == it.value())
                || (newMacros.contains(it.key()) && newMacros[it.key()] == it.value());
            QVERIFY2(known, qPrintable(where + Describe(macros)));
        }
        for (auto it = oldMacros.begin(); it != oldMacros.end(); ++it)
            QVERIFY2(macros.contains(it.key()), qPrintable(where + Describe(macros)));
        const Files exchange = op.ExchangeFiles();
        QVERIFY2(exchange == oldExchange || exchange == newExchange, qPrintable(where + Describe(exchange)));

        // The page starts again and lists every macro, none of them empty.
        const Run start = op.Child(QStringLiteral("start"), 0);
        QCOMPARE(start.status, QProcess::NormalExit);
        QCOMPARE(start.code, 0);
        const QStringList listed = start.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(listed, ReadMacroList(MacroFolder()));
        for (const QString& name : listed)
            QVERIFY2(!op.MacroFiles().value(name + QStringLiteral(".ini")).isEmpty(), qPrintable(where + name));
    }
    QVERIFY(kills >= 3); // opening, writing and replacing at least
    qInfo("%s: %d kill points, %d of them leave a temporary file beside", qPrintable(operation), kills, strays);
}

QTEST_MAIN(TestMacroCrash)
#include "test_macro_crash.moc"
