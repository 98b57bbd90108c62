// Language/Net.xml, the settings page's company line and link, in every
// language.
#include "fuzz_support.h"

#include "net_profile.h"

#include <QBuffer>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::StartProgram(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const QByteArray bytes = fuzz::Bytes(data, size);
    for (int language = 0; language < 6; ++language) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        NetProfile::Read(&buffer, language);
    }
    return 0;
}
