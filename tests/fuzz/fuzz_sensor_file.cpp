// The sensor feature file driver_sensor.h and the per-user Level.ini.
#include "fuzz_support.h"

#include "sensor_feature_file.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::StartProgram(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const QString path = fuzz::AsFile(data, size);
    SensorFeatureFile file;
    if (file.Read(path)) {
        for (const QString& sensor : {QStringLiteral("3950"), QStringLiteral("Q3311"), QString()})
            IsSensorListed(file.ripple, sensor);
    }
    ReadLevelFile(path);
    return 0;
}
