// Notes the hub signals a test watches, in the order they come, as text: the
// name the test gives the signal, followed by its int, bool (0/1) and QString
// arguments, e.g. "SigSetver(4)" or "ConfigUI(4,0,1)". Image arguments go to
// `images` instead; other arguments need a text of the test's own (RecordAs).
//
//     HubRecorder hub;
//     hub.Record(&PostMsg::SigSetver, "SigSetver");
//     hub.Record(&PostMsg::SigForm, "Form", Qt::BlockingQueuedConnection);
//     hub.RecordAs(&PostMsg::SigSelectMouseInfo, [&](DeviceAllInfo info) { ...; return "SigSelectMouseInfo"; });
//     ... QCOMPARE(hub.events, (QStringList{"SigSetver(4)", "Form"}));
//
// Record in the constructor of a test's own recorder, or before the windows
// are built when the order of the slots matters (a slot connected earlier
// runs earlier).
#ifndef HUB_RECORDER_H
#define HUB_RECORDER_H

#include "flash_data_map.h"
#include "post_msg.h"

#include <QCoreApplication>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QThread>

#include <functional>

class HubRecorder : public QObject {
public:
    QStringList events;
    QList<FlashDataMap> images;    // the image of every recorded image signal, in order
    bool allOnMainThread = true;   // every recorded signal reached its slot on the user-interface thread
    // Runs right after each event is noted, still inside the signal.
    std::function<void(const QString& event)> onEvent;

    template <class... Args>
    void Record(void (PostMsg::*signal)(Args...), const QString& name, Qt::ConnectionType type = Qt::AutoConnection)
    {
        connect(
            PostMsg::GetInstance(), signal, this,
            [this, name](Args... args) {
                QStringList texts;
                (AddArgument(texts, args), ...);
                const QString arguments = QLatin1Char('(') + texts.join(QLatin1Char(',')) + QLatin1Char(')');
                Note(texts.isEmpty() ? name : name + arguments);
            },
            type);
    }

    // `describe` turns the signal's arguments into the event's text.
    template <class... Args, class Describe>
    void RecordAs(void (PostMsg::*signal)(Args...), Describe describe, Qt::ConnectionType type = Qt::AutoConnection)
    {
        connect(
            PostMsg::GetInstance(), signal, this, [this, describe](Args... args) { Note(describe(args...)); }, type);
    }

    // The events that start with one of the prefixes, in order.
    QStringList Only(const QStringList& prefixes) const
    {
        QStringList picked;
        for (const QString& event : events) {
            for (const QString& prefix : prefixes) {
                if (event.startsWith(prefix)) {
                    picked << event;
                    break;
                }
            }
        }
        return picked;
    }

    void Clear()
    {
        events.clear();
        images.clear();
    }

private:
    void AddArgument(QStringList& texts, int value) { texts << QString::number(value); }
    void AddArgument(QStringList& texts, bool value) { texts << QString::number(int(value)); }
    void AddArgument(QStringList& texts, const QString& value) { texts << value; }
    void AddArgument(QStringList&, const FlashDataMap& image) { images << image; }
    // A pointer would pass for a bool: such a signal needs RecordAs.
    template <class T>
    void AddArgument(QStringList&, T*) = delete;

    void Note(const QString& event)
    {
        events << event;
        if (QThread::currentThread() != QCoreApplication::instance()->thread())
            allOnMainThread = false;
        if (onEvent)
            onEvent(event);
    }
};

#endif // HUB_RECORDER_H
