// The looks of the home page and the pairing dialog: every picture their
// style sheets name exists, and the grid draws its device pictures.
//
// With QUORIX_HOME_SHOTS set to a folder, the test also saves what it
// rendered there (home page with the shipped world and with five devices,
// the pairing dialog), for a person to look at.
#include "compositing.h"
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
    void pairingDialogShape_data();
    void pairingDialogShape();
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

// With a compositing manager the dialog's corners are translucent; without
// one they would show black, so the window takes its background's rounded
// shape and paints opaque.
void TestHomeLook::pairingDialogShape_data()
{
    QTest::addColumn<bool>("compositing");
    QTest::newRow("compositing manager") << true;
    QTest::newRow("none") << false;
}

void TestHomeLook::pairingDialogShape()
{
    QFETCH(bool, compositing);
    static bool answer;
    answer = compositing;
    Match::CompositingRunning = [] { return answer; };
    Match match;
    Match::CompositingRunning = &CompositingManagerRunning;
    QCOMPARE(match.testAttribute(Qt::WA_TranslucentBackground), compositing);
    const QRegion shape = match.mask();
    if (compositing) {
        QVERIFY(shape.isEmpty());
        return;
    }
    const QRect frame = match.rect();
    QVERIFY(shape.boundingRect() == frame);
    for (const QPoint& corner : {frame.topLeft(), frame.topRight(), frame.bottomLeft(), frame.bottomRight()})
        QVERIFY2(!shape.contains(corner), qPrintable(QStringLiteral("%1,%2").arg(corner.x()).arg(corner.y())));
    for (const QPoint& inside : {frame.center(), QPoint(frame.left(), frame.center().y()),
                                 QPoint(frame.right(), frame.center().y()), QPoint(frame.center().x(), frame.top()),
                                 QPoint(frame.center().x(), frame.bottom()), QPoint(6, 6)})
        QVERIFY2(shape.contains(inside), qPrintable(QStringLiteral("%1,%2").arg(inside.x()).arg(inside.y())));
    // What shows is opaque and nowhere black.
    match.show();
    QVERIFY(QTest::qWaitForWindowExposed(&match));
    const QImage shot = match.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    for (const QRect& part : shape) {
        for (int y = part.top(); y <= part.bottom(); ++y) {
            for (int x = part.left(); x <= part.right(); ++x) {
                const QColor colour = shot.pixelColor(x, y);
                QVERIFY2(colour.alpha() == 255 && colour.lightness() > 10,
                         qPrintable(QStringLiteral("%1,%2: %3").arg(x).arg(y).arg(colour.name(QColor::HexArgb))));
            }
        }
    }
    SaveShot(&match, QStringLiteral("pairing-no-compositor.png"));
}

QTEST_MAIN(TestHomeLook)
#include "test_home_look.moc"
