// libFuzzer entry point; the work is in fuzz_drivers.cpp.
#include "fuzz/fuzz_drivers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzSettings(data, size);
  return 0;
}
