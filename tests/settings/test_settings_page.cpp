// The settings page on its own over a simulated 4K receiver: which receiver
// groups it shows for the reports it gets, what a user change sends (and
// undoes when it cannot be sent), the idle light-off choice, the texts and
// places of every language, the language combo, start with the session and
// the version line while scrolling.
#include "find_child.h"
#include "hub_recorder.h"
#include "library_calls.h"
#include "program_state.h"
#include "window_closer.h"
#include "world_text.h"

#include "app_state.h"
#include "autostart.h"
#include "form_setting.h"
#include "label_file.h"
#include "paths.h"
#include "post_msg.h"
#include "startup.h"
#include "up_date_warning.h"
#include "user_setting_store.h"

#include <devicelib_control.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <memory>

Q_DECLARE_METATYPE(DongleRGB*)

namespace {

const int kAero = 0; // Adveanced 0, 1: both features
const int kLynx = 1; // 1, -1: long range only
const int kOrca = 2; // -1, -1: neither

void SelectDevice(int modelIndex, int connectionType, const QByteArray& path)
{
    DeviceAllInfo device;
    device.path = QString::fromUtf8(path);
    device.modelIndex = modelIndex;
    device.connectionType = uint8_t(connectionType);
    device.wired = (connectionType & 0xFA) != 0;
    SetCurrentDevice(device);
    g_devicePath.set(path);
}

QStringList LightChecks(const QWidget* page)
{
    QStringList checked;
    for (const char* name : {"ReUntil", "ReUntil_2", "ReUntil_3"}) {
        if (Child<QCheckBox>(page, QLatin1String(name))->isChecked())
            checked << QLatin1String(name);
    }
    return checked;
}

} // namespace

class TestSettingsPage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void groupsFollowTheReports_data();
    void groupsFollowTheReports();
    void reportsArriveFromAnotherThread();
    void userChangesSendOnce();
    void unsentChangesAreUndone_data();
    void unsentChangesAreUndone();
    void lightOffTime_data();
    void lightOffTime();
    void languages_data();
    void languages();
    void languageCombo();
    void startWithSession();
    void startWithSessionFailureIsShown();
    void mouseSettingsLink_data();
    void mouseSettingsLink();
    void versionLineStaysInView();

private:
    std::unique_ptr<FormSetting> page;
    HubRecorder* hub = nullptr;
    QByteArray receiverPath;

    void Run(const QString& step);
};

void TestSettingsPage::initTestCase()
{
    PrepareUserData();
}

void TestSettingsPage::init()
{
    ResetProgramState();
    QVERIFY(SimWorld::Load(SimWorld::Receiver(QStringLiteral("r4"), 4, 1) + SimWorld::Mouse(QStringLiteral("m"), 1, QStringLiteral("r4"))));
    receiverPath = SimControl::devicePath(QStringLiteral("r4"));
    SelectDevice(kAero, 1, receiverPath);
    g_sendEnabled = true;
    UserSettingStore::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"), QStringLiteral("0"));
    page.reset(new FormSetting);
    hub = new HubRecorder;
    hub->Record(&PostMsg::SigMouseOffLineo, QStringLiteral("SigMouseOffLineo"));
    hub->Record(&PostMsg::SigChangeLanguage, QStringLiteral("SigChangeLanguage"));
    hub->Record(&PostMsg::SigLanguageSameA, QStringLiteral("SigLanguageSameA"));
    SimControl::clearCallLog();
}

void TestSettingsPage::cleanup()
{
    delete hub;
    hub = nullptr;
    page.reset();
}

// One step of a report sequence, as the connection delivers it.
void TestSettingsPage::Run(const QString& step)
{
    DongleRGB rgb;
    if (step.startsWith(QLatin1String("rgb"))) {
        rgb.bytes[0] = uint8_t(step.mid(3).toInt());
        QVERIFY(QMetaObject::invokeMethod(page.get(), "SlotRGBValue", Q_ARG(DongleRGB*, &rgb)));
    } else if (step.startsWith(QLatin1String("long"))) {
        QVERIFY(QMetaObject::invokeMethod(page.get(), "SlotLongRangeMode", Q_ARG(bool, step.endsWith(QLatin1Char('1')))));
    } else if (step == QLatin1String("form")) {
        QVERIFY(QMetaObject::invokeMethod(page.get(), "SlotForm"));
    } else if (step == QLatin1String("import")) {
        QVERIFY(QMetaObject::invokeMethod(page.get(), "SlotFormB"));
    } else if (step == QLatin1String("reset")) {
        QVERIFY(QMetaObject::invokeMethod(page.get(), "SlotFormResetForm"));
    } else if (step.startsWith(QLatin1String("select"))) {
        // "select<model>,<type>"
        const QStringList parts = step.mid(6).split(QLatin1Char(','));
        SelectDevice(parts.at(0).toInt(), parts.at(1).toInt(), receiverPath);
    } else {
        QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
    }
}

