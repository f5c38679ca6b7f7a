#include "track/Platform.h"

#include <utility>

namespace {
WarningHandler& CurrentHandler() {
    static WarningHandler handler;
    return handler;
}
}  // namespace

WarningHandler SetWarningHandler(WarningHandler handler) {
    return std::exchange(CurrentHandler(), std::move(handler));
}

void ShowWarning(const std::string& text) {
    if (const WarningHandler& handler = CurrentHandler()) {
        handler(text);
    }
}
