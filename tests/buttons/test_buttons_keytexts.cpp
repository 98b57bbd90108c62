// Key texts: what each function type shows, macro keys and their files, the
// fill from the device connection and from an import for every model of the
// catalogue, and the page's language.
#include "button_page_fixture.h"

#include "config_store.h"
#include "debounce_time.h"
#include "find_child.h"
#include "hub_recorder.h"
#include "less_three.h"
#include "macro_file.h"
#include "paths.h"
#include "program_state.h"
#include "user_setting_store.h"
#include "window_closer.h"
#include "world_text.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QToolButton>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QtTest>

#include <cstring>
#include <memory>

namespace {

void SetFunction(FlashDataMap& image, int key, int type, int p1, int p2)
{
    image.keyFunctions[key][0] = uint8_t(type);
    image.keyFunctions[key][1] = uint8_t(p1);
    image.keyFunctions[key][2] = uint8_t(p2);
}

void SetRecord(FlashDataMap& image, int key, const KeyEventRecord& record)
{
    std::memcpy(image.keyEvents[key], record.bytes, KeyEventRecord::Size);
}

KeyEventRecord ConsumerRecord(int code)
{
    KeyEventRecord record;
    record.bytes[0] = 2;
    record.SetEvent(0, {0, KindConsumer, code, 10});
    record.SetEvent(1, {1, KindConsumer, code, 10});
    return record;
}

void SetMacroName(FlashDataMap& image, int key, const QByteArray& name)
{
    std::memset(image.macroBlocks[key], 0, FlashDataMap::MacroBlockSize);
    image.macroBlocks[key][0] = uint8_t(name.size());
    std::memcpy(image.macroBlocks[key] + 1, name.constData(), size_t(std::min(name.size(), 30)));
}

// The keys of the page's section in a label file, with their texts.
QMap<QString, QString> SectionOf(const QString& path)
{
    QMap<QString, QString> texts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return texts;
    QXmlStreamReader reader(&file);
    bool inside = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("Buttoninterface"))
            inside = true;
        else if (reader.isEndElement() && reader.name() == QLatin1String("Buttoninterface"))
            inside = false;
        else if (inside && reader.isStartElement())
            texts.insert(reader.name().toString(), reader.readElementText());
    }
    return texts;
}

} // namespace

class TestButtonsKeyTexts : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typeToText_data();
    void typeToText();
    void macroKeys_data();
    void macroKeys();
    void fillForEveryModel_data();
    void fillForEveryModel();
    void languageAtStart_data();
    void languageAtStart();
    void languageChangeRendersKeys();
    void everyLanguageHasTheTexts();

private:
    void MakePage();

    std::unique_ptr<Buttoninterface> m_page;
    Ui::Buttoninterface* ui = nullptr;
};

void TestButtonsKeyTexts::init()
{
    ResetProgramState();
    SimControl::resetWorld();
    QDir(MacroFolder()).removeRecursively();
    QDir().mkpath(MacroFolder());
    UserSettingStore::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"), QStringLiteral("0"));
}

void TestButtonsKeyTexts::cleanup()
{
    m_page.reset();
    ui = nullptr;
    StopUsbChanged();
}

void TestButtonsKeyTexts::MakePage()
{
    m_page.reset(new Buttoninterface);
    ui = ButtoninterfaceProbe::Form(m_page.get());
}

