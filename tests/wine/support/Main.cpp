// The Windows-side tests' entry point. Started as "<test> --viewer [--swallow]", a test executable
// is instead a clipboard viewer of its own process for another test (ViewerProcess).
#include <gtest/gtest.h>

#include <cstring>

#include "tests/wine/support/Harness.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--viewer") == 0)
        return harness::RunViewer(argc > 2 && std::strcmp(argv[2], "--swallow") == 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
