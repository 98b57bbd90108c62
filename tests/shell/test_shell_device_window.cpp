// The device window frame: page buttons, battery display, recording lock,
// the waiting dialog's reconnect flag, the back button, and stopping the
// connection when the window goes.
#include "cache_name_rewrite.h"
#include "gui_fixture.h"
#include "report_thread.h"
#include "window_closer.h"
#include "window_signals.h"
#include "world_text.h"

#include "app_state.h"
#include "buttoninterface.h"
#include "device_cache.h"
#include "dialog.h"
#include "form_setting.h"
#include "macro.h"
#include "match.h"
#include "mouse_off_line.h"
#include "sensor_page.h"
#include "up_data_param.h"
#include "worker.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

const QStringList kPageButtons{QStringLiteral("ButtonMain"), QStringLiteral("SensorButton"),
                               QStringLiteral("LightsButton"), QStringLiteral("MacroButton"),
                               QStringLiteral("FormSetting")};

// Counts the key presses that reach a window.
class KeyCounter : public QObject {
public:
    int presses = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress)
            ++presses;
        return false;
    }
};

// The panel the pages sit on, drawn by the window's background picture:
// a 1-pixel border with corners of radius 10.
const QRect kPagePanel(144, 100, 866, 590);
const int kPanelCorner = 10;

QRect RectIn(QWidget* window, QWidget* widget)
{
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

} // namespace

class TestShellDeviceWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void pageButtonsShowTheirPages();
    void settingsPageStaysInsideThePanel();
    void batteryDisplay_data();
    void batteryDisplay();
    void anotherMouseShowsNoBatteryUntilItReports();
    void recordingLocksThePageButtons();
    void onlyAReconnectionWaitsForThePages();
    void backButtonSavesAndGoesHomeInOrder();
    void savesUnderTheNameOfTheLastDump_data();
    void savesUnderTheNameOfTheLastDump();
    void escapeStaysSpaceGoesUp();
    void closingStopsTheConnection_data();
    void closingStopsTheConnection();

private:
    GuiFixture gui;
};

void TestShellDeviceWindow::init()
{
    QVERIFY(gui.Start());
    emit PostMsg::GetInstance()->SigChangeMainDialog(1);
}

void TestShellDeviceWindow::cleanup()
{
    gui.Stop();
}

void TestShellDeviceWindow::pageButtonsShowTheirPages()
{
    Dialog* frame = gui.DeviceWindow();
    auto* pages = gui.FindInDeviceWindow<QStackedWidget>(QStringLiteral("stackedWidgetDialog"));
    QCOMPARE(pages->count(), 4);
    QCOMPARE(pages->widget(0), static_cast<QWidget*>(frame->ButtonPage()));
    QCOMPARE(pages->widget(1), static_cast<QWidget*>(frame->SensorPage()));
    QCOMPARE(pages->widget(2), static_cast<QWidget*>(frame->MacroPage()));
    QCOMPARE(pages->widget(3), static_cast<QWidget*>(frame->SettingsPage()));
    QCOMPARE(pages->currentIndex(), 0);
    QVERIFY(gui.FindInDeviceWindow<QToolButton>(QStringLiteral("ButtonMain"))->isChecked());
    QVERIFY(!gui.FindInDeviceWindow<QToolButton>(QStringLiteral("LightsButton"))->isVisible());

    WindowSignals hub;
    const QList<QPair<QString, int>> clicks{{QStringLiteral("SensorButton"), 1}, {QStringLiteral("MacroButton"), 2},
                                            {QStringLiteral("FormSetting"), 3}, {QStringLiteral("ButtonMain"), 0}};
    for (const auto& click : clicks) {
        auto* button = gui.FindInDeviceWindow<QToolButton>(click.first);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(pages->currentIndex(), click.second);
        QVERIFY(button->isChecked());
    }
    // Only the button page asks for its macro list again.
    QCOMPARE(hub.events, QStringList{QStringLiteral("SigAddMacroButton")});
}

