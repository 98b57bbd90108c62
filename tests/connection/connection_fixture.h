// Helpers of the connection tests: the program folder, the program-wide
// state between test functions, a stand-in for the pages on the hub, and
// waiting until the library, the worker pass and the queued calls are done.
#ifndef CONNECTION_FIXTURE_H
#define CONNECTION_FIXTURE_H

#include "app_state.h"
#include "device_cache.h"
#include "device_report.h"
#include "paths.h"
#include "program_folder.h"
#include "post_msg.h"
#include "worker.h"

#include <devicelib_control.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QStringList>
#include <QThread>

#include <cstring>

// Everything a test may have changed goes back to its start value.
inline void ResetConnectionState()
{
    SetCurrentDevice(DeviceAllInfo());
    g_devicePageList.clear();
    g_devicePath.set(QByteArray());
    g_cacheNameOnSelect.clear();
    g_cacheNameOnDump.clear();
    std::memset(g_deviceImage.bytes(), 0, FlashDataMap::Size);
    g_dongleRgb = DongleRGB();
    std::memset(g_statusChangedFlags, 0, sizeof g_statusChangedFlags);
    for (auto* flag : {&g_sendEnabled, &g_buttonPageUpdating, &g_sensorPageUpdating, &g_buttonPageApplied,
                       &g_sensorPageApplied, &g_applyingParameters, &g_workerRun, &g_deviceOnline, &g_lastOnline,
                       &g_deviceReady, &g_waitingForDevice, &g_restartNeeded, &g_forceReconnect,
                       &g_resetKeysPending, &g_configApplied, &g_mouseUpdateAvailable, &g_receiverUpdateAvailable,
                       &g_firmwareUpdating})
        *flag = false;
    g_deviceAccessAllowed = true;
    g_deviceSelected = 0;
    SetStatusClock(nullptr);
    SetRepairDialogVisibleQuery(nullptr);
}

// The pages' side of the hub: blocking queued where the pages connect so,
// automatic elsewhere. Every call is noted in order.
class PageRecorder : public QObject {
    Q_OBJECT
public:
    QStringList events;
    QList<FlashDataMap> images;     // the image of every image signal, in order
    QList<bool> appliedAtImage;     // a page still marked "applied" when an image came
    bool allOnMainThread = true;

    PageRecorder()
    {
        PostMsg* hub = PostMsg::GetInstance();
        const auto bq = Qt::BlockingQueuedConnection;
        connect(hub, SIGNAL(SigUpDataLightUIButton(FlashDataMap)), this, SLOT(SlotButton(FlashDataMap)), bq);
        connect(hub, SIGNAL(SigUpDataLightLight(FlashDataMap)), this, SLOT(SlotLight(FlashDataMap)), bq);
        connect(hub, SIGNAL(SigUpDataLightSensor(FlashDataMap)), this, SLOT(SlotSensor(FlashDataMap)), bq);
        connect(hub, SIGNAL(SigUpDataDPILed(FlashDataMap)), this, SLOT(SlotDpiLed(FlashDataMap)), bq);
        connect(hub, SIGNAL(SigForm()), this, SLOT(SlotForm()), bq);
        connect(hub, SIGNAL(SigFormReset()), this, SLOT(SlotFormReset()), bq);
        connect(hub, SIGNAL(SigUpDataConfigUI(int,int,bool)), this, SLOT(SlotConfigUI(int,int,bool)), bq);
        connect(hub, SIGNAL(SigUpDataReportRate(int)), this, SLOT(SlotReportRate(int)), bq);
        connect(hub, SIGNAL(SigUpDataDPI(int)), this, SLOT(SlotDpi(int)), bq);
        connect(hub, SIGNAL(SigBattery(bool,int,bool)), this, SLOT(SlotBattery(bool,int,bool)), bq);
        connect(hub, SIGNAL(SigRGBValue(DongleRGB*)), this, SLOT(SlotRgb(DongleRGB*)), bq);
        connect(hub, SIGNAL(SigLongRangeMode(bool)), this, SLOT(SlotLongRange(bool)), bq);
        connect(hub, SIGNAL(SigUpDataParam(int)), this, SLOT(SlotParam(int)));
        connect(hub, SIGNAL(SigSetver(int)), this, SLOT(SlotSetver(int)));
        connect(hub, SIGNAL(SigCloseOffOnline()), this, SLOT(SlotCloseOffOnline()));
        connect(hub, SIGNAL(SigChangeMainDialog(int)), this, SLOT(SlotChangeMainDialog(int)));
        connect(hub, SIGNAL(SigLabelTextB(QString,QString)), this, SLOT(SlotLabelTextB(QString,QString)));
        connect(hub, SIGNAL(SigCheckUpdate()), this, SLOT(SlotCheckUpdate()));
    }

    // The events whose text starts with one of the prefixes, in order.
    QStringList only(const QStringList& prefixes) const
    {
        QStringList picked;
        for (const QString& e : events) {
            for (const QString& p : prefixes) {
                if (e.startsWith(p)) {
                    picked << e;
                    break;
                }
            }
        }
        return picked;
    }

