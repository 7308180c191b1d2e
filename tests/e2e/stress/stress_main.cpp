// The soak and high-DPI driver: runs the tests named on the command line.

#include "check.h"

int main(int argc, char** argv) { return kr2::e2e::RunAllTests(argc, argv); }
