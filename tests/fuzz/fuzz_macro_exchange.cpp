// Macro exchange files the user imports from another installation (the
// items' icons are pictures, so this one runs a GUI application offscreen).
#include "fuzz_support.h"

#include "macro_exchange_file.h"

#include <QBuffer>
#include <QGuiApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    fuzz::StartProgram<QGuiApplication>(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    QBuffer buffer;
    buffer.setData(fuzz::Bytes(data, size));
    buffer.open(QIODevice::ReadOnly);
    const std::optional<MacroExchange> macro = ReadMacroExchange(&buffer);
    if (macro) {
        for (const MacroExchangeItem& item : macro->items)
            item.icon.pixmap(16, 16);
    }
    return 0;
}
