#include "track/FilePaths.h"

#include <algorithm>
#include <climits>

#ifdef _WIN32
#include <windows.h>
#endif

#ifdef _WIN32

std::filesystem::path PathFromUtf8(std::string_view name) {
    if (name.empty() || name.size() > INT_MAX) {
        return {};
    }
    const int size = static_cast<int>(name.size());
    const int wide =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name.data(), size, nullptr, 0);
    if (wide <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name.data(), size, text.data(), wide);
    return std::filesystem::path(std::move(text));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
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
    return std::filesystem::path(name);
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    return path.native();
}

std::FILE* OpenFileForWriting(const std::string& path) {
    return std::fopen(path.c_str(), "wb");
}

#endif