void TestSettingsPage::groupsFollowTheReports_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<bool>("longRange");
    QTest::addColumn<bool>("light");
    QTest::addColumn<QStringList>("lightChecks");
    QTest::addColumn<bool>("longRangeChecked");

    const QStringList none;
    QTest::newRow("nothing yet") << kAero << 1 << "" << false << false << none << false;
    QTest::newRow("4K: light, then the image") << kAero << 1 << "rgb2 form" << true << true
                                               << QStringList{"ReUntil_2"} << false;
    QTest::newRow("4K: image without a light report") << kAero << 1 << "form" << true << false << none << false;
    QTest::newRow("light mode 0 checks nothing") << kAero << 1 << "rgb0 form" << true << true << none << false;
    QTest::newRow("unknown mode keeps the choice") << kAero << 1 << "rgb3 rgb7 form" << true << true
                                                   << QStringList{"ReUntil_3"} << false;
    QTest::newRow("long range on") << kAero << 1 << "long1 form" << true << false << none << true;
    QTest::newRow("long range not reported again") << kAero << 1 << "long1 form form" << true << false << none
                                                   << false;
    QTest::newRow("long range between images") << kAero << 1 << "form long1" << true << false << none << true;
    QTest::newRow("import keeps both") << kAero << 1 << "rgb1 long1 form import" << true << true
                                       << QStringList{"ReUntil"} << true;
    QTest::newRow("8K receiver: no light group") << kAero << 5 << "rgb1 long1 form" << true << false << none << true;
    QTest::newRow("model without light") << kLynx << 1 << "rgb1 form" << true << false << none << false;
    QTest::newRow("model without either") << kOrca << 1 << "rgb1 long1 form" << false << false << none << false;
    QTest::newRow("cable") << kAero << 2 << "rgb1 long1 form" << false << false << none << false;
    QTest::newRow("light of another device") << kAero << 1 << "rgb1 form select0,2 form select0,1 form" << true
                                             << false << QStringList{"ReUntil"} << false;
    QTest::newRow("reset") << kAero << 1 << "rgb1 long1 form reset" << false << false << QStringList{"ReUntil"}
                           << false;
}

