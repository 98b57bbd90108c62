// Loaded into a Qt program by QT_QPA_GENERIC_PLUGINS=paintprobe: once the
// first top-level widget has been painted, prints
//     painted <CLOCK_MONOTONIC ns> <peak resident KiB> <window class>
// to standard output and ends the process at once.
#include "bench_common.h"

#include <QApplication>
#include <QGenericPlugin>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

class PaintWatcher : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && widget->isWindow()) {
                m_painted = true;
                // After the whole window has been painted and flushed.
                const QByteArray windowClass = widget->metaObject()->className();
                QTimer::singleShot(0, [windowClass] {
                    std::printf("painted %lld %lld %s\n", bench::MonotonicNs(), bench::PeakMemoryKiB(),
                                windowClass.constData());
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
