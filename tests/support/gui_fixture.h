// Starts the real top-level window (DialogMain) over the simulated device
// world, as the program does after its start-up services, and opens a device
// window the way the home page does when the user picks a device.
//
//     GuiFixture gui;
//     QVERIFY(gui.Start());                 // the shipped world (SimWorld.ini)
//     QVERIFY(gui.OpenDevice("aero-r4"));   // a receiver id, or a mouse on its cable
//     gui.Main(), gui.DeviceWindow(), gui.FindInDeviceWindow<QToolButton>("CloseButton") ...
//     gui.Stop();                           // also done by the destructor
//
// Link the test with gui and devicelib_control. Start resets the program-wide
// state the windows read, so test functions do not see each other's devices.
// Opening a device runs the connection as the program does, including the
// device window's waiting dialog (4.5 s after each connection).
#ifndef GUI_FIXTURE_H
#define GUI_FIXTURE_H

#include "app_state.h"
#include "config_store.h"
#include "dialog.h"
#include "dialog_main.h"
#include "paths.h"
#include "post_msg.h"
#include "program_state.h"
#include "library_calls.h"
#include "startup.h"
#include "worker.h"

#include <devicelib_control.h>

#include <QApplication>
#include <QCoreApplication>
#include <QStackedWidget>
#include <QTest>
#include <QThread>

#include <memory>

class GuiFixture {
public:
    GuiFixture() = default;
    GuiFixture(const GuiFixture&) = delete;
    GuiFixture& operator=(const GuiFixture&) = delete;
    ~GuiFixture() { Stop(); }

    // worldText: a world in the format of SimWorld.ini; empty for the shipped
    // one. latencyMs: report latency of the simulated devices.
    bool Start(const QString& worldText = QString(), int latencyMs = 0)
    {
        Stop();
        QApplication::setQuitOnLastWindowClosed(false);
        PrepareUserData();
        ResetProgramState();
        SimControl::resetWorld();
        const bool loaded = worldText.isEmpty() ? SimControl::loadWorldFile(SimControl::defaultWorldPath())
                                                : SimControl::loadWorldText(worldText);
        SimControl::setLatencyMs(latencyMs);
        SimControl::clearCallLog();
        m_main.reset(new DialogMain);
        m_main->show();
        return loaded && QTest::qWaitForWindowExposed(m_main.get());
    }

    // Deletes the window (the button page stops the connection worker).
    void Stop()
    {
        if (!m_main)
            return;
        m_main.reset();
        UsbServer_Exit();
        SimControl::waitIdle(2000);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    DialogMain* Main() const { return m_main.get(); }
    Dialog* DeviceWindow() const { return m_main ? m_main->DeviceWindow() : nullptr; }

    // The top-level window's stack: 0 home page, 1 device window.
    int MainPageIndex() const
    {
        auto* stack = Find<QStackedWidget>(QStringLiteral("stackedWidgetMain"));
        return stack ? stack->currentIndex() : -1;
    }

    template <class T>
    T* Find(const QString& objectName) const
    {
        return m_main ? m_main->findChild<T*>(objectName) : nullptr;
    }

    // An object of the device window (the home page has objects of the
    // same names, e.g. CloseButton).
    template <class T>
    T* FindInDeviceWindow(const QString& objectName) const
    {
        return DeviceWindow() ? DeviceWindow()->findChild<T*>(objectName) : nullptr;
    }

    // The record the home page makes of a listed device of the world.
    static DeviceAllInfo Record(const QString& deviceId)
    {
        DeviceAllInfo record;
        const QByteArray path = SimControl::devicePath(deviceId);
        record.path = QString::fromUtf8(path);
        record.vid = ConfigStore::Instance()->Value(QStringLiteral("Option"), QStringLiteral("VID"));
        unsigned char attribute[12] = {};
        if (UsbFinderC_GetUsbDeviceAttribute(path.constData(), attribute))
            record.version = VersionText(unsigned(attribute[8]) | unsigned(attribute[9]) << 8);
        IdentifyDevice(record, path.constData());
        return record;
    }

    // What the home page does when a known device is clicked: the record
    // goes to the worker, the device window is shown (its hot-plug scan
    // resolves the path), then a connection pass starts. Waits until the
    // connection has settled.
    bool OpenDevice(const QString& deviceId, int timeoutMs = 20000)
    {
        if (!m_main || !g_worker)
            return false;
        const DeviceAllInfo record = Record(deviceId);
        if (record.path.isEmpty())
            return false;
        PostMsg* hub = PostMsg::GetInstance();
        emit hub->SigSelectMouseInfo(record);
        emit hub->SigChangeMainDialog(1);
        QThread::msleep(150);
        g_workerRun = true;
        g_deviceSelected = 1;
        g_worker->start();
        return Settle(timeoutMs) && MainPageIndex() == 1;
    }

private:
    std::unique_ptr<DialogMain> m_main;
};

#endif // GUI_FIXTURE_H
