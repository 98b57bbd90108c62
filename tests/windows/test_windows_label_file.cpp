// Language label files: the loader every window runs, the choice of file by
// language index, and the shipped files' notice sections.
#include "label_file.h"
#include "paths.h"

#include "language_rows.h"

#include <QtTest>

#include <QTemporaryDir>
#include <QThread>

#include <memory>

using Applied = QList<QPair<QString, QString>>;
Q_DECLARE_METATYPE(Applied)
Q_DECLARE_METATYPE(LabelFile::Mapping)

namespace {

// Loads section "Match" with the keys label and MatchButton and records
// every text handed over, in order.
struct Recorder {
    Applied applied;
    LabelFile::Result Load(const QString& path)
    {
        return LabelFile::Load(path, QStringLiteral("Match"), {
            {QStringLiteral("label"), [this](const QString& t) { applied.append({QStringLiteral("label"), t}); }},
            {QStringLiteral("MatchButton"), [this](const QString& t) { applied.append({QStringLiteral("MatchButton"), t}); }},
        });
    }
};

Applied A(std::initializer_list<QPair<QString, QString>> items)
{
    return Applied(items);
}

// The notices' sections and keys; every shipped language file holds them all.
const QList<QPair<QString, QStringList>> kNoticeSections = {
    {"QuestionB", {"label"}},
    {"MouseOffLine", {"label", "Timeout", "NewHong"}},
    {"ContainReset", {"label", "OK", "Cancel"}},
    {"RePair", {"label", "OK", "Cancel"}},
    {"EXEIsRun", {"label", "NewHong", "label_2", "PleaseStop"}},
    {"InportFail", {"label", "label_1", "label_2", "NewHong"}},
    {"NewVer", {"label", "NewHong", "NoApear"}},
    {"LessThree", {"label", "NewHong"}},
};

QMap<QString, QString> ReadSection(const QString& path, const QString& section, const QStringList& keys)
{
    QMap<QString, QString> texts;
    LabelFile::Keys sinks;
    for (const QString& key : keys)
        sinks.insert(key, [&texts, key](const QString& t) { texts.insert(key, t); });
    LabelFile::Load(path, section, sinks);
    return texts;
}

} // namespace

class TestWindowsLabelFile : public QObject {
    Q_OBJECT
private slots:
    void load_data();
    void load();
    void sharedLoadParsesOnce();
    void missingFileChangesNothing();
    void fileName_data();
    void fileName();
    void pathIsInTheProgramsLanguageFolder();
    void shippedFilesHoldTranslatedNoticeSections_data();
    void shippedFilesHoldTranslatedNoticeSections();

private:
    QTemporaryDir m_dir;
};

