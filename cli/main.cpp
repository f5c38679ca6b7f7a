// Prints the sections of track files and their measurements.

#include <cstdio>
#include <iostream>
#include <string>

#include "track/Platform.h"
#include "track/TrackSection.h"

int main(int argc, char** argv) {
    SetWarningHandler([](const std::string& text) { std::cerr << text << '\n'; });
    TrackSectionList sections;
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        const ReadStatus read =
            i == 1 ? sections.LoadTrackFile(argv[i]) : sections.ReadTrackFile(argv[i]);
        status = read == ReadStatus::Ok ? status : 1;
    }
    for (std::size_t i = 0; i < sections.GetSize(); ++i) {
        const TrackSection& s = sections[i];
        std::printf("%zu  %-20s points %zu  begin %.7f  end %.7f  2D %.3f m  3D %.3f m\n", i,
                    s.name.c_str(), s.points.GetSize(), s.GetBeginTime(), s.GetEndTime(),
                    s.GetLength2D(), s.GetLength3D());
    }
    return status;
}
