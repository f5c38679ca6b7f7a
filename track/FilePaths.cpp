#include "track/FilePaths.h"

#include <algorithm>
#include <climits>

#ifdef _WIN32
#include <windows.h>
#endif

#ifdef _WIN32

namespace {

// The system takes a longer path only with the prefix \\?\, which also turns off its tidying of
// the path; a folder's path must leave room for a file name of 8.3 characters. Shorter paths
// stay as they are: msvcrt's stat, behind std::filesystem, refuses the '?' of the prefix.
constexpr std::size_t kLongestPlainPath = MAX_PATH - 12;
constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";

/// A path of kLongestPlainPath characters or more as absolute, tidied (no . or .., backslashes
/// only) and prefixed; a shorter one, a prefixed one and a device (\\.\NUL) as they are.
std::wstring LongPathForm(std::wstring name) {
    std::wstring full(std::max<std::size_t>(name.size() + 1, MAX_PATH), L'\0');
    DWORD length =
        GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length);
        length = GetFullPathNameW(name.c_str(), length, full.data(), nullptr);
    }
    if (length == 0 || length >= full.size() || length < kLongestPlainPath) {
        return name;
    }
    full.resize(length);
    if (full.starts_with(L"\\\\?\\") || full.starts_with(L"\\\\.\\")) {
        return full;
    }
    if (full.starts_with(L"\\\\")) {
        return std::wstring(kLongUncPrefix) + full.substr(2);
    }
    return std::wstring(kLongPrefix) + full;
}

}  // namespace

std::wstring WideFromUtf8(std::string_view text) {
    if (text.empty() || text.size() > INT_MAX) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int wide =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (wide <= 0) {
        return {};
    }
    std::wstring result(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, result.data(), wide);
    return result;
}

std::filesystem::path PathFromUtf8(std::string_view name) {
    std::wstring wide = WideFromUtf8(name);
    if (wide.empty() || wide.find(L'\0') != std::wstring::npos) {
        return {};
    }
    return std::filesystem::path(LongPathForm(std::move(wide)));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    std::wstring_view wide = path.native();
    std::wstring unc;
    if (wide.starts_with(kLongUncPrefix)) {
        unc = L"\\\\" + std::wstring(wide.substr(kLongUncPrefix.size()));
        wide = unc;
    } else if (wide.starts_with(kLongPrefix)) {
        wide.remove_prefix(kLongPrefix.size());
    }
    if (wide.empty() || wide.size() > INT_MAX) {
        return {};
    }
    // A lone surrogate, which no UTF-8 can hold, becomes U+FFFD.
    const int size = static_cast<int>(wide.size());
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(std::max(bytes, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), bytes, nullptr, nullptr);
    return text;
}

std::FILE* OpenFileForWriting(const std::string& path) {
    const std::filesystem::path name = PathFromUtf8(path);
    return name.empty() ? nullptr : _wfopen(name.c_str(), L"wb");
}

#else

std::filesystem::path PathFromUtf8(std::string_view name) {
    if (name.find('\0') != std::string_view::npos) {
        return {};
    }
    return std::filesystem::path(name);
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    return path.native();
}

std::FILE* OpenFileForWriting(const std::string& path) {
    return std::fopen(path.c_str(), "wb");
}

#endif