void TestWindowsLabelFile::load_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Applied>("expected");
    QTest::addColumn<bool>("readerError");

    const QByteArray decl = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    QTest::newRow("both keys") << decl + "<Total><Match><label>A</label><MatchButton>B</MatchButton></Match></Total>"
                               << A({{"label", "A"}, {"MatchButton", "B"}}) << false;
    QTest::newRow("no declaration, whitespace and comments")
        << QByteArray("<Total>\n  <!-- c -->\n  <Match>\n    <MatchButton> B </MatchButton>\n  </Match>\n</Total>\n")
        << A({{"MatchButton", " B "}}) << false;
    QTest::newRow("missing key keeps the other's default")
        << decl + "<Total><Match><MatchButton>B</MatchButton></Match></Total>" << A({{"MatchButton", "B"}}) << false;
    QTest::newRow("wrong root reads nothing")
        << decl + "<Labels><Match><label>A</label></Match></Labels>" << Applied() << true;
    QTest::newRow("section missing") << decl + "<Total><Other><label>A</label></Other></Total>" << Applied() << false;
    QTest::newRow("other sections before are skipped whole")
        << decl + "<Total><DialogMain><label>Z</label><x><MatchButton>Y</MatchButton></x></DialogMain>"
                  "<Match><label>A</label></Match></Total>"
        << A({{"label", "A"}}) << false;
    QTest::newRow("unknown nested element inside the section")
        << decl + "<Total><Match><Unknown a=\"1\"><label>X</label><deep><label>Y</label></deep></Unknown>"
                  "<label>A</label><Other/><MatchButton>B</MatchButton></Match></Total>"
        << A({{"label", "A"}, {"MatchButton", "B"}}) << false;
    QTest::newRow("only the first section counts")
        << decl + "<Total><Match><label>A</label></Match><Match><label>B</label></Match></Total>"
        << A({{"label", "A"}}) << false;
    QTest::newRow("key with children stops the load, earlier texts stay")
        << decl + "<Total><Match><label>A</label><MatchButton>B<b>x</b></MatchButton><label>C</label></Match></Total>"
        << A({{"label", "A"}}) << true;
    QTest::newRow("broken file after the root keeps what was read")
        << decl + "<Total><Match><label>A</label><MatchButton>B</Match>" << A({{"label", "A"}}) << true;
    QTest::newRow("key elements after the section are read too")
        << decl + "<Total><Match><label>A</label></Match><label>late</label></Total>"
        << A({{"label", "A"}, {"label", "late"}}) << false;
    QTest::newRow("utf-8 text") << decl + QString::fromUtf8("<Total><Match><label>Мышь 滑鼠 마우스</label></Match></Total>").toUtf8()
                                << A({{"label", QString::fromUtf8("Мышь 滑鼠 마우스")}}) << false;
    QTest::newRow("encoding from the declaration")
        << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><Total><Match><label>caf\xe9</label></Match></Total>")
        << A({{"label", QString::fromUtf8("café")}}) << false;
    QTest::newRow("empty file") << QByteArray() << Applied() << true;
    const int depth = 100000;
    QTest::newRow("deeply nested section before ours is skipped")
        << decl + "<Total><Other>" + QByteArray("<a>").repeated(depth) + QByteArray("</a>").repeated(depth)
               + "</Other><Match><label>A</label></Match></Total>"
        << A({{"label", "A"}}) << false;
    QTest::newRow("deeply nested element inside our section")
        << decl + "<Total><Match><label>A</label>" + QByteArray("<a>").repeated(depth) + QByteArray("</a>").repeated(depth)
               + "<MatchButton>B</MatchButton></Match></Total>"
        << A({{"label", "A"}, {"MatchButton", "B"}}) << false;
}

