// The button page's macro list: the listing of the macro folder, macro files
// turned into device blocks, the repeat code, binding a macro to a key, and
// following the macro page's deletes, renames and saves. Its catalogue gives
// the first model one default list of each kind.
#include "buttoninterface.h"
#include "ui_buttoninterface.h"

#include "hub_recorder.h"
#include "library_calls.h"
#include "own_program_folder.h"
#include "sim_mouse.h"
#include "test_image.h"

#include "device_image_setters.h"
#include "macro_file.h"
#include "macro_key_rules.h"
#include "key_notices.h"
#include "macro_block_events.h"
#include "modal_run.h"
#include "paths.h"
#include "startup.h"

#include <devicelib_control.h>

#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QScrollArea>
#include <QStackedWidget>
#include <QToolButton>
#include <QtTest>

#include <memory>

class ButtoninterfaceProbe {
public:
    static Ui::Buttoninterface* Form(Buttoninterface* page) { return page->ui; }
    static QList<QToolButton*> MacroButtons(Buttoninterface* page) { return page->MacroButtons; }
    static QButtonGroup* SubItems(Buttoninterface* page) { return page->SubItemGroup; }
    static QString MacroPrefix(Buttoninterface* page) { return page->MacroPrefix; }
    static const KeyFunctionStore& Store(Buttoninterface* page) { return page->keyStore; }
    static QByteArray FileToBlock(Buttoninterface* page, const QString& name, bool* ok)
    {
        return page->MacroFileToBlock(name, 0, ok);
    }
};

namespace {

// Drive1: key 1 nothing, key 2 a multimedia key, key 4 a keyboard key;
// keys 0, 3 and 5 their menu items.
bool PrepareProgramFolder()
{
    using namespace OwnProgramFolder;
    const QString catalogue = QStringLiteral("usersetting/Config.ini");
    return IsOwn() && CopyShipped(catalogue) && CopyShipped(QStringLiteral("driver_sensor.h"))
           && CopyShipped(QStringLiteral("Language")) && CopyShipped(QStringLiteral("Picture/Buttoninterface"))
           && EditCopy(catalogue, {{"KeyParam2=0x01, 0x02, 0x00", "KeyParam2=0x05, 1"},
                                   {"KeyParam3=0x01, 0x04, 0x00", "KeyParam3=0x05, 0x02, 0xE9"},
                                   {"KeyParam5=0x01, 0x10, 0x00", "KeyParam5=0x05, 0x02, 0x00, Ctrl+C"}});
}

QByteArray KeyLines(int keys)
{
    QByteArray lines;
    for (int i = 0; i < keys; ++i)
        lines += (i % 2 ? "0x04 1 1\n" : "0x04 1 0\n") + QByteArray(i + 1 < keys ? "10ms\n" : "");
    return lines;
}

QByteArray MouseBlock(int key)
{
    return SimControl::mouseImage(QString::fromLatin1(SimMouse::kMouse)).mid(int(ImageOffset::MacroBlocks) + 592 * key, 592);
}

QByteArray MouseFunction(int key)
{
    return SimControl::mouseImage(QString::fromLatin1(SimMouse::kMouse)).mid(int(ImageOffset::KeyFunctions) + 3 * key, 3);
}

QByteArray MouseKeyRecord(int key)
{
    return SimControl::mouseImage(QString::fromLatin1(SimMouse::kMouse)).mid(int(ImageOffset::KeyEvents) + 52 * key, 52);
}

} // namespace

class TestButtonsMacros : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void listsTheMacroFolder_data();
    void listsTheMacroFolder();

    void turnsAFileIntoABlock_data();
    void turnsAFileIntoABlock();
    void refusesWhatCannotBeSent();

    void bindingWritesBlockAndFunction_data();
    void bindingWritesBlockAndFunction();
    void bindingNeedsACheckedKeyAndTheMouse();
    void renameRewritesTheNameOfMacroKeysOnly();
    void renameLeavesABlockThatHoldsAnotherMacro();
    void savedEventsAreAskedForPerMacroKey();
    void savedRepeatCodeIsSentToMacroKeysOnly();
    void deleteGivesTheDefaults();

