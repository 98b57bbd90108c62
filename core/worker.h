// The connection to the selected mouse. One Worker exists (g_worker, created
// by the button page); each start of its thread makes one connection pass:
// when the selected device, its connection type or its online state changed,
// the pass opens the library connection with OnDeviceReport and asks for the
// whole flash content, and fills the pages from the cached image when the
// mouse does not answer. A 1300 ms online check on the user-interface thread
// starts a new pass when a waiting mouse is back or the mouse asked for one,
// and asks again for an opened device's dump that was lost on the way.
// After each change sent to the mouse a shorter watch makes sure that the
// mouse kept answering until it must have the change; one that stopped
// raises the offline notice, and the pass after its return shows what it
// holds.
//
// The Worker object lives on the user-interface thread: its slots and the
// free functions below run there; only run() runs on the Worker thread.
#ifndef WORKER_H
#define WORKER_H

#include "device_all_info.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QThread>

class QTimer;

#include <atomic>
#include <functional>

class Worker : public QThread {
    Q_OBJECT
public:
    // The thread object has no parent; the argument is ignored. Starts the
    // online check and g_statusTimer, sets g_workerRun, and points
    // g_devicePath at a placeholder until a device is resolved.
    explicit Worker(QObject* parent = nullptr);
    // Delete only a finished worker (see Shutdown).
    ~Worker() override;

    // Clears g_workerRun: a pass started later does nothing.
    void Stop();

    // For the button page's destructor: stops the online check and any
    // further pass, then waits at most timeoutMs for the running pass. A pass
    // blocked in a blocking-queued emit waits for this (the user-interface)
    // thread, so queued slot calls are delivered meanwhile. True when the
    // thread has finished: only then may the worker be deleted; otherwise it
    // must be left alone (the process ends without it).
    bool Shutdown(int timeoutMs = 3000);

    // Operations nothing calls: a second worker of its own, and the run flag.
    static Worker* Instance();
    bool SetRunFlag();
    bool ClearRunFlag();

public slots:
    void SlotSelectMouseInfo(DeviceAllInfo SelectInfo);
    void SlotMainPageChange();
    void SlotCheckOnline();

private slots:
    void SlotWatchSentChange();

protected:
    void run() override;

private:
    void WatchSentChange();
    void AskOwnDumpAgain();

    // Checked before each blocking-queued emit of a pass.
    bool KeepGoing() const { return !m_shuttingDown; }
    void FillFromCache();

    const QByteArray placeholderPath = QByteArrayLiteral("a"); // names no device
    int lastType = 0;   // connection type the connection was last opened for
    QString lastPath;   // path of the device it was last opened for
    std::atomic<bool> m_shuttingDown{false};
    std::atomic<bool> m_newSelection{false}; // a device was selected since the last pass
    QTimer* m_changeWatch = nullptr;
    QElapsedTimer m_sinceChangeSent;
};

// Makes the record the current device (when its mouse answers) and starts a
// pass.
void ReconnectDevice(DeviceAllInfo record);

// Reads the device's identity (at most 10 reads) and looks its model up in
// the catalogue. 1 identified; 2 our customer id but an unknown model; 3
// another customer id; 0 no identity (or no model in the catalogue).
int IdentifyDevice(DeviceAllInfo& record, const char* path);

// Appends the devices found for each product id to g_devicePageList (the
// caller clears it first); devices of another model than the current one are
// left out.
void EnumerateDevices(const QString& vid, const QStringList& pids);

// The device page's hot-plug callback: rescans, follows the mouse from its
// receiver to its cable, returns home when it is gone, checks for firmware.
void OnDevicePageUsbChanged();

// Processes events, at most 100 ms at a time, for ms milliseconds.
void WaitWithEvents(int ms);

// Whether the firmware repair dialog is shown; the settings page that owns
// the dialog sets the query. Without one the dialog counts as hidden.
void SetRepairDialogVisibleQuery(std::function<bool()> query);

#endif // WORKER_H
