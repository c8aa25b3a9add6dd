#include "foundation/coder_archiving.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "numerics/orientation.h"

namespace demo {

enum class Turn { up = 0, right = 1, down = 2, left = 3 };
inline std::int64_t rawValue(Turn turn) { return static_cast<std::int64_t>(turn); }
inline std::optional<Turn> fromRawValue(std::type_identity<Turn>, std::int64_t raw)
{
    if (raw < 0 || raw > 3) return std::nullopt;
    return static_cast<Turn>(raw);
}

enum class Sided { one = 1, two = 2 };  // no case with raw value 0
inline std::int64_t rawValue(Sided sided) { return static_cast<std::int64_t>(sided); }
inline std::optional<Sided> fromRawValue(std::type_identity<Sided>, std::int64_t raw)
{
    if (raw != 1 && raw != 2) return std::nullopt;
    return static_cast<Sided>(raw);
}

enum class Mode { fast, exact };
inline std::string rawValue(Mode mode) { return mode == Mode::fast ? "fast" : "exact"; }
inline std::optional<Mode> fromRawValue(std::type_identity<Mode>, const std::string& raw)
{
    if (raw == "fast") return Mode::fast;
    if (raw == "exact") return Mode::exact;
    return std::nullopt;
}

struct FlipState : core::Coding {
    std::string className() const override { return "FlipState"; }
    void encode(core::KeyedArchiver& archiver) const override { archiver.encodeBool("flipped", flipped); }
    bool flipped = false;
};

struct Flip {
    using CodingState = FlipState;
    Flip() = default;
    explicit Flip(const FlipState& state) : flipped(state.flipped) {}
    std::shared_ptr<FlipState> codingState() const
    {
        auto state = std::make_shared<FlipState>();
        state->flipped = flipped;
        return state;
    }
    bool flipped = false;
};

}  // namespace demo

static_assert(kestrane::IntEnum<demo::Turn>);
static_assert(kestrane::StringEnum<demo::Mode>);
static_assert(!kestrane::IntEnum<demo::Mode>);
static_assert(kestrane::CodableStruct<demo::Flip>);
static_assert(kestrane::IntEnum<kestrane::Orientation>);

namespace {

using Encode = std::function<void(core::KeyedArchiver&)>;
using Decode = std::function<void(core::KeyedUnarchiver&)>;

// Encodes through `encode` into an archive, then runs `decode` on what comes back.
struct Holder : core::Coding {
    std::string className() const override { return "CoderArchivingHolder"; }
    void encode(core::KeyedArchiver& archiver) const override { encoder(archiver); }
    Encode encoder;
};

void registerFlipState()
{
    core::CodingRegistry::add<demo::FlipState>("FlipState", [](core::KeyedUnarchiver& u) {
        auto state = std::make_shared<demo::FlipState>();
        state->flipped = u.decodeBool("flipped");
        return state;
    });
}

void roundTrip(Encode encode, Decode decode)
{
    registerFlipState();
    static Decode current;
    current = std::move(decode);
    core::CodingRegistry::add<Holder>("CoderArchivingHolder", [](core::KeyedUnarchiver& u) {
        current(u);
        return std::make_shared<Holder>();
    });
    auto holder = std::make_shared<Holder>();
    holder->encoder = std::move(encode);
    ASSERT_TRUE(kestrane::keyedUnarchive<Holder>(kestrane::keyedArchive(holder)));
}

}  // namespace

TEST(CoderArchiving, ValuesRoundTrip)
{
    const double real = 0.1 + 0.2;
    demo::Flip flip;
    flip.flipped = true;
    roundTrip(
        [&](core::KeyedArchiver& coder) {
            kestrane::encodeString(coder, "snap", "string");
            kestrane::encodeCGFloat(coder, real, "real");
            kestrane::encodeIntEnum(coder, demo::Turn::left, "turn");
            kestrane::encodeStringEnum(coder, demo::Mode::exact, "mode");
            kestrane::encodeCodableStruct(coder, flip, "flip");
            kestrane::encodeCodingObject(coder, flip.codingState(), "state");
        },
        [&](core::KeyedUnarchiver& coder) {
            EXPECT_EQ(kestrane::decodeStringForKey(coder, "string"), "snap");
            const double decoded = kestrane::decodeCGFloatForKey(coder, "real");
            EXPECT_EQ(std::memcmp(&decoded, &real, sizeof real), 0);
            EXPECT_EQ(kestrane::decodeIntEnumForKey<demo::Turn>(coder, "turn"), demo::Turn::left);
            EXPECT_EQ(kestrane::decodeStringForKey<demo::Mode>(coder, "mode"), demo::Mode::exact);
            const auto decodedFlip = kestrane::decodeCodableStructForKey<demo::Flip>(coder, "flip");
            ASSERT_TRUE(decodedFlip);
            EXPECT_TRUE(decodedFlip->flipped);
            const auto state = kestrane::decodeCodingObjectForKey<demo::FlipState>(coder, "state");
            ASSERT_TRUE(state);
            EXPECT_TRUE(state->flipped);
        });
}

