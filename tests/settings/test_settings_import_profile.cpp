// A configuration import goes to the device and profile the file was chosen
// on. The button page's import waits 4.5 s before it sends the file; when the
// mouse's own profile button moves it to another profile meanwhile, neither
// profile takes the file and the user gets the time-out notice. Back on the
// first profile before the wait is over, the file goes there. Whole program
// over the shipped world, with the devices' own timing.
#include "buttoninterface.h"

#include "gui_fixture.h"
#include "hub_recorder.h"
#include "test_image.h"

#include "config_export_file.h"
#include "config_file_dialog.h"
#include "config_store.h"
#include "device_image_setters.h"
#include "mouse_off_line.h"
#include "mouse_profile.h"
#include "myconmbobox.h"
#include "setting_ranges.h"
#include "up_data_param.h"

#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <iterator>

namespace {

const QString kMouse = QStringLiteral("aero");
const QString kReceiver = QStringLiteral("aero-r4");

// The factory image with settings of its own: `variant` makes the images of
// the profiles and the imported file differ in each of them.
QByteArray VariantImage(int variant)
{
    FlashDataMap image = ImageFromBytes(SimControl::factoryImage(kMouse));
    image.debounceTime = uint8_t(4 + variant);
    // Values the pages offer: an import takes no other.
    image.lightOffTime = uint8_t(SettingRanges::kLightOffTimes[(2 + variant) % std::size(SettingRanges::kLightOffTimes)]);
    image.liftOffDistance = uint8_t(1 + variant % 2);
    image.dpiStages[1].red = uint8_t(40 * variant);
    return ImageBytes(image);
}

// A switch made with the mouse's own button `afterMs` after the import.
struct Press {
    int afterMs;
    int profile;
};

} // namespace

Q_DECLARE_METATYPE(QList<Press>)

class TestSettingsImportProfile : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void importStaysWithItsProfile_data();
    void importStaysWithItsProfile();
    void importAtTheEndOfTheWait_data();
    void importAtTheEndOfTheWait();

private:
    QTemporaryDir m_dir;
    // An export file of `image` for the opened model.
    QString WriteExport(const QByteArray& image) const;
};

void TestSettingsImportProfile::cleanup()
{
    ConfigFileDialog::SetAsk(nullptr);
}

QString TestSettingsImportProfile::WriteExport(const QByteArray& image) const
{
    const QString path = m_dir.filePath(QStringLiteral("import.bin"));
    const QString group = ConfigStore::ModelGroup(CurrentDeviceCopy().modelIndex);
    const QString sensor = ConfigStore::Instance()->Value(group, QStringLiteral("Sensor"));
    return ConfigExportFile::Write(path, sensor, ImageFromBytes(image)) ? path : QString();
}

void TestSettingsImportProfile::importStaysWithItsProfile_data()
{
    QTest::addColumn<QList<Press>>("presses");
    QTest::addColumn<bool>("imported");
    QTest::newRow("no-switch") << QList<Press>{} << true;
    QTest::newRow("button-100ms") << QList<Press>{{100, 1}} << false;
    QTest::newRow("button-1500ms") << QList<Press>{{1500, 1}} << false;
    QTest::newRow("button-4000ms") << QList<Press>{{4000, 1}} << false;
    QTest::newRow("button-there-and-back") << QList<Press>{{100, 1}, {1500, 0}} << true;
}

