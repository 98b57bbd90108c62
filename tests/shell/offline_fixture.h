// The mouse going away in the middle of what the user does, in the whole
// program with the devices' realistic timing (link gui and devicelib_control):
// asleep at a chosen library call of a flow, and maybe its receiver pulled
// out while the program says so.
// While it is away, the pages show what it holds or the offline notice is up;
// once it is back, the notice is gone and the pages show what it holds.
// Pulled out, the program goes home and closes the notice.
//
//     Offline::Scenario scenario;    // Init() in init(), Cleanup() in cleanup()
//     scenario.Run(1, Offline::Flow::SettingBurst, "ProtocolDataUpdate", 2, Offline::Fault::Sleep);
#ifndef OFFLINE_FIXTURE_H
#define OFFLINE_FIXTURE_H

#include "gui_fixture.h"

#include "buttoninterface.h"
#include "config_file_dialog.h"
#include "device_image_setters.h"
#include "macro_file.h"
#include "mouse_off_line.h"
#include "sensor_page.h"
#include "sensor_page_rules.h"
#include "test_image.h"
#include "up_data_param.h"
#include "world_text.h"

#include <devicelib_control.h>

#include <QAbstractButton>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace Offline {

const QString kMouse = QStringLiteral("aero");
const QString kReceiver = QStringLiteral("rx");
const int kAwayLimitMs = 20000; // longer than the waiting dialog's longest way to the notice
const int kSettleMs = 40000;
const int kLeftOpenMs = 10000; // the online check closes the notice within 1.3 s

enum class Flow { Selection, SettingBurst, MacroTransfer, Import, Reset };
// Asleep; or asleep, then its receiver pulled out while the notice is up.
enum class Fault { Sleep, Unplug };

const char* const kRateButtons[] = {"Button125HZ", "Button250HZ", "Button500HZ", "Button1000HZ"};

// Puts the mouse to sleep as soon as the library has been called `calls`
// more times with `trigger`: on a thread of its own, so it strikes at that
// point whatever the user-interface thread is doing.
class Injector {
public:
    Injector(const QString& trigger, int calls)
        : m_target(SimControl::callCount(trigger) + calls)
    {
        m_thread = std::thread([this, trigger] {
            while (!m_stop && SimControl::callCount(trigger) < m_target)
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            if (m_stop)
                return;
            SimControl::setMouseOnline(kMouse, false);
            m_struck = true;
        });
    }
    ~Injector()
    {
        m_stop = true;
        m_thread.join();
    }
    bool Struck() const { return m_struck; }

private:
    const int m_target;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_struck{false};
    std::thread m_thread;
};

inline bool NoticeOpen()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<MouseOffLine*>(widget) && widget->isVisible())
            return true;
    }
    return false;
}

inline bool WaitDialogOpen()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<UpDataParam*>(widget) && widget->isVisible())
            return true;
    }
    return false;
}

// What the user sees while the mouse is away, and its return: on a timer of
// the user-interface thread, so it also runs inside the flow's modal loops.
// Asleep, the mouse wakes a moment after the notice has come up, or, when
// none does, once the program has settled (or after the limit); then the
// pages must have shown what it holds. Pulled out, the receiver goes while
// the notice is up (the user clicks once more to raise it if need be) and
// comes back with the mouse once the program is home.
// A notice still up long after that is closed here, so that the run goes on
// and tells.
class AwayWatch : public QObject {
public:
    AwayWatch(const Injector& injector, Fault fault, std::function<bool()> pagesShowMouse,
              std::function<bool()> home, std::function<void()> clickAgain)
        : m_injector(injector)
        , m_fault(fault)
        , m_pagesShowMouse(std::move(pagesShowMouse))
        , m_home(std::move(home))
        , m_clickAgain(std::move(clickAgain))
    {
        connect(&m_timer, &QTimer::timeout, this, &AwayWatch::Look);
        m_timer.start(5);
    }

