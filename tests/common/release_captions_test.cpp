#include "common/release_captions.h"

#include <gtest/gtest.h>

namespace {

TEST(ReleaseCaptions, NameThisReleaseAndSystem)
{
    EXPECT_EQ(versionCaption(), "Version 1.2.65");
#if defined(Q_OS_LINUX)
    EXPECT_EQ(platformCaption(), "Linux Platform");
#endif
}

} // namespace
