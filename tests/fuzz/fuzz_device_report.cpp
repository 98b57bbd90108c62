// Reports of the selected mouse as the device library hands them to the
// connection's callback. Input: one byte giving the header length (0-15),
// the header, then the payload.
#include "fuzz_support.h"

#include "app_state.h"
#include "device_report.h"

#include <algorithm>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::StartProgram(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t headerLength = std::min<std::size_t>(data[0] & 0x0F, size - 1);
    // Buffers of their exact lengths, so reading past either is caught.
    const std::vector<unsigned char> header(data + 1, data + 1 + headerLength);
    const std::vector<unsigned char> payload(data + 1 + headerLength, data + size);
    OnDeviceReport(header.empty() ? nullptr : header.data(), int(header.size()),
                   payload.empty() ? nullptr : payload.data(), int(payload.size()));
    return 0;
}