void TestButtonsKeyTexts::typeToText_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("p1");
    QTest::addColumn<QByteArray>("record"); // the key's 52 bytes, for type 5
    QTest::addColumn<QString>("text");      // "=" keeps the key's text

    auto bytes = [](const KeyEventRecord& record) {
        return QByteArray(reinterpret_cast<const char*>(record.bytes), KeyEventRecord::Size);
    };
    const QByteArray none;
    QTest::newRow("0 no function") << 0 << 0 << none << "Disabled";
    QTest::newRow("1 left") << 1 << 1 << none << "Left button";
    QTest::newRow("1 forward") << 1 << 16 << none << "Forward";
    QTest::newRow("1 unknown button") << 1 << 3 << none << "=";
    QTest::newRow("2 cycle") << 2 << 1 << none << "DPI cycle";
    QTest::newRow("2 down") << 2 << 3 << none << "DPI-";
    QTest::newRow("2 other") << 2 << 4 << none << "=";
    QTest::newRow("3 tilt right") << 3 << 2 << none << "Tilt right";
    QTest::newRow("4 fire key") << 4 << 30 << none << "Fire key";
    QTest::newRow("5 volume up") << 5 << 0 << bytes(ConsumerRecord(0x00E9)) << "Volume up";
    QTest::newRow("5 player, high byte ignored") << 5 << 0 << bytes(ConsumerRecord(0x0183)) << "Media player";
    QTest::newRow("5 unknown consumer code") << 5 << 0 << bytes(ConsumerRecord(0x0030)) << "=";
    QTest::newRow("5 combination") << 5 << 0 << bytes(KeyRecordFromText(QStringLiteral("Ctrl+A"))) << "Ctrl+A";
    QTest::newRow("5 empty record") << 5 << 0 << QByteArray(52, '\0') << "";
    QTest::newRow("7 polling rate") << 7 << 0 << none << "Polling rate switch";
    QTest::newRow("8 lights 2") << 8 << 2 << none << "=";
    QTest::newRow("8 light strip") << 8 << 3 << none << "Light strip on/off";
    QTest::newRow("9 profile") << 9 << 0 << none << "Profile switch";
    QTest::newRow("10 DPI lock") << 10 << 15 << none << "DPI lock-800";
    QTest::newRow("11 wheel down") << 11 << 2 << none << "Wheel down";
    QTest::newRow("12 unlisted") << 12 << 0 << none << "=";
}

void TestButtonsKeyTexts::typeToText()
{
    QFETCH(int, type);
    QFETCH(int, p1);
    QFETCH(QByteArray, record);
    QFETCH(QString, text);

    MakePage();
    ButtoninterfaceProbe::SetSensor(m_page.get(), QStringLiteral("3950"));
    FlashDataMap image;
    if (!record.isEmpty())
        std::memcpy(image.keyEvents[3], record.constData(), KeyEventRecord::Size);
    ui->TopMusic->setText(QStringLiteral("before"));
    ButtoninterfaceProbe::ShowKeyFunction(m_page.get(), 3, type, p1, 0, image);
    QCOMPARE(ui->TopMusic->text(), text == QLatin1String("=") ? QStringLiteral("before") : text);

    // Keys without a button change nothing.
    ButtoninterfaceProbe::ShowKeyFunction(m_page.get(), 6, type, p1, 0, image);
}

void TestButtonsKeyTexts::macroKeys_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("file"); // "" when the macro page is not asked to rebuild it

    QTest::newRow("plain name") << QByteArray("Jump") << "Macro-Jump" << "Jump";
    QTest::newRow("all 30 bytes") << QByteArray("abcdefghijklmnopqrstuvwxyz0123") << "Macro-abcdefghijklmnopqrstuvwxyz0123"
                                  << "abcdefghijklmnopqrstuvwxyz0123";
    QTest::newRow("parent folder") << QByteArray("..") << "Macro-.." << "";
    QTest::newRow("path") << QByteArray("../../x") << "Macro-../../x" << "";
    QTest::newRow("backslash") << QByteArray("a\\b") << "Macro-a\\b" << "";
    QTest::newRow("drive") << QByteArray("c:x") << "Macro-c:x" << "";
    QTest::newRow("control character") << QByteArray("a\tb") << "Macro-a\tb" << "";
    QTest::newRow("empty") << QByteArray() << "Macro-" << "";
}

