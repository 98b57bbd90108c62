// The macro page's exchanges: a saved macro sent to a button of the
// simulated mouse, a macro rebuilt from a button's block of a device image,
// and the export and import of exchange files.
#include "macro_page_fixture.h"

#include "hub_recorder.h"
#include "key_notices.h"
#include "label_file.h"
#include "macro_block.h"
#include "macro_exchange_file.h"
#include "post_msg.h"
#include "sim_mouse.h"
#include "up_date_warning.h"

#include "macro_block_events.h"

#include <QtTest>

#include <QFileDialog>
#include <QLabel>
#include <QTemporaryDir>

#include <cstring>

namespace {

const QByteArray kFire("3\n0x04 1 0\n10ms\n0x04 1 1\n");
const QString kListed30 = QStringLiteral("Listed-0123456789abcdefghijklm"); // 30 bytes

// An image whose buttons have distinct functions and blocks.
FlashDataMap PatternImage()
{
    FlashDataMap image;
    for (int button = 0; button < FlashDataMap::ButtonCount; ++button) {
        image.keyFunctions[button][0] = 6;
        image.keyFunctions[button][1] = uint8_t(button);
        image.keyFunctions[button][2] = uint8_t(10 + button);
        image.macroBlocks[button][0] = 2;
        image.macroBlocks[button][1] = 'B';
        image.macroBlocks[button][2] = uint8_t('a' + button);
    }
    return image;
}

QByteArray BlockOf(const FlashDataMap& image, int button)
{
    return QByteArray(reinterpret_cast<const char*>(image.macroBlocks[button]), FlashDataMap::MacroBlockSize);
}

QByteArray Expected(const QString& name, const MacroItems& items)
{
    MacroBlockBytes block = {};
    BuildMacroBlock(name, items, block);
    return QByteArray(reinterpret_cast<const char*>(block), sizeof block);
}

// A block written as the mouse holds it.
void PutBlock(FlashDataMap& image, int button, const QByteArray& name, const QList<QByteArray>& events, int count = -1)
{
    const QByteArray block = Block(name, events, count);
    std::memcpy(image.macroBlocks[button], block.constData(), FlashDataMap::MacroBlockSize);
}

// The text of the macro page's section of the English label file.
QString PageText(const QString& key)
{
    QString text;
    LabelFile::Load(LabelFile::PathFor(0), QStringLiteral("Macro"), {{key, [&text](const QString& t) { text = t; }}});
    return text;
}

// The texts of the file notices the page shows.
struct FileNotices : ModalAnswer<UpDateWarning> {
    FileNotices()
        : ModalAnswer<UpDateWarning>([this](UpDateWarning& d) { texts << Child<QLabel>(&d, QStringLiteral("label"))->text(); })
    {
    }
    QStringList texts;
};

QByteArray ExchangeFile(const QString& name, const QString& repeat, const QVector<MacroExchangeItem>& items)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteMacroExchange(&buffer, MacroExchange{name, repeat, items});
    return buffer.data();
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Runs `open` and hands the file dialog it shows to `check`, then cancels it.
void InFileDialog(const std::function<void()>& open, const std::function<void(QFileDialog*)>& check)
{
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            poll.stop();
            seen = true;
            check(dialog);
            dialog->reject();
        }
    });
    poll.start(20);
    open();
    QVERIFY(seen);
}

} // namespace

class TestMacroTransfer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(SimMouse::Start()); }
    void init() { QVERIFY(SimMouse::Reset(PatternImage())); }

    void sendsTheSavedMacro();
    void sendsByTheButtonPagesRule_data();
    void sendsByTheButtonPagesRule();
    void sendsNothing_data();
    void sendsNothing();
    void rebuildsAMacroFromTheImage_data();
    void rebuildsAMacroFromTheImage();
    void refusesAHostileBlockName();
    void exportsAndImports();
    void exportFailureKeepsTheFile();
    void fileDialogsStartAtHome();
    void importRefusals_data();
    void importRefusals();
    void importedNames_data();
    void importedNames();
    void mouseButtonsOfEveryLanguageImport_data();
    void mouseButtonsOfEveryLanguageImport();
};

