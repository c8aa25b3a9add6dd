// A snap keeps its time exactly and its edition through its archive, never its image; damaged archives give
// no snap.
#include <gtest/gtest.h>

#include <random>

#include "app/document/snap_item.h"
#include "foundation/coder_archiving.h"
#include "platform/core/keyed_archiver.h"
#include "platform/media/time_coding.h"

namespace {

using vistrel::SnapItem;

orvalis::Edition turnedAndFlipped() { return {kestrane::Orientation::left, true, false}; }

std::shared_ptr<SnapItem> roundTrip(const std::shared_ptr<SnapItem>& item)
{
    return kestrane::keyedUnarchive<SnapItem>(kestrane::keyedArchive(item));
}

// An archive of an object of class "SnapItem" whose fields are written by `fields`.
class RawSnap : public core::Coding {
public:
    explicit RawSnap(std::function<void(core::KeyedArchiver&)> fields) : fields_(std::move(fields)) {}
    std::string className() const override { return SnapItem::codingClassName; }
    void encode(core::KeyedArchiver& coder) const override { fields_(coder); }

private:
    std::function<void(core::KeyedArchiver&)> fields_;
};

std::shared_ptr<SnapItem> decodeRaw(std::function<void(core::KeyedArchiver&)> fields)
{
    return kestrane::keyedUnarchive<SnapItem>(kestrane::keyedArchive(std::make_shared<RawSnap>(std::move(fields))));
}

TEST(SnapItem, ArchivesItsTimeAndEditionButNotItsImage)
{
    // 1001/30000 s: a time that seconds would round.
    auto item = SnapItem::create(media::Time::make(1001, 30000), turnedAndFlipped());
    item->setImage(gfx::Image::create(2, 2, std::vector<gfx::Pixel>(4, 0xFF0000FF)));
    const auto back = roundTrip(item);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->time().value, 1001);
    EXPECT_EQ(back->time().timescale, 30000);
    EXPECT_EQ(back->time().flags, item->time().flags);
    EXPECT_EQ(back->edition(), turnedAndFlipped());
    EXPECT_FALSE(back->image());
    EXPECT_NE(back, item);

    const auto vertical = roundTrip(SnapItem::create(media::Time::zero(), {kestrane::Orientation::down, false, true}));
    ASSERT_TRUE(vertical);
    EXPECT_EQ(vertical->edition(), (orvalis::Edition{kestrane::Orientation::down, false, true}));
}

TEST(SnapItem, AnArchiveWithoutAUsableEditionOrTimeGivesNoSnap)
{
    const auto edition = turnedAndFlipped();
    const auto time = media::Time::make(3, 1);
    EXPECT_TRUE(decodeRaw([&](core::KeyedArchiver& coder) {
        media::encodeTime(coder, "time", time);
        kestrane::encodeCodableStruct(coder, edition, "edition");
    }));
    EXPECT_FALSE(decodeRaw([&](core::KeyedArchiver& coder) { media::encodeTime(coder, "time", time); }))
        << "no edition";
    EXPECT_FALSE(decodeRaw([&](core::KeyedArchiver& coder) {
        media::encodeTime(coder, "time", time);
        coder.encodeString("edition", "up");
    })) << "an edition of another kind";
    EXPECT_FALSE(decodeRaw([&](core::KeyedArchiver& coder) {
        media::encodeTime(coder, "time", time);
        coder.encodeObject("edition", std::make_shared<RawSnap>(
                                          [](core::KeyedArchiver& inner) { inner.encodeInt64("orientation", 7); }));
    })) << "an edition that names no orientation";
    EXPECT_FALSE(decodeRaw([&](core::KeyedArchiver& coder) {
        kestrane::encodeCodableStruct(coder, edition, "edition");
    })) << "no time";
    EXPECT_FALSE(decodeRaw([&](core::KeyedArchiver& coder) {
        media::encodeTime(coder, "time", media::Time::invalid());
        kestrane::encodeCodableStruct(coder, edition, "edition");
    })) << "a time that is no number";
}

TEST(SnapItem, EmptyTruncatedOrRandomBytesGiveNoSnap)
{
    const core::Data good = kestrane::keyedArchive(SnapItem::create(media::Time::make(75, 1), turnedAndFlipped()));
    EXPECT_FALSE(kestrane::keyedUnarchive<SnapItem>(core::Data{}));
    for (std::size_t length = 0; length < good.size(); ++length)
        EXPECT_FALSE(
            kestrane::keyedUnarchive<SnapItem>(core::Data(good.begin(), good.begin() + std::ptrdiff_t(length))))
            << "cut at " << length;
    std::mt19937 random(14);
    for (int round = 0; round < 200; ++round) {
        core::Data noise(std::size_t(random() % 200));
        for (auto& byte : noise)
            byte = std::uint8_t(random());
        EXPECT_FALSE(kestrane::keyedUnarchive<SnapItem>(noise));
    }
    // Bytes of the good archive changed one at a time give a snap or none, and a snap is a whole one.
    for (std::size_t at = 0; at < good.size(); ++at) {
        core::Data changed = good;
        changed[at] ^= 0x5A;
        if (const auto item = kestrane::keyedUnarchive<SnapItem>(changed)) {
            EXPECT_TRUE(item->time().isNumeric());
        }
    }
}

TEST(SnapItem, DescribesItsTimeToTheMillisecond)
{
    EXPECT_EQ(SnapItem::create(media::Time::zero(), {})->description(), "SnapItem<time: 00:00:00:000>");
    EXPECT_EQ(SnapItem::create(media::Time::make(151, 2), {})->description(), "SnapItem<time: 00:01:15:500>");
}

}  // namespace
