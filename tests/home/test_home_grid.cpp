// The device grid of the home page over the simulated world: layout and
// paging, markers and badges, the duplicate notice, the wired-over-wireless
// rule, the refresh on pointer entry, language changes, and rebuilds that
// arrive while one is running.
#include "home_fixture.h"

#include "mytoolbuttonenter.h"
#include "user_setting_store.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace home;

namespace {

// Receivers of distinct kinds and models, so none of them is a duplicate.
QString DistinctReceivers(int count)
{
    const int classes[] = {1, 2, 4, 8, 1, 2, 4, 8};
    QString world;
    for (int i = 0; i < count; ++i)
        world += Receiver(QStringLiteral("r%1").arg(i), classes[i], 1 + i / 4);
    return world;
}

} // namespace

class TestHomeGrid : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void layout_data();
    void layout();
    void pagingThroughThreePages();
    void markersAndBadges();
    void duplicates_data();
    void duplicates();
    void cableHidesItsModelsReceivers();
    void hotplugRebuildsTheGrid();
    void pointerEntryShowsTheCurrentState();
    void languageChangeRelabels();
    void hotplugDuringTheNoticeWaits();
    void staleIndexesAreIgnored();

private:
    DialogChange* Page() const { return m_page.get(); }
    void StartPage(const QString& world);
    template <class T>
    T* Find(const QString& name) const
    {
        return m_page->findChild<T*>(name);
    }
    QStackedWidget* Stack() const { return Find<QStackedWidget>(QStringLiteral("stackedWidget")); }

    std::unique_ptr<DialogChange> m_page;
};

void TestHomeGrid::init()
{
    UserSettingStore::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"), QStringLiteral("0"));
}

