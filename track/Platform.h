#pragma once

#include <functional>
#include <string>

/// What the core needs from the program around it. The core never prints or exits by
/// itself: the window shows a warning box, the command-line tool writes to stderr, and
/// tests record the messages.
using WarningHandler = std::function<void(const std::string& text)>;

/// Installs the handler for warnings meant for the user; returns the previous one. Install it
/// before any other thread may show a warning: it is read without a lock.
WarningHandler SetWarningHandler(WarningHandler handler);

/// Installs a handler for the warnings shown on the calling thread only; while one is
/// installed it takes them instead of the process-wide handler. A worker that reads one
/// file among many keeps that file's messages to itself this way. An empty handler removes
/// it. Returns the previous one of this thread.
WarningHandler SetThreadWarningHandler(WarningHandler handler);

/// Shows a warning to the user through the thread's handler, else the process-wide one
/// (none: dropped).
void ShowWarning(const std::string& text);
