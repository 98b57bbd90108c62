// Simulated worlds written as text, in the format of SimWorld.ini, one
// section per device (link devicelib_control):
//
//     QVERIFY(SimWorld::Load(SimWorld::Receiver("r4", 4, 1) + SimWorld::Mouse("aero", 1, "r4")));
#ifndef WORLD_TEXT_H
#define WORLD_TEXT_H

#include <devicelib_control.h>

#include <QFile>
#include <QString>

namespace SimWorld {

// Replaces the world with `text`; its devices answer at once and the call
// log starts empty.
inline bool Load(const QString& text)
{
    SimControl::resetWorld();
    const bool loaded = SimControl::loadWorldText(text);
    SimControl::setLatencyMs(0);
    SimControl::clearCallLog();
    return loaded;
}

// A receiver of the given class (1, 2, 4 or 8); `extra` adds "key = value" lines.
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

// The shipped world (SimWorld.ini) with its 4K receiver made one of another
// class (1, 2, 4 or 8); empty when the file cannot be read.
inline QString ShippedWithReceiverClass(int receiverClass)
{
    QFile file(SimControl::defaultWorldPath());
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QString pid = QStringLiteral("0x7B0%1").arg(receiverClass);
    return QString::fromUtf8(file.readAll())
        .replace(QStringLiteral("Class = 4\nPid = 0x7B04"),
                 QStringLiteral("Class = %1\nPid = %2").arg(receiverClass).arg(pid));
}

} // namespace SimWorld

#endif // WORLD_TEXT_H