private:
    Buttoninterface* Page() const { return m_page.get(); }
    Ui::Buttoninterface* Form() const { return ButtoninterfaceProbe::Form(Page()); }
    QString Prefix() const { return ButtoninterfaceProbe::MacroPrefix(Page()); }
    static void WriteMacro(const QString& name, const QByteArray& content);
    QToolButton* MacroButton(const QString& name) const;
    // Checks the key, clicks the macro's button: the binding path.
    void Bind(int key, const QString& name);

    std::unique_ptr<Buttoninterface> m_page;
};

void TestButtonsMacros::initTestCase()
{
    QVERIFY(PrepareProgramFolder());
    PrepareUserData();
    QVERIFY(SimMouse::Start());
}

void TestButtonsMacros::init()
{
    QDir folder(MacroFolder());
    folder.removeRecursively();
    QVERIFY(QDir().mkpath(MacroFolder()));
    DeviceAllInfo device = CurrentDeviceCopy();
    device.modelIndex = 0;
    SetCurrentDevice(device);
    m_page.reset(new Buttoninterface); // its worker points the device path at a placeholder
    QVERIFY(SimMouse::Connect());
    QVERIFY(SimMouse::Reset(ImageFromBytes(SimControl::mouseImage(QString::fromLatin1(SimMouse::kMouse)))));
    QVERIFY(QMetaObject::invokeMethod(Page(), "SlotFormResetButton")); // six stored functions
    SetMacroSaveWait([](int) {});
}

void TestButtonsMacros::cleanup()
{
    m_page.reset();
    SetMacroSaveWait(nullptr);
}

void TestButtonsMacros::WriteMacro(const QString& name, const QByteArray& content)
{
    QFile file(MacroFilePath(MacroFolder(), name));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), qint64(content.size()));
}

QToolButton* TestButtonsMacros::MacroButton(const QString& name) const
{
    for (QToolButton* button : ButtoninterfaceProbe::MacroButtons(Page())) {
        if (button->isEnabled() && button->text() == name)
            return button;
    }
    return nullptr;
}

void TestButtonsMacros::Bind(int key, const QString& name)
{
    emit PostMsg::GetInstance()->SigAddMacroButton();
    QToolButton* button = MacroButton(name);
    QVERIFY(button);
    Page()->KeyButton(key)->setChecked(true);
    button->click();
}

void TestButtonsMacros::listsTheMacroFolder_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("fillers");

    QTest::newRow("names with xml are macros like any other")
        << QStringList{"a.ini", "b_xml.ini", "c.ini", "xml2.ini"} << QStringList{"a", "b_xml", "c", "xml2"} << 3;
    QTest::newRow("only the .ini ending counts, and only it goes")
        << QStringList{"X.INI", "a.ini.ini", "notes.txt", ".ini"} << QStringList{"a.ini"} << 6;
    QTest::newRow("sorted ignoring case") << QStringList{"b.ini", "A.ini", "c.ini"} << QStringList{"A", "b", "c"} << 4;
    QTest::newRow("seven: no fillers") << QStringList{"1.ini", "2.ini", "3.ini", "4.ini", "5.ini", "6.ini", "7.ini"}
                                       << QStringList{"1", "2", "3", "4", "5", "6", "7"} << 0;
    QTest::newRow("none") << QStringList{"skipped.txt"} << QStringList() << 0;
}

