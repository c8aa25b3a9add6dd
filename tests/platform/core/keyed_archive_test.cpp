#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <stdexcept>

#include "platform/core/error.h"
#include "platform/core/keyed_archiver.h"
#include "platform/core/keyed_unarchiver.h"

using core::Data;
using core::KeyedArchiver;
using core::KeyedUnarchiver;

namespace {

// Every kind of value, and objects below it.
class Sample : public core::Coding {
public:
    std::string className() const override { return "Sample"; }
    void encode(KeyedArchiver& archiver) const override
    {
        archiver.encodeInt64("int", integer);
        archiver.encodeDouble("double", real);
        archiver.encodeBool("bool", flag);
        archiver.encodeString("string", text);
        archiver.encodeData("data", bytes);
        archiver.encodeObject("child", child);
        archiver.encodeArray("children", children);
    }
    static std::shared_ptr<Sample> decode(KeyedUnarchiver& unarchiver)
    {
        auto sample = std::make_shared<Sample>();
        sample->integer = unarchiver.decodeInt64("int");
        sample->real = unarchiver.decodeDouble("double");
        sample->flag = unarchiver.decodeBool("bool");
        sample->text = unarchiver.decodeString("string").value_or("");
        sample->bytes = unarchiver.decodeData("data").value_or(Data());
        sample->child = unarchiver.decodeObject<Sample>("child");
        sample->children = unarchiver.decodeArray<Sample>("children").value_or(std::vector<std::shared_ptr<Sample>>());
        return sample;
    }

    std::int64_t integer = 0;
    double real = 0;
    bool flag = false;
    std::string text;
    Data bytes;
    std::shared_ptr<Sample> child;
    std::vector<std::shared_ptr<Sample>> children;
};

// A class that decodes only when its field is valid, and one that is never registered.
class Picky : public core::Coding {
public:
    std::string className() const override { return "Picky"; }
    void encode(KeyedArchiver& archiver) const override { archiver.encodeInt64("value", value); }
    std::int64_t value = 0;
};

class Unregistered : public core::Coding {
public:
    std::string className() const override { return "Unregistered"; }
    void encode(KeyedArchiver&) const override {}
};

// Refers to itself: cannot be archived.
class Looping : public core::Coding {
public:
    std::string className() const override { return "Looping"; }
    void encode(KeyedArchiver& archiver) const override { archiver.encodeObject("self", self.lock()); }
    std::weak_ptr<Looping> self;
};

struct KeyedArchiveTest : ::testing::Test {
    static void SetUpTestSuite()
    {
        core::CodingRegistry::add<Sample>("Sample", &Sample::decode);
        core::CodingRegistry::add<Picky>("Picky", [](KeyedUnarchiver& unarchiver) -> std::shared_ptr<Picky> {
            const auto value = unarchiver.decodeInt64("value");
            if (value < 0) return nullptr;
            if (value == 99) throw core::Error("test", 1, "refused");
            if (value == 100) throw std::logic_error("a fault of the decoder");
            auto picky = std::make_shared<Picky>();
            picky->value = value;
            return picky;
        });
    }
};

std::uint64_t bits(double value)
{
    std::uint64_t result;
    std::memcpy(&result, &value, sizeof result);
    return result;
}

}  // namespace

TEST_F(KeyedArchiveTest, EveryKindRoundTripsExactly)
{
    for (double real : {0.1, -0.0, 1e-310, std::numeric_limits<double>::max(), 3.0,
                        std::numeric_limits<double>::infinity(), std::nan("")}) {
        auto sample = std::make_shared<Sample>();
        sample->integer = std::numeric_limits<std::int64_t>::min();
        sample->real = real;
        sample->flag = true;
        sample->text = "Snap \xC3\xA9t\xC3\xA9 \"1\"";
        sample->bytes = Data{0, 255, 7, 0};
        sample->child = std::make_shared<Sample>();
        sample->child->integer = 42;
        sample->children = {std::make_shared<Sample>(), std::make_shared<Sample>()};
        sample->children[1]->text = "second";

        const auto decoded = KeyedUnarchiver::unarchiveObject<Sample>(KeyedArchiver::archivedData(sample));
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->integer, sample->integer);
        EXPECT_EQ(bits(decoded->real), bits(real));
        EXPECT_TRUE(decoded->flag);
        EXPECT_EQ(decoded->text, sample->text);
        EXPECT_EQ(decoded->bytes, sample->bytes);
        ASSERT_TRUE(decoded->child);
        EXPECT_EQ(decoded->child->integer, 42);
        EXPECT_FALSE(decoded->child->child);
        ASSERT_EQ(decoded->children.size(), 2u);
        EXPECT_EQ(decoded->children[1]->text, "second");
    }
}

