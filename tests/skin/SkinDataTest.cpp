// The skin data component as a form carries it: its published properties, the package streamed
// in and out through "SkinStream", what Loaded starts, the property setters, the questions it
// answers for the manager, and damaged packages that never stop the form.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "GuiTestSupport.h"
#include "SkinDataSupport.h"
#include "SkinObjectRules.h"
#include "WinSkinDlg.h"
#include "components/PropertyAccess.h"
#include "components/SysUtils.h"
#include "components/TClassInfo.h"
#include "components/TApplication.h"
#include "components/TTimer.h"
#include "components/TWriter.h"
#include "components/TypeInfo.h"

namespace {

class SkinData : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareApplication();
        package = FileBytes(SkinPackagePath());
        // The manager lives for the process: each test starts from a quiet one.
        if (SkinManager) {
            SkinManager->RunState = 0;
            SkinManager->Active = false;
            SkinManager->PendingAction = 0;
            SkinManager->ActionSkinData = nullptr;
            SkinManager->Timer->SetEnabled(false);
        }
    }

    TBytes package;
};

bool Has(TSkinControlTypes controls, TSkinControlType type) { return (controls & SkinControlBit(type)) != 0; }

}  // namespace

TEST_F(SkinData, PublishesItsPropertiesInOrderWithTheirDefaults) {
    std::vector<std::string> names;
    for (const TPropInfo& p : TSkinData::StaticClass().OwnProperties()) names.push_back(p.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Active", "DisableTag", "SkinControls", "Options", "Skin3rd", "SkinFile",
                                               "SkinStore", "SkinFormtype", "Version", "MenuUpdate", "MenuMerge",
                                               "OnFormSkin", "OnSkinChanged", "OnSkinControl"}));

    TSkinData skin(nullptr);
    EXPECT_FALSE(skin.Active());
    EXPECT_EQ(skin.DisableTag(), 99);
    EXPECT_EQ(skin.SkinControls(), 0x1FFFFBu);
    EXPECT_FALSE(Has(skin.SkinControls(), xcMenuItem));
    EXPECT_FALSE(Has(skin.SkinControls(), xcFastReport));
    EXPECT_EQ(skin.Options(), 0x48u);
    EXPECT_EQ(skin.SkinFormtype(), sfMainform);
    EXPECT_EQ(skin.Version(), "3.97.02.16");
    EXPECT_TRUE(skin.MenuUpdate());
    EXPECT_FALSE(skin.MenuMerge());
    EXPECT_TRUE(skin.SkinEmpty());
    EXPECT_EQ(SkinControlTypeType.Names.size(), 22u);
    EXPECT_EQ(SkinOptionType.Names.size(), 9u);

    // The third-party classes: 116 lines, three of them twice.
    ASSERT_EQ(skin.Skin3rd()->Count(), 116);
    EXPECT_EQ(skin.Skin3rd()->Get(0), "TPngBitBtn=pngbitbtn");
    EXPECT_EQ(skin.Skin3rd()->Get(46), "TDBCheckboxEh=Checkbox");
    EXPECT_EQ(skin.Skin3rd()->Get(47), "TDBCheckboxEh=Checkbox");
    EXPECT_EQ(skin.Skin3rd()->Get(115), "TOVCDBNUMERICFIELD=Edit");
    EXPECT_EQ(skin.Skin3rd()->Values("TcxButton"), "bitbtn");

    // Version and SkinStore cannot be set; the store reads "(none)" in a running program.
    SetPropValue(&skin, "Version", "1.0");
    SetPropValue(&skin, "SkinStore", "(Good)");
    EXPECT_EQ(GetPropValue(&skin, "Version"), "3.97.02.16");
    EXPECT_EQ(GetPropValue(&skin, "SkinStore"), "(none)");
    SetPropValue(&skin, "SkinControls", "[xcMainMenu,xcTab]");
    EXPECT_EQ(skin.SkinControls(), SkinControlBit(xcMainMenu) | SkinControlBit(xcTab));
}

