// The six notices of the button page and the macro page on their common
// skeleton: form per notice, closing by each route, the one answer, and the
// language signal reaching an open notice.
#include "key_notices.h"
#include "post_msg.h"
#include "user_setting_store.h"

#include "find_child.h"

#include <QtTest>

#include <QFrame>
#include <QLabel>
#include <QToolButton>

#include <functional>
#include <memory>

using Factory = std::function<NoticeDialog*()>;
Q_DECLARE_METATYPE(Factory)

namespace {

template <typename T>
Factory Make()
{
    return [] { return new T; };
}

struct NoticeRow {
    const char* name;
    Factory make;
};

const QVector<NoticeRow>& Notices()
{
    static const QVector<NoticeRow> notices = {
        {"LeftButtonOnly", Make<LeftButtonOnly>()}, {"MakeMacro", Make<MakeMacro>()},
        {"GroupMaxThree", Make<GroupMaxThree>()},   {"SameMacro", Make<SameMacro>()},
        {"KeyNumberLimit", Make<KeyNumberLimit>()}, {"DeleteConfirm", Make<DeleteConfirm>()},
    };
    return notices;
}

void SetStoredLanguage(int index)
{
    UserSettingStore::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"),
                                           QString::number(index));
}

} // namespace

class TestWindowsKeyNotices : public QObject {
    Q_OBJECT

private slots:
    void init() { SetStoredLanguage(0); }
    void form_data();
    void form();
    void closing_data();
    void closing();
    void languageChangeReachesAnOpenNotice();
};

void TestWindowsKeyNotices::form_data()
{
    QTest::addColumn<Factory>("make");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QRect>("message");
    QTest::addColumn<QRect>("ok");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<QString>("text");

    const QRect none;
    QTest::newRow("LeftButtonOnly") << Make<LeftButtonOnly>() << "LeftButtonOnly" << "ButtonOnly" << QRect(0, 19, 301, 91)
        << none << QStringList{"label", "CloseButton"}
        << "The left-click function must stay assigned to at least one button.";
    QTest::newRow("MakeMacro") << Make<MakeMacro>() << "MakeMacro" << "MakeMacroA" << QRect(6, 29, 291, 71)
        << QRect(100, 110, 90, 24) << QStringList{"CloseButton", "NewHong", "label"} << "Please create a macro first.";
    QTest::newRow("GroupMaxThree") << Make<GroupMaxThree>() << "GroupMaxThree" << "MaxThree" << QRect(0, 30, 301, 71)
        << QRect(105, 110, 90, 24) << QStringList{"label", "NewHong", "CloseButton"}
        << "A key combination can have at most three keys.";
    QTest::newRow("SameMacro") << Make<SameMacro>() << "SameMacro" << "SameMacroA" << QRect(0, 30, 301, 71)
        << QRect(100, 110, 90, 24) << QStringList{"CloseButton", "NewHong", "label"}
        << "A macro with this name already exists.";
    QTest::newRow("KeyNumberLimit") << Make<KeyNumberLimit>() << "KeyNumberLimit" << "LimitA" << QRect(0, 30, 301, 71)
        << QRect(100, 110, 90, 24) << QStringList{"NewHong", "label", "CloseButton"}
        << "The macro has reached the maximum number of key events. Recording stopped.";
    QTest::newRow("DeleteConfirm") << Make<DeleteConfirm>() << "DeleteConfirm" << "DeleteConfirmA" << QRect(5, 30, 291, 71)
        << QRect(100, 110, 90, 24) << QStringList{"CloseButton", "label", "NewHong"} << "Delete this macro?";
}

void TestWindowsKeyNotices::form()
{
    QFETCH(Factory, make);
    QFETCH(QString, name);
    QFETCH(QString, frame);
    QFETCH(QRect, message);
    QFETCH(QRect, ok);
    QFETCH(QStringList, order);
    QFETCH(QString, text);

    std::unique_ptr<NoticeDialog> notice(make());
    QCOMPARE(notice->objectName(), name);
    QCOMPARE(QString::fromLatin1(notice->metaObject()->className()), name);
    QCOMPARE(notice->size(), QSize(300, 140));
    QCOMPARE(int(notice->windowFlags() | Qt::Window), 0x6C12 | int(Qt::Window));
    auto* background = Child<QFrame>(notice.get(), frame);
    QCOMPARE(background->geometry(), QRect(0, 0, 300, 140));
    QCOMPARE(Child<QToolButton>(background, QStringLiteral("CloseButton"))->geometry(), QRect(275, 5, 20, 20));
    QCOMPARE(notice->Label()->geometry(), message);
    QCOMPARE(notice->Label()->text(), text);
    QCOMPARE(notice->Label()->alignment(), Qt::AlignCenter);
    if (ok.isNull()) {
        QVERIFY(!notice->OkButton());
    } else {
        QCOMPARE(notice->OkButton()->geometry(), ok);
        QCOMPARE(notice->OkButton()->text(), QStringLiteral("OK"));
    }

    // Creation order is stacking order and Tab order.
    QStringList children;
    for (QObject* child : background->children())
        children.append(child->objectName());
    QCOMPARE(children, order);
    QWidget* first = Child<QWidget>(background, order.first());
    for (int i = 1; i < order.size(); ++i) {
        QCOMPARE(first->nextInFocusChain()->objectName(), order[i]);
        first = first->nextInFocusChain();
    }
}

void TestWindowsKeyNotices::closing_data()
{
    QTest::addColumn<Factory>("make");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("answer"); // DeleteConfirm's accepted afterwards

    for (const NoticeRow& notice : Notices()) {
        for (const char* how : {"NewHong", "CloseButton", "Escape"}) {
            if (QByteArray(notice.name) == "LeftButtonOnly" && QByteArray(how) == "NewHong")
                continue;
            QTest::addRow("%s %s", notice.name, how) << notice.make << how << (QByteArray(how) == "NewHong");
        }
    }
}

void TestWindowsKeyNotices::closing()
{
    QFETCH(Factory, make);
    QFETCH(QString, how);
    QFETCH(bool, answer);

    std::unique_ptr<NoticeDialog> notice(make());
    notice->show();
    notice->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(notice.get()));
    if (auto* question = qobject_cast<DeleteConfirm*>(notice.get()))
        QVERIFY(!question->accepted);
    if (how == "Escape")
        QTest::keyClick(notice.get(), Qt::Key_Escape);
    else
        QTest::mouseClick(Child<QToolButton>(notice.get(), how), Qt::LeftButton);
    QVERIFY(!notice->isVisible());
    QCOMPARE(notice->result(), int(QDialog::Rejected));
    if (auto* question = qobject_cast<DeleteConfirm*>(notice.get()))
        QCOMPARE(question->accepted, answer);
}

void TestWindowsKeyNotices::languageChangeReachesAnOpenNotice()
{
    MakeMacro notice;
    notice.show();
    emit PostMsg::GetInstance()->SigChangeLanguage(1);
    QCOMPARE(notice.Label()->text(), QStringLiteral("Сначала создайте макрос."));
    QCOMPARE(notice.OkButton()->text(), QStringLiteral("ОК"));
    emit PostMsg::GetInstance()->SigChangeLanguage(0);
    QCOMPARE(notice.Label()->text(), QStringLiteral("Please create a macro first."));
}

QTEST_MAIN(TestWindowsKeyNotices)
#include "test_windows_key_notices.moc"
