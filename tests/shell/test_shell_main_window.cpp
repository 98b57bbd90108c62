// The top-level window over the simulated world: page switching and its
// library calls, the ordered quit, the tray, the offline notice, keys,
// dragging and the tray menu's language.
#include "gui_fixture.h"
#include "test_image.h"
#include "window_signals.h"

#include "app_state.h"
#include "device_cache.h"
#include "dialog_change.h"
#include "match.h"
#include "mouse_off_line.h"
#include "registry_values.h"
#include "user_setting_store.h"

#include <native_settings.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace {

template <class T>
QList<T*> TopLevel()
{
    QList<T*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (T* typed = qobject_cast<T*>(widget))
            found << typed;
    }
    return found;
}

void SetLanguage(int index)
{
    UserSettingStore::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"), QString::number(index));
}

QStringList MenuTexts(QMenu* menu)
{
    QStringList texts;
    if (!menu)
        return texts;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator())
            texts << action->text();
    }
    return texts;
}

void SendMouse(QWidget* window, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, window->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(window, &event);
}

} // namespace

class TestShellMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void switchesPagesInLibraryOrder();
    void closeSavesTheImageThenQuitsInOrder();
    void showsOneOfflineNoticeAtATime();
    void keys_data();
    void keys();
    void hidesToTrayAndComesBack();
    void trayRestoresAfterItsOwnEvent_data();
    void trayRestoresAfterItsOwnEvent();
    void trayContextOpensTheMenuWithoutNesting();
    void trayExitShutsDownInOrder_data();
    void trayExitShutsDownInOrder();
    void minimisesWithoutTray_data();
    void minimisesWithoutTray();
    void trayMenuFollowsLanguage_data();
    void trayMenuFollowsLanguage();
    void registryLanguageReachesThePagesFirst();
    void dragsByTheLeftButtonOnly();

private:
    GuiFixture gui;
};

void TestShellMainWindow::init()
{
    SetLanguage(0);
    // Offscreen there is no tray; the window's tray paths run all the same.
    DialogMain::TrayAvailable = [] { return true; };
}

void TestShellMainWindow::cleanup()
{
    gui.Stop();
}

void TestShellMainWindow::switchesPagesInLibraryOrder()
{
    QVERIFY(gui.Start());
    WindowSignals hub;
    // Each signal with the number of library calls logged when it came.
    QStringList callsAt;
    hub.onEvent = [&](const QString& event) {
        callsAt << event + QLatin1Char('@') + QString::number(SimControl::callLog().size());
    };
    QCOMPARE(gui.MainPageIndex(), 0);
    QVERIFY(!g_sendEnabled);

    SimControl::clearCallLog();
    emit PostMsg::GetInstance()->SigChangeMainDialog(1);
    QCOMPARE(gui.MainPageIndex(), 1);
    QVERIFY(g_sendEnabled);
    // The device page's hot-plug callback is registered and scans at once.
    const QStringList opened = LibraryCalls();
    QVERIFY(!opened.isEmpty());
    QCOMPARE(opened.first(), QStringLiteral("StartUsbChanged 600"));
    QVERIFY(opened.contains(QStringLiteral("UsbFinderC_FindHidDevicesByDeviceId 0x2FE5/0x7B04")));

    // Leave the device window on another page: going home brings it back.
    QTest::mouseClick(gui.FindInDeviceWindow<QToolButton>(QStringLiteral("MacroButton")), Qt::LeftButton);
    auto* pages = gui.Find<QStackedWidget>(QStringLiteral("stackedWidgetDialog"));
    QCOMPARE(pages->currentIndex(), 2);

    g_deviceSelected = 1;
    SimControl::clearCallLog();
    callsAt.clear();
    emit PostMsg::GetInstance()->SigChangeMainDialog(0);

    // Both before the library hears anything.
    QCOMPARE(callsAt.filter(QStringLiteral("Page")),
             QStringList({QStringLiteral("SigSecondPageChange@0"), QStringLiteral("SigMainPageChange@0")}));
    // Then the home page's scan, which its hot-plug callback runs at once.
    QCOMPARE(LibraryCalls().mid(0, 2), QStringList({QStringLiteral("UsbServer_Exit"), QStringLiteral("StartUsbChanged 600")}));
    QCOMPARE(g_deviceSelected.load(), 0);
    QCOMPARE(gui.MainPageIndex(), 0);
    QCOMPARE(pages->currentIndex(), 0);
    QVERIFY(gui.FindInDeviceWindow<QToolButton>(QStringLiteral("ButtonMain"))->isChecked());
}

