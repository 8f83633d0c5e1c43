#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/chunk_interpreter_invariants.h"

// The fuzzer's corpus, replayed on every test run so that what it once found stays found.
TEST(ChunkCorpus, EveryInputKeepsTheInterpretersPromises) {
    const std::filesystem::path corpus = std::filesystem::path(REELSIFT_TEST_DATA) / "fuzz" / "chunk_interpreter";
    size_t replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        EXPECT_EQ(CheckChunkInterpreterInvariants(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), "")
            << entry.path();
        ++replayed;
    }
    EXPECT_GT(replayed, 0u);
}
