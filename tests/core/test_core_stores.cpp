// Config.ini and Macro.ini stores, and the registry values kept in the
// registry stand-in.
#include "app_state.h"
#include "config_store.h"
#include "paths.h"
#include "registry_values.h"
#include "user_setting_store.h"

#include <native_settings.h>

#include <QtTest>

#include <atomic>
#include <memory>
#include <thread>

namespace {

// A Config.ini of our own, written as the catalogue generator writes it.
const char* const kCatalogue = R"(
[Option]
DeviceTotal=NQo=
CID=NQo=
VID=MHgyRkU1
USB_PID=MHg3QTAx, IDB4N0EwMiAK, , MHg3QTAz
Wireless_PID=MHg3QjAx
Transition=1
LabelColor=10, 20, 30, 40
ButtonColor=10, 20
SliderColor=0,168,255
Plain=1,,3

[Drive1]
MID=2
Sensor=MyA5IDUgMAo=
MM=UVgtQUVSTy1NDQo=
DM=6byg5qCHCg==
DPIMaxGrade=8
D2M=!!!

[Drive7]
CID=NDI=
)";

} // namespace

class TestCoreStores : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void configValue_data();
    void configValue();
    void configValueList_data();
    void configValueList();
    void configIntValue();
    void colorText_data();
    void colorText();
    void configReadsFromTwoThreads();
    void configInstanceReadsShippedCatalogue();

    void macroIniReadWrite();
    void languageIndex_data();
    void languageIndex();
    void userSettingInstanceInDataFolder();

    void registryStandIn();
    void registryKeyPaths();
    void languageMigration_data();
    void languageMigration();
    void firmwareStateValues();
    void failureRecord_data();
    void failureRecord();
    void startWithSystem();

private:
    QTemporaryDir m_home;
    QTemporaryDir m_registryRoot;
    QTemporaryDir m_files;
    std::unique_ptr<ConfigStore> m_config;
};

void TestCoreStores::initTestCase()
{
    QVERIFY(m_home.isValid() && m_registryRoot.isValid() && m_files.isValid());
    // The singletons must never touch the real per-user folder or registry.
    qputenv("HOME", m_home.path().toLocal8Bit());
    QDir().mkpath(UserDataFolder());
    NativeSettings::SetRootFolder(m_registryRoot.path());

    const QString path = m_files.filePath("Config.ini");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(kCatalogue);
    file.close();
    m_config.reset(new ConfigStore(path));
}

void TestCoreStores::configValue_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("identity with line feed") << "Option" << "CID" << "5";
    QTest::newRow("identity with blanks") << "Drive1" << "Sensor" << "3950";
    QTest::newRow("carriage return stays") << "Drive1" << "MM" << "QX-AERO-M\r";
    QTest::newRow("identity as UTF-8") << "Drive1" << "DM" << QString::fromUtf8("鼠标");
    QTest::newRow("identity in any group") << "Drive7" << "CID" << "42";
    QTest::newRow("plain key looking like Base64") << "Option" << "DeviceTotal" << "NQo=";
    QTest::newRow("plain key") << "Drive1" << "MID" << "2";
    QTest::newRow("missing key") << "Option" << "Nothing" << "";
    QTest::newRow("missing group") << "Drive9" << "MID" << "";
    QTest::newRow("missing identity key") << "Drive9" << "Sensor" << "";
    QTest::newRow("invalid Base64 is not checked") << "Drive1" << "D2M" << "";
}

void TestCoreStores::configValue()
{
    QFETCH(QString, group);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QCOMPARE(m_config->Value(group, key), value);
}

void TestCoreStores::configValueList_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("identity list, empty element stays")
        << "Option" << "USB_PID" << QStringList{"0x7A01", "0x7A02", "", "0x7A03"};
    QTest::newRow("identity single item") << "Option" << "Wireless_PID" << QStringList{"0x7B01"};
    QTest::newRow("plain list with empty item") << "Option" << "Plain" << QStringList{"1", "", "3"};
    QTest::newRow("blanks after commas") << "Option" << "LabelColor" << QStringList{"10", "20", "30", "40"};
    QTest::newRow("missing") << "Option" << "Wireless8_PID" << QStringList();
}

