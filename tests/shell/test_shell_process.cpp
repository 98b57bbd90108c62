// Process services, run as child processes: the single-instance guard of the
// built program (a second start, a start after a crashed instance) and the
// crash dump of a faulting process.
#include "app_state.h"
#include "crash_dump.h"
#include "paths.h"
#include "single_instance.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSharedMemory>
#include <QTest>

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ipc.h>
#include <sys/sem.h>
#include <sys/shm.h>
#include <unistd.h>

namespace {

const char kCrashChild[] = "--crash-child";
const int kStartTimeoutMs = 60000;

QString ProgramPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/quorix-one");
}

// True while a live process holds the program's instance lock.
bool InstanceLockHeld()
{
    const QByteArray path = QFile::encodeName(SingleInstance::LockFilePath(g_appName));
    const int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

// The key a segment or semaphore of a key file has (as Qt makes it).
key_t KeyOf(const QString& keyFile)
{
    return ftok(QFile::encodeName(keyFile).constData(), 'Q');
}

// The process that created the instance segment, looked up without
// attaching to it (attaching and detaching would remove an orphan): 0 when
// there is no segment, -1 when this system cannot tell.
qint64 InstanceSegmentCreator()
{
    QSharedMemory probe(g_appName);
    if (!QFile::exists(probe.nativeKey()))
        return 0;
    const key_t key = KeyOf(probe.nativeKey());
    if (key == -1)
        return -1;
    const int id = shmget(key, 0, 0400);
    shmid_ds status{};
    if (id == -1 || shmctl(id, IPC_STAT, &status) != 0)
        return 0;
    return status.shm_cpid;
}

// True once the segment is the one the process made (or when this system
// cannot tell who made it).
bool SegmentMadeBy(qint64 pid)
{
    const qint64 creator = InstanceSegmentCreator();
    return creator == pid || creator == -1;
}

// An instance killed by a test leaves its segment and the semaphore that
// guards it: the system keeps both until someone removes them. Removes every
// such object whose key file lies in this test's temporary folder.
void RemoveLeftInstanceObjects()
{
    if (InstanceLockHeld())
        return;
    const QDir temporary(QDir::tempPath());
    for (const QString& name : temporary.entryList({QStringLiteral("qipc_*")}, QDir::Files)) {
        const QString path = temporary.filePath(name);
        const key_t key = KeyOf(path);
        if (key != -1) {
            const int memory = shmget(key, 0, 0);
            if (memory != -1)
                shmctl(memory, IPC_RMID, nullptr);
            const int semaphores = semget(key, 0, 0);
            if (semaphores != -1)
                semctl(semaphores, 0, IPC_RMID);
        }
        QFile::remove(path);
    }
}

// worldFile: the simulated devices' world file, the shipped one when empty.
void StartProgram(QProcess& process, bool confirmNotice, const QString& worldFile = QString())
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (confirmNotice)
        environment.insert(QStringLiteral("QUORIX_CONFIRM_NOTICE"), QStringLiteral("1"));
    if (!worldFile.isEmpty())
        environment.insert(QStringLiteral("QUORIX_SIM_WORLD"), worldFile);
    process.setProcessEnvironment(environment);
    process.setProgram(ProgramPath());
    process.start();
}

void Stop(QProcess& process)
{
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(10000);
    }
}

QStringList DumpFiles()
{
    return QDir(UserDataFolder() + QStringLiteral("/Exception")).entryList(QDir::Files);
}

} // namespace

class TestShellProcess : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void secondStartShowsNoticeAndExitsZero();
    void startAfterCrashedInstanceRuns_data();
    void startAfterCrashedInstanceRuns();
    void leftSegmentAtANewKeyIsReplaced();
    void unusableLockTellsLiveHolderFromLeftSegment();
    void crashLeavesOneDumpNamedByTime();
    void unusableWorldFileIsNamedAtStart_data();
    void unusableWorldFileIsNamedAtStart();
};

