// The button page's operations on the mouse as a whole: the profile list and
// profile switch, the reset question, import and export of configuration
// files (with a catalogue whose first model has a long sensor name), and the
// page's per-key state files.
#include "buttoninterface.h"
#include "ui_buttoninterface.h"

#include "hub_recorder.h"
#include "library_calls.h"
#include "own_program_folder.h"
#include "sim_mouse.h"
#include "test_image.h"
#include "window_closer.h"

#include "config_export_file.h"
#include "config_file_dialog.h"
#include "contain_reset.h"
#include "device_image_setters.h"
#include "inport_fail.h"
#include "myconmbobox.h"
#include "paths.h"
#include "startup.h"
#include "up_data_param.h"
#include "user_setting_store.h"

#include <devicelib_control.h>

#include <QFile>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <memory>

class ButtoninterfaceProbe {
public:
    static Ui::Buttoninterface* Form(Buttoninterface* page) { return page->ui; }
    static QString ProfilePrefix(Buttoninterface* page) { return page->ProfilePrefix; }
    static QString MainPageDir(Buttoninterface* page) { return page->MainPageDir; }
    static void ReadMainPageFile(Buttoninterface* page, int number)
    {
        switch (number) {
        case 2: page->ReadMainPageFile2(); break;
        case 3: page->ReadMainPageFile3(); break;
        case 4: page->ReadMainPageFile4(); break;
        case 5: page->ReadMainPageFile5(); break;
        default: page->ReadMainPageFile6(); break;
        }
    }
    static KeyEventRecord ConsumerRecord(Buttoninterface* page, int high, int low)
    {
        return page->MakeConsumerKeyRecord(0, high, low);
    }
};

namespace {

// Drive1's sensor name in this test's catalogue: 13 UTF-8 bytes, the 12-byte
// field ends inside the "Ω".
const QString kLongSensor = QString::fromUtf8("PAW3950XY-\xCE\xA9\xCE\xA9");
const QByteArray kLongSensorField = QByteArray("PAW3950XY-\xCE\xA9\0", 12);

enum Model { LongName = 0, Lynx3395 = 1 };

bool PrepareProgramFolder()
{
    using namespace OwnProgramFolder;
    const QString catalogue = QStringLiteral("usersetting/Config.ini");
    return IsOwn() && CopyShipped(catalogue) && CopyShipped(QStringLiteral("driver_sensor.h"))
           && CopyShipped(QStringLiteral("Language")) && CopyShipped(QStringLiteral("Picture/Buttoninterface"))
           && EditCopy(catalogue, {{"Sensor=\"Mzk1MA==\"", "Sensor=\"" + kLongSensor.toUtf8().toBase64() + "\""}});
}

void SetModel(int model)
{
    DeviceAllInfo device = CurrentDeviceCopy();
    device.modelIndex = model;
    SetCurrentDevice(device);
}

// An image the simulated mouse takes: its own with a few settings changed.
FlashDataMap ChangedMouseImage(int debounce, int stages)
{
    FlashDataMap image = ImageFromBytes(SimControl::mouseImage(QString::fromLatin1(SimMouse::kMouse)));
    image.debounceTime = uint8_t(debounce);
    image.dpiStageCount = uint8_t(stages);
    image.lightOffTime = 30; // 5 min
    return image;
}

// Runs `act` on the first visible top-level dialog of class T that comes up
// while it lives (dialogs run modally, so it polls).
template <class T>
class DialogWatch : public QObject {
public:
    explicit DialogWatch(std::function<void(T*)> act)
        : m_act(std::move(act))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<T*>(widget);
                if (dialog && dialog->isVisible() && !m_seen.contains(dialog)) {
                    m_seen << dialog;
                    ++count;
                    m_act(dialog);
                }
            }
        });
        m_timer.start(5);
    }
    int count = 0;

private:
    std::function<void(T*)> m_act;
    QList<QObject*> m_seen;
    QTimer m_timer;
};

} // namespace

class TestButtonsProfiles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void refillsTheProfileList_data();
    void refillsTheProfileList();
    void choosingAProfile_data();
    void choosingAProfile();

    void resetNeedsTheMouse();
    void resetCancelledSendsNothing();
    void importNeedsTheMouse();
    void importCancelledOpensNoDialog();

    void exportWritesTheImageInMemory();
    void exportFailureIsReported();
    void exportedFileImportsIntoTheMouse();

    void stateFileSetsKeyTextAndScrolls();
    void consumerKeyRecord();

private:
    Buttoninterface* Page() const { return m_page.get(); }
    MyConmboBox* Combo() const { return ButtoninterfaceProbe::Form(Page())->ProjectChoose; }

    std::unique_ptr<Buttoninterface> m_page;
    QTemporaryDir m_dir;
    QString m_answer;
    QList<ConfigFileDialog::Mode> m_asked;
};

