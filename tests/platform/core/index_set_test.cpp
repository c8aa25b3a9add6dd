#include "platform/core/index_set.h"

#include <gtest/gtest.h>

using core::IndexSet;
using Ranges = std::vector<IndexSet::Range>;

TEST(IndexSet, InsertionsMergeTouchingAndOverlappingRanges)
{
    IndexSet set{5, 1, 3};
    EXPECT_EQ(set.ranges(), (Ranges{{1, 2}, {3, 4}, {5, 6}}));
    set.insert(2);
    EXPECT_EQ(set.ranges(), (Ranges{{1, 4}, {5, 6}}));
    set.insert(4);
    EXPECT_EQ(set.ranges(), (Ranges{{1, 6}}));
    set.insertRange(10, 12);
    set.insertRange(0, 11);
    EXPECT_EQ(set.ranges(), (Ranges{{0, 12}}));
    EXPECT_EQ(set.count(), 12u);
    set.insertRange(3, 3);
    EXPECT_EQ(set.count(), 12u);
}

TEST(IndexSet, RemovalsSplitRanges)
{
    IndexSet set = IndexSet::inRange(0, 10);
    set.remove(4);
    set.removeRange(7, 9);
    EXPECT_EQ(set.ranges(), (Ranges{{0, 4}, {5, 7}, {9, 10}}));
    EXPECT_EQ(set.indexes(), (std::vector<IndexSet::Index>{0, 1, 2, 3, 5, 6, 9}));
    set.removeRange(-5, 6);
    EXPECT_EQ(set.ranges(), (Ranges{{6, 7}, {9, 10}}));
    set.remove(100);
    EXPECT_EQ(set.count(), 2u);
    set.removeAll();
    EXPECT_TRUE(set.isEmpty());
    EXPECT_FALSE(set.first());
}

TEST(IndexSet, QueriesAndSetAlgebra)
{
    const IndexSet a{1, 2, 3, 8, 9};
    const IndexSet b{3, 4, 9, 20};
    EXPECT_TRUE(a.contains(8));
    EXPECT_FALSE(a.contains(4));
    EXPECT_FALSE(a.contains(-1));
    EXPECT_EQ(a.first(), 1);
    EXPECT_EQ(a.last(), 9);
    EXPECT_EQ(a.unioned(b), (IndexSet{1, 2, 3, 4, 8, 9, 20}));
    EXPECT_EQ(a.intersection(b), (IndexSet{3, 9}));
    EXPECT_EQ(IndexSet{}.intersection(a), IndexSet{});
    EXPECT_EQ(IndexSet::inRange(4, 2), IndexSet{});
    EXPECT_EQ((IndexSet{2, 1}), (IndexSet{1, 2}));
    EXPECT_NE((IndexSet{1}), (IndexSet{1, 2}));
}