void TestShellProcess::cleanup()
{
    QDir().rmdir(SingleInstance::LockFilePath(g_appName)); // a folder some case put in the lock's place
    RemoveLeftInstanceObjects();
}

void TestShellProcess::secondStartShowsNoticeAndExitsZero()
{
    QProcess first;
    StartProgram(first, false);
    QVERIFY(first.waitForStarted());
    const qint64 creator = first.processId();
    // A segment left by an earlier instance may still be there for a moment.
    QTRY_VERIFY_WITH_TIMEOUT(InstanceLockHeld() && SegmentMadeBy(creator), kStartTimeoutMs);

    QProcess second;
    StartProgram(second, true);
    QVERIFY(second.waitForFinished(kStartTimeoutMs));
    const QByteArray output = second.readAllStandardError() + second.readAllStandardOutput();
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QVERIFY2(output.contains("confirming ExeIsRun"), output.constData());

    // The first instance goes on undisturbed, its segment too.
    QCOMPARE(first.state(), QProcess::Running);
    QVERIFY(InstanceLockHeld());
    QVERIFY(SegmentMadeBy(creator));
    Stop(first);
}

void TestShellProcess::startAfterCrashedInstanceRuns_data()
{
    QTest::addColumn<bool>("lockUsable");
    QTest::newRow("lock file usable") << true;
    // Then only the segment's attachments tell a killed instance from a live one.
    QTest::newRow("a folder in the lock file's place") << false;
}

void TestShellProcess::startAfterCrashedInstanceRuns()
{
    QFETCH(bool, lockUsable);
    const QString lockPath = SingleInstance::LockFilePath(g_appName);
    if (!lockUsable) {
        QFile::remove(lockPath);
        QVERIFY(QDir().mkdir(lockPath));
    }
    const auto started = [lockUsable](qint64 pid) { return (!lockUsable || InstanceLockHeld()) && SegmentMadeBy(pid); };

    QProcess crashed;
    StartProgram(crashed, false);
    QVERIFY(crashed.waitForStarted());
    const qint64 crashedPid = crashed.processId();
    // The instance must have replaced any segment left before it, or killing
    // it now would leave that older one behind.
    QTRY_VERIFY_WITH_TIMEOUT(started(crashedPid), kStartTimeoutMs);
    Stop(crashed); // SIGKILL: nothing of the program runs any more
    const qint64 orphan = InstanceSegmentCreator();
    if (orphan == -1)
        QSKIP("the instance segment cannot be inspected on this system");
    QCOMPARE(orphan, crashedPid); // the segment outlives its process
    QVERIFY(!InstanceLockHeld());

    // The next start is the only instance: it releases the orphan and makes
    // the segment anew (taking the orphan for a live instance, it would
    // confirm the already-running notice and exit instead).
    QProcess next;
    StartProgram(next, true);
    QVERIFY(next.waitForStarted());
    const qint64 nextPid = next.processId();
    QTRY_VERIFY_WITH_TIMEOUT(InstanceSegmentCreator() == nextPid || next.state() == QProcess::NotRunning,
                             kStartTimeoutMs);
    QCOMPARE(InstanceSegmentCreator(), nextPid);
    QCOMPARE(next.state(), QProcess::Running);
    if (!lockUsable) {
        // The user learns where the lock should be.
        QByteArray output;
        QTRY_VERIFY_WITH_TIMEOUT((output += next.readAllStandardError()).contains(QFile::encodeName(lockPath)),
                                 kStartTimeoutMs);
    }

    // And it holds the guard: a further start is refused.
    QProcess third;
    StartProgram(third, true);
    QVERIFY(third.waitForFinished(kStartTimeoutMs));
    QCOMPARE(third.exitCode(), 0);
    QVERIFY(third.readAllStandardError().contains("confirming ExeIsRun"));
    QCOMPARE(next.state(), QProcess::Running);
    Stop(next);
}

