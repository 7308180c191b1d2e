// Fault and bad-input cases of the real launcher: runs the tests named on the
// command line.

#include "check.h"

int main(int argc, char** argv) { return kr2::e2e::RunAllTests(argc, argv); }