void TestMacroTransfer::sendsTheSavedMacro()
{
    MacroPageFixture f;
    f.WriteMacro(QStringLiteral("Fire"), kFire);
    f.WriteMacro(QStringLiteral("Other"), "1\n0x05 1 0\n");
    f.Build();
    // Another macro is shown, with unsaved edits: the saved Fire goes out.
    f.Select(1);
    f.Choose(4);

    emit PostMsg::GetInstance()->SigMacroDownLoadData(QStringLiteral("Fi") + QChar(0) + QStringLiteral("re"), 2);
    const QByteArray block =
        Expected(QStringLiteral("Fire"), {MacroItem::Press(1, 0x04), MacroItem::Delay(10), MacroItem::Release(1, 0x04)});
    QCOMPARE(SimMouse::Sends(), 1);
    QCOMPARE(BlockOf(g_deviceImage, 2).toHex(), block.toHex());
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(g_deviceImage.keyFunctions[2]), 3), QByteArray("\x06\x02\x0C", 3));
    QCOMPARE(BlockOf(g_deviceImage, 1), BlockOf(PatternImage(), 1));
    QCOMPARE(BlockOf(g_deviceImage, 3), BlockOf(PatternImage(), 3));

    QVERIFY(SimControl::waitWrites());
    const QByteArray mouse = SimControl::mouseImage(QString::fromLatin1(SimMouse::kMouse));
    QCOMPARE(mouse.mid(0x3BC + 592 * 2, 592).toHex(), block.toHex());
}

void TestMacroTransfer::sendsByTheButtonPagesRule_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QByteArray>("block");
    for (const SentMacroCase& sent : SentMacroCases())
        QTest::newRow(sent.label) << sent.lines << Block("Fire", sent.events);
}

void TestMacroTransfer::sendsByTheButtonPagesRule()
{
    QFETCH(QByteArray, lines);
    QFETCH(QByteArray, block);

    MacroPageFixture f;
    f.WriteMacro(QStringLiteral("Fire"), "3\n" + lines);
    f.Build();
    emit PostMsg::GetInstance()->SigMacroDownLoadData(QStringLiteral("Fire"), 4);
    QCOMPARE(SimMouse::Sends(), 1);
    QCOMPARE(BlockOf(g_deviceImage, 4).toHex(), block.toHex());
}

void TestMacroTransfer::sendsNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("sendEnabled");
    QTest::addColumn<int>("limitNotices");

    QTest::newRow("sending off") << "Fire" << 2 << false << 0;
    QTest::newRow("no such macro") << "Ghost" << 2 << true << 0;
    QTest::newRow("no such button") << "Fire" << 16 << true << 0;
    QTest::newRow("71 key events") << "Long" << 2 << true << 1;
}

void TestMacroTransfer::sendsNothing()
{
    QFETCH(QString, name);
    QFETCH(int, button);
    QFETCH(bool, sendEnabled);
    QFETCH(int, limitNotices);

    MacroPageFixture f;
    f.WriteMacro(QStringLiteral("Fire"), kFire);
    MacroItems longMacro = Taps(71);
    f.WriteMacro(QStringLiteral("Long"), "1\n" + FormatMacroLines(longMacro));
    f.Build();
    g_sendEnabled = sendEnabled;
    ModalAnswer<KeyNumberLimit> limit([](KeyNumberLimit&) {});
    emit PostMsg::GetInstance()->SigMacroDownLoadData(name, button);
    QCOMPARE(limit.count, limitNotices);
    QCOMPARE(SimMouse::Sends(), 0);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(g_deviceImage.bytes()), FlashDataMap::Size),
             QByteArray(reinterpret_cast<const char*>(PatternImage().bytes()), FlashDataMap::Size));
}

