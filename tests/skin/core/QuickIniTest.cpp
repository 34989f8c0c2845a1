// The ini reader: which lines it keeps, how sections and keys are found, and what a lookup gives
// when the description does not say.
#include <gtest/gtest.h>

#include "SkinTestFiles.h"
#include "WinSkinIni.h"
#include "components/TStringList.h"

namespace {

TQuickIni Ini(const std::string& text) {
    TQuickIni ini;
    ini.LoadFromText(text);
    return ini;
}

std::vector<std::string> Sections(const TQuickIni& ini) {
    TStringList list;
    list.Add("stale");
    ini.ReadSections(list);
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list.Get(i));
    return names;
}

}  // namespace

TEST(QuickIniLines, KeepsTrimmedLinesThatAreNotComments) {
    const TQuickIni ini = Ini("; skin\r\n\r\n  [Colours]  \r\n\t ButtonFace = 1 2 3 \r\n   ; a note\r\n"
                              "[Title] more\rShade=4\n\n\rLast=5");
    const std::vector<std::string> lines = {"[Colours]", "ButtonFace = 1 2 3", "[Title] more", "Shade=4", "Last=5"};
    EXPECT_EQ(ini.Lines(), lines);
    // "[Title] more" does not end with "]": a key line of the section before, not a header.
    EXPECT_EQ(Sections(ini), std::vector<std::string>{"Colours"});
    EXPECT_EQ(ini.ReadString("Colours", "Last", "-"), "5");
}

TEST(QuickIniLines, ANulEndsTheText) {
    const std::string nul(1, '\0');
    const TQuickIni ini = Ini("[A]\r\nx=1\r\ny=2" + nul + "[B]\r\nz=3");
    EXPECT_EQ(ini.ReadString("A", "y", "-"), "2");
    EXPECT_EQ(ini.SectionIndex("B"), -1);
    EXPECT_EQ(Ini(nul + "[A]").Lines().size(), 0u);
}

TEST(QuickIniLines, ReadsFromTheStreamPosition) {
    TMemoryStream stream;
    SetBytes(stream, BytesOf(std::string("[A]\r\nx=1\r\n[B]\r\nx=2\r\n")));
    stream.SetPosition(10);
    TQuickIni ini;
    ini.LoadFromStream(&stream);
    EXPECT_EQ(ini.SectionIndex("A"), -1);
    EXPECT_EQ(ini.ReadString("B", "x", "-"), "2");
    ini.LoadFromStream(nullptr);  // no stream: nothing happens
    EXPECT_EQ(ini.ReadString("B", "x", "-"), "2");
}

TEST(QuickIniSections, FoundWithoutRegardToCase) {
    const TQuickIni ini = Ini("[Colours]\r\nA=1\r\n[ Title ]\r\n[colours]\r\nB=2\r\n[]\r\n");
    EXPECT_EQ(ini.SectionIndex("COLOURS"), 0);  // the first of two
    EXPECT_EQ(ini.SectionIndex("Title"), -1);   // blanks inside the brackets are part of the name
    EXPECT_EQ(ini.SectionIndex(" Title "), 2);
    EXPECT_EQ(ini.SectionIndex("Missing"), -1);
    EXPECT_EQ(Sections(ini), (std::vector<std::string>{"Colours", "Title", "colours", ""}));
}

TEST(QuickIniKeys, FirstLineOfTheKeyInTheSectionDecides) {
    const TQuickIni ini = Ini("[Colours]\r\nButtonFace = 1 2 3\r\nEmpty=\r\nEmpty=7\r\nNoEquals\r\n=lonely\r\n"
                              "Twice=a=b\r\n[Next]\r\nLater=1\r\n[Colours]\r\nSecond=2\r\n");
    EXPECT_EQ(ini.ReadString("colours", "BUTTONFACE", "-"), "1 2 3");
    EXPECT_EQ(ini.ReadString("Colours", "Empty", "dflt"), "dflt");  // the empty first line wins
    EXPECT_EQ(ini.ReadString("Colours", "Twice", "-"), "a=b");
    EXPECT_EQ(ini.ReadString("Colours", "Later", "-"), "-");   // the scan stops at the next header
    EXPECT_EQ(ini.ReadString("Colours", "Second", "-"), "-");  // only the first section of a name
    EXPECT_EQ(ini.ReadString("Colours", "", "-"), "-");        // an empty key never matches
    EXPECT_EQ(ini.ReadString("Colours", "NoEquals", "-"), "-");
    EXPECT_EQ(ini.ReadString("Missing", "ButtonFace", "-"), "-");
    EXPECT_EQ(Ini("").ReadString("Colours", "ButtonFace", "-"), "-");
}

TEST(QuickIniKeys, IntegersFallBackToTheDefault) {
    const TQuickIni ini = Ini("[N]\r\nHex=0x1F\r\nDollar=$1F\r\nBare=0x\r\nSigned =  -7  \r\nWord=12ab\r\nEmpty=\r\n");
    EXPECT_EQ(ini.ReadInteger("N", "Hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("N", "Dollar", 0), 31);
    EXPECT_EQ(ini.ReadInteger("N", "Bare", 99), 99);
    EXPECT_EQ(ini.ReadInteger("N", "Signed", 0), -7);
    EXPECT_EQ(ini.ReadInteger("N", "Word", 99), 99);
    EXPECT_EQ(ini.ReadInteger("N", "Empty", 99), 99);
    EXPECT_EQ(ini.ReadInteger("N", "Missing", -1), -1);
}