void TestShellMainWindow::closeSavesTheImageThenQuitsInOrder()
{
    // Connected before the window, so it runs before the window reacts.
    WindowSignals hub;
    bool savedBeforeQuit = false;
    int callsBeforeQuit = -1;
    hub.onEvent = [&](const QString& event) {
        if (!event.startsWith(QLatin1String("SigChangeSize")))
            return;
        savedBeforeQuit = QFile::exists(DeviceCachePath(g_cacheNameOnDump));
        callsBeforeQuit = SimControl::callLog().size();
    };
    QVERIFY(gui.Start());
    QVERIFY(gui.OpenDevice(QStringLiteral("aero-r4")));
    QCOMPARE(g_cacheNameOnDump, QStringLiteral("Device_CID17_MID01.bin"));
    const QString cache = DeviceCachePath(g_cacheNameOnDump);
    QFile::remove(cache);
    // Something the mouse never sent, so the file can only come from memory.
    g_deviceImage.lightOffTime = 42;

    SimControl::clearCallLog();
    hub.events.clear();
    QTest::mouseClick(gui.FindInDeviceWindow<QToolButton>(QStringLiteral("CloseButton")), Qt::LeftButton);

    QCOMPARE(hub.events, QStringList({QStringLiteral("SigChangeSize(1)")}));
    QVERIFY(savedBeforeQuit);
    QCOMPARE(callsBeforeQuit, 0);
    QCOMPARE(LibraryCalls({QStringLiteral("UsbServer_SetPCDriverStatus"), QStringLiteral("StopUsbChanged"),
                           QStringLiteral("UsbServer_Exit")}),
             QStringList({QStringLiteral("UsbServer_SetPCDriverStatus 0"), QStringLiteral("StopUsbChanged"),
                          QStringLiteral("UsbServer_Exit")}));
    QVERIFY(!gui.Main()->isVisible());

    FlashDataMap saved;
    QVERIFY(ReadDeviceCache(g_cacheNameOnDump, saved));
    QCOMPARE(saved.lightOffTime, uint8_t(42));
    QCOMPARE(ImageBytes(saved), ImageBytes(g_deviceImage));
}

void TestShellMainWindow::showsOneOfflineNoticeAtATime()
{
    QVERIFY(gui.Start());
    PostMsg* hub = PostMsg::GetInstance();
    int noticesFirst = -1, noticesAfterSecond = -1;
    QString text;
    QTimer::singleShot(0, [&] {
        noticesFirst = TopLevel<MouseOffLine>().size();
        emit hub->SigMouseOffLineo(1); // a second failed send while the notice is up
        noticesAfterSecond = TopLevel<MouseOffLine>().size();
        if (!TopLevel<MouseOffLine>().isEmpty())
            text = TopLevel<MouseOffLine>().first()->findChild<QLabel*>(QStringLiteral("label"))->text();
        emit hub->SigCloseOffOnline(); // the mouse answers again
    });
    emit hub->SigMouseOffLineo(0);

    QCOMPARE(noticesFirst, 1);
    QCOMPARE(noticesAfterSecond, 1);
    QCOMPARE(text, QStringLiteral("The mouse is offline. Please move the mouse to wake it up."));
    QVERIFY(g_waitingForDevice);
    QVERIFY(g_restartNeeded);
    QVERIFY(!MouseOffLine::IsOpen());

    // Once it is closed, the next offline report shows a notice again.
    bool shownAgain = false;
    QTimer::singleShot(0, [&] {
        shownAgain = MouseOffLine::IsOpen();
        emit hub->SigCloseOffOnline();
    });
    emit hub->SigMouseOffLineo(1);
    QVERIFY(shownAgain);
    QCOMPARE(g_offlineNoticeMode.load(), 1);
}

