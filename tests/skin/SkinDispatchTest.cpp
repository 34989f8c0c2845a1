// The choice of control skin for every control of a skinned window: the console's kinds of
// control on one form, the skin data's lines for other libraries' classes and its switches,
// the disable tag, the application's own choice, and the child windows no component made.
#include <map>

#include "GuiTestSupport.h"
#include "SkinControl.h"
#include "SkinControlFactory.h"
#include "SkinControlSupport.h"
#include "SkinMessages.h"
#include "components/TButton.h"
#include "components/TClassInfo.h"
#include "components/TCustomCheckBox.h"
#include "components/TCustomComboBox.h"
#include "components/TCustomEdit.h"
#include "components/TCustomGroupBox.h"
#include "components/TCustomLabel.h"
#include "components/TCustomListBox.h"
#include "components/TCustomListView.h"
#include "components/TCustomMemo.h"
#include "components/TCustomPanel.h"
#include "components/TCustomStatusBar.h"
#include "components/TGraphicControl.h"
#include "components/TPageControl.h"
#include "components/TRadioButton.h"
#include "components/TTabSheet.h"
#include "components/TToolBar.h"
#include "components/TToolButton.h"

namespace {

// The skins asked for, by the control they were asked for (the first request counts).
struct TRequests {
    std::map<TComponent*, std::pair<std::string, int>> First;
    std::vector<TComponent*> Order;

    std::string ClassOf(TComponent* owner) const {
        const auto found = First.find(owner);
        return found == First.end() ? "(none)" : found->second.first;
    }
    int ModeOf(TComponent* owner) const { return First.at(owner).second; }
    std::size_t Place(TComponent* owner) const {
        return static_cast<std::size_t>(std::find(Order.begin(), Order.end(), owner) - Order.begin());
    }
};

// Listens to the dispatch and gives the shared skin data back as it was.
class SkinDispatch : public SkinWindowTest {
protected:
    TRequests Requests;

    void SetUp() override {
        SkinWindowTest::SetUp();
        FControls = TestSkin()->SkinControls();
        FLines = TestSkin()->Skin3rd()->Text();
        SkinRequestProbe = [this](const std::string& skinClass, TComponent* owner, int mode) {
            if (Requests.First.emplace(owner, std::make_pair(skinClass, mode)).second) Requests.Order.push_back(owner);
        };
    }
    void TearDown() override {
        SkinRequestProbe = nullptr;
        TestSkin()->SetSkinControls(FControls);
        TestSkin()->Skin3rd()->SetText(FLines);
        TestSkin()->OnSkinControl = nullptr;
        SkinWindowTest::TearDown();
    }
    void Switch(TSkinControlType type, bool on) {
        const TSkinControlTypes all = TestSkin()->SkinControls();
        TestSkin()->SetSkinControls(on ? all | SkinControlBit(type) : all & ~SkinControlBit(type));
    }

private:
    TSkinControlTypes FControls = 0;
    std::string FLines;
};

bool AnswersSkinQuery(TControl* control) { return control->Perform(WM_SKINQUERY) == 1; }

// ---- classes of other libraries, known to the dispatch only by name

const TEnumType ButtonKindType{"TcxButtonKind", {"cxbkStandard", "cxbkDropDownButton"}};

class TcxButton : public TButton {
    DECLARE_CLASS(TcxButton, TButton)
public:
    using TButton::TButton;
    int Kind = 0;
};

class TBitBtn : public TButton {
    DECLARE_CLASS(TBitBtn, TButton)
public:
    using TButton::TButton;
};

class TRzCheckGroup : public TCustomPanel {
    DECLARE_CLASS(TRzCheckGroup, TCustomPanel)
public:
    using TCustomPanel::TCustomPanel;
};

class TRzCheckBox : public TCheckBox {
    DECLARE_CLASS(TRzCheckBox, TCheckBox)
public:
    using TCheckBox::TCheckBox;
};

class TRadioGroup : public TCustomPanel {
    DECLARE_CLASS(TRadioGroup, TCustomPanel)
public:
    using TCustomPanel::TCustomPanel;
};

class TTrackBar : public TWinControl {
    DECLARE_CLASS(TTrackBar, TWinControl)
public:
    using TWinControl::TWinControl;
    bool Transparent = false;
};

class TRxSpeedButton : public TGraphicControl {
    DECLARE_CLASS(TRxSpeedButton, TGraphicControl)
public:
    using TGraphicControl::TGraphicControl;
};

}  // namespace

