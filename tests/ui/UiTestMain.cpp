// The toolkit's test program; started with the second-viewer flag it plays another running
// copy of the viewer for the named-mutex test instead.
#include "support/UiTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], secondViewerFlag) == 0) {
        return runSecondViewer();
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