namespace {

// The binary property as written, without its line breaks and indents.
std::string WrittenSkinStream(TSkinData* skin) {
    std::string text = TWriter().WriteRoot(skin);
    text = text.substr(text.find("SkinStream"));
    text = text.substr(0, text.find('>') + 1);
    text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return std::isspace(static_cast<unsigned char>(c)); }),
               text.end());
    return text;
}

}  // namespace

TEST_F(SkinData, SkinStreamIsWrittenAsItsSizeAndItsBytes) {
    TSkinData empty(nullptr);
    empty.SetName("SkinData1");
    EXPECT_EQ(WrittenSkinStream(&empty), "SkinStream=<00000000>") << "always written, an empty one as size 0";

    const TSkinForm form = ReadSkinForm(package);
    EXPECT_EQ(BytesOf(form->SkinStream()), package);
    std::string hex = SkinStreamHex(package);
    hex.erase(std::remove(hex.begin(), hex.end(), '\n'), hex.end());
    EXPECT_EQ(WrittenSkinStream(form.Skin), "SkinStream=<" + hex + ">");
}

TEST_F(SkinData, ReadingTheFormLoadsTheSkinAndLoadedAsksForTheFirstPass) {
    const TSkinForm form = ReadSkinForm(package);
    EXPECT_FALSE(form->SkinEmpty());
    EXPECT_EQ(form->SkinName(), "Sablink");
    EXPECT_TRUE(form->Active());

    ASSERT_NE(SkinManager, nullptr);
    const auto& registered = SkinManager->SkinDatas();
    EXPECT_NE(std::find(registered.begin(), registered.end(), form.Skin), registered.end());
    EXPECT_EQ(SkinManager->DefaultSkinData, form.Skin);
    EXPECT_EQ(SkinManager->PendingAction, saSkinAll);
    EXPECT_EQ(SkinManager->Timer->Interval(), 250u);
    EXPECT_EQ(SkinManager->ActionSkinData, nullptr) << "Loaded asks without naming itself";
    EXPECT_EQ(SkinManager->RunState, 0);
}

TEST_F(SkinData, AnEmptySkinStreamLeavesTheSkinEmptyAndSwitchesActiveOff) {
    const TSkinForm form = ReadSkinForm({});
    EXPECT_TRUE(form->SkinEmpty());
    EXPECT_FALSE(form->Active());
    EXPECT_EQ(SkinManager->PendingAction, 0);
    EXPECT_EQ(form->SkinStream().Size(), 0);
}

TEST_F(SkinData, LoadedSkinsMenusAsAWholeBarOrItemByItem) {
    {
        const TSkinForm form = ReadSkinForm(package, "SkinControls = [xcMainMenu, xcMenuItem, xcSystemMenu]");
        EXPECT_EQ(form->SkinControls(), SkinControlBit(xcMainMenu) | SkinControlBit(xcSystemMenu));
    }
    {
        const TSkinForm form = ReadSkinForm(package, "SkinControls = [xcMenuItem, xcSystemMenu, xcTab]");
        EXPECT_EQ(form->SkinControls(), SkinControlBit(xcMenuItem) | SkinControlBit(xcTab));
    }
}

TEST_F(SkinData, SystemsWithoutTheNewerUser32CallsLoseWhatNeedsThem) {
    TUser32Entries& entries = User32Entries();
    ASSERT_NE(entries.GetScrollBarInfo, nullptr) << "the system has GetScrollBarInfo";
    ASSERT_NE(entries.TrackMouseEvent, nullptr);
    ASSERT_NE(entries.GetComboBoxInfo, nullptr);
    const TUser32Entries saved = entries;
    entries = TUser32Entries();
    {
        const TSkinForm form = ReadSkinForm(package);
        EXPECT_FALSE(Has(form->SkinControls(), xcScrollbar));
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        EXPECT_FALSE(form->GetScrollBarInfoSafe(form.Form->Handle(), OBJID_VSCROLL, info));
        form->TrackMouseLeave(form.Form->Handle());  // nothing to call, nothing happens
    }
    entries = saved;
    const TSkinForm form = ReadSkinForm(package);
    EXPECT_TRUE(Has(form->SkinControls(), xcScrollbar));
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    EXPECT_TRUE(form->GetScrollBarInfoSafe(form.Form->Handle(), OBJID_CLIENT, info) ||
                form->GetScrollBarInfoSafe(form.Form->Handle(), OBJID_VSCROLL, info));
}

