// The firmware state the program keeps in the registry stand-in: the
// pending-repair record UpdateFailInfo and the last mouse version seen per
// model, read from the input as the stand-in's file, and the version that
// the searches compare with each image's.
#include "fuzz_support.h"

#include "device_all_info.h"
#include "firmware_images.h"
#include "native_settings.h"
#include "registry_values.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::StartProgram(argc, argv);
    NativeSettings::SetRootFolder(fuzz::Home().path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (fuzz::HoldsSerialisedQtValue(data, size))
        return 0;
    const QString file = NativeSettings::FilePath();
    QDir().mkpath(QFileInfo(file).path());
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    out.write(reinterpret_cast<const char*>(data), qint64(size));
    out.close();

    const QString stored = UpdateFailInfo();
    const UpdateFailRecord record = ParseUpdateFailInfo(stored);
    // The record that the engines write reads back as written.
    if (record.complete) {
        const UpdateFailRecord again = ParseUpdateFailInfo(
            QStringLiteral("%1,%2,%3,%4").arg(record.kind).arg(record.classText).arg(record.cid).arg(record.mid));
        if (!again.complete || again.kind != record.kind || again.cid != record.cid || again.mid != record.mid)
            std::abort();
    }

    // Without a catalogue every model's value is named "MouseVer".
    const QString mouseVersion = StoredMouseVersion(0);
    for (const uint32_t version : {0x0000u, 0x0105u, 0x0150u, 0x010Au, 0xFFFFFFFFu}) {
        const bool update = IsUpdateVersion(version, mouseVersion);
        // The version the device runs is never an update of itself.
        if (update && !mouseVersion.isEmpty() && mouseVersion == VersionText(version))
            std::abort();
    }
    return 0;
}