void TestMacroTransfer::rebuildsAMacroFromTheImage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("writable");

    QTest::newRow("new, nothing selected") << "Dev" << -1 << QStringList{"Fire", "Other", "Dev"} << true;
    QTest::newRow("new, after the selected") << "Dev" << 0 << QStringList{"Fire", "Dev", "Other"} << true;
    QTest::newRow("listed") << "Other" << 0 << QStringList{"Fire", "Other"} << true;
    // A folder in the file's place: the new name is not listed without a file.
    QTest::newRow("file cannot be written") << "Dev" << 0 << QStringList{"Fire", "Other"} << false;
}

void TestMacroTransfer::rebuildsAMacroFromTheImage()
{
    QFETCH(QString, name);
    QFETCH(int, selected);
    QFETCH(QStringList, names);
    QFETCH(bool, writable);

    MacroPageFixture f;
    f.WriteMacro(QStringLiteral("Fire"), kFire);
    f.WriteMacro(QStringLiteral("Other"), "1\n0x05 1 0\n10ms\n0x05 1 1\n");
    if (!writable)
        QVERIFY(QDir().mkpath(MacroFilePath(MacroFolder(), name)));
    f.Build();
    if (selected >= 0) {
        f.Select(selected);
        // An unsaved change to the selected macro: the read-back shows none
        // of it, so nothing is left to save.
        f.W<QSpinBox>("NumberEdit")->setValue(7);
        QVERIFY(f.SaveActive());
    }

    FlashDataMap image = PatternImage();
    image.keyFunctions[1][2] = 255;
    PutBlock(image, 1, name.toLocal8Bit(),
             {Event(0, 0, 0x02, 15), Event(0, 4, 0x01, 30), Event(1, 4, 0x01, 7), Event(0, 1, 0x58, 1),
              Event(1, 3, 0x01, 0), Event(0, 2, 0x04, 9)});
    HubRecorder hub;
    hub.Record(&PostMsg::SigAddMacroButton, QStringLiteral("SigAddMacroButton"));
    QVERIFY(QMetaObject::invokeMethod(f.page.get(), "SlotButtonToMacro", Q_ARG(FlashDataMap, image), Q_ARG(int, 1)));

    QCOMPARE(f.MacroNames(), names);
    QCOMPARE(f.Macros()->currentRow(), -1);
    QVERIFY(f.EventTexts().isEmpty());
    QVERIFY(!f.SaveActive());
    QCOMPARE(hub.events, QStringList{"SigAddMacroButton"});
    QCOMPARE(ReadMacroList(MacroFolder()).size(), names.size());
    if (!writable)
        return;
    // The file is written whole: the button's repeat code, then the events.
    // Keypad Enter is Enter; code 1 is LCtrl whatever the kind; a consumer
    // code has no name here. The wait after the last event stays.
    QCOMPARE(f.ReadMacro(name), QByteArray("255\n0x02 0 0\n15ms\n0x01 4 0\n30ms\n0x01 4 1\n7ms\n0x28 1 0\n1ms\n"
                                           "0x01 0 1\n0ms\n0x00 1 0\n9ms\n"));
}

void TestMacroTransfer::refusesAHostileBlockName()
{
    MacroPageFixture f;
    f.Build();
    FlashDataMap image = PatternImage();
    PutBlock(image, 0, "../../escape", {Event(0, 1, 0x04, 0)});
    HubRecorder hub;
    hub.Record(&PostMsg::SigAddMacroButton, QStringLiteral("SigAddMacroButton"));
    QVERIFY(QMetaObject::invokeMethod(f.page.get(), "SlotButtonToMacro", Q_ARG(FlashDataMap, image), Q_ARG(int, 0)));
    QVERIFY(f.MacroNames().isEmpty());
    QVERIFY(hub.events.isEmpty());
    QVERIFY(!QFile::exists(MacroFolder() + QStringLiteral("/../../escape.ini")));

    // A count beyond the block's 70 events reads 70 of them, with the wait
    // after the last.
    PutBlock(image, 0, "Many", {}, 200);
    for (int i = 0; i < 70; ++i)
        std::memcpy(image.macroBlocks[0] + 32 + 8 * i, Event(i % 2, 1, 0x04, 5).constData(), 8);
    QVERIFY(QMetaObject::invokeMethod(f.page.get(), "SlotButtonToMacro", Q_ARG(FlashDataMap, image), Q_ARG(int, 0)));
    QCOMPARE(f.ReadMacro(QStringLiteral("Many")), "10\n" + FormatMacroLines(Taps(70) << MacroItem::Delay(5)));
}

