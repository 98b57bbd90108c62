// Helpers of the home page tests: loading a simulated world (its sections
// written with world_text.h) into a clean home state, a watcher that answers
// the modal dialogs the home page opens, and a recorder of the hub signals a
// click sends.
#ifndef HOME_FIXTURE_H
#define HOME_FIXTURE_H

#include "app_state.h"
#include "dialog_change.h"
#include "hub_recorder.h"
#include "mytoolbuttonenter.h"
#include "match.h"
#include "post_msg.h"
#include "library_calls.h"
#include "world_text.h"

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

using SimWorld::Mouse;
using SimWorld::Receiver;

// Loads the world and starts from a clean program state and call log.
inline bool LoadWorld(const QString& text)
{
    const bool loaded = SimWorld::Load(text);
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

class ClickRecorder : public HubRecorder {
public:
    ClickRecorder()
    {
        Record(&PostMsg::SigSetver, QStringLiteral("SigSetver"));
        Record(&PostMsg::SigMouseIndex, QStringLiteral("SigMouseIndex"));
        RecordAs(&PostMsg::SigSelectMouseInfo, [this](DeviceAllInfo info) {
            selected = info;
            return QStringLiteral("SigSelectMouseInfo");
        });
        Record(&PostMsg::SigLabelTextB, QStringLiteral("SigLabelTextB"));
        Record(&PostMsg::SigChangeMainDialog, QStringLiteral("SigChangeMainDialog"));
    }

    DeviceAllInfo selected;
};

} // namespace home

#endif // HOME_FIXTURE_H