TEST_F(SkinData, ActiveAsksTheManagerToSkinOrUnskinEverything) {
    TSkinForm form = ReadSkinForm(package, "Active = False");
    EXPECT_EQ(SkinManager->PendingAction, 0);

    form->SetActive(true);
    EXPECT_EQ(SkinManager->ActionSkinData, form.Skin);
    EXPECT_EQ(SkinManager->PendingAction, saSkinAll);
    EXPECT_EQ(SkinManager->RunState, 1);

    form->SetActive(false);
    EXPECT_EQ(SkinManager->PendingAction, saUnskinAll);

    // An empty skin cannot be switched on: the property reads True, nothing is asked for.
    const TSkinForm empty = ReadSkinForm({}, "Active = False");
    SkinManager->PendingAction = 0;
    SkinManager->ActionSkinData = nullptr;
    empty->SetActive(true);
    EXPECT_TRUE(empty->Active());
    EXPECT_EQ(SkinManager->PendingAction, 0);
    EXPECT_EQ(SkinManager->ActionSkinData, nullptr);

    // A component for its own form only names itself even when it cannot act.
    const TSkinForm own = ReadSkinForm({}, "Active = False SkinFormtype = sfOnlyThisForm");
    own->SetActive(true);
    EXPECT_EQ(SkinManager->ActionSkinData, own.Skin);
    EXPECT_EQ(SkinManager->PendingAction, 0);
}

TEST_F(SkinData, ComponentsOfOtherFormTypesSwitchTheManagerOnAtOnce) {
    const int before = SkinManager ? SkinManager->RunState : 0;
    const TSkinForm form = ReadSkinForm(package, "SkinFormtype = sfOnlyThisForm");
    EXPECT_TRUE(SkinManager->Active);
    EXPECT_EQ(SkinManager->RunState, before + 1);
    EXPECT_NE(SkinManager->DefaultSkinData, form.Skin) << "only a main-form component is the default";
}

TEST_F(SkinData, ASkinFileIsLoadedAndReappliedWhenItExists) {
    TSkinForm form = ReadSkinForm({}, "Active = False");
    SkinManager->RunState = 1;
    form->SetSkinFile(SkinVariantPath("shortmarks.skn"));
    EXPECT_FALSE(form->SkinEmpty());
    EXPECT_EQ(form->Objects.Button->CheckButtonFrame, 4);
    EXPECT_EQ(SkinManager->ActionSkinData, form.Skin);
    EXPECT_EQ(SkinManager->PendingAction, saReapply);

    form->SetSkinFile(SkinVariantPath("no such skin.skn"));
    EXPECT_TRUE(form->SkinEmpty()) << "a missing file leaves the skin marked empty";
    EXPECT_EQ(form->SkinFile(), SkinVariantPath("no such skin.skn"));
}