void TestHomeGrid::cleanup()
{
    m_page.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A watcher made before this call answers the notices of the first rebuild,
// which runs inside the page's constructor.
void TestHomeGrid::StartPage(const QString& world)
{
    QVERIFY(LoadWorld(world));
    m_page.reset(new DialogChange);
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
}

void TestHomeGrid::layout_data()
{
    QTest::addColumn<int>("devices");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QList<int>>("buttonX");
    QTest::addColumn<QList<int>>("markerX");

    QTest::newRow("none") << 0 << 0 << QList<int>() << QList<int>();
    QTest::newRow("1") << 1 << 1 << QList<int>{305} << QList<int>{530};
    QTest::newRow("3") << 3 << 1 << QList<int>{0, 300, 600} << QList<int>{225, 525, 825};
    QTest::newRow("4") << 4 << 2 << QList<int>{0, 300, 600, 305} << QList<int>{225, 525, 825, 530};
    QTest::newRow("5") << 5 << 2 << QList<int>{0, 300, 600, 135, 445} << QList<int>{225, 525, 825, 360, 665};
    QTest::newRow("7") << 7 << 3 << QList<int>{0, 300, 600, 0, 300, 600, 305}
                       << QList<int>{225, 525, 825, 225, 525, 825, 530};
}

void TestHomeGrid::layout()
{
    QFETCH(int, devices);
    QFETCH(int, pages);
    QFETCH(QList<int>, buttonX);
    QFETCH(QList<int>, markerX);

    StartPage(DistinctReceivers(devices));
    QStackedWidget* stack = Stack();
    QCOMPARE(stack->count(), pages);
    QCOMPARE(g_deviceButtons.size(), devices);
    QCOMPARE(g_offlineMarkers.size(), devices);
    QCOMPARE(g_onlineMarkers.size(), devices);

    for (int i = 0; i < devices; ++i) {
        mytoolButtonEnter* button = g_deviceButtons.at(i);
        QCOMPARE(button->objectName(), QStringLiteral("btn%1").arg(i));
        QCOMPARE(GridPageOf(button, stack), i / 3);
        QCOMPARE(button->pos(), QPoint(buttonX.at(i), 0));
        QCOMPARE(button->size(), QSize(284, 360));
        QCOMPARE(g_offlineMarkers.at(i)->objectName(), QStringLiteral("label%1").arg(i));
        QCOMPARE(g_offlineMarkers.at(i)->pos(), QPoint(markerX.at(i), 20));
        QCOMPARE(g_onlineMarkers.at(i)->objectName(), QStringLiteral("UsbWifi%1").arg(i));
        QCOMPARE(g_onlineMarkers.at(i)->pos(), QPoint(markerX.at(i), 20));
    }

    QCOMPARE(stack->currentIndex(), pages > 0 ? 0 : -1);
    QCOMPARE(Find<QLabel>(QStringLiteral("label_2"))->isVisible(), devices == 0);
    QCOMPARE(Find<QLabel>(QStringLiteral("label_3"))->isVisible(), devices > 0);
    QCOMPARE(Find<QToolButton>(QStringLiteral("RightButton"))->isVisible(), devices > 3);
    QVERIFY(!Find<QToolButton>(QStringLiteral("LeftButton"))->isVisible());
}

void TestHomeGrid::pagingThroughThreePages()
{
    StartPage(DistinctReceivers(7));
    QStackedWidget* stack = Stack();
    auto* left = Find<QToolButton>(QStringLiteral("LeftButton"));
    auto* right = Find<QToolButton>(QStringLiteral("RightButton"));

    struct Step {
        QToolButton* arrow;
        int page;
        bool leftShown;
        bool rightShown;
    };
    const Step steps[] = {
        {right, 1, false, true},
        {right, 2, true, false},
        {left, 1, true, false},
        {left, 0, false, true},
    };
    for (const Step& step : steps) {
        QTest::mouseClick(step.arrow, Qt::LeftButton);
        QCOMPARE(stack->currentIndex(), step.page);
        QCOMPARE(left->isVisible(), step.leftShown);
        QCOMPARE(right->isVisible(), step.rightShown);
        QVERIFY(!Find<QLabel>(QStringLiteral("label_2"))->isVisible());
        QVERIFY(Find<QLabel>(QStringLiteral("label_3"))->isVisible());
    }
}

void TestHomeGrid::markersAndBadges()
{
    // A receiver with its mouse, one without, a cable mouse, and a receiver
    // found under the cable's product id (in no receiver list).
    StartPage(Receiver(QStringLiteral("r4"), 4, 1) + Mouse(QStringLiteral("aero"), 1, QStringLiteral("r4"))
              + Receiver(QStringLiteral("r8"), 8, 2) + Mouse(QStringLiteral("orca"), 3, QString())
              + Receiver(QStringLiteral("odd"), 1, 4, QStringLiteral("Pid = 0x7A01")));
    QCOMPARE(g_homeDeviceList.size(), 4);

    struct Expected {
        const char* id;
        bool online;
        const char* marker;
        const char* picture;
    };
    const Expected expected[] = {
        {"orca", true, "OnLineUsb.png", "OnLine0.png"},
        {"odd", false, "OnLineWifi.png", "DisOnlin0.png"},
        {"r4", true, "OnLineWifi.png", "OnLine0.png"},
        {"r8", false, "OnLineWifi.png", "DisOnlin0.png"},
    };
    for (const Expected& device : expected) {
        const QString id = QLatin1String(device.id);
        mytoolButtonEnter* button = ButtonOf(id);
        QVERIFY2(button, device.id);
        const int i = g_deviceButtons.indexOf(button);
        QCOMPARE(g_homeDeviceList.at(i).online, device.online);
        QVERIFY(button->styleSheet().contains(QLatin1String(device.picture)));
        QCOMPARE(!g_onlineMarkers.at(i)->isHidden(), device.online);
        QCOMPARE(!g_offlineMarkers.at(i)->isHidden(), !device.online);
        QVERIFY(g_onlineMarkers.at(i)->styleSheet().contains(QLatin1String(device.marker)));
        QCOMPARE(g_offlineMarkers.at(i)->toolTip(),
                 QStringLiteral("The mouse is not connected.\nMove the mouse or press a button to wake it up."));
    }

    // Badges for the two listed receivers only, in the 4K and 8K pictures.
    QCOMPARE(g_rateBadges.size(), 2);
    QStringList badges;
    for (QLabel* badge : qAsConst(g_rateBadges))
        badges << badge->styleSheet().section(QLatin1Char('/'), -1);
    QCOMPARE(badges, (QStringList{QStringLiteral("4KHz.png);}"), QStringLiteral("8KHz.png);}")}));
    // The last page's single entry: its online marker carries the tooltip too.
    QCOMPARE(g_onlineMarkers.at(3)->toolTip(), g_offlineMarkers.at(3)->toolTip());
    QVERIFY(g_onlineMarkers.at(0)->toolTip().isEmpty());
}

void TestHomeGrid::duplicates_data()
{
    QTest::addColumn<QString>("world");
    QTest::addColumn<bool>("notice");
    QTest::addColumn<int>("buttons");

    QTest::newRow("two 1K receivers of one model")
        << Receiver(QStringLiteral("a"), 1, 1) + Receiver(QStringLiteral("b"), 1, 1) << true << 0;
    QTest::newRow("1K and 4K receiver of one model")
        << Receiver(QStringLiteral("a"), 1, 1) + Receiver(QStringLiteral("b"), 4, 1) << false << 2;
    QTest::newRow("two cables and a receiver of one model")
        << Mouse(QStringLiteral("m1"), 3, QString()) + Mouse(QStringLiteral("m2"), 3, QString())
               + Receiver(QStringLiteral("r"), 4, 3)
        << true << 0;
    QTest::newRow("two unrecognised receivers")
        << Receiver(QStringLiteral("a"), 4, 1, QString(), 99) + Receiver(QStringLiteral("b"), 4, 2, QString(), 98)
        << true << 0;
}

void TestHomeGrid::duplicates()
{
    QFETCH(QString, world);
    QFETCH(bool, notice);
    QFETCH(int, buttons);

    DialogWatcher watcher;
    StartPage(world);
    QCOMPARE(watcher.seen, notice ? QStringList{QStringLiteral("QuestiondialogB")} : QStringList());
    QCOMPARE(g_deviceButtons.size(), buttons);
    QCOMPARE(Stack()->count(), buttons > 0 ? 1 : 0);
    QCOMPARE(Find<QLabel>(QStringLiteral("label_2"))->isVisible(), notice);
    QCOMPARE(Find<QLabel>(QStringLiteral("label_3"))->isVisible(), !notice);
    // No grid, but the lists keep what was found.
    QCOMPARE(g_homeDeviceList.size(), g_foundDeviceList.size());
}

void TestHomeGrid::cableHidesItsModelsReceivers()
{
    // Orca on its cable and through a receiver, and a Lynx receiver.
    StartPage(Receiver(QStringLiteral("orca-r"), 4, 3) + Mouse(QStringLiteral("orca"), 3, QStringLiteral("orca-r"),
                                                               QStringLiteral("OnCable = true"))
              + Receiver(QStringLiteral("lynx-r"), 8, 2));
    QCOMPARE(g_foundDeviceList.size(), 3);
    QCOMPARE(g_homeDeviceList.size(), 2);
    QVERIFY(ButtonOf(QStringLiteral("orca")));
    QVERIFY(ButtonOf(QStringLiteral("lynx-r")));
    QVERIFY(!ButtonOf(QStringLiteral("orca-r")));
    QCOMPARE(g_deviceButtons.size(), 2);
}

void TestHomeGrid::hotplugRebuildsTheGrid()
{
    StartPage(Receiver(QStringLiteral("aero-r4"), 4, 1) + Mouse(QStringLiteral("aero"), 1, QStringLiteral("aero-r4"))
              + Receiver(QStringLiteral("lynx-r8"), 8, 2));
    auto shown = [] {
        QStringList ids;
        for (const char* id : {"aero", "aero-r4", "lynx-r8"}) {
            if (ButtonOf(QLatin1String(id)))
                ids << QLatin1String(id);
        }
        return ids;
    };
    QCOMPARE(shown(), (QStringList{QStringLiteral("aero-r4"), QStringLiteral("lynx-r8")}));

    // The Aero on its cable takes the place of its receiver, and gives it
    // back when unplugged.
    QVERIFY(SimControl::setPlugged(QStringLiteral("aero"), true));
    QVERIFY(SimControl::waitIdle());
    QCOMPARE(shown(), (QStringList{QStringLiteral("aero"), QStringLiteral("lynx-r8")}));
    QVERIFY(ButtonOf(QStringLiteral("aero"))->styleSheet().contains(QStringLiteral("OnLine0.png")));
    QVERIFY(g_onlineMarkers.at(0)->styleSheet().contains(QStringLiteral("OnLineUsb.png")));

    QVERIFY(SimControl::setPlugged(QStringLiteral("aero"), false));
    QVERIFY(SimControl::waitIdle());
    QCOMPARE(shown(), (QStringList{QStringLiteral("aero-r4"), QStringLiteral("lynx-r8")}));

    QVERIFY(SimControl::setPlugged(QStringLiteral("lynx-r8"), false));
    QVERIFY(SimControl::waitIdle());
    QCOMPARE(shown(), QStringList{QStringLiteral("aero-r4")});
    QCOMPARE(g_deviceButtons.first()->pos(), QPoint(305, 0));

    QVERIFY(SimControl::setPlugged(QStringLiteral("aero-r4"), false));
    QVERIFY(SimControl::waitIdle());
    QVERIFY(g_deviceButtons.isEmpty());
    QVERIFY(Find<QLabel>(QStringLiteral("label_2"))->isVisible());
}

void TestHomeGrid::pointerEntryShowsTheCurrentState()
{
    StartPage(Receiver(QStringLiteral("r4"), 4, 1) + Mouse(QStringLiteral("aero"), 1, QStringLiteral("r4")));
    mytoolButtonEnter* button = ButtonOf(QStringLiteral("r4"));
    QVERIFY(button);
    QVERIFY(button->styleSheet().contains(QStringLiteral("OnLine0.png")));

    // The mouse falls asleep: no hot-plug event, but entering the button
    // asks again.
    QVERIFY(SimControl::setMouseOnline(QStringLiteral("aero"), false));
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(button, &enter);
    QVERIFY(button->styleSheet().contains(QStringLiteral("DisOnlin0.png")));
    QVERIFY(!g_offlineMarkers.at(0)->isHidden());
    QVERIFY(g_onlineMarkers.at(0)->isHidden());
    QVERIFY(!g_homeDeviceList.at(0).online);
    QVERIFY(!g_foundDeviceList.at(0).online);

    QVERIFY(SimControl::setMouseOnline(QStringLiteral("aero"), true));
    QCoreApplication::sendEvent(button, &enter);
    QVERIFY(button->styleSheet().contains(QStringLiteral("OnLine0.png")));
    QVERIFY(!g_onlineMarkers.at(0)->isHidden());
}

void TestHomeGrid::languageChangeRelabels()
{
    StartPage(Receiver(QStringLiteral("r4"), 4, 1));
    QSignalSpy same(PostMsg::GetInstance(), SIGNAL(SigLanguageSameB(int)));
    auto* label3 = Find<QLabel>(QStringLiteral("label_3"));
    QCOMPARE(label3->text(), QStringLiteral("Click a device to open it"));

    Page()->on_comboBox_activated(1);
    QCOMPARE(UserSettingStore::Instance()->LanguageIndex(), 1);
    QCOMPARE(same.count(), 1);
    QCOMPARE(same.first().first().toInt(), 1);
    QCOMPARE(label3->text(), QStringLiteral("Нажмите на устройство, чтобы открыть его"));
    QCOMPARE(g_offlineMarkers.at(0)->toolTip(),
             QStringLiteral("Мышь не подключена.\nПошевелите мышью или нажмите кнопку, чтобы разбудить её."));

    // The settings page's combo moves this one without storing anything.
    UserSettingStore::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"), QStringLiteral("0"));
    emit PostMsg::GetInstance()->SigLanguageSameA(1);
    QCOMPARE(Find<QComboBox>(QStringLiteral("comboBox"))->currentIndex(), 1);
    QCOMPARE(UserSettingStore::Instance()->LanguageIndex(), 0);
}

void TestHomeGrid::hotplugDuringTheNoticeWaits()
{
    // Two identical receivers: the rebuild shows the duplicate notice. While
    // it is open one of them is unplugged; that rebuild waits for the first
    // one to finish instead of building a grid under the open notice.
    int buttonsWhileOpen = -1;
    DialogWatcher watcher;
    watcher.On(QStringLiteral("QuestiondialogB"), [&](QDialog* notice) {
        if (buttonsWhileOpen < 0) {
            QVERIFY(SimControl::setPlugged(QStringLiteral("b"), false));
            SimControl::waitIdle(2000); // delivers the hot-plug event
            buttonsWhileOpen = g_deviceButtons.size();
        }
        notice->reject();
    });
    StartPage(Receiver(QStringLiteral("a"), 1, 1) + Receiver(QStringLiteral("b"), 1, 1));
    QCOMPARE(watcher.seen, QStringList{QStringLiteral("QuestiondialogB")});
    QCOMPARE(watcher.mostOpenAtOnce, 1);
    QCOMPARE(buttonsWhileOpen, 0);
    // Then the deferred rebuild ran: one receiver left, shown.
    QCOMPARE(g_homeDeviceList.size(), 1);
    QCOMPARE(g_deviceButtons.size(), 1);
    QVERIFY(ButtonOf(QStringLiteral("a")));
}

void TestHomeGrid::staleIndexesAreIgnored()
{
    DialogWatcher notices;
    StartPage(Receiver(QStringLiteral("a"), 1, 1) + Receiver(QStringLiteral("b"), 1, 1)); // duplicate: no grid
    QCOMPARE(g_homeDeviceList.size(), 2);
    QVERIFY(g_deviceButtons.isEmpty());
    // A released button of an earlier grid reporting the pointer.
    QVERIFY(!Page()->RefreshDeviceButton(0));
    QVERIFY(!Page()->RefreshDeviceButton(-1));
    QVERIFY(!Page()->RefreshDeviceButton(99));

    // A click from a button whose entry is gone: nothing beyond SigSetver.
    QVERIFY(LoadWorld(Receiver(QStringLiteral("a"), 4, 1)));
    HomeUsbChanged();
    QCOMPARE(g_deviceButtons.size(), 1);
    mytoolButtonEnter stale(Stack()->widget(0));
    stale.setObjectName(QStringLiteral("btn5"));
    connect(&stale, SIGNAL(clicked()), Page(), SLOT(slotButtonClicked()));
    ClickRecorder recorder;
    DialogWatcher watcher;
    stale.click();
    QCOMPARE(recorder.events, QStringList{QStringLiteral("SigSetver(6)")});
    QVERIFY(watcher.seen.isEmpty());
    QCOMPARE(g_deviceSelected.load(), 0);
}

QTEST_MAIN(TestHomeGrid)
#include "test_home_grid.moc"
