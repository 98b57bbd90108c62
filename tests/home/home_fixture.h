// Helpers of the home page tests: simulated worlds written as text, a
// watcher that answers the modal dialogs the home page opens, and a
// recorder of the hub signals a click sends.
#ifndef HOME_FIXTURE_H
#define HOME_FIXTURE_H

#include "app_state.h"
#include "dialog_change.h"
#include "mytoolbuttonenter.h"
#include "match.h"
#include "post_msg.h"

#include <devicelib_control.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QStackedWidget>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace home {

// --- worlds --------------------------------------------------------------------

// A receiver section; `extra` adds "key = value" lines.
inline QString Receiver(const QString& id, int receiverClass, int mid, const QString& extra = QString(), int cid = 23)
{
    return QStringLiteral("[Receiver %1]\nClass = %2\nCid = %3\nMid = %4\n%5\n")
        .arg(id)
        .arg(receiverClass)
        .arg(cid)
        .arg(mid)
        .arg(extra);
}

// A mouse paired with `receiver`, or on its cable when `receiver` is empty.
inline QString Mouse(const QString& id, int mid, const QString& receiver, const QString& extra = QString(),
                     int cid = 23)
{
    const QString link =
        receiver.isEmpty() ? QStringLiteral("OnCable = true") : QStringLiteral("Receiver = ") + receiver;
    return QStringLiteral("[Mouse %1]\nCid = %2\nMid = %3\n%4\n%5\n").arg(id).arg(cid).arg(mid).arg(link, extra);
}

// Loads the world and starts from a clean program state and call log.
inline bool LoadWorld(const QString& text)
{
    SimControl::resetWorld();
    const bool loaded = SimControl::loadWorldText(text);
    SimControl::setLatencyMs(0);
    SimControl::clearCallLog();
    g_homeDeviceList.clear();
    g_foundDeviceList.clear();
    g_deviceSelected = 0;
    g_pairRepairTarget = false;
    g_repairTarget = DeviceAllInfo();
    SetCurrentDevice(DeviceAllInfo());
    g_pairingActive = false;
    g_pairSelectionSuspended = false;
    g_pairState = PairIdle;
    return loaded;
}

inline QStringList LibraryCalls(const QString& function)
{
    QStringList calls;
    for (const SimControl::Call& call : SimControl::callLog()) {
        if (call.function == function)
            calls << call.argument;
    }
    return calls;
}

// --- the grid ------------------------------------------------------------------------

// The page of the grid that holds `widget` (-1 when none).
inline int GridPageOf(const QWidget* widget, const QStackedWidget* stack)
{
    for (int i = 0; stack && i < stack->count(); ++i) {
        if (widget->parentWidget() == stack->widget(i))
            return i;
    }
    return -1;
}

// The grid button of a device of the world (nullptr when not shown).
inline mytoolButtonEnter* ButtonOf(const QString& deviceId)
{
    const QString path = QString::fromUtf8(SimControl::devicePath(deviceId));
    for (int i = 0; i < g_homeDeviceList.size() && i < g_deviceButtons.size(); ++i) {
        if (g_homeDeviceList.at(i).path == path)
            return g_deviceButtons.at(i);
    }
    return nullptr;
}

// --- modal dialogs -------------------------------------------------------------------

// Notes every dialog that becomes visible while it watches (class name, in
// order) and answers it with the action given for its class; dialogs
// without an action are rejected. The watcher polls, so it also reaches
// dialogs run by exec() inside the code under test.
class DialogWatcher : public QObject {
public:
    using Action = std::function<void(QDialog*)>;

    explicit DialogWatcher(QObject* parent = nullptr)
        : QObject(parent)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start();
    }

    void On(const QString& className, Action action) { m_actions[className] = std::move(action); }
    // Dialogs the watcher leaves alone (kept open by the program).
    void Ignore(QDialog* dialog) { m_ignored << dialog; }

    QStringList seen;
    int mostOpenAtOnce = 0;

private:
    void Poll()
    {
        // Forget dialogs that closed, so a dialog shown again counts again.
        for (int i = m_handled.size() - 1; i >= 0; --i) {
            if (!m_handled.at(i) || !m_handled.at(i)->isVisible())
                m_handled.removeAt(i);
        }
        int open = 0;
        QList<QPointer<QDialog>> fresh;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(widget);
            if (!dialog || !dialog->isVisible() || m_ignored.contains(dialog)
                || dialog->inherits("DialogMain"))
                continue;
            ++open;
            if (!m_handled.contains(dialog))
                fresh << dialog;
        }
        mostOpenAtOnce = qMax(mostOpenAtOnce, open);
        for (const QPointer<QDialog>& dialog : fresh) {
            if (!dialog)
                continue;
            m_handled << dialog;
            const QString name = QLatin1String(dialog->metaObject()->className());
            seen << name;
            if (m_actions.contains(name))
                m_actions.value(name)(dialog);
            else
                dialog->reject();
        }
    }

    QTimer m_timer;
    QMap<QString, Action> m_actions;
    QList<QPointer<QDialog>> m_handled;
    QList<QPointer<QDialog>> m_ignored;
};

// --- hub signals of a click --------------------------------------------------------------

class ClickRecorder : public QObject {
    Q_OBJECT
public:
    ClickRecorder()
    {
        PostMsg* hub = PostMsg::GetInstance();
        connect(hub, SIGNAL(SigSetver(int)), this, SLOT(Setver(int)));
        connect(hub, SIGNAL(SigMouseIndex(int)), this, SLOT(MouseIndex(int)));
        connect(hub, SIGNAL(SigSelectMouseInfo(DeviceAllInfo)), this, SLOT(SelectMouseInfo(DeviceAllInfo)));
        connect(hub, SIGNAL(SigLabelTextB(QString, QString)), this, SLOT(LabelTextB(QString, QString)));
        connect(hub, SIGNAL(SigChangeMainDialog(int)), this, SLOT(ChangeMainDialog(int)));
    }

    QStringList events;
    DeviceAllInfo selected;

private slots:
    void Setver(int index) { events << QStringLiteral("SigSetver(%1)").arg(index); }
    void MouseIndex(int index) { events << QStringLiteral("SigMouseIndex(%1)").arg(index); }
    void SelectMouseInfo(DeviceAllInfo info)
    {
        selected = info;
        events << QStringLiteral("SigSelectMouseInfo");
    }
    void LabelTextB(QString version, QString update)
    {
        events << QStringLiteral("SigLabelTextB(%1,%2)").arg(version, update);
    }
    void ChangeMainDialog(int index) { events << QStringLiteral("SigChangeMainDialog(%1)").arg(index); }
};

} // namespace home

#endif // HOME_FIXTURE_H