void TestButtonsKeyTexts::macroKeys()
{
    QFETCH(QByteArray, name);
    QFETCH(QString, text);
    QFETCH(QString, file);

    MakePage();
    HubRecorder hub;
    hub.Record(&PostMsg::SigButtonToMacro, QStringLiteral("ToMacro"));
    FlashDataMap image;
    SetMacroName(image, 2, name);
    SetFunction(image, 2, 6, 2, 253);
    const QStringList before = QDir(MacroFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    ButtoninterfaceProbe::ShowKeyFunction(m_page.get(), 2, 6, 2, 253, image);

    QCOMPARE(ui->BackKey->text(), text);
    // The macro page writes the whole file from the image it is sent; a file
    // cut down here first would be left torn by a crash in between.
    QCOMPARE(QDir(MacroFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QVERIFY(!QFile::exists(UserDataFolder() + QStringLiteral("/usersetting/x.ini")));
    if (file.isEmpty()) {
        QCOMPARE(hub.events, QStringList());
    } else {
        QCOMPARE(hub.events, QStringList{"ToMacro(2)"});
        QCOMPARE(hub.images.size(), 1);
        QCOMPARE(hub.images.first().keyFunctions[2][2], uint8_t(253));
    }
}

void TestButtonsKeyTexts::fillForEveryModel_data()
{
    QTest::addColumn<int>("mid");
    QTest::addColumn<QString>("lockText");

    // Model 3's sensor has codes of its own; code 15 is its 1500.
    QTest::newRow("model 1") << 1 << "DPI lock-800";
    QTest::newRow("model 2") << 2 << "DPI lock-800";
    QTest::newRow("model 3") << 3 << "DPI lock-1500";
    QTest::newRow("model 4") << 4 << "DPI lock-800";
}

void TestButtonsKeyTexts::fillForEveryModel()
{
    QFETCH(int, mid);
    QFETCH(QString, lockText);

    const int keyCount = ConfigStore::Instance()->Value(ConfigStore::ModelGroup(mid - 1), QStringLiteral("KeyNumber")).toInt();
    QVERIFY(keyCount == 5 || keyCount == 6);
    QVERIFY(SimWorld::Load(SimWorld::Mouse("mouse", mid, QString())));

    // From the device: the first six types.
    FlashDataMap fromMouse;
    QVERIFY(SimControl::mouseImage(QStringLiteral("mouse")).size() == FlashDataMap::Size);
    std::memcpy(fromMouse.bytes(), SimControl::mouseImage(QStringLiteral("mouse")).constData(), FlashDataMap::Size);
    SetFunction(fromMouse, 0, 0, 0, 0);
    SetFunction(fromMouse, 1, 1, 2, 0);
    SetFunction(fromMouse, 2, 2, 2, 0);
    SetFunction(fromMouse, 3, 3, 1, 0);
    SetFunction(fromMouse, 4, 4, 20, 2);
    SetFunction(fromMouse, 5, 5, 0, 0);
    SetRecord(fromMouse, 5, KeyRecordFromText(QStringLiteral("Shift+Num+")));
    fromMouse.debounceTime = 2;
    fromMouse.lightOffTime = 30;
    QVERIFY(SimControl::setMouseImage(QStringLiteral("mouse"),
                                      QByteArray(reinterpret_cast<const char*>(fromMouse.bytes()), FlashDataMap::Size)));

    MakePage();
    ui->BackMusic->setText(QStringLiteral("untouched"));
    HubRecorder hub;
    hub.Record(&PostMsg::SigLightToFrom, QStringLiteral("LightToFrom"));
    hub.Record(&PostMsg::SigButtonToMacro, QStringLiteral("ToMacro"));
    WindowCloser<LessThree> notices;
    g_sendEnabled = true;

    ButtonPageFixture::SelectAndStart(QStringLiteral("mouse"));
    QTRY_VERIFY_WITH_TIMEOUT(g_buttonPageApplied, 10000);
    QVERIFY(!g_buttonPageUpdating);

    const QStringList deviceTexts{"Disabled", "Right button", "DPI+", "Tilt left", "Fire key", "Shift+Num+"};
    for (int key = 0; key < 6; ++key)
        QCOMPARE(m_page->KeyButton(key)->text(), key < keyCount ? deviceTexts[key] : QStringLiteral("untouched"));
    QCOMPARE(ButtoninterfaceProbe::Store(m_page.get()).Size(), keyCount);
    QCOMPARE(ButtoninterfaceProbe::Store(m_page.get()).Param2(4), 2);
    QCOMPARE(hub.events, QStringList{"LightToFrom(300)"});
    // The level from the mouse is shown, not sent back, no notice.
    QCOMPARE(Child<QComboBox>(ui->DebunceButton, QStringLiteral("Debunce"))->currentIndex(), 2);
    QCOMPARE(notices.count, 0);

    // From an import: the other six types; the level is sent again.
    FlashDataMap imported = fromMouse;
    SetFunction(imported, 0, 6, 0, 5);
    SetMacroName(imported, 0, "Jump");
    SetFunction(imported, 1, 7, 0, 0);
    SetFunction(imported, 2, 8, 4, 0);
    SetFunction(imported, 3, 9, 0, 0);
    SetFunction(imported, 4, 10, 15, 0);
    SetFunction(imported, 5, 11, 1, 0);
    imported.debounceTime = 3;
    imported.lightOffTime = 6;
    hub.Clear();
    SimControl::clearCallLog();
    emit PostMsg::GetInstance()->SigUpDataButtonUIC(imported);

    const QStringList importTexts{"Macro-Jump", "Polling rate switch", "Next light effect", "Profile switch", lockText,
                                  "Wheel up"};
    for (int key = 0; key < 6; ++key)
        QCOMPARE(m_page->KeyButton(key)->text(), key < keyCount ? importTexts[key] : QStringLiteral("untouched"));
    QCOMPARE(hub.events, (QStringList{"LightToFrom(60)", "ToMacro(0)"}));
    QCOMPARE(hub.images.size(), 1); // the macro page writes the file with its repeat code
    QCOMPARE(hub.images.first().keyFunctions[0][2], uint8_t(5));
    QCOMPARE(ButtoninterfaceProbe::Store(m_page.get()).Type(0), 6);
    QTRY_COMPARE(notices.count, 1);
    QVERIFY(SimControl::waitWrites());
    QCOMPARE(int(uint8_t(SimControl::lastImageSent().at(ImageOffset::DebounceTime))), 3);
    QVERIFY(!g_buttonPageUpdating);
}

void TestButtonsKeyTexts::languageAtStart_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("resetText");
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<bool>("tooltips");

    QTest::newRow("English") << 0 << "Reset" << 9 << false;
    QTest::newRow("Russian") << 1 << QString::fromUtf8("Сброс") << 8 << false;
    QTest::newRow("Korean") << 3 << QString::fromUtf8("초기화") << 9 << false;
    QTest::newRow("index 4 is English") << 4 << "Reset" << 9 << false;
    QTest::newRow("Japanese") << 5 << QString::fromUtf8("リセット") << 9 << true;
    QTest::newRow("unknown index") << 9 << "Reset" << 9 << false;
}

void TestButtonsKeyTexts::languageAtStart()
{
    QFETCH(int, index);
    QFETCH(QString, resetText);
    QFETCH(int, pointSize);
    QFETCH(bool, tooltips);

    UserSettingStore::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"), QString::number(index));
    MakePage();
    QCOMPARE(ui->Reset->text(), resetText);
    QCOMPARE(ui->DPI_10->font().pointSize(), pointSize);
    QCOMPARE(ui->LeftKey_3->font().pointSize(), pointSize);
    QCOMPARE(ui->ImportData->toolTip().isEmpty(), !tooltips);
    QVERIFY(!ui->OutputData->text().isEmpty());
    // Every debounce item carries the unit; the last two share one key.
    auto* debounce = Child<QComboBox>(ui->DebunceButton, QStringLiteral("Debunce"));
    QCOMPARE(debounce->count(), 21);
    QVERIFY(debounce->itemText(20).startsWith(QLatin1String("20")));
    QCOMPARE(debounce->itemText(20).mid(2), debounce->itemText(19).mid(2));
    QVERIFY(debounce->itemText(0).size() > 1);
}

void TestButtonsKeyTexts::languageChangeRendersKeys()
{
    QVERIFY(SimWorld::Load(SimWorld::Mouse("mouse", 1, QString())));
    FlashDataMap image;
    std::memcpy(image.bytes(), SimControl::mouseImage(QStringLiteral("mouse")).constData(), FlashDataMap::Size);
    SetFunction(image, 0, 1, 1, 0);
    SetFunction(image, 1, 6, 1, 2);
    SetMacroName(image, 1, "Jump");
    QVERIFY(SimControl::setMouseImage(QStringLiteral("mouse"),
                                      QByteArray(reinterpret_cast<const char*>(image.bytes()), FlashDataMap::Size)));
    MakePage();

    ButtonPageFixture::SelectAndStart(QStringLiteral("mouse"));
    QTRY_VERIFY_WITH_TIMEOUT(g_buttonPageApplied, 10000);
    // The mouse reports its four profiles.
    QTRY_COMPARE(ui->ProjectChoose->count(), 4);
    ui->ProjectChoose->setCurrentIndex(2);
    QCOMPARE(ui->FireKey->text(), QStringLiteral("Left button"));
    QCOMPARE(ui->RightKey->text(), QStringLiteral("Macro-Jump"));

    // No cache file exists: the keys still follow the language.
    QVERIFY(!QFile::exists(UserDataFolder() + QStringLiteral("/Device_Info/") + g_cacheNameOnSelect));
    QSignalSpy profileChanges(ui->ProjectChoose, SIGNAL(currentIndexChanged(int)));
    UserSettingStore::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"), QStringLiteral("3"));
    emit PostMsg::GetInstance()->SigChangeLanguage(3);
    QCOMPARE(ui->FireKey->text(), QString::fromUtf8("왼쪽 버튼"));
    QCOMPARE(ui->RightKey->text(), QString::fromUtf8("매크로-Jump"));
    QCOMPARE(ui->ProjectChoose->count(), 4);
    QCOMPARE(ui->ProjectChoose->currentIndex(), 2);
    QCOMPARE(ui->ProjectChoose->itemText(3), QString::fromUtf8("프로필 4"));
    QCOMPARE(profileChanges.count(), 0);

    // Index 4 means English here too; index 1 takes the smaller menu font.
    emit PostMsg::GetInstance()->SigChangeLanguage(4);
    QCOMPARE(ui->FireKey->text(), QStringLiteral("Left button"));
    emit PostMsg::GetInstance()->SigChangeLanguage(1);
    QCOMPARE(ui->FireKey->text(), QString::fromUtf8("Левая кнопка"));
    QCOMPARE(ui->DPI_4->font().pointSize(), 7);
}

void TestButtonsKeyTexts::everyLanguageHasTheTexts()
{
    QStringList keys{"Reset", "ImportData", "OutputData", "checkBox", "Macro_", "Config"};
    for (const char* name : {"FireKey", "RightKey", "BackKey", "StartPause", "TopMusic", "BackMusic", "LeftKey_3",
                             "RightKey_3", "MidKey", "BackKey_2", "ForWardKey", "DPI_2", "DPI_3", "DPI_6", "DPI_8", "DPI_5",
                             "DPI_13", "DPI_11", "DPI_10", "DPI_9", "DPI_7", "DPI_12", "DPI_4", "Player", "StartPause_2",
                             "BackMusic_2", "TopMusic_2", "Mute", "VolumeUp", "VolumeDown", "VolumeDown_3", "VolumeDown_4",
                             "VolumeDown_5", "VolumeDown_6", "VolumeDown_7", "VolumeDown_8", "VolumeDown_9", "VolumeDown_10",
                             "VolumeDown_11", "VolumeDown_12", "VolumeDown_13", "VolumeUp_4", "VolumeUp_5", "VolumeUp_6",
                             "VolumeUp_7", "VolumeUp_2", "VolumeDown_2", "VolumeUp_8", "VolumeUp_14", "VolumeDown_14"})
        keys << QLatin1String(name);
    for (int n = 1; n <= 20; ++n)
        keys << QStringLiteral("S%1").arg(n);

    const QStringList files = QDir(AppFolder() + QStringLiteral("/Language")).entryList({"?-*.xml"}, QDir::Files);
    QCOMPARE(files.size(), 5);
    QMap<QString, QString> english = SectionOf(AppFolder() + QStringLiteral("/Language/0-English.xml"));
    for (const QString& file : files) {
        const QMap<QString, QString> texts = SectionOf(AppFolder() + QStringLiteral("/Language/") + file);
        for (const QString& key : keys) {
            QVERIFY2(texts.contains(key), qPrintable(file + QLatin1Char(' ') + key));
            QVERIFY2(!texts.value(key).trimmed().isEmpty(), qPrintable(file + QLatin1Char(' ') + key));
            // Translated, not copied: only names and units may stay as they are.
            const bool debounceUnit = QRegularExpression(QStringLiteral("^S\\d+$")).match(key).hasMatch();
            if (!file.startsWith(QLatin1String("0-")) && !debounceUnit)
                QVERIFY2(texts.value(key) != english.value(key) || english.value(key).contains(QLatin1String("DPI")),
                         qPrintable(file + QLatin1Char(' ') + key));
        }
    }
}

QTEST_MAIN(TestButtonsKeyTexts)
#include "test_buttons_keytexts.moc"
