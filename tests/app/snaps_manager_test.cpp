// The snaps manager keeps its list and selection in order, announces each change once with what changed, and
// never lets a position outside the list into its selection.
#include <gtest/gtest.h>

#include <any>
#include <string>
#include <vector>

#include "app/document/defaults_keys.h"
#include "app/document/snaps_manager.h"
#include "moviekit/movie.h"
#include "tests/app/snaps_strip_fixture.h"

namespace {

using vistrel::SnapItems;
using vistrel::SnapsManager;

// What an observer heard: the notification's name and its user info, as indexes or as the items.
class Recorder : public core::Object, public vistrel::SnapsManagerObserver {
public:
    struct Heard {
        std::string name;
        std::vector<std::int64_t> indexes;
        SnapItems items;
        // The list as the observer saw it while the notification was delivered.
        std::size_t count = 0;
    };
    std::vector<Heard> heard;
    std::shared_ptr<SnapsManager> manager;

    void snapsManagerDidAppendItems(const core::Notification& n) override
    {
        heard.push_back({n.name, {}, std::any_cast<SnapItems>(n.userInfo.at(vistrel::SnapsItemsKey)), count()});
    }
    void snapsManagerDidRemoveItems(const core::Notification& n) override { record(n); }
    void snapsManagerDidChangeSelection(const core::Notification& n) override { record(n); }

private:
    std::size_t count() const { return manager ? manager->items().size() : 0; }
    void record(const core::Notification& n)
    {
        heard.push_back(
            {n.name, std::any_cast<core::IndexSet>(n.userInfo.at(vistrel::SnapsIndexesKey)).indexes(), {}, count()});
    }
};

struct Model {
    std::shared_ptr<SnapsManager> manager =
        SnapsManager::create(orvalis::Movie::create(core::Url::fileURL("/nowhere/movie.mp4")));
    std::shared_ptr<Recorder> recorder = core::make<Recorder>();
    explicit Model(int count)
    {
        manager->append(snapstest::snaps(count));
        recorder->manager = manager;
        manager->addObserver(recorder);
    }
    std::vector<std::int64_t> selection() const { return manager->selection().indexes(); }
};

using Indexes = std::vector<std::int64_t>;

TEST(SnapsManager, AppendsInOrderAndAnnouncesTheNewItemsOnce)
{
    Model model(3);
    const SnapItems two = snapstest::snaps(2);
    model.manager->append(two);
    ASSERT_EQ(model.recorder->heard.size(), 1u);
    const auto& heard = model.recorder->heard[0];
    EXPECT_EQ(heard.name, vistrel::SnapsManagerDidAppendItemsNotification);
    EXPECT_EQ(heard.items, two);
    EXPECT_EQ(heard.count, 5u) << "the list is longer before observers hear of it";
    EXPECT_EQ(model.manager->items()[3], two[0]);
    EXPECT_EQ(model.manager->items()[4], two[1]);

    model.manager->append({});
    ASSERT_EQ(model.recorder->heard.size(), 2u) << "an empty append is announced too";
    EXPECT_TRUE(model.recorder->heard[1].items.empty());
}

TEST(SnapsManager, SelectionChangesAreAnnouncedOnlyWhenTheyChangeSomething)
{
    Model model(5);
    auto& heard = model.recorder->heard;
    model.manager->deselectAll();
    model.manager->setSelection({});
    EXPECT_TRUE(heard.empty());

    model.manager->setSelection({1, 3});
    model.manager->setSelection({1, 3});
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].name, vistrel::SnapsManagerDidChangeSelectionNotification);
    EXPECT_EQ(heard[0].indexes, (Indexes{1, 3}));

    model.manager->changeSelection([](core::IndexSet& s) { s.insert(4); });
    EXPECT_EQ(heard.back().indexes, (Indexes{1, 3, 4}));
    EXPECT_EQ(model.manager->firstSelectedItem(), model.manager->items()[1]);
    EXPECT_EQ(model.manager->selectedItems(),
              (SnapItems{model.manager->items()[1], model.manager->items()[3], model.manager->items()[4]}));
    EXPECT_FALSE(model.manager->isSelectionSingle());

    model.manager->selectAll();
    EXPECT_TRUE(model.manager->isAllSelected());
    const auto count = heard.size();
    model.manager->selectAll();
    EXPECT_EQ(heard.size(), count) << "everything already selected";
    model.manager->deselectAll();
    EXPECT_TRUE(model.manager->isSelectionEmpty());
    EXPECT_EQ(model.manager->firstSelectedItem(), nullptr);
    EXPECT_EQ(heard.size(), count + 1);
}

