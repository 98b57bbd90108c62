// Notes the hub signals the shell's windows send, each with the number of
// library calls logged when it came, so tests can check the order of both.
#ifndef HUB_RECORDER_H
#define HUB_RECORDER_H

#include "post_msg.h"

#include <devicelib_control.h>

#include <QFile>
#include <QObject>
#include <QStringList>

#include <functional>

class HubRecorder : public QObject {
    Q_OBJECT
public:
    QStringList events;
    // Runs inside SigChangeSize, before the windows connected later react.
    std::function<void(int)> onChangeSize;

    HubRecorder()
    {
        PostMsg* hub = PostMsg::GetInstance();
        connect(hub, SIGNAL(SigSecondPageChange()), this, SLOT(SecondPageChange()));
        connect(hub, SIGNAL(SigMainPageChange()), this, SLOT(MainPageChange()));
        connect(hub, SIGNAL(SigChangeMainDialog(int)), this, SLOT(ChangeMainDialog(int)));
        connect(hub, SIGNAL(SigChangeSize(int)), this, SLOT(ChangeSize(int)));
        connect(hub, SIGNAL(SigSetMacroPage()), this, SLOT(SetMacroPage()));
        connect(hub, SIGNAL(SigAddMacroButton()), this, SLOT(AddMacroButton()));
        connect(hub, SIGNAL(SigEnterKey()), this, SLOT(EnterKey()));
        connect(hub, SIGNAL(SigSetver(int)), this, SLOT(Setver(int)));
        connect(hub, SIGNAL(SigMouseOffLineo(int)), this, SLOT(MouseOffLine(int)));
        connect(hub, SIGNAL(SigUpDataSensorUIB(FlashDataMap)), this, SLOT(SensorUIB(FlashDataMap)));
        connect(hub, SIGNAL(SigUpDataButtonUIC(FlashDataMap)), this, SLOT(ButtonUIC(FlashDataMap)));
        connect(hub, SIGNAL(SigUpDataLightUIA(FlashDataMap)), this, SLOT(LightUIA(FlashDataMap)));
        connect(hub, SIGNAL(SigFormB()), this, SLOT(FormB()));
    }

    // Signal names only, in order.
    QStringList Names() const
    {
        QStringList names;
        for (const QString& event : events)
            names << event.section(QLatin1Char('@'), 0, 0);
        return names;
    }

    QList<FlashDataMap> images;

private slots:
    void SecondPageChange() { Note(QStringLiteral("SigSecondPageChange")); }
    void MainPageChange() { Note(QStringLiteral("SigMainPageChange")); }
    void ChangeMainDialog(int index) { Note(QStringLiteral("SigChangeMainDialog(%1)").arg(index)); }
    void ChangeSize(int index)
    {
        Note(QStringLiteral("SigChangeSize(%1)").arg(index));
        if (onChangeSize)
            onChangeSize(index);
    }
    void SetMacroPage() { Note(QStringLiteral("SigSetMacroPage")); }
    void AddMacroButton() { Note(QStringLiteral("SigAddMacroButton")); }
    void EnterKey() { Note(QStringLiteral("SigEnterKey")); }
    void Setver(int index) { Note(QStringLiteral("SigSetver(%1)").arg(index)); }
    void MouseOffLine(int index) { Note(QStringLiteral("SigMouseOffLineo(%1)").arg(index)); }
    void SensorUIB(FlashDataMap image) { images << image; Note(QStringLiteral("SigUpDataSensorUIB")); }
    void ButtonUIC(FlashDataMap image) { images << image; Note(QStringLiteral("SigUpDataButtonUIC")); }
    void LightUIA(FlashDataMap image) { images << image; Note(QStringLiteral("SigUpDataLightUIA")); }
    void FormB() { Note(QStringLiteral("SigFormB")); }

private:
    void Note(const QString& name) { events << name + QLatin1Char('@') + QString::number(SimControl::callLog().size()); }
};

// The logged library calls, as "function argument".
inline QStringList LibraryCalls(const QStringList& only = QStringList())
{
    QStringList calls;
    for (const SimControl::Call& call : SimControl::callLog()) {
        if (!only.isEmpty() && !only.contains(call.function))
            continue;
        calls << (call.argument.isEmpty() ? call.function : call.function + QLatin1Char(' ') + call.argument);
    }
    return calls;
}

#endif // HUB_RECORDER_H