    bool back = false;
    bool noticeSeen = false;
    bool pagesShowedMouse = false; // when it came back without a notice
    bool noticeLeftOpen = false;   // still up long after the return

private:
    void Look()
    {
        if (!m_injector.Struck())
            return;
        if (back) {
            CloseLeftNotice();
            return;
        }
        if (!m_away.isValid())
            m_away.start();
        if (NoticeOpen() && !noticeSeen) {
            noticeSeen = true;
            m_noticeUp.start();
        }
        const bool noticeUpAWhile = noticeSeen && m_noticeUp.hasExpired(200);
        const bool limit = m_away.hasExpired(kAwayLimitMs);
        if (m_fault == Fault::Unplug) {
            // The user goes on clicking: the program finds the mouse asleep.
            if (!noticeSeen && !m_nudged && m_away.hasExpired(300)) {
                m_nudged = true;
                QTimer::singleShot(0, this, m_clickAgain);
            }
            if (!m_pulled && (noticeUpAWhile || limit)) {
                SimControl::setPlugged(kReceiver, false);
                m_pulled = true;
            }
            if (m_pulled && m_home())
                ComeBack();
            return;
        }
        // With no notice, the program must have settled on pages that show
        // what the mouse holds, well after the change watch's time.
        const bool settled = m_away.hasExpired(2000) && !WaitDialogOpen() && !(g_worker && g_worker->isRunning())
                             && m_pagesShowMouse();
        if (!(noticeSeen ? noticeUpAWhile : settled) && !limit)
            return;
        if (!noticeSeen)
            pagesShowedMouse = m_pagesShowMouse();
        ComeBack();
    }

    void ComeBack()
    {
        back = true;
        SimControl::setPlugged(kReceiver, true);
        SimControl::setMouseOnline(kMouse, true);
    }

    void CloseLeftNotice()
    {
        if (!NoticeOpen()) {
            m_upAfterBack.invalidate();
            return;
        }
        if (!m_upAfterBack.isValid())
            m_upAfterBack.start();
        if (!m_upAfterBack.hasExpired(kLeftOpenMs))
            return;
        noticeLeftOpen = true;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<MouseOffLine*>(widget) && widget->isVisible())
                widget->close();
        }
    }

    const Injector& m_injector;
    const Fault m_fault;
    std::function<bool()> m_pagesShowMouse;
    std::function<bool()> m_home;
    std::function<void()> m_clickAgain;
    bool m_nudged = false;
    bool m_pulled = false;
    QTimer m_timer;
    QElapsedTimer m_away;
    QElapsedTimer m_noticeUp;
    QElapsedTimer m_upAfterBack;
};

// Clicks OK in the factory-reset question when it comes up.
class ResetConfirmer : public QObject {
public:
    ResetConfirmer()
    {
        connect(&m_timer, &QTimer::timeout, this, [] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (widget->inherits("ContainReset") && widget->isVisible())
                    QTimer::singleShot(0, widget->findChild<QToolButton*>(QStringLiteral("OK")), &QToolButton::click);
            }
        });
        m_timer.start(5);
    }

private:
    QTimer m_timer;
};


// One run: the world of one mouse behind one receiver at the devices' own
// pace, the device opened, the flow done with the fault striking after the
// trigger, the mouse's return, and what the user sees meanwhile and after.
class Scenario {
public:
    void Init()
    {
        QDir(UserDataFolder() + QStringLiteral("/Device_Info")).removeRecursively();
        QDir(MacroFolder()).removeRecursively();
        QVERIFY(QDir().mkpath(MacroFolder()));
        m_exportFile = QDir::temp().filePath(QStringLiteral("exported.bin"));
        QFile::remove(m_exportFile);
        ConfigFileDialog::SetAsk([this](QWidget*, ConfigFileDialog::Mode) { return m_exportFile; });
    }

    void Cleanup()
    {
        m_gui.Stop();
        ConfigFileDialog::SetAsk(nullptr);
    }

    // trigger: the library call the fault follows, `calls` calls on.
    void Run(int receiverClass, Flow flow, const QString& trigger, int calls, Fault fault);

private:
    Buttoninterface* ButtonPage() const { return m_gui.DeviceWindow()->ButtonPage(); }
    QWidget* RateFrame() const
    {
        return m_gui.DeviceWindow()->SensorPage()->findChild<QWidget*>(QStringLiteral("frameRate"));
    }
    QAbstractButton* RateButton(int level) const
    {
        return RateFrame()->findChild<QAbstractButton*>(QString::fromLatin1(kRateButtons[level]));
    }
    int RateLevelShown() const
    {
        for (int level = 0; level < 4; ++level) {
            if (RateButton(level)->isChecked())
                return level;
        }
        return -1;
    }
    // The image the pages were filled from, and the polling rate the sensor
    // page shows, are the mouse's.
    bool PagesShowMouse() const
    {
        const QByteArray mouse = SimControl::mouseImage(kMouse);
        return ImageBytes(DeviceImageCopy()) == mouse
               && RateLevelShown() == SensorPageRules::FillRateLevel(quint8(mouse.at(ImageOffset::ReportRate)), false);
    }
    void Do(Flow flow);

