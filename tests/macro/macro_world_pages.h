// The device window's macro and button pages as the whole-program macro tests
// drive them, over the GuiFixture it holds: their widgets, showing a page,
// and choosing a listed macro for a key as the user does. A test class
// derives from it (after QObject).
#ifndef MACRO_WORLD_PAGES_H
#define MACRO_WORLD_PAGES_H

#include "buttoninterface.h"
#include "macro.h"

#include "find_child.h"
#include "gui_fixture.h"
#include "key_notices.h"
#include "macro_file.h"
#include "modal_run.h"

#include <QFile>
#include <QScrollArea>
#include <QToolButton>

// A macro's file in the program's macro folder as it is on disk.
inline QByteArray MacroFileBytes(const QString& name)
{
    QFile file(MacroFilePath(MacroFolder(), name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class MacroWorldPages {
protected:
    Macro* MacroPage() const { return m_gui.DeviceWindow()->findChild<Macro*>(); }
    Buttoninterface* ButtonPage() const { return m_gui.DeviceWindow()->findChild<Buttoninterface*>(); }
    template <class T>
    T* OnMacroPage(const char* name) const { return Child<T>(MacroPage(), QString::fromLatin1(name)); }
    template <class T>
    T* OnButtonPage(const char* name) const { return Child<T>(ButtonPage(), QString::fromLatin1(name)); }
    // The page behind one of the device window's page buttons, e.g. "MacroButton".
    void ShowPage(const char* pageButton) const
    {
        Child<QToolButton>(m_gui.DeviceWindow(), QString::fromLatin1(pageButton))->click();
    }

    // The button page's list entry of a macro; nullptr when it is not listed.
    QToolButton* ListedMacro(const QString& name) const
    {
        const auto* area = OnButtonPage<QScrollArea>("scrollArea_7");
        for (QToolButton* button : area->widget()->findChildren<QToolButton*>()) {
            if (button->isEnabled() && button->text() == name)
                return button;
        }
        return nullptr;
    }

    // What the user does on the button page: the key, the macro menu item,
    // the macro's entry. False when the page asked to make a macro first or
    // does not list this one.
    bool ChooseMacro(const char* keyButton, const QString& name) const
    {
        OnButtonPage<QToolButton>(keyButton)->click();
        ModalAnswer<MakeMacro> noMacros([](MakeMacro&) {});
        OnButtonPage<QAbstractButton>("DPI_10")->click();
        QToolButton* entry = ListedMacro(name);
        if (noMacros.count != 0 || !entry)
            return false;
        entry->click();
        return true;
    }

    GuiFixture m_gui;
};

#endif // MACRO_WORLD_PAGES_H