void TestCoreStores::configValueList()
{
    QFETCH(QString, group);
    QFETCH(QString, key);
    QFETCH(QStringList, items);
    QCOMPARE(m_config->ValueList(group, key), items);
}

void TestCoreStores::configIntValue()
{
    QCOMPARE(m_config->IntValue("Drive1", "DPIMaxGrade"), 8);
    QCOMPARE(m_config->IntValue("Option", "CID"), 5);
    QCOMPARE(m_config->IntValue("Option", "Missing"), 0);
    QCOMPARE(m_config->IntValue("Option", "DeviceTotal"), 0); // stored text is not a number
}

void TestCoreStores::colorText_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::newRow("first three of four") << "LabelColor" << "10,20,30";
    QTest::newRow("exactly three") << "SliderColor" << "0,168,255";
    QTest::newRow("two items: fallback") << "ButtonColor" << "255,255,255";
    QTest::newRow("missing: fallback") << "ComboxTextColor" << "255,255,255";
}

void TestCoreStores::colorText()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    QCOMPARE(m_config->ColorText(key), text);
    if (text == "255,255,255")
        QCOMPARE(m_config->ColorText(key, "1,2,3"), QStringLiteral("1,2,3"));
}

// The report thread and the user-interface thread read the catalogue at the
// same time; every read must still give the stored values.
void TestCoreStores::configReadsFromTwoThreads()
{
    std::atomic<int> wrong{0};
    auto reader = [&](const QString& group, const QString& key, const QString& expected) {
        for (int i = 0; i < 3000; ++i) {
            if (m_config->Value(group, key) != expected)
                ++wrong;
        }
    };
    std::thread other(reader, QStringLiteral("Drive1"), QStringLiteral("Sensor"), QStringLiteral("3950"));
    reader(QStringLiteral("Option"), QStringLiteral("CID"), QStringLiteral("5"));
    other.join();
    QCOMPARE(wrong.load(), 0);
}

void TestCoreStores::configInstanceReadsShippedCatalogue()
{
    ConfigStore* store = ConfigStore::Instance();
    QCOMPARE(ConfigStore::Instance(), store);
    QCOMPARE(store->FilePath(), QCoreApplication::applicationDirPath() + "/usersetting/Config.ini");
    QVERIFY2(QFile::exists(store->FilePath()), "the data tree holds usersetting/Config.ini");
    QCOMPARE(store->Value("Option", "VID"), QStringLiteral("0x2FE5"));
    QCOMPARE(store->Value("Option", "CID"), QStringLiteral("23"));
    QCOMPARE(store->ValueList("Option", "USB_PID"), QStringList{"0x7A01"});
    QCOMPARE(store->Value("Drive1", "Sensor"), QStringLiteral("3950"));
    QCOMPARE(store->Value("Drive4", "MM"), QStringLiteral("QX-PICO-M"));
    QVERIFY(QRegularExpression("^\\d+,\\d+,\\d+$").match(store->ColorText("LabelColor")).hasMatch());
}

