// The package reader's older-skin notice as the user sees it: the program's message box.
#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "SkinRead.h"
#include "SkinReadBox.h"
#include "core/SkinTestFiles.h"

namespace {

struct TBoxSeen {
    bool Found = false;
    std::string Caption, Text;
    bool Icon = true, Ok = false, Cancel = true;
};

// Notes what the box shows and presses OK, once the box is up.
void AnswerBox(TBoxSeen& seen, int triesLeft) {
    HWND box = FindThreadWindow("#32770");
    if (!box) {
        if (triesLeft > 0) RunLater([&seen, triesLeft] { AnswerBox(seen, triesLeft - 1); }, 50);
        return;
    }
    seen.Found = true;
    seen.Caption = WindowTextOf(box);
    seen.Text = WindowTextOf(GetDlgItem(box, 0xFFFF));
    seen.Icon = SendDlgItemMessageA(box, 0x440, STM_GETICON, 0, 0) != 0;
    seen.Ok = IsWindowVisible(GetDlgItem(box, IDOK)) != FALSE;
    seen.Cancel = IsWindowVisible(GetDlgItem(box, IDCANCEL)) != FALSE;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

}  // namespace

TEST(SkinReadBox, OlderSkinIsToldInABoxCaptionedWithTheTitle) {
    PrepareApplication();
    TBoxSeen seen;
    RunLater([&seen] { AnswerBox(seen, 100); }, 50);
    TSkinReader reader(ShowSkinReaderBox);
    TMemoryStream package;
    package.LoadFromFile(SkinVariantPath("oldmagic.skn"));
    EXPECT_FALSE(reader.LoadFromStream(package));

    ASSERT_TRUE(seen.Found);
    EXPECT_EQ(seen.Caption, "Components");
    EXPECT_EQ(seen.Text, "This is Older Skin File\rPlease update to new version !");
    EXPECT_FALSE(seen.Icon);
    EXPECT_TRUE(seen.Ok);
    EXPECT_FALSE(seen.Cancel);
    EXPECT_EQ(reader.Count(), 0);
}
