#include "worker.h"

#include "app_state.h"
#include "config_store.h"
#include "device_cache.h"
#include "device_finder.h"
#include "device_image_setters.h"
#include "device_report.h"
#include "firmware_images.h"
#include "mouse_profile.h"
#include "post_msg.h"
#include "trace_log.h"

#include <devicelib.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QMutexLocker>
#include <QTimer>

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

namespace {

const int kOnlineCheckMs = 1300;
// A sent image takes the mouse a fraction of a second (163 reports of 64
// bytes at its polling rate, at most one more waiting before it); until a
// while after the last change the watch asks every 100 ms whether the mouse
// still answers.
const int kChangeWatchMs = 100;
const int kChangeSettleMs = 1000;
const int kIdentityReads = 10;
const int kShutdownPollMs = 10;

std::function<bool()> s_repairDialogVisible;

PostMsg* Hub()
{
    return PostMsg::GetInstance();
}

ConfigStore* Config()
{
    return ConfigStore::Instance();
}

bool DeviceOnline(const QByteArray& path)
{
    return UsbFinderC_GetDeviceOnLine(path.constData());
}

void SetCurrentOnline(bool online)
{
    QMutexLocker locker(&g_currentDeviceMutex);
    g_currentDevice.online = online;
}

QString CacheNameOnSelect()
{
    QMutexLocker locker(&g_currentDeviceMutex);
    return g_cacheNameOnSelect;
}

void StartPass()
{
    if (!g_worker)
        return;
    g_workerRun = true;
    g_worker->start();
}

bool SameReceiver(const DeviceAllInfo& a, const DeviceAllInfo& b)
{
    if (a.receiverAddress.size() < 3 || b.receiverAddress.size() < 3)
        return false;
    return a.receiverAddress.mid(0, 3) == b.receiverAddress.mid(0, 3);
}

// A cable mouse compares its firmware, and that of the receiver listed
// beside it, with the images in bin/.
void CheckFirmwareOfCableMouse(const DeviceAllInfo& current)
{
    QString receiverVersion;
    int receiverClass = 0; // no receiver: the check answers false
    if (g_devicePageList.size() == 2) {
        for (const DeviceAllInfo& entry : qAsConst(g_devicePageList)) {
            if (!entry.receiverAddress.isEmpty() && !entry.wired) {
                receiverVersion = entry.version;
                receiverClass = ReceiverClassOf(entry.connectionType);
                break;
            }
        }
    }
    if (!QDir(FirmwareFolder()).exists()) {
        emit Hub()->SigLabelTextB(receiverVersion, QString());
        return;
    }
    g_receiverUpdateAvailable = CheckFirmwareUpdate(FirmwareKindReceiver, receiverVersion, receiverClass);
    g_mouseUpdateAvailable = CheckFirmwareUpdate(FirmwareKindMouse, current.mouseVersion, receiverClass);
    const bool update = g_receiverUpdateAvailable || g_mouseUpdateAvailable;
    emit Hub()->SigLabelTextB(receiverVersion, update ? QStringLiteral("true") : QString());
}

} // namespace

// --- Worker ---------------------------------------------------------------------

Worker::Worker(QObject* parent)
    : QThread(nullptr)
{
    Q_UNUSED(parent)
    g_workerRun = true;
    g_statusTimer.start();
    g_devicePath.set(placeholderPath);
    g_deviceOnline = false;

    g_onlineCheckTimer = new QTimer(this);
    connect(g_onlineCheckTimer, SIGNAL(timeout()), this, SLOT(SlotCheckOnline()));
    g_onlineCheckTimer->setInterval(kOnlineCheckMs);
    g_onlineCheckTimer->start();

    PostMsg* hub = Hub();
    connect(hub, SIGNAL(SigSelectMouseInfo(DeviceAllInfo)), this, SLOT(SlotSelectMouseInfo(DeviceAllInfo)));
    connect(hub, SIGNAL(SigMainPageChange()), this, SLOT(SlotMainPageChange()));

    m_changeWatch = new QTimer(this);
    m_changeWatch->setInterval(kChangeWatchMs);
    connect(m_changeWatch, SIGNAL(timeout()), this, SLOT(SlotWatchSentChange()));
    // Changes are sent on the user-interface thread, and the worker lives
    // there too; one from elsewhere is handed over.
    SetChangeSentListener([this] { QMetaObject::invokeMethod(this, [this] { WatchSentChange(); }); });

    g_showBatteryValue = Config()->IntValue(QStringLiteral("Option"), QStringLiteral("ShowBatteryValue"));
}

