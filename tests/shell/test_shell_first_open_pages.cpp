// A device opened while its mouse sleeps, with no cache of it, in the whole
// program with the devices' own timing. Opened after a mouse of another
// model was shown (online, on a profile other than the first, a macro on a
// key), every widget of the device window shows what it shows when that
// device is the first one opened in a fresh program: nothing of the mouse
// before. Opened again with nothing between, the device keeps what it
// showed.
#include "gui_fixture.h"
#include "library_calls.h"
#include "test_image.h"
#include "world_text.h"

#include "../home/home_fixture.h"
#include "../macro/macro_block_events.h"

#include "buttoninterface.h"
#include "device_cache.h"
#include "device_image_setters.h"
#include "form_setting.h"
#include "macro_file.h"
#include "mouse_off_line.h"
#include "user_setting_store.h"
#include "window_closer.h"

#include <devicelib_control.h>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

#include <cstring>

namespace {

const int kSettleMs = 40000;
// What the mouse shown before holds in its third profile, the one it uses:
// a macro on the back key and settings of its own.
const int kShownProfile = 2;
const int kMacroKey = 2;
const QString kMacroName = QStringLiteral("Dash");
const int kEnglish = 0;
const int kRussian = 1; // the settings page's list of languages

// Models of the catalogue: a mouse with its receiver, each mouse and
// receiver with a version of its own. Lynx's sensor offers ripple control
// but no lift-off calibration, Aero's the other way round; Pico has the
// compact sensor page and five keys, Orca no sensor mode choice.
struct Model {
    const char* mouse = "";
    int mid = 0;
    const char* mouseVersion = "";
    const char* receiverVersion = "";
    QString Mouse() const { return QLatin1String(mouse); }
    QString Receiver() const { return Mouse() + QStringLiteral("-rx"); }
};
const Model kAero{"aero", 1, "1.3", "1.5"};
const Model kLynx{"lynx", 2, "1.4", "1.6"};
const Model kOrca{"orca", 3, "1.7", "1.8"};
const Model kPico{"pico", 4, "1.9", "1.A"};

QByteArray ShownImage(const QString& mouse, int dpiStage)
{
    FlashDataMap image = ImageFromBytes(SimControl::factoryImage(mouse));
    const uint8_t function[3] = {6, uint8_t(kMacroKey), 1}; // macro, played once
    std::memcpy(image.keyFunctions[kMacroKey], function, sizeof function);
    const QByteArray block = Block(kMacroName.toLatin1(), {Event(0, 1, 0x07, 10), Event(1, 1, 0x07, 0)});
    std::memcpy(image.macroBlocks[kMacroKey], block.constData(), FlashDataMap::MacroBlockSize);
    image.debounceTime = 9;
    image.lightOffTime = 3;
    image.liftOffDistance = 2;
    image.rippleControl = 1;
    image.performanceMode = 1;
    image.currentDpiStage = uint8_t(dpiStage);
    return ImageBytes(image);
}

// The sleeping device behind a receiver of the class given; the mouse shown
// before behind its own 8K receiver, or on its cable.
QString World(const Model& asleep, int receiverClass, const Model& shown, bool shownOnCable)
{
    const auto version = [](const char* text) { return QStringLiteral("Version = %1").arg(QLatin1String(text)); };
    QString world = QStringLiteral("[World]\nVid = 0x2FE5\n")
                    + SimWorld::Receiver(asleep.Receiver(), receiverClass, asleep.mid, version(asleep.receiverVersion))
                    + SimWorld::Mouse(asleep.Mouse(), asleep.mid, asleep.Receiver(), version(asleep.mouseVersion));
    if (shownOnCable)
        return world + SimWorld::Mouse(shown.Mouse(), shown.mid, QString(), version(shown.mouseVersion));
    return world + SimWorld::Receiver(shown.Receiver(), 8, shown.mid, version(shown.receiverVersion))
           + SimWorld::Mouse(shown.Mouse(), shown.mid, shown.Receiver(), version(shown.mouseVersion));
}

// One line for each widget of the window, under the path of object names
// (class and place among its like siblings for unnamed ones): what the user
// sees of it.
using Look = QMap<QString, QString>;

QString PathOf(const QWidget* widget, const QWidget* window)
{
    QStringList parts;
    for (const QWidget* w = widget; w && w != window; w = w->parentWidget()) {
        QString part = w->objectName();
        if (part.isEmpty()) {
            int place = 0;
            if (const QObject* parent = w->parent()) {
                for (const QObject* sibling : parent->children()) {
                    if (sibling == w)
                        break;
                    if (sibling->metaObject() == w->metaObject() && sibling->objectName().isEmpty())
                        ++place;
                }
            }
            part = QStringLiteral("<%1#%2>").arg(QLatin1String(w->metaObject()->className())).arg(place);
        }
        parts.prepend(part);
    }
    return parts.join(QLatin1Char('/'));
}

QStringList ItemsOf(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

QString Describe(const QWidget* widget, const QWidget* window)
{
    const bool visible = widget->isVisibleTo(window);
    QStringList facts{QLatin1String(widget->metaObject()->className()),
                      visible ? QStringLiteral("visible") : QStringLiteral("hidden"),
                      widget->isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled")};
    // Where it stands and its pictures, while it is seen (a page of the
    // stack gets its size when first shown).
    if (visible) {
        const QRect place = widget->geometry();
        facts << QStringLiteral("at=%1,%2,%3x%4").arg(place.x()).arg(place.y()).arg(place.width()).arg(place.height())
              << QStringLiteral("style=") + widget->styleSheet();
    }
    const auto quoted = [](const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); };
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        facts << QStringLiteral("text=") + quoted(button->text());
        if (button->isCheckable())
            facts << (button->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked"));
    } else if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        facts << QStringLiteral("text=") + quoted(label->text());
    } else if (const auto* line = qobject_cast<const QLineEdit*>(widget)) {
        facts << QStringLiteral("text=") + quoted(line->text());
    } else if (const auto* text = qobject_cast<const QTextEdit*>(widget)) {
        facts << QStringLiteral("text=") + quoted(text->toPlainText());
    } else if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget)) {
        facts << QStringLiteral("text=") + quoted(plain->toPlainText());
    } else if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
        // A row kept from the user is marked.
        QStringList items;
        for (int i = 0; i < combo->count(); ++i) {
            const bool offered = combo->model()->flags(combo->model()->index(i, 0)) & Qt::ItemIsEnabled;
            items << quoted(combo->itemText(i)) + (offered ? QString() : QStringLiteral("(kept back)"));
        }
        facts << QStringLiteral("current=%1 count=%2 items=[%3]")
                     .arg(combo->currentIndex())
                     .arg(combo->count())
                     .arg(items.join(QLatin1Char(',')));
    } else if (const auto* slider = qobject_cast<const QAbstractSlider*>(widget)) {
        facts << QStringLiteral("value=%1 range=%2..%3")
                     .arg(slider->value())
                     .arg(slider->minimum())
                     .arg(slider->maximum());
    } else if (const auto* spin = qobject_cast<const QSpinBox*>(widget)) {
        facts << QStringLiteral("value=%1 range=%2..%3").arg(spin->value()).arg(spin->minimum()).arg(spin->maximum());
    } else if (const auto* list = qobject_cast<const QListWidget*>(widget)) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << quoted(list->item(i)->text());
        facts << QStringLiteral("current=%1 items=[%2]").arg(list->currentRow()).arg(items.join(QLatin1Char(',')));
    } else if (const auto* bar = qobject_cast<const QProgressBar*>(widget)) {
        facts << QStringLiteral("value=%1").arg(bar->value());
    } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
        facts << QStringLiteral("title=") + quoted(group->title());
    }
    return facts.join(QLatin1Char(' '));
}