void TestShellMainWindow::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("recording");
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("homeList");
    QTest::addColumn<bool>("pairing");
    QTest::addColumn<bool>("enterSignal");

    const QStringList none;
    const QStringList receiver{QStringLiteral("aero-r4")};
    QTest::newRow("Return") << int(Qt::Key_Return) << false << 0 << none << false << true;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << false << 1 << none << false << true;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << false << 0 << receiver << false << false;
    QTest::newRow("F12") << int(Qt::Key_F12) << false << 1 << none << false << false;
    QTest::newRow("Space, device window") << int(Qt::Key_Space) << false << 1 << none << true << false;
    QTest::newRow("Space, one receiver, no mouse version") << int(Qt::Key_Space) << false << 0 << receiver << true
                                                          << false;
    QTest::newRow("Space, two receivers") << int(Qt::Key_Space) << false << 0
                                          << QStringList{QStringLiteral("aero-r4"), QStringLiteral("lynx-r8")} << false
                                          << false;
    QTest::newRow("Space, one cable mouse") << int(Qt::Key_Space) << false << 0 << QStringList{QStringLiteral("orca")}
                                            << false << false;
    QTest::newRow("Space while recording") << int(Qt::Key_Space) << true << 1 << none << false << false;
    QTest::newRow("Return while recording") << int(Qt::Key_Return) << true << 0 << none << false << false;
}

void TestShellMainWindow::keys()
{
    QFETCH(int, key);
    QFETCH(bool, recording);
    QFETCH(int, page);
    QFETCH(QStringList, homeList);
    QFETCH(bool, pairing);
    QFETCH(bool, enterSignal);

    QVERIFY(gui.Start());
    if (page == 1)
        emit PostMsg::GetInstance()->SigChangeMainDialog(1);
    g_homeDeviceList.clear(); // the home page lists the whole world
    for (const QString& id : homeList)
        g_homeDeviceList << GuiFixture::Record(id);
    g_pairRepairTarget = page == 0; // the opposite of what a pairing route leaves
    g_macroRecording = recording;
    WindowSignals hub;
    SimControl::clearCallLog();

    bool pairingShown = false;
    QTimer::singleShot(0, [&] {
        for (Match* match : TopLevel<Match>()) {
            pairingShown = pairingShown || match->isVisible();
            match->WindowClosedSet();
        }
    });
    QTest::keyClick(gui.Main(), Qt::Key(key));
    QCoreApplication::processEvents();

    QCOMPARE(pairingShown, pairing);
    QCOMPARE(hub.events.contains(QStringLiteral("SigEnterKey")), enterSignal);
    if (pairing) {
        // The device window pairs its own device; home pairs the listed one.
        QCOMPARE(g_pairRepairTarget, page == 1);
        // Closing gives the connection its report callback back.
        QVERIFY(!LibraryCalls({QStringLiteral("UsbServerC_Start")}).isEmpty());
        // The last hot-plug registration belongs to the page that is shown:
        // the device page scans by device id, the home page by default id.
        const QStringList calls = LibraryCalls();
        const int lastStart = calls.lastIndexOf(QStringLiteral("StartUsbChanged 600"));
        QVERIFY(lastStart >= 0 && lastStart + 1 < calls.size());
        const QString scan = page == 1 ? QStringLiteral("UsbFinderC_FindHidDevicesByDeviceId")
                                       : QStringLiteral("UsbFinderC_FindHidDevicesByDefaultDeviceId");
        QVERIFY2(calls.at(lastStart + 1).startsWith(scan), qPrintable(calls.at(lastStart + 1)));
    }
    g_macroRecording = false;
}

