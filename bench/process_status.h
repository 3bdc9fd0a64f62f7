#pragma once

#include <fstream>
#include <string>

// A figure of this process from /proc/self/status in kilobytes ("VmRSS:",
// "VmHWM:"); -1 where the system gives none.
inline long StatusKilobytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field, 0) == 0) return std::stol(line.substr(field.size()));
    return -1;
}