// The paths of the widgets whose lines differ, or that only one look has;
// each is logged with both lines (a failure message would be cut short).
QStringList Differences(const Look& expected, const Look& actual)
{
    QStringList differing;
    QStringList paths = expected.keys() + actual.keys();
    paths.removeDuplicates();
    paths.sort();
    for (const QString& path : paths) {
        const QString want = expected.value(path, QStringLiteral("<none>"));
        const QString got = actual.value(path, QStringLiteral("<none>"));
        if (want == got)
            continue;
        differing << path;
        qInfo().noquote() << path << "\n    first:" << want << "\n    then: " << got;
    }
    return differing;
}

} // namespace

Q_DECLARE_METATYPE(Model)

class TestShellFirstOpenPages : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void sleepingDeviceShowsNothingOfTheOneBefore_data();
    void sleepingDeviceShowsNothingOfTheOneBefore();
    void sameDeviceOpenedAgainKeepsWhatItShowed_data();
    void sameDeviceOpenedAgainKeepsWhatItShowed();

private:
    // A fresh program over the world, the devices at their own pace, the
    // mouse `asleep` sleeping.
    bool Start(const QString& world, const Model& asleep);
    // The user clicks the device on the home page; the program settles.
    bool Open(const QString& device);
    bool OpenAsleep(const Model& asleep) { return Open(asleep.Receiver()); }
    // The mouse shown on its third profile with its macro, its traces on the
    // pages checked.
    void Show(const QString& mouse, const QString& device, int dpiStage);
    void GoHome();
    // Each widget of the device window as the user sees it: the pages
    // shown in turn, ending on the button page.
    Look DeviceWindowLook() const;
    QToolButton* MacroKey() const { return m_gui.DeviceWindow()->ButtonPage()->KeyButton(kMacroKey); }
    QComboBox* ProfileList() const { return m_gui.FindInDeviceWindow<QComboBox>(QStringLiteral("ProjectChoose")); }

    GuiFixture m_gui;
};