const TClassInfo& TcxButton::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TcxButton>("TcxButton").Enum("Kind", ButtonKindType, &TcxButton::Kind).Build();
    return info;
}
const TClassInfo& TBitBtn::StaticClass() {
    static const TClassInfo info = TClassBuilder<TBitBtn>("TBitBtn").Build();
    return info;
}
const TClassInfo& TRzCheckGroup::StaticClass() {
    static const TClassInfo info = TClassBuilder<TRzCheckGroup>("TRzCheckGroup").Build();
    return info;
}
const TClassInfo& TRzCheckBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TRzCheckBox>("TRzCheckBox").Build();
    return info;
}
const TClassInfo& TRadioGroup::StaticClass() {
    static const TClassInfo info = TClassBuilder<TRadioGroup>("TRadioGroup").Build();
    return info;
}
const TClassInfo& TTrackBar::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TTrackBar>("TTrackBar").Bool("Transparent", &TTrackBar::Transparent).Build();
    return info;
}
const TClassInfo& TRxSpeedButton::StaticClass() {
    static const TClassInfo info = TClassBuilder<TRxSpeedButton>("TRxSpeedButton").Build();
    return info;
}

namespace {

template <class T>
T* Put(TWinControl& parent, TComponent* owner = nullptr) {
    auto* control = new T(owner ? owner : &parent);
    control->SetParent(&parent);
    control->SetBounds(4, 4, 80, 24);
    return control;
}

TEST_F(SkinDispatch, EveryKindOfConsoleControlIsOfferedItsSkinClassAndContainersSkinTheirChildrenFirst) {
    std::map<TControl*, std::string> expected;
    TRadioButton* radio = nullptr;
    TGroupBox* group = nullptr;
    TButton* button = nullptr;
    TCheckBox* check = nullptr;
    TPageControl* pages = nullptr;
    const auto form = ShowForm([&](TForm& f) {
        f.SetBounds(100, 100, 500, 400);
        auto* toolBar = Put<TToolBar>(f, &f);
        auto* toolButton = Put<TToolButton>(*toolBar, &f);
        group = Put<TGroupBox>(f, &f);
        group->SetBounds(0, 40, 200, 100);
        radio = Put<TRadioButton>(*group, &f);
        auto* panel = Put<TPanel>(f, &f);
        button = Put<TButton>(*panel, &f);
        check = Put<TCheckBox>(f, &f);
        pages = Put<TPageControl>(f, &f);
        pages->SetBounds(200, 40, 200, 150);
        auto* sheet = new TTabSheet(&f);
        sheet->SetPageControl(pages);
        auto* sheetEdit = Put<TEdit>(*sheet, &f);
        expected = {{toolBar, "TSkinBox"},        {toolButton, "(none)"},         {group, "TSkinGroupBox"},
                    {radio, "TSkinRadioButton"},  {panel, "TSkinBox"},            {button, "TSkinButton"},
                    {check, "TSkinCheckBox"},     {pages, "TSkinTab"},            {sheet, "TSkinTabSheet"},
                    {sheetEdit, "TSkinEdit"},     {Put<TEdit>(f, &f), "TSkinEdit"}, {Put<TComboBox>(f, &f), "TSkinComBox"},
                    {Put<TMemo>(f, &f), "TSkinScrollbar"}, {Put<TListBox>(f, &f), "TSkinScrollbar"},
                    {Put<TListView>(f, &f), "TSkinListView"}, {Put<TStatusBar>(f, &f), "TSkinStatusBar"},
                    {Put<TLabel>(f, &f), "(none)"}};
    });
    for (const auto& [control, skinClass] : expected)
        EXPECT_EQ(Requests.ClassOf(control), skinClass) << control->ClassName();
    EXPECT_EQ(Requests.ModeOf(pages), 2) << "a page control's tabs";
    EXPECT_LT(Requests.Place(radio), Requests.Place(group)) << "a group box skins its children first";
    // The button family is built: those controls carry their skins.
    for (TControl* control : {static_cast<TControl*>(radio), static_cast<TControl*>(button), static_cast<TControl*>(check)})
        EXPECT_TRUE(AnswersSkinQuery(control)) << control->ClassName();
}

TEST_F(SkinDispatch, TheKindWordOfALineDecidesAndEndsTheDispatchEvenWhenItsSwitchIsOff) {
    TestSkin()->Skin3rd()->Add("TCheckBox=nil");
    Switch(xcButton, false);
    TcxButton* cx = nullptr;
    TBitBtn* bit = nullptr;
    TCheckBox* never = nullptr;
    const auto form = ShowForm([&](TForm& f) {
        cx = Put<TcxButton>(f);
        bit = Put<TBitBtn>(f);
        never = Put<TCheckBox>(f);
    });
    EXPECT_EQ(Requests.ClassOf(cx), "(none)") << "the line's kind needs buttons switched on; no class test runs";
    EXPECT_EQ(Requests.ClassOf(never), "(none)");
    EXPECT_FALSE(AnswersSkinQuery(never));
    EXPECT_EQ(Requests.ClassOf(bit), "(none)") << "buttons are switched off";

    Switch(xcButton, true);
    TcxButton* dropDown = nullptr;
    const auto second = ShowForm([&](TForm& f) {
        cx = Put<TcxButton>(f);
        dropDown = Put<TcxButton>(f);
        dropDown->Kind = 1;
        bit = Put<TBitBtn>(f);
    });
    EXPECT_EQ(Requests.ClassOf(cx), "TSkinBitButton");
    EXPECT_EQ(Requests.ClassOf(dropDown), "TSkinMenuButton");
    EXPECT_EQ(Requests.ClassOf(bit), "TSkinButton") << "no line names it: a button by its class";
    for (TControl* control : {static_cast<TControl*>(cx), static_cast<TControl*>(dropDown), static_cast<TControl*>(bit)})
        EXPECT_TRUE(AnswersSkinQuery(control));
}

TEST_F(SkinDispatch, LinesAreComparedWithoutLetterCaseAndTheirSwitchesGateThem) {
    // The skin data's own line "TRzCheckGroup=CheckGroup" selects the check-group rule.
    TestSkin()->Skin3rd()->Add("TTRACKBAR=TrackBar");
    Switch(xcTrackBar, false);
    TRzCheckGroup* group = nullptr;
    TCheckBox* plain = nullptr;
    TRzCheckBox* own = nullptr;
    TTrackBar* track = nullptr;
    TRxSpeedButton* speed = nullptr;
    const auto form = ShowForm([&](TForm& f) {
        group = Put<TRzCheckGroup>(f);
        group->SetBounds(0, 0, 200, 100);
        plain = Put<TCheckBox>(*group);
        own = Put<TRzCheckBox>(*group);
        track = Put<TTrackBar>(f);
        speed = Put<TRxSpeedButton>(f);
    });
    EXPECT_EQ(Requests.ClassOf(plain), "TSkinCheckBox");
    EXPECT_EQ(Requests.ClassOf(own), "TSkinObjImage");
    EXPECT_EQ(Requests.ModeOf(own), 1);
    EXPECT_EQ(Requests.ClassOf(group), "TSkinGroupBox");
    EXPECT_LT(Requests.Place(plain), Requests.Place(group));
    EXPECT_EQ(Requests.ClassOf(track), "(none)") << "track bars are switched off";
    EXPECT_FALSE(track->Transparent);
    EXPECT_EQ(Requests.ClassOf(speed), "TSkinSpeedButton");
    EXPECT_TRUE(AnswersSkinQuery(speed)) << "hooked through its WindowProc";

    Switch(xcTrackBar, true);
    const auto second = ShowForm([&](TForm& f) { track = Put<TTrackBar>(f); });
    EXPECT_EQ(Requests.ClassOf(track), "TSkinTrackBar");
    EXPECT_TRUE(track->Transparent);
}

TEST_F(SkinDispatch, TheDisableTagKeepsAControlAndTheChildrenOfItsGroupUnskinned) {
    const int disable = TestSkin()->DisableTag();
    TRadioGroup* group = nullptr;
    TRadioButton* inGroup = nullptr;
    TButton* tagged = nullptr;
    const auto form = ShowForm([&](TForm& f) {
        group = Put<TRadioGroup>(f, &f);
        group->SetBounds(0, 0, 200, 100);
        group->SetTag(disable);
        inGroup = Put<TRadioButton>(*group, &f);
        tagged = Put<TButton>(f, &f);
        tagged->SetTag(disable);
    });
    EXPECT_EQ(inGroup->Tag(), disable);
    for (TControl* control : {static_cast<TControl*>(group), static_cast<TControl*>(inGroup), static_cast<TControl*>(tagged)}) {
        EXPECT_EQ(Requests.ClassOf(control), "(none)") << control->ClassName();
        EXPECT_FALSE(AnswersSkinQuery(control));
    }
}

TEST_F(SkinDispatch, TheApplicationMayChooseTheSkinAndAnythingElseItAnswersIsIgnored) {
    std::vector<std::string> asked;
    TComponent* notASkin = nullptr;
    TestSkin()->OnSkinControl = [&](TComponent*, TSkinData*, TControl*, TControl* control, const std::string& name,
                                    TComponent*& chosen) {
        asked.push_back(name);
        if (name == "TPANEL") chosen = NewSkinButton(control);
        if (name == "TCHECKBOX") chosen = notASkin = new TComponent(control);
    };
    TPanel* panel = nullptr;
    TCheckBox* check = nullptr;
    TButton* inPanel = nullptr;
    const auto form = ShowForm([&](TForm& f) {
        panel = Put<TPanel>(f, &f);
        panel->SetBounds(0, 0, 200, 100);
        inPanel = Put<TButton>(*panel, &f);
        check = Put<TCheckBox>(f, &f);
    });
    EXPECT_NE(std::find(asked.begin(), asked.end(), "TCHECKBOX"), asked.end()) << "asked with the upper-cased class";
    EXPECT_EQ(Requests.ClassOf(panel), "(none)") << "the application's skin is taken as it is";
    TSkinControl* panelSkin = SkinOf(form->Handle())->FindControlByHandle(panel->Handle());
    ASSERT_NE(panelSkin, nullptr);
    EXPECT_EQ(panelSkin->ClassName(), "TSkinButton");
    EXPECT_EQ(std::count(SkinOf(form->Handle())->Controls.begin(), SkinOf(form->Handle())->Controls.end(), panelSkin), 1);
    EXPECT_TRUE(AnswersSkinQuery(inPanel)) << "a panel skinned by the application still skins its children";
    EXPECT_EQ(Requests.ClassOf(check), "TSkinCheckBox") << "an answer that is no skin changes nothing";
    EXPECT_NE(notASkin, nullptr);
}

TEST_F(SkinDispatch, UnskinningTakesEverySkinAndDrawingHandlerBackFromTheControls) {
    TToolBar* toolBar = nullptr;
    TButton* button = nullptr;
    auto form = ShowForm([&](TForm& f) {
        toolBar = Put<TToolBar>(f, &f);
        Put<TToolButton>(*toolBar, &f);
        button = Put<TButton>(f, &f);
        button->SetTop(40);
    });
    EXPECT_TRUE(AnswersSkinQuery(button));
    TestSkin()->SetActive(false);
    PumpMessages(400);
    EXPECT_EQ(SkinOf(form->Handle()), nullptr);
    EXPECT_FALSE(AnswersSkinQuery(button));
    EXPECT_FALSE(toolBar->OnCustomDraw) << "nothing of the freed window skin stays bound";
    EXPECT_FALSE(toolBar->OnCustomDrawButton);
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    TestSkin()->SetActive(true);
    PumpMessages(400);
}

// ---- windows no component made

HWND Child(HWND parent, const char* className, DWORD style) {
    return CreateWindowExA(0, className, "x", WS_CHILD | WS_VISIBLE | style, 0, 0, 60, 20, parent, nullptr, nullptr,
                           nullptr);
}

TEST_F(SkinDispatch, RawChildWindowsAreSkinnedByTheirWindowClassAndStyle) {
    const auto raw = CreateRawWindow("SkinDispatchRaw");
    std::map<HWND, std::string> expected;
    const HWND parent = raw->Handle;
    expected[Child(parent, "BUTTON", BS_PUSHBUTTON)] = "TSkinButton";
    expected[Child(parent, "BUTTON", 8)] = "TSkinButton";
    expected[Child(parent, "BUTTON", BS_AUTOCHECKBOX)] = "TSkinCheckBox";
    expected[Child(parent, "BUTTON", 0xA)] = "TSkinCheckBox";
    expected[Child(parent, "BUTTON", BS_AUTO3STATE)] = "TSkinCheckBox";
    expected[Child(parent, "BUTTON", BS_AUTORADIOBUTTON)] = "TSkinRadioButton";
    expected[Child(parent, "BUTTON", BS_GROUPBOX)] = "(none)";
    expected[Child(parent, "BUTTON", BS_OWNERDRAW)] = "(none)";
    expected[Child(parent, "BUTTON", BS_PUSHBUTTON | BS_BITMAP)] = "(none)";
    expected[Child(parent, "COMBOBOX", CBS_DROPDOWNLIST)] = "TSkinComBox";
    expected[Child(parent, "COMBOBOX", CBS_SIMPLE)] = "(none)";
    expected[Child(parent, "EDIT", 0)] = "TSkinEdit";
    expected[Child(parent, "SysTabControl32", 0)] = "TSkinTab";
    expected[Child(parent, "SysTabControl32", 0x2000)] = "(none)";
    expected[Child(parent, "SysTreeView32", 0)] = "(none)";
    const HWND page = Child(parent, "#32770", 0);
    Child(page, "EDIT", 0);
    const HWND control = Child(parent, "#32770", WS_TABSTOP);
    Child(control, "EDIT", 0);

    // Raw windows' skins are owned by the window's skin: they are counted by class here, and the
    // built ones are looked up by their window.
    std::map<std::string, int> requested;
    SkinRequestProbe = [&](const std::string& skinClass, TComponent*, int) { ++requested[skinClass]; };
    Activate(parent);
    ASSERT_TRUE(WaitSkinned(parent));
    TWinSkinForm* skin = SkinOf(parent);
    for (const auto& [window, skinClass] : expected) {
        TSkinControl* found = skin->FindControlByHandle(window);
        if (skinClass == "TSkinButton" || skinClass == "TSkinCheckBox" || skinClass == "TSkinRadioButton") {
            ASSERT_NE(found, nullptr) << skinClass;
            EXPECT_EQ(found->ClassName(), skinClass);
        } else if (skinClass == "(none)") {
            EXPECT_EQ(found, nullptr);
        }
    }
    EXPECT_EQ(requested["TSkinButton"], 2);
    EXPECT_EQ(requested["TSkinCheckBox"], 3);
    EXPECT_EQ(requested["TSkinRadioButton"], 1);
    EXPECT_EQ(requested["TSkinComBox"], 1);
    EXPECT_EQ(requested["TSkinEdit"], 2) << "the edit on the page; the page with WS_TABSTOP is not walked";
    EXPECT_EQ(requested["TSkinTab"], 1);
    EXPECT_EQ(requested["TSkinBoxH"], 1);

    // A size grip made later in the skinned window gets its skin from the window.
    EXPECT_EQ(requested["TSkinSizer"], 0);
    Child(parent, "SCROLLBAR", SBS_SIZEGRIP);
    EXPECT_EQ(requested["TSkinSizer"], 1);
}

}  // namespace