TEST_F(SkinData, WindowsAreAskedAboutByClassName) {
    TSkinData skin(nullptr);
    const auto ask = [&](const std::string& className) {
        bool doSkin = true;
        skin.DoFormSkin(reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x1234)), className, doSkin);
        return doSkin;
    };
    EXPECT_FALSE(ask("SysMonthCal32"));
    EXPECT_TRUE(ask("TfrPreviewForm")) << "print previews only with xcFastReport";
    EXPECT_EQ(skin.AskedWindow(), reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x1234)));
    skin.SetSkinControls(skin.SkinControls() | SkinControlBit(xcFastReport));
    EXPECT_FALSE(ask("TfrPreviewForm"));
    EXPECT_TRUE(ask("TFRPREVIEW")) << "the prefix compares with its letter case";
    EXPECT_TRUE(ask("TForm1"));

    std::string asked;
    skin.OnFormSkin = [&](TObject* sender, const std::string& name, bool& doSkin) {
        EXPECT_EQ(sender, &skin);
        asked = name;
        doSkin = name == "SysMonthCal32";
    };
    EXPECT_TRUE(ask("SysMonthCal32")) << "the handler decides alone";
    EXPECT_FALSE(ask("TForm1"));
    EXPECT_EQ(asked, "TForm1");
}

// A component that goes is never used again by the manager, as its default or as the one that
// asked for the pending action.
TEST_F(SkinData, AComponentThatGoesIsForgottenByTheManager) {
    auto first = std::make_unique<TSkinForm>(ReadSkinForm(package));
    const TSkinForm second = ReadSkinForm(package);
    ASSERT_EQ(SkinManager->DefaultSkinData, first->Skin);
    first->Skin->SetActive(false);
    ASSERT_EQ(SkinManager->ActionSkinData, first->Skin);

    first.reset();
    EXPECT_EQ(SkinManager->ActionSkinData, nullptr);
    EXPECT_EQ(SkinManager->DefaultSkinData, second.Skin) << "the next main-form component takes its place";
    const auto& registered = SkinManager->SkinDatas();
    EXPECT_EQ(std::count(registered.begin(), registered.end(), second.Skin), 1);
    EXPECT_EQ(registered.size(), 1u);
}

// Damaged and foreign packages are refused or read as far as they go; the form is read to its
// end in every case.
TEST_F(SkinData, DamagedPackagesNeverStopTheForm) {
    const struct {
        const char* File;
        bool Loads;
        int Boxes;
    } variants[] = {
        {"empty.skn", false, 1},       {"oldmagic.skn", false, 1},  {"hugelength.skn", false, 0},
        {"truncated.skn", true, 0},    {"badindex.skn", false, 0},  {"manyentries.skn", false, 0},
        {"badbitmap.skn", true, 0},    {"zeroframes.skn", true, 0}, {"noini.skn", true, 0},
        {"shortmarks.skn", true, 0},   {"negativelength.skn", false, 0}, {"negativenames.skn", false, 0},
        {"longnames.skn", false, 0},   {"negativesize.skn", false, 0},   {"wrappingsizes.skn", false, 0},
        {"thousandentries.skn", true, 0}, {"bigpictures.skn", true, 0},   {"manysections.skn", true, 0},
    };
    for (const auto& v : variants) {
        SCOPED_TRACE(v.File);
        TSkinForm form;
        std::string text;
        const int boxes = AnswerBoxesDuring([&] { form = ReadSkinForm(FileBytes(SkinVariantPath(v.File))); }, &text);
        ASSERT_NE(form.Skin, nullptr);
        EXPECT_EQ(!form->SkinEmpty(), v.Loads);
        EXPECT_EQ(form->Active(), v.Loads);
        EXPECT_EQ(boxes, v.Boxes);
        if (v.Boxes) {
            EXPECT_EQ(text, "This is Older Skin File\rPlease update to new version !");
        }
    }
}

TEST_F(SkinData, DamagedBitmapEntriesAreEmptyPictures) {
    const TSkinForm form = ReadSkinForm(FileBytes(SkinVariantPath("badbitmap.skn")));
    const TDataSkinButton& button = *form->Objects.Button;
    EXPECT_TRUE(button.Image.Empty()) << "a header of impossible sizes";
    EXPECT_TRUE(button.CheckButton.Empty()) << "cut short";
    EXPECT_TRUE(button.RadioButton.Empty()) << "not a bitmap";
    EXPECT_EQ(button.RadioButtonFrame, 8) << "as the description says";
    EXPECT_EQ(button.Trans, 1);
    EXPECT_FALSE(form->Objects.MenuItem->Image.Empty()) << "the other pictures are read";
}