void TestMacroTransfer::exportsAndImports()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("fire.ini"));
    const QString fresh = dir.filePath(QStringLiteral("fresh.ini"));
    // An older, longer file of that name is replaced as a whole.
    QVERIFY(WriteFile(file, QByteArray(100000, 'x')));
    {
        MacroPageFixture f;
        f.WriteMacro(QStringLiteral("Fire"), kFire);
        f.Build();
        f.Select(0);
        f.W<QCheckBox>("ReUntil")->click(); // unsaved, but exported as shown
        QVERIFY(f.page->ExportSelectedMacro(file));
        QVERIFY(f.page->ExportSelectedMacro(fresh));
    }
    QFile exported(file);
    QVERIFY(exported.open(QIODevice::ReadOnly));
    QFile freshFile(fresh);
    QVERIFY(freshFile.open(QIODevice::ReadOnly));
    QCOMPARE(exported.readAll(), freshFile.readAll());
    exported.seek(0);
    const QByteArray head = exported.read(4 + 12 + 4 + 48 + 4 + 12 + 4);
    QCOMPARE(head.mid(20, 4), QByteArray("Fire"));
    QCOMPARE(head.mid(72, 12), QByteArray("253") + QByteArray(9, '\0'));
    QCOMPARE(head.right(4), QByteArray("\0\0\0\x03", 4));
    exported.close();

    MacroPageFixture f;
    f.WriteMacro(QStringLiteral("Fire"), "1\n");
    f.WriteMacro(QStringLiteral("Zed"), "254\n");
    f.Build();
    f.Select(1); // repeat mode 254 shown
    ModalAnswer<SameMacro> same([](SameMacro&) {});
    FileNotices notices;
    QVERIFY(!f.page->ImportMacro(file));
    QCOMPARE(same.count, 1);
    QCOMPARE(f.MacroNames(), (QStringList{"Fire", "Zed"}));
    QCOMPARE(f.ReadMacro(QStringLiteral("Fire")), QByteArray("1\n"));

    QVERIFY(QFile::rename(MacroFilePath(MacroFolder(), QStringLiteral("Fire")),
                          MacroFilePath(MacroFolder(), QStringLiteral("Old"))));
    f.Macros()->item(0)->setText(QStringLiteral("Old"));
    QVERIFY(f.page->ImportMacro(file));
    QCOMPARE(f.MacroNames(), (QStringList{"Old", "Zed", "Fire"}));
    QCOMPARE(f.Macros()->currentRow(), 2);
    QCOMPARE(f.EventTexts(), (QStringList{"A", "10ms", "A^"}));
    QVERIFY(f.W<QCheckBox>("ReUntil")->isChecked());
    QCOMPARE(f.ReadMacro(QStringLiteral("Fire")), QByteArray("253\n0x04 1 0\n10ms\n0x04 1 1\n"));
    QCOMPARE(notices.texts, QStringList());
}

void TestMacroTransfer::exportFailureKeepsTheFile()
{
    QTemporaryDir dir;
    MacroPageFixture f;
    f.WriteMacro(QStringLiteral("Fire"), kFire);
    f.Build();
    f.Select(0);
    FileNotices notices;
    QVERIFY(!f.page->ExportSelectedMacro(dir.filePath(QStringLiteral("no/such/folder/fire.ini"))));
    QCOMPARE(notices.texts, QStringList{PageText(QStringLiteral("ExportFail"))});

    // A folder in the file's place stays as it is.
    const QString taken = dir.filePath(QStringLiteral("taken.ini"));
    QVERIFY(QDir().mkpath(taken + QStringLiteral("/inside")));
    QVERIFY(!f.page->ExportSelectedMacro(taken));
    QCOMPARE(notices.count, 2);
    QVERIFY(QFileInfo(taken + QStringLiteral("/inside")).isDir());
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{"taken.ini"});
}