// The settings page scrolls inside the panel: its scroll bar clear of the
// border and the rounded corners, its last rows above the panel's bottom,
// and no content beyond the visible width.
void TestShellDeviceWindow::settingsPageStaysInsideThePanel()
{
    Dialog* frame = gui.DeviceWindow();
    QTest::mouseClick(gui.FindInDeviceWindow<QToolButton>(QStringLiteral("FormSetting")), Qt::LeftButton);
    auto* area = gui.FindInDeviceWindow<QScrollArea>(QStringLiteral("scrollArea"));
    QTRY_VERIFY(area->verticalScrollBar()->isVisible());

    const QRect inside = kPagePanel.adjusted(1, 1, -1, -1);
    const QRect areaRect = RectIn(frame, area);
    QVERIFY2(inside.contains(areaRect), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(areaRect.x()).arg(areaRect.y())
                                                       .arg(areaRect.width()).arg(areaRect.height())));
    // The window shows of the page what its stack holds.
    const QRect stackRect = RectIn(frame, gui.FindInDeviceWindow<QWidget>(QStringLiteral("stackedWidgetDialog")));
    QVERIFY(stackRect.contains(areaRect));

    // The bar is drawn between its 25-pixel end margins.
    const QRect bar = RectIn(frame, area->verticalScrollBar()).adjusted(0, 25, 0, -25);
    QVERIFY(inside.adjusted(0, kPanelCorner, 0, -kPanelCorner).contains(bar));

    const int visibleWidth = area->viewport()->width();
    for (QWidget* child : area->widget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!child->isHidden())
            QVERIFY2(child->geometry().right() < visibleWidth, qPrintable(child->objectName()));
    }
}

void TestShellDeviceWindow::batteryDisplay_data()
{
    QTest::addColumn<bool>("charging");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("percentSign");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("chunk");
    const QString red = QStringLiteral("rgb(152, 43, 34)");
    const QString green = QStringLiteral("rgb(0, 255, 153)");
    QTest::newRow("15, not charging") << false << 15 << true << QStringLiteral("15%") << red;
    QTest::newRow("16, charging, no sign") << true << 16 << false << QStringLiteral("16") << green;
    QTest::newRow("empty") << false << 0 << true << QStringLiteral("0%") << red;
    QTest::newRow("full, charging") << true << 100 << true << QStringLiteral("100%") << green;
}

void TestShellDeviceWindow::batteryDisplay()
{
    QFETCH(bool, charging);
    QFETCH(int, level);
    QFETCH(bool, percentSign);
    QFETCH(QString, text);
    QFETCH(QString, chunk);

    // The report thread sends it and waits until the window has shown it.
    QVERIFY(EmitFromReportThread([&] { emit PostMsg::GetInstance()->SigBattery(charging, level, percentSign); }));

    QCOMPARE(gui.FindInDeviceWindow<QLabel>(QStringLiteral("label"))->isVisible(), charging);
    auto* bar = gui.FindInDeviceWindow<QProgressBar>(QStringLiteral("progressBar"));
    QCOMPARE(bar->value(), level);
    QVERIFY2(bar->styleSheet().contains(QStringLiteral("::chunk {background-color: ") + chunk), qPrintable(bar->styleSheet()));
    QCOMPARE(gui.FindInDeviceWindow<QLabel>(QStringLiteral("label_2"))->text(), text);
}

// A mouse that sleeps when it is opened reports no battery for a while; the
// window must not go on showing the mouse opened before it.
void TestShellDeviceWindow::anotherMouseShowsNoBatteryUntilItReports()
{
    QVERIFY(gui.Start(SimWorld::Receiver(QStringLiteral("r1"), 4, 1)
                      + SimWorld::Mouse(QStringLiteral("low"), 1, QStringLiteral("r1"), QStringLiteral("Battery = 15\nCharging = true"))
                      + SimWorld::Receiver(QStringLiteral("r2"), 4, 2)
                      + SimWorld::Mouse(QStringLiteral("asleep"), 2, QStringLiteral("r2"), QStringLiteral("Battery = 80\nAwake = false"))));
    auto* charging = gui.FindInDeviceWindow<QLabel>(QStringLiteral("label"));
    auto* bar = gui.FindInDeviceWindow<QProgressBar>(QStringLiteral("progressBar"));
    auto* text = gui.FindInDeviceWindow<QLabel>(QStringLiteral("label_2"));
    const int builtLevel = bar->value();
    const QString builtText = text->text();
    const QString builtStyle = bar->styleSheet();
    QVERIFY(charging->isHidden());

    WindowCloser<MouseOffLine> offlineNotices;
    QVERIFY(gui.OpenDevice(QStringLiteral("r1")));
    QTRY_COMPARE(text->text(), QStringLiteral("15%"));
    QVERIFY(!charging->isHidden());

    QTest::mouseClick(gui.FindInDeviceWindow<QToolButton>(QStringLiteral("UpArrow")), Qt::LeftButton);
    QTRY_COMPARE(gui.MainPageIndex(), 0);
    QVERIFY(gui.OpenDevice(QStringLiteral("r2")));
    QVERIFY(charging->isHidden());
    QCOMPARE(bar->value(), builtLevel);
    QCOMPARE(text->text(), builtText);
    QCOMPARE(bar->styleSheet(), builtStyle);

    // Awake, it reports, and the window shows its own battery.
    QVERIFY(SimControl::setMouseAwake(QStringLiteral("asleep"), true));
    QTRY_COMPARE_WITH_TIMEOUT(text->text(), QStringLiteral("80%"), 15000);
    QVERIFY(charging->isHidden());
}