// A picture past the largest a skin may hold is no picture, known before its pixels take memory;
// one as large as that is taken.
TEST_F(SkinData, PicturesPastTheLargestSizeAreEmpty) {
    const TSkinForm form = ReadSkinForm(FileBytes(SkinVariantPath("bigpictures.skn")));
    ASSERT_FALSE(form->SkinEmpty());
    const TSkinObjects& o = form->Objects;
    EXPECT_EQ(o.Button->Image.Width(), 4096);
    EXPECT_EQ(o.Button->Image.Height(), 4096);
    EXPECT_TRUE(o.Borders[TSkinObjects::bTop]->Image.Empty()) << "4097 wide";
    EXPECT_TRUE(o.Button->CheckButton.Empty()) << "4097 high";
    EXPECT_FALSE(o.Borders[TSkinObjects::bLeft]->Image.Empty()) << "the other pictures are read";
}

// Of thousands of title-button sections the first few are kept, the skin's own among them; the
// rest are not read.
TEST_F(SkinData, TitleButtonsPastTheFewATitleBarShowsAreIgnored) {
    const TSkinForm form = ReadSkinForm(FileBytes(SkinVariantPath("manysections.skn")));
    ASSERT_FALSE(form->SkinEmpty());
    const auto& buttons = form->Objects.TitleButtons;
    ASSERT_EQ(buttons.size(), static_cast<std::size_t>(MaxTitleButtons) + 3) << "and the three MDI buttons";
    EXPECT_EQ(buttons.front()->Name, "BUTTON1");
    const auto kept = buttons.begin() + MaxTitleButtons;
    const auto added = std::find_if(buttons.begin(), kept, [](const auto& b) { return b->Name == "BUTTON1000"; });
    ASSERT_NE(added, kept);
    for (auto b = added; b != kept; ++b) {
        EXPECT_EQ((*b)->Name, "BUTTON" + std::to_string(1000 + (b - added)));
        EXPECT_FALSE((*b)->Image.Empty());
    }
    EXPECT_EQ((*kept)->Name, "MDICONTROLS");
}

TEST_F(SkinData, FrameCountsBelowOneFromTheDescriptionCountAsOne) {
    const TSkinForm form = ReadSkinForm(FileBytes(SkinVariantPath("zeroframes.skn")));
    const TSkinObjects& o = form->Objects;
    EXPECT_EQ(o.Borders[TSkinObjects::bLeft]->Frame, 1);
    EXPECT_EQ(o.Borders[TSkinObjects::bTop]->Frame, 1);
    EXPECT_EQ(o.Borders[TSkinObjects::bRight]->Frame, 2) << "the others as given";
    EXPECT_EQ(o.Headerbar->Frame, 1);
    EXPECT_EQ(o.ProgressChunk->Frame, 1);
    EXPECT_EQ(o.Track->Frame, 1);
    EXPECT_EQ(o.TrackVert->Frame, 1);
    EXPECT_EQ(o.HorzScrollThumb->Frame, 1);
    EXPECT_EQ(o.VertScrollThumb->Frame, 3);
    EXPECT_EQ(o.TitleButtons.front()->Name, "BUTTON1");
    EXPECT_EQ(o.TitleButtons.front()->Frame, 1);
    for (TDataSkinObject* object : o.All()) EXPECT_GE(object->Frame, 1) << object->Name;
    // The title bar's two stacked frames are now read as one: the sample is a third of the way
    // down the whole picture, inside its first frame.
    EXPECT_EQ(form->SampledBackground(), RGB(12, 10, 120));
}