    GuiFixture m_gui;
    QString m_exportFile;
};

inline void Scenario::Do(Flow flow)
{
    switch (flow) {
    case Flow::Selection:
        break; // the fault strikes while the device is opened
    case Flow::SettingBurst:
        // Three polling rates in a row, as fast as the user clicks.
        for (int level : {2, 1, 0})
            RateButton(level)->click();
        break;
    case Flow::MacroTransfer: {
        QFile file(MacroFilePath(MacroFolder(), QStringLiteral("Dash")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("1\n0x04 1 0\n10ms\n0x04 1 1\n");
        file.close();
        emit PostMsg::GetInstance()->SigMacroDownLoadData(QStringLiteral("Dash"), 1);
        break;
    }
    case Flow::Import:
        QVERIFY(QMetaObject::invokeMethod(ButtonPage(), "on_ImportData_clicked"));
        break;
    case Flow::Reset: {
        ResetConfirmer confirm;
        QVERIFY(QMetaObject::invokeMethod(ButtonPage(), "on_Reset_clicked"));
        break;
    }
    }
}

inline void Scenario::Run(int receiverClass, Flow flow, const QString& trigger, int calls, Fault fault)
{
    QVERIFY(m_gui.Start(QStringLiteral("[World]\nVid = 0x2FE5\n") + SimWorld::Receiver(kReceiver, receiverClass, 1)
                        + SimWorld::Mouse(kMouse, 1, kReceiver)));
    SimControl::setReportIntervalUs(-1); // each device's own pace: 1 ms a report at 1K
    std::unique_ptr<Injector> injector;
    std::unique_ptr<AwayWatch> watch;
    const auto arm = [&] {
        injector.reset(new Injector(trigger, calls));
        watch.reset(new AwayWatch(
            *injector, fault, [this] { return PagesShowMouse(); }, [this] { return m_gui.MainPageIndex() == 0; },
            [this] { RateButton(3)->click(); }));
    };
    if (flow == Flow::Selection)
        arm(); // the notice may come up while the device is being opened
    QVERIFY(m_gui.OpenDevice(kReceiver, kSettleMs));
    if (flow == Flow::Import) {
        // The file holds the settings the mouse has now; the mouse then
        // changes, so the import is a change.
        QVERIFY(QMetaObject::invokeMethod(ButtonPage(), "on_OutputData_clicked"));
        QVERIFY(QFile::exists(m_exportFile));
        QVERIFY(SetReportRate(2));
        QVERIFY(SimControl::waitWrites());
    }
    if (!injector)
        arm();
    const AwayWatch& away = *watch;

    Do(flow);
    if (QTest::currentTestFailed())
        return;
    QTRY_VERIFY_WITH_TIMEOUT(away.back, kSettleMs);
    if (fault == Fault::Unplug) {
        // The device went from the computer: the program went home, and no
        // notice waits there for it.
        QTRY_VERIFY_WITH_TIMEOUT(m_gui.MainPageIndex() == 0 && !NoticeOpen(), kSettleMs);
        QVERIFY2(!away.noticeLeftOpen, "the offline notice stayed up on the home page");
        return;
    }
    // Whatever the mouse kept of the flow, the user was not left with pages
    // that show something else and no word of it.
    QVERIFY(away.noticeSeen || away.pagesShowedMouse);
    QTRY_VERIFY_WITH_TIMEOUT(!NoticeOpen() && !WaitDialogOpen() && !g_worker->isRunning() && SimControl::waitWrites(0)
                                 && PagesShowMouse(),
                             kSettleMs);
    QVERIFY2(!away.noticeLeftOpen, "the offline notice stayed up after the mouse was back");
    QCOMPARE(m_gui.MainPageIndex(), 1);
}

} // namespace Offline

Q_DECLARE_METATYPE(Offline::Flow)
Q_DECLARE_METATYPE(Offline::Fault)

#endif // OFFLINE_FIXTURE_H
