#include "tests/fuzz/gif_walker_invariants.h"

#include <cstdio>
#include <cstdlib>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > std::numeric_limits<std::uint32_t>::max()) return 0;
    const std::string broken = CheckGifWalkerInvariants(data, static_cast<std::uint32_t>(size));
    if (!broken.empty()) {
        std::fprintf(stderr, "%s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