// The list built with the page and the list rebuilt later agree, and fillers
// count the buttons shown.
void TestButtonsMacros::listsTheMacroFolder()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, shown);
    QFETCH(int, fillers);
    for (const QString& file : files) {
        QFile macro(MacroFolder() + QLatin1Char('/') + file);
        QVERIFY(macro.open(QIODevice::WriteOnly));
    }

    for (int build = 0; build < 2; ++build) {
        if (build == 0)
            m_page.reset(new Buttoninterface);
        else
            emit PostMsg::GetInstance()->SigAddMacroButton();
        const QList<QToolButton*> buttons = ButtoninterfaceProbe::MacroButtons(Page());
        QCOMPARE(buttons.size(), shown.size() + fillers);
        QStringList texts;
        for (int i = 0; i < shown.size(); ++i) {
            texts << buttons[i]->text();
            QVERIFY(buttons[i]->isEnabled());
            QCOMPARE(buttons[i]->group(), ButtoninterfaceProbe::SubItems(Page()));
        }
        QCOMPARE(texts, shown);
        for (int i = shown.size(); i < buttons.size(); ++i) {
            QVERIFY(buttons[i]->text().isEmpty());
            QVERIFY(!buttons[i]->isEnabled());
            QVERIFY(buttons[i]->isHidden());
            QVERIFY(!buttons[i]->group());
        }
    }
}

void TestButtonsMacros::turnsAFileIntoABlock_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("block");

    QTest::newRow("key, delay, key") << "m" << QByteArray("1\n0x04 1 0\n10ms\n0x04 1 1\n")
                                     << Block("m", {Event(0, 1, 4, 10), Event(1, 1, 4, 0)});
    QTest::newRow("last line without a line feed") << "m" << QByteArray("1\n0x04 1 0\n10ms\n0x04 1 1")
                                                    << Block("m", {Event(0, 1, 4, 10), Event(1, 1, 4, 0)});
    QTest::newRow("CR LF lines") << "m" << QByteArray("1\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n")
                                 << Block("m", {Event(0, 1, 4, 10), Event(1, 1, 4, 0)});
    QTest::newRow("neither press nor release: line skipped")
        << "m" << QByteArray("1\n0x05 1 2\n0x04 1 0\n") << Block("m", {Event(0, 1, 4, 0)});
    QTest::newRow("modifier and mouse button") << "m" << QByteArray("254\n0x02 0 0\n5ms\n0x01 4 1\n")
                                               << Block("m", {Event(0, 0, 2, 5), Event(1, 4, 1, 0)});
    QTest::newRow("header only") << "m" << QByteArray("3\n") << Block("m", {});
    QTest::newRow("70 key events fill the block") << "m" << (QByteArray("1\n") + KeyLines(70))
                                                  << [] {
                                                         QList<QByteArray> events;
                                                         for (int i = 0; i < 70; ++i)
                                                             events << Event(i % 2, 1, 4, i < 69 ? 10 : 0);
                                                         return Block("m", events);
                                                     }();
    QTest::newRow("name of 40 bytes") << QString(40, QLatin1Char('n')) << QByteArray("1\n0x04 1 0\n")
                                      << Block(QByteArray(30, 'n'), {Event(0, 1, 4, 0)});
    // The macro page sends by the same rule (test_macro_transfer).
    for (const SentMacroCase& sent : SentMacroCases())
        QTest::newRow(sent.label) << "m" << "1\n" + sent.lines << Block("m", sent.events);
}

void TestButtonsMacros::turnsAFileIntoABlock()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, block);
    WriteMacro(name, file);
    bool ok = false;
    QCOMPARE(ButtoninterfaceProbe::FileToBlock(Page(), name, &ok), block);
    QVERIFY(ok);
}