// A new key file often takes the inode of a file deleted a moment before,
// and with it the key of a segment left behind by whoever used that file.
// The guard releases such a segment (nobody is attached to it) and makes its
// own; taking the key for its own, the guard would run without a segment.
void TestShellProcess::leftSegmentAtANewKeyIsReplaced()
{
    const QString key = QStringLiteral("LeftSegmentProbe");
    const QString keyFile = QSharedMemory(key).nativeKey();
    // The guard's lock file and semaphore exist already, so the segment's
    // key file is the first file it makes.
    QFile lockFile(SingleInstance::LockFilePath(key));
    QVERIFY(lockFile.open(QIODevice::WriteOnly));
    lockFile.close();
    QSharedMemory semaphoreHolder(key);
    QVERIFY(!semaphoreHolder.attach());

    QFile scratch(QDir::temp().filePath(QStringLiteral("deleted")));
    QVERIFY(scratch.open(QIODevice::WriteOnly));
    scratch.close();
    const key_t leftKey = KeyOf(scratch.fileName());
    const int left = shmget(leftKey, 2, IPC_CREAT | IPC_EXCL | 0600);
    if (left == -1)
        QSKIP("a segment of the scratch file's key exists already");
    QVERIFY(scratch.remove());

    {
        SingleInstance guard(key);
        QVERIFY(guard.Claim());
        shmid_ds status{};
        const bool leftRemains = shmctl(left, IPC_STAT, &status) == 0;
        if (leftRemains && KeyOf(keyFile) != leftKey) {
            shmctl(left, IPC_RMID, nullptr);
            QSKIP("the key file did not take the deleted file's inode: nothing to show");
        }
        if (leftRemains)
            shmctl(left, IPC_RMID, nullptr);
        QVERIFY(!leftRemains);
        const int own = shmget(KeyOf(keyFile), 0, 0400);
        QVERIFY(own != -1);
        QVERIFY(shmctl(own, IPC_STAT, &status) == 0);
        QCOMPARE(status.shm_cpid, getpid());
        QCOMPARE(int(status.shm_segsz), 1);
        QCOMPARE(int(status.shm_nattch), 1);
    }
    QVERIFY(!QFile::exists(keyFile)); // the guard's own segment went with it
}

// Without a usable lock file the guard still refuses a start while another
// instance is attached to the segment, and takes over a segment that nobody
// uses any more (what a killed instance leaves).
void TestShellProcess::unusableLockTellsLiveHolderFromLeftSegment()
{
    const QString key = QStringLiteral("UnusableLockProbe");
    const QString lockPath = SingleInstance::LockFilePath(key);
    QFile::remove(lockPath);
    QVERIFY(QDir().mkdir(lockPath));
    const QRegularExpression namesLock(QRegularExpression::escape(lockPath));
    const QString keyFile = QSharedMemory(key).nativeKey();

    {
        QTest::ignoreMessage(QtWarningMsg, namesLock);
        SingleInstance live(key);
        QVERIFY(live.Claim());
        QTest::ignoreMessage(QtWarningMsg, namesLock);
        SingleInstance second(key);
        QVERIFY(!second.Claim());
    }
    QVERIFY(!QFile::exists(keyFile)); // the live holder's segment went with it

    // A segment of the guard's key with nobody attached.
    QFile keyFileMaker(keyFile);
    QVERIFY(keyFileMaker.open(QIODevice::WriteOnly));
    keyFileMaker.close();
    const int left = shmget(KeyOf(keyFile), 1, IPC_CREAT | IPC_EXCL | 0600);
    QVERIFY(left != -1);

    QTest::ignoreMessage(QtWarningMsg, namesLock);
    SingleInstance next(key);
    QVERIFY(next.Claim());
    shmid_ds status{};
    const bool leftRemains = shmctl(left, IPC_STAT, &status) == 0;
    if (leftRemains)
        shmctl(left, IPC_RMID, nullptr);
    QVERIFY(!leftRemains);
    const int own = shmget(KeyOf(keyFile), 0, 0400);
    QVERIFY(own != -1);
    QVERIFY(shmctl(own, IPC_STAT, &status) == 0);
    QCOMPARE(status.shm_cpid, getpid());
    QCOMPARE(int(status.shm_nattch), 1);
    QVERIFY(QDir().rmdir(lockPath));
}

