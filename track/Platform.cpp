#include "track/Platform.h"

#include <utility>

namespace {
WarningHandler& CurrentHandler() {
    static WarningHandler handler;
    return handler;
}

WarningHandler& ThreadHandler() {
    thread_local WarningHandler handler;
    return handler;
}
}  // namespace

WarningHandler SetWarningHandler(WarningHandler handler) {
    return std::exchange(CurrentHandler(), std::move(handler));
}

WarningHandler SetThreadWarningHandler(WarningHandler handler) {
    return std::exchange(ThreadHandler(), std::move(handler));
}

void ShowWarning(const std::string& text) {
    if (const WarningHandler& own = ThreadHandler()) {
        own(text);
    } else if (const WarningHandler& handler = CurrentHandler()) {
        handler(text);
    }
}
