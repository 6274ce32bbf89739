// libFuzzer target: alias csv input through tavrix::fuzz::aliasFileInput.
#include "fuzz/SupportFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tavrix::fuzz::aliasFileInput(data, size);
    return 0;
}
