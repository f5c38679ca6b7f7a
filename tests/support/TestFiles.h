#pragma once

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "track/FilePaths.h"
#include "track/MemorySource.h"

/// A file in a fresh temporary folder, removed with the folder. Names are UTF-8.
class TempFile {
public:
    explicit TempFile(const std::string& contents, const std::string& name = "track.plt") {
        std::random_device random;
        std::filesystem::path dir;
        do {
            dir = std::filesystem::temp_directory_path()
                  / ("pelorin-test-" + std::to_string(random()) + std::to_string(random()));
        } while (!std::filesystem::create_directory(dir));
        m_dir = Utf8FromPath(dir);
        m_path = m_dir + "/" + name;
        std::ofstream(PathFromUtf8(m_path), std::ios::binary) << contents;
    }
    ~TempFile() {
        std::error_code ignored;
        std::filesystem::remove_all(PathFromUtf8(m_dir), ignored);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& Path() const { return m_path; }
    const std::string& Dir() const { return m_dir; }

private:
    std::string m_dir;
    std::string m_path;
};

/// Six header lines naming the first section, as a track file starts.
inline std::string Header(const std::string& name = "Walk") {
    return "OziExplorer Track Point File Version 2.1\r\nWGS 84\r\nAltitude is in Feet\r\n"
           "Reserved 3\r\n0,2,255,"
           + name + ",0,0,2,8421376\r\n0\r\n";
}

/// Switches a locale category to one with a decimal comma; false when none is installed.
inline bool SetCommaLocale(int category) {
    for (const char* name : {"de_DE.UTF-8", "German_Germany.1252"}) {
        if (std::setlocale(category, name) != nullptr) {
            return true;
        }
    }
    return false;
}
