// Test support: runs a command line of the independent readers (pdftotext, pdfinfo, pdffonts,
// python3) and returns what it printed; the paths of the tools come from the build.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace publishtest {

struct ToolResult {
    int status = -1;
    std::string out;
};

inline std::string quoted(const std::filesystem::path& path) {
    std::string result = "'";
    for (char c : path.string()) {
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return result + "'";
}

inline ToolResult runTool(const std::string& command) {
    ToolResult result;
    FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) {
        return result;
    }
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.out.append(buffer, n);
    }
    result.status = ::pclose(pipe);
    return result;
}

// The text with every run of spaces made one space (pdfinfo aligns its values).
inline std::string squeezed(const std::string& text) {
    std::string result;
    for (char c : text) {
        if (c != ' ' || result.empty() || result.back() != ' ') {
            result += c;
        }
    }
    return result;
}

// True when every text occurs in haystack, each after the one before it.
inline bool inOrder(const std::string& haystack, std::initializer_list<std::string> texts) {
    std::size_t at = 0;
    for (const std::string& text : texts) {
        at = haystack.find(text, at);
        if (at == std::string::npos) {
            return false;
        }
        at += text.size();
    }
    return true;
}

} // namespace publishtest
