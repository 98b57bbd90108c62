// The macro page's exchanges: sending a saved macro to a mouse button,
// rebuilding a macro found on a button of the device image, and the
// export and import of exchange files.
#include "macro.h"
#include "ui_macro.h"

#include "app_state.h"
#include "device_image_setters.h"
#include "key_code_table.h"
#include "key_notices.h"
#include "macro_block.h"
#include "macro_dialog_shift.h"
#include "macro_exchange_file.h"
#include "macro_file.h"
#include "macro_key_names.h"
#include "macro_name.h"
#include "modal_run.h"
#include "post_msg.h"

#include <QFile>
#include <QFileDialog>
#include <QSignalBlocker>

namespace {

// A key event read from the device, as the event list holds it.
MacroItem FromDevice(const MacroItem& event)
{
    if (event.kind == KindMouse)
        return WithKnownKeys({event}).first();
    const QString name = DeviceCodeToKeyName(quint16(event.code), quint8(event.kind));
    const std::optional<MacroItem> key = KeyItemFromName(name, event.release);
    return key ? *key : (event.release ? MacroItem::Release(KindKeyboard, 0) : MacroItem::Press(KindKeyboard, 0));
}

} // namespace

void Macro::SlotMacroDownLoadData(QString MacroName, int index)
{
    MacroName.remove(QChar(0));
    if (!g_sendEnabled || index < 0 || index >= FlashDataMap::ButtonCount)
        return;
    // The saved macro of that name, whichever macro is shown by now.
    MacroFileContent content;
    if (!ReadMacroFile(MacroFilePath(macroDir, MacroName), &content))
        return;
    MacroBlockBytes block = {};
    if (!BuildMacroBlock(MacroName, WithKnownKeys(content.items), block)) {
        KeyNumberLimit notice;
        notice.ShowNotSentText();
        PlaceNotice(&notice);
        ModalRun::Exec(&notice);
        return;
    }
    const FlashDataMap image = DeviceImageCopy();
    SetButtonMacro(index, image.keyFunctions[index], block);
}

void Macro::SlotButtonToMacro(FlashDataMap DataMap, int KeyNumer)
{
    if (KeyNumer < 0 || KeyNumer >= FlashDataMap::ButtonCount)
        return;
    const MacroBlockContent block = ParseMacroBlock(DataMap.macroBlocks[KeyNumer]);
    if (!IsValidMacroName(block.name))
        return;
    MacroItems items = block.items;
    for (MacroItem& item : items) {
        if (item.IsKey())
            item = FromDevice(item);
    }

    m_events.Clear();
    {
        const QSignalBlocker blockList(ui->listWidgetHong);
        QListWidget* list = ui->listWidgetHong;
        const QList<QListWidgetItem*> found = list->findItems(block.name, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (!found.isEmpty()) {
            list->setCurrentItem(found.first());
        } else if (list->currentRow() >= 0) {
            list->insertItem(list->currentRow() + 1, block.name);
        } else {
            list->addItem(block.name);
            list->setCurrentRow(list->count() - 1);
        }
        AppendMacroFile(MacroFilePath(macroDir, block.name), items);
        list->setCurrentRow(-1);
    }
    emit PostMsg::GetInstance()->SigAddMacroButton();
    ShowEvents();
}

void Macro::ExPortMacro()
{
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("FileSave"), QStringLiteral("G:"), QStringLiteral("File(*.ini)"));
    if (!path.isEmpty())
        ExportSelectedMacro(path);
}

void Macro::InPortMacro()
{
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("SelectFile"), QStringLiteral("G:"), QStringLiteral("File(*.ini)"));
    if (!path.isEmpty())
        ImportMacro(path);
}

bool Macro::ExportSelectedMacro(const QString& path)
{
    if (!HasSelectedMacro())
        return false;
    MacroExchange macro;
    macro.name = SelectedName();
    macro.repeatText = QString::number(RepeatCode());
    for (const MacroItem& item : m_events.Items())
        macro.items << MacroExchangeItem{MacroItemText(item), ItemIcon(item), item.IsKey() && item.release};
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && WriteMacroExchange(&file, macro);
}

bool Macro::ImportMacro(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const std::optional<MacroExchange> macro = ReadMacroExchange(&file);
    if (!macro)
        return false;
    // Imported names keep the rule of typed ones: 30 bytes at most, so the
    // name read back from the mouse is the same macro.
    const QString name = CutToLocal8Bit(macro->name);
    if (NameRefused(name, MacroImportNoticeDrop))
        return false;
    MacroItems items;
    for (const MacroExchangeItem& exchanged : macro->items) {
        if (exchanged.IsDelay()) {
            const std::optional<quint32> ms = ParseDelayText(exchanged.text);
            if (!ms)
                return false;
            items << MacroItem::Delay(*ms);
        } else {
            const std::optional<MacroItem> key = ExchangedKeyItem(exchanged.text, exchanged.release);
            items << (key ? *key
                          : exchanged.release ? MacroItem::Release(KindKeyboard, 0) : MacroItem::Press(KindKeyboard, 0));
        }
    }
    const int repeatCode = MacroRepeat::FromText(macro->repeatText);
    const QString macroPath = MacroFilePath(macroDir, name);
    if (!CreateMacroFile(macroPath) || !WriteMacroFile(macroPath, repeatCode, items)) {
        QFile::remove(macroPath);
        ShowFileFailure(m_fileFailText);
        return false;
    }
    {
        const QSignalBlocker blockList(ui->listWidgetHong);
        ui->listWidgetHong->addItem(name);
        ui->listWidgetHong->setCurrentRow(ui->listWidgetHong->count() - 1);
    }
    currentMacroFile = macroPath;
    ShowRepeatCode(repeatCode);
    m_events.SetItems(items);
    ShowEvents();
    return true;
}