void TestShellMainWindow::hidesToTrayAndComesBack()
{
    QVERIFY(gui.Start());
    DialogMain* window = gui.Main();
    PostMsg* hub = PostMsg::GetInstance();

    SimControl::clearCallLog();
    emit hub->SigChangeSize(2); // home page's minimise
    QVERIFY(!window->isVisible());
    QVERIFY(window->TrayIcon()->isVisible());
    QVERIFY(!LibraryCalls().contains(QStringLiteral("UsbServer_SetPCDriverStatus 0")));

    window->on_activatedSysTrayIcon(QSystemTrayIcon::DoubleClick);
    QTRY_VERIFY(window->isVisible());
    QVERIFY(!window->TrayIcon()->isVisible());

    // Hiding again builds a new menu and drops the old one.
    emit hub->SigChangeMainDialog(1);
    SimControl::clearCallLog();
    emit hub->SigChangeSize(0); // device window's minimise
    QCOMPARE(LibraryCalls({QStringLiteral("UsbServer_SetPCDriverStatus")}),
             QStringList{QStringLiteral("UsbServer_SetPCDriverStatus 0")});
    QTRY_COMPARE(window->findChildren<QMenu*>().size(), 1);
    QCOMPARE(window->TrayIcon()->contextMenu(), window->TrayMenu());

    // A double click shows the window without telling the library...
    SimControl::clearCallLog();
    window->on_activatedSysTrayIcon(QSystemTrayIcon::DoubleClick);
    QTRY_VERIFY(window->isVisible());
    QVERIFY(LibraryCalls({QStringLiteral("UsbServer_SetPCDriverStatus")}).isEmpty());

    // ... a single click (or the menu's main entry) tells it the driver is back.
    emit hub->SigChangeSize(0);
    SimControl::clearCallLog();
    window->on_activatedSysTrayIcon(QSystemTrayIcon::Trigger);
    QTRY_VERIFY(window->isVisible());
    QVERIFY(!window->TrayIcon()->isVisible());
    QCOMPARE(LibraryCalls({QStringLiteral("UsbServer_SetPCDriverStatus")}),
             QStringList{QStringLiteral("UsbServer_SetPCDriverStatus 1")});

    emit hub->SigChangeSize(0);
    SimControl::clearCallLog();
    window->TrayMenu()->actions().first()->trigger();
    QTRY_VERIFY(window->isVisible());
    QCOMPARE(LibraryCalls({QStringLiteral("UsbServer_SetPCDriverStatus")}),
             QStringList{QStringLiteral("UsbServer_SetPCDriverStatus 1")});
}

// Hiding the icon from inside its own event (or from the action of its menu,
// run from that event) destroys what is still handling the event: every way
// back leaves the icon alone until the event loop runs again.
void TestShellMainWindow::trayRestoresAfterItsOwnEvent_data()
{
    QTest::addColumn<QString>("entry"); // "menu" or an activation reason
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("driverCalls");
    const QStringList none;
    const QStringList back{QStringLiteral("UsbServer_SetPCDriverStatus 1")};
    QTest::newRow("menu, home page") << "menu" << 0 << none;
    QTest::newRow("menu, device window") << "menu" << 1 << back;
    QTest::newRow("click, home page") << "click" << 0 << none;
    QTest::newRow("click, device window") << "click" << 1 << back;
    QTest::newRow("double click, home page") << "double" << 0 << none;
    QTest::newRow("double click, device window") << "double" << 1 << none;
}

void TestShellMainWindow::trayRestoresAfterItsOwnEvent()
{
    QFETCH(QString, entry);
    QFETCH(int, page);
    QFETCH(QStringList, driverCalls);
    QVERIFY(gui.Start());
    DialogMain* window = gui.Main();
    PostMsg* hub = PostMsg::GetInstance();
    if (page == 1)
        emit hub->SigChangeMainDialog(1);
    emit hub->SigChangeSize(page == 1 ? 0 : 2);
    QVERIFY(!window->isVisible());

    SimControl::clearCallLog();
    // The icon reports through its signal, as the desktop's click does.
    if (entry == QLatin1String("menu"))
        window->TrayMenu()->actions().first()->trigger();
    else
        emit window->TrayIcon()->activated(entry == QLatin1String("click") ? QSystemTrayIcon::Trigger
                                                                           : QSystemTrayIcon::DoubleClick);
    QVERIFY(window->TrayIcon()->isVisible());
    QVERIFY(!window->isVisible());

    QTRY_VERIFY(window->isVisible());
    QVERIFY(!window->TrayIcon()->isVisible());
    QCOMPARE(gui.MainPageIndex(), page);
    QCOMPARE(LibraryCalls({QStringLiteral("UsbServer_SetPCDriverStatus")}), driverCalls);
}

