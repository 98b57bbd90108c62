// A key's combination or fire-key dialog, or the factory reset's question,
// open on the button page while the mouse moves to another profile with its
// own button, in the whole program with the devices' own timing. What the
// dialog answers was decided for the profile shown when it opened: once the
// mouse is on another profile nothing is sent, no profile changes and the
// user is told to try again. Without a switch the first profile takes it.
#include "buttoninterface.h"

#include "gui_fixture.h"
#include "macro_block_events.h"
#include "test_image.h"
#include "window_closer.h"
#include "world_text.h"

#include "contain_reset.h"
#include "device_image_setters.h"
#include "find_child.h"
#include "fire_key.h"
#include "group_key.h"
#include "modal_run.h"
#include "mouse_off_line.h"
#include "profile_outcome.h"
#include "myconmbobox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <cstring>

namespace {

const int kBackKey = 2;
const int kMacroType = 6;
// The mouse's button is pressed this long after the dialog opened.
const int kSwitchMs = 400;
const int kFireInterval = 100;
const int kFireCount = 2;
// The key record of Ctrl+C as the page writes it: Ctrl and C pressed, then
// released, 10 ms each.
const QByteArray kCtrlCRecord = Bytes({4, 0, 0, 0, 0, 0, 1, 0, 10, 0, 0, 0, 0, 1, 6, 0, 10, 0, 0, 0});

// The factory image, every profile a debounce time of its own; the second
// profile has Fire on the back key.
QByteArray ProfileImage(const QString& mouse, int profile)
{
    FlashDataMap image = ImageFromBytes(SimControl::factoryImage(mouse));
    image.debounceTime = uint8_t(6 + profile);
    if (profile == 1) {
        const uint8_t function[3] = {uint8_t(kMacroType), uint8_t(kBackKey), 1};
        std::memcpy(image.keyFunctions[kBackKey], function, sizeof function);
        const QByteArray block = Block("Fire", {Event(0, 1, 0x04, 10), Event(1, 1, 0x04, 0)});
        std::memcpy(image.macroBlocks[kBackKey], block.constData(), FlashDataMap::MacroBlockSize);
    }
    return ImageBytes(image);
}

} // namespace

class TestButtonsDialogSwitch : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void dialogAnsweredOnAnotherProfile_data();
    void dialogAnsweredOnAnotherProfile();

private:
    Buttoninterface* Page() const { return m_gui.DeviceWindow()->findChild<Buttoninterface*>(); }
    template <class T>
    T* OnPage(const char* name) const { return Child<T>(Page(), QString::fromLatin1(name)); }
    // Every profile stored, the mouse on the first and the page showing it.
    bool StartOnFirst(const QString& mouse);
    void CheckFirstTook(const QByteArray& where, const QString& dialog, const QList<QByteArray>& before,
                        const QList<QByteArray>& after);

    GuiFixture m_gui;
};

void TestButtonsDialogSwitch::init()
{
    // No cached image of an earlier row.
    QDir(UserDataFolder() + QStringLiteral("/Device_Info")).removeRecursively();
}

void TestButtonsDialogSwitch::cleanup()
{
    m_gui.Stop();
}

bool TestButtonsDialogSwitch::StartOnFirst(const QString& mouse)
{
    for (int profile = 0; profile < SimControl::ProfileCount; ++profile) {
        if (!SimControl::setMouseImage(mouse, ProfileImage(mouse, profile), profile))
            return false;
    }
    return SimControl::switchProfile(mouse, 0) && Settle() && SimControl::waitWrites()
           && ImageBytes(DeviceImageCopy()) == ProfileImage(mouse, 0)
           && OnPage<MyConmboBox>("ProjectChoose")->currentIndex() == 0;
}

