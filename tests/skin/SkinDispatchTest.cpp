// The choice of control skin for every control of a skinned window: the console's kinds of
// control on one form, the skin data's lines for other libraries' classes and its switches,
// the disable tag, the application's own choice, and the child windows no component made.
#include <map>
#include <set>

#include "GuardedHeap.h"
#include "GuiTestSupport.h"
#include "SkinControl.h"
#include "SkinControlFactory.h"
#include "SkinControlSupport.h"
#include "SkinBitButton.h"
#include "SkinMessages.h"
#include "DataSkinObject.h"
#include "components/TMainMenu.h"
#include "components/TMenuItem.h"
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

// The skins asked for, by the control they were asked for (the first request counts), and how
// many times each control was asked for.
struct TRequests {
    std::map<TComponent*, TSkinRequest> First;
    std::map<TComponent*, int> Count;
    std::vector<TComponent*> Order;

    void Note(const TSkinRequest& request) {
        if (First.emplace(request.Owner, request).second) Order.push_back(request.Owner);
        ++Count[request.Owner];
    }
    std::string ClassOf(TComponent* owner) const {
        const auto found = First.find(owner);
        return found == First.end() ? "(none)" : found->second.SkinClass;
    }
    int ModeOf(TComponent* owner) const { return First.at(owner).Mode; }
    TSkinAttachWay AttachOf(TComponent* owner) const { return First.at(owner).Attach; }
    std::size_t Place(TComponent* owner) const {
        return static_cast<std::size_t>(std::find(Order.begin(), Order.end(), owner) - Order.begin());
    }
};

const char* AttachName(TSkinAttachWay attach) {
    switch (attach) {
    case TSkinAttachWay::Control: return "flag 0";
    case TSkinAttachWay::ControlInSkinColour: return "flag 1";
    case TSkinAttachWay::Scrollbars: return "scroll bars";
    case TSkinAttachWay::Handle: return "by handle";
    case TSkinAttachWay::Own: return "its own";
    }
    return "?";
}

// Listens to the dispatch and gives the shared skin data back as it was.
class SkinDispatch : public SkinWindowTest {
protected:
    TRequests Requests;

