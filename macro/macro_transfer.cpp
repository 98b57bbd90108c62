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
#include "macro_save.h"
#include "modal_run.h"
#include "post_msg.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QSaveFile>
#include <QSignalBlocker>

#include <cstring>

namespace {

// A key event read from the device, as the event list holds it.
MacroItem FromDevice(const MacroItem& event)
{
    if (event.kind == KindMouse)
        return WithKnownKey(event);
    const QString name = DeviceCodeToKeyName(quint16(event.code), quint8(event.kind));
    const std::optional<MacroItem> key = KeyItemFromName(name, event.release);
    return key ? *key : (event.release ? MacroItem::Release(KindKeyboard, 0) : MacroItem::Press(KindKeyboard, 0));
}

// The items of an exchange file as the event list holds them; nothing when a
// delay is no number of milliseconds.
std::optional<MacroItems> ImportedItems(const MacroExchange& macro)
{
    MacroItems items;
    for (const MacroExchangeItem& exchanged : macro.items) {
        if (exchanged.IsDelay()) {
            const std::optional<quint32> ms = ParseDelayText(exchanged.text);
            if (!ms)
                return std::nullopt;
            items << MacroItem::Delay(*ms);
        } else {
            const std::optional<MacroItem> key = ExchangedKeyItem(exchanged.text, exchanged.release);
            items << (key ? *key
                          : exchanged.release ? MacroItem::Release(KindKeyboard, 0) : MacroItem::Press(KindKeyboard, 0));
        }
    }
    return items;
}

} // namespace

void Macro::SlotMacroDownLoadData(QString MacroName, int index)
{
    MacroName.remove(QChar(0));
    if (!g_sendEnabled || index < 0 || index >= FlashDataMap::ButtonCount)
        return;
    // The saved macro of that name, whichever macro is shown by now.
    MacroFileContent content;
    const MacroFileRead read = ReadMacroFile(MacroFilePath(macroDir, MacroName), &content);
    if (read == MacroFileRead::Unreadable)
        return;
    MacroBlockBytes block = {};
    // A file too large to read holds far more events than a block.
    if (read == MacroFileRead::TooLarge || !BuildMacroBlock(MacroName, content.items, block)) {
        KeyNumberLimit notice;
        notice.ShowNotSentText();
        PlaceNotice(&notice);
        ModalRun::Exec(&notice);
        return;
    }
    // The key keeps its function; the block goes to the profile the save
    // was decided for, or nowhere.
    if (!EditDeviceImage([&block, index](FlashDataMap& image) {
            std::memcpy(image.macroBlocks[index], block, FlashDataMap::MacroBlockSize);
        }, MacroSave::Target()))
        MacroSave::Refused();
}

void Macro::SlotButtonToMacro(FlashDataMap DataMap, int KeyNumer)
{
    if (KeyNumer < 0 || KeyNumer >= FlashDataMap::ButtonCount)
        return;
    const MacroBlockContent block = ParseMacroBlock(DataMap.macroBlocks[KeyNumer]);
    if (!IsValidMacroName(block.name))
        return;
    // Its file was just saved and its new events are on their way to the
    // mouse, or were refused and wait to be saved again: what the mouse
    // holds is older.
    if (MacroSave::Saving(block.name) || m_unsentSaves.contains(block.name))
        return;
    MacroItems items = block.items;
    for (MacroItem& item : items) {
        if (item.IsKey())
            item = FromDevice(item);
    }

    m_events.Clear();
    // The file gets the button's repeat code and the events in one write; a
    // new name is listed only once its file exists.
    const int repeatCode = DataMap.keyFunctions[KeyNumer][2];
    const bool written = WriteMacroFile(MacroFilePath(macroDir, block.name), repeatCode, items);
    {
        const QSignalBlocker blockList(ui->listWidgetHong);
        QListWidget* list = ui->listWidgetHong;
        const QList<QListWidgetItem*> found = list->findItems(block.name, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (found.isEmpty() && written) {
            // A new name goes right after the selected macro, else at the end.
            list->insertItem(list->currentRow() >= 0 ? list->currentRow() + 1 : list->count(), block.name);
        }
        list->setCurrentRow(-1);
    }
    // No macro is shown any more: an edit of the one shown before is gone
    // with it, and nothing is left to save.
    DeactivateSave();
    emit PostMsg::GetInstance()->SigAddMacroButton();
    ShowEvents();
}

void Macro::ExPortMacro()
{
    if (!HasSelectedMacro())
        return;
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("FileSave"),
                                                      QDir::home().filePath(SelectedName() + QStringLiteral(".ini")),
                                                      QStringLiteral("File(*.ini)"));
    if (!path.isEmpty())
        ExportSelectedMacro(path);
}

void Macro::InPortMacro()
{
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("SelectFile"), QDir::homePath(), QStringLiteral("File(*.ini)"));
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
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && WriteMacroExchange(&file, macro) && file.commit())
        return true;
    ShowFileFailure(m_exportFailText);
    return false;
}

bool Macro::ImportMacro(const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && file.size() > kMaxMacroFileBytes) {
        ShowFileFailure(m_tooLargeText);
        return false;
    }
    const std::optional<MacroExchange> macro =
        file.isOpen() ? ReadMacroExchange(&file) : std::optional<MacroExchange>();
    const std::optional<MacroItems> items = macro ? ImportedItems(*macro) : std::nullopt;
    if (!items) {
        ShowFileFailure(m_importFailText);
        return false;
    }
    // Imported names keep the rule of typed ones: 30 bytes at most, so the
    // name read back from the mouse is the same macro.
    const QString name = CutToLocal8Bit(macro->name);
    if (NameRefused(name, MacroImportNoticeDrop))
        return false;
    const int repeatCode = MacroRepeat::FromText(macro->repeatText);
    const QString macroPath = MacroFilePath(macroDir, name);
    if (!WriteMacroFile(macroPath, repeatCode, *items)) {
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
    m_events.SetItems(*items);
    ShowEvents();
    return true;
}
