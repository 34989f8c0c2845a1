// The colour-plan skin as the build packed it: the package holds the folder, the description
// names only entries that are there, every bitmap follows the colour plan (COLOURS.md), and the
// variants the build writes are damaged the way the plan says.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "SkinFolder.h"
#include "SkinRead.h"
#include "SkinTestFiles.h"
#include "WinSkinIni.h"

namespace {

struct TRgb {
    int R, G, B;
    bool Magenta() const { return R == 255 && G == 0 && B == 255; }
};

// A 24-bit uncompressed bitmap file, rows from the top; false for anything else.
bool ReadBitmap(const TBytes& file, int& width, int& height, std::vector<TRgb>& pixels) {
    auto u16 = [&](std::size_t at) { return file[at] | file[at + 1] << 8; };
    auto i32 = [&](std::size_t at) { return static_cast<std::int32_t>(u16(at) | static_cast<std::uint32_t>(u16(at + 2)) << 16); };
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M' || i32(14) != 40 || u16(28) != 24 || i32(30) != 0) return false;
    width = i32(18);
    height = i32(22);
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    if (width <= 0 || height <= 0 || file.size() < static_cast<std::size_t>(i32(10)) + stride * static_cast<std::size_t>(height)) return false;
    pixels.clear();
    for (int y = 0; y < height; ++y) {
        const std::size_t row = static_cast<std::size_t>(i32(10)) + stride * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::size_t p = row + static_cast<std::size_t>(x) * 3;
            pixels.push_back({file[p + 2], file[p + 1], file[p]});
        }
    }
    return true;
}

struct TSkinFixture : ::testing::Test {
    TSkinReader reader;
    TMemoryStream entry;

    void SetUp() override {
        TMemoryStream package;
        package.LoadFromFile(SkinPackagePath());
        ASSERT_TRUE(reader.LoadFromStream(package));
    }
    TBytes Entry(const std::string& name) {
        reader.ExtractFile(name, entry);
        return BytesOf(entry);
    }
};

}  // namespace

TEST_F(TSkinFixture, PackageHoldsTheSkinFolder) {
    const std::vector<TSkinEntry> folder = ReadSkinFolder(HostPath(SKIN_SOURCE_DIR));
    EXPECT_EQ(reader.Count(), static_cast<int>(folder.size()));
    for (const TSkinEntry& file : folder) EXPECT_EQ(Entry(file.Name), file.Bytes) << file.Name;
    std::string name;
    reader.ExtractFirstMatch(".ini", entry, name);
    EXPECT_EQ(name, "sablink.ini");
}

TEST_F(TSkinFixture, DescriptionNamesBitmapsOfThePackage) {
    std::string name;
    reader.ExtractFirstMatch(".ini", entry, name);
    TQuickIni ini;
    ini.LoadFromStream(&entry);
    int images = 0;
    for (const std::string& line : ini.Lines()) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || line.size() < 4 || line.compare(line.size() - 4, 4, ".bmp") != 0) continue;
        const std::string file = line.substr(equals + 1);
        int width = 0, height = 0;
        std::vector<TRgb> pixels;
        EXPECT_TRUE(ReadBitmap(Entry(file), width, height, pixels)) << line;
        ++images;
    }
    EXPECT_GT(images, 50);
    EXPECT_EQ(ini.ReadString("TitlebarSkin", "SkinName", ""), "Sablink");
}