void TestShellMainWindow::trayContextOpensTheMenuWithoutNesting()
{
    QVERIFY(gui.Start());
    DialogMain* window = gui.Main();
    emit PostMsg::GetInstance()->SigChangeSize(2);
    emit PostMsg::GetInstance()->SigChangeSize(2);
    QMenu* menu = window->TrayMenu();
    // Should the menu run in a loop of its own, this ends it.
    QTimer::singleShot(3000, menu, &QMenu::close);
    bool loopRan = false;
    QTimer::singleShot(0, [&loopRan] { loopRan = true; });

    emit window->TrayIcon()->activated(QSystemTrayIcon::Context);
    QVERIFY2(!loopRan, "the menu ran an event loop inside the icon's event");
    QVERIFY(menu->isVisible());
    // Where the icon has already opened its menu, it stays the one menu.
    emit window->TrayIcon()->activated(QSystemTrayIcon::Context);
    QVERIFY(!loopRan);
    const QList<QMenu*> menus = TopLevel<QMenu>();
    QCOMPARE(std::count_if(menus.begin(), menus.end(), [](QMenu* m) { return m->isVisible(); }), 1);

    menu->actions().first()->trigger();
    menu->close();
    QTRY_VERIFY(window->isVisible());
    QVERIFY(!window->TrayIcon()->isVisible());
}

void TestShellMainWindow::trayExitShutsDownInOrder_data()
{
    QTest::addColumn<bool>("deviceWindow");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("home page") << false
                               << QStringList{QStringLiteral("StopUsbChanged"), QStringLiteral("UsbServer_Exit")};
    QTest::newRow("device window") << true
                                   << QStringList{QStringLiteral("UsbServer_SetPCDriverStatus 0"),
                                                  QStringLiteral("StopUsbChanged"), QStringLiteral("UsbServer_Exit")};
}

void TestShellMainWindow::trayExitShutsDownInOrder()
{
    QFETCH(bool, deviceWindow);
    QFETCH(QStringList, calls);
    QVERIFY(gui.Start());
    DialogMain* window = gui.Main();
    QString cache;
    if (deviceWindow) {
        QVERIFY(gui.OpenDevice(QStringLiteral("aero-r4")));
        cache = DeviceCachePath(CacheNameOnDump());
        QFile::remove(cache);
        g_deviceImage.lightOffTime = 42; // never sent by the mouse
    }
    emit PostMsg::GetInstance()->SigChangeSize(deviceWindow ? 0 : 2);

    SimControl::clearCallLog();
    window->TrayMenu()->actions().last()->trigger();
    QTRY_VERIFY(LibraryCalls().contains(QStringLiteral("UsbServer_Exit")));
    QCOMPARE(LibraryCalls({QStringLiteral("UsbServer_SetPCDriverStatus"), QStringLiteral("StopUsbChanged"),
                           QStringLiteral("UsbServer_Exit")}),
             calls);
    QVERIFY(!window->isVisible());
    QVERIFY(!window->TrayIcon()->isVisible());
    if (deviceWindow) {
        FlashDataMap saved;
        QVERIFY(ReadDeviceCache(CacheNameOnDump(), saved));
        QCOMPARE(saved.lightOffTime, uint8_t(42));
    }
}

// Without a tray the window is minimised, never hidden where nothing could
// bring it back.
void TestShellMainWindow::minimisesWithoutTray_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("home page") << 2;
    QTest::newRow("device window") << 0;
}

void TestShellMainWindow::minimisesWithoutTray()
{
    QFETCH(int, index);
    DialogMain::TrayAvailable = &QSystemTrayIcon::isSystemTrayAvailable;
    QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
    QVERIFY(gui.Start());
    DialogMain* window = gui.Main();
    if (index == 0)
        emit PostMsg::GetInstance()->SigChangeMainDialog(1);
    SimControl::clearCallLog();
    emit PostMsg::GetInstance()->SigChangeSize(index);
    QVERIFY(window->isVisible());
    QVERIFY(window->isMinimized());
    QVERIFY(!window->TrayIcon()->isVisible());
    QVERIFY(LibraryCalls({QStringLiteral("UsbServer_SetPCDriverStatus")}).isEmpty());
}