void TestShellProcess::crashLeavesOneDumpNamedByTime()
{
    QDir(UserDataFolder() + QStringLiteral("/Exception")).removeRecursively();
    QVERIFY(QDir().mkpath(UserDataFolder()));

    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    QProcess child;
    child.setProgram(QCoreApplication::applicationFilePath());
    child.setArguments({QString::fromLatin1(kCrashChild)});
    child.start();
    QVERIFY(child.waitForStarted());
    const QByteArray pid = QByteArray::number(child.processId());
    QVERIFY(child.waitForFinished(kStartTimeoutMs));
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);

    const QStringList dumps = DumpFiles();
    QCOMPARE(dumps.size(), 1);
    const QString name = dumps.first();
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4}_\\d{2}_\\d{2}_\\d{2}_\\d{2}_\\d{2}\\.dmp$")).match(name).hasMatch(),
             qPrintable(name));
    const QDateTime stamp = QDateTime::fromString(name.left(19), QStringLiteral("yyyy_MM_dd_hh_mm_ss"));
    QVERIFY(stamp.isValid());
    QVERIFY2(stamp >= before.addMSecs(-before.time().msec()) && stamp <= after, qPrintable(name));

    QFile dump(UserDataFolder() + QStringLiteral("/Exception/") + name);
    QVERIFY(dump.open(QIODevice::ReadOnly));
    const QByteArray text = dump.readAll();
    QVERIFY2(text.contains("signal: 11 SIGSEGV"), text.constData());
    QVERIFY2(text.contains("fault address: 0x0000000000000010"), text.constData());
    QVERIFY2(text.contains("process id: " + pid), text.constData());
    QVERIFY2(text.contains("thread id: " + pid), text.constData());
    QVERIFY(text.contains("backtrace:\n"));
    QVERIFY(text.indexOf('\n', text.indexOf("backtrace:\n") + 11) > 0); // at least one frame
}

// The program says which file and which line, on the standard error and in a
// notice, and runs on without devices.
void TestShellProcess::unusableWorldFileIsNamedAtStart_data()
{
    QTest::addColumn<QByteArray>("content"); // none: the file is missing
    QTest::addColumn<QString>("named");
    QTest::newRow("bad value") << QByteArray("[World]\nVid = 0x2FE5\n\n[Receiver r]\nClass = 3\n") << "line 5";
    QTest::newRow("not a key line") << QByteArray("[World]\nVid = 0x2FE5\nnonsense\n") << "line 3";
    QTest::newRow("missing file") << QByteArray() << "";
}

void TestShellProcess::unusableWorldFileIsNamedAtStart()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, named);
    const QString path = QDir::temp().filePath(QStringLiteral("BrokenWorld.ini"));
    QFile::remove(path);
    if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QProcess program;
    StartProgram(program, true, path);
    QVERIFY(program.waitForStarted());
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT((output += program.readAllStandardError()).contains("confirming UpDateWarning")
                                 || program.state() == QProcess::NotRunning,
                             kStartTimeoutMs);
    QVERIFY2(output.contains(path.toUtf8() + ", " + named.toUtf8()), output.constData());
    // The notice closed, the program runs on with no devices.
    QTest::qWait(200);
    QCOMPARE(program.state(), QProcess::Running);
    Stop(program);
}

int main(int argc, char* argv[])
{
    if (argc > 1 && qstrcmp(argv[1], kCrashChild) == 0) {
        CrashHandler handler(UserDataFolder());
        handler.Install();
        // A store to an unmapped page: a fault of the processor, not a call.
        static volatile uintptr_t unmapped = 16;
        *reinterpret_cast<volatile int*>(unmapped) = 1;
        return 0;
    }
    QCoreApplication app(argc, argv);
    TestShellProcess test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_shell_process.moc"
