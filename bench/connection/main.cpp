// Measures, with the simulated world at zero report latency:
//   - the time from SigSelectMouseInfo to the pages' image slots having run
//     (selection, device-page scan, connection pass, flash dump, the three
//     blocking-queued image signals and SigForm);
//   - the cost of one device-image setter call (image write and send).
// Prints the figures; it asserts nothing.
#include "app_state.h"
#include "device_image_setters.h"
#include "post_msg.h"
#include "worker.h"

#include <devicelib.h>
#include <native_settings.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Stands in for the pages: counts the image fills as they arrive.
class Pages : public QObject {
    Q_OBJECT
public:
    int fills = 0;
    Pages()
    {
        PostMsg* hub = PostMsg::GetInstance();
        const auto bq = Qt::BlockingQueuedConnection;
        connect(hub, SIGNAL(SigUpDataLightUIButton(FlashDataMap)), this, SLOT(SlotImage(FlashDataMap)), bq);
        connect(hub, SIGNAL(SigUpDataLightSensor(FlashDataMap)), this, SLOT(SlotImage(FlashDataMap)), bq);
        connect(hub, SIGNAL(SigForm()), this, SLOT(SlotForm()), bq);
    }
public slots:
    void SlotImage(FlashDataMap image) { m_sum += image.at(0); }
    void SlotForm() { ++fills; }
private:
    unsigned m_sum = 0;
};

struct Figures {
    double min, median, mean, max;
};

Figures Summarise(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    double sum = 0;
    for (double v : values)
        sum += v;
    return {values.front(), values[values.size() / 2], sum / double(values.size()), values.back()};
}

void Print(const char* what, const char* unit, const Figures& f, size_t runs)
{
    std::printf("%-44s min %9.1f  median %9.1f  mean %9.1f  max %9.1f %s  (%zu runs)\n", what, f.min, f.median,
                f.mean, f.max, unit, runs);
}

// The record the home page hands over for the first receiver it lists.
DeviceAllInfo FirstReceiver()
{
    int count = 5;
    char** paths = UsbFinderC_FindHidDevicesByDeviceId("0x2FE5", "0x7B04", 1, 5, &count);
    DeviceAllInfo record;
    if (count < 1 || !paths || !paths[0])
        return record;
    record.path = QString::fromUtf8(paths[0]);
    const DeviceIdentity identity = UsbFinderC_GetDeviceInfo(paths[0]);
    record.cid = identity.cid;
    record.mid = identity.mid;
    record.connectionType = identity.connectionType;
    record.modelIndex = identity.mid - 1;
    record.online = true;
    return record;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    qputenv("QUORIX_SIM_LATENCY_MS", "0");
    QTemporaryDir registry; // the version report writes the registry stand-in
    NativeSettings::SetRootFolder(registry.path());
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });

    PostMsg::GetInstance();
    Pages pages;
    g_worker = new Worker;
    g_onlineCheckTimer->stop();

    const DeviceAllInfo record = FirstReceiver();
    if (record.path.isEmpty()) {
        std::fprintf(stderr, "bench_connection: no 4K receiver in the simulated world\n");
        return 1;
    }

    // Selection to filled pages. Each run starts from the home page again.
    const int runs = 200;
    std::vector<double> selectUs;
    for (int run = 0; run < runs; ++run) {
        emit PostMsg::GetInstance()->SigMainPageChange();
        const int before = pages.fills;
        QElapsedTimer clock;
        clock.start();
        emit PostMsg::GetInstance()->SigSelectMouseInfo(record);
        StartUsbChanged(&OnDevicePageUsbChanged, 600);
        g_workerRun = true;
        g_deviceSelected = 1;
        g_worker->start();
        while (pages.fills == before)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        selectUs.push_back(double(clock.nsecsElapsed()) / 1000.0);
        // Let the rest of the dump's answers pass before the next run.
        g_worker->wait();
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
    }
    Print("selection to image slots run", "us", Summarise(selectUs), selectUs.size());

    // One setter: online check, image write, whole-image send.
    const int calls = 5000;
    std::vector<double> setterUs;
    int failed = 0;
    for (int i = 0; i < calls; ++i) {
        QElapsedTimer clock;
        clock.start();
        if (!SetDebounceTime(i % 20))
            ++failed;
        setterUs.push_back(double(clock.nsecsElapsed()) / 1000.0);
    }
    Print("setter call (write and send)", "us", Summarise(setterUs), setterUs.size());
    if (failed)
        std::printf("%d setter calls were refused\n", failed);

    StopUsbChanged();
    g_worker->Shutdown();
    delete g_worker;
    UsbServer_Exit();
    return 0;
}

#include "main.moc"
