// The simulated library's flash-dump codec and the payloads of its small
// reports: a dump read from the mouse, re-encoded as the mouse would store it.
#include "fuzz_support.h"

#include "dump_codec.h"

#include <algorithm>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::StartProgram(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    using namespace DumpCodec;
    std::vector<uint8_t> dump(DumpSize, 0);
    std::copy(data, data + std::min<std::size_t>(size, DumpSize), dump.begin());
    std::vector<uint8_t> image(ImageSize, 0);
    decode(dump.data(), image.data());
    if (encodedSize(image.data()) <= DumpSize) {
        std::vector<uint8_t> again(DumpSize, 0);
        encode(image.data(), again.data());
    }

    // The payload readers get the input itself, with its own length.
    const int length = int(std::min<std::size_t>(size, 64));
    uint8_t block[16] = {};
    readDpiLedPayload(data, length, block);
    readLedBarPayload(data, length, block);
    readBatteryPayload(data, length, block);
    readStatusPayload(data, length, block);
    return 0;
}