void TestSettingsPage::groupsFollowTheReports()
{
    QFETCH(int, model);
    QFETCH(int, type);
    QFETCH(QString, steps);
    QFETCH(bool, longRange);
    QFETCH(bool, light);
    QFETCH(QStringList, lightChecks);
    QFETCH(bool, longRangeChecked);
    SelectDevice(model, type, receiverPath);
    for (const QString& step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        Run(step);

    QCOMPARE(page->LongRangeGroupShown(), longRange);
    QCOMPARE(page->LightGroupShown(), light);
    QCOMPARE(Child<QCheckBox>(page.get(), QStringLiteral("checkBox_2"))->isHidden(), !longRange);
    QCOMPARE(Child<QCheckBox>(page.get(), QStringLiteral("ReUntil_2"))->isHidden(), !light);
    QCOMPARE(LightChecks(page.get()), lightChecks);
    QCOMPARE(Child<QCheckBox>(page.get(), QStringLiteral("checkBox_2"))->isChecked(), longRangeChecked);

    const bool expanded = longRange || light;
    QCOMPARE(Child<QWidget>(page.get(), QStringLiteral("scrollAreaWidgetContents"))->size(),
             QSize(849, expanded ? 860 : 710));
    QCOMPARE(Child<QPushButton>(page.get(), QStringLiteral("pushButton_3"))->pos(),
             expanded ? QPoint(570, 790) : QPoint(570, 620));
    QCOMPARE(Child<QPushButton>(page.get(), QStringLiteral("pushButton_4"))->pos(),
             expanded ? QPoint(450, 810) : QPoint(450, 640));

    // Reflecting reports never sends anything back.
    QVERIFY(LibraryCalls({QStringLiteral("UsbFinderC_Set")}).isEmpty());
    QVERIFY(hub->events.isEmpty());
}

// The connection reports from its own thread and waits for the page.
void TestSettingsPage::reportsArriveFromAnotherThread()
{
    DongleRGB rgb;
    rgb.bytes[0] = 3;
    std::unique_ptr<QThread> reporter(QThread::create([&rgb] {
        PostMsg* hub = PostMsg::GetInstance();
        emit hub->SigRGBValue(&rgb);
        emit hub->SigLongRangeMode(true);
        emit hub->SigForm();
    }));
    reporter->start();
    QTRY_VERIFY(reporter->isFinished());
    QVERIFY(page->LightGroupShown() && page->LongRangeGroupShown());
    QCOMPARE(LightChecks(page.get()), QStringList{QStringLiteral("ReUntil_3")});
    QVERIFY(Child<QCheckBox>(page.get(), QStringLiteral("checkBox_2"))->isChecked());
    QVERIFY(LibraryCalls({QStringLiteral("UsbFinderC_Set")}).isEmpty());
}

void TestSettingsPage::userChangesSendOnce()
{
    Run(QStringLiteral("rgb1"));
    Run(QStringLiteral("form"));
    Child<QCheckBox>(page.get(), QStringLiteral("ReUntil_3"))->click();
    QCOMPARE(CallArguments(QStringLiteral("UsbFinderC_Set4KDongleRGB")).size(), 1);
    QCOMPARE(SimControl::receiverLightMode(QStringLiteral("r4")), 3);
    QCOMPARE(LightChecks(page.get()), QStringList{QStringLiteral("ReUntil_3")});

    Child<QCheckBox>(page.get(), QStringLiteral("checkBox_2"))->click();
    QCOMPARE(SimControl::receiverLongRange(QStringLiteral("r4")), 1);
    Child<QCheckBox>(page.get(), QStringLiteral("checkBox_2"))->click();
    QCOMPARE(SimControl::receiverLongRange(QStringLiteral("r4")), 0);
    QCOMPARE(LibraryCalls({QStringLiteral("UsbFinderC_SetLongRangeMode")}).size(), 2);
    QVERIFY(hub->events.isEmpty());
}

void TestSettingsPage::unsentChangesAreUndone_data()
{
    QTest::addColumn<QString>("why");
    QTest::addColumn<QStringList>("notices");
    QTest::newRow("mouse offline") << "offline" << QStringList{QStringLiteral("SigMouseOffLineo(0)")};
    QTest::newRow("sending not enabled yet") << "disabled" << QStringList();
}

void TestSettingsPage::unsentChangesAreUndone()
{
    QFETCH(QString, why);
    QFETCH(QStringList, notices);
    Run(QStringLiteral("rgb1"));
    Run(QStringLiteral("form"));
    if (why == QLatin1String("offline"))
        QVERIFY(SimControl::setMouseOnline(QStringLiteral("m"), false));
    else
        g_sendEnabled = false;
    SimControl::clearCallLog();

    Child<QCheckBox>(page.get(), QStringLiteral("ReUntil_2"))->click();
    QCOMPARE(hub->events, notices);
    Child<QCheckBox>(page.get(), QStringLiteral("checkBox_2"))->click();
    QCOMPARE(hub->events, notices + notices);
    QVERIFY(LibraryCalls({QStringLiteral("UsbFinderC_Set")}).isEmpty());
    QCOMPARE(SimControl::receiverLightMode(QStringLiteral("r4")), 1);
    if (why == QLatin1String("offline")) {
        // The page shows what the receiver still has.
        QCOMPARE(LightChecks(page.get()), QStringList{QStringLiteral("ReUntil")});
        QVERIFY(!Child<QCheckBox>(page.get(), QStringLiteral("checkBox_2"))->isChecked());
    }
}

void TestSettingsPage::lightOffTime_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("item");
    QTest::newRow("10 s") << 10 << 0;
    QTest::newRow("1 min") << 60 << 2;
    QTest::newRow("5 min") << 300 << 3;
    QTest::newRow("40 min") << 2400 << 10;
    QTest::newRow("45 s is no item") << 45 << 4;
    QTest::newRow("0 is no item") << 0 << 4;
}

void TestSettingsPage::lightOffTime()
{
    QFETCH(int, seconds);
    QFETCH(int, item);
    auto* combo = Child<QComboBox>(Child<QWidget>(page.get(), QStringLiteral("frameClose")), QStringLiteral("StopClose"));
    combo->setCurrentIndex(4);
    SimControl::clearCallLog();
    emit PostMsg::GetInstance()->SigLightToFrom(seconds);
    QCOMPARE(combo->currentIndex(), item);
    QVERIFY(LibraryCalls({QStringLiteral("ProtocolDataUpdate"), QStringLiteral("UsbFinderC_GetDeviceOnLine")}).isEmpty());
}