    void SetUp() override {
        SkinWindowTest::SetUp();
        FControls = TestSkin()->SkinControls();
        FLines = TestSkin()->Skin3rd()->Text();
        SkinRequestProbe = [this](const TSkinRequest& request) { Requests.Note(request); };
    }
    void TearDown() override {
        SkinRequestProbe = nullptr;
        TestSkin()->SetSkinControls(FControls);
        TestSkin()->Skin3rd()->SetText(FLines);
        TestSkin()->OnSkinControl = nullptr;
        SkinWindowTest::TearDown();
    }
public:
    void Switch(TSkinControlType type, bool on) {
        const TSkinControlTypes all = TestSkin()->SkinControls();
        TestSkin()->SetSkinControls(on ? all | SkinControlBit(type) : all & ~SkinControlBit(type));
    }
    // A form set up by the caller, shown and skinned, with the requests of its dispatch alone.
    std::unique_ptr<TForm> Dispatched(const std::function<void(TForm&)>& setUp) {
        Requests = TRequests();
        return ShowForm([&](TForm& f) {
            f.SetBounds(0, 0, 700, 500);
            setUp(f);
        });
    }

protected:
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

// A control of another library that the dispatch knows by its class name alone: a control of
// the base class reporting that name (and the base's properties), its window with the extra
// style.
template <class Base>
class TNamed : public Base {
public:
    TNamed(TComponent* owner, const std::string& name, DWORD extraStyle = 0)
        : Base(owner), FClass(name, &Base::StaticClass()), FExtraStyle(extraStyle) {}
    const TClassInfo& ClassType() const override { return FClass; }

protected:
    void CreateParams(TCreateParams& params) override {
        Base::CreateParams(params);
        params.Style |= FExtraStyle;
    }

private:
    TClassInfo FClass;
    DWORD FExtraStyle;
};

template <class Base>
class TNamedGraphic : public Base {
public:
    TNamedGraphic(TComponent* owner, const std::string& name) : Base(owner), FClass(name, &Base::StaticClass()) {}
    const TClassInfo& ClassType() const override { return FClass; }

private:
    TClassInfo FClass;
};

// An edit of another library with a number of buttons.
class TDCEdit : public TWinControl {
    DECLARE_CLASS(TDCEdit, TWinControl)
public:
    using TWinControl::TWinControl;
    int NumButtons = 0;
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
const TClassInfo& TDCEdit::StaticClass() {
    static const TClassInfo info = TClassBuilder<TDCEdit>("TDCEdit").Int("NumButtons", &TDCEdit::NumButtons).Build();
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
    EXPECT_EQ(Requests.AttachOf(group), TSkinAttachWay::ControlInSkinColour);
    EXPECT_EQ(Requests.AttachOf(button), TSkinAttachWay::Control);
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

// ---- every row of the dispatch's tables

// One row: the control it is about, what the dispatch asks for it, and the switch that gates it.
struct TRow {
    std::string What;
    std::function<TControl*(TForm&)> Make;
    std::string Skin;  // "(none)": nothing is asked for
    int Mode = 0;
    TSkinAttachWay Attach = TSkinAttachWay::Control;
    int Gate = -1;  // a TSkinControlType; -1 for none
    bool TabImage = false;  // also needs the skin's tab image
};

template <class T>
std::function<TControl*(TForm&)> Plain() {
    return [](TForm& f) { return Put<T>(f, &f); };
}

template <class Base = TWinControl>
std::function<TControl*(TForm&)> Named(const std::string& name, DWORD extraStyle = 0) {
    return [name, extraStyle](TForm& f) {
        auto* control = new TNamed<Base>(&f, name, extraStyle);
        control->SetParent(&f);
        control->SetBounds(4, 4, 80, 24);
        return static_cast<TControl*>(control);
    };
}

std::function<TControl*(TForm&)> DCEdit(const std::string& name, int buttons) {
    return [name, buttons](TForm& f) {
        auto* edit = new TNamed<TDCEdit>(&f, name);
        edit->NumButtons = buttons;
        edit->SetParent(&f);
        edit->SetBounds(4, 4, 80, 24);
        return static_cast<TControl*>(edit);
    };
}

// Every row on one form with every switch on; then, for each switch in turn, every row it
// gates on a form with that switch off (and the tab rows without the skin's tab image).
void SkinDispatchRows(SkinDispatch& test, TRequests& requests, const std::vector<TRow>& rows) {
    const auto check = [&](const std::function<bool(const TRow&)>& off) {
        std::vector<TControl*> made(rows.size());
        const auto form = test.Dispatched([&](TForm& f) {
            for (std::size_t i = 0; i < rows.size(); ++i) made[i] = rows[i].Make(f);
        });
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const TRow& row = rows[i];
            if (off(row)) {
                EXPECT_EQ(requests.ClassOf(made[i]), "(none)") << row.What << ", switched off";
                continue;
            }
            EXPECT_EQ(requests.ClassOf(made[i]), row.Skin) << row.What;
            if (row.Skin == "(none)" || requests.ClassOf(made[i]) != row.Skin) continue;
            EXPECT_EQ(requests.ModeOf(made[i]), row.Mode) << row.What;
            EXPECT_STREQ(AttachName(requests.AttachOf(made[i])), AttachName(row.Attach)) << row.What;
            EXPECT_EQ(requests.Count[made[i]], 1) << row.What << " is asked for once";
        }
    };
    check([](const TRow&) { return false; });
    std::set<int> gates;
    for (const TRow& row : rows)
        if (row.Gate >= 0) gates.insert(row.Gate);
    for (int gate : gates) {
        SCOPED_TRACE("switch " + std::to_string(gate) + " off");
        test.Switch(static_cast<TSkinControlType>(gate), false);
        check([gate](const TRow& row) { return row.Gate == gate; });
        test.Switch(static_cast<TSkinControlType>(gate), true);
    }
    SCOPED_TRACE("no tab image");
    std::unique_ptr<TDataSkinBorder> tabs = std::move(TestSkin()->Objects.Tabs);
    check([](const TRow& row) { return row.TabImage; });
    TestSkin()->Objects.Tabs = std::move(tabs);
}

using Way = TSkinAttachWay;

TEST_F(SkinDispatch, EachKindWordAsksForItsSkinWithItsModeAndAttachUnlessItsSwitchIsOff) {
    const std::vector<TRow> rows = {
        {"combobox", Named("TKindCombo"), "TSkinComBox", 0, Way::Control, xcCombo},
        {"edit with a border", Named("TKindEdit", WS_BORDER), "TSkinEdit", 0, Way::Control, xcEdit},
        {"edit without a border", Named("TKindBareEdit"), "(none)"},
        {"radiobutton", Named("TKindRadio"), "TSkinRadioButton", 0, Way::Control, xcRadioButton},
        {"panel", Named("TKindPanel"), "TSkinBox", 0, Way::ControlInSkinColour, xcPanel},
        {"trackbar", Named("TKindTrack"), "TSkinTrackBar", 0, Way::Control, xcTrackBar},
        {"button", Named("TKindButton"), "TSkinButton", 0, Way::Control, xcButton},
        {"datetimepicker", Named("TKindDate"), "TSkinDateTime", 0, Way::Control, xcCombo},
        {"mediaplayer", Named("TKindPlayer"), "TSkinMP", 0, Way::Control, xcButton},
        {"bitbtn", Named("TKindBitBtn"), "TSkinBitButton", 0, Way::Control, xcButton},
        {"pngbitbtn", Named("TKindPngBtn"), "TSkinBitButton", 0, Way::Control, xcButton},
        {"menubtn", Named("TKindMenuBtn"), "TSkinMenuButton", 0, Way::Control, xcButton},
        {"speedbutton",
         [](TForm& f) {
             auto* speed = new TNamedGraphic<TGraphicControl>(&f, "TKindSpeed");
             speed->SetParent(&f);
             speed->SetBounds(4, 4, 24, 24);
             return static_cast<TControl*>(speed);
         },
         "TSkinSpeedButton", 0, Way::Own, xcSpeedButton},
        {"tab", Named("TKindTab"), "TSkinTab", 0, Way::Control, xcTab, true},
        {"progress", Named("TKindProgress"), "TSkinProgress", 0, Way::Control, xcProgress},
        {"scrollbar", Named("TKindScroll"), "TSkinScrollbar", 0, Way::Scrollbars, xcScrollbar},
        {"singlescrollbar", Named("TKindSingle"), "TSkinScrollbar", 1, Way::Scrollbars, xcScrollbar},
        {"groupbox", Named("TKindGroup"), "TSkinGroupBox", 0, Way::ControlInSkinColour, xcGroupBox},
        {"advpagecontrol", Named("TKindAdvPage"), "TSkinAdvPage", 4, Way::ControlInSkinColour, xcTab},
        {"checkbox", Named("TKindCheck"), "TSkinCheckBox", 0, Way::Control, xcCheckBox},
        {"nil", Named<TButton>("TKindNil"), "(none)"},
        {"a word of no kind", Named<TButton>("TKindOther"), "(none)"},
        {"a button of no line", Named<TButton>("TKindNoLine"), "TSkinButton", 0, Way::Control, xcButton},
    };
    TestSkin()->Skin3rd()->SetText(
        "TKindCombo=combobox\nTKindEdit=edit\nTKindBareEdit=edit\nTKindRadio=radiobutton\nTKindPanel=panel\n"
        "TKindTrack=trackbar\nTKindButton=button\nTKindDate=datetimepicker\nTKindPlayer=mediaplayer\n"
        "TKindBitBtn=bitbtn\nTKindPngBtn=PngBitBtn\nTKindMenuBtn=menubtn\nTKindSpeed=speedbutton\nTKindTab=tab\n"
        "TKindProgress=progress\nTKindScroll=scrollbar\nTKindSingle=singlescrollbar\nTKindGroup=groupbox\n"
        "TKindAdvPage=advpagecontrol\nTKindCheck=checkbox\nTKindNil=nil\nTKindOther=whatever\n");
    SkinDispatchRows(*this, Requests, rows);

    // The png button reads its picture from another property.
    TControl* png = nullptr;
    const auto form = Dispatched([&](TForm& f) { png = Named("TKindPngBtn")(f); });
    auto* skin = dynamic_cast<TSkinBitButton*>(SkinOf(form->Handle())->FindControlByHandle(static_cast<TWinControl*>(png)->Handle()));
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->GraphicProperty, "PngImage");
}

TEST_F(SkinDispatch, EachClassTestAsksForItsSkinWithItsModeAndAttachUnlessItsSwitchIsOff) {
    TestSkin()->Skin3rd()->SetText("");
    const auto inPages = [](TForm& f) {
        auto* pages = Put<TPageControl>(f, &f);
        auto* sheet = new TTabSheet(&f);
        sheet->SetPageControl(pages);
        return static_cast<TControl*>(sheet);
    };
    const auto innerForm = [](TForm& f) {
        auto* inner = new TForm(&f);
        inner->SetParent(&f);
        inner->SetBounds(4, 4, 100, 60);
        return static_cast<TControl*>(inner);
    };
    const std::vector<TRow> rows = {
        {"a page control", Plain<TPageControl>(), "TSkinTab", 2, Way::Control, xcTab, true},
        {"TTabSet", Named("TTabSet"), "TSkinTab31", 0, Way::Control, xcTab, true},
        {"a tab sheet", inPages, "TSkinTabSheet", 0, Way::Control, xcTab, true},
        {"TTabbedNotebook", Named("TTabbedNotebook"), "TSkinTab", 0, Way::Control, xcTab, true},
        {"TMvcPanel", Named("TMvcPanel"), "(none)"},
        {"a check box", Plain<TCheckBox>(), "TSkinCheckBox", 0, Way::Control, xcCheckBox},
        {"TUpDown", Named("TUpDown"), "TSkinUpDown", 0, Way::Control, xcSpin},
        {"TSpinButton", Named("TSpinButton"), "TSkinUpDown", 0, Way::Control, xcSpin},
        {"TMediaPlayer", Named("TMediaPlayer"), "TSkinMP", 0, Way::Control, xcButton},
        {"TDBNavigator", Named("TDBNavigator"), "TSkinBox", 0, Way::ControlInSkinColour, xcPanel},
        {"TRzCheckBox", Named("TRzCheckBox"), "TSkinObjImage", 1, Way::ControlInSkinColour, xcCheckBox},
        {"TRzDBCheckBox", Named("TRzDBCheckBox"), "TSkinObjImage", 1, Way::ControlInSkinColour, xcCheckBox},
        {"TRzRadioButton", Named("TRzRadioButton"), "TSkinObjImage", 2, Way::ControlInSkinColour, xcRadioButton},
        {"TRzDBRadioButton", Named("TRzDBRadioButton"), "TSkinObjImage", 2, Way::ControlInSkinColour, xcRadioButton},
        {"TcxCheckBox", Named("TcxCheckBox"), "TSkinObjImage", 3, Way::ControlInSkinColour, xcCheckBox},
        {"TcxDBCheckBox", Named("TcxDBCheckBox"), "TSkinObjImage", 3, Way::ControlInSkinColour, xcCheckBox},
        {"a group box", Plain<TGroupBox>(), "TSkinGroupBox", 0, Way::ControlInSkinColour, xcPanel},
        {"a radio button", Plain<TRadioButton>(), "TSkinRadioButton", 0, Way::Control, xcRadioButton},
        {"a tool bar", Plain<TToolBar>(), "TSkinBox", 0, Way::Control, xcToolbar},
        {"a status bar", Plain<TStatusBar>(), "TSkinStatusBar", 0, Way::Control, xcStatusBar},
        {"TTntComboBox", Named("TTntComboBox"), "TSkinComBox", 0, Way::Control, xcCombo},
        {"a combo box", Plain<TComboBox>(), "TSkinComBox", 0, Way::Control, xcCombo},
        {"TRichEdit", Named("TRichEdit"), "TSkinScrollbar", 0, Way::Scrollbars, xcScrollbar},
        {"TwwDBRichEdit", Named("TwwDBRichEdit"), "TSkinScrollbar", 0, Way::Scrollbars, xcScrollbar},
        {"TdxDBMemo", Named("TdxDBMemo"), "TSkinScrollbar", 0, Way::Scrollbars, xcScrollbar},
        {"a panel", Plain<TPanel>(), "TSkinBox", 0, Way::ControlInSkinColour, xcPanel},
        {"TdxTreeList", Named("TdxTreeList"), "TSkinScrollbar", 0, Way::Scrollbars, xcScrollbar},
        {"TdxDBTreeList", Named("TdxDBTreeList"), "TSkinScrollbar", 0, Way::Scrollbars, xcScrollbar},
        {"TdxDBGrid", Named("TdxDBGrid"), "TSkinScrollbar", 0, Way::Scrollbars, xcScrollbar},
        {"a list view", Plain<TListView>(), "TSkinListView", 0, Way::Scrollbars, xcScrollbar},
        {"a memo", Plain<TMemo>(), "TSkinScrollbar", 0, Way::Scrollbars, xcScrollbar},
        {"a list box", Plain<TListBox>(), "TSkinScrollbar", 0, Way::Scrollbars, xcScrollbar},
        {"a window with a scroll bar", Named("TScrolledView", WS_VSCROLL), "TSkinScrollbar", 0, Way::Scrollbars, xcScrollbar},
        {"a button", Plain<TButton>(), "TSkinButton", 0, Way::Control, xcButton},
        {"an edit", Plain<TEdit>(), "TSkinEdit", 0, Way::Control, xcEdit},
        {"TDCEdit of one button", DCEdit("TDCEdit", 1), "TSkinComBox", 0, Way::Control, xcCombo},
        {"TDCDBEdit of no button", DCEdit("TDCDBEdit", 0), "TSkinEdit", 0, Way::Handle, xcEdit},
        {"TDCEdit of two buttons", DCEdit("TDCEdit", 2), "(none)"},
        {"a form inside the form", innerForm, "TSkinBox", 0, Way::ControlInSkinColour},
        {"TDBComboBoxEh", Named<TComboBox>("TDBComboBoxEh"), "(none)"},
        {"TfrDesignerPage", Named<TPanel>("TfrDesignerPage"), "(none)"},
        {"TfrPBox", Named<TPanel>("TfrPBox"), "(none)"},
        {"a plain window", Named("TSomething"), "(none)"},
    };
    SkinDispatchRows(*this, Requests, rows);
}

TEST_F(SkinDispatch, ToolBarsAndToolButtonsGetTheSkinsDrawingOfTheirMenus) {
    TToolBar* bar = nullptr;
    TMenuItem* buttonItem = nullptr;
    TMenuItem* barItem = nullptr;
    const auto form = Dispatched([&](TForm& f) {
        bar = Put<TToolBar>(f, &f);
        auto* button = Put<TToolButton>(*bar, &f);
        buttonItem = new TMenuItem(&f);
        button->SetMenuItem(buttonItem);
        auto* menu = new TMainMenu(&f);
        barItem = new TMenuItem(&f);
        menu->Items()->Add(barItem);
        bar->SetMenu(menu);
    });
    EXPECT_TRUE(bar->Flat());
    EXPECT_TRUE(bar->OnCustomDraw);
    EXPECT_TRUE(bar->OnCustomDrawButton);
    EXPECT_TRUE(buttonItem->OnDrawItem) << "the tool button's menu item";
    EXPECT_TRUE(barItem->OnDrawItem) << "the items of the bar's menu";
}

TEST_F(SkinDispatch, ContainersDispatchTheirChildrenWhichTheTabOrderNeverReaches) {
    // A speed button has no window: it is skinned only when its container dispatches it.
    std::map<std::string, TControl*> children;
    std::map<std::string, TControl*> containers;
    const auto holding = [&](const std::string& name, TWinControl* container) {
        containers[name] = container;
        container->SetBounds(4, 4, 120, 80);
        auto* speed = new TRxSpeedButton(container);
        speed->SetParent(container);
        speed->SetBounds(2, 2, 20, 20);
        children[name] = speed;
    };
    TestSkin()->Skin3rd()->Add("TKindScroll=scrollbar");
    TestSkin()->Skin3rd()->Add("TKindContainer=container");
    const auto form = Dispatched([&](TForm& f) {
        for (const char* name : {"TMvcPanel", "TDBNavigator", "TKindScroll", "TKindContainer"})
            holding(name, static_cast<TWinControl*>(Named(name)(f)));
        holding("a group box", Put<TGroupBox>(f, &f));
        holding("a panel", Put<TPanel>(f, &f));
    });
    for (const auto& [name, child] : children) EXPECT_EQ(Requests.ClassOf(child), "TSkinSpeedButton") << name;
    // Group boxes and panels skin their children first; a navigator and a kind of scroll bars
    // after their own skin.
    for (const char* name : {"a group box", "a panel"})
        EXPECT_LT(Requests.Place(children[name]), Requests.Place(containers[name])) << name;
    for (const char* name : {"TDBNavigator", "TKindScroll"})
        EXPECT_GT(Requests.Place(children[name]), Requests.Place(containers[name])) << name;
    EXPECT_EQ(Requests.ClassOf(containers["TMvcPanel"]), "(none)");
    EXPECT_EQ(Requests.ClassOf(containers["TKindContainer"]), "(none)");
}

TEST_F(SkinDispatch, AControlOfferedAgainKeepsItsOneSkinAndIsWholeOnceUnskinned) {
    // Containers that get no skin of their own are offered again in tab order: a check group
    // without group boxes switched on, and a parent of controls with scroll bars.
    Switch(xcGroupBox, false);
    TestSkin()->Skin3rd()->Add("TKindEmbed=embedscrollbar");
    {
        const TGuardedHeap guard;
        std::vector<TControl*> children;
        TControl* checks = nullptr;
        TControl* embed = nullptr;
        const auto form = Dispatched([&](TForm& f) {
            checks = Put<TRzCheckGroup>(f, &f);
            checks->SetBounds(0, 0, 200, 100);
            children.push_back(Put<TCheckBox>(*static_cast<TWinControl*>(checks)));
            children.push_back(Put<TRzCheckBox>(*static_cast<TWinControl*>(checks)));
            embed = Named("TKindEmbed")(f);
            embed->SetBounds(210, 0, 200, 150);
            auto* memo = Put<TMemo>(*static_cast<TWinControl*>(embed));
            memo->SetScrollBars(ssVertical);
            children.push_back(memo);
        });
        TWinSkinForm* skin = SkinOf(form->Handle());
        ASSERT_NE(skin, nullptr);
        for (TControl* child : children) {
            EXPECT_EQ(std::count_if(skin->Controls.begin(), skin->Controls.end(),
                                    [child](TSkinControl* s) { return s->Control == child; }),
                      1)
                << child->ClassName();
            EXPECT_EQ(Requests.Count[child], 1) << child->ClassName();
        }
        EXPECT_EQ(Requests.ClassOf(checks), "(none)");
        EXPECT_EQ(Requests.ClassOf(embed), "(none)");

        // Unskinned, each control has its own procedure back: the first message after it goes
        // nowhere near a freed skin.
        TestSkin()->SetActive(false);
        PumpMessages(400);
        ASSERT_EQ(SkinOf(form->Handle()), nullptr);
        for (TControl* child : children) {
            EXPECT_NE(child->Perform(WM_SKINQUERY), 1) << child->ClassName();
            child->Repaint();
        }
        TestSkin()->SetActive(true);
        PumpMessages(400);
    }
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
    SkinRequestProbe = [&](const TSkinRequest& request) {
        ++requested[request.SkinClass];
        EXPECT_EQ(request.Attach, TSkinAttachWay::Handle) << request.SkinClass;
    };
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