void TestCoreStores::macroIniReadWrite()
{
    const QString path = m_files.filePath("Macro.ini");
    UserSettingStore store(path);
    QCOMPARE(store.Value("Language", "Language"), QString());
    store.SetValue("Language", "Language", "3");
    store.SetValue("AutoStart", "Enable", "1");
    store.SetValue("FindNew", "IsShow", QString::fromUtf8("开"));
    QCOMPARE(store.Value("Language", "Language"), QStringLiteral("3"));

    // Written through at once, in UTF-8.
    QSettings file(path, QSettings::IniFormat);
    file.setIniCodec("UTF-8");
    QCOMPARE(file.value("Language/Language").toString(), QStringLiteral("3"));
    QCOMPARE(file.value("AutoStart/Enable").toString(), QStringLiteral("1"));
    QCOMPARE(file.value("FindNew/IsShow").toString(), QString::fromUtf8("开"));

    store.SetValue("Macro", "List", "a,b");
    QCOMPARE(store.ValueList("Macro", "List"), (QStringList{"a,b"}));
    QCOMPARE(store.ValueList("Macro", "Missing"), QStringList());
    store.Remove("AutoStart", "Enable");
    QCOMPARE(store.Value("AutoStart", "Enable"), QString());

    // A second store over the same file reads what the first one wrote.
    UserSettingStore again(path);
    QCOMPARE(again.Value("Language", "Language"), QStringLiteral("3"));
    QCOMPARE(again.Value("AutoStart", "Enable"), QString());
}

void TestCoreStores::languageIndex_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("index");
    QTest::newRow("missing") << QString() << 0;
    QTest::newRow("Korean") << "3" << 3;
    QTest::newRow("Japanese") << "5" << 5;
    QTest::newRow("not a number") << "abc" << 0;
}

void TestCoreStores::languageIndex()
{
    QFETCH(QString, stored);
    QFETCH(int, index);
    UserSettingStore store(m_files.filePath("Language-%1.ini").arg(QTest::currentDataTag()));
    if (!stored.isNull())
        store.SetValue("Language", "Language", stored);
    QCOMPARE(store.LanguageIndex(), index);
}

void TestCoreStores::userSettingInstanceInDataFolder()
{
    UserSettingStore* store = UserSettingStore::Instance();
    QCOMPARE(UserSettingStore::Instance(), store);
    QCOMPARE(store->FilePath(), m_home.path() + "/AppData/Local/Quorix One/Macro.ini");
    store->SetValue("AutoStart", "Enable", "0");
    QVERIFY(QFile::exists(store->FilePath()));
    QCOMPARE(store->Value("AutoStart", "Enable"), QStringLiteral("0"));
}

void TestCoreStores::registryStandIn()
{
    QCOMPARE(NativeSettings::FilePath(), m_registryRoot.path() + "/Quorix One/Registry.ini");

    NativeSettings key("HKEY_CURRENT_USER\\Software\\Test\\Key");
    NativeSettings sibling("HKEY_CURRENT_USER\\Software\\Test\\Other");
    QVERIFY(!key.Contains("Value"));
    QCOMPARE(key.Value("Value", 7).toInt(), 7);
    key.SetValue("Value", 3);
    key.SetValue("Text", "v1.2");
    QVERIFY(QFile::exists(NativeSettings::FilePath()));
    QVERIFY(!sibling.Contains("Value"));

    // A new object (as for every use) sees the values.
    NativeSettings reopened("HKEY_CURRENT_USER\\Software\\Test\\Key");
    QCOMPARE(reopened.Value("Value").toInt(), 3);
    QCOMPARE(reopened.Value("Text").toString(), QStringLiteral("v1.2"));
    reopened.Remove("Value");
    QVERIFY(!key.Contains("Value"));
    QVERIFY(key.Contains("Text"));

    // No stray files named after the key path.
    QDirIterator files(m_registryRoot.path(), QDir::Files, QDirIterator::Subdirectories);
    QStringList found;
    while (files.hasNext())
        found << files.next();
    QCOMPARE(found, QStringList{NativeSettings::FilePath()});
}