void TestShellFirstOpenPages::init()
{
    UserSettingStore::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"),
                                           QString::number(kEnglish));
    QDir(UserDataFolder() + QStringLiteral("/Device_Info")).removeRecursively();
    QDir(MacroFolder()).removeRecursively();
    QVERIFY(QDir().mkpath(MacroFolder()));
}

void TestShellFirstOpenPages::cleanup()
{
    m_gui.Stop();
}

bool TestShellFirstOpenPages::Start(const QString& world, const Model& asleep)
{
    if (!m_gui.Start(world))
        return false;
    SimControl::setReportIntervalUs(-1);
    return SimControl::setMouseOnline(asleep.Mouse(), false);
}

bool TestShellFirstOpenPages::Open(const QString& device)
{
    mytoolButtonEnter* button = home::ButtonOf(device);
    if (!button || m_gui.MainPageIndex() != 0)
        return false;
    // The offline notice may come up while a sleeping device is opened.
    WindowCloser<MouseOffLine> notices;
    QTest::mouseClick(button, Qt::LeftButton);
    return Settle(kSettleMs) && m_gui.MainPageIndex() == 1;
}

Look TestShellFirstOpenPages::DeviceWindowLook() const
{
    Dialog* window = m_gui.DeviceWindow();
    const auto* stack = m_gui.FindInDeviceWindow<QStackedWidget>(QStringLiteral("stackedWidgetDialog"));
    Look look;
    for (const char* page : {"SensorButton", "MacroButton", "FormSetting", "ButtonMain"}) {
        m_gui.FindInDeviceWindow<QToolButton>(QLatin1String(page))->click();
        QCoreApplication::processEvents();
        const QWidget* shown = stack->currentWidget();
        const bool last = qstrcmp(page, "ButtonMain") == 0;
        // The list a combo box opens is a window of its own, showing the
        // combo's items.
        for (const QWidget* widget : window->findChildren<QWidget*>()) {
            if (widget->window() != window->window())
                continue;
            const bool onShownPage = widget == shown || shown->isAncestorOf(widget);
            if (onShownPage || (last && !stack->isAncestorOf(widget)))
                look.insert(PathOf(widget, window), Describe(widget, window));
        }
    }
    return look;
}

void TestShellFirstOpenPages::GoHome()
{
    m_gui.FindInDeviceWindow<QToolButton>(QStringLiteral("UpArrow"))->click();
    QTRY_COMPARE_WITH_TIMEOUT(m_gui.MainPageIndex(), 0, kSettleMs);
}

void TestShellFirstOpenPages::Show(const QString& mouse, const QString& device, int dpiStage)
{
    const QByteArray image = ShownImage(mouse, dpiStage);
    QVERIFY(SimControl::setMouseImage(mouse, image, kShownProfile));
    QVERIFY(SimControl::switchProfile(mouse, kShownProfile));
    QVERIFY(Open(device));
    QTRY_VERIFY_WITH_TIMEOUT(Settle(kSettleMs) && ImageBytes(DeviceImageCopy()) == image, kSettleMs);
    QVERIFY(MacroKey()->text().endsWith(kMacroName));
    QCOMPARE(ProfileList()->currentIndex(), kShownProfile);
}

void TestShellFirstOpenPages::sleepingDeviceShowsNothingOfTheOneBefore_data()
{
    QTest::addColumn<Model>("asleep");
    QTest::addColumn<int>("receiverClass");
    QTest::addColumn<Model>("shown");
    QTest::addColumn<bool>("shownOnCable");
    // The DPI stage the mouse before uses: the second is the one a page
    // without an image checks.
    QTest::addColumn<int>("shownStage");
    // The language the user picks while the mouse before is shown.
    QTest::addColumn<int>("language");
    QTest::newRow("aero-1K-after-lynx") << kAero << 1 << kLynx << false << 1 << kEnglish;
    QTest::newRow("aero-4K-after-lynx-cable") << kAero << 4 << kLynx << true << 0 << kEnglish;
    QTest::newRow("aero-4K-after-lynx-russian") << kAero << 4 << kLynx << false << 1 << kRussian;
    QTest::newRow("lynx-2K-after-aero") << kLynx << 2 << kAero << false << 2 << kEnglish;
    QTest::newRow("lynx-8K-after-aero-cable") << kLynx << 8 << kAero << true << 1 << kEnglish;
    QTest::newRow("aero-2K-after-pico") << kAero << 2 << kPico << false << 3 << kEnglish;
    QTest::newRow("lynx-4K-after-orca") << kLynx << 4 << kOrca << false << 1 << kEnglish;
}

