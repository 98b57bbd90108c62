// Every text the windows show fits its widget in every language: one line
// within its width, a word-wrapped label or a text edit within its height,
// and no shown text left in the forms' Chinese defaults where the language
// is not Chinese.
// The whole top-level window (with all pages) and every dialog and notice
// are searched, so a widget or a language text added later is covered too.
#include "gui_fixture.h"
#include "language_rows.h"

#include "add_delay_time.h"
#include "add_key.h"
#include "contain_reset.h"
#include "exe_is_run.h"
#include "find_new_ver.h"
#include "fire_key.h"
#include "group_key.h"
#include "inport_fail.h"
#include "key_notices.h"
#include "less_three.h"
#include "match.h"
#include "mouse_off_line.h"
#include "question_dialog.h"
#include "question_dialog_b.h"
#include "re_pair.h"
#include "registry_values.h"
#include "up_data_param.h"
#include "up_date_repair.h"
#include "up_date_warning.h"
#include "user_setting_store.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

#include <functional>
#include <memory>
#include <vector>

namespace {

using DialogFactory = std::function<std::unique_ptr<QWidget>()>;

template <class T>
DialogFactory Make()
{
    return [] { return std::unique_ptr<QWidget>(new T); };
}

const std::vector<DialogFactory>& Dialogs()
{
    static const std::vector<DialogFactory> dialogs = {
        Make<AddDelayTime>(),   Make<addKey>(),         Make<ContainReset>(), Make<DeleteConfirm>(),
        Make<ExeIsRun>(),       Make<FindNewVer>(),     Make<FireKey>(),      Make<GroupKey>(),
        Make<GroupMaxThree>(),  Make<InportFail>(),     Make<KeyNumberLimit>(), Make<LeftButtonOnly>(),
        Make<LessThree>(),      Make<MakeMacro>(),      Make<Match>(),        Make<MouseOffLine>(),
        Make<QuestionDialog>(), Make<QuestiondialogB>(), Make<RePair>(),      Make<SameMacro>(),
        Make<UpDataParam>(),    Make<UpDateRepair>(),   Make<UpDateWarning>(),
        // The limit notice's text for a macro that was not sent.
        [] {
            auto notice = std::make_unique<KeyNumberLimit>();
            notice->ShowNotSentText();
            return std::unique_ptr<QWidget>(std::move(notice));
        },
    };
    return dialogs;
}

QString Where(const QWidget* widget)
{
    return QString::fromLatin1(widget->window()->metaObject()->className()) + QLatin1Char('/')
        + widget->objectName();
}

// Qt's own colour dialog speaks Qt's language, not ours.
bool OwnedByQt(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (qobject_cast<const QColorDialog*>(w))
            return true;
    }
    return false;
}

// The text a widget shows, and whether it fits; "why" says what was measured.
bool Fits(const QWidget* widget, QString* text, QString* why)
{
    const QFontMetrics metrics(widget->font());
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        *text = label->text();
        if (text->isEmpty() || Qt::mightBeRichText(*text) || label->textFormat() == Qt::RichText)
            return true;
        if (label->wordWrap()) {
            const int needed = label->heightForWidth(label->width());
            *why = QStringLiteral("%1 px high in %2").arg(needed).arg(label->height());
            return needed <= label->height();
        }
        int needed = 0;
        for (const QString& line : text->split(QLatin1Char('\n')))
            needed = qMax(needed, metrics.horizontalAdvance(line));
        *why = QStringLiteral("%1 px wide in %2").arg(needed).arg(label->contentsRect().width());
        return needed <= label->contentsRect().width();
    }
    if (qobject_cast<const QCheckBox*>(widget) || qobject_cast<const QRadioButton*>(widget)) {
        const auto* button = static_cast<const QAbstractButton*>(widget);
        *text = button->text();
        const int needed = button->sizeHint().width();
        *why = QStringLiteral("%1 px wide in %2").arg(needed).arg(button->width());
        return text->isEmpty() || needed <= button->width();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        *text = button->text();
        // "..." is the designer's text of a tool button that shows a picture.
        if (text->isEmpty() || *text == QLatin1String("..."))
            return true;
        const int needed = metrics.horizontalAdvance(*text);
        *why = QStringLiteral("%1 px wide in %2").arg(needed).arg(button->width());
        return needed <= button->width();
    }
    if (const auto* edit = qobject_cast<const QTextEdit*>(widget)) {
        QTextDocument* document = edit->document();
        *text = document->toPlainText();
        const QSize viewport = edit->viewport()->size();
        document->setTextWidth(viewport.width());
        const QSizeF needed(document->idealWidth(), document->size().height());
        *why = QStringLiteral("%1 x %2 px in %3 x %4")
                   .arg(needed.width())
                   .arg(needed.height())
                   .arg(viewport.width())
                   .arg(viewport.height());
        return text->isEmpty() || (needed.width() <= viewport.width() && needed.height() <= viewport.height());
    }
    return true;
}

bool HasHan(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF)
            return true;
    }
    return false;
}

} // namespace

class TestShellTextFit : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void textsFit_data();
    void textsFit();
    void noChineseDefaultsLeft_data();
    void noChineseDefaultsLeft();

private:
    // Every widget of the top-level window and of each dialog in `index`,
    // handed to `check` while the dialogs live.
    void ForEachWidget(int index, const std::function<void(const QWidget*)>& check);

    GuiFixture gui;
};

void TestShellTextFit::initTestCase()
{
    // The home page then holds its longest hint, the one for a pending repair.
    SetUpdateFailInfo(211, 4, 23, 1);
    QVERIFY(gui.Start());
    auto* repair = gui.Find<QPushButton>(QStringLiteral("Repair"));
    QVERIFY(repair && !repair->isHidden());
}

void TestShellTextFit::cleanupTestCase()
{
    gui.Stop();
}

void TestShellTextFit::ForEachWidget(int index, const std::function<void(const QWidget*)>& check)
{
    UserSettingStore::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"),
                                           QString::number(index));
    emit PostMsg::GetInstance()->SigChangeLanguage(index);
    std::vector<std::unique_ptr<QWidget>> dialogs;
    for (const DialogFactory& make : Dialogs())
        dialogs.push_back(make());
    std::vector<QWidget*> tops{gui.Main()};
    for (const auto& dialog : dialogs)
        tops.push_back(dialog.get());
    for (QWidget* top : tops) {
        for (const QWidget* widget : top->findChildren<QWidget*>()) {
            if (!OwnedByQt(widget))
                check(widget);
        }
    }
}

void TestShellTextFit::textsFit_data()
{
    AddLanguageRows();
}

void TestShellTextFit::textsFit()
{
    QFETCH(int, index);
    QStringList clipped;
    ForEachWidget(index, [&clipped](const QWidget* widget) {
        QString text;
        QString why;
        if (!Fits(widget, &text, &why))
            clipped << Where(widget) + QStringLiteral(" \"") + text + QStringLiteral("\": ") + why;
    });
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
}

void TestShellTextFit::noChineseDefaultsLeft_data()
{
    AddLanguageRows({0, 1, 3});
}

void TestShellTextFit::noChineseDefaultsLeft()
{
    QFETCH(int, index);
    QStringList left;
    ForEachWidget(index, [&left](const QWidget* widget) {
        QString text;
        QString why;
        Fits(widget, &text, &why);
        // A widget its window hides keeps its default until it is shown.
        if (!widget->isHidden() && HasHan(text))
            left << Where(widget) + QStringLiteral(" \"") + text + QLatin1Char('"');
    });
    QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestShellTextFit)
#include "test_shell_text_fit.moc"