// Red is 4 x the image's own number, green 10 x the frame, blue 20 + 25 x the zone; the frames
// lie side by side (or, for the top and bottom borders, stacked); magenta is transparent.
TEST_F(TSkinFixture, EveryBitmapFollowsTheColourPlan) {
    std::set<int> numbers;
    for (int i = 0; i < reader.Count(); ++i) {
        const std::string name = reader.Names().Get(i);
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".bmp") != 0) continue;
        SCOPED_TRACE(name);
        int width = 0, height = 0;
        std::vector<TRgb> pixels;
        ASSERT_TRUE(ReadBitmap(Entry(name), width, height, pixels));

        int frames = 0;
        std::set<int> reds;
        for (const TRgb& p : pixels)
            if (!p.Magenta()) {
                reds.insert(p.R);
                frames = std::max(frames, p.G / 10);
            }
        ASSERT_EQ(reds.size(), 1u);
        const int red = *reds.begin();
        EXPECT_EQ(red % 4, 0);
        EXPECT_TRUE(numbers.insert(red / 4).second) << "number used twice: " << red / 4;
        ASSERT_GT(frames, 0);

        const bool stacked = name == "top.bmp" || name == "bottom.bmp";
        ASSERT_EQ((stacked ? height : width) % frames, 0);
        const int frameSize = (stacked ? height : width) / frames;
        std::map<int, bool> centres;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const TRgb& p = pixels[static_cast<std::size_t>(y * width + x)];
                if (p.Magenta()) continue;
                const int frame = (stacked ? y : x) / frameSize + 1;
                ASSERT_EQ(p.G, 10 * frame) << x << "," << y;
                ASSERT_TRUE(p.B >= 20 && p.B <= 220 && (p.B - 20) % 25 == 0) << x << "," << y;
                if (p.B == 120) centres[frame] = true;
            }
        EXPECT_EQ(static_cast<int>(centres.size()), frames) << "a frame without a centre";
    }
    EXPECT_GE(numbers.size(), 50u);
}

TEST(SkinVariants, AreDamagedAsThePlanSays) {
    const struct {
        const char* File;
        bool Loads;
        bool OlderSkin;
    } variants[] = {
        {"shortmarks.skn", true, false},  {"empty.skn", false, true},        {"oldmagic.skn", false, true},
        {"hugelength.skn", false, false}, {"truncated.skn", true, false},    {"badindex.skn", false, false},
        {"manyentries.skn", false, false}, {"badbitmap.skn", true, false},   {"zeroframes.skn", true, false},
        {"noini.skn", true, false},
    };
    for (const auto& v : variants) {
        SCOPED_TRACE(v.File);
        int notices = 0;
        TSkinReader reader([&](const std::string&) { ++notices; });
        TMemoryStream package;
        package.LoadFromFile(SkinVariantPath(v.File));
        EXPECT_EQ(reader.LoadFromStream(package), v.Loads);
        EXPECT_EQ(notices, v.OlderSkin ? 1 : 0);
    }
}

// What the loaders' tests count on: the alternative marks and the zero frame counts are there.
TEST(SkinVariants, CarryTheirChanges) {
    TSkinReader reader;
    TMemoryStream package, text;
    std::string name;
    TQuickIni ini;

    package.LoadFromFile(SkinVariantPath("shortmarks.skn"));
    ASSERT_TRUE(reader.LoadFromStream(package));
    reader.ExtractFirstMatch(".ini", text, name);
    ini.LoadFromStream(&text);
    EXPECT_EQ(ini.ReadString("Buttons", "CheckButton", ""), "check4.bmp");
    EXPECT_EQ(ini.ReadInteger("Buttons", "CheckButtonFrame", -1), -1);

    package.LoadFromFile(SkinVariantPath("zeroframes.skn"));
    ASSERT_TRUE(reader.LoadFromStream(package));
    reader.ExtractFirstMatch(".ini", text, name);
    ini.LoadFromStream(&text);
    EXPECT_EQ(ini.ReadInteger("Personality", "LeftFrame", 1), 0);
    EXPECT_EQ(ini.ReadInteger("Headerbar", "Frame", 1), -3);

    package.LoadFromFile(SkinVariantPath("noini.skn"));
    ASSERT_TRUE(reader.LoadFromStream(package));
    name = "none";
    reader.ExtractFirstMatch(".ini", text, name);
    EXPECT_EQ(name, "none");
}