TEST_F(KeyedArchiveTest, AbsentKeysAndOtherKindsDecodeAsNothing)
{
    class Mismatched : public core::Coding {
    public:
        std::string className() const override { return "Sample"; }
        void encode(KeyedArchiver& archiver) const override
        {
            archiver.encodeString("int", "7");
            archiver.encodeInt64("double", 7);
            archiver.encodeInt64("bool", 1);
            archiver.encodeInt64("string", 7);
            archiver.encodeString("data", "bytes");
            archiver.encodeString("child", "object");
            archiver.encodeObject("children", std::make_shared<Sample>());
        }
    };
    const auto decoded =
        KeyedUnarchiver::unarchiveObject<Sample>(KeyedArchiver::archivedData(std::make_shared<Mismatched>()));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->integer, 0);
    EXPECT_EQ(decoded->real, 0.0);
    EXPECT_FALSE(decoded->flag);
    EXPECT_EQ(decoded->text, "");
    EXPECT_TRUE(decoded->bytes.empty());
    EXPECT_FALSE(decoded->child);
    EXPECT_TRUE(decoded->children.empty());

    // A null object is present under its key and decodes as null.
    struct Probe : core::Coding {
        std::string className() const override { return "Probe"; }
        void encode(KeyedArchiver& archiver) const override { archiver.encodeObject("child", nullptr); }
    };
    bool containsChild = false, containsInt = true;
    core::CodingRegistry::add<Probe>("Probe", [&](KeyedUnarchiver& unarchiver) {
        containsChild = unarchiver.contains("child");
        containsInt = unarchiver.contains("int");
        EXPECT_FALSE(unarchiver.decodeObject("child"));
        EXPECT_FALSE(unarchiver.decodeArray("child"));
        return std::make_shared<Probe>();
    });
    EXPECT_TRUE(KeyedUnarchiver::unarchiveObject(KeyedArchiver::archivedData(std::make_shared<Probe>())));
    EXPECT_TRUE(containsChild);
    EXPECT_FALSE(containsInt);
}

TEST_F(KeyedArchiveTest, UnknownClassesFailedFactoriesAndOtherRootsGiveNull)
{
    EXPECT_FALSE(KeyedUnarchiver::unarchiveObject(KeyedArchiver::archivedData(std::make_shared<Unregistered>())));
    EXPECT_FALSE(KeyedUnarchiver::unarchiveObject(KeyedArchiver::archivedData(nullptr)));

    auto picky = std::make_shared<Picky>();
    picky->value = 5;
    EXPECT_TRUE(KeyedUnarchiver::unarchiveObject<Picky>(KeyedArchiver::archivedData(picky)));
    EXPECT_FALSE(KeyedUnarchiver::unarchiveObject<Sample>(KeyedArchiver::archivedData(picky)));
    picky->value = -1;
    EXPECT_FALSE(KeyedUnarchiver::unarchiveObject(KeyedArchiver::archivedData(picky)));
    picky->value = 99;
    EXPECT_FALSE(KeyedUnarchiver::unarchiveObject(KeyedArchiver::archivedData(picky)));
    // A fault of the program is no refusal: it goes on, to the crash handler.
    picky->value = 100;
    EXPECT_THROW(KeyedUnarchiver::unarchiveObject(KeyedArchiver::archivedData(picky)), std::logic_error);

    // An array holding an element that cannot be decoded is no array of that type.
    class Mixed : public core::Coding {
    public:
        std::string className() const override { return "Sample"; }
        void encode(KeyedArchiver& archiver) const override
        {
            archiver.encodeArray("children", std::vector<std::shared_ptr<core::Coding>>{
                                                 std::make_shared<Sample>(), std::make_shared<Unregistered>()});
        }
    };
    const auto decoded =
        KeyedUnarchiver::unarchiveObject<Sample>(KeyedArchiver::archivedData(std::make_shared<Mixed>()));
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(decoded->children.empty());
}

TEST_F(KeyedArchiveTest, ACycleCannotBeArchived)
{
    auto looping = std::make_shared<Looping>();
    looping->self = looping;
    EXPECT_THROW(KeyedArchiver::archivedData(looping), core::Error);
}