    void clear()
    {
        events.clear();
        images.clear();
        appliedAtImage.clear();
    }

public slots:
    void SlotButton(FlashDataMap map) { image(QStringLiteral("Button"), map); }
    void SlotLight(FlashDataMap map) { image(QStringLiteral("Light"), map); }
    void SlotSensor(FlashDataMap map) { image(QStringLiteral("Sensor"), map); }
    void SlotDpiLed(FlashDataMap map) { image(QStringLiteral("DPILed"), map); }
    void SlotForm() { note(QStringLiteral("Form")); }
    void SlotFormReset() { note(QStringLiteral("FormReset")); }
    void SlotConfigUI(int total, int index, bool enable)
    {
        note(QStringLiteral("ConfigUI %1 %2 %3").arg(total).arg(index).arg(int(enable)));
    }
    void SlotReportRate(int code) { note(QStringLiteral("ReportRate %1").arg(code)); }
    void SlotDpi(int stage) { note(QStringLiteral("DPI %1").arg(stage)); }
    void SlotBattery(bool charging, int percent, bool text)
    {
        note(QStringLiteral("Battery %1 %2 %3").arg(int(charging)).arg(percent).arg(int(text)));
    }
    void SlotRgb(DongleRGB* rgb) { note(QStringLiteral("RGB %1").arg(rgb ? int(rgb->bytes[0]) : -1)); }
    void SlotLongRange(bool on) { note(QStringLiteral("LongRange %1").arg(int(on))); }
    void SlotParam(int index) { note(QStringLiteral("Param %1").arg(index)); }
    void SlotSetver(int index) { note(QStringLiteral("Setver %1").arg(index)); }
    void SlotCloseOffOnline() { note(QStringLiteral("CloseOffOnline")); }
    void SlotChangeMainDialog(int index) { note(QStringLiteral("ChangeMainDialog %1").arg(index)); }
    void SlotLabelTextB(QString version, QString update)
    {
        note(QStringLiteral("LabelTextB %1 %2").arg(version, update));
    }
    void SlotCheckUpdate() { note(QStringLiteral("CheckUpdate")); }

private:
    void note(const QString& event)
    {
        events << event;
        if (QThread::currentThread() != QCoreApplication::instance()->thread())
            allOnMainThread = false;
    }
    void image(const QString& event, const FlashDataMap& map)
    {
        note(event);
        images << map;
        appliedAtImage << (g_buttonPageApplied || g_sensorPageApplied);
    }
};

// Waits until the library has delivered everything, no pass runs and the
// calls queued to this thread have run. False after timeoutMs.
inline bool Settle(int timeoutMs = 10000)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const bool passBefore = g_worker && g_worker->isRunning();
        const bool idle = SimControl::waitIdle(qMax(1, timeoutMs - int(clock.elapsed())));
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        const bool passAfter = g_worker && g_worker->isRunning();
        if (idle && !passBefore && !passAfter)
            return true;
        if (clock.elapsed() > timeoutMs)
            return false;
        QThread::msleep(1);
    }
}

// The record the home page makes of a listed device of the shipped catalogue
// (model n has MID n).
inline DeviceAllInfo ListedRecord(const QString& id)
{
    DeviceAllInfo record;
    const QByteArray path = SimControl::devicePath(id);
    record.path = QString::fromUtf8(path);
    const DeviceIdentity identity = UsbFinderC_GetDeviceInfo(path.constData());
    record.cid = identity.cid;
    record.mid = identity.mid;
    record.connectionType = identity.connectionType;
    record.modelIndex = identity.mid - 1;
    record.wired = IsWiredConnection(identity.connectionType);
    unsigned char reply[10] = {};
    record.online = UsbFinderC_GetDeviceOnLineWithUsbAddress(path.constData(), reply);
    record.receiverAddress = {reply[7], reply[8], reply[9]};
    unsigned char attribute[12] = {};
    UsbFinderC_GetUsbDeviceAttribute(path.constData(), attribute);
    record.version = VersionText(unsigned(attribute[8]) | unsigned(attribute[9]) << 8);
    record.vid = QStringLiteral("0x2FE5");
    return record;
}

// What the home page does when a device is chosen: the record goes to the
// worker, the device page's scan resolves the path, then a pass starts.
inline void SelectAndStart(const DeviceAllInfo& record)
{
    emit PostMsg::GetInstance()->SigSelectMouseInfo(record);
    StartUsbChanged(&OnDevicePageUsbChanged, 600);
    g_workerRun = true;
    g_deviceSelected = 1;
    g_worker->start();
}

inline QByteArray ImageBytes(const FlashDataMap& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.bytes()), FlashDataMap::Size);
}

inline FlashDataMap ImageFrom(const QByteArray& bytes)
{
    FlashDataMap image;
    std::memcpy(image.bytes(), bytes.constData(), size_t(qMin(bytes.size(), int(FlashDataMap::Size))));
    return image;
}

// Calls of one library function in the log, in order, with their arguments.
inline QStringList LoggedCalls(const QString& prefix)
{
    QStringList calls;
    for (const SimControl::Call& call : SimControl::callLog()) {
        if (call.function.startsWith(prefix))
            calls << (call.argument.isEmpty() ? call.function : call.function + QLatin1Char(' ') + call.argument);
    }
    return calls;
}

#endif // CONNECTION_FIXTURE_H
