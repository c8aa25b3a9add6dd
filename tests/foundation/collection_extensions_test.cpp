#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

#include "foundation/array_extensions.h"
#include "foundation/bool_operators.h"
#include "foundation/character_extensions.h"
#include "foundation/index_set_extensions.h"
#include "foundation/number_extensions.h"

using core::IndexSet;
using namespace kestrane;
using Strings = std::vector<std::string>;

TEST(IndexSetExtensions, SpansToggleAndSingles)
{
    EXPECT_EQ(indexSet(7, 3), (IndexSet{3, 4, 5, 6, 7}));
    EXPECT_EQ(indexSet(3, 7), indexSet(7, 3));
    EXPECT_EQ(indexSet(4, 4), IndexSet{4});
    EXPECT_FALSE(singleIndex(IndexSet{}));
    EXPECT_FALSE(singleIndex(IndexSet{1, 2}));
    EXPECT_EQ(singleIndex(IndexSet{5}), 5);
    EXPECT_TRUE(isSingle(IndexSet{5}));

    IndexSet selection{1, 2, 3};
    toggle(selection, 2);
    EXPECT_EQ(selection, (IndexSet{1, 3}));
    toggle(selection, 2);
    EXPECT_EQ(selection, (IndexSet{1, 2, 3}));
    const IndexSet original{1};
    EXPECT_EQ(toggling(original, 1), IndexSet{});
    EXPECT_EQ(inserting(original, 4), (IndexSet{1, 4}));
    EXPECT_EQ(removing(original, 1), IndexSet{});
    EXPECT_EQ(original, IndexSet{1}) << "the copying forms leave the set alone";
}

TEST(ArrayExtensions, MovingUpAndDown)
{
    Strings items{"a", "b", "c"};
    EXPECT_FALSE(moveUp(items, 0));
    EXPECT_FALSE(moveDown(items, 2));
    EXPECT_FALSE(moveUp(items, 3));
    EXPECT_FALSE(moveDown(items, -1));
    EXPECT_EQ(items, (Strings{"a", "b", "c"}));
    EXPECT_TRUE(moveDown(items, 0));
    EXPECT_EQ(items, (Strings{"b", "a", "c"}));
    EXPECT_TRUE(moveUp(items, 2));
    EXPECT_EQ(items, (Strings{"b", "c", "a"}));
    kestrane::swap(items, 0, 2);
    EXPECT_EQ(items, (Strings{"a", "c", "b"}));
    kestrane::swap(items, 0, 9);
    EXPECT_EQ(items, (Strings{"a", "c", "b"}));
}

TEST(ArrayExtensions, IndexSetsPickAndRemove)
{
    const Strings items{"a", "b", "c", "d"};
    EXPECT_EQ(subscript(items, IndexSet{3, 0}), (Strings{"a", "d"}));
    EXPECT_EQ(subscript(items, IndexSet{-1, 1, 4}), (Strings{"b"}));
    Strings edited = items;
    removeAt(edited, IndexSet{0, 2});
    EXPECT_EQ(edited, (Strings{"b", "d"}));
    removeAt(edited, IndexSet{5, -2});
    EXPECT_EQ(edited, (Strings{"b", "d"}));
    EXPECT_EQ(safeAccess(items, 1), "b");
    EXPECT_FALSE(safeAccess(items, 4));
    EXPECT_FALSE(safeAccess(items, -1));
}

TEST(ArrayExtensions, RemoveWhereTakesTheFirstMatchAndSurvivesThrowingPredicates)
{
    std::vector<int> numbers{1, 2, 3, 2};
    EXPECT_EQ(removeWhere(numbers, [](int n) { return n == 2; }), 2);
    EXPECT_EQ(numbers, (std::vector<int>{1, 3, 2}));
    EXPECT_FALSE(removeWhere(numbers, [](int n) { return n == 9; }));
    EXPECT_THROW(removeWhere(numbers,
                             [](int n) -> bool {
                                 if (n == 3) throw std::runtime_error("no");
                                 return false;
                             }),
                 std::runtime_error);
    EXPECT_EQ(numbers, (std::vector<int>{1, 3, 2}));
}

TEST(ArrayExtensions, CopyFromPointer)
{
    const int raw[] = {4, 5, 6};
    EXPECT_EQ(arrayFrom(raw, 2), (std::vector<int>{4, 5}));
    EXPECT_TRUE(arrayFrom(raw, -1).empty());
    EXPECT_TRUE(arrayFrom<int>(nullptr, 3).empty());
}

TEST(NumberExtensions, DigitsAndCompoundFlags)
{
    EXPECT_EQ(intValue(U'7'), 7);
    EXPECT_FALSE(intValue(U'x'));
    EXPECT_FALSE(intValue(U'-'));

    int evaluated = 0;
    const auto check = [&](bool result) {
        ++evaluated;
        return result;
    };
    bool flag = false;
    andAssign(flag, check(true));
    EXPECT_FALSE(flag);
    flag = true;
    orAssign(flag, check(false));
    EXPECT_TRUE(flag);
    EXPECT_EQ(evaluated, 2) << "the right-hand side is evaluated whatever the flag";
}

TEST(NumberExtensions, CGFloatNumbers)
{
    EXPECT_EQ(cgfloatValue(initWithCgfloat(2.5)), 2.5);
    EXPECT_EQ(cgfloatValue(core::Value(3)), 3.0);
    EXPECT_FALSE(cgfloatValue(core::Value("2.5")));
}
