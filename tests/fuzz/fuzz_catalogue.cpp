// The device catalogue Config.ini: what the program reads of a model group
// and of the Option group.
#include "fuzz_support.h"

#include "config_store.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::StartProgram(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (fuzz::HoldsSerialisedQtValue(data, size))
        return 0;
    ConfigStore store(fuzz::AsFile(data, size, QStringLiteral("Config.ini")));
    const QString option = QStringLiteral("Option");
    store.IntValue(option, QStringLiteral("DeviceTotal"));
    store.Value(option, QStringLiteral("CID"));
    store.ColorText(QStringLiteral("ComboxTextColor"));
    const QString group = ConfigStore::ModelGroup(0);
    for (const char* key : {"MID", "Sensor", "MM", "DM", "D4M", "DPIGrade"})
        store.Value(group, QLatin1String(key));
    for (const char* key : {"DPIRange", "DPIColor", "Adveanced"})
        store.ValueList(group, QLatin1String(key));
    return 0;
}
