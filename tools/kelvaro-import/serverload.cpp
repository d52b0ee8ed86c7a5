#include "serverload.h"

#include <cstdio>

int runServerLoad(int, char **) {
    std::fputs("kelvaro-import: --mysql is not available in this build\n", stderr);
    return 2;
}
