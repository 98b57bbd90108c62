// Start-up cost of the program binary: the time from starting the process to
// its first painted window, and its peak memory then, beside an empty dialog
// with a label measured the same way, alternately in the same run. Runs under
// xcb when a display is set, and offscreen. Prints the medians and ratios.
//
//     bench_startup [rounds]        (default 7)
//
// Every start gets a fresh home and temporary folder, so the program prepares
// its per-user data as on a first start and no other running copy turns it
// into the already-running notice. The paint probe plug-in reports the first paint.
#include "bench_common.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

struct Sample {
    double ms = 0;
    double mib = 0;
};

// `windowClass`: the window that must be the first painted one.
bool Measure(const QString& program, const QByteArray& windowClass, const QProcessEnvironment& environment,
             Sample* sample)
{
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::SeparateChannels);
    const qint64 started = bench::MonotonicNs();
    child.start(program, QStringList());
    const bool finished = child.waitForFinished(120000);
    const QByteArray output = child.readAllStandardOutput();
    if (!finished || child.exitCode() != 0) {
        QTextStream(stderr) << program << " ended with " << child.exitCode() << ": " << output
                            << child.readAllStandardError().right(2000) << "\n";
        return false;
    }
    for (const QByteArray& line : output.split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        if (parts.size() == 4 && parts[0] == "painted" && parts[3] == windowClass) {
            sample->ms = double(parts[1].toLongLong() - started) / 1e6;
            sample->mib = double(parts[2].toLongLong()) / 1024.0;
            return true;
        }
    }
    QTextStream(stderr) << program << " painted no " << windowClass << " first: " << output << "\n";
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int rounds = std::max(1, argc > 1 ? QByteArray(argv[1]).toInt() : 7);
    QTextStream out(stdout);
    const QString folder = QCoreApplication::applicationDirPath();
    const QString empty = folder + QStringLiteral("/bench_empty_dialog");
    const QString program = folder + QStringLiteral("/quorix-one");

    QStringList platforms;
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        platforms << QStringLiteral("xcb");
    platforms << QStringLiteral("offscreen");

    for (const QString& platform : platforms) {
        QVector<double> programMs, programMib, emptyMs, emptyMib;
        for (int round = 0; round < rounds; ++round) {
            QTemporaryDir home;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("HOME"), home.path());
            environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/.config"));
            // The one-instance lock lives in the temporary folder: a program
            // that another user runs on this machine must not answer for ours.
            environment.insert(QStringLiteral("TMPDIR"), home.path());
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
            environment.insert(QStringLiteral("QT_PLUGIN_PATH"), folder + QStringLiteral("/bench-plugins"));
            environment.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("paintprobe"));
            Sample e, p;
            if (!Measure(empty, "QDialog", environment, &e) || !Measure(program, "DialogMain", environment, &p)) {
                out << "a measurement failed (" << platform << ")\n";
                return 1;
            }
            emptyMs << e.ms;
            emptyMib << e.mib;
            programMs << p.ms;
            programMib << p.mib;
        }
        const double eMs = bench::Median(emptyMs), eMib = bench::Median(emptyMib);
        const double pMs = bench::Median(programMs), pMib = bench::Median(programMib);
        out << "Process start to first painted window, " << platform << ", median of " << rounds << " runs\n";
        auto row = [&](const QString& what, double ms, double mib, int precision) {
            out << QStringLiteral("  %1 %2 %3\n").arg(what, -16).arg(ms, 10, 'f', precision).arg(mib, 18, 'f', precision);
        };
        out << QStringLiteral("  %1 %2 %3\n").arg(QString(), -16).arg(QStringLiteral("time (ms)"), 10).arg(QStringLiteral("peak memory (MiB)"), 18);
        row(QStringLiteral("empty dialog"), eMs, eMib, 1);
        row(QStringLiteral("Quorix One"), pMs, pMib, 1);
        row(QStringLiteral("ratio"), pMs / eMs, pMib / eMib, 2);
    }
    return 0;
}
