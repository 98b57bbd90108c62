// Helpers of the button page tests: a look inside the page, and starting the
// connection to a simulated device the way the home page does.
#ifndef BUTTON_PAGE_FIXTURE_H
#define BUTTON_PAGE_FIXTURE_H

#include "buttoninterface.h"
#include "ui_buttoninterface.h"

#include "app_state.h"
#include "device_all_info.h"
#include "post_msg.h"
#include "worker.h"

#include <devicelib_control.h>

#include <QButtonGroup>
#include <QElapsedTimer>
#include <QThread>

class ButtoninterfaceProbe {
public:
    static Ui::Buttoninterface* Form(Buttoninterface* page) { return page->ui; }
    static QButtonGroup* Group(Buttoninterface* page, const QString& name)
    {
        if (name == QLatin1String("KeyButtonGroup"))
            return page->KeyButtonGroup;
        if (name == QLatin1String("TopItemGroup"))
            return page->TopItemGroup;
        if (name == QLatin1String("SubItemGroup"))
            return page->SubItemGroup;
        return page->MarkerGroup;
    }
    static const KeyFunctionStore& Store(Buttoninterface* page) { return page->keyStore; }
    static const QVector<QString>& DefineNames(Buttoninterface* page) { return page->DefineNames; }
    static const QVector<int>& DefineValues(Buttoninterface* page) { return page->DefineValues; }
    static QString MainPageDir(Buttoninterface* page) { return page->MainPageDir; }
    static QString MacroPrefix(Buttoninterface* page) { return page->MacroPrefix; }
    static void SetSensor(Buttoninterface* page, const QString& sensor) { page->SensorName = sensor; }
    static void SetStoreEntry(Buttoninterface* page, int key, int type, int p1, int p2)
    {
        page->StoreKeyFunction(key, type, p1, p2);
    }
    static void AssignMediaKey(Buttoninterface* page, int button, int code) { page->AssignMediaKey(button, code); }
    static void AssignKeyboardKey(Buttoninterface* page, int button, const QString& text)
    {
        page->AssignKeyboardKey(button, text);
    }
    static void ShowKeyFunction(Buttoninterface* page, int key, int type, int p1, int p2, const FlashDataMap& image)
    {
        page->ShowKeyFunction(key, type, p1, p2, image);
    }
};

namespace ButtonPageFixture {

// What the home page does when the device `id` is chosen: the record goes to
// the worker, then a pass starts.
inline void SelectAndStart(const QString& id)
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
    record.online = true;
    emit PostMsg::GetInstance()->SigSelectMouseInfo(record);
    StartUsbChanged(&OnDevicePageUsbChanged, 600);
    g_workerRun = true;
    g_deviceSelected = 1;
    g_worker->start();
}

// Spins, without running this thread's events, until the pass waits in its
// blocking-queued emit for this thread.
inline bool PassWaitsForThePage()
{
    QElapsedTimer clock;
    clock.start();
    while (!(g_waitingForDevice && g_worker && g_worker->isRunning())) {
        if (clock.elapsed() > 10000)
            return false;
        QThread::yieldCurrentThread();
    }
    QThread::msleep(50);
    return true;
}

} // namespace ButtonPageFixture

#endif // BUTTON_PAGE_FIXTURE_H
