#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/chunk_interpreter_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string broken = CheckChunkInterpreterInvariants(data, size);
    if (!broken.empty()) {
        std::fprintf(stderr, "chunk interpreter: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
