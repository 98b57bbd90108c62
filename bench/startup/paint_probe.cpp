// Loaded into a Qt program by QT_QPA_GENERIC_PLUGINS=paintprobe: once the
// first top-level widget has been painted, prints
//     painted <CLOCK_MONOTONIC ns> <peak resident KiB>
// to standard output and ends the process at once.
#include <QApplication>
#include <QFile>
#include <QGenericPlugin>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

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

class PaintWatcher : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && widget->isWindow()) {
                m_painted = true;
                // After the whole window has been painted and flushed.
                QTimer::singleShot(0, [] {
                    timespec now{};
                    clock_gettime(CLOCK_MONOTONIC, &now);
                    std::printf("painted %lld %lld\n", qint64(now.tv_sec) * 1000000000LL + now.tv_nsec,
                                PeakMemoryKiB());
                    std::fflush(stdout);
                    std::_Exit(0);
                });
            }
        }
        return false;
    }

private:
    bool m_painted = false;
};

} // namespace

class PaintProbe : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "paint_probe.json")
public:
    QObject* create(const QString&, const QString&) override
    {
        auto* watcher = new PaintWatcher;
        QCoreApplication::instance()->installEventFilter(watcher);
        return watcher;
    }
};

#include "paint_probe.moc"
