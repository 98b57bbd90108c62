// A macro page of its own over the test's macro folder, with helpers that
// drive and read its widgets. Its dialogs are answered with ModalAnswer.
//
//     MacroPageFixture f;              // folder emptied, files written first
//     f.WriteMacro("Fire", "3\n0x04 1 0\n");
//     f.Build();
//     ModalAnswer<QuestionDialog> name([](QuestionDialog& d) { d.enteredName = "New"; });
//     f.Click("NewHong");
#ifndef MACRO_PAGE_FIXTURE_H
#define MACRO_PAGE_FIXTURE_H

#include "app_state.h"
#include "find_child.h"
#include "macro.h"
#include "macro_file.h"
#include "modal_run.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QToolButton>

#include <memory>

inline void ClickChild(QWidget& dialog, const char* name)
{
    Child<QToolButton>(&dialog, QString::fromLatin1(name))->click();
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