void TestShellDeviceWindow::recordingLocksThePageButtons()
{
    PostMsg* hub = PostMsg::GetInstance();
    auto enabled = [this](const QString& name) { return gui.FindInDeviceWindow<QToolButton>(name)->isEnabled(); };

    emit hub->SigStartRecord(0);
    for (const QString& name : kPageButtons)
        QVERIFY2(!enabled(name), qPrintable(name));
    for (const QString& name : {QStringLiteral("UpArrow"), QStringLiteral("MinButton"), QStringLiteral("CloseButton")})
        QVERIFY2(enabled(name), qPrintable(name));

    emit hub->SigStartRecord(7); // not a recording state: nothing changes
    QVERIFY(!enabled(QStringLiteral("SensorButton")));

    emit hub->SigStartRecord(1);
    for (const QString& name : kPageButtons)
        QVERIFY2(enabled(name), qPrintable(name));
}

void TestShellDeviceWindow::onlyAReconnectionWaitsForThePages()
{
    UpDataParam* waiting = gui.DeviceWindow()->ImportDialog();
    QVERIFY(waiting);
    PostMsg* hub = PostMsg::GetInstance();

    // Looks at the dialog while it runs, then ends the run (and its timer).
    auto inspect = [waiting](bool* shown, bool* waits) {
        QTimer::singleShot(0, waiting, [=] {
            *shown = waiting->isVisible();
            *waits = waiting->waitForPages;
            waiting->findChild<QTimer*>()->stop();
            waiting->reject();
        });
    };
    bool shown = false, waits = false;
    inspect(&shown, &waits);
    emit hub->SigUpDataParam(1);
    QVERIFY(shown);
    QVERIFY(waits);

    inspect(&shown, &waits);
    emit hub->SigUpDataParam(0);
    QVERIFY(shown);
    QVERIFY(!waits);

    // A signal while the dialog is up restarts its count and opens nothing more.
    QTimer::singleShot(0, waiting, [&] {
        emit hub->SigUpDataParam(1); // returns at once: the dialog is up
        waits = waiting->waitForPages;
        shown = waiting->findChild<QTimer*>()->isActive();
        waiting->findChild<QTimer*>()->stop();
        waiting->reject();
    });
    emit hub->SigUpDataParam(0);
    QVERIFY(waits);
    QVERIFY(shown);
}

void TestShellDeviceWindow::backButtonSavesAndGoesHomeInOrder()
{
    g_cacheNameOnDump = QStringLiteral("Device_CID17_MID01.bin");
    const QString cache = DeviceCachePath(g_cacheNameOnDump);
    QFile::remove(cache);
    g_deviceImage.debounceTime = 9;
    QTest::mouseClick(gui.FindInDeviceWindow<QToolButton>(QStringLiteral("MacroButton")), Qt::LeftButton);

    WindowSignals hub;
    SimControl::clearCallLog();
    QTest::mouseClick(gui.FindInDeviceWindow<QToolButton>(QStringLiteral("UpArrow")), Qt::LeftButton);

    FlashDataMap saved;
    QVERIFY(ReadDeviceCache(g_cacheNameOnDump, saved));
    QCOMPARE(saved.debounceTime, uint8_t(9));
    QCOMPARE(LibraryCalls({QStringLiteral("UsbServer_SetPCDriverStatus"), QStringLiteral("UsbServer_Exit"),
                           QStringLiteral("StartUsbChanged")}),
             QStringList({QStringLiteral("UsbServer_SetPCDriverStatus 0"), QStringLiteral("UsbServer_Exit"),
                          QStringLiteral("UsbServer_Exit"), QStringLiteral("StartUsbChanged 600")}));
    // The window goes home first; the macro page is reset after.
    const QStringList names = hub.events;
    QVERIFY(names.contains(QStringLiteral("SigChangeMainDialog(0)")));
    QCOMPARE(names.last(), QStringLiteral("SigSetMacroPage"));
    QCOMPARE(gui.MainPageIndex(), 0);
    QVERIFY(gui.FindInDeviceWindow<QToolButton>(QStringLiteral("ButtonMain"))->isChecked());
}

