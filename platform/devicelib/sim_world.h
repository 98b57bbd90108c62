// The simulated devices: receivers, mice, their memory and the world file.
#ifndef DEVICELIB_SIM_WORLD_H
#define DEVICELIB_SIM_WORLD_H

#include <QByteArray>
#include <QString>
#include <QVector>

#include <array>
#include <utility>
#include <cstdint>

using Address = std::array<uint8_t, 3>;

// How a device answers a flashing: as it should; by refusing to start; never
// (it starts, then sends nothing and stays off the bus); or at once (every
// message without delay).
enum class FlashAnswer { Normal, Refuse, Never, AtOnce };

struct SimReceiver {
    QString id;
    int receiverClass = 4;  // 1, 2, 4, 8
    uint16_t pid = 0;
    uint8_t cid = 0;
    uint8_t mid = 0;
    QByteArray name;        // firmware model name
    uint32_t version = 0;
    Address address{};
    bool plugged = true;
    bool boot = false;      // waiting for firmware (not listed by the finder)
    bool flashing = false;
    int identityZeros = 0;
    int failFlashAt = -1;   // next flashing fails at this percentage
    FlashAnswer flashAnswer = FlashAnswer::Normal;
    uint8_t longRange = 0;
    std::array<uint8_t, 10> light{1}; // byte 0 light mode 1-3 (4K receivers), 1 at first
    // Pairing search: 0 none, 1 searching, 2 failed, 3 paired.
    int pairStatus = 0;
    uint8_t pairCid = 0;
    qint64 pairDeadline = 0;
    int reportIntervalUs = -1; // time per 64-byte report on its connection; -1: by class

    // What the finder lists.
    bool listed() const { return plugged && !boot && !flashing; }
};

struct SimMouse {
    QString id;
    uint8_t cid = 0;
    uint8_t mid = 0;
    QByteArray name;
    uint32_t version = 0;
    bool paired = false;
    Address pairedAddress{};
    bool onCable = false;
    uint16_t cablePid = 0x7A01;
    bool awake = true;
    bool inRange = true;
    int battery = 80;
    bool charging = false;
    bool pairingMode = false;
    bool boot = false;
    bool flashing = false;
    int identityZeros = 0;
    int failFlashAt = -1;
    FlashAnswer flashAnswer = FlashAnswer::Normal;
    // The factory's DPI stages as the mouse stores them (code, flags), stage
    // 1 first; stages beyond the list keep the generic codes.
    QVector<std::pair<uint8_t, uint8_t>> factoryStages;
    QVector<QByteArray> profiles; // flash dumps
    int currentProfile = 0;
    int reportIntervalUs = -1; // on its cable; -1: 1 ms

    // What the finder lists: the mouse's own path on its cable.
    bool listed() const { return onCable && !boot && !flashing; }
};

struct SimWorld {
    uint16_t vid = 0x2FE5;
    int reportIntervalUs = -1; // for devices that name none; -1: by each device's rate
    QVector<SimReceiver> receivers;
    QVector<SimMouse> mice;

    SimReceiver* receiver(const QString& id);
    SimMouse* mouse(const QString& id);
    bool hasId(const QString& id) const;
};

namespace SimDefaults {
enum { ProfileCount = 4 };
bool isReceiverClass(int receiverClass); // 1, 2, 4 or 8
// A receiver of the class with the pid and address its id and class give.
SimReceiver receiver(const QString& id, int receiverClass);
int connectionType(int receiverClass); // the identity's connection type
// The image a mouse leaves the factory with.
QByteArray factoryImage(const SimMouse& mouse);
QByteArray factoryDump(const SimMouse& mouse);
void initMemory(SimMouse& mouse);
} // namespace SimDefaults

// Paths the finder lists: receivers, and mice on their cables.
QByteArray receiverPath(uint16_t vid, const SimReceiver& receiver);
QByteArray cablePath(uint16_t vid, const SimMouse& mouse);

// Parses "0x2FE5", "2fe5" (hexadecimal, case-insensitive); -1 when invalid.
int parseHexId(const QByteArray& text);
// "1.2", "v1.a" (major decimal, minor hexadecimal) or "0x0102"; -1 when invalid.
int parseVersion(const QString& text);

// Reads a world file's text (format at the top of data/SimWorld.ini).
bool parseWorld(const QString& text, SimWorld* world, QString* error);

#endif // DEVICELIB_SIM_WORLD_H
