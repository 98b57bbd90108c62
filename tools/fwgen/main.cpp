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

struct ImageSetup {
    int kind;
    int mid;
    const char* model;
    quint32 version;
};

const int CustomerId = 23;

const ImageSetup kImages[] = {
    {FirmwareImage::KindMouse, 1, "QX-AERO-M", 0x0103},
    {FirmwareImage::KindReceiver, 1, "QX-AERO-R4", 0x0102},
    {FirmwareImage::KindMouse, 2, "QX-LYNX-M", 0x0103},
    {FirmwareImage::KindReceiver, 2, "QX-LYNX-R8", 0x0102},
    {FirmwareImage::KindMouse, 3, "QX-ORCA-M", 0x0103},
};

// Stands in for the firmware code: fixed bytes, the same at every build.
QByteArray payloadFor(const ImageSetup& setup)
{
    QByteArray payload(8192, '\0');
    quint32 state = setup.version * 2654435761u ^ quint32(setup.mid);
    for (const char* p = setup.model; *p; ++p)
        state = (state ^ quint8(*p)) * 16777619u;
    for (char& c : payload) {
        state = state * 1664525u + 1013904223u;
        c = char(state >> 24);
    }
    return payload;
}

QString fileName(const ImageSetup& setup)
{
    return QStringLiteral("%1_v%2.%3.bin")
        .arg(QLatin1String(setup.model))
        .arg(setup.version >> 8)
        .arg(setup.version & 0xFF, 0, 16);
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
    for (const ImageSetup& setup : kImages) {
        const QByteArray image = FirmwareImage::build(quint8(setup.kind), CustomerId, quint8(setup.mid),
                                                      QByteArray(setup.model), setup.version, payloadFor(setup));
        QSaveFile file(folder.filePath(fileName(setup)));
        if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size() || !file.commit()) {
            std::fprintf(stderr, "fwgen: cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}
