// Writes the generated FIT file of the given number of records (if not there yet) and prints
// its path, for whole-process comparisons with other programs.

#include <cstdio>
#include <cstdlib>

#include "BenchData.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: pelorin_make_fit RECORDS\n", stderr);
        return 2;
    }
    std::puts(GeneratedFitFile(std::strtoul(argv[1], nullptr, 10)).c_str());
    return 0;
}