Worker::~Worker()
{
    SetChangeSentListener(nullptr);
    if (isRunning() && !Shutdown())
        qWarning("Worker: destroyed while a pass still runs");
    if (g_onlineCheckTimer && g_onlineCheckTimer->parent() == this)
        g_onlineCheckTimer = nullptr;
    if (g_worker == this)
        g_worker = nullptr;
}

void Worker::Stop()
{
    g_workerRun = false;
}

bool Worker::Shutdown(int timeoutMs)
{
    m_shuttingDown = true;
    Stop();
    SetChangeSentListener(nullptr);
    m_changeWatch->stop();
    if (g_onlineCheckTimer && g_onlineCheckTimer->parent() == this)
        g_onlineCheckTimer->stop();
    const QDeadlineTimer deadline(timeoutMs);
    while (!wait(kShutdownPollMs)) {
        if (deadline.hasExpired())
            return false;
        // The pass may wait in a blocking-queued emit for a slot of this
        // thread: deliver it, so the pass can reach its end.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    }
    return true;
}

Worker* Worker::Instance()
{
    static Worker* second = new Worker;
    return second;
}

bool Worker::SetRunFlag()
{
    g_workerRun = true;
    return true;
}

bool Worker::ClearRunFlag()
{
    g_workerRun = false;
    return true;
}

void Worker::FillFromCache()
{
    FlashDataMap cached;
    const QString name = CacheNameOnSelect();
    if (!ReadDeviceCache(name, cached)) {
        if (KeepGoing())
            emit Hub()->SigFormReset();
        return;
    }
    {
        // Until the mouse answers, the image is what the pages show: the
        // device's cache, never the image of the device opened before it.
        QMutexLocker locker(&g_deviceImageMutex);
        if (MouseProfile::TakeCache()) {
            g_deviceImage = cached;
            g_cacheNameOnDump = name;
        }
    }
    for (auto signal : {&PostMsg::SigUpDataLightUIButton, &PostMsg::SigUpDataLightLight,
                        &PostMsg::SigUpDataLightSensor}) {
        if (KeepGoing())
            emit (Hub()->*signal)(cached);
    }
    if (KeepGoing())
        emit Hub()->SigForm();
}

void Worker::run()
{
    if (!g_workerRun || m_shuttingDown)
        return;
    const QByteArray path = g_devicePath.bytes();
    if (!g_deviceOnline)
        g_deviceOnline = DeviceOnline(path);

    const DeviceAllInfo current = CurrentDeviceCopy();
    const bool newSelection = g_deviceSelected == 1 && m_newSelection.exchange(false);
    const bool changed = current.path != lastPath || current.connectionType != lastType
        || g_lastOnline != g_deviceOnline || g_forceReconnect || newSelection;

    if (changed && g_deviceSelected == 1) {
        const bool answers = DeviceOnline(path);
        if (answers) {
            SetCurrentOnline(true);
            if (g_forceReconnect) {
                emit Hub()->SigUpDataParam(1);
                g_forceReconnect = false;
            } else if (!g_applyingParameters) {
                emit Hub()->SigUpDataParam(0);
            }
        } else {
            g_waitingForDevice = true;
            SetCurrentOnline(false);
            FillFromCache();
        }
        lastPath = current.path;
        lastType = current.connectionType;

        if (KeepGoing()) {
            // Reports of the earlier connection are dropped, a switch's
            // answer among them.
            MouseProfile::Reset();
            UsbServerC_Start(path.constData(), path.constData(), &OnDeviceReport);
            qCDebug(lcTrace, "OnlinA");
            UsbServer_SetPCDriverStatus(true);
            // A mouse asleep gets the request once it answers.
            RequestDeviceDump(answers);
            g_lastOnline = bool(g_deviceOnline);
            qCDebug(lcTrace, "OnlinB");
        }
    }
    g_deviceReady = bool(g_deviceOnline);
    g_workerRun = false;
}

void Worker::SlotSelectMouseInfo(DeviceAllInfo SelectInfo)
{
    // Nothing decided for the device before reaches this one, and the next
    // pass connects to it even when it is the same device, asleep again.
    MouseProfile::DeviceOpened();
    m_newSelection = true;
    QMutexLocker locker(&g_currentDeviceMutex);
    g_currentDevice = SelectInfo;
    g_cacheNameOnSelect = DeviceCacheName(SelectInfo.cid, SelectInfo.mid);
}

void Worker::SlotMainPageChange()
{
    g_lastOnline = false;
}

void Worker::SlotCheckOnline()
{
    if (g_waitingForDevice) {
        if (g_deviceSelected != 0) {
            if (g_deviceAccessAllowed) {
                g_deviceOnline = DeviceOnline(g_devicePath.bytes());
                g_lastOnline = false;
            }
            if (!g_deviceOnline)
                return;
            emit Hub()->SigCloseOffOnline();
            g_waitingForDevice = false;
            // A read held while the mouse slept goes out now.
            MouseProfile::MouseAnswersAgain();
        } else {
            // Back on the home page (the device went, or the user left): the
            // notice waited for a device no window shows now.
            emit Hub()->SigCloseOffOnline();
            g_waitingForDevice = false;
        }
    }
    if (g_deviceOnline && g_restartNeeded) {
        // A start while a pass runs would be ignored: keep the request for
        // the next tick.
        if (isRunning())
            return;
        g_restartNeeded = false;
        g_workerRun = true;
        start();
        return;
    }
    AskOwnDumpAgain();
}

void Worker::AskOwnDumpAgain()
{
    // The opened device's dump was lost on the way (the mouse dropped out
    // during the read): nothing may be sent to it until it has come, so it
    // is asked for again once the mouse answers.
    if (g_deviceSelected != 1 || !g_deviceAccessAllowed || isRunning() || !MouseProfile::OwnDumpOverdue())
        return;
    if (DeviceOnline(g_devicePath.bytes()))
        RequestDeviceDump();
}

void Worker::WatchSentChange()
{
    if (m_shuttingDown)
        return;
    m_sinceChangeSent.start();
    if (!m_changeWatch->isActive())
        m_changeWatch->start();
}

void Worker::SlotWatchSentChange()
{
    if (m_shuttingDown || g_deviceSelected != 1 || !g_deviceAccessAllowed) {
        m_changeWatch->stop();
        return;
    }
    if (DeviceOnline(g_devicePath.bytes())) {
        if (m_sinceChangeSent.hasExpired(kChangeSettleMs))
            m_changeWatch->stop();
        return;
    }
    // The mouse stopped answering while the change may still have been under
    // way, so it may have kept its old settings: the notice waits for it, and
    // the pass after its return shows what it holds.
    m_changeWatch->stop();
    emit Hub()->SigMouseOffLineo(0);
}

// --- device page scan ---------------------------------------------------------------

void ReconnectDevice(DeviceAllInfo record)
{
    const QByteArray path = record.path.toUtf8();
    if (DeviceOnline(path)) {
        SetCurrentDevice(record);
        g_devicePath.set(path);
    }
    if (g_worker && g_worker->isRunning()) {
        // The running pass would swallow the start; the online check starts
        // the pass as soon as this one has ended.
        g_restartNeeded = true;
        return;
    }
    StartPass();
}

int IdentifyDevice(DeviceAllInfo& record, const char* path)
{
    // Up to ten reads; the tenth answer is not looked at.
    DeviceIdentity identity{0, 0, 0};
    int reads = 0;
    do {
        identity = UsbFinderC_GetDeviceInfo(path);
        ++reads;
    } while (identity.cid == 0 && identity.mid == 0 && reads < kIdentityReads);

    const int deviceTotal = Config()->IntValue(QStringLiteral("Option"), QStringLiteral("DeviceTotal"));
    if (reads >= kIdentityReads) {
        record.wired = IsWiredConnection(identity.connectionType);
        record.modelIndex = deviceTotal;
        return 0;
    }

    const int cid = Config()->IntValue(QStringLiteral("Option"), QStringLiteral("CID"));
    for (int modelIndex = 0; modelIndex < deviceTotal; ++modelIndex) {
        const int mid = Config()->IntValue(ConfigStore::ModelGroup(modelIndex), QStringLiteral("MID"));
        if (identity.cid != cid || identity.mid != mid)
            continue;

        record.wired = IsWiredConnection(identity.connectionType);
        record.cid = identity.cid;
        record.mid = identity.mid;
        record.connectionType = identity.connectionType;
        record.modelIndex = modelIndex;

        if (!CurrentDeviceCopy().path.isEmpty()) {
            record.receiverAddress.clear();
            std::fill(std::begin(g_usbAddressBuffer), std::end(g_usbAddressBuffer), 0);
            UsbFinderC_GetDeviceOnLineWithUsbAddress(path, g_usbAddressBuffer);
            record.online = g_usbAddressBuffer[6] == 1;
            record.receiverAddress = {g_usbAddressBuffer[7], g_usbAddressBuffer[8], g_usbAddressBuffer[9]};
            // The re-found current device; the versions it learnt stay.
            QMutexLocker locker(&g_currentDeviceMutex);
            if (record.path == g_currentDevice.path) {
                DeviceAllInfo found = record;
                if (!g_currentDevice.version.isEmpty())
                    found.version = g_currentDevice.version;
                if (!g_currentDevice.mouseVersion.isEmpty())
                    found.mouseVersion = g_currentDevice.mouseVersion;
                g_currentDevice = found;
            }
        } else {
            record.online = UsbFinderC_GetDeviceOnLine(path);
        }
        return 1;
    }

    if (deviceTotal == 0)
        return 0;
    record.wired = IsWiredConnection(identity.connectionType);
    record.modelIndex = deviceTotal;
    return identity.cid == cid ? 2 : 3;
}

void EnumerateDevices(const QString& vid, const QStringList& pids)
{
    const QByteArray vidText = vid.toLatin1();
    for (const QString& pid : pids) {
        int count = kFinderCapacity;
        char** found = UsbFinderC_FindHidDevicesByDeviceId(vidText.constData(), pid.toLatin1().constData(), 1,
                                                            kFinderCapacity, &count);
        const QList<QByteArray> paths = CopyFoundPaths(found, count);

        for (const QByteArray& path : paths) {
            DeviceAllInfo record = FoundDeviceRecord(path, vid, pid);

            const DeviceAllInfo before = CurrentDeviceCopy();
            if (before.path.isEmpty()) {
                g_devicePageList.append(record);
                continue;
            }
            if (IdentifyDevice(record, path.constData()) != 1) {
                g_devicePageList.append(record);
                continue;
            }
            const DeviceAllInfo current = CurrentDeviceCopy();
            if (record.modelIndex != current.modelIndex)
                continue; // another model: not this page's business
            g_devicePageList.append(record);
            if (record.path == current.path)
                g_devicePath.set(path);
        }
    }
}

void OnDevicePageUsbChanged()
{
    emit Hub()->SigSetver(4);
    const QString vid = Config()->Value(QStringLiteral("Option"), QStringLiteral("VID"));
    g_devicePageList.clear();
    EnumerateDevices(vid, ConfiguredProductIds());

    if (g_devicePageList.isEmpty()) {
        if (g_deviceAccessAllowed) {
            SetCurrentDevice(DeviceAllInfo());
            emit Hub()->SigChangeMainDialog(0);
        }
    } else {
        for (const DeviceAllInfo& entry : qAsConst(g_devicePageList)) {
            const DeviceAllInfo current = CurrentDeviceCopy();
            if (!current.path.isEmpty() && !current.wired && entry.wired && entry.online
                && entry.modelIndex == current.modelIndex && SameReceiver(entry, current)) {
                ReconnectDevice(entry); // the same mouse, now on its cable
            }
        }
        const DeviceAllInfo current = CurrentDeviceCopy();
        bool listed = false;
        for (const DeviceAllInfo& entry : qAsConst(g_devicePageList))
            listed = listed || entry.path == current.path;
        if (!listed && !current.path.isEmpty() && g_deviceAccessAllowed)
            emit Hub()->SigChangeMainDialog(0);
        if (current.wired)
            CheckFirmwareOfCableMouse(current);
    }

    const bool repairShown = s_repairDialogVisible && s_repairDialogVisible();
    if (repairShown && !g_firmwareUpdating)
        emit Hub()->SigCheckUpdate();
}

void WaitWithEvents(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
}

void SetRepairDialogVisibleQuery(std::function<bool()> query)
{
    s_repairDialogVisible = std::move(query);
}
