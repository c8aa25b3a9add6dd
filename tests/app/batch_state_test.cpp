#include <gtest/gtest.h>

#include "app/batch/batch_state.h"

namespace {

using vistrel::BatchState;
namespace batch_state = vistrel::batch_state;

TEST(BatchStateTest, RawValuesOutsideTheFiveGiveNoState)
{
    EXPECT_EQ(batch_state::fromRawValue(4), BatchState::complete);
    EXPECT_EQ(batch_state::fromRawValue(0), BatchState::pending);
    EXPECT_EQ(batch_state::fromRawValue(5), std::nullopt);
    EXPECT_EQ(batch_state::fromRawValue(-1), std::nullopt);
    EXPECT_EQ(batch_state::rawValue(BatchState::stopped), 2);
}

TEST(BatchStateTest, DescriptionsComeFromTheApplicationsStrings)
{
    EXPECT_EQ(batch_state::localizedDescription(BatchState::cancelled), "Cancelled");
    EXPECT_EQ(batch_state::upperName(BatchState::processing), "PROCESSING");
    EXPECT_TRUE(batch_state::isFinished(BatchState::cancelled));
    EXPECT_FALSE(batch_state::isFinished(BatchState::stopped));
}

}  // namespace
