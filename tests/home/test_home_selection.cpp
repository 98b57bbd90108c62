// A click on the home page's grid, driving the real top-level window over
// the simulated world: a known device opens the device window and the
// connection reads the mouse; a receiver that cannot reach its mouse leads
// to the repair and pairing routes.
#include "gui_fixture.h"
#include "home_fixture.h"
#include "test_image.h"

#include "mytoolbuttonenter.h"
#include "registry_values.h"

#include <QTest>
#include <QToolButton>

using namespace home;

namespace {

// The top-left corner that centres `dialog` on the home page.
QPoint CentredOnHome(const QWidget* dialog, QPoint shift = QPoint())
{
    const QWidget* page = g_dialogChange;
    const QPoint topLeft = page->mapToGlobal(QPoint(0, 0));
    return topLeft + QPoint((page->width() - dialog->width()) / 2, (page->height() - dialog->height()) / 2) + shift;
}

// Two Aero receivers: `clicked` without its mouse, the 8K one with it.
QString TwoListings(const QString& clickedVersion = QStringLiteral("1.1"))
{
    return Receiver(QStringLiteral("r4"), 4, 1, QStringLiteral("Name = QX-AERO-R4\nVersion = ") + clickedVersion)
        + Receiver(QStringLiteral("r8"), 8, 1) + Mouse(QStringLiteral("aero"), 1, QStringLiteral("r8"));
}

} // namespace

class TestHomeSelection : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void clickOpensTheDeviceWindow();
    void clickSendsInOrder_data();
    void clickSendsInOrder();
    void routes_data();
    void routes();

private:
    GuiFixture gui;
};

void TestHomeSelection::cleanup()
{
    gui.Stop();
    StoreMouseVersion(0, QString());
}

void TestHomeSelection::clickOpensTheDeviceWindow()
{
    QVERIFY(gui.Start());
    // The default world: Orca on its cable, the Aero and Lynx receivers.
    QCOMPARE(g_deviceButtons.size(), 3);
    for (const char* id : {"orca", "aero-r4", "lynx-r8"}) {
        mytoolButtonEnter* button = ButtonOf(QLatin1String(id));
        QVERIFY2(button && button->isVisible(), id);
        QVERIFY(button->styleSheet().contains(QStringLiteral("OnLine0.png")));
    }
    QCOMPARE(gui.MainPageIndex(), 0);

    SimControl::clearCallLog();
    QTest::mouseClick(ButtonOf(QStringLiteral("aero-r4")), Qt::LeftButton);
    QCOMPARE(gui.MainPageIndex(), 1);
    QCOMPARE(g_deviceSelected.load(), 1);
    QVERIFY(Settle());

    const QString path = QString::fromUtf8(SimControl::devicePath(QStringLiteral("aero-r4")));
    QCOMPARE(CurrentDeviceCopy().path, path);
    QVERIFY(CallArguments(QStringLiteral("UsbServerC_Start")).contains(path));
    QVERIFY(CallArguments(QStringLiteral("UsbServer_SetPCDriverStatus")).contains(QStringLiteral("1")));
    QVERIFY(SimControl::callCount(QStringLiteral("UsbServer_ReadAllFlashData")) >= 1);
    // The pages got the mouse's configuration.
    QCOMPARE(ImageBytes(g_deviceImage), SimControl::mouseImage(QStringLiteral("aero")));
}

void TestHomeSelection::clickSendsInOrder_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("receiverUpdate");

    QTest::newRow("Lynx receiver (model id 2)")
        << QStringLiteral("lynx-r8")
        << QStringList{QStringLiteral("SigSetver(6)"), QStringLiteral("SigMouseIndex(1)"),
                       QStringLiteral("SigSelectMouseInfo"), QStringLiteral("SigLabelTextB(v1.1,true)")}
        << true;
    QTest::newRow("Orca on its cable (model id 3)")
        << QStringLiteral("orca")
        << QStringList{QStringLiteral("SigSetver(6)"), QStringLiteral("SigSelectMouseInfo"),
                       QStringLiteral("SigLabelTextB(v1.2,)")}
        << false;
}

void TestHomeSelection::clickSendsInOrder()
{
    QFETCH(QString, device);
    QFETCH(QStringList, expected);
    QFETCH(bool, receiverUpdate);

    QVERIFY(gui.Start());
    g_receiverUpdateAvailable = !receiverUpdate;
    ClickRecorder recorder;
    QTest::mouseClick(ButtonOf(device), Qt::LeftButton);

    QCOMPARE(recorder.events.mid(0, expected.size()), expected);
    QVERIFY(recorder.events.contains(QStringLiteral("SigChangeMainDialog(1)")));
    QCOMPARE(recorder.selected.path, QString::fromUtf8(SimControl::devicePath(device)));
    QCOMPARE(g_receiverUpdateAvailable.load(), receiverUpdate);
    // Both flags are set before the worker's pass starts.
    QCOMPARE(g_deviceSelected.load(), 1);
    QVERIFY(Settle());
    QVERIFY(CallArguments(QStringLiteral("UsbServerC_Start"))
                .contains(QString::fromUtf8(SimControl::devicePath(device))));
}

