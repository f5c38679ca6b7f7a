#include "cli/EachFiles.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

#include "track/FilePaths.h"

namespace fs = std::filesystem;

namespace {

std::string Child(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

/// A regular file, or a link to nothing, which fails in its row. A pipe or a device named like
/// a track could block the reader for ever.
bool IsFileToRead(const fs::directory_entry& entry) {
    std::error_code error;
    return entry.is_regular_file(error) || (entry.is_symlink(error) && !entry.exists(error));
}

/// Adds the track files under a folder; each real folder is walked once.
void Walk(const std::string& folder, std::set<fs::path>& walked, std::vector<EachFile>& found) {
    std::error_code error;
    const fs::path real = fs::canonical(PathFromUtf8(folder), error);
    if (!error && !walked.insert(real).second) {
        return;
    }
    fs::directory_iterator entries(PathFromUtf8(folder), error);
    if (error) {
        found.push_back({folder, "cannot read the folder " + folder + ": " + error.message()});
        return;
    }
    // In name order, so that of two links to one folder the same one is always walked.
    std::vector<fs::directory_entry> children;
    for (; entries != fs::directory_iterator(); entries.increment(error)) {
        children.push_back(*entries);
    }
    if (error) {
        found.push_back({folder, "cannot read the folder " + folder + ": " + error.message()});
    }
    std::sort(children.begin(), children.end());
    for (const fs::directory_entry& child : children) {
        const std::string name = Utf8FromPath(child.path().filename());
        std::error_code kindError;
        if (child.is_directory(kindError)) {
            Walk(Child(folder, name), walked, found);
        } else if (IsTrackFileName(name) && IsFileToRead(child)) {
            found.push_back({Child(folder, name), {}});
        }
    }
}

}  // namespace

bool IsTrackFileName(std::string_view name) {
    if (name.size() < 5) {
        return false;
    }
    std::string extension(name.substr(name.size() - 4));
    for (char& c : extension) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return extension == ".plt" || extension == ".gpx" || extension == ".tcx" || extension == ".igc"
           || extension == ".fit";
}

std::vector<EachFile> CollectTrackFiles(const std::vector<std::string>& arguments) {
    std::vector<EachFile> files;
    for (const std::string& argument : arguments) {
        std::error_code error;
        if (!fs::is_directory(PathFromUtf8(argument), error)) {
            files.push_back({argument, {}});
            continue;
        }
        std::set<fs::path> walked;
        std::vector<EachFile> found;
        Walk(argument, walked, found);
        std::sort(found.begin(), found.end(),
                  [](const EachFile& a, const EachFile& b) { return a.path < b.path; });
        files.insert(files.end(), found.begin(), found.end());
    }
    return files;
}
