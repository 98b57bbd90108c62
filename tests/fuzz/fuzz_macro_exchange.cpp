// Macro exchange files the user imports from another installation. The
// reader passes over the items' icons without decoding them, so a picture
// that declares gigabytes of pixels must cost nothing.
#include "fuzz_support.h"

#include "macro_exchange_file.h"

#include <QBuffer>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::StartProgram(argc, argv);
    return 0;
}

namespace {

std::optional<MacroExchange> Read(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadMacroExchange(&buffer);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::optional<MacroExchange> macro = Read(fuzz::Bytes(data, size));
    if (!macro)
        return 0;
    for (const MacroExchangeItem& item : macro->items) {
        if (!item.icon.isNull())
            std::abort(); // built from the file
    }
    // What was read, written back, reads the same.
    QBuffer written;
    written.open(QIODevice::WriteOnly);
    if (!WriteMacroExchange(&written, *macro))
        std::abort();
    const std::optional<MacroExchange> again = Read(written.data());
    if (!again || again->items.size() != macro->items.size())
        std::abort();
    for (int i = 0; i < macro->items.size(); ++i) {
        if (again->items[i].text != macro->items[i].text || again->items[i].release != macro->items[i].release)
            std::abort();
    }
    return 0;
}
