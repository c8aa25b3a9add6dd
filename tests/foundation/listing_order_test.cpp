// Names list as file managers list them: numbers by their value, letters without regard to case.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/listing_order.h"

namespace {

TEST(ListingOrder, NumbersCompareByValueAndLettersWithoutCase)
{
    std::vector<std::string> names{"clip100",
                                   "Clip10",
                                   "clip2",
                                   "clip1",
                                   "CLIP1a",
                                   "clip",
                                   "a20b3",
                                   "a20b10",
                                   "x99999999999999999999999",
                                   "x100000000000000000000000",
                                   "Éclair",
                                   "eclair"};
    std::sort(names.begin(), names.end(), kestrane::listsBefore);
    EXPECT_EQ(names,
              (std::vector<std::string>{"a20b3", "a20b10", "clip", "clip1", "CLIP1a", "clip2", "Clip10", "clip100",
                                        "eclair", "x99999999999999999999999", "x100000000000000000000000", "Éclair"}));
}

TEST(ListingOrder, NamesThatTieStillHaveOneOrder)
{
    // Equal only when the same; otherwise a fixed, antisymmetric answer.
    EXPECT_EQ(kestrane::compareListingNames("clip2", "clip2"), 0);
    EXPECT_EQ(kestrane::compareListingNames("", ""), 0);
    for (const auto& [a, b] : std::vector<std::pair<std::string, std::string>>{
             {"clip02", "clip2"}, {"Clip", "clip"}, {"", "0"}, {"0", "00"}, {"a0", "a"}}) {
        const int forth = kestrane::compareListingNames(a, b);
        EXPECT_NE(forth, 0) << a << " " << b;
        EXPECT_EQ(kestrane::compareListingNames(b, a), -forth) << a << " " << b;
    }
    EXPECT_LT(kestrane::compareListingNames("clip9", "clip010"), 0);
}

}  // namespace
