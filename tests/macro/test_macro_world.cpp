// Macros between the real windows and the simulated mouse: recorded and saved
// on the macro page, bound on the button page, sent again after a Save, and
// rebuilt from a block the mouse holds when the device is opened.
#include "key_notices.h"
#include "keyboard_hook.h"
#include "macro_block_events.h"
#include "macro_file.h"
#include "macro_key_rules.h"
#include "macro_world_pages.h"
#include "modal_run.h"
#include "question_dialog.h"
#include "test_image.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

#include <cstring>

namespace {

const QString kMouse = QStringLiteral("aero");
const QString kDevice = QStringLiteral("aero-r4");
const QString kNotSent = QStringLiteral("This macro holds more than 70 key events and was not sent to the mouse.");

QByteArray MouseBlock(int button)
{
    return SimControl::mouseImage(kMouse).mid(ImageOffset::MacroBlocks + FlashDataMap::MacroBlockSize * button,
                                              FlashDataMap::MacroBlockSize);
}

QByteArray MouseFunction(int button)
{
    return SimControl::mouseImage(kMouse).mid(ImageOffset::KeyFunctions + FlashDataMap::KeyFunctionSize * button,
                                              FlashDataMap::KeyFunctionSize);
}


void WriteMacroFile(const QString& name, const QByteArray& content)
{
    QFile file(MacroFilePath(MacroFolder(), name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
}

// `keys` presses and releases of A, 5 ms apart, as a macro file holds them.
QByteArray TapLines(int keys)
{
    QByteArray lines;
    for (int i = 0; i < keys; ++i)
        lines += (i > 0 ? "5ms\n" : "") + QByteArray(i % 2 ? "0x04 1 1\n" : "0x04 1 0\n");
    return lines;
}

// Presses and releases as the keyboard hook reports them while recording.
void Type(const QList<QPair<int, bool>>& keys)
{
    KeyboardHook feed(KeyboardHook::Recording);
    for (const auto& key : keys)
        feed.KeyboardProc(uint32_t(key.first), key.second ? KeyMessage::KeyDown : KeyMessage::KeyUp);
}

} // namespace

class TestMacroWorld : public QObject, private MacroWorldPages {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void recordedMacroReachesTheBoundKey();
    void saveSendsTheSavedMacroWhileAnotherIsShown();
    void lastButtonsBlockEndsAtTheImage_data();
    void lastButtonsBlockEndsAtTheImage();
    void bindingRefusesWhatTheBlockCannotHold();
    void mouseBlocksBecomeMacros();
    void blockNameEndsAtItsZeroByte();
    void pauseBetweenPlaysReachesTheMouseAndComesBack();

private:
    QStringList MacroNames() const;
    void SelectMacro(const QString& name);
    // The macro chosen for the key, and sent.
    void Bind(const char* keyButton, const QString& name);
};

void TestMacroWorld::init()
{
    SetMacroSaveWait([](int) {});
    QDir(MacroFolder()).removeRecursively();
    QVERIFY(QDir().mkpath(MacroFolder()));
}

void TestMacroWorld::cleanup()
{
    m_gui.Stop();
    SetMacroSaveWait(nullptr);
}

QStringList TestMacroWorld::MacroNames() const
{
    auto* list = OnMacroPage<QListWidget>("listWidgetHong");
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names << list->item(row)->text();
    return names;
}

void TestMacroWorld::SelectMacro(const QString& name)
{
    auto* list = OnMacroPage<QListWidget>("listWidgetHong");
    const int row = MacroNames().indexOf(name);
    list->setCurrentRow(row);
    QMetaObject::invokeMethod(list, "clicked", Q_ARG(QModelIndex, list->model()->index(row, 0)));
}

void TestMacroWorld::Bind(const char* keyButton, const QString& name)
{
    QVERIFY2(ChooseMacro(keyButton, name), qPrintable(name));
    QVERIFY(Settle());
    QVERIFY(SimControl::waitWrites());
}

void TestMacroWorld::recordedMacroReachesTheBoundKey()
{
    QVERIFY(m_gui.Start());
    QVERIFY(m_gui.OpenDevice(kDevice));
    const QByteArray before = SimControl::mouseImage(kMouse);

    ShowPage("MacroButton");
    {
        ModalAnswer<QuestionDialog> name([](QuestionDialog& dialog) { dialog.enteredName = QStringLiteral("Burst"); });
        OnMacroPage<QToolButton>("NewHong")->click();
        QCOMPARE(name.count, 1);
    }
    SelectMacro(QStringLiteral("Burst"));
    OnMacroPage<QCheckBox>("DefaultDelay")->click(); // fixed waits
    OnMacroPage<QSpinBox>("DelayTime")->setValue(20);
    OnMacroPage<QAbstractButton>("StartRecord")->click();
    Type({{0x41, true}, {0x41, false}, {0xA0, true}, {0x42, true}, {0x42, false}, {0xA0, false}});
    OnMacroPage<QAbstractButton>("StopRecord")->click();
    OnMacroPage<QSpinBox>("NumberEdit")->setValue(3);
    OnMacroPage<QToolButton>("Save")->click();
    QCOMPARE(MacroFileBytes(QStringLiteral("Burst")),
             QByteArray("3\n0x04 1 0\n20ms\n0x04 1 1\n20ms\n0x02 0 0\n20ms\n0x05 1 0\n20ms\n0x05 1 1\n20ms\n0x02 0 1\n"));

    // The macro page added a macro: the button page lists it once it is shown.
    ShowPage("ButtonMain");
    Bind("RightKey", QStringLiteral("Burst"));

    const QByteArray block = Block("Burst", {Event(0, 1, 0x04, 20), Event(1, 1, 0x04, 20), Event(0, 0, 0x02, 20),
                                             Event(0, 1, 0x05, 20), Event(1, 1, 0x05, 20), Event(1, 0, 0x02, 0)});
    QCOMPARE(MouseBlock(1).toHex(), block.toHex());
    QCOMPARE(MouseFunction(1), Bytes({6, 1, 3}));
    QVERIFY(OnButtonPage<QToolButton>("RightKey")->text().endsWith(QStringLiteral("Burst")));
    // Nothing else of the mouse changed.
    QByteArray expected = before;
    expected.replace(ImageOffset::KeyFunctions + 3, 3, Bytes({6, 1, 3}));
    expected.replace(ImageOffset::MacroBlocks + FlashDataMap::MacroBlockSize, FlashDataMap::MacroBlockSize, block);
    QVERIFY(SimControl::mouseImage(kMouse) == expected);
}

void TestMacroWorld::saveSendsTheSavedMacroWhileAnotherIsShown()
{
    WriteMacroFile(QStringLiteral("Fire"), "2\n0x04 1 0\n10ms\n0x04 1 1\n10ms\n0x05 1 0\n");
    WriteMacroFile(QStringLiteral("Other"), "1\n0x05 1 0\n");
    QVERIFY(m_gui.Start());
    QVERIFY(m_gui.OpenDevice(kDevice));
    Bind("BackKey", QStringLiteral("Fire"));
    QCOMPARE(MouseBlock(2), Block("Fire", {Event(0, 1, 0x04, 10), Event(1, 1, 0x04, 10), Event(0, 1, 0x05, 0)}));

    // Fire loses its last key; while the button page waits before sending,
    // the user goes on to the other macro.
    ShowPage("MacroButton");
    SelectMacro(QStringLiteral("Fire"));
    auto* events = OnMacroPage<QListWidget>("listWidgetKey");
    events->setCurrentRow(events->count() - 1);
    OnMacroPage<QToolButton>("DeleteKey")->click();
    int waits = 0;
    SetMacroSaveWait([&](int) {
        ++waits;
        SelectMacro(QStringLiteral("Other"));
    });
    OnMacroPage<QToolButton>("Save")->click();
    QVERIFY(Settle());
    QVERIFY(SimControl::waitWrites());

    QCOMPARE(waits, 1);
    QCOMPARE(OnMacroPage<QListWidget>("listWidgetHong")->currentItem()->text(), QStringLiteral("Other"));
    QCOMPARE(MacroFileBytes(QStringLiteral("Fire")), QByteArray("2\n0x04 1 0\n10ms\n0x04 1 1\n"));
    QCOMPARE(MouseBlock(2).toHex(), Block("Fire", {Event(0, 1, 0x04, 10), Event(1, 1, 0x04, 0)}).toHex());
    QCOMPARE(MouseFunction(2), Bytes({6, 2, 2}));
}

void TestMacroWorld::lastButtonsBlockEndsAtTheImage_data()
{
    QTest::addColumn<int>("keys");
    QTest::addColumn<int>("limitNotices");

    QTest::newRow("70 events fill the block") << 70 << 0;
    QTest::newRow("71 events are refused") << 71 << 1;
}

// Button 15's block is the last bytes of the image: a full one ends exactly
// there, a longer macro is refused with nothing sent.
void TestMacroWorld::lastButtonsBlockEndsAtTheImage()
{
    QFETCH(int, keys);
    QFETCH(int, limitNotices);

    WriteMacroFile(QStringLiteral("Long"), "1\n" + TapLines(keys));
    QVERIFY(m_gui.Start());
    QVERIFY(m_gui.OpenDevice(kDevice));
    const QByteArray before = SimControl::mouseImage(kMouse);
    SimControl::clearCallLog();

    QString told;
    ModalAnswer<KeyNumberLimit> limit([&told](KeyNumberLimit& notice) { told = notice.Label()->text(); });
    emit PostMsg::GetInstance()->SigMacroDownLoadData(QStringLiteral("Long"), 15);
    QVERIFY(Settle());
    QVERIFY(SimControl::waitWrites());
    QCOMPARE(limit.count, limitNotices);
    if (limitNotices)
        QCOMPARE(told, kNotSent);

    const QByteArray after = SimControl::mouseImage(kMouse);
    QCOMPARE(after.size(), int(FlashDataMap::Size));
    if (limitNotices) {
        QCOMPARE(SimControl::callCount(QStringLiteral("ProtocolDataUpdate")), 0);
        QVERIFY(after == before);
        return;
    }
    QList<QByteArray> events;
    for (int i = 0; i < keys; ++i)
        events << Event(quint8(i % 2), 1, 0x04, i + 1 < keys ? 5 : 0);
    QCOMPARE(after.right(FlashDataMap::MacroBlockSize).toHex(), Block("Long", events).toHex());
    QVERIFY(after.left(FlashDataMap::Size - FlashDataMap::MacroBlockSize)
            == before.left(FlashDataMap::Size - FlashDataMap::MacroBlockSize));
}

void TestMacroWorld::bindingRefusesWhatTheBlockCannotHold()
{
    WriteMacroFile(QStringLiteral("Long"), "1\n" + TapLines(71));
    QVERIFY(m_gui.Start());
    QVERIFY(m_gui.OpenDevice(kDevice));
    const QByteArray before = SimControl::mouseImage(kMouse);
    const QString keyText = OnButtonPage<QToolButton>("RightKey")->text();
    SimControl::clearCallLog();

    QString told;
    ModalAnswer<KeyNumberLimit> limit([&told](KeyNumberLimit& notice) { told = notice.Label()->text(); });
    Bind("RightKey", QStringLiteral("Long"));
    QCOMPARE(limit.count, 1);
    QCOMPARE(told, kNotSent);
    QCOMPARE(SimControl::callCount(QStringLiteral("ProtocolDataUpdate")), 0);
    QVERIFY(SimControl::mouseImage(kMouse) == before);
    QCOMPARE(OnButtonPage<QToolButton>("RightKey")->text(), keyText);
}

// Blocks the mouse holds on macro keys when the device is opened: a new
// macro in both lists with its file, a count beyond the block read as its
// 70 slots, a name that is no file name only shown on the key.
void TestMacroWorld::mouseBlocksBecomeMacros()
{
    WriteMacroFile(QStringLiteral("Kept"), "1\n0x06 1 0\n");
    QVERIFY(m_gui.Start());
    FlashDataMap image = ImageFromBytes(SimControl::factoryImage(kMouse));
    const auto plant = [&image](int key, int repeat, const QByteArray& block) {
        const uint8_t function[3] = {6, uint8_t(key), uint8_t(repeat)};
        std::memcpy(image.keyFunctions[key], function, 3);
        std::memcpy(image.macroBlocks[key], block.constData(), FlashDataMap::MacroBlockSize);
    };
    plant(1, 255, Block("Dash", {Event(0, 0, 0x02, 15), Event(0, 4, 0x01, 30), Event(1, 4, 0x01, 7), Event(1, 0, 0x02, 9)}));
    QList<QByteArray> full;
    for (int i = 0; i < 70; ++i)
        full << Event(quint8(i % 2), 1, 0x05, 1);
    plant(2, 4, Block("Full", full, 200));
    plant(3, 1, Block("../Out", {Event(0, 1, 0x04, 0)}));
    QVERIFY(SimControl::setMouseImage(kMouse, ImageBytes(image)));
    QVERIFY(m_gui.OpenDevice(kDevice));

    QCOMPARE(MacroNames(), (QStringList{QStringLiteral("Kept"), QStringLiteral("Dash"), QStringLiteral("Full")}));
    QCOMPARE(OnMacroPage<QListWidget>("listWidgetHong")->currentRow(), -1);
    QCOMPARE(OnMacroPage<QListWidget>("listWidgetKey")->count(), 0);
    // The wait after the last event is the pause before the next play.
    QCOMPARE(MacroFileBytes(QStringLiteral("Dash")),
             QByteArray("255\n0x02 0 0\n15ms\n0x01 4 0\n30ms\n0x01 4 1\n7ms\n0x02 0 1\n9ms\n"));
    QByteArray fullFile = "4\n";
    for (int i = 0; i < 70; ++i)
        fullFile += QByteArray(i % 2 ? "0x05 1 1\n" : "0x05 1 0\n") + "1ms\n";
    QCOMPARE(MacroFileBytes(QStringLiteral("Full")), fullFile);
    QCOMPARE(QDir(MacroFolder()).entryList(QDir::Files),
             (QStringList{QStringLiteral("Dash.ini"), QStringLiteral("Full.ini"), QStringLiteral("Kept.ini")}));

    ShowPage("ButtonMain");
    for (const QString& name : {QStringLiteral("Kept"), QStringLiteral("Dash"), QStringLiteral("Full")})
        QVERIFY2(ListedMacro(name), qPrintable(name));
    QVERIFY(!ListedMacro(QStringLiteral("../Out")));
    QVERIFY(OnButtonPage<QToolButton>("RightKey")->text().endsWith(QStringLiteral("Dash")));
    QVERIFY(OnButtonPage<QToolButton>("TopMusic")->text().endsWith(QStringLiteral("../Out")));
}

// A block name with a zero byte inside (from a configuration file or the
// mouse) means the name up to that byte on both pages: the macro of that
// name is rebuilt from the block, no macro of the longer name appears.
void TestMacroWorld::blockNameEndsAtItsZeroByte()
{
    WriteMacroFile(QStringLiteral("ab"), "3\n0x04 1 0\n10ms\n0x04 1 1\n");
    QVERIFY(m_gui.Start());
    FlashDataMap image = ImageFromBytes(SimControl::factoryImage(kMouse));
    const uint8_t function[3] = {6, 1, 2};
    std::memcpy(image.keyFunctions[1], function, 3);
    const QByteArray block = Block(QByteArray("ab\0cd", 5), {Event(0, 1, 0x05, 20), Event(1, 1, 0x05, 0)});
    std::memcpy(image.macroBlocks[1], block.constData(), FlashDataMap::MacroBlockSize);
    QVERIFY(SimControl::setMouseImage(kMouse, ImageBytes(image)));
    QVERIFY(m_gui.OpenDevice(kDevice));

    QCOMPARE(MacroNames(), QStringList{QStringLiteral("ab")});
    QCOMPARE(MacroFileBytes(QStringLiteral("ab")), QByteArray("2\n0x05 1 0\n20ms\n0x05 1 1\n"));
    QCOMPARE(QDir(MacroFolder()).entryList(QDir::Files), QStringList{QStringLiteral("ab.ini")});
    QVERIFY(OnButtonPage<QToolButton>("RightKey")->text().endsWith(QStringLiteral("ab")));
}

// A macro that waits after its last key, played three times: the wait goes
// to the mouse from both senders and comes back when the device is opened.
void TestMacroWorld::pauseBetweenPlaysReachesTheMouseAndComesBack()
{
    WriteMacroFile(QStringLiteral("Pause"), "3\n0x04 1 0\n10ms\n0x04 1 1\n500ms\n");
    QVERIFY(m_gui.Start());
    QVERIFY(m_gui.OpenDevice(kDevice));
    Bind("RightKey", QStringLiteral("Pause"));
    QCOMPARE(MouseBlock(1).toHex(), Block("Pause", {Event(0, 1, 0x04, 10), Event(1, 1, 0x04, 500)}).toHex());
    QCOMPARE(MouseFunction(1), Bytes({6, 1, 3}));

    // A left click after the first key; the Save sends the macro again.
    ShowPage("MacroButton");
    SelectMacro(QStringLiteral("Pause"));
    OnMacroPage<QListWidget>("listWidgetKey")->setCurrentRow(0);
    auto* menu = OnMacroPage<QComboBox>("ChooseEvent");
    menu->setCurrentIndex(4);
    QMetaObject::invokeMethod(menu, "activated", Q_ARG(int, 4));
    OnMacroPage<QToolButton>("Save")->click();
    QVERIFY(Settle());
    QVERIFY(SimControl::waitWrites());
    const QByteArray lines = "0x04 1 0\n10ms\n0x01 4 0\n10ms\n0x01 4 1\n10ms\n0x04 1 1\n500ms\n";
    QCOMPARE(MacroFileBytes(QStringLiteral("Pause")), "3\n" + lines);
    const QByteArray block = Block("Pause", {Event(0, 1, 0x04, 10), Event(0, 4, 0x01, 10), Event(1, 4, 0x01, 10),
                                             Event(1, 1, 0x04, 500)});
    QCOMPARE(MouseBlock(1).toHex(), block.toHex());

    // Opened again, the macro is rebuilt from the mouse with its pause.
    const QByteArray mouse = SimControl::mouseImage(kMouse);
    m_gui.Stop();
    QVERIFY(m_gui.Start());
    QVERIFY(SimControl::setMouseImage(kMouse, mouse));
    QVERIFY(m_gui.OpenDevice(kDevice));
    QCOMPARE(MacroFileBytes(QStringLiteral("Pause")), "3\n" + lines);
    Bind("RightKey", QStringLiteral("Pause"));
    QCOMPARE(MouseBlock(1).toHex(), block.toHex());
}

QTEST_MAIN(TestMacroWorld)
#include "test_macro_world.moc"
