// libFuzzer target: split text input through tavrix::fuzz::splitTextInput.
#include "fuzz/SupportFuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tavrix::fuzz::splitTextInput(data, size);
    return 0;
}
