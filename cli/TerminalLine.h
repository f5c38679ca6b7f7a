#pragma once

#include <string>

/// The one line of progress the tool keeps on a terminal's standard error: each stage
/// overwrites the last, and a message for the user clears it first, so that no message is
/// left behind a half-overwritten line. Without a terminal no progress is shown.
class TerminalLine {
public:
    explicit TerminalLine(bool terminal) : m_terminal(terminal) {}
    TerminalLine(const TerminalLine&) = delete;
    TerminalLine& operator=(const TerminalLine&) = delete;

    bool IsTerminal() const { return m_terminal; }
    /// Shows "pelorin-cli: stage..." in place of the line shown before.
    void Show(const std::string& stage);
    /// Writes text (whole lines) to standard error after clearing the line.
    void Print(const std::string& text);
    /// Clears the line, leaving the cursor at its start.
    void Clear();

private:
    bool m_terminal;
    bool m_shown = false;  // a progress line stands on the terminal
};