TEST(SnapsManager, RemovingTheSelectionPostsOnlyTheRemoval)
{
    Model model(5);
    const SnapItems before = model.manager->items();
    model.manager->setSelection({1, 3});
    model.recorder->heard.clear();
    model.manager->removeSelection();
    EXPECT_EQ(model.manager->items(), (SnapItems{before[0], before[2], before[4]}));
    EXPECT_TRUE(model.manager->isSelectionEmpty());
    ASSERT_EQ(model.recorder->heard.size(), 1u);
    EXPECT_EQ(model.recorder->heard[0].name, vistrel::SnapsManagerDidRemoveItemsNotification);
    EXPECT_EQ(model.recorder->heard[0].indexes, (Indexes{1, 3})) << "positions counted before the removal";
    EXPECT_EQ(model.recorder->heard[0].count, 3u);

    model.manager->removeSelection();
    ASSERT_EQ(model.recorder->heard.size(), 2u) << "an empty removal is announced";
    EXPECT_TRUE(model.recorder->heard[1].indexes.empty());
    EXPECT_EQ(model.manager->items().size(), 3u);

    model.manager->removeAll();
    EXPECT_TRUE(model.manager->items().empty());
    EXPECT_EQ(model.recorder->heard.back().indexes, (Indexes{0, 1, 2}));
    model.manager->removeAll();
    EXPECT_TRUE(model.recorder->heard.back().indexes.empty());
    EXPECT_TRUE(model.manager->isAllSelected()) << "nothing of nothing";
}

TEST(SnapsManager, PositionsOutsideTheListAreIgnored)
{
    Model model(3);
    auto& heard = model.recorder->heard;
    model.manager->setSelection({1, 7});
    EXPECT_EQ(model.selection(), (Indexes{1}));
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].indexes, (Indexes{1}));
    model.manager->setSelection({1, 3, 9});
    EXPECT_EQ(heard.size(), 1u) << "the same selection once the strays are dropped";
    EXPECT_TRUE(model.manager->isSelectionSingle());

    const SnapItems before = model.manager->items();
    model.manager->removeAt({0, 9});
    EXPECT_EQ(model.manager->items(), (SnapItems{before[1], before[2]}));
    EXPECT_EQ(heard.back().indexes, (Indexes{0}));
    // The kept selected position 1 now lies at the end of a list of two: it stays within the list.
    EXPECT_EQ(model.selection(), (Indexes{1}));
    model.manager->removeAt({1});
    EXPECT_TRUE(model.manager->isSelectionEmpty()) << "no position beyond the shortened list";
    EXPECT_EQ(model.manager->firstSelectedItem(), nullptr);
    EXPECT_TRUE(model.manager->selectedItems().empty());
}

TEST(SnapsManager, ARemovedObserverHearsNothingMore)
{
    Model model(2);
    model.manager->removeObserver(model.recorder.get());
    model.manager->selectAll();
    model.manager->append(snapstest::snaps(1));
    EXPECT_TRUE(model.recorder->heard.empty());
    // An observer of another manager hears only that one.
    Model other(1);
    model.manager->addObserver(model.recorder);
    other.manager->selectAll();
    EXPECT_TRUE(model.recorder->heard.empty());
}

}  // namespace
