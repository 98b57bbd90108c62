// One mouse or receiver found at one device path.
#ifndef DEVICE_ALL_INFO_H
#define DEVICE_ALL_INFO_H

#include <QList>
#include <QString>
#include <cstdint>

struct DeviceAllInfo {
    QString path;                 // as the device library listed it
    QString vid = QStringLiteral("0");
    QString pid = QStringLiteral("0");
    uint8_t cid = 0;
    uint8_t mid = 0;
    uint8_t connectionType = 0;   // 0 1K, 4 2K, 1 4K, 5 8K receiver; other values: cable
    int modelIndex = 0;           // catalogue group "Drive" + (modelIndex + 1)
    bool online = false;
    bool wired = false;
    QString version;              // firmware of the USB device at path
    QString mouseVersion;         // firmware the mouse reports
    QList<uint8_t> receiverAddress; // 3 bytes once identified
};

// True for a cable connection: any type other than the four receiver types.
inline bool IsWiredConnection(int connectionType)
{
    return (connectionType & 0xFA) != 0;
}

// Receiver class (1, 2, 4 or 8 kHz) of a receiver's connection type; 0 for a cable.
inline int ReceiverClassOf(int connectionType)
{
    switch (connectionType) {
    case 0: return 1;
    case 4: return 2;
    case 1: return 4;
    case 5: return 8;
    default: return 0;
    }
}

// "v" + (version >> 8) in decimal + "." + minor in lower-case hex, e.g. 0x010A -> "v1.a".
inline QString VersionText(unsigned version)
{
    return QStringLiteral("v") + QString::number(version >> 8) + QLatin1Char('.')
        + QString::number(version & 0xFF, 16);
}

#endif // DEVICE_ALL_INFO_H
