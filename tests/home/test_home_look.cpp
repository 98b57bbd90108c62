// The looks of the home page and the pairing dialog: every picture their
// style sheets name exists, and the grid draws its device pictures.
//
// With QUORIX_HOME_SHOTS set to a folder, the test also saves what it
// rendered there (home page with the shipped world and with five devices,
// the pairing dialog), for a person to look at.
#include "home_fixture.h"
#include "style_pictures.h"

#include "user_setting_store.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace home;

namespace {

void SaveShot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QUORIX_HOME_SHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    QVERIFY(widget->grab().save(QDir(folder).filePath(name)));
}

// The colour at the centre of a device button: the drawn card, not the
// page behind it.
bool DrawsItsPicture(QWidget* button)
{
    const QImage shot = button->grab().toImage();
    const QColor centre = shot.pixelColor(shot.width() / 2, shot.height() / 3);
    const QColor corner = button->window()->grab().toImage().pixelColor(0, shot.height() / 3);
    return centre != corner;
}

const QString kFiveDevices = Receiver(QStringLiteral("r1"), 1, 1) + Receiver(QStringLiteral("r2"), 2, 2)
    + Receiver(QStringLiteral("r4"), 4, 4) + Mouse(QStringLiteral("pico"), 4, QStringLiteral("r4"))
    + Receiver(QStringLiteral("r8"), 8, 1) + Mouse(QStringLiteral("aero"), 1, QStringLiteral("r8"))
    + Receiver(QStringLiteral("unknown"), 4, 1, QString(), 99);

} // namespace

class TestHomeLook : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void homePagePicturesExist_data();
    void homePagePicturesExist();
    void pairingDialogPicturesExist();
};

void TestHomeLook::initTestCase()
{
    UserSettingStore::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"), QStringLiteral("0"));
}

void TestHomeLook::homePagePicturesExist_data()
{
    QTest::addColumn<QString>("world");
    QTest::addColumn<QString>("shot");
    QTest::newRow("shipped world") << QString() << QStringLiteral("home-default.png");
    QTest::newRow("five devices") << kFiveDevices << QStringLiteral("home-five.png");
    QTest::newRow("no device") << QStringLiteral("[World]\n") << QStringLiteral("home-empty.png");
}

void TestHomeLook::homePagePicturesExist()
{
    QFETCH(QString, world);
    QFETCH(QString, shot);
    if (world.isEmpty()) {
        QFile shipped(SimControl::defaultWorldPath());
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        world = QString::fromUtf8(shipped.readAll());
    }
    QVERIFY(LoadWorld(world));
    DialogChange page;
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));

    QStringList pictures = PicturesNamed(&page);
    pictures.removeDuplicates();
    QVERIFY(pictures.size() > 10);
    for (const QString& picture : qAsConst(pictures))
        QVERIFY2(QFile::exists(picture), qPrintable(picture));
    SaveShot(&page, shot);
    // Every page of the grid, the last one with its centred entries.
    auto* right = page.findChild<QToolButton*>(QStringLiteral("RightButton"));
    for (int next = 2; right->isVisible(); ++next) {
        QTest::mouseClick(right, Qt::LeftButton);
        SaveShot(&page, QString(shot).replace(QStringLiteral(".png"), QStringLiteral("-%1.png").arg(next)));
    }
    for (QWidget* button : qAsConst(g_deviceButtons))
        QVERIFY(DrawsItsPicture(button));
}

void TestHomeLook::pairingDialogPicturesExist()
{
    QVERIFY(LoadWorld(Receiver(QStringLiteral("r4"), 4, 1)));
    HomeUsbChanged();
    Match match;
    match.InitPair();
    match.show();
    QVERIFY(QTest::qWaitForWindowExposed(&match));
    match.onUSBTimeupDestroy();
    QStringList pictures = PicturesNamed(&match);
    for (const char* state : {"PairSuccess.png", "PairFail.png"})
        pictures << g_pairImageFolder + QLatin1String(state);
    for (const QString& picture : qAsConst(pictures))
        QVERIFY2(QFile::exists(picture), qPrintable(picture));
    SaveShot(&match, QStringLiteral("pairing.png"));
}

QTEST_MAIN(TestHomeLook)
#include "test_home_look.moc"
