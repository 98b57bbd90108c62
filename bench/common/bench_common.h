// Helpers shared by the benchmark programs: clocks, peak memory, medians,
// event-loop stalls.
#ifndef BENCH_COMMON_H
#define BENCH_COMMON_H

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QVector>

#include <algorithm>
#include <ctime>
#include <memory>

namespace bench {

inline qint64 MonotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Processor time a thread has used; by default the calling thread. Another
// thread's clock comes from pthread_getcpuclockid.
inline qint64 ThreadCpuNs(clockid_t clock = CLOCK_THREAD_CPUTIME_ID)
{
    timespec now{};
    clock_gettime(clock, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Peak resident memory of this process so far, in KiB.
inline qint64 PeakMemoryKiB()
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

inline double Median(QVector<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Runs the event loop for `ms`.
inline void Pump(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

// The longest time the user-interface thread went without running its event
// loop, seen by a 1 ms timer, while it is armed; and the most processor time
// the thread used between two ticks, which a busy machine taking the
// processor away from the program does not inflate.
class StallMeter : public QObject {
public:
    StallMeter()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 now = MonotonicNs();
            const qint64 cpu = ThreadCpuNs();
            if (m_last) {
                m_longestNs = std::max(m_longestNs, now - m_last);
                m_longestCpuNs = std::max(m_longestCpuNs, cpu - m_lastCpu);
            }
            m_last = now;
            m_lastCpu = cpu;
        });
    }
    void Start()
    {
        m_longestNs = 0;
        m_longestCpuNs = 0;
        m_last = 0;
        m_timer.start();
    }
    double StopMs()
    {
        m_timer.stop();
        return double(m_longestNs) / 1e6;
    }
    // Of the last armed stretch.
    double LongestCpuMs() const { return double(m_longestCpuNs) / 1e6; }

private:
    QTimer m_timer;
    qint64 m_last = 0;
    qint64 m_lastCpu = 0;
    qint64 m_longestNs = 0;
    qint64 m_longestCpuNs = 0;
};

} // namespace bench

#endif // BENCH_COMMON_H
