// Writes the firmware images shipped beside the program into the folder
// given as the only argument: one newer image for each device of the default
// simulated world, so the program finds updates.
#include "firmware_image.h"

#include <QByteArray>
#include <QDir>
#include <QSaveFile>
#include <QString>

#include <cstdio>

namespace {

struct ImageSpec {
    int kind;
    int mid;
    const char* model;
    quint32 version;
};

const int CustomerId = 23;

const ImageSpec kImages[] = {
    {FirmwareImage::KindMouse, 1, "QX-AERO-M", 0x0103},
    {FirmwareImage::KindReceiver, 1, "QX-AERO-R4", 0x0102},
    {FirmwareImage::KindMouse, 2, "QX-LYNX-M", 0x0103},
    {FirmwareImage::KindReceiver, 2, "QX-LYNX-R8", 0x0102},
    {FirmwareImage::KindMouse, 3, "QX-ORCA-M", 0x0103},
};

// Stands in for the firmware code: fixed bytes, the same at every build.
QByteArray payloadFor(const ImageSpec& spec)
{
    QByteArray payload(8192, '\0');
    quint32 state = spec.version * 2654435761u ^ quint32(spec.mid);
    for (const char* p = spec.model; *p; ++p)
        state = (state ^ quint8(*p)) * 16777619u;
    for (char& c : payload) {
        state = state * 1664525u + 1013904223u;
        c = char(state >> 24);
    }
    return payload;
}

QString fileName(const ImageSpec& spec)
{
    return QStringLiteral("%1_v%2.%3.bin")
        .arg(QLatin1String(spec.model))
        .arg(spec.version >> 8)
        .arg(spec.version & 0xFF, 0, 16);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fwgen <output folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "fwgen: cannot create %s\n", argv[1]);
        return 1;
    }
    for (const ImageSpec& spec : kImages) {
        const QByteArray image = FirmwareImage::build(quint8(spec.kind), CustomerId, quint8(spec.mid),
                                                      QByteArray(spec.model), spec.version, payloadFor(spec));
        QSaveFile file(folder.filePath(fileName(spec)));
        if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size() || !file.commit()) {
            std::fprintf(stderr, "fwgen: cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}
