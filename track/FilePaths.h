#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

/// File names are UTF-8 throughout the program; these convert at the system's interface,
/// which takes UTF-16 on Windows. Invalid UTF-8 or a NUL gives an empty path, which opens
/// nothing. On Windows a path longer than the system takes plainly (MAX_PATH) comes back
/// absolute with the prefix \\?\ (\\?\UNC\ for a network path), which Utf8FromPath drops.
std::filesystem::path PathFromUtf8(std::string_view name);
std::string Utf8FromPath(const std::filesystem::path& path);

#ifdef _WIN32
/// UTF-8 as UTF-16; empty for invalid UTF-8.
std::wstring WideFromUtf8(std::string_view text);
#endif

/// Opens a file for writing in binary mode ("wb"); null when it cannot be opened.
std::FILE* OpenFileForWriting(const std::string& path);