void TestMacroTransfer::fileDialogsStartAtHome()
{
    MacroPageFixture f;
    f.WriteMacro(QStringLiteral("Fire"), kFire);
    f.Build();
    f.Select(0);
    const QString home = QDir::homePath();
    InFileDialog([&] { QMetaObject::invokeMethod(f.page.get(), "ExPortMacro"); },
                 [&](QFileDialog* dialog) {
                     QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
                     QCOMPARE(dialog->directory().absolutePath(), home);
                     QCOMPARE(dialog->selectedFiles(), QStringList{home + QStringLiteral("/Fire.ini")});
                 });
    InFileDialog([&] { QMetaObject::invokeMethod(f.page.get(), "InPortMacro"); },
                 [&](QFileDialog* dialog) {
                     QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
                     QCOMPARE(dialog->directory().absolutePath(), home);
                 });
    QCOMPARE(f.MacroNames(), QStringList{"Fire"});
}

void TestMacroTransfer::importRefusals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("notice"); // the key of the notice's text

    const QVector<MacroExchangeItem> tap = {{"A", QIcon(), false}, {"10ms", QIcon(), false}, {"A", QIcon(), true}};
    QByteArray wrongTag = ExchangeFile("Tap", "1", tap);
    wrongTag[6] = 'X';
    QTest::newRow("wrong tag") << wrongTag << "ImportFail";
    QTest::newRow("truncated") << ExchangeFile("Tap", "1", tap).chopped(3) << "ImportFail";
    QTest::newRow("empty file") << QByteArray() << "ImportFail";
    QTest::newRow("missing file") << QByteArray("<missing>") << "ImportFail";
    QTest::newRow("delay that is no number")
        << ExchangeFile("Tap", "1", {{"A", QIcon(), false}, {"soonms", QIcon(), false}}) << "ImportFail";
    // A key text of a megabyte makes a file no macro can be.
    QTest::newRow("too large") << ExchangeFile("Tap", "1", {{QString(600000, QLatin1Char('k')), QIcon(), false}})
                               << "TooLarge";
    QTest::newRow("path in the name") << ExchangeFile("../Tap", "1", tap) << "NameFail";
    QTest::newRow("parent folder as the name") << ExchangeFile("..", "1", tap) << "NameFail";
    QTest::newRow("slash in the name") << ExchangeFile("a/b", "1", tap) << "NameFail";
    QTest::newRow("hidden file name") << ExchangeFile(".Tap", "1", tap) << "NameFail";
    QTest::newRow("empty name") << ExchangeFile("", "1", tap) << "NameFail";
}

void TestMacroTransfer::importRefusals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, notice);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("in.ini"));
    if (bytes != "<missing>")
        QVERIFY(WriteFile(path, bytes));

    MacroPageFixture f;
    f.WriteMacro(QStringLiteral("Fire"), kFire);
    f.Build();
    FileNotices notices;
    QVERIFY(!f.page->ImportMacro(path));
    QCOMPARE(f.MacroNames(), QStringList{"Fire"});
    QCOMPARE(QDir(MacroFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{"Fire.ini"});
    QCOMPARE(notices.texts, QStringList{PageText(notice)});
    QVERIFY(!notices.texts.first().isEmpty());
}

// Names of exchange files follow the rules of typed names: at most 30 bytes,
// and never the name of a macro or file that exists.
void TestMacroTransfer::importedNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("imported"); // empty: refused as a name in use

    const QString name30 = QStringLiteral("0123456789abcdefghij0123456789");
    QTest::newRow("48 bytes are cut to 30") << name30 + QStringLiteral("ABCDEFGHIJKLMNOPQR") << name30;
    QTest::newRow("31 bytes are cut to 30") << name30 + QStringLiteral("X") << name30;
    QTest::newRow("cut to a listed name") << kListed30 + QStringLiteral("more") << "";
    QTest::newRow("a file the list does not show yet") << "Late" << "";
    QTest::newRow("a name up to its zero byte") << QStringLiteral("ab") + QChar(0) + QStringLiteral("cd") << "ab";
}

