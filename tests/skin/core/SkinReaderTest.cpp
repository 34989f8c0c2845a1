// The package reader: entries by name, the older-skin notice, and packages whose length or
// index cannot be trusted, which it refuses without reading past their bytes.
#include <gtest/gtest.h>

#include <optional>

#include "SkinPackage.h"
#include "SkinRead.h"
#include "SkinTestFiles.h"

namespace {

// An unpacked package with the names text, sizes and entry bytes as given.
TBytes Image(const std::string& names, const std::vector<std::int32_t>& sizes, const std::string& data,
             std::int32_t magic = TSkinReader::PackageMagic, std::optional<std::int32_t> namesLength = {}) {
    TBytes image;
    AppendInt32(image, magic);
    AppendInt32(image, namesLength.value_or(static_cast<std::int32_t>(names.size())));
    AppendInt32(image, 0x11111111);  // the two unused fields may hold anything
    AppendInt32(image, -1);
    image.insert(image.end(), names.begin(), names.end());
    for (std::int32_t size : sizes) AppendInt32(image, size);
    image.insert(image.end(), data.begin(), data.end());
    return image;
}

struct TReaderFixture : ::testing::Test {
    std::vector<std::string> notices;
    TSkinReader reader{[this](const std::string& text) { notices.push_back(text); }};
    TMemoryStream target;

    bool Load(const TBytes& image) {
        TMemoryStream source;
        SetBytes(source, PackPackage(image));
        return reader.LoadFromStream(source);
    }
    std::string Entry(const std::string& name) {
        reader.ExtractFile(name, target);
        return TextOf(target);
    }
};

}  // namespace

TEST_F(TReaderFixture, HandsOutEntriesByName) {
    ASSERT_TRUE(Load(Image("Skin.INI\r\nTop.bmp\r\nempty.bmp\r\nleft.bmp\r\n", {3, 4, 0, 2}, "inibmp1bm")));
    EXPECT_TRUE(notices.empty());
    ASSERT_EQ(reader.Count(), 4);
    EXPECT_EQ(reader.Names().Get(0), "skin.ini");

    EXPECT_EQ(Entry("top.bmp"), "bmp1");
    EXPECT_EQ(Entry("TOP.BMP"), "bmp1");  // names are compared in lower case
    EXPECT_EQ(target.Position(), 0);
    EXPECT_EQ(Entry("left.bmp"), "bm");
    EXPECT_EQ(Entry("empty.bmp"), "");
    target.WriteBuffer("old", 3);
    EXPECT_EQ(Entry("missing.bmp"), "");  // the target is emptied first

    std::string name = "unchanged";
    reader.ExtractFirstMatch(".INI", target, name);  // the test is case-sensitive
    EXPECT_EQ(target.Size(), 0);
    EXPECT_EQ(name, "unchanged");
    reader.ExtractFirstMatch("", target, name);
    EXPECT_EQ(name, "unchanged");
    reader.ExtractFirstMatch(".bmp", target, name);  // the first in package order
    EXPECT_EQ(name, "top.bmp");
    EXPECT_EQ(TextOf(target), "bmp1");
    reader.ExtractFirstMatch(".ini", target, name);
    EXPECT_EQ(name, "skin.ini");
    EXPECT_EQ(target.Position(), 0);
}

// Names split as a string list's text does: at CR LF, lone CR and lone LF; a final break adds
// nothing; an empty line between two breaks is an entry with an empty name.
TEST_F(TReaderFixture, NamesSplitAtEveryLineBreak) {
    ASSERT_TRUE(Load(Image("a.bmp\r\n\r\nb.bmp\rc.bmp\nd.bmp", {1, 1, 1, 1, 1}, "12345")));
    ASSERT_EQ(reader.Count(), 5);
    EXPECT_EQ(reader.Names().Get(1), "");
    EXPECT_EQ(Entry("a.bmp"), "1");
    EXPECT_EQ(Entry(""), "2");
    EXPECT_EQ(Entry("c.bmp"), "4");
    EXPECT_EQ(Entry("d.bmp"), "5");

    ASSERT_TRUE(Load(Image("", {}, "")));  // a package of no entries is a package
    EXPECT_EQ(reader.Count(), 0);
}