void TestButtonsMacros::refusesWhatCannotBeSent()
{
    const QByteArray zero(FlashDataMap::MacroBlockSize, '\0');
    WriteMacro(QStringLiteral("long"), QByteArray("1\n") + KeyLines(71));
    WriteMacro(QStringLiteral("short"), QByteArray("1\n0x04 1 0\n"));
    bool ok = true;
    QCOMPARE(ButtoninterfaceProbe::FileToBlock(Page(), QStringLiteral("long"), &ok), zero);
    QVERIFY(!ok);
    ok = true;
    QCOMPARE(ButtoninterfaceProbe::FileToBlock(Page(), QStringLiteral("missing"), &ok), zero);
    QVERIFY(!ok);
    ok = true;
    ButtoninterfaceProbe::FileToBlock(Page(), QStringLiteral("../MacroPage/short"), &ok);
    QVERIFY(!ok);
    g_sendEnabled = false;
    ok = true;
    ButtoninterfaceProbe::FileToBlock(Page(), QStringLiteral("short"), &ok);
    QVERIFY(!ok);
}

void TestButtonsMacros::bindingWritesBlockAndFunction_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QByteArray>("repeatLine");
    QTest::addColumn<int>("repeat");

    QTest::newRow("FireKey, count") << 0 << QByteArray("3") << 3;
    QTest::newRow("TopMusic, repeat mode") << 3 << QByteArray("254") << 254;
    QTest::newRow("BackKey, largest count") << 2 << QByteArray("250") << 250;
    QTest::newRow("RightKey, last repeat mode") << 1 << QByteArray("255") << 255;
    // Codes the mouse does not know play once.
    QTest::newRow("StartPause, 300 is no code") << 4 << QByteArray("300") << 1;
    QTest::newRow("between counts and modes") << 0 << QByteArray("251") << 1;
    QTest::newRow("negative") << 0 << QByteArray("-1") << 1;
    QTest::newRow("zero") << 0 << QByteArray("0") << 1;
    QTest::newRow("no number") << 0 << QByteArray("abc") << 1;
}

void TestButtonsMacros::bindingWritesBlockAndFunction()
{
    QFETCH(int, key);
    QFETCH(QByteArray, repeatLine);
    QFETCH(int, repeat);
    WriteMacro(QStringLiteral("Burst"), repeatLine + "\n0x04 1 0\n20ms\n0x04 1 1\n");
    Form()->stackedWidget_2->setCurrentWidget(Form()->page_5);
    Bind(key, QStringLiteral("Burst"));

    QVERIFY(SimControl::waitIdle());
    QCOMPARE(MouseBlock(key), Block("Burst", {Event(0, 1, 4, 20), Event(1, 1, 4, 0)}));
    QCOMPARE(MouseFunction(key), Bytes({6, key, repeat}));
    QCOMPARE(Page()->KeyButton(key)->text(), Prefix() + QStringLiteral("Burst"));
    const KeyFunctionStore& store = ButtoninterfaceProbe::Store(Page());
    QCOMPARE(store.Type(key), 6);
    QCOMPARE(store.Param1(key), key);
    QCOMPARE(store.Param2(key), repeat);
    QCOMPARE(Form()->stackedWidget_2->currentWidget(), Form()->page_9);
    QCOMPARE(Form()->stackedWidget->currentWidget(), Form()->page);
}

void TestButtonsMacros::bindingNeedsACheckedKeyAndTheMouse()
{
    WriteMacro(QStringLiteral("Burst"), "1\n0x04 1 0\n");
    WriteMacro(QStringLiteral("Huge"), QByteArray("1\n") + KeyLines(71));
    emit PostMsg::GetInstance()->SigAddMacroButton();
    const QString before = Page()->KeyButton(1)->text();

    // No key checked.
    Form()->stackedWidget_2->setCurrentWidget(Form()->page_5);
    MacroButton(QStringLiteral("Burst"))->click();
    QCOMPARE(Form()->stackedWidget_2->currentWidget(), Form()->page_9);

    // More events than a block holds: the user is told.
    {
        ModalAnswer<KeyNumberLimit> limit([](KeyNumberLimit&) {});
        Bind(1, QStringLiteral("Huge"));
        QCOMPARE(limit.count, 1);
    }
    // The mouse offline.
    QVERIFY(SimMouse::SetOnline(false));
    Bind(1, QStringLiteral("Burst"));

    QCOMPARE(SimMouse::Sends(), 0);
    QCOMPARE(Page()->KeyButton(1)->text(), before);
    QCOMPARE(ButtoninterfaceProbe::Store(Page()).Type(1), 1);
}