void TestMacroTransfer::importedNames()
{
    QFETCH(QString, name);
    QFETCH(QString, imported);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("in.ini"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(WriteMacroExchange(&file, MacroExchange{name, "2", {{"A", QIcon(), false}}}));
    }
    MacroPageFixture f;
    f.WriteMacro(QStringLiteral("Fire"), kFire);
    f.WriteMacro(kListed30, "1\n");
    f.Build();
    // Written after the list was read: the page does not show it.
    f.WriteMacro(QStringLiteral("Late"), "7\n");
    ModalAnswer<SameMacro> same([](SameMacro&) {});

    QCOMPARE(f.page->ImportMacro(path), !imported.isEmpty());
    QCOMPARE(same.count, imported.isEmpty() ? 1 : 0);
    QCOMPARE(f.ReadMacro(QStringLiteral("Fire")), kFire);
    QCOMPARE(f.ReadMacro(QStringLiteral("Late")), QByteArray("7\n"));
    QCOMPARE(f.ReadMacro(kListed30), QByteArray("1\n"));
    if (imported.isEmpty()) {
        QCOMPARE(f.MacroNames(), (QStringList{"Fire", kListed30}));
        return;
    }
    QCOMPARE(f.MacroNames(), (QStringList{"Fire", kListed30, imported}));
    QCOMPARE(f.ReadMacro(imported), QByteArray("2\n0x04 1 0\n"));

    // Read back from the mouse, the macro is the same one, not a second.
    FlashDataMap image = PatternImage();
    MacroBlockBytes block = {};
    QVERIFY(BuildMacroBlock(name, {MacroItem::Press(1, 0x04)}, block));
    std::memcpy(image.macroBlocks[0], block, sizeof block);
    QVERIFY(QMetaObject::invokeMethod(f.page.get(), "SlotButtonToMacro", Q_ARG(FlashDataMap, image), Q_ARG(int, 0)));
    QCOMPARE(f.MacroNames(), (QStringList{"Fire", kListed30, imported}));
}

void TestMacroTransfer::mouseButtonsOfEveryLanguageImport_data()
{
    QTest::addColumn<int>("exported");
    QTest::addColumn<int>("imported");

    for (const int language : {0, 1, 2, 3, 5})
        QTest::addRow("%s into another language", qPrintable(LabelFile::FileName(language)))
            << language << (language == 0 ? 3 : 0);
}

// Mouse-button events carry their names in the exporting installation's
// language; any shipped language's names come back as the same buttons.
void TestMacroTransfer::mouseButtonsOfEveryLanguageImport()
{
    QFETCH(int, exported);
    QFETCH(int, imported);

    QStringList names;
    LabelFile::Keys keys;
    for (int entry = 4; entry <= 8; ++entry)
        keys.insert(QStringLiteral("ChooseEvent%1").arg(entry), [&names](const QString& text) { names << text; });
    LabelFile::Load(LabelFile::PathFor(exported), QStringLiteral("Macro"), keys);
    QCOMPARE(names.size(), 5);
    QVector<MacroExchangeItem> items;
    for (const QString& button : names)
        items << MacroExchangeItem{button, QIcon(), false} << MacroExchangeItem{"10ms", QIcon(), false}
              << MacroExchangeItem{button, QIcon(), true};

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("clicks.ini"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(WriteMacroExchange(&file, MacroExchange{"Clicks", "1", items}));
    }
    MacroPageFixture f;
    f.Build();
    emit PostMsg::GetInstance()->SigChangeLanguage(imported);
    const bool done = f.page->ImportMacro(path);
    emit PostMsg::GetInstance()->SigChangeLanguage(0);
    QVERIFY(done);

    // Left, right, middle, forward, back.
    QByteArray expected = "1\n";
    for (const char* bit : {"0x01", "0x02", "0x04", "0x10", "0x08"})
        expected += QByteArray(bit) + " 4 0\n10ms\n" + bit + " 4 1\n";
    QCOMPARE(f.ReadMacro(QStringLiteral("Clicks")), expected);
}

QTEST_MAIN(TestMacroTransfer)
#include "test_macro_transfer.moc"
