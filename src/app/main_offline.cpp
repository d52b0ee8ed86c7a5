// Kelvaro, offline edition: every chapter text comes from the local library files.
#include "app/program.h"

int main(int argc, char **argv) {
    return runKelvaro(argc, argv, false);
}
