#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

/// File names are UTF-8 throughout the program; these convert at the system's interface,
/// which takes UTF-16 on Windows. Invalid UTF-8 gives an empty path, which opens nothing.
std::filesystem::path PathFromUtf8(std::string_view name);
std::string Utf8FromPath(const std::filesystem::path& path);

/// Opens a file for writing in binary mode ("wb"); null when it cannot be opened.
std::FILE* OpenFileForWriting(const std::string& path);
