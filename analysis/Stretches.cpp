// The three stretch searches on their own; each adds its flag to the stretch it finds, to
// the flags already there.

#include "analysis/StretchSearch.h"
#include "analysis/TrackSums.h"
#include "track/TrackSection.h"

namespace {

template <typename Search>
double FindAndMark(GrowArray<TrackPoint>& points, int32_t flag) {
    Search search;
    sums::Run(points, search);
    stretch::Mark(points.GetData(), search.Found(), flag);
    return search.Found().best;
}

}  // namespace

double TrackSection::FindFastest() {
    return FindAndMark<stretch::FastestSearch>(points, FlagFastest);  // metres per day
}

double TrackSection::FindSteepestAscent() {
    return FindAndMark<stretch::SteepestAscentSearch>(points, FlagSteepestAscent);
}

double TrackSection::FindSteepestDescent() {
    return FindAndMark<stretch::SteepestDescentSearch>(points, FlagSteepestDescent);
}