void TestButtonsProfiles::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(PrepareProgramFolder());
    PrepareUserData();
    UserSettingStore::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"), QStringLiteral("0"));
    QVERIFY(SimMouse::Start());
    ConfigFileDialog::SetAsk([this](QWidget*, ConfigFileDialog::Mode mode) {
        m_asked << mode;
        return m_answer;
    });
}

void TestButtonsProfiles::init()
{
    SetModel(LongName);
    m_answer.clear();
    m_asked.clear();
    m_page.reset(new Buttoninterface);
    QVERIFY(SimMouse::Connect());
    QVERIFY(SimMouse::Reset(ChangedMouseImage(4, 4)));
}

void TestButtonsProfiles::cleanup()
{
    m_page.reset();
}

void TestButtonsProfiles::refillsTheProfileList_data()
{
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("select");
    QTest::addColumn<bool>("enable");
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("current");

    QTest::newRow("no profile answer") << 0 << 0 << false << 1 << 0;
    QTest::newRow("four, third current") << 4 << 2 << true << 4 << 2;
    QTest::newRow("four, first current") << 4 << 0 << true << 4 << 0;
    QTest::newRow("current outside the list") << 4 << 7 << true << 4 << -1;
    QTest::newRow("negative count") << -1 << 0 << true << 0 << -1;
}

void TestButtonsProfiles::refillsTheProfileList()
{
    QFETCH(int, total);
    QFETCH(int, select);
    QFETCH(bool, enable);
    QFETCH(int, items);
    QFETCH(int, current);

    Combo()->addItem(QStringLiteral("stale"));
    QVERIFY(QMetaObject::invokeMethod(Page(), "SlotUpDataConfigUI", Q_ARG(int, total), Q_ARG(int, select),
                                      Q_ARG(bool, enable)));
    QCOMPARE(Combo()->count(), items);
    const QString prefix = ButtoninterfaceProbe::ProfilePrefix(Page());
    for (int k = 0; k < items; ++k)
        QCOMPARE(Combo()->itemText(k), prefix + QString::number(k + 1));
    QCOMPARE(Combo()->currentIndex(), current);
    QCOMPARE(Combo()->isEnabled(), enable);
    // A refill never switches the mouse's profile.
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbServer_SetCurrentConfig")), 0);
}

void TestButtonsProfiles::choosingAProfile_data()
{
    QTest::addColumn<bool>("online");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<bool>("filling");
    QTest::addColumn<bool>("sent");
    QTest::addColumn<int>("shown"); // the combo's profile afterwards

    QTest::newRow("online") << true << true << false << true << 2;
    QTest::newRow("offline") << false << true << false << false << 1;
    QTest::newRow("offline while the page fills") << false << true << true << true << 2;
    // The library refuses the switch although the mouse answers: the combo
    // shows the profile the mouse still uses, and it is no offline news.
    QTest::newRow("refused, mouse online") << true << false << false << true << 1;
}

void TestButtonsProfiles::choosingAProfile()
{
    QFETCH(bool, online);
    QFETCH(bool, connected);
    QFETCH(bool, filling);
    QFETCH(bool, sent);
    QFETCH(int, shown);

    QVERIFY(QMetaObject::invokeMethod(Page(), "SlotUpDataConfigUI", Q_ARG(int, 4), Q_ARG(int, 1), Q_ARG(bool, true)));
    QVERIFY(SimMouse::SetOnline(online));
    if (!connected)
        UsbServer_Exit();
    g_buttonPageUpdating = filling;
    HubRecorder hub;
    hub.Record(&PostMsg::SigMouseOffLineo, QStringLiteral("SigMouseOffLineo"));

    // The user presses the combo on profile 2 and picks profile 3.
    Combo()->pressedIndex = 1;
    Combo()->setCurrentIndex(2);
    emit Combo()->activated(2);

    QCOMPARE(Combo()->currentIndex(), shown);
    if (sent) {
        QCOMPARE(CallArguments(QStringLiteral("UsbServer_SetCurrentConfig")), QStringList{QStringLiteral("2")});
        QVERIFY(hub.events.isEmpty());
    } else {
        QCOMPARE(SimControl::callCount(QStringLiteral("UsbServer_SetCurrentConfig")), 0);
        QCOMPARE(hub.events, QStringList{QStringLiteral("SigMouseOffLineo(0)")});
    }
    if (online && connected) {
        // With the devices' own timing the mouse takes the command in its turn.
        QTRY_COMPARE_WITH_TIMEOUT(SimControl::currentProfile(QString::fromLatin1(SimMouse::kMouse)), 2, 5000);
    }
}

