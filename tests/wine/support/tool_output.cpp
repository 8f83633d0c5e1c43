#include "support/tool_output.h"

std::vector<std::string> ReadToolToEnd(ToolProcess& tool) {
    std::vector<std::string> chunks;
    char buffer[kToolReadSize];
    unsigned long got = 0;
    while (tool.Read(buffer, kToolReadSize, got)) {
        if (got > 0) chunks.emplace_back(buffer, got);
    }
    return chunks;
}

bool ReadToolUntil(ToolProcess& tool, const std::string& marker) {
    std::string output;
    char buffer[kToolReadSize];
    unsigned long got = 0;
    while (output.find(marker) == std::string::npos) {
        if (!tool.Read(buffer, kToolReadSize, got)) return false;
        output.append(buffer, got);
    }
    return true;
}
