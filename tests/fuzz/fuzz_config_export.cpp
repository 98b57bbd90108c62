// Configuration export files the user chooses to import.
#include "fuzz_support.h"

#include "config_export_file.h"

#include <cstring>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::StartProgram(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const ConfigExportFile::Contents contents = ConfigExportFile::Decode(fuzz::Bytes(data, size));
    if (contents.tag == QLatin1String(ConfigExportFile::kTag) && contents.image.size() == FlashDataMap::Size) {
        FlashDataMap image;
        std::memcpy(static_cast<void*>(&image), contents.image.constData(), FlashDataMap::Size);
        ConfigExportFile::Encode(contents.sensorName, image);
    }
    return 0;
}
