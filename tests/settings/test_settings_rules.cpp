// The settings page's pure rules: the Net.xml footer reader, which receiver
// groups a device gets and where the footer goes, the autostart entry and
// the search for the desktop's mouse settings program.
#include "autostart.h"
#include "mouse_settings.h"
#include "net_profile.h"
#include "setting_groups.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

NetProfile::Texts ReadNet(const QByteArray& xml, int language)
{
    QBuffer buffer;
    buffer.setData(xml);
    buffer.open(QIODevice::ReadOnly);
    return NetProfile::Read(&buffer, language);
}

const char kProfile[] = "<?xml version=\"1.0\"?><Profile>"
                        "<Other><CompanyName>skipped</CompanyName></Other>"
                        "<English><CompanyName>Co EN</CompanyName><CompanyWeben>en.link</CompanyWeben>"
                        "<CompanyWebcn>cn.link.from.en</CompanyWebcn><Unknown><CompanyName>deep</CompanyName></Unknown></English>"
                        "<Chinese><CompanyName>Co CN</CompanyName><CompanyWebcn>cn.link</CompanyWebcn></Chinese>"
                        "</Profile>";

} // namespace

class TestSettingsRules : public QObject {
    Q_OBJECT
private slots:
    void netProfile_data();
    void netProfile();
    void receiverGroups_data();
    void receiverGroups();
    void layouts();
    void execLine_data();
    void execLine();
    void autostartEntry();
    void mouseSettingsProgram();
};

void TestSettingsRules::netProfile_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("company"); // "-" nothing given
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("error");

    const QByteArray profile(kProfile);
    QTest::newRow("English") << profile << 0 << "Co EN" << "en.link" << false;
    QTest::newRow("Russian reads Chinese") << profile << 1 << "Co CN" << "cn.link" << false;
    QTest::newRow("Traditional Chinese") << profile << 2 << "Co CN" << "cn.link" << false;
    QTest::newRow("Korean") << profile << 3 << "Co EN" << "en.link" << false;
    QTest::newRow("index 4 as English") << profile << 4 << "Co EN" << "en.link" << false;
    QTest::newRow("Japanese takes no link") << profile << 5 << "Co EN" << "-" << false;
    QTest::newRow("unknown index takes no link") << profile << 9 << "Co EN" << "-" << false;
    QTest::newRow("Web after English wins")
        << QByteArray("<Profile><English><CompanyName>A</CompanyName><CompanyWeben>a</CompanyWeben></English>"
                      "<Web><CompanyName>B</CompanyName></Web></Profile>")
        << 0 << "B" << "a" << false;
    QTest::newRow("English after Web wins")
        << QByteArray("<Profile><Web><CompanyName>B</CompanyName><CompanyWeben>b</CompanyWeben></Web>"
                      "<English><CompanyName>A</CompanyName></English></Profile>")
        << 0 << "A" << "b" << false;
    QTest::newRow("wrong root") << QByteArray("<Total><English><CompanyName>A</CompanyName></English></Total>") << 0
                                << "-" << "-" << true;
    QTest::newRow("broken after the company")
        << QByteArray("<Profile><English><CompanyName>A</CompanyName><CompanyWeben>a</Comp") << 0 << "A" << "-" << true;
    QTest::newRow("empty file") << QByteArray() << 0 << "-" << "-" << true;
    QTest::newRow("text of nested elements")
        << QByteArray("<Profile><English><CompanyName>A<b>B<c>C</c></b>&amp;<!-- no -->D</CompanyName></English>"
                      "</Profile>")
        << 0 << "ABC&D" << "-" << false;
    // Deep enough to exhaust the stack of a reader that recurses.
    const int depth = 100000;
    QTest::newRow("company nested 100000 deep")
        << QByteArray("<Profile><English><CompanyName>") + QByteArray("<a>").repeated(depth) + "x"
               + QByteArray("</a>").repeated(depth) + "</CompanyName><CompanyWeben>a</CompanyWeben></English></Profile>"
        << 0 << "x" << "a" << false;
    QTest::newRow("company nested 100000 deep, cut")
        << QByteArray("<Profile><English><CompanyName>") + QByteArray("<a>").repeated(depth) << 0 << "-" << "-"
        << true;
}

void TestSettingsRules::netProfile()
{
    QFETCH(QByteArray, xml);
    QFETCH(int, language);
    QFETCH(QString, company);
    QFETCH(QString, link);
    QFETCH(bool, error);
    const NetProfile::Texts texts = ReadNet(xml, language);
    QCOMPARE(texts.hasCompany ? texts.company : QStringLiteral("-"), company);
    QCOMPARE(texts.hasLink ? texts.link : QStringLiteral("-"), link);
    QCOMPARE(!texts.error.isEmpty(), error);
    if (xml.startsWith("<Total>"))
        QCOMPARE(texts.error, QStringLiteral("Not a labels file"));
}

void TestSettingsRules::receiverGroups_data()
{
    QTest::addColumn<QStringList>("advanced");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("wired");
    QTest::addColumn<bool>("longRange");
    QTest::addColumn<bool>("light");

    const QStringList both{"0", " 1"};
    QTest::newRow("4K receiver, both") << both << 1 << false << true << true;
    QTest::newRow("1K receiver: no light") << both << 0 << false << true << false;
    QTest::newRow("2K receiver: no light") << both << 4 << false << true << false;
    QTest::newRow("8K receiver: no light") << both << 5 << false << true << false;
    QTest::newRow("cable") << both << 2 << true << false << false;
    QTest::newRow("wired flag on a receiver type") << both << 1 << true << false << false;
    QTest::newRow("no long range") << QStringList{"-1", "2"} << 1 << false << false << true;
    QTest::newRow("no light") << QStringList{"1", "-1"} << 1 << false << true << false;
    QTest::newRow("neither") << QStringList{"-1", " -1"} << 1 << false << false << false;
    QTest::newRow("one item only") << QStringList{"0"} << 1 << false << true << false;
    QTest::newRow("no list") << QStringList() << 1 << false << false << false;
}