void TestButtonsMacros::renameRewritesTheNameOfMacroKeysOnly()
{
    WriteMacro(QStringLiteral("Twenty-byte-name-abc"), "1\n0x04 1 0\n");
    Bind(2, QStringLiteral("Twenty-byte-name-abc"));
    // A mouse-button key whose text reads like the macro.
    Page()->KeyButton(1)->setText(Prefix() + QStringLiteral("Twenty-byte-name-abc"));
    QVERIFY(SimControl::waitIdle());
    const QByteArray otherBlock = MouseBlock(1);
    SimControl::clearCallLog();

    emit PostMsg::GetInstance()->SigMacroRename(QStringLiteral("Twenty-byte-name-abc"), QStringLiteral("Short"));
    QVERIFY(SimControl::waitIdle());
    QCOMPARE(MouseBlock(2), Block("Short", {Event(0, 1, 4, 0)}));
    QCOMPARE(MouseFunction(2), Bytes({6, 2, 1}));
    QCOMPARE(Page()->KeyButton(2)->text(), Prefix() + QStringLiteral("Short"));
    QCOMPARE(Page()->KeyButton(1)->text(), Prefix() + QStringLiteral("Twenty-byte-name-abc"));
    QCOMPARE(MouseBlock(1), otherBlock);
    QCOMPARE(SimMouse::Sends(), 1);
}

// The key still shows the macro, but by the time of the rename the image's
// block of that key holds another one: that macro keeps its name.
void TestButtonsMacros::renameLeavesABlockThatHoldsAnotherMacro()
{
    WriteMacro(QStringLiteral("Fire"), "1\n0x04 1 0\n");
    Bind(2, QStringLiteral("Fire"));
    QVERIFY(SimControl::waitIdle());
    const QByteArray other = Block("Other", {Event(0, 1, 7, 0)});
    {
        QMutexLocker locker(&g_deviceImageMutex);
        std::memcpy(g_deviceImage.macroBlocks[2], other.constData(), FlashDataMap::MacroBlockSize);
    }

    emit PostMsg::GetInstance()->SigMacroRename(QStringLiteral("Fire"), QStringLiteral("Blast"));
    QVERIFY(SimControl::waitIdle());
    QCOMPARE(Page()->KeyButton(2)->text(), Prefix() + QStringLiteral("Blast"));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(DeviceImageCopy().macroBlocks[2]), FlashDataMap::MacroBlockSize),
             other);
    QCOMPARE(MouseBlock(2), other);
}

void TestButtonsMacros::savedEventsAreAskedForPerMacroKey()
{
    WriteMacro(QStringLiteral("Combo"), "1\n0x04 1 0\n");
    Bind(0, QStringLiteral("Combo"));
    Bind(3, QStringLiteral("Combo"));
    Page()->KeyButton(1)->setText(Prefix() + QStringLiteral("Combo")); // not a macro key
    int waited = 0;
    SetMacroSaveWait([&waited](int ms) { waited = ms; });
    HubRecorder hub;
    hub.Record(&PostMsg::SigMacroDownLoadData, QStringLiteral("DownLoad"));

    emit PostMsg::GetInstance()->SigUpDataMacro(QStringLiteral("Combo"), 0);
    QCOMPARE(waited, 1500);
    QCOMPARE(hub.events, (QStringList{QStringLiteral("DownLoad(Combo,0)"), QStringLiteral("DownLoad(Combo,3)")}));

    hub.events.clear();
    emit PostMsg::GetInstance()->SigUpDataMacro(QStringLiteral("Combo"), 2);
    emit PostMsg::GetInstance()->SigUpDataMacro(QStringLiteral("Other"), 0);
    QVERIFY(hub.events.isEmpty());
}

