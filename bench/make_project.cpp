// Writes a project of the benchmarks' mixed history, for measuring whole
// programs on it: vy_make_project ACTIONS FILE.
#include <cstdio>
#include <cstdlib>

#include "bench/bench_histories.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vy_make_project ACTIONS FILE\n");
        return 2;
    }
    CVylEditActionGroup history;
    FillMixedHistory(history, std::atoi(argv[1]));
    if (!history.EditActionGroupToFile(argv[2])) {
        std::fprintf(stderr, "vy_make_project: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
