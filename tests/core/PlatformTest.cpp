// Warnings reach the handler of the thread that shows them, else the process-wide one.

#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/TestFiles.h"
#include "track/TrackSection.h"

TEST(Platform, ThreadHandlersTakeTheirOwnThreadsWarningsOnly) {
    WarningRecorder process;
    std::vector<std::string> seen(2);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < seen.size(); ++t) {
        threads.emplace_back([&seen, t] {
            SetThreadWarningHandler([&](const std::string& text) { seen[t] += text; });
            for (int i = 0; i < 200; ++i) {
                TrackSectionList().LoadTrackFile("/nonexistent/" + std::to_string(t));
            }
            SetThreadWarningHandler({});
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    std::string expected0;
    for (int i = 0; i < 200; ++i) {
        expected0 += "Error opening file: /nonexistent/0";
    }
    EXPECT_EQ(seen[0], expected0);
    EXPECT_EQ(seen[1].size(), expected0.size());
    EXPECT_EQ(seen[1].find("/0"), std::string::npos);
    EXPECT_TRUE(process.messages.empty());
    ShowWarning("main");  // no thread handler here
    EXPECT_EQ(process.messages, std::vector<std::string>{"main"});
}