void TestButtonsProfiles::resetNeedsTheMouse()
{
    QVERIFY(SimMouse::SetOnline(false));
    HubRecorder hub;
    hub.Record(&PostMsg::SigMouseOffLineo, QStringLiteral("SigMouseOffLineo"));
    WindowCloser<ContainReset> questions;
    QVERIFY(QMetaObject::invokeMethod(Page(), "on_Reset_clicked"));
    QCOMPARE(questions.count, 0);
    QCOMPARE(hub.events, QStringList{QStringLiteral("SigMouseOffLineo(0)")});
    QCOMPARE(SimMouse::Sends(), 0);
}

void TestButtonsProfiles::resetCancelledSendsNothing()
{
    QVERIFY(g_onlineCheckTimer && g_onlineCheckTimer->isActive());
    DialogWatch<ContainReset> questions([](ContainReset* question) {
        QTimer::singleShot(0, question->findChild<QToolButton*>(QStringLiteral("Cancel")), &QToolButton::click);
    });
    QVERIFY(QMetaObject::invokeMethod(Page(), "on_Reset_clicked"));
    QCOMPARE(questions.count, 1);
    QCOMPARE(SimMouse::Sends(), 0);
    QCOMPARE(SimControl::callCount(QStringLiteral("UsbServer_SetClearSetting")), 0);
    QVERIFY(!g_applyingParameters);
    QVERIFY(!g_workerRun || !g_worker->isRunning());
    QVERIFY(g_onlineCheckTimer->isActive());
}

void TestButtonsProfiles::importNeedsTheMouse()
{
    QVERIFY(SimMouse::SetOnline(false));
    HubRecorder hub;
    hub.Record(&PostMsg::SigMouseOffLineo, QStringLiteral("SigMouseOffLineo"));
    m_answer = m_dir.filePath(QStringLiteral("never.bin"));
    QVERIFY(QMetaObject::invokeMethod(Page(), "on_ImportData_clicked"));
    QVERIFY(m_asked.isEmpty());
    QCOMPARE(hub.events, QStringList{QStringLiteral("SigMouseOffLineo(0)")});
    QVERIFY(!g_applyingParameters);
}

void TestButtonsProfiles::importCancelledOpensNoDialog()
{
    bool applyingWhileAsked = false;
    ConfigFileDialog::SetAsk([&](QWidget*, ConfigFileDialog::Mode mode) {
        m_asked << mode;
        applyingWhileAsked = g_applyingParameters;
        return QString();
    });
    WindowCloser<UpDataParam> waits;
    QVERIFY(QMetaObject::invokeMethod(Page(), "on_ImportData_clicked"));
    ConfigFileDialog::SetAsk([this](QWidget*, ConfigFileDialog::Mode mode) {
        m_asked << mode;
        return m_answer;
    });

    QCOMPARE(m_asked, QList<ConfigFileDialog::Mode>{ConfigFileDialog::Mode::Open});
    QVERIFY(applyingWhileAsked);
    QCOMPARE(waits.count, 0);
    QVERIFY(!g_applyingParameters);
    QCOMPARE(g_importRequested.load(), 0);
    QCOMPARE(SimMouse::Sends(), 0);
}

// Offline too: the image in memory goes to the file, with the catalogue's
// sensor name of the selected model.
void TestButtonsProfiles::exportWritesTheImageInMemory()
{
    SetModel(Lynx3395);
    QVERIFY(SimMouse::SetOnline(false));
    const FlashDataMap image = SeededImage(7);
    g_deviceImage = image;
    m_answer = m_dir.filePath(QStringLiteral("lynx.bin"));
    QVERIFY(QMetaObject::invokeMethod(Page(), "on_OutputData_clicked"));
    QCOMPARE(m_asked, QList<ConfigFileDialog::Mode>{ConfigFileDialog::Mode::Save});

    QFile file(m_answer);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.size(), 10464);
    QCOMPARE(bytes.mid(0, 4), Bytes({0, 0, 0, 12}));
    QCOMPARE(bytes.mid(4, 12), QByteArray("Pelvo\0\0\0\0\0\0\0", 12));
    QCOMPARE(bytes.mid(16, 4), Bytes({0, 0, 0, 12}));
    QCOMPARE(bytes.mid(20, 12), QByteArray("3395\0\0\0\0\0\0\0\0", 12));
    QCOMPARE(bytes.mid(32, 4), Bytes({0, 0, 0x28, 0xBC}));
    QCOMPARE(bytes.mid(36), ImageBytes(image));

    // Cancelling the dialog writes nothing.
    m_answer.clear();
    QVERIFY(QFile::remove(file.fileName()));
    QVERIFY(QMetaObject::invokeMethod(Page(), "on_OutputData_clicked"));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList());
}

