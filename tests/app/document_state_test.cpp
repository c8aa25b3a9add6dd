#include <gtest/gtest.h>

#include "app/document/document_state.h"

namespace {

using vistrel::DocumentState;

std::optional<DocumentState> named(const std::string& raw)
{
    return vistrel::fromRawValue(std::type_identity<DocumentState>{}, raw);
}

TEST(DocumentState, RawValuesAreCaseSensitiveAndOnlyLongWorkIsBusy)
{
    for (auto state : {DocumentState::snapping, DocumentState::selecting, DocumentState::exporting,
                       DocumentState::restoring, DocumentState::generating})
        EXPECT_EQ(named(vistrel::rawValue(state)), state);
    EXPECT_EQ(named("Selecting"), DocumentState::selecting);
    EXPECT_EQ(named("selecting"), std::nullopt);
    EXPECT_FALSE(vistrel::isBusy(DocumentState::snapping));
    EXPECT_FALSE(vistrel::isBusy(DocumentState::selecting));
    EXPECT_TRUE(vistrel::isBusy(DocumentState::restoring));
    EXPECT_EQ(vistrel::localizedTitle(DocumentState::generating), "Generating");
}

}  // namespace
