// Start-up cost of the program: the time from starting the process to its
// top-level window being shown, and the peak memory at that moment, beside
// the same figures for an empty Qt dialog, measured alternately in the same
// run. Prints the medians and their ratios.
//
//     bench_startup [rounds]        (default 7)
//
// Each measurement is a child process of this program (the modes --program
// and --empty-dialog), started with a fresh per-user folder, so the program
// prepares its data tree as on a first start. Without a display the children
// run offscreen.
#include "dialog_main.h"
#include "startup.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWindow>

#include <algorithm>
#include <ctime>
#include <memory>

namespace {

const char kProgramMode[] = "--program";
const char kEmptyMode[] = "--empty-dialog";

qint64 MonotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Peak resident memory of this process so far, in KiB.
qint64 PeakMemoryKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// Child: shows the window, waits until the platform has exposed it, reports.
int ShowAndReport(QWidget& window)
{
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    QTextStream(stdout) << "shown " << MonotonicNs() << ' ' << PeakMemoryKiB() << Qt::endl;
    return 0;
}

int RunChild(int argc, char* argv[], bool program)
{
    if (program)
        PrepareUserData();
    QApplication app(argc, argv);
    if (program) {
        std::unique_ptr<DialogMain> window(new DialogMain);
        return ShowAndReport(*window);
    }
    QDialog dialog;
    dialog.resize(1020, 700);
    return ShowAndReport(dialog);
}

struct Sample {
    double ms = 0;
    double mib = 0;
};

bool Measure(const QString& mode, const QProcessEnvironment& environment, Sample* sample)
{
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::SeparateChannels);
    const qint64 started = MonotonicNs();
    child.start(QCoreApplication::applicationFilePath(), {mode});
    if (!child.waitForFinished(120000) || child.exitCode() != 0)
        return false;
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        if (parts.size() == 3 && parts[0] == "shown") {
            sample->ms = double(parts[1].toLongLong() - started) / 1e6;
            sample->mib = double(parts[2].toLongLong()) / 1024.0;
            return true;
        }
    }
    return false;
}

double Median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 && qstrcmp(argv[1], kProgramMode) == 0)
        return RunChild(argc, argv, true);
    if (argc > 1 && qstrcmp(argv[1], kEmptyMode) == 0)
        return RunChild(argc, argv, false);

    QCoreApplication app(argc, argv);
    const int rounds = std::max(1, argc > 1 ? QByteArray(argv[1]).toInt() : 7);
    QTextStream out(stdout);

    QVector<double> programMs, programMib, emptyMs, emptyMib;
    for (int round = 0; round < rounds; ++round) {
        // A fresh home each time: the program creates its data tree anew.
        QTemporaryDir home;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/.config"));
        if (!environment.contains(QStringLiteral("DISPLAY")) && !environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

        Sample empty, program;
        if (!Measure(QString::fromLatin1(kEmptyMode), environment, &empty)
            || !Measure(QString::fromLatin1(kProgramMode), environment, &program)) {
            out << "a measurement failed\n";
            return 1;
        }
        emptyMs << empty.ms;
        emptyMib << empty.mib;
        programMs << program.ms;
        programMib << program.mib;
    }

    const double eMs = Median(emptyMs), eMib = Median(emptyMib);
    const double pMs = Median(programMs), pMib = Median(programMib);
    out << "Process start to first window shown, median of " << rounds << " runs\n";
    out << QStringLiteral("%1 %2 %3\n").arg(QString(), -18).arg(QStringLiteral("time (ms)"), 12).arg(QStringLiteral("peak memory (MiB)"), 19);
    out << QStringLiteral("%1 %2 %3\n").arg(QStringLiteral("empty Qt dialog"), -18).arg(eMs, 12, 'f', 1).arg(eMib, 19, 'f', 1);
    out << QStringLiteral("%1 %2 %3\n").arg(QStringLiteral("Quorix One"), -18).arg(pMs, 12, 'f', 1).arg(pMib, 19, 'f', 1);
    out << QStringLiteral("%1 %2 %3\n").arg(QStringLiteral("ratio"), -18).arg(pMs / eMs, 12, 'f', 2).arg(pMib / eMib, 19, 'f', 2);
    return 0;
}