// The report thread rewrites the name under its lock; the saves wait for it.
void TestShellDeviceWindow::savesUnderTheNameOfTheLastDump_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("back") << "UpArrow";
    QTest::newRow("close") << "CloseButton";
}

void TestShellDeviceWindow::savesUnderTheNameOfTheLastDump()
{
    QFETCH(QString, button);
    const QString interim = QStringLiteral("Device_CID17_MID05.bin");
    const QString final = QStringLiteral("Device_CID17_MID01.bin");
    QFile::remove(DeviceCachePath(interim));
    QFile::remove(DeviceCachePath(final));
    {
        CacheNameRewrite rewrite(interim, final);
        QTest::mouseClick(gui.FindInDeviceWindow<QToolButton>(button), Qt::LeftButton);
    }
    QVERIFY(QFile::exists(DeviceCachePath(final)));
    QVERIFY(!QFile::exists(DeviceCachePath(interim)));
}

void TestShellDeviceWindow::escapeStaysSpaceGoesUp()
{
    KeyCounter counter;
    gui.Main()->installEventFilter(&counter);
    QTest::keyClick(gui.DeviceWindow(), Qt::Key_Escape);
    QTest::keyClick(gui.DeviceWindow(), Qt::Key_F12);
    QCOMPARE(counter.presses, 0);

    // Space is the top-level window's: it opens the pairing dialog.
    bool pairing = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* match = qobject_cast<Match*>(widget)) {
                pairing = match->isVisible();
                match->WindowClosedSet();
            }
        }
    });
    QTest::keyClick(gui.DeviceWindow(), Qt::Key_Space);
    QCOMPARE(counter.presses, 1);
    QVERIFY(pairing);
    gui.Main()->removeEventFilter(&counter);
}

void TestShellDeviceWindow::closingStopsTheConnection_data()
{
    QTest::addColumn<bool>("mouseOnline");
    QTest::newRow("pass done, reconnection queued") << true;
    QTest::newRow("pass waiting for the pages") << false;
}

void TestShellDeviceWindow::closingStopsTheConnection()
{
    QFETCH(bool, mouseOnline);
    const DeviceAllInfo record = GuiFixture::Record(QStringLiteral("aero-r4"));
    if (!mouseOnline) {
        // Offline with a cached image: the pass hands the cache to the pages
        // and waits for them.
        FlashDataMap cached;
        cached.dpiStageCount = 4;
        QVERIFY(WriteDeviceCache(DeviceCacheName(record.cid, record.mid), cached));
        SimControl::setMouseOnline(QStringLiteral("aero"), false);
    }
    PostMsg* hub = PostMsg::GetInstance();
    emit hub->SigSelectMouseInfo(record);
    emit hub->SigChangeMainDialog(1);
    WindowSignals recorder;
    g_workerRun = true;
    g_deviceSelected = 1;
    g_worker->start();
    if (mouseOnline)
        QVERIFY(g_worker->wait(10000)); // its SigUpDataParam waits in the queue

    gui.Stop(); // nothing runs the event loop meanwhile

    QVERIFY(!g_worker);
    QVERIFY(LibraryCalls().contains(QStringLiteral("StopUsbChanged")));
    // The waiting dialog never ran during shutdown.
    QVERIFY2(!recorder.events.contains(QStringLiteral("SigSetver(4)")), qPrintable(recorder.events.join(' ')));
}

QTEST_MAIN(TestShellDeviceWindow)
#include "test_shell_device_window.moc"