void TestSettingsPage::languages_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("valueX");
    QTest::addColumn<QPoint>("update");
    QTest::addColumn<int>("updatePoints");
    QTest::addColumn<QString>("link");
    QTest::newRow("English") << 0 << 200 << QPoint(280, 170) << 10 << "www.quorix.example/en";
    QTest::newRow("Russian") << 1 << 280 << QPoint(330, 170) << 10 << "www.quorix.example/intl";
    QTest::newRow("Traditional Chinese") << 2 << 150 << QPoint(330, 170) << 10 << "www.quorix.example/intl";
    QTest::newRow("Korean") << 3 << 170 << QPoint(280, 170) << 10 << "www.quorix.example/en";
    QTest::newRow("index 4") << 4 << 235 << QPoint(285, 155) << 10 << "www.quorix.example/en";
    // Japanese leaves the update button where it was, and the link as it was.
    QTest::newRow("Japanese") << 5 << 280 << QPoint(285, 155) << 7 << "www.quorix.example/en";
}

void TestSettingsPage::languages()
{
    QFETCH(int, language);
    QFETCH(int, valueX);
    QFETCH(QPoint, update);
    QFETCH(int, updatePoints);
    QFETCH(QString, link);
    PostMsg* hub = PostMsg::GetInstance();
    UserSettingStore::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"), QStringLiteral("4"));
    emit hub->SigChangeLanguage(4);
    UserSettingStore::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"), QString::number(language));
    emit hub->SigChangeLanguage(language);

    QCOMPARE(Child<QLabel>(page.get(), QStringLiteral("label_5"))->pos(), QPoint(valueX, 155));
    QCOMPARE(Child<QLabel>(page.get(), QStringLiteral("label_7"))->pos(), QPoint(valueX, 185));
    auto* updateButton = Child<QToolButton>(page.get(), QStringLiteral("Receive_2"));
    QCOMPARE(updateButton->pos(), update);
    QCOMPARE(updateButton->font().pointSize(), updatePoints);
    QCOMPARE(Child<QPushButton>(page.get(), QStringLiteral("pushButton_3"))->text(), link);
    QVERIFY(!Child<QPushButton>(page.get(), QStringLiteral("pushButton_4"))->text().isEmpty());

    // Every text the page shows comes from the language file.
    const QString designerDefault = QStringLiteral("驅動版本: v1.0.0.1");
    for (const char* name : {"label", "label_2", "label_3", "label_4", "label_6", "label_8", "label_9", "label_10",
                             "label_11", "label_12", "label_13", "label_14"}) {
        const QString text = Child<QLabel>(page.get(), QLatin1String(name))->text();
        QVERIFY2(!text.isEmpty() && text != designerDefault, name);
    }
    QStringList texts;
    for (const char* name : {"textEdit", "textEdit_2", "textEdit_3", "textEdit_4", "NewLabel"})
        texts << Child<QTextEdit>(page.get(), QLatin1String(name))->toPlainText();
    for (const char* name : {"pushButton", "pushButton_2"})
        texts << Child<QPushButton>(page.get(), QLatin1String(name))->text();
    texts << updateButton->text() << g_wiredModeText;
    auto* times = Child<QComboBox>(Child<QWidget>(page.get(), QStringLiteral("frameClose")), QStringLiteral("StopClose"));
    for (int item = 0; item < times->count(); ++item)
        texts << times->itemText(item);
    for (const QString& text : texts)
        QVERIFY(!text.trimmed().isEmpty() && text != QStringLiteral("說明"));
    // Distinct descriptions: each element reached its own widget.
    QCOMPARE(QSet<QString>(texts.begin(), texts.begin() + 4).size(), 4);
}

void TestSettingsPage::languageCombo()
{
    auto* combo = Child<QComboBox>(page.get(), QStringLiteral("comboBox"));
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(combo->count(), 2);
    emit combo->activated(1);
    QCOMPARE(UserSettingStore::Instance()->Value(QStringLiteral("Language"), QStringLiteral("Language")), QStringLiteral("1"));
    QCOMPARE(hub->events, (QStringList{QStringLiteral("SigChangeLanguage(1)"), QStringLiteral("SigLanguageSameA(1)")}));
    QCOMPARE(Child<QLabel>(page.get(), QStringLiteral("label_2"))->text(), QStringLiteral("Язык"));

    hub->events.clear();
    emit PostMsg::GetInstance()->SigLanguageSameB(0);
    QCOMPARE(combo->currentIndex(), 0);
    QVERIFY(hub->events.isEmpty());
}

