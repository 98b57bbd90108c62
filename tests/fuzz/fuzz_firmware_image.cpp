// The simulated library's reading of a firmware image handed to it.
#include "fuzz_support.h"

#include "firmware_image.h"

#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::StartProgram(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    // A buffer of exactly the input's length, so reading past it is caught.
    const std::vector<unsigned char> image(data, data + size);
    FirmwareImage::Header header;
    FirmwareImage::parse(image.data(), image.size(), &header);
    return 0;
}
