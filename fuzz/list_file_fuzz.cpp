// libFuzzer target: list file input through tavrix::fuzz::listFileInput.
#include "fuzz/SupportFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tavrix::fuzz::listFileInput(data, size);
    return 0;
}
