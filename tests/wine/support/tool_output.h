#pragma once
// Reading a tool run's output the way the job reads it, in reads of at most 1024 bytes.

#include <string>
#include <vector>

#include "download/ToolProcess.h"

inline constexpr unsigned long kToolReadSize = 1024;

// Every read's bytes until the pipe breaks, empty reads left out.
std::vector<std::string> ReadToolToEnd(ToolProcess& tool);
// Reads until the output so far contains the marker; false when the pipe broke first.
bool ReadToolUntil(ToolProcess& tool, const std::string& marker);
