// Profiles, factory reset, configuration import and export, and the page's
// further services.
#include "buttoninterface.h"
#include "ui_buttoninterface.h"

void Buttoninterface::SlotUpDataConfigUI(int ToTalItem, int SelectIndex, bool ItemEnable)
{
    Q_UNUSED(ToTalItem)
    Q_UNUSED(SelectIndex)
    Q_UNUSED(ItemEnable)
}

void Buttoninterface::on_Reset_clicked() {}

void Buttoninterface::on_ImportData_clicked() {}

void Buttoninterface::on_OutputData_clicked() {}

void Buttoninterface::on_ProjectChoose_activated(int index)
{
    Q_UNUSED(index)
}

void Buttoninterface::on_ProjectChoose_currentIndexChanged(int index)
{
    Q_UNUSED(index)
}

void Buttoninterface::WriteConfigFile(const QString& path, FlashDataMap image)
{
    Q_UNUSED(path)
    Q_UNUSED(image)
}

void Buttoninterface::ReadMainPageFile2() {}
void Buttoninterface::ReadMainPageFile3() {}
void Buttoninterface::ReadMainPageFile4() {}
void Buttoninterface::ReadMainPageFile5() {}
void Buttoninterface::ReadMainPageFile6() {}

KeyEventRecord Buttoninterface::MakeConsumerKeyRecord(int ignored, int codeHigh, int codeLow)
{
    Q_UNUSED(ignored)
    Q_UNUSED(codeHigh)
    Q_UNUSED(codeLow)
    return KeyEventRecord();
}

void Buttoninterface::WaitTime(int milliseconds)
{
    Q_UNUSED(milliseconds)
}

void Buttoninterface::UnusedMember() {}
