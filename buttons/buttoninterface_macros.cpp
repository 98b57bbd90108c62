// The macro list of the button page: binding a saved macro to a key and
// following the macro page's changes.
#include "buttoninterface.h"
#include "ui_buttoninterface.h"

void Buttoninterface::CreateMacroButtons() {}

void Buttoninterface::SlotAddMacroButton() {}

void Buttoninterface::SlotDeleteMacroButton(QString MacroName)
{
    Q_UNUSED(MacroName)
}

void Buttoninterface::SlotUpDataMacro(QString MacroName, int index)
{
    Q_UNUSED(MacroName)
    Q_UNUSED(index)
}

void Buttoninterface::SlotMacroRename(QString MacroName, QString NewName)
{
    Q_UNUSED(MacroName)
    Q_UNUSED(NewName)
}

void Buttoninterface::slotButtonClicked(bool checked)
{
    Q_UNUSED(checked)
}

QByteArray Buttoninterface::MacroFileToBlock(const QString& macroName, int key, bool* ok)
{
    Q_UNUSED(macroName)
    Q_UNUSED(key)
    if (ok)
        *ok = false;
    return QByteArray(FlashDataMap::MacroBlockSize, '\0');
}

void Buttoninterface::KeyNameToDeviceCode(const QString& keyName, int key, int slot, uint8_t* block)
{
    Q_UNUSED(keyName)
    Q_UNUSED(key)
    Q_UNUSED(slot)
    Q_UNUSED(block)
}