void TestSettingsRules::receiverGroups()
{
    QFETCH(QStringList, advanced);
    QFETCH(int, type);
    QFETCH(bool, wired);
    QFETCH(bool, longRange);
    QFETCH(bool, light);
    SettingGroups::Device device;
    device.advanced = advanced;
    device.connectionType = type;
    device.wired = wired;
    QCOMPARE(SettingGroups::LongRangeAllowed(device), longRange);
    QCOMPARE(SettingGroups::LightAllowed(device), light);
}

void TestSettingsRules::layouts()
{
    const SettingGroups::Layout compact = SettingGroups::LayoutFor(false, 80);
    QCOMPARE(compact.content, QSize(849, 710));
    QCOMPARE(compact.link, QPoint(570, 620));
    QCOMPARE(compact.company, QPoint(450, 640));
    const SettingGroups::Layout expanded = SettingGroups::LayoutFor(true, 80);
    QCOMPARE(expanded.content, QSize(849, 860));
    QCOMPARE(expanded.link, QPoint(570, 790));
    QCOMPARE(expanded.company, QPoint(450, 810));
}

void TestSettingsRules::execLine_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("exec");
    QTest::newRow("plain") << "/opt/quorix/quorix-one" << "\"/opt/quorix/quorix-one\"";
    QTest::newRow("space") << "/home/a b/quorix-one" << "\"/home/a b/quorix-one\"";
    QTest::newRow("quote and dollar") << "/x/\"q\"$HOME" << "\"/x/\\\\\"q\\\\\"\\\\$HOME\"";
    QTest::newRow("backslash") << "/x\\y" << "\"/x\\\\\\\\y\"";
    QTest::newRow("percent") << "/x/100%" << "\"/x/100%%\"";
    QTest::newRow("backtick") << "/x/`id`" << "\"/x/\\\\`id\\\\`\"";
    QTest::newRow("line break refused") << "/x\n/y" << "";
    QTest::newRow("empty refused") << "" << "";
}

void TestSettingsRules::execLine()
{
    QFETCH(QString, path);
    QFETCH(QString, exec);
    QCOMPARE(Autostart::ExecLine(path), exec);
}

void TestSettingsRules::autostartEntry()
{
    // Each test has its own XDG_CONFIG_HOME.
    const QString path = Autostart::EntryPath(QStringLiteral("quorix-one"));
    QCOMPARE(path, qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/autostart/quorix-one.desktop"));
    QVERIFY(!Autostart::IsEnabled(QStringLiteral("quorix-one")));
    QVERIFY(Autostart::Disable(QStringLiteral("quorix-one")));

    QVERIFY(Autostart::Enable(QStringLiteral("quorix-one"), QStringLiteral("Quorix One"), QStringLiteral("/opt/q one/bin")));
    QVERIFY(Autostart::IsEnabled(QStringLiteral("quorix-one")));
    QSettings entry(path, QSettings::IniFormat);
    entry.beginGroup(QStringLiteral("Desktop Entry"));
    QCOMPARE(entry.value(QStringLiteral("Type")).toString(), QStringLiteral("Application"));
    QCOMPARE(entry.value(QStringLiteral("Name")).toString(), QStringLiteral("Quorix One"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("\nExec=\"/opt/q one/bin\"\n"));
    file.close();

    // Written again, it replaces the earlier entry.
    QVERIFY(Autostart::Enable(QStringLiteral("quorix-one"), QStringLiteral("Quorix One"), QStringLiteral("/usr/bin/q")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray again = file.readAll();
    QVERIFY(again.contains("\nExec=\"/usr/bin/q\"\n"));
    QVERIFY(!again.contains("/opt/q one"));
    file.close();

    QVERIFY(Autostart::Disable(QStringLiteral("quorix-one")));
    QVERIFY(!QFile::exists(path));
    QVERIFY(!Autostart::Enable(QStringLiteral("quorix-one"), QStringLiteral("Quorix One"), QStringLiteral("/a\nb")));
    QVERIFY(!QFile::exists(path));
}

void TestSettingsRules::mouseSettingsProgram()
{
    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    auto addProgram = [&](const QString& name) {
        QFile file(bin.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nexit 0\n");
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    };
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));
    const QList<MouseSettings::Command> candidates = {
        {QStringLiteral("first-settings"), {QStringLiteral("mouse")}},
        {QStringLiteral("second-settings"), {}},
    };
    QVERIFY(MouseSettings::FindCommand(candidates).program.isEmpty());
    addProgram(QStringLiteral("second-settings"));
    QCOMPARE(MouseSettings::FindCommand(candidates).program, bin.filePath(QStringLiteral("second-settings")));
    addProgram(QStringLiteral("first-settings"));
    const MouseSettings::Command first = MouseSettings::FindCommand(candidates);
    QCOMPARE(first.program, bin.filePath(QStringLiteral("first-settings")));
    QCOMPARE(first.arguments, QStringList{QStringLiteral("mouse")});
    // With none of the known programs installed nothing is started.
    QVERIFY(!MouseSettings::Open());
    qputenv("PATH", oldPath);
}

QTEST_GUILESS_MAIN(TestSettingsRules)
#include "test_settings_rules.moc"