void TestWindowsLabelFile::load()
{
    QFETCH(QByteArray, content);
    QFETCH(Applied, expected);
    QFETCH(bool, readerError);

    const QString path = m_dir.filePath(QStringLiteral("labels.xml"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();

    // Read plainly, then twice while the windows share one parse (the second
    // load takes the parsed copy): the same texts and errors every time.
    for (const bool shared : {false, true}) {
        std::unique_ptr<LabelFile::SharedLoad> sharing(shared ? new LabelFile::SharedLoad : nullptr);
        for (int pass = 0; pass < (shared ? 2 : 1); ++pass) {
            // Loaded on a thread with a small stack: how deep a file nests
            // must not decide whether the loader survives it.
            Recorder recorder;
            LabelFile::Result result;
            std::unique_ptr<QThread> thread(QThread::create([&] { result = recorder.Load(path); }));
            thread->setStackSize(256 * 1024);
            thread->start();
            QVERIFY(thread->wait(60000));
            QVERIFY(result.opened);
            QCOMPARE(recorder.applied, expected);
            QCOMPARE(!result.error.isEmpty(), readerError);
        }
    }
}

// A shared load parses each file once: a change made meanwhile shows only in
// the next language load.
void TestWindowsLabelFile::sharedLoadParsesOnce()
{
    const QString path = m_dir.filePath(QStringLiteral("shared.xml"));
    auto write = [&](const QByteArray& text) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("<Total><Match><label>" + text + "</label></Match></Total>");
    };
    write("first");
    {
        LabelFile::SharedLoad sharing;
        Recorder before;
        before.Load(path);
        write("second");
        Recorder after;
        after.Load(path);
        QCOMPARE(after.applied, A({{"label", "first"}}));
    }
    Recorder next;
    next.Load(path);
    QCOMPARE(next.applied, A({{"label", "second"}}));
}

void TestWindowsLabelFile::missingFileChangesNothing()
{
    Recorder recorder;
    const LabelFile::Result result = recorder.Load(m_dir.filePath(QStringLiteral("none.xml")));
    QVERIFY(!result.opened);
    QVERIFY(recorder.applied.isEmpty());
}

void TestWindowsLabelFile::fileName_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<LabelFile::Mapping>("mapping");
    QTest::addColumn<QString>("expected");

    const QString english = "0-English.xml", russian = "4-Russia.xml";
    const QString chinese = QString::fromUtf8("2-繁体中文.xml");
    using M = LabelFile::Mapping;
    QTest::newRow("0 English") << 0 << M::Standard << english;
    QTest::newRow("1 Russian") << 1 << M::Standard << russian;
    QTest::newRow("2 Traditional Chinese") << 2 << M::Standard << chinese;
    QTest::newRow("3 Korean") << 3 << M::Standard << QString("3-Korea.xml");
    QTest::newRow("4 English") << 4 << M::Standard << english;
    QTest::newRow("5 Japanese") << 5 << M::Standard << QString("5-Japanese.xml");
    QTest::newRow("7 English") << 7 << M::Standard << english;
    QTest::newRow("-1 English") << -1 << M::Standard << english;
    QTest::newRow("russian at four: 4") << 4 << M::RussianAtFour << russian;
    QTest::newRow("russian at four: 1") << 1 << M::RussianAtFour << russian;
    QTest::newRow("russian at four: 5") << 5 << M::RussianAtFour << QString("5-Japanese.xml");
    QTest::newRow("first three: 2") << 2 << M::FirstThree << chinese;
    QTest::newRow("first three: 3") << 3 << M::FirstThree << english;
    QTest::newRow("first three: 5") << 5 << M::FirstThree << english;
}

void TestWindowsLabelFile::fileName()
{
    QFETCH(int, index);
    QFETCH(LabelFile::Mapping, mapping);
    QFETCH(QString, expected);
    QCOMPARE(LabelFile::FileName(index, mapping), expected);
}

void TestWindowsLabelFile::pathIsInTheProgramsLanguageFolder()
{
    QCOMPARE(LabelFile::PathFor(1), AppFolder() + "/Language/4-Russia.xml");
    QVERIFY(QFile::exists(LabelFile::PathFor(0)));
}

void TestWindowsLabelFile::shippedFilesHoldTranslatedNoticeSections_data()
{
    AddLanguageRows({1, 2, 3, 5});
}

void TestWindowsLabelFile::shippedFilesHoldTranslatedNoticeSections()
{
    QFETCH(int, index);
    for (const auto& section : kNoticeSections) {
        const auto english = ReadSection(LabelFile::PathFor(0), section.first, section.second);
        const auto translated = ReadSection(LabelFile::PathFor(index), section.first, section.second);
        for (const QString& key : section.second) {
            const QString where = section.first + "/" + key;
            QVERIFY2(!english.value(key).isEmpty(), qPrintable("English lacks " + where));
            QVERIFY2(!translated.value(key).isEmpty(), qPrintable("missing " + where));
            if (key != "OK" && key != "NewHong") // "OK" is fine in several languages
                QVERIFY2(translated.value(key) != english.value(key), qPrintable("untranslated " + where));
        }
    }
}

QTEST_GUILESS_MAIN(TestWindowsLabelFile)
#include "test_windows_label_file.moc"