TEST(CoderArchiving, OrientationsArchiveByRawValueAndAMissingOneReadsAsUp)
{
    roundTrip(
        [](core::KeyedArchiver& coder) {
            kestrane::encodeIntEnum(coder, kestrane::Orientation::left, "orientation");
            coder.encodeInt64("bad", 4);
        },
        [](core::KeyedUnarchiver& coder) {
            EXPECT_EQ(coder.decodeInt64("orientation"), 3);
            EXPECT_EQ(kestrane::decodeIntEnumForKey<kestrane::Orientation>(coder, "orientation"),
                      kestrane::Orientation::left);
            EXPECT_EQ(kestrane::decodeIntEnumForKey<kestrane::Orientation>(coder, "missing"),
                      kestrane::Orientation::up);
            EXPECT_EQ(kestrane::decodeIntEnumForKey<kestrane::Orientation>(coder, "bad"), std::nullopt);
        });
}

TEST(CoderArchiving, MissingKeysAndWrongKindsDecodeAsMissing)
{
    roundTrip(
        [](core::KeyedArchiver& coder) {
            kestrane::encodeString(coder, "not a state", "flip");
            coder.encodeInt64("string", 3);
            coder.encodeInt64("turn", 7);
            kestrane::encodeString(coder, "sideways", "mode");
            kestrane::encodeCodingObject(coder, std::make_shared<demo::FlipState>(), "holder");
        },
        [](core::KeyedUnarchiver& coder) {
            EXPECT_EQ(kestrane::decodeIntEnumForKey<demo::Turn>(coder, "never written"), demo::Turn::up);
            EXPECT_EQ(kestrane::decodeIntEnumForKey<demo::Sided>(coder, "never written"), std::nullopt);
            EXPECT_EQ(kestrane::decodeIntEnumForKey<demo::Turn>(coder, "turn"), std::nullopt);
            EXPECT_EQ(kestrane::decodeStringForKey<demo::Mode>(coder, "mode"), std::nullopt);
            EXPECT_EQ(kestrane::decodeStringForKey<demo::Mode>(coder, "never written"), std::nullopt);
            EXPECT_FALSE(kestrane::decodeCodableStructForKey<demo::Flip>(coder, "flip"));
            EXPECT_FALSE(kestrane::decodeCodableStructForKey<demo::Flip>(coder, "never written"));
            EXPECT_EQ(kestrane::decodeStringForKey(coder, "string"), std::nullopt);
            EXPECT_EQ(kestrane::decodeCGFloatForKey(coder, "never written"), 0.0);
            EXPECT_FALSE(kestrane::decodeCodingObjectForKey<Holder>(coder, "holder"));
        });
}

TEST(CoderArchiving, UnarchivingAnotherRootClassOrBadDataGivesNull)
{
    registerFlipState();
    auto state = std::make_shared<demo::FlipState>();
    const core::Data archive = kestrane::keyedArchive(state);
    EXPECT_TRUE(kestrane::keyedUnarchive<demo::FlipState>(archive));
    EXPECT_FALSE(kestrane::keyedUnarchive<Holder>(archive));
    EXPECT_FALSE(kestrane::keyedUnarchive<demo::FlipState>(core::Data()));
    EXPECT_FALSE(kestrane::keyedUnarchive<demo::FlipState>(core::Data(archive.begin(), archive.end() - 1)));
    EXPECT_FALSE(kestrane::keyedUnarchive<demo::FlipState>(core::dataFromString("bplist00 not ours")));
}