void TestButtonsDialogSwitch::dialogAnsweredOnAnotherProfile_data()
{
    QTest::addColumn<QString>("world");
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("mouse");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<bool>("switched");
    struct Receiver {
        const char* label;
        QString world;
        const char* device;
        const char* mouse;
    };
    const Receiver receivers[] = {{"1K", SimWorld::ShippedWithReceiverClass(1), "aero-r4", "aero"},
                                  {"8K", QString(), "lynx-r8", "lynx"}};
    for (const Receiver& receiver : receivers) {
        for (const char* dialog : {"combination", "fire", "reset"}) {
            for (bool switched : {false, true}) {
                const QByteArray row = QByteArray(dialog) + (switched ? "-switch-" : "-") + receiver.label;
                QTest::newRow(row.constData())
                    << receiver.world << receiver.device << receiver.mouse << dialog << switched;
            }
        }
    }
}

// On the first profile the user opens the dialog for the back key (or the
// reset's question); 0.4 s later the mouse's own button may move it to the
// second profile, whose back key carries a macro; the user confirms 1.5 or
// 2.5 s after the dialog opened.
void TestButtonsDialogSwitch::dialogAnsweredOnAnotherProfile()
{
    QFETCH(QString, world);
    QFETCH(QString, device);
    QFETCH(QString, mouse);
    QFETCH(QString, dialog);
    QFETCH(bool, switched);
    QVERIFY(m_gui.Start(world));
    SimControl::setReportIntervalUs(-1);
    QVERIFY(m_gui.OpenDevice(device));

    for (int confirmMs : {1500, 2500}) {
        const QByteArray where = dialog.toLatin1() + (switched ? " after the switch" : "") + ", confirmed "
                                 + QByteArray::number(confirmMs) + " ms after it opened";
        QVERIFY2(StartOnFirst(mouse), where.constData());
        const QList<QByteArray> before = MouseProfiles(mouse);

        WindowCloser<MouseOffLine> closer;
        QSignalSpy raised(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
        int opened = 0;
        // What happens while the dialog is open: the mouse's button, then
        // the user's answer comes.
        const auto whileOpen = [&] {
            ++opened;
            QTest::qWait(kSwitchMs);
            if (switched)
                SimControl::switchProfile(mouse, 1);
            QTest::qWait(confirmMs - kSwitchMs);
        };
        if (dialog == QLatin1String("combination")) {
            ModalAnswer<GroupKey> answer([&](GroupKey& open) {
                open.show();
                whileOpen();
                Child<QCheckBox>(&open, QStringLiteral("Ctrl"))->setChecked(true);
                Child<QLineEdit>(&open, QStringLiteral("lineEdit"))->setText(QStringLiteral("C"));
                Child<QToolButton>(&open, QStringLiteral("NewHong"))->click();
            });
            OnPage<QToolButton>("BackKey")->click();
            QTest::mousePress(OnPage<QToolButton>("DPI_8"), Qt::LeftButton);
        } else if (dialog == QLatin1String("fire")) {
            ModalAnswer<FireKey> answer([&](FireKey& open) {
                open.show();
                whileOpen();
                Child<QSpinBox>(&open, QStringLiteral("Time"))->setValue(kFireInterval);
                Child<QSpinBox>(&open, QStringLiteral("Count"))->setValue(kFireCount);
                Child<QToolButton>(&open, QStringLiteral("NewHong"))->click();
            });
            OnPage<QToolButton>("BackKey")->click();
            QTest::mousePress(OnPage<QToolButton>("DPI_6"), Qt::LeftButton);
        } else {
            // The question runs its own loop: the user is reached by a timer.
            QObject user;
            QTimer watch;
            connect(&watch, &QTimer::timeout, &user, [&] {
                for (QWidget* widget : QApplication::topLevelWidgets()) {
                    auto* question = qobject_cast<ContainReset*>(widget);
                    if (!question || !question->isVisible() || opened)
                        continue;
                    ++opened;
                    if (switched)
                        QTimer::singleShot(kSwitchMs, &user, [&] { SimControl::switchProfile(mouse, 1); });
                    QTimer::singleShot(confirmMs, question->findChild<QToolButton*>(QStringLiteral("OK")),
                                       &QToolButton::click);
                }
            });
            watch.start(5);
            OnPage<QToolButton>("Reset")->click();
        }
        QVERIFY2(opened == 1, Text(where, "the dialog did not open").constData());
        QVERIFY2(Settle() && SimControl::waitWrites() && Settle(), where.constData());

        const QList<QByteArray> after = MouseProfiles(mouse);
        const QList<int> notices = NoticesRaised(raised);
        QVERIFY2(notices.count(1) == notices.size(), Text(where, "a notice other than try again").constData());
        if (switched) {
            const int changed = ChangedProfile(before, after);
            QVERIFY2(changed < 0, (where + ": profile " + QByteArray::number(changed + 1) + " changed").constData());
            QVERIFY2(!notices.isEmpty(), Text(where, "nothing was sent and the user was not told").constData());
            QVERIFY2(OnPage<QToolButton>("BackKey")->text().endsWith(QStringLiteral("Fire")),
                     Text(where, "the back key no longer shows its macro").constData());
        } else if (dialog == QLatin1String("reset")) {
            QVERIFY2(notices.isEmpty(), Text(where, "told to try again without a switch").constData());
            QVERIFY2(after[0] == SimControl::factoryImage(mouse), Text(where, "the reset did not take").constData());
        } else {
            QVERIFY2(notices.isEmpty(), Text(where, "told to try again without a switch").constData());
            CheckFirstTook(where, dialog, before, after);
            if (QTest::currentTestFailed())
                return;
        }

        // The mouse is where the user or its button left it, and the page
        // shows it.
        const int endProfile = switched ? 1 : 0;
        QVERIFY2(SimControl::currentProfile(mouse) == endProfile,
                 Text(where, "the mouse is not on the profile expected").constData());
        QVERIFY2(ImageBytes(DeviceImageCopy()) == after[endProfile],
                 Text(where, "the page does not show the mouse").constData());
        QVERIFY2(OnPage<MyConmboBox>("ProjectChoose")->currentIndex() == endProfile,
                 Text(where, "the list does not show the mouse's profile").constData());
    }
}

// Without a switch the first profile's back key took the dialog's answer, and
// nothing else of any profile changed.
void TestButtonsDialogSwitch::CheckFirstTook(const QByteArray& where, const QString& dialog,
                                             const QList<QByteArray>& before, const QList<QByteArray>& after)
{
    const int changed = ChangedProfile(before, after, 0);
    QVERIFY2(changed < 0, (where + ": profile " + QByteArray::number(changed + 1) + " changed").constData());
    FlashDataMap expected = ImageFromBytes(before[0]);
    const FlashDataMap held = ImageFromBytes(after[0]);
    if (dialog == QLatin1String("combination")) {
        const uint8_t function[3] = {5, 0, 0};
        std::memcpy(expected.keyFunctions[kBackKey], function, sizeof function);
        std::memcpy(expected.keyEvents[kBackKey], held.keyEvents[kBackKey], FlashDataMap::KeyEventRecordSize);
        const QByteArray record(reinterpret_cast<const char*>(held.keyEvents[kBackKey]), kCtrlCRecord.size());
        QVERIFY2(record == kCtrlCRecord, Text(where, "the key does not hold Ctrl+C").constData());
        QVERIFY2(OnPage<QToolButton>("BackKey")->text() == QStringLiteral("Ctrl+C"), where.constData());
    } else {
        const uint8_t function[3] = {4, uint8_t(kFireInterval), uint8_t(kFireCount)};
        std::memcpy(expected.keyFunctions[kBackKey], function, sizeof function);
        QVERIFY2(OnPage<QToolButton>("BackKey")->text() == OnPage<QToolButton>("DPI_6")->text(), where.constData());
    }
    QVERIFY2(after[0] == ImageBytes(expected),
             Text(where, "the first profile does not hold what was chosen").constData());
}

QTEST_MAIN(TestButtonsDialogSwitch)
#include "test_buttons_dialog_switch.moc"