void TestShellMainWindow::trayMenuFollowsLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("English") << 0 << QStringList{QStringLiteral("Open Quorix One"), QStringLiteral("Exit")};
    QTest::newRow("Russian") << 1 << QStringList{QStringLiteral("Открыть Quorix One"), QStringLiteral("Выход")};
    QTest::newRow("Traditional Chinese") << 2 << QStringList{QStringLiteral("開啟主介面"), QStringLiteral("退出")};
    QTest::newRow("Korean") << 3 << QStringList{QStringLiteral("메인 화면 열기"), QStringLiteral("종료")};
    QTest::newRow("index 4 is English") << 4 << QStringList{QStringLiteral("Open Quorix One"), QStringLiteral("Exit")};
    QTest::newRow("Japanese") << 5 << QStringList{QStringLiteral("メイン画面を開く"), QStringLiteral("終了")};
}

void TestShellMainWindow::trayMenuFollowsLanguage()
{
    QFETCH(int, language);
    QFETCH(QStringList, texts);
    QVERIFY(gui.Start());
    emit PostMsg::GetInstance()->SigChangeLanguage(language);
    emit PostMsg::GetInstance()->SigChangeSize(2);
    QCOMPARE(MenuTexts(gui.Main()->TrayMenu()), texts);
}

void TestShellMainWindow::registryLanguageReachesThePagesFirst()
{
    NativeSettings(ApplicationKeyPath()).SetValue(QStringLiteral("LanguageIndex"), 3);
    QVERIFY(gui.Start());
    QCOMPARE(UserSettingStore::Instance()->LanguageIndex(), 3);
    QVERIFY(!NativeSettings(ApplicationKeyPath()).Contains(QStringLiteral("LanguageIndex")));
    emit PostMsg::GetInstance()->SigChangeSize(2);
    QCOMPARE(MenuTexts(gui.Main()->TrayMenu()), (QStringList{QStringLiteral("메인 화면 열기"), QStringLiteral("종료")}));
}

void TestShellMainWindow::dragsByTheLeftButtonOnly()
{
    QVERIFY(gui.Start());
    DialogMain* window = gui.Main();
    window->move(100, 80);
    const QPoint start = window->pos();

    // Pressed inside, moved with the left button: the window follows.
    SendMouse(window, QEvent::MouseButtonPress, start + QPoint(300, 40), Qt::LeftButton, Qt::LeftButton);
    SendMouse(window, QEvent::MouseMove, start + QPoint(330, 60), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(window->pos(), start + QPoint(30, 20));
    SendMouse(window, QEvent::MouseButtonRelease, start + QPoint(330, 60), Qt::LeftButton, Qt::NoButton);

    // After the release, or with another button, moving does nothing.
    const QPoint moved = window->pos();
    SendMouse(window, QEvent::MouseMove, moved + QPoint(400, 100), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(window->pos(), moved);
    SendMouse(window, QEvent::MouseButtonPress, moved + QPoint(300, 40), Qt::RightButton, Qt::RightButton);
    SendMouse(window, QEvent::MouseMove, moved + QPoint(350, 90), Qt::NoButton, Qt::RightButton);
    QCOMPARE(window->pos(), moved);
    SendMouse(window, QEvent::MouseButtonRelease, moved + QPoint(350, 90), Qt::RightButton, Qt::NoButton);

    // Pressed at the window's very corner, the offset is (0, 0): no drag.
    SendMouse(window, QEvent::MouseButtonPress, moved, Qt::LeftButton, Qt::LeftButton);
    SendMouse(window, QEvent::MouseMove, moved + QPoint(50, 50), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(window->pos(), moved);
}

QTEST_MAIN(TestShellMainWindow)
#include "test_shell_main_window.moc"
