// One macro file operation of the macro page in a process of its own, which
// the crash test kills at each of its file events:
//
//     macro_file_child save             Fire gets a left click and is saved
//     macro_file_child export <file>    Fire is exported to <file>
//     macro_file_child import <file>    <file> is imported
//     macro_file_child rebuild          Fire and New are rebuilt from a mouse's image
//     macro_file_child start            the page starts and loads every macro
//
// A notice ends the child with exit code 3 (nothing would answer it).
#include "app_state.h"
#include "find_child.h"
#include "flash_data_map.h"
#include "key_notices.h"
#include "macro.h"
#include "macro_block_events.h"
#include "modal_run.h"
#include "up_date_warning.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QToolButton>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void Select(Macro& page, const QString& name)
{
    auto* list = Child<QListWidget>(&page, QStringLiteral("listWidgetHong"));
    const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
    if (found.isEmpty())
        std::exit(4);
    list->setCurrentItem(found.first());
}

FlashDataMap MouseImage()
{
    FlashDataMap image;
    const struct {
        const char* name;
        quint8 repeat;
    } macros[] = {{"Fire", 7}, {"New", 253}};
    for (int button = 0; button < 2; ++button) {
        image.keyFunctions[button][0] = 6;
        image.keyFunctions[button][1] = uint8_t(button);
        image.keyFunctions[button][2] = macros[button].repeat;
        const QByteArray block = Block(macros[button].name, {Event(0, 1, 0x05, 20), Event(1, 1, 0x05, 0)});
        std::memcpy(image.macroBlocks[button], block.constData(), FlashDataMap::MacroBlockSize);
    }
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    for (const QMetaObject* notice : {&UpDateWarning::staticMetaObject, &SameMacro::staticMetaObject,
                                      &KeyNumberLimit::staticMetaObject})
        ModalRun::SetAnswer(notice, [](QDialog*) { std::exit(3); });
    g_sendEnabled = false;

    const QString operation = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QString file = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    Macro page;
    if (operation == QLatin1String("save")) {
        Select(page, QStringLiteral("Fire"));
        auto* menu = Child<QComboBox>(&page, QStringLiteral("ChooseEvent"));
        menu->setCurrentIndex(4);
        QMetaObject::invokeMethod(menu, "activated", Q_ARG(int, 4));
        Child<QToolButton>(&page, QStringLiteral("Save"))->click();
    } else if (operation == QLatin1String("export")) {
        Select(page, QStringLiteral("Fire"));
        return page.ExportSelectedMacro(file) ? 0 : 1;
    } else if (operation == QLatin1String("import")) {
        return page.ImportMacro(file) ? 0 : 1;
    } else if (operation == QLatin1String("rebuild")) {
        for (int button = 0; button < 2; ++button)
            QMetaObject::invokeMethod(&page, "SlotButtonToMacro", Q_ARG(FlashDataMap, MouseImage()), Q_ARG(int, button));
    } else if (operation == QLatin1String("start")) {
        auto* list = Child<QListWidget>(&page, QStringLiteral("listWidgetHong"));
        for (int row = 0; row < list->count(); ++row) {
            list->setCurrentRow(row);
            std::printf("%s\n", qPrintable(list->item(row)->text()));
        }
    } else {
        return 2;
    }
    return 0;
}
