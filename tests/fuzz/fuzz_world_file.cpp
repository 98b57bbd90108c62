// The simulated library's world file.
#include "fuzz_support.h"

#include "sim_world.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::StartProgram(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    SimWorld world;
    QString error;
    parseWorld(QString::fromUtf8(fuzz::Bytes(data, size)), &world, &error);
    return 0;
}