// The sleeping device opened after the other mouse; then, in a fresh program
// over the same world and user data (the macro file the other mouse brought
// and the language picked stay), opened first: the two looks are the same.
void TestShellFirstOpenPages::sleepingDeviceShowsNothingOfTheOneBefore()
{
    QFETCH(Model, asleep);
    QFETCH(int, receiverClass);
    QFETCH(Model, shown);
    QFETCH(bool, shownOnCable);
    QFETCH(int, shownStage);
    QFETCH(int, language);
    const QString world = World(asleep, receiverClass, shown, shownOnCable);

    QVERIFY(Start(world, asleep));
    Show(shown.Mouse(), shownOnCable ? shown.Mouse() : shown.Receiver(), shownStage);
    if (QTest::currentTestFailed())
        return;
    if (language != kEnglish) {
        FormSetting* settings = m_gui.DeviceWindow()->SettingsPage();
        settings->findChild<QComboBox*>(QStringLiteral("comboBox"))->setCurrentIndex(language);
        QVERIFY(QMetaObject::invokeMethod(settings, "on_comboBox_activated", Q_ARG(int, language)));
        QVERIFY(MacroKey()->text().endsWith(kMacroName));
    }
    GoHome();
    QVERIFY(OpenAsleep(asleep));
    const Look after = DeviceWindowLook();
    m_gui.Stop();

    QVERIFY2(!QFile::exists(DeviceCachePath(DeviceCacheName(23, asleep.mid))), "the sleeping device got a cache");
    QVERIFY(QFile::exists(MacroFilePath(MacroFolder(), kMacroName)));
    QVERIFY(Start(world, asleep));
    QVERIFY(OpenAsleep(asleep));
    const Look first = DeviceWindowLook();

    QVERIFY(first.size() > 100);
    const QStringList differing = Differences(first, after);
    QVERIFY2(differing.isEmpty(), qPrintable(QStringLiteral("%1 widgets differ").arg(differing.size())));
}

void TestShellFirstOpenPages::sameDeviceOpenedAgainKeepsWhatItShowed_data()
{
    QTest::addColumn<bool>("shownAwake");
    QTest::newRow("asleep-both-times") << false;
    QTest::newRow("awake-then-asleep") << true;
}

// Asleep both times, the device shows the same again. Shown awake (its
// macro on a key, its third profile), then asleep with its cache gone: the
// key texts and the profile list stay as they were.
void TestShellFirstOpenPages::sameDeviceOpenedAgainKeepsWhatItShowed()
{
    QFETCH(bool, shownAwake);
    QVERIFY(Start(World(kAero, 4, kLynx, false), kAero));
    if (!shownAwake) {
        QVERIFY(OpenAsleep(kAero));
        const Look first = DeviceWindowLook();
        GoHome();
        QVERIFY(OpenAsleep(kAero));
        const QStringList differing = Differences(first, DeviceWindowLook());
        QVERIFY2(differing.isEmpty(), qPrintable(QStringLiteral("%1 widgets differ").arg(differing.size())));
        return;
    }

    QVERIFY(SimControl::setMouseOnline(kAero.Mouse(), true));
    Show(kAero.Mouse(), kAero.Receiver(), 3);
    if (QTest::currentTestFailed())
        return;
    QStringList keyTexts;
    for (int key = 0; key < Buttoninterface::kKeyCount; ++key)
        keyTexts << m_gui.DeviceWindow()->ButtonPage()->KeyButton(key)->text();
    const QStringList profiles = ItemsOf(ProfileList());
    GoHome();
    QVERIFY(SimControl::setMouseOnline(kAero.Mouse(), false));
    QVERIFY(QFile::remove(DeviceCachePath(DeviceCacheName(23, kAero.mid))));
    QVERIFY(OpenAsleep(kAero));

    for (int key = 0; key < Buttoninterface::kKeyCount; ++key)
        QCOMPARE(m_gui.DeviceWindow()->ButtonPage()->KeyButton(key)->text(), keyTexts[key]);
    QCOMPARE(ItemsOf(ProfileList()), profiles);
    QCOMPARE(ProfileList()->currentIndex(), kShownProfile);
}

QTEST_MAIN(TestShellFirstOpenPages)
#include "test_shell_first_open_pages.moc"
