// The program's reading of firmware images in bin/: the header reader, the
// version texts, and the searches over a folder holding the input as a file.
#include "fuzz_support.h"

#include "firmware_images.h"

#include <QDir>
#include <QFile>

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::StartProgram(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    // A buffer of exactly the input's length, so reading past it is caught.
    const std::vector<char> copy(data, data + size);
    const QByteArray bytes = QByteArray::fromRawData(copy.data(), int(copy.size()));
    FirmwareHeader header;
    const bool tagged = ReadFirmwareHeader(bytes, &header);
    VersionNumber(QString::fromLatin1(bytes.left(16)));

    // The same bytes as the only file of bin/, searched for what its header
    // names (files without the tag end at the reader as well).
    if (!tagged)
        return 0;
    QDir().mkpath(FirmwareFolder());
    QFile file(FirmwareFolder() + QStringLiteral("/input.bin"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(bytes);
    file.close();
    QString version = QStringLiteral("v0.0");
    const bool found = FindFirmwareFile(header.kind, QString(), header.modelName, header.cid, header.mid);
    HasFirmwareFile(header.kind, version, header.modelName, header.cid, header.mid);
    FindRepairFirmwareFile(header.kind, version, header.modelName, header.cid, header.mid);
    // Only an image that holds the payload it declares is ever chosen.
    if (found && (g_firmwareImages.first() != bytes
                  || qint64(bytes.size()) - FirmwareHeaderSize < qint64(header.payloadLength)))
        std::abort();
    return 0;
}
