// Kelvaro, online edition: chapter texts come from the server and are cached locally.
#include "app/program.h"

int main(int argc, char **argv) {
    return runKelvaro(argc, argv, true);
}
