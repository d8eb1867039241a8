// The libFuzzer entry of one target, chosen at compile time with -DZIVRA_FUZZ_ENTRY=Fuzz...
#include "tests/fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return ZIVRA_FUZZ_ENTRY(data, size);
}
