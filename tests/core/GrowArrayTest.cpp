#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "track/GrowArray.h"
#include "track/TrackSectionList.h"

TEST(GrowArray, FirstGrowthsAllocateOneThenFive) {
    GrowArray<TrackPoint> points;
    points.SetSize(1);
    EXPECT_EQ(points.GetCapacity(), 1u);
    points.SetSize(2);
    EXPECT_EQ(points.GetCapacity(), 5u);  // step 4, the smallest
}

TEST(GrowArray, StepIsAnEighthOfTheSizeWithinFourAnd1024) {
    GrowArray<TrackPoint> points;
    points.SetSize(80);
    EXPECT_EQ(points.GetCapacity(), 80u);
    points.SetSize(81);
    EXPECT_EQ(points.GetCapacity(), 90u);

    points.RemoveAll();
    points.SetSize(9000);
    points.SetSize(9001);
    EXPECT_EQ(points.GetCapacity(), 10024u);  // 9000 / 8 = 1125, capped at 1024

    points.SetSize(20000);  // beyond capacity + step: exactly what is asked
    EXPECT_EQ(points.GetCapacity(), 20000u);
}

TEST(GrowArray, AppendingOneByOneFollowsTheStepRule) {
    GrowArray<TrackPoint> points;
    for (std::size_t size = 0; size < 30000; ++size) {
        const std::size_t before = points.GetCapacity();
        points.Add().time = static_cast<double>(size);
        if (points.GetCapacity() != before) {
            const std::size_t expected =
                before == 0 ? 1 : before + std::clamp<std::size_t>(size / 8, 4, 1024);
            ASSERT_EQ(points.GetCapacity(), expected) << "at size " << size;
        }
    }
    for (std::size_t i = 0; i < points.GetSize(); ++i) {
        ASSERT_EQ(points[i].time, static_cast<double>(i));
    }
}

TEST(GrowArray, NewElementsAreZeroAndShrinkingKeepsCapacity) {
    GrowArray<TrackPoint> points;
    points.SetSize(3);
    points[2].state = 7;
    points[2].altitude = 5.0;
    points.SetSize(2);
    EXPECT_EQ(points.GetCapacity(), 3u);
    points.SetSize(3);  // recreated, not the old value
    EXPECT_EQ(points[2].state, 0);
    EXPECT_EQ(points[2].altitude, 0.0);
    EXPECT_EQ(points[2].distance, 0.0);
    EXPECT_EQ(points[2].flags, 0);
}

TEST(GrowArray, SizeZeroReleasesStorage) {
    GrowArray<TrackPoint> points;
    points.SetSize(10);
    points.SetSize(0);
    EXPECT_EQ(points.GetCapacity(), 0u);
    EXPECT_EQ(points.GetData(), nullptr);
    points.SetSize(2);  // starts afresh with exactly what is asked
    EXPECT_EQ(points.GetCapacity(), 2u);
}

TEST(GrowArray, AppendCopiesGrowsByTheSameRule) {
    GrowArray<TrackPoint> source;
    source.SetSize(3);
    source[1].altitude = 7.0;
    GrowArray<TrackPoint> points;
    points.Append(source.GetData(), 3);
    EXPECT_EQ(points.GetCapacity(), 3u);
    points.Append(source.GetData(), 1);
    EXPECT_EQ(points.GetCapacity(), 7u);
    EXPECT_EQ(points.GetSize(), 4u);
    EXPECT_EQ(points[1].altitude, 7.0);
}

TEST(GrowArray, SectionsKeepTheirNamesAndAddressesAcrossGrowth) {
    TrackSectionList sections;
    sections.Add().name = "Walk";
    TrackSection* first = &sections[0];
    for (int i = 0; i < 5000; ++i) {
        sections.Add().name = "+^+";
    }
    sections[0].points.Add().altitude = 3.0;
    EXPECT_EQ(&sections[0], first);
    EXPECT_EQ(sections[0].name, "Walk");
    EXPECT_EQ(sections[0].points[0].altitude, 3.0);
    EXPECT_EQ(sections[5000].name, "+^+");
    EXPECT_EQ(sections.GetCapacity(), 5419u);  // the same steps as for points
}

TEST(GrowArray, LargeArraysKeepTheirElementsAcrossEveryKindOfGrowth) {
    GrowArray<TrackPoint> points;
    for (std::size_t i = 0; i < 20000; ++i) {  // beyond 1 MiB: from the heap into a reservation
        points.Add().time = static_cast<double>(i);
    }
    points.SetSize(1300000);  // beyond the first reservation: moved into a larger one
    EXPECT_EQ(points.GetCapacity(), 1300000u);
    points.Add().altitude = 5.0;
    EXPECT_EQ(points.GetCapacity(), 1301024u);
    GrowArray<TrackPoint> moved(std::move(points));
    EXPECT_EQ(moved[19999].time, 19999.0);
    EXPECT_EQ(moved[20000].time, 0.0);
    EXPECT_EQ(moved[1299999].time, 0.0);
    EXPECT_EQ(moved[1300000].altitude, 5.0);
    points = std::move(moved);
    EXPECT_EQ(points[19999].time, 19999.0);
    points.RemoveAll();
    EXPECT_EQ(points.GetData(), nullptr);
}
