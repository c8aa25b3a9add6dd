#include "numerics/path_extensions.h"

#include <gtest/gtest.h>

TEST(PathExtensions, ShorthandsBuildTheSameElementsAsThePathsOwnSteps)
{
    gfx::Path shorthand;
    shorthand.moveTo({0, 0});
    kestrane::addLineTo(shorthand, 3, 4);
    kestrane::addRoundedRect(shorthand, gfx::Rect(10, 10, 20, 8), 6);

    gfx::Path explicitSteps;
    explicitSteps.moveTo({0, 0});
    explicitSteps.addLineTo({3, 4});
    explicitSteps.addRoundedRect(gfx::Rect(10, 10, 20, 8), 6, 6);

    EXPECT_EQ(shorthand, explicitSteps);
    EXPECT_EQ(shorthand.boundingBox(), gfx::Rect(0, 0, 30, 18));
}
