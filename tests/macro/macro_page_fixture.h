// A macro page of its own over the test's macro folder, with helpers that
// answer the modal dialogs it opens and read its widgets.
//
//     MacroPageFixture f;              // folder emptied, files written first
//     f.WriteMacro("Fire", "3\n0x04 1 0\n");
//     f.Build();
//     DialogAnswer<QuestionDialog> name([](QuestionDialog* d) { EnterName(d, "New"); });
//     f.Click("NewHong");
#ifndef MACRO_PAGE_FIXTURE_H
#define MACRO_PAGE_FIXTURE_H

#include "app_state.h"
#include "find_child.h"
#include "macro.h"
#include "macro_file.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

// Answers every dialog of class T that comes up while it lives: the dialogs
// run modally, so a timer reaches them inside their own event loop.
template <class T>
class DialogAnswer : public QObject {
public:
    explicit DialogAnswer(std::function<void(T*)> answer = {})
        : m_answer(std::move(answer))
    {
        connect(&m_timer, &QTimer::timeout, this, &DialogAnswer::Poll);
        m_timer.start(5);
    }
    int count = 0;

private:
    void Poll()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = dynamic_cast<T*>(widget);
            // Dialogs live on their openers' stacks, so a new one may take an
            // old one's address: the mark goes on the object itself.
            if (!dialog || !dialog->isVisible() || dialog->property("answered").toBool())
                continue;
            dialog->setProperty("answered", true);
            ++count;
            if (m_answer)
                m_answer(dialog);
            if (dialog->isVisible())
                dialog->close();
        }
    }
    std::function<void(T*)> m_answer;
    QTimer m_timer;
};

inline void ClickChild(QWidget* dialog, const char* name)
{
    Child<QToolButton>(dialog, QString::fromLatin1(name))->click();
}

class MacroPageFixture {
public:
    MacroPageFixture()
    {
        g_macroRecording = false;
        g_sendEnabled = true;
        QDir(MacroFolder()).removeRecursively();
        QDir().mkpath(MacroFolder());
    }

    void WriteMacro(const QString& name, const QByteArray& content)
    {
        QFile file(MacroFilePath(MacroFolder(), name));
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
    }

    QByteArray ReadMacro(const QString& name) const
    {
        QFile file(MacroFilePath(MacroFolder(), name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    bool MacroExists(const QString& name) const { return QFile::exists(MacroFilePath(MacroFolder(), name)); }

    Macro* Build()
    {
        page.reset(new Macro);
        page->show();
        return page.get();
    }

    template <class T>
    T* W(const char* name) const
    {
        return Child<T>(page.get(), QString::fromLatin1(name));
    }

    QListWidget* Macros() const { return W<QListWidget>("listWidgetHong"); }
    QListWidget* EventsList() const { return W<QListWidget>("listWidgetKey"); }

    QStringList MacroNames() const
    {
        QStringList names;
        for (int row = 0; row < Macros()->count(); ++row)
            names << Macros()->item(row)->text();
        return names;
    }

    // The event texts, releases marked with a trailing "^".
    QStringList EventTexts() const
    {
        QStringList texts;
        for (int row = 0; row < EventsList()->count(); ++row) {
            const QListWidgetItem* item = EventsList()->item(row);
            texts << item->text() + (item->type() == 1 ? QStringLiteral("^") : QString());
        }
        return texts;
    }

    // What a click on the row does: current row, then the click signal.
    void Select(int row)
    {
        QListWidget* list = Macros();
        list->setCurrentRow(row);
        QMetaObject::invokeMethod(list, "clicked", Q_ARG(QModelIndex, list->model()->index(row, 0)));
    }

    void Click(const char* name) { W<QAbstractButton>(name)->click(); }

    void Choose(int entry)
    {
        auto* menu = W<QComboBox>("ChooseEvent");
        menu->setCurrentIndex(entry);
        QMetaObject::invokeMethod(menu, "activated", Q_ARG(int, entry));
    }

    bool SaveActive() const { return W<QToolButton>("Save")->isEnabled(); }

    std::unique_ptr<Macro> page;
};

#endif // MACRO_PAGE_FIXTURE_H
