#include "cli/TerminalLine.h"

#include <cstdio>

namespace {

constexpr char kClearLine[] = "\r\033[K";

void WriteError(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

}  // namespace

void TerminalLine::Show(const std::string& stage) {
    if (m_terminal) {
        WriteError(kClearLine + ("pelorin-cli: " + stage + "..."));
        m_shown = true;
    }
}

void TerminalLine::Print(const std::string& text) {
    Clear();
    WriteError(text);
}

void TerminalLine::Clear() {
    if (m_shown) {
        WriteError(kClearLine);
        m_shown = false;
    }
}