void TestSettingsPage::startWithSession()
{
    auto* box = Child<QCheckBox>(page.get(), QStringLiteral("checkBox"));
    QVERIFY(!box->isChecked());
    const QString entry = Autostart::EntryPath(QLatin1String(FormSetting::kAutostartEntry));
    box->click();
    QCOMPARE(UserSettingStore::Instance()->Value(QStringLiteral("AutoStart"), QStringLiteral("Enable")), QStringLiteral("1"));
    QFile file(entry);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains(("Exec=" + Autostart::ExecLine(QCoreApplication::applicationFilePath())).toUtf8()));
    file.close();

    // A new page shows the stored choice.
    page.reset(new FormSetting);
    box = Child<QCheckBox>(page.get(), QStringLiteral("checkBox"));
    QVERIFY(box->isChecked());
    box->click();
    QCOMPARE(UserSettingStore::Instance()->Value(QStringLiteral("AutoStart"), QStringLiteral("Enable")), QStringLiteral("0"));
    QVERIFY(!QFile::exists(entry));
}

// The entry's folder cannot be made (a file has its name): the box stays
// unchecked, the stored choice says off and the user learns which file could
// not be written. A stored "on" whose entry is gone is not shown as on.
void TestSettingsPage::startWithSessionFailureIsShown()
{
    const QString entry = Autostart::EntryPath(QLatin1String(FormSetting::kAutostartEntry));
    const QString folder = QFileInfo(entry).absolutePath();
    QVERIFY(QDir(folder).removeRecursively());
    QFile blocker(folder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    auto* box = Child<QCheckBox>(page.get(), QStringLiteral("checkBox"));
    {
        WindowCloser<UpDateWarning> notices;
        box->click();
        QCOMPARE(notices.count, 1);
        QVERIFY2(notices.lastLabel.remove(QChar(0x200B)).contains(entry), qPrintable(notices.lastLabel));
    }
    QVERIFY(!box->isChecked());
    QCOMPARE(UserSettingStore::Instance()->Value(QStringLiteral("AutoStart"), QStringLiteral("Enable")), QStringLiteral("0"));
    QVERIFY(QFile::remove(folder));

    UserSettingStore::Instance()->SetValue(QStringLiteral("AutoStart"), QStringLiteral("Enable"), QStringLiteral("1"));
    page.reset(new FormSetting);
    QVERIFY(!Child<QCheckBox>(page.get(), QStringLiteral("checkBox"))->isChecked());
}

// Without a known mouse settings program on the PATH the link says so; with
// one, it starts it and says nothing.
void TestSettingsPage::mouseSettingsLink_data()
{
    QTest::addColumn<bool>("installed");
    QTest::newRow("no settings program") << false;
    QTest::newRow("settings program installed") << true;
}

void TestSettingsPage::mouseSettingsLink()
{
    QFETCH(bool, installed);
    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    const QString program = bin.filePath(QStringLiteral("xfce4-mouse-settings"));
    if (installed) {
        QFile script(program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho > \"$0.ran\"\n");
        script.close();
        QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));
    }
    QString expected;
    LabelFile::Load(LabelFile::PathFor(0), QStringLiteral("FormSetting"),
                    {{QStringLiteral("NoMouseSettings"), [&expected](const QString& text) { expected = text; }}});

    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));
    WindowCloser<UpDateWarning> notices;
    Child<QPushButton>(page.get(), QStringLiteral("pushButton"))->click();
    qputenv("PATH", path);

    if (installed) {
        QCOMPARE(notices.count, 0);
        QTRY_VERIFY(QFile::exists(program + QStringLiteral(".ran")));
    } else {
        QCOMPARE(notices.count, 1);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(notices.lastLabel, expected);
    }
}

void TestSettingsPage::versionLineStaysInView()
{
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    QScrollBar* bar = Child<QScrollArea>(page.get(), QStringLiteral("scrollArea"))->verticalScrollBar();
    QCOMPARE(bar->maximum(), 122);
    bar->setValue(bar->maximum());
    QCOMPARE(Child<QLabel>(page.get(), QStringLiteral("label"))->pos(), QPoint(570, 152));
    Run(QStringLiteral("rgb1"));
    QCOMPARE(bar->maximum(), 272);
}

QTEST_MAIN(TestSettingsPage)
#include "test_settings_page.moc"