TEST_F(TReaderFixture, OtherMagicIsAnOlderSkin) {
    const std::string text = "This is Older Skin File\rPlease update to new version !";
    EXPECT_FALSE(Load(Image("a.bmp\r\n", {1}, "1", 19000)));
    EXPECT_FALSE(Load(TBytes(15, 0)));  // shorter than the header
    EXPECT_FALSE(Load({}));             // unpacked length 0
    TMemoryStream tiny;
    SetBytes(tiny, {1, 0});  // not even a length
    EXPECT_FALSE(reader.LoadFromStream(tiny));
    EXPECT_EQ(notices, std::vector<std::string>(4, text));
    EXPECT_EQ(reader.Count(), 0);
}

// A package whose index does not fit its bytes is refused whole, without the older-skin notice,
// and leaves nothing of a package loaded before.
TEST_F(TReaderFixture, RefusesAnIndexThatDoesNotFit) {
    const struct {
        const char* Name;
        TBytes Image;
    } damaged[] = {
        {"names length below 0", Image("a.bmp\r\n", {1}, "1", TSkinReader::PackageMagic, -7)},
        {"names past the end", Image("a.bmp\r\n", {1}, "1", TSkinReader::PackageMagic, 100)},
        {"size table past the end", Image("a\r\nb\r\nc\r\nd\r\n", {}, "")},
        {"a size below 0", Image("a\r\nb\r\n", {-1, 2}, "12")},
        {"sizes past the data", Image("a\r\nb\r\n", {1, 2}, "12")},
        {"sizes that overflow 32 bits", Image("a\r\nb\r\nc\r\n", {0x7FFFFFFF, 0x7FFFFFFF, 2}, "12")},
    };
    for (const auto& d : damaged) {
        SCOPED_TRACE(d.Name);
        ASSERT_TRUE(Load(Image("good.bmp\r\n", {2}, "ok")));
        EXPECT_FALSE(Load(d.Image));
        EXPECT_EQ(reader.Count(), 0);
        EXPECT_EQ(Entry("good.bmp"), "");
    }
    EXPECT_TRUE(notices.empty());
}

TEST_F(TReaderFixture, TakesAtMostAThousandEntries) {
    std::string names;
    for (int i = 0; i < 1000; ++i) names += "e" + std::to_string(i) + "\r\n";
    EXPECT_TRUE(Load(Image(names, std::vector<std::int32_t>(1000, 0), "")));
    EXPECT_EQ(reader.Count(), 1000);
    names += "one.more";
    EXPECT_FALSE(Load(Image(names, std::vector<std::int32_t>(1001, 0), "")));
    EXPECT_EQ(reader.Count(), 0);
    EXPECT_FALSE(Load(Image(std::string(1000000, '\n'), {}, "")));
}

// The length in front of the stream is refused above the ceiling before anything is unpacked; up
// to it, a stream that ends early unpacks from zero bits to the full length.
TEST_F(TReaderFixture, UnpackedLengthHasACeiling) {
    TMemoryStream source, target;
    TBytes claim;
    AppendInt32(claim, static_cast<std::int32_t>(TSkinReader::MaxUnpackedLength + 1));
    SetBytes(source, claim);
    EXPECT_FALSE(TSkinReader::Decompress(source, target));
    EXPECT_EQ(target.Size(), 0);
    EXPECT_FALSE(reader.LoadFromStream(source));
    claim.clear();
    AppendInt32(claim, -1);  // read unsigned: 4 GB
    SetBytes(source, claim);
    EXPECT_FALSE(reader.LoadFromStream(source));
    EXPECT_TRUE(notices.empty());

    claim.clear();
    AppendInt32(claim, 70000);
    SetBytes(source, claim);
    EXPECT_TRUE(TSkinReader::Decompress(source, target));
    EXPECT_EQ(target.Size(), 70000);
    EXPECT_EQ(target.Position(), 0);
}
