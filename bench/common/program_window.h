// The real top-level window over the shipped simulated world, each device at
// its own report rate, in a fresh home; the home page's card of a device.
#ifndef PROGRAM_WINDOW_H
#define PROGRAM_WINDOW_H

#include "app_state.h"
#include "dialog_change.h"
#include "dialog_main.h"
#include "mytoolbuttonenter.h"
#include "startup.h"

#include <devicelib_control.h>

#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace bench {

// The program's top-level window over the shipped world, in a fresh home.
class ProgramWindow {
public:
    // `prepare` adds to the fresh per-user data before the window is built.
    bool Start(const std::function<bool()>& prepare = nullptr)
    {
        qputenv("HOME", m_home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (m_home.path() + QStringLiteral("/.config")).toUtf8());
        PrepareUserData();
        if (prepare && !prepare())
            return false;
        SimControl::setLatencyMs(0);      // the transfer itself is the device's time
        SimControl::setReportIntervalUs(-1); // each device's own rate
        m_main.reset(new DialogMain);
        m_main->show();
        return QTest::qWaitForWindowExposed(m_main.get());
    }

    DialogMain* Main() const { return m_main.get(); }

    // The home-page card of a device of the world.
    static mytoolButtonEnter* Card(const QString& deviceId)
    {
        const QString path = QString::fromUtf8(SimControl::devicePath(deviceId));
        for (int i = 0; i < g_homeDeviceList.size() && i < g_deviceButtons.size(); ++i) {
            if (g_homeDeviceList.at(i).path == path)
                return g_deviceButtons.at(i);
        }
        return nullptr;
    }

    void Stop()
    {
        m_main.reset();
        UsbServer_Exit();
        SimControl::waitIdle(5000);
    }

private:
    QTemporaryDir m_home;
    std::unique_ptr<DialogMain> m_main;
};

} // namespace bench

#endif // PROGRAM_WINDOW_H
