// Language label files: the loader every window runs at start.
#include "fuzz_support.h"

#include "label_file.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::StartProgram(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    int texts = 0;
    const auto count = [&texts](const QString& text) { texts += text.size(); };
    LabelFile::Load(fuzz::AsFile(data, size), QStringLiteral("Match"),
                    {{QStringLiteral("label"), count}, {QStringLiteral("MatchButton"), count}});
    return 0;
}
