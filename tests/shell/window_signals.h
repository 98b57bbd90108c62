// The hub signals the shell's windows send, noted in order as
// "SigChangeMainDialog(1)"; the images of the import signals go to `images`.
#ifndef WINDOW_SIGNALS_H
#define WINDOW_SIGNALS_H

#include "hub_recorder.h"

class WindowSignals : public HubRecorder {
public:
    WindowSignals()
    {
        Record(&PostMsg::SigSecondPageChange, QStringLiteral("SigSecondPageChange"));
        Record(&PostMsg::SigMainPageChange, QStringLiteral("SigMainPageChange"));
        Record(&PostMsg::SigChangeMainDialog, QStringLiteral("SigChangeMainDialog"));
        Record(&PostMsg::SigChangeSize, QStringLiteral("SigChangeSize"));
        Record(&PostMsg::SigSetMacroPage, QStringLiteral("SigSetMacroPage"));
        Record(&PostMsg::SigAddMacroButton, QStringLiteral("SigAddMacroButton"));
        Record(&PostMsg::SigEnterKey, QStringLiteral("SigEnterKey"));
        Record(&PostMsg::SigSetver, QStringLiteral("SigSetver"));
        Record(&PostMsg::SigMouseOffLineo, QStringLiteral("SigMouseOffLineo"));
        Record(&PostMsg::SigUpDataSensorUIB, QStringLiteral("SigUpDataSensorUIB"));
        Record(&PostMsg::SigUpDataButtonUIC, QStringLiteral("SigUpDataButtonUIC"));
        Record(&PostMsg::SigUpDataLightUIA, QStringLiteral("SigUpDataLightUIA"));
        Record(&PostMsg::SigFormB, QStringLiteral("SigFormB"));
    }
};

#endif // WINDOW_SIGNALS_H
