#pragma once

#include <functional>
#include <string>

/// What the core needs from the program around it. The core never prints or exits by
/// itself: the window shows a warning box, the command-line tool writes to stderr, and
/// tests record the messages.
using WarningHandler = std::function<void(const std::string& text)>;

/// Installs the handler for warnings meant for the user; returns the previous one.
WarningHandler SetWarningHandler(WarningHandler handler);

/// Shows a warning to the user through the installed handler (none: dropped).
void ShowWarning(const std::string& text);
