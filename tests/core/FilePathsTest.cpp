#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "report/ReportFile.h"
#include "support/TestFiles.h"
#include "track/FilePaths.h"
#include "track/TrackSectionList.h"

// A folder deeper than MAX_PATH (260 characters) holds a track that is written, replaced and
// read again.
TEST(FilePaths, FilesInAFolderDeeperThanMaxPath) {
    TempFile top("");
    std::string folder = top.Dir();
    for (char letter = 'a'; folder.size() <= 300; ++letter) {
        folder += "/" + std::string(60, letter);
        ASSERT_TRUE(std::filesystem::create_directory(PathFromUtf8(folder))) << folder.size();
    }
    const std::string track = folder + "/walk.plt";
    ASSERT_TRUE(WriteFile(track, Header() + "46.5,8.2,0,1000,45000.5\n"));
    ASSERT_TRUE(WriteFile(track, Header() + "46.5,8.2,0,1000,45000.5\n46.6,8.3,0,1010,45000.6\n"));
    TrackSectionList list;
    ASSERT_EQ(list.LoadTrackFile(track).status, ReadStatus::Ok);
    EXPECT_EQ(list[0].points.GetSize(), 2u);
}

#ifdef _WIN32
TEST(FilePaths, ALongPathIsAbsoluteTidiedAndPrefixedAShortOneStaysAsItIs) {
    const std::string folders =
        std::string(100, 'a') + "/" + std::string(100, 'b') + "/" + std::string(100, 'c');
    const std::wstring wideFolders =
        std::wstring(100, L'a') + L"\\" + std::wstring(100, L'b') + L"\\" + std::wstring(100, L'c');
    const std::wstring current = std::filesystem::current_path().native();
    const struct {
        std::string name;
        std::wstring path;
    } cases[] = {
        {"C:/" + folders + "/x/../walk.plt", L"\\\\?\\C:\\" + wideFolders + L"\\walk.plt"},
        {"//server/share/" + folders, L"\\\\?\\UNC\\server\\share\\" + wideFolders},
        {folders + "/./walk.plt", L"\\\\?\\" + current + L"\\" + wideFolders + L"\\walk.plt"},
        {"\\\\?\\C:\\" + std::string(300, 'd'), L"\\\\?\\C:\\" + std::wstring(300, L'd')},
        {"walk.plt", L"walk.plt"},
        {"C:/x/../walk.plt", L"C:/x/../walk.plt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PathFromUtf8(c.name).native(), c.path) << c.name;
    }
    EXPECT_EQ(Utf8FromPath(PathFromUtf8("//server/share/" + folders)),
              "\\\\server\\share\\" + Utf8FromPath(wideFolders));
    EXPECT_EQ(Utf8FromPath(PathFromUtf8("C:/" + folders)), "C:\\" + Utf8FromPath(wideFolders));
}
#endif