void TestButtonsProfiles::exportFailureIsReported()
{
    QString shown;
    DialogWatch<InportFail> notices([&shown](InportFail* notice) {
        shown = notice->findChild<QLabel*>(QStringLiteral("label"))->text();
        QTimer::singleShot(0, notice, &QDialog::close);
    });
    m_answer = m_dir.filePath(QStringLiteral("no-such-folder/config.bin"));
    QVERIFY(QMetaObject::invokeMethod(Page(), "on_OutputData_clicked"));
    QCOMPARE(notices.count, 1);
    QCOMPARE(shown, QStringLiteral("The configuration file could not be saved."));
    QVERIFY(!QFile::exists(m_answer));
}

// The sensor name of 13 bytes is cut before its last character, and the
// import compares it cut the same way: the program takes its own export.
void TestButtonsProfiles::exportedFileImportsIntoTheMouse()
{
    const FlashDataMap exported = ChangedMouseImage(9, 6);
    g_deviceImage = exported;
    m_answer = m_dir.filePath(QStringLiteral("aero.bin"));
    QVERIFY(QMetaObject::invokeMethod(Page(), "on_OutputData_clicked"));
    QFile file(m_answer);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().mid(20, 12), kLongSensorField);

    g_deviceImage = ChangedMouseImage(2, 3);
    bool importWording = false;
    DialogWatch<UpDataParam> waits([&importWording](UpDataParam* wait) {
        importWording = wait->findChild<QLabel*>(QStringLiteral("label"))->text()
                        == QStringLiteral("Please wait, the configuration is being imported.");
    });
    WindowCloser<InportFail> refusals;
    QVERIFY(QMetaObject::invokeMethod(Page(), "on_ImportData_clicked"));

    QCOMPARE(waits.count, 1);
    QVERIFY(importWording);
    QCOMPARE(refusals.count, 0);
    QCOMPARE(g_importResult.load(), 0);
    QVERIFY(!g_applyingParameters);
    QCOMPARE(g_importRequested.load(), 0);
    QCOMPARE(ImageBytes(g_deviceImage), ImageBytes(exported));
    QVERIFY(SimControl::waitIdle());
    QCOMPARE(SimControl::mouseImage(QString::fromLatin1(SimMouse::kMouse)), ImageBytes(exported));
}

void TestButtonsProfiles::stateFileSetsKeyTextAndScrolls()
{
    Page()->show();
    Ui::Buttoninterface* ui = ButtoninterfaceProbe::Form(Page());
    ui->VolumeUp->setText(QStringLiteral("Volume +"));
    ui->RightKey->setText(QStringLiteral("before"));
    ui->BackKey->setText(QStringLiteral("before"));
    const QString dir = ButtoninterfaceProbe::MainPageDir(Page());
    auto write = [&dir](const QString& name, const QByteArray& line) {
        QFile file(dir + name);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(line) == line.size();
    };

    QVERIFY(write(QStringLiteral("/2.ini"), "14,5\n"));
    ButtoninterfaceProbe::ReadMainPageFile(Page(), 2);
    QCOMPARE(ui->RightKey->text(), QStringLiteral("Volume +"));
    QCOMPARE(ui->scrollArea_3->verticalScrollBar()->value(),
             qMin(75, ui->scrollArea_3->verticalScrollBar()->maximum()));
    QCOMPARE(ui->scrollArea_4->verticalScrollBar()->value(),
             qMin(210, ui->scrollArea_4->verticalScrollBar()->maximum()));

    // Three parts: nothing changes.
    QVERIFY(write(QStringLiteral("/3.ini"), "1,2,3\n"));
    ButtoninterfaceProbe::ReadMainPageFile(Page(), 3);
    QCOMPARE(ui->BackKey->text(), QStringLiteral("before"));

    // Each reader sets its own key.
    QVERIFY(write(QStringLiteral("/5.ini"), "3\n"));
    ButtoninterfaceProbe::ReadMainPageFile(Page(), 5);
    QCOMPARE(ui->TopMusic->text(), ui->BackKey_2->text());
    QCOMPARE(ui->BackKey->text(), QStringLiteral("before"));
}

void TestButtonsProfiles::consumerKeyRecord()
{
    const KeyEventRecord record = ButtoninterfaceProbe::ConsumerRecord(Page(), 0x00, 0xE9);
    QByteArray expected = QByteArray::fromHex("02000000" "0002E9000A000000" "0102E9000A000000");
    expected.append(QByteArray(32, '\0'));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(record.bytes), KeyEventRecord::Size), expected);
    const KeyEventRecord high = ButtoninterfaceProbe::ConsumerRecord(Page(), 0x02, 0x23);
    QCOMPARE(high.Event(1).code, 0x0223);
}

QTEST_MAIN(TestButtonsProfiles)
#include "test_buttons_profiles.moc"