// The file is chosen on profile 1; afterwards profile 2 is as it was, and
// profile 1 holds either the file or what it held before.
void TestSettingsImportProfile::importStaysWithItsProfile()
{
    QFETCH(QList<Press>, presses);
    QFETCH(bool, imported);
    QVERIFY(m_dir.isValid());
    GuiFixture gui;
    QVERIFY(gui.Start());
    SimControl::setReportIntervalUs(-1);
    const QList<QByteArray> profiles{VariantImage(0), VariantImage(1)};
    for (int profile = 0; profile < profiles.size(); ++profile)
        QVERIFY(SimControl::setMouseImage(kMouse, profiles[profile], profile));
    QVERIFY(gui.OpenDevice(kReceiver));
    auto* page = gui.DeviceWindow()->findChild<Buttoninterface*>();
    QVERIFY(page);
    auto* list = page->findChild<MyConmboBox*>(QStringLiteral("ProjectChoose"));
    QVERIFY(list);
    QCOMPARE(SimControl::currentProfile(kMouse), 0);
    QCOMPARE(ImageBytes(DeviceImageCopy()), profiles[0]);

    const QByteArray file = VariantImage(2);
    const QString path = WriteExport(file);
    QVERIFY(!path.isEmpty());
    ConfigFileDialog::SetAsk([path](QWidget*, ConfigFileDialog::Mode) { return path; });
    HubRecorder hub;
    hub.Record(&PostMsg::SigMouseOffLineo, QStringLiteral("SigMouseOffLineo"));
    for (const Press& press : presses)
        QTimer::singleShot(press.afterMs, Qt::PreciseTimer, [press] { SimControl::switchProfile(kMouse, press.profile); });

    // Runs until the wait dialog has closed.
    QVERIFY(QMetaObject::invokeMethod(page, "on_ImportData_clicked"));
    QVERIFY(Settle());
    QVERIFY(SimControl::waitWrites());
    QTRY_VERIFY_WITH_TIMEOUT(!MouseOffLine::IsOpen(), 5000);
    QVERIFY(Settle());

    QCOMPARE(g_importResult.load(), 0);
    QCOMPARE(SimControl::mouseImage(kMouse, 0), imported ? file : profiles[0]);
    QCOMPARE(SimControl::mouseImage(kMouse, 1), profiles[1]);
    // The notice asks to try again; the pages show the profile the mouse is on.
    QCOMPARE(hub.events, imported ? QStringList() : QStringList{QStringLiteral("SigMouseOffLineo(1)")});
    const int last = presses.isEmpty() ? 0 : presses.last().profile;
    QCOMPARE(SimControl::currentProfile(kMouse), last);
    QCOMPARE(list->currentIndex(), last);
    QCOMPARE(ImageBytes(DeviceImageCopy()), SimControl::mouseImage(kMouse, last));
    QVERIFY(!g_applyingParameters);
}

void TestSettingsImportProfile::importAtTheEndOfTheWait_data()
{
    // What happened between choosing the file and the end of the wait, as the
    // program learns it from the mouse's reports.
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<bool>("sent");
    QTest::addColumn<QStringList>("notices");
    const QStringList none;
    const QStringList tryAgain{QStringLiteral("SigMouseOffLineo(1)")};
    QTest::newRow("nothing") << "" << true << none;
    QTest::newRow("another dump of the profile") << "dump" << true << none;
    QTest::newRow("button: report, its dump not yet") << "report" << false << tryAgain;
    QTest::newRow("button: report and dump") << "report dump" << false << tryAgain;
    QTest::newRow("reset on the mouse, its dump not yet") << "reset" << false << tryAgain;
    QTest::newRow("mouse asleep") << "asleep" << false << QStringList{QStringLiteral("SigMouseOffLineo(0)")};
}

// The end of the wait, after the report handler has recorded what the mouse
// did meanwhile: the file goes out only to the profile it was chosen on, and
// a refusal names its cause (the time-out text asks to try again; the
// offline text says the mouse does not answer).
void TestSettingsImportProfile::importAtTheEndOfTheWait()
{
    QFETCH(QString, meanwhile);
    QFETCH(bool, sent);
    QFETCH(QStringList, notices);
    QVERIFY(m_dir.isValid());
    GuiFixture gui;
    QVERIFY(gui.Start());
    QVERIFY(gui.OpenDevice(kReceiver));
    const QByteArray before = ImageBytes(DeviceImageCopy());
    const QByteArray file = VariantImage(3);

    UpDataParam wait;
    wait.importMode = true;
    wait.importFile = WriteExport(file);
    wait.importTarget = DeviceImageTarget();
    for (const QString& event : meanwhile.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QMutexLocker locker(&g_deviceImageMutex);
        if (event == QLatin1String("report"))
            MouseProfile::Reported(1);
        else if (event == QLatin1String("dump"))
            MouseProfile::DumpRead();
        else if (event == QLatin1String("reset"))
            MouseProfile::ConfigurationApplied();
        else if (event == QLatin1String("asleep"))
            QVERIFY(SimControl::setMouseOnline(kMouse, false));
    }
    SimControl::clearCallLog();
    HubRecorder hub;
    hub.Record(&PostMsg::SigMouseOffLineo, QStringLiteral("SigMouseOffLineo"));
    // The notice closes itself once the mouse answers; asleep, it is closed here.
    QTimer closer;
    connect(&closer, &QTimer::timeout, [] { emit PostMsg::GetInstance()->SigCloseOffOnline(); });
    closer.start(200);
    QVERIFY(QMetaObject::invokeMethod(&wait, "onTimeupDestroy"));
    closer.stop();

    QCOMPARE(hub.events, notices);
    // The pages redraw from the file, and may send it again as it is.
    const QList<QByteArray> images = SimControl::imagesSent();
    QCOMPARE(images.isEmpty(), !sent);
    for (const QByteArray& image : images)
        QCOMPARE(image, file);
    QCOMPARE(ImageBytes(DeviceImageCopy()), sent ? file : before);
    QVERIFY(SimControl::setMouseOnline(kMouse, true));
}

QTEST_MAIN(TestSettingsImportProfile)
#include "test_settings_import_profile.moc"
