// The macro name rules: the edit rule of the name field, the cut to the
// name field of a macro block in the local 8-bit encoding, and the names
// refused because they become file names.
#include "macro_name.h"

#include <QtTest>

#include <QTextCodec>

namespace {

const QString Han = QString(QChar(0x5B8F)); // one CJK character: 2 bytes in GBK, 3 in UTF-8
const QString Smile = QString::fromUcs4(U"\U0001F600"); // outside the BMP: a surrogate pair

QString Repeat(const QString& text, int times) { return text.repeated(times); }

} // namespace

class TestMacroName : public QObject {
    Q_OBJECT

private slots:
    void init() { m_localCodec = QTextCodec::codecForLocale(); }
    void cleanup() { QTextCodec::setCodecForLocale(m_localCodec); }

    void editRule_data();
    void editRule();
    void refusedNames_data();
    void refusedNames();

private:
    QTextCodec* m_localCodec = nullptr;
};

void TestMacroName::editRule_data()
{
    QTest::addColumn<QByteArray>("codec");
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QString>("shown");

    const QByteArray utf8 = "UTF-8";
    const QByteArray gbk = "GBK";
    const QString ascii29 = Repeat(QStringLiteral("x"), 29);

    QTest::newRow("blank inside stays") << utf8 << "ab c" << "ab c";
    QTest::newRow("blank at the start stays") << utf8 << " ab" << " ab";
    QTest::newRow("final blank removes every blank") << utf8 << "ab c " << "abc";
    QTest::newRow("only blanks") << utf8 << "   " << "";
    QTest::newRow("other white space is left") << utf8 << "ab\t" << "ab\t";
    QTest::newRow("30 bytes fit") << utf8 << Repeat("y", 30) << Repeat("y", 30);
    QTest::newRow("40 pasted characters") << utf8 << Repeat("0123456789", 4) << Repeat("0123456789", 3);
    QTest::newRow("blanks removed before the cut")
        << utf8 << Repeat("a b ", 10) << Repeat("ab", 10);

    QTest::newRow("double-byte: 15 characters fit") << gbk << Repeat(Han, 15) << Repeat(Han, 15);
    QTest::newRow("double-byte: 16th character") << gbk << Repeat(Han, 16) << Repeat(Han, 15);
    QTest::newRow("double-byte: never split") << gbk << ascii29 + Han << ascii29;
    QTest::newRow("double-byte: mixed") << gbk << "ab" + Repeat(Han, 14) << "ab" + Repeat(Han, 14);

    QTest::newRow("UTF-8: 10 of 11 characters") << utf8 << Repeat(Han, 11) << Repeat(Han, 10);
    QTest::newRow("UTF-8: never split") << utf8 << ascii29 + Han << ascii29;
    QTest::newRow("UTF-8: surrogate pair kept whole")
        << utf8 << Repeat("z", 27) + Smile + "q" << Repeat("z", 27);
    QTest::newRow("UTF-8: surrogate pair that fits")
        << utf8 << Repeat("z", 26) + Smile + "q" << Repeat("z", 26) + Smile;
}

void TestMacroName::editRule()
{
    QFETCH(QByteArray, codec);
    QFETCH(QString, edited);
    QFETCH(QString, shown);

    QTextCodec* local = QTextCodec::codecForName(codec);
    if (!local)
        QSKIP("the text codec is not available in this Qt build");
    QTextCodec::setCodecForLocale(local);

    const QString result = ApplyMacroNameEdit(edited);
    QCOMPARE(result, shown);
    QVERIFY(result.toLocal8Bit().size() <= MacroNameMaxBytes);
    // What the rule leaves is stable: editing it again changes nothing.
    if (!result.endsWith(QLatin1Char(' ')))
        QCOMPARE(ApplyMacroNameEdit(result), result);
}

void TestMacroName::refusedNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");

    QTest::newRow("plain") << "Macro 1" << true;
    QTest::newRow("CJK") << Repeat(Han, 3) + "2" << true;
    QTest::newRow("blanks around") << " a " << true;
    QTest::newRow("dot inside") << "v1.2" << true;
    QTest::newRow("blank before a dot") << " .a" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("only blanks") << "   " << false;
    QTest::newRow("slash") << "a/b" << false;
    QTest::newRow("backslash") << "a\\b" << false;
    QTest::newRow("colon") << "C:" << false;
    QTest::newRow("tab") << "a\tb" << false;
    QTest::newRow("line feed") << "a\n" << false;
    QTest::newRow("NUL") << QString("ab") + QChar(0) << false;
    QTest::newRow("DEL") << "a\x7f" << false;
    QTest::newRow("C1 control") << QString("a") + QChar(0x85) << false;
    QTest::newRow("one dot") << "." << false;
    QTest::newRow("two dots") << ".." << false;
    QTest::newRow("many dots") << "....." << false;
    QTest::newRow("parent path") << "../x" << false;
    QTest::newRow("leading dot: a hidden file") << ".Fire" << false;
}

void TestMacroName::refusedNames()
{
    QFETCH(QString, name);
    QFETCH(bool, valid);
    QCOMPARE(IsValidMacroName(name), valid);
}

QTEST_APPLESS_MAIN(TestMacroName)
#include "test_macro_name.moc"