void TestCoreStores::registryKeyPaths()
{
    QCOMPARE(ApplicationKeyPath(), QStringLiteral("HKEY_CURRENT_USER\\Software\\Quorix One\\Quorix One\\Quorix One"));
    QCOMPARE(FirmwareStateKeyPath(),
             QStringLiteral("HKEY_CURRENT_USER\\Software\\Quorix One\\Quorix One\\Mouse Drive Test"));
    QCOMPARE(StartWithSystemKeyPath(),
             QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"));
}

void TestCoreStores::languageMigration_data()
{
    QTest::addColumn<QVariant>("registry");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("3 is copied") << QVariant(3) << "5" << "3";
    QTest::newRow("0 is not copied") << QVariant(0) << "5" << "5";
    QTest::newRow("missing") << QVariant() << "1" << "1";
    QTest::newRow("not a number reads 0") << QVariant("x") << "2" << "2";
}

void TestCoreStores::languageMigration()
{
    QFETCH(QVariant, registry);
    QFETCH(QString, before);
    QFETCH(QString, after);
    UserSettingStore* store = UserSettingStore::Instance();
    store->SetValue("Language", "Language", before);
    NativeSettings appKey(ApplicationKeyPath());
    if (registry.isValid())
        appKey.SetValue("LanguageIndex", registry);

    MigrateLanguageIndex();

    QCOMPARE(store->Value("Language", "Language"), after);
    QVERIFY(!appKey.Contains("LanguageIndex"));
}

void TestCoreStores::firmwareStateValues()
{
    QCOMPARE(UpdateFailInfo(), QString());
    SetUpdateFailInfo(211, 4, 23, 1);
    QCOMPARE(UpdateFailInfo(), QStringLiteral("211,4,23,1"));
    QCOMPARE(NativeSettings(FirmwareStateKeyPath()).Value("UpdateFailInfo").toString(),
             QStringLiteral("211,4,23,1"));
    RemoveUpdateFailInfo();
    QCOMPARE(UpdateFailInfo(), QString());

    // Customer id and model id as the shipped catalogue holds them.
    QCOMPARE(MouseVersionValueName(0), QStringLiteral("MouseVer231"));
    QCOMPARE(MouseVersionValueName(3), QStringLiteral("MouseVer234"));
    QCOMPARE(StoredMouseVersion(0), QString());
    StoreMouseVersion(0, "v1.2");
    QCOMPARE(StoredMouseVersion(0), QStringLiteral("v1.2"));
    QCOMPARE(StoredMouseVersion(1), QString());
    QCOMPARE(NativeSettings(FirmwareStateKeyPath()).Value("MouseVer231").toString(), QStringLiteral("v1.2"));
}

void TestCoreStores::failureRecord_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("read"); // "kind class cid mid", "-" no record
    QTest::newRow("as written") << "211,4,23,1" << "211 4 23 1";
    QTest::newRow("mouse, class 8") << "210,8,23,2" << "210 8 23 2";
    QTest::newRow("none") << "" << "-";
    QTest::newRow("three parts") << "211,4,23" << "-";
    QTest::newRow("five parts") << "211,4,23,1,0" << "-";
    QTest::newRow("empty parts") << ",,," << "0  0 0";
    QTest::newRow("class kept as text") << "211, 4,23,1" << "211  4 23 1";
    QTest::newRow("numbers that do not read") << "x,3,99999999999,-1" << "0 3 0 -1";
}

// What every reader of the record takes from it.
void TestCoreStores::failureRecord()
{
    QFETCH(QString, text);
    QFETCH(QString, read);
    const UpdateFailRecord record = ParseUpdateFailInfo(text);
    QCOMPARE(record.complete ? QStringLiteral("%1 %2 %3 %4").arg(record.kind).arg(record.classText).arg(record.cid).arg(record.mid)
                             : QStringLiteral("-"),
             read);
}

void TestCoreStores::startWithSystem()
{
    NativeSettings run(StartWithSystemKeyPath());
    const QString name = QCoreApplication::applicationName();
    SetStartWithSystem(true);
    const QString path = run.Value(name).toString();
    QVERIFY(!path.contains('/'));
    QCOMPARE(path, QString(QCoreApplication::applicationFilePath()).replace('/', '\\'));
    SetStartWithSystem(false);
    QVERIFY(!run.Contains(name));
}

QTEST_GUILESS_MAIN(TestCoreStores)
#include "test_core_stores.moc"