void TestHomeSelection::routes_data()
{
    QTest::addColumn<QString>("world");
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("mouseVersion");
    QTest::addColumn<bool>("acceptRePair");
    QTest::addColumn<QStringList>("dialogs");
    QTest::addColumn<int>("mainPage");

    const QString match = QStringLiteral("Match"), rePair = QStringLiteral("RePair"),
                  warning = QStringLiteral("UpDateWarning");
    const QString r4 = QStringLiteral("r4");
    QTest::newRow("two listings, offline one, no mouse version")
        << TwoListings() << r4 << QString() << false << QStringList{match} << 0;
    QTest::newRow("two listings, the online one") << TwoListings() << QStringLiteral("r8") << QString() << false
                                                  << QStringList() << 1;
    QTest::newRow("receiver image only") << TwoListings() << r4 << QStringLiteral("v1.3") << false << QStringList()
                                         << 0;
    QTest::newRow("both images, declined")
        << TwoListings() << r4 << QStringLiteral("v1.2") << false << QStringList{rePair} << 0;
    QTest::newRow("both images, accepted")
        << TwoListings() << r4 << QStringLiteral("v1.2") << true << QStringList{rePair, match} << 0;
    QTest::newRow("mouse image only") << TwoListings(QStringLiteral("1.2")) << r4 << QStringLiteral("v1.2") << false
                                      << QStringList{warning} << 0;
    QTest::newRow("neither image") << TwoListings(QStringLiteral("1.2")) << r4 << QStringLiteral("v1.3") << true
                                   << QStringList{rePair, match} << 0;
    QTest::newRow("unrecognised receiver") << Receiver(QStringLiteral("x"), 4, 1, QString(), 99)
                                           << QStringLiteral("x") << QString() << false << QStringList{match} << 0;
    QTest::newRow("unrecognised cable device") << Mouse(QStringLiteral("x"), 1, QString(), QString(), 99)
                                               << QStringLiteral("x") << QString() << false << QStringList() << 0;
}

void TestHomeSelection::routes()
{
    QFETCH(QString, world);
    QFETCH(QString, device);
    QFETCH(QString, mouseVersion);
    QFETCH(bool, acceptRePair);
    QFETCH(QStringList, dialogs);
    QFETCH(int, mainPage);

    StoreMouseVersion(0, mouseVersion);
    QVERIFY(gui.Start(world));
    const QString path = QString::fromUtf8(SimControl::devicePath(device));
    mytoolButtonEnter* button = ButtonOf(device);
    QVERIFY(button);

    // The watcher answers what the click opens; the device window's own
    // waiting dialog afterwards is left alone.
    QStringList seen;
    QString pairedThrough;
    bool centred = true;
    ClickRecorder recorder;
    {
        DialogWatcher watcher;
        watcher.On(QStringLiteral("Match"), [&](QDialog* dialog) {
            pairedThrough = g_pairRepairTarget ? g_repairTarget.path : QString();
            centred = centred && dialog->pos() == CentredOnHome(dialog);
            static_cast<Match*>(dialog)->WindowClosedSet();
        });
        watcher.On(QStringLiteral("RePair"), [&](QDialog* dialog) {
            centred = centred && dialog->pos() == CentredOnHome(dialog);
            if (acceptRePair)
                dialog->findChild<QToolButton*>(QStringLiteral("OK"))->click();
            else
                dialog->reject();
        });
        watcher.On(QStringLiteral("UpDateWarning"), [&](QDialog* dialog) {
            centred = centred && dialog->pos() == CentredOnHome(dialog, QPoint(-20, 0));
            dialog->reject();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        seen = watcher.seen;
    }

    QCOMPARE(seen, dialogs);
    QVERIFY(centred);
    QCOMPARE(gui.MainPageIndex(), mainPage);
    if (dialogs.contains(QStringLiteral("Match")))
        QCOMPARE(pairedThrough, path);
    if (mainPage == 0) {
        QVERIFY(!recorder.events.contains(QStringLiteral("SigSelectMouseInfo")));
        QCOMPARE(g_deviceSelected.load(), 0);
    }
    QCOMPARE(recorder.events.first(), QStringLiteral("SigSetver(6)"));
    QVERIFY(Settle());
}

QTEST_MAIN(TestHomeSelection)
#include "test_home_selection.moc"