void TestButtonsMacros::savedRepeatCodeIsSentToMacroKeysOnly()
{
    WriteMacro(QStringLiteral("Combo"), "1\n0x04 1 0\n");
    Bind(4, QStringLiteral("Combo"));
    Page()->KeyButton(1)->setText(Prefix() + QStringLiteral("Combo")); // not a macro key
    QVERIFY(SimControl::waitIdle());
    const QByteArray otherFunction = MouseFunction(1);
    const QByteArray block = MouseBlock(4);

    WriteMacro(QStringLiteral("Combo"), "254\n0x04 1 0\n");
    emit PostMsg::GetInstance()->SigUpDataMacro(QStringLiteral("Combo"), 1);
    QVERIFY(SimControl::waitIdle());
    QCOMPARE(MouseFunction(4), Bytes({6, 4, 254}));
    QCOMPARE(MouseBlock(4), block);
    QCOMPARE(MouseFunction(1), otherFunction);
}

// Keys showing the deleted macro get their catalogue defaults; the key
// records of those without a key default are cleared, and the image is sent.
void TestButtonsMacros::deleteGivesTheDefaults()
{
    WriteMacro(QStringLiteral("Gone"), "1\n0x04 1 0\n");
    for (int key : {0, 1, 2, 3, 4})
        Bind(key, QStringLiteral("Gone"));
    FlashDataMap image = DeviceImageCopy();
    for (int key : {0, 1, 2, 3, 4})
        std::memset(image.keyEvents[key], 0x11, FlashDataMap::KeyEventRecordSize);
    EditAndSendDeviceImage([&image](FlashDataMap& deviceImage) { deviceImage = image; });
    QVERIFY(SimControl::waitIdle());
    const QString macroText = Page()->KeyButton(1)->text();
    SimControl::clearCallLog();

    emit PostMsg::GetInstance()->SigDeleteMacroButton(Prefix() + QStringLiteral("Gone"));
    QVERIFY(SimControl::waitIdle());
    QVERIFY(SimMouse::Sends() >= 1);
    const QByteArray cleared(52, '\0');

    // Menu item defaults: left click on FireKey, back click on TopMusic.
    QCOMPARE(MouseFunction(0), Bytes({1, 1, 0}));
    QCOMPARE(MouseKeyRecord(0), cleared);
    QCOMPARE(Page()->KeyButton(0)->text(), Form()->LeftKey_3->text());
    QCOMPARE(MouseFunction(3), Bytes({1, 8, 0}));
    QCOMPARE(MouseKeyRecord(3), cleared);
    // A list that names nothing: the macro stays, its key record goes.
    QCOMPARE(MouseFunction(1), Bytes({6, 1, 1}));
    QCOMPARE(MouseKeyRecord(1), cleared);
    QCOMPARE(Page()->KeyButton(1)->text(), macroText);
    // A multimedia key (0xE9) and a keyboard key keep the records they get.
    QCOMPARE(MouseFunction(2).left(1), Bytes({5}));
    QCOMPARE(MouseKeyRecord(2), QByteArray::fromHex("02000000" "0002E9000A000000" "0102E9000A000000") + QByteArray(32, '\0'));
    QCOMPARE(MouseFunction(4).left(1), Bytes({5}));
    const KeyEventRecord ctrlC = KeyRecordFromText(QStringLiteral("Ctrl+C"));
    QCOMPARE(MouseKeyRecord(4), QByteArray(reinterpret_cast<const char*>(ctrlC.bytes), KeyEventRecord::Size));

    for (int key = 0; key < 6; ++key)
        QVERIFY(!Page()->KeyButton(key)->isChecked());
    QCOMPARE(Form()->stackedWidget_2->currentWidget(), Form()->page_9);
}

QTEST_MAIN(TestButtonsMacros)
#include "test_buttons_macros.moc"
