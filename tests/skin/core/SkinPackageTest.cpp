// The packer's library: the package layout, and what it takes from a skin folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "SkinFolder.h"
#include "SkinPackage.h"
#include "SkinTestFiles.h"

namespace fs = std::filesystem;

TEST(SkinPackage, LaysEntriesOutAsTheReaderExpects) {
    const TBytes image = BuildPackageImage({{"Skin.INI", BytesOf(std::string("ab"))}, {"x.bmp", BytesOf(std::string("BMxyz"))}});
    TBytes expected = {0x20, 0x4E, 0, 0, 17, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (char c : std::string("skin.ini\r\nx.bmp\r\n")) expected.push_back(static_cast<std::uint8_t>(c));
    expected.insert(expected.end(), {2, 0, 0, 0, 5, 0, 0, 0, 'a', 'b', 'B', 'M', 'x', 'y', 'z'});
    EXPECT_EQ(image, expected);

    const TBytes package = PackPackage(image);
    ASSERT_GT(package.size(), 4u);
    EXPECT_EQ(TBytes(package.begin(), package.begin() + 4), (TBytes{static_cast<std::uint8_t>(image.size()), 0, 0, 0}));
    EXPECT_EQ(UnpackPackage(package), image);
}

namespace {

struct TFolderFixture : ::testing::Test {
    fs::path folder = fs::temp_directory_path() / ("skinfolder-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    void Put(const std::string& name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    }
    static std::string Bitmap(char tag) { return "BM" + std::string(60, tag); }
};

}  // namespace

TEST_F(TFolderFixture, TakesTheDescriptionFirstThenTheBitmapsByName) {
    Put("z.bmp", Bitmap('z'));
    Put("A.BMP", Bitmap('a'));
    Put("skin.ini", "[Buttons]\r\n");
    Put("notes.md", "not part of the skin");
    fs::create_directories(folder / "sub.bmp");
    const std::vector<TSkinEntry> entries = ReadSkinFolder(folder.string());
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].Name, "skin.ini");
    EXPECT_EQ(entries[1].Name, "A.BMP");
    EXPECT_EQ(entries[2].Name, "z.bmp");
    EXPECT_EQ(entries[2].Bytes, BytesOf(Bitmap('z')));
}

TEST_F(TFolderFixture, RefusesWhatIsNotOneSkin) {
    Put("a.bmp", Bitmap('a'));
    EXPECT_THROW(ReadSkinFolder(folder.string()), ESkinFolderError);  // no description
    Put("one.ini", "");
    Put("two.ini", "");
    EXPECT_THROW(ReadSkinFolder(folder.string()), ESkinFolderError);  // two
    fs::remove(folder / "two.ini");
    Put("text.bmp", "a note with the wrong name, long enough to pass for a header if it said BM");
    EXPECT_THROW(ReadSkinFolder(folder.string()), ESkinFolderError);
    fs::remove(folder / "text.bmp");
    EXPECT_EQ(ReadSkinFolder(folder.string()).size(), 2u);
    EXPECT_THROW(ReadSkinFolder((folder / "missing").string()), ESkinFolderError);
}
