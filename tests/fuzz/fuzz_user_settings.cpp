// The per-user settings file Macro.ini: the values the program reads at
// start (language, start with the system, the new-firmware notice) and a
// language choice written back into the same file.
#include "fuzz_support.h"

#include "label_file.h"
#include "user_setting_store.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::StartProgram(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (fuzz::HoldsSerialisedQtValue(data, size))
        return 0;
    UserSettingStore store(fuzz::AsFile(data, size, QStringLiteral("Macro.ini")));
    LabelFile::PathFor(store.LanguageIndex());
    store.Value(QStringLiteral("AutoStart"), QStringLiteral("Enable")).toInt();
    store.Value(QStringLiteral("FindNew"), QStringLiteral("IsShow"));
    store.ValueList(QStringLiteral("Language"), QStringLiteral("Language"));

    // A choice made in the program is what the next start reads.
    store.SetValue(QStringLiteral("Language"), QStringLiteral("Language"), QStringLiteral("3"));
    if (store.LanguageIndex() != 3 || UserSettingStore(store.FilePath()).LanguageIndex() != 3)
        std::abort();
    return 0;
}