TEST_F(SkinData, APackageWithoutDescriptionIsASkinOfDefaults) {
    const TSkinForm form = ReadSkinForm(FileBytes(SkinVariantPath("noini.skn")));
    EXPECT_FALSE(form->SkinEmpty());
    EXPECT_EQ(form->SkinName(), "");
    EXPECT_EQ(form->Colours().ButtonFace, clBtnFace);
    EXPECT_EQ(form->Colours().Menubar, clBtnFace);
    EXPECT_TRUE(form->ColourTable().empty());
    EXPECT_EQ(form->CustomColours()[9], clWhite);
    EXPECT_EQ(form->Objects.MenuItem, nullptr);
    EXPECT_TRUE(form->Objects.Button->Image.Empty());
    EXPECT_EQ(form->Objects.TitleButtons.size(), 3u) << "the MDI buttons only";
    EXPECT_EQ(form->Objects.Borders[TSkinObjects::bLeft]->Frame, 1);
    EXPECT_EQ(form->Objects.Borders[TSkinObjects::bLeft]->Tile, 1);
    EXPECT_EQ(form->Objects.Borders[TSkinObjects::bLeft]->Trans, 1);
    EXPECT_EQ(form->Objects.Title->FontHeight, 14);
    EXPECT_EQ(form->Objects.Title->ActiveText, clNone);
    ASSERT_NE(form->Objects.Track, nullptr);
    EXPECT_EQ(form->Objects.Track->Image.Width(), 16) << "the program's own channel";
    EXPECT_EQ(form->SampledBackground(), clBtnFace);
    ASSERT_NE(form->Objects.Toolbar, nullptr);
    EXPECT_EQ(form->Objects.Toolbar->Image.Height(), 40);
}

// Stored bytes that do not hold the size they begin with, or no whole size at all, are no skin,
// as a size of 0 is: the form is read on to its end, unskinned, and nothing is allocated for
// what is not there.
TEST_F(SkinData, ASkinStreamShorterThanItsSizeIsRefusedAndTheFormReadOn) {
    PrepareApplication();
    for (const char* stored : {"FFFFFF7F 0102", "05000000 01020304", "0102"}) {
        SCOPED_TRACE(stored);
        TForm form(nullptr);
        ASSERT_NO_THROW(form.ReadFormText(std::string("TForm F {\n  TSkinData S {\n    Active = True\n    SkinStream = < ") +
                                              stored + " >\n    Skin3rd = nil\n  }\n}\n",
                                          "F"));
        auto* skin = dynamic_cast<TSkinData*>(form.FindComponent("S"));
        ASSERT_NE(skin, nullptr);
        EXPECT_TRUE(skin->SkinEmpty());
        EXPECT_FALSE(skin->Active());
        EXPECT_EQ(skin->SkinStream().Size(), 0);
        EXPECT_EQ(skin->Skin3rd()->Count(), 0) << "the properties after it are read";
    }
}

// The application's small icon on magenta, for title bars of windows without their own.
TEST_F(SkinData, LoadedDrawsTheApplicationsIconOnMagenta) {
    HWND application = Application->Handle();
    HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(32516));  // IDI_INFORMATION
    ASSERT_NE(icon, nullptr);
    SendMessageA(application, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    const TSkinForm form = ReadSkinForm(package);
    SendMessageA(application, WM_SETICON, ICON_SMALL, 0);
    TBitmap& bitmap = *form->AppIconBitmap();
    ASSERT_EQ(bitmap.Width(), GetSystemMetrics(SM_CXSMICON));
    ASSERT_EQ(bitmap.Height(), GetSystemMetrics(SM_CYSMICON));
    EXPECT_TRUE(bitmap.Transparent());
    EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);
    int magenta = 0, drawn = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) (RgbAt(bitmap, x, y) == Magenta ? magenta : drawn)++;
    EXPECT_GT(magenta, 0) << "around the icon";
    EXPECT_GT(drawn, 0) << "the icon";

    // Without an icon the bitmap stays as it was.
    const TSkinForm plain = ReadSkinForm(package);
    EXPECT_TRUE(plain->AppIconBitmap()->Empty());
}
