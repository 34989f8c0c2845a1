// The console's main form carries the skin engine's data component with the skin the console
// ships with; a damaged skin package in the form neither stops the form nor the console's start.
#include <gtest/gtest.h>

#include "ConsoleFixture.h"
#include "ProcessCounts.h"
#include "WinSkinDlg.h"
#include "components/TMemoryStream.h"

namespace {

std::string FileBytes(const std::string& path) {
    TMemoryStream stream;
    stream.LoadFromFile("Z:" + path);
    return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
}

// The main form's description as the program carries it.
std::string MainFormText() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(instance, "TForm1", MAKEINTRESOURCEA(10));
    if (!resource) return std::string();
    const char* data = static_cast<const char*>(LockResource(LoadResource(instance, resource)));
    return std::string(data, SizeofResource(instance, resource));
}

// The description with another package in its skin data, stored with its own size or another.
std::string WithSkinPackage(std::string text, const std::string& package, long long storedSize = -1) {
    const std::size_t start = text.find("SkinStream = <");
    const std::size_t end = text.find('>', start);
    std::string hex;
    char digits[3];
    const auto put = [&](unsigned char b) {
        std::snprintf(digits, sizeof digits, "%02X", b);
        hex += digits;
    };
    const auto size = static_cast<unsigned long long>(storedSize < 0 ? static_cast<long long>(package.size()) : storedSize);
    for (int shift = 0; shift < 32; shift += 8) put(static_cast<unsigned char>(size >> shift));
    for (const char c : package) put(static_cast<unsigned char>(c));
    return text.replace(start, end + 1 - start, "SkinStream = < " + hex + " >");
}

}  // namespace

TEST_F(ConsoleTest, TheMainFormCarriesTheConsolesSkinLoaded) {
    CreateConsole();
    TSkinData* skin = form->SkinData1;
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->Owner(), form.get());
    EXPECT_TRUE(skin->Active());
    EXPECT_EQ(skin->DisableTag(), 99);
    EXPECT_EQ(skin->SkinControls(), 0x1FFFFBu);
    EXPECT_EQ(skin->Options(), SkinOptionBit(xoPreview) | SkinOptionBit(xoToolbarBK));
    EXPECT_EQ(skin->Skin3rd()->Text(), [] {
        std::string lines;
        for (const std::string& line : DefaultSkin3rd()) lines += line + "\r\n";
        return lines;
    }());
    EXPECT_EQ(skin->SkinFormtype(), sfMainform);
    EXPECT_EQ(skin->Version(), "3.97.02.16");
    EXPECT_TRUE(skin->MenuUpdate());
    EXPECT_FALSE(skin->MenuMerge());

    const std::string package = FileBytes(SHIPPED_SKIN_PACKAGE);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(skin->SkinStream().Memory()), static_cast<std::size_t>(skin->SkinStream().Size())),
              package);
    EXPECT_FALSE(skin->SkinEmpty());
    EXPECT_EQ(skin->SkinName(), "Slate");
    EXPECT_NE(skin->Objects.MenuItem, nullptr);
    ASSERT_NE(SkinManager, nullptr);
    EXPECT_EQ(SkinManager->DefaultSkinData, skin);

    // The source description holds no copy of the package: the build put it in.
    EXPECT_EQ(MainFormText().find("SkinStream = < 00000000 >"), std::string::npos);
}

// Every package of the damaged set in the main form: the form is read to its end and the console
// starts and serves, skinned with what could be read or unskinned where the package is refused.
TEST_F(ConsoleTest, EveryDamagedSkinInTheMainFormLetsTheConsoleStart) {
    const std::string text = MainFormText();
    ASSERT_NE(text.find("TSkinData SkinData1"), std::string::npos);
    const struct {
        const char* Variant;  // empty: no package
        bool Loads;
        bool OlderSkin;          // the reader tells the user the package is of an older kind
        long long StoredSize = -1;  // the size the form stores in front of the package, when not its own
    } cases[] = {
        {"empty.skn", false, true},          {"oldmagic.skn", false, true},        {"hugelength.skn", false, false},
        {"negativelength.skn", false, false}, {"truncated.skn", true, false},      {"negativenames.skn", false, false},
        {"longnames.skn", false, false},     {"badindex.skn", false, false},       {"negativesize.skn", false, false},
        {"wrappingsizes.skn", false, false}, {"thousandentries.skn", true, false}, {"manyentries.skn", false, false},
        {"zeroframes.skn", true, false},     {"bigpictures.skn", true, false},     {"badbitmap.skn", true, false},
        {"noini.skn", true, false},          {"manysections.skn", true, false},    {"", false, false},
        {"oldmagic.skn", false, false, 1000000},  // a size past the stored bytes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Variant) + (c.StoredSize >= 0 ? " stored short" : ""));
        const std::string package = *c.Variant ? FileBytes(std::string(SKIN_VARIANTS_DIR) + "/" + c.Variant) : std::string();
        TDialogWatch older = c.OlderSkin ? AnswerSystemMessageBox() : nullptr;
        TDialogWatch question = AnswerMessageBox("Yes");
        form = std::make_unique<TForm1>(nullptr);
        Form1 = form.get();
        ASSERT_NO_THROW(form->ReadFormText(WithSkinPackage(text, package, c.StoredSize), "TForm1"));
        EXPECT_TRUE(question->Seen) << "the form was read to its end and created";
        if (older) {
            EXPECT_TRUE(older->Seen);
        }
        EXPECT_EQ(form->SkinData1->SkinEmpty(), !c.Loads);
        EXPECT_EQ(form->SkinData1->Active(), c.Loads);
        form->ListenPort = FreePort(false);
        form->Show();
        PumpMessages(20);
        StartService();
        StopService();
        DestroyConsole();
    }
}

// Every control of the skinned main form repaints from the skin; a thousand repaints of the
// whole window, frame, menu bar and children, leave the process's GDI and USER objects as
// they were.
TEST_F(ConsoleTest, RepaintingTheSkinnedMainFormLeavesNoObjectsBehind) {
    CreateConsole();
    ASSERT_TRUE(form->SkinData1->Active());
    PumpMessages(200);
    HWND window = form->Handle();
    const auto repaint = [window](int times) {
        for (int i = 0; i < times; ++i)
            RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    };
    repaint(20);
    const int gdi = ProcessGdiObjectCount(), user = ProcessUserObjectCount();
    repaint(1000);
    EXPECT_EQ(ProcessGdiObjectCount(), gdi);
    EXPECT_EQ(ProcessUserObjectCount(), user);
}
