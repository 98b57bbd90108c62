// Macro files in the per-user macro folder (the macro page and the button
// page read them), with their repeat header and delay texts.
#include "fuzz_support.h"

#include "macro_file.h"
#include "macro_repeat_code.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::StartProgram(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const QByteArray bytes = fuzz::Bytes(data, size);
    const MacroFileContent content = ParseMacroFile(bytes);
    const QString text = QString::fromUtf8(bytes);
    MacroRepeat::FromText(text);
    ParseDelayText(text);
    // The button page takes the same repeat code from the file.
    if (content.hasHeader
        && MacroRepeat::FromText(ReadMacroRepeatCode(fuzz::AsFile(data, size))) != content.repeatCode)
        std::abort();
    // What was read, written back, reads the same.
    if (ParseMacroFile("1\n" + FormatMacroLines(content.items)).items != content.items)
        std::abort();
    return 0;
}