TEST_F(KeyedArchiveTest, EmptyTruncatedAndRandomBytesGiveNull)
{
    auto sample = std::make_shared<Sample>();
    sample->text = "truncate me";
    sample->child = std::make_shared<Sample>();
    const Data archive = KeyedArchiver::archivedData(sample);
    ASSERT_TRUE(KeyedUnarchiver::unarchiveObject(archive));

    EXPECT_FALSE(KeyedUnarchiver::unarchiveObject(Data()));
    for (std::size_t length = 0; length < archive.size(); ++length)
        EXPECT_FALSE(KeyedUnarchiver::unarchiveObject(Data(archive.begin(), archive.begin() + length))) << length;

    std::mt19937 random(1234);
    for (int round = 0; round < 2000; ++round) {
        Data bytes(random() % 200);
        for (auto& byte : bytes)
            byte = static_cast<std::uint8_t>(random());
        KeyedUnarchiver::unarchiveObject(bytes);  // must neither crash nor hang
        Data flipped = archive;
        flipped[random() % flipped.size()] ^= static_cast<std::uint8_t>(1u << (random() % 8));
        KeyedUnarchiver::unarchiveObject(flipped);
    }

    // Deeply nested CBOR maps and arrays.
    Data nested(100000, 0x81);  // arrays of one element, nested
    EXPECT_FALSE(KeyedUnarchiver::unarchiveObject(nested));
}

namespace {

// Counts how often it is decoded: decoding it anywhere else than where it is expected would be a side effect.
class Counted : public core::Coding {
public:
    std::string className() const override { return "Counted"; }
    void encode(KeyedArchiver&) const override {}
    static inline int decoded = 0;
};

class CountedChild : public Counted {
public:
    std::string className() const override { return "CountedChild"; }
};

// Holds whatever it is given under "one" and "many".
class Holder : public core::Coding {
public:
    std::string className() const override { return "KeyedArchiveHolder"; }
    void encode(KeyedArchiver& archiver) const override
    {
        archiver.encodeObject("one", one);
        archiver.encodeArray("many", many);
    }
    std::shared_ptr<core::Coding> one;
    std::vector<std::shared_ptr<core::Coding>> many;
};

}  // namespace

TEST_F(KeyedArchiveTest, ObjectsAreDecodedOnlyWhereTheirClassIsExpected)
{
    core::CodingRegistry::add<Counted>("Counted", [](KeyedUnarchiver&) {
        ++Counted::decoded;
        return std::make_shared<Counted>();
    });
    core::CodingRegistry::add<CountedChild>("CountedChild", [](KeyedUnarchiver&) {
        ++Counted::decoded;
        return std::make_shared<CountedChild>();
    });
    std::shared_ptr<Sample> sample;
    std::vector<std::shared_ptr<Sample>> samples;
    std::vector<std::shared_ptr<Sample>> each;
    core::CodingRegistry::add<Holder>("KeyedArchiveHolder", [&](KeyedUnarchiver& unarchiver) {
        sample = unarchiver.decodeObject<Sample>("one");
        samples = unarchiver.decodeArray<Sample>("many").value_or(std::vector<std::shared_ptr<Sample>>{});
        each = unarchiver.decodeEach<Sample>("many").value_or(std::vector<std::shared_ptr<Sample>>{});
        return std::make_shared<Holder>();
    });

    // A counted object where a sample is expected, at the root, alone and in an array: never decoded.
    auto holder = std::make_shared<Holder>();
    holder->one = std::make_shared<Counted>();
    holder->many = {std::make_shared<Sample>(), std::make_shared<Counted>(), std::make_shared<CountedChild>()};
    Counted::decoded = 0;
    ASSERT_TRUE(KeyedUnarchiver::unarchiveObject<Holder>(KeyedArchiver::archivedData(holder)));
    EXPECT_FALSE(KeyedUnarchiver::unarchiveObject<Sample>(KeyedArchiver::archivedData(std::make_shared<Counted>())));
    EXPECT_EQ(Counted::decoded, 0);
    EXPECT_FALSE(sample);
    EXPECT_TRUE(samples.empty());
    ASSERT_EQ(each.size(), 3u);
    EXPECT_TRUE(each[0]);
    EXPECT_FALSE(each[1]);
    EXPECT_FALSE(each[2]);

    // Where a base class is expected, the class and those derived from it are decoded.
    EXPECT_TRUE(
        KeyedUnarchiver::unarchiveObject<Counted>(KeyedArchiver::archivedData(std::make_shared<CountedChild>())));
    EXPECT_TRUE(
        KeyedUnarchiver::unarchiveObject<core::Coding>(KeyedArchiver::archivedData(std::make_shared<Counted>())));
    EXPECT_FALSE(
        KeyedUnarchiver::unarchiveObject<CountedChild>(KeyedArchiver::archivedData(std::make_shared<Counted>())));
    EXPECT_EQ(Counted::decoded, 2);
}
