#include "WinSkinData.h"

#include <algorithm>
#include <cstddef>

#include "ImgUtil.h"
#include "SkinRead.h"
#include "SkinReadBox.h"
#include "WinSkinDlg.h"
#include "WinSkinIni.h"
#include "components/SysUtils.h"
#include "components/TApplication.h"
#include "components/TCanvas.h"
#include "components/TClassInfo.h"
#include "components/TForm.h"

const TEnumType SkinControlTypeType{
    "TSkinControlType",
    {"xcMainMenu", "xcPopupMenu", "xcMenuItem", "xcToolbar", "xcControlbar", "xcCombo", "xcCheckBox", "xcRadioButton",
     "xcProgress", "xcScrollbar", "xcEdit", "xcButton", "xcBitBtn", "xcSpeedButton", "xcSpin", "xcPanel", "xcGroupBox",
     "xcStatusBar", "xcTab", "xcTrackBar", "xcSystemMenu", "xcFastReport"}};
const TEnumType SkinOptionType{"TSkinOption",
                               {"xoMDIScrollbar", "xoMenuMerge", "xoTransparent", "xoPreview", "xoParentBackGround",
                                "xoNoFocusRect", "xoToolbarBK", "xoMDIChildBorder", "xoMenuBG"}};
const TEnumType SkinFormTypeType{"TSkinFormType", {"sfMainform", "sfOnlyThisForm", "sfDialog", "sfDLL"}};

namespace {

constexpr int ActionDelayMs = 250;
// The size of the non-client metrics as every version of Windows since 95 fills them.
constexpr UINT ClassicNonClientMetricsSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);
static_assert(ClassicNonClientMetricsSize == 340, "the classic non-client metrics are 340 bytes");

// What the unit does when the program starts and ends: the user32 functions that older systems
// lack are looked up, and the form reader learns the component's class.
class TUnitLifetime {
public:
    TUnitLifetime() {
        FUser32 = LoadLibraryA("user32.dll");
        if (FUser32) {
            Entries.GetScrollBarInfo =
                reinterpret_cast<decltype(Entries.GetScrollBarInfo)>(reinterpret_cast<void*>(GetProcAddress(FUser32, "GetScrollBarInfo")));
            Entries.TrackMouseEvent =
                reinterpret_cast<decltype(Entries.TrackMouseEvent)>(reinterpret_cast<void*>(GetProcAddress(FUser32, "TrackMouseEvent")));
            Entries.GetComboBoxInfo =
                reinterpret_cast<decltype(Entries.GetComboBoxInfo)>(reinterpret_cast<void*>(GetProcAddress(FUser32, "GetComboBoxInfo")));
        }
        RegisterComponentClass("TSkinData", &TSkinData::StaticClass);
    }
    ~TUnitLifetime() {
        Entries = TUser32Entries();
        if (FUser32) FreeLibrary(FUser32);
    }
    TUnitLifetime(const TUnitLifetime&) = delete;
    TUnitLifetime& operator=(const TUnitLifetime&) = delete;

    TUser32Entries Entries;

private:
    HMODULE FUser32 = nullptr;
};
TUnitLifetime Unit;

std::int32_t ReadInt32(TStream& stream) {
    std::uint8_t bytes[4] = {};
    stream.ReadBuffer(bytes, sizeof bytes);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                                     static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24);
}

void WriteInt32(TStream& stream, std::int32_t value) {
    const std::uint32_t bits = static_cast<std::uint32_t>(value);
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                                   static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
    stream.WriteBuffer(bytes, sizeof bytes);
}

// The readers of one load, known to the component only while the load runs.
class TLoadReaders {
public:
    TLoadReaders(TSkinReader*& reader, TMemoryStream*& entry, TSkinReader& ownReader, TMemoryStream& ownEntry)
        : FReader(reader), FEntry(entry) {
        FReader = &ownReader;
        FEntry = &ownEntry;
    }
    ~TLoadReaders() {
        FReader = nullptr;
        FEntry = nullptr;
    }
    TLoadReaders(const TLoadReaders&) = delete;
    TLoadReaders& operator=(const TLoadReaders&) = delete;

private:
    TSkinReader*& FReader;
    TMemoryStream*& FEntry;
};

bool IsFile(const std::string& fileName) {
    const DWORD attributes = GetFileAttributesA(fileName.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

TUser32Entries& User32Entries() { return Unit.Entries; }

const std::vector<std::string>& DefaultSkin3rd() {
    static const std::vector<std::string> lines = {
        "TPngBitBtn=pngbitbtn", "TVirtualStringTree=scrollbar", "TVirtualDrawTree=scrollbar",
        "TTBXDockablePanel=Panel", "TAdvPanelGroup=scrollbar", "TComboboxex=combobox", "TRxSpeedButton=speedbutton",
        "THTMLViewer=scrollbar", "TDBCtrlGrid=scrollbar", "TfrSpeedButton=speedbutton", "TfrTBButton=speedbutton",
        "TControlBar=Panel", "TTBDock=Panel", "TTBToolbar=Panel", "TImageEnMView=scrollbar", "TImageEnView=scrollbar",
        "TAdvMemo=scrollbar", "TDBAdvMemo=scrollbar", "TcxDBLookupComboBox=combobox", "TcxDBComboBox=combobox",
        "TcxDBDateEdit=combobox", "TcxDBImageComboBox=combobox", "TcxDBCalcEdit=combobox", "TcxDBBlobEdit=combobox",
        "TcxDBPopupEdit=combobox", "TcxDBFontNameComboBox=combobox", "TcxDBShellComboBox=combobox",
        "TRxLookupEdit=combobox", "TRxDBLookupCombo=combobox", "TRzGroup=panel", "TRzButton=button",
        "TRzBitbtn=bitbtn", "TRzMenuButton=menubtn", "TRzCheckGroup=CheckGroup", "TRzRadioGroup=Radiogroup",
        "TRzButtonEdit=Edit", "TRzDBRadioGroup=Radiogroup", "TRzDBRadioButton=Radiobutton",
        "TRzDateTimeEdit=combobox", "TRzColorEdit=combobox", "TRzDateTimePicker=combobox",
        "TRzDBDateTimeEdit=combobox", "TRzDbColorEdit=combobox", "TRzDBDateTimePicker=combobox", "TLMDButton=bitbtn",
        "TLMDGroupBox=Groupbox", "TDBCheckboxEh=Checkbox", "TDBCheckboxEh=Checkbox", "TLMDCHECKBOX=Checkbox",
        "TLMDDBCHECKBOX=Checkbox", "TLMDRadiobutton=Radiobutton", "TLMDCalculator=panel", "TLMDGROUPBOX=Panel",
        "TLMDSIMPLEPANEL=Panel", "TLMDDBCalendar=Panel", "TLMDButtonPanel=Panel", "TLMDLMDCalculator=Panel",
        "TLMDHeaderPanel=Panel", "TLMDTechnicalLine=Panel", "TLMDLMDClock=Panel", "TLMDTrackbar=panel",
        "TLMDListCombobox=combobox", "TLMDCheckListCombobox=combobox", "TLMDHeaderListCombobox=combobox",
        "TLMDImageCombobox=combobox", "TLMDColorCombobox=combobox", "TLMDFontCombobox=combobox",
        "TLMDFontSizeCombobox=combobox", "TLMDFontSizeCombobox=combobox", "TLMDPrinterCombobox=combobox",
        "TLMDDriveCombobox=combobox", "TLMDCalculatorComboBox=combobox", "TLMDTrackBarComboBox=combobox",
        "TLMDCalendarComboBox=combobox", "TLMDTreeComboBox=combobox", "TLMDRADIOGROUP=radiogroup",
        "TLMDCheckGroup=CheckGroup", "TLMDDBRADIOGROUP=radiogroup", "TLMDDBCheckGroup=CheckGroup",
        "TLMDCalculatorEdit=edit", "TLMDEDIT=Edit", "TLMDMASKEDIT=Edit", "TLMDBROWSEEDIT=Edit",
        "TLMDEXTSPINEDIT=Edit", "TLMDCALENDAREDIT=Edit", "TLMDFILEOPENEDIT=Edit", "TLMDFILESAVEEDIT=Edit",
        "TLMDCOLOREDIT=Edit", "TLMDDBEDIT=Edit", "TLMDDBMASKEDIT=Edit", "TLMDDBEXTSPINEDIT=Edit",
        "TLMDDBSPINEDIT=Edit", "TLMDDBEDITDBLookup=Edit", "TLMDEDITDBLookup=Edit", "TDBLookupCombobox=Combobox",
        "TWWDBCombobox=Combobox", "TWWDBLookupCombo=Combobox", "TWWDBCombobox=Combobox", "TWWKeyCombo=Combobox",
        "TWWTempKeyCombo=combobox", "TWWDBDateTimePicker=Combobox", "TWWRADIOGROUP=radiogroup", "TWWDBEDIT=Edit",
        "TcxButton=bitbtn", "TcxDBRadioGroup=radiogroup", "TcxRadioGroup=radiogroup", "TcxGroupbox=groupbox",
        "TOVCPICTUREFIELD=Edit", "TOVCDBPICTUREFIELD=Edit", "TOVCSLIDEREDIT=Edit", "TOVCDBSLIDEREDIT=Edit",
        "TOVCSIMPLEFIELD=Edit", "TOVCDBSIMPLEFIELD=Edit", "TO32DBFLEXEDIT=Edit", "TOVCNUMERICFIELD=Edit",
        "TOVCDBNUMERICFIELD=Edit"};
    return lines;
}

const TClassInfo& TSkinData::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinData>("TSkinData")
        .Bool("Active", &TSkinData::Active, &TSkinData::SetActive).Default(0)
        .Int("DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag).Default(99)
        .Set("SkinControls", SkinControlTypeType, &TSkinData::SkinControls, &TSkinData::SetSkinControls).Default(0x1FFFFB)
        .Set("Options", SkinOptionType, &TSkinData::Options, &TSkinData::SetOptions).Default(0x48)
        .Object("Skin3rd", &TSkinData::Skin3rd, &TSkinData::SetSkin3rd)
        .Str("SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile)
        .Str("SkinStore", &TSkinData::SkinStore, &TSkinData::SetSkinStore)
        .Enum("SkinFormtype", SkinFormTypeType, &TSkinData::SkinFormtype, &TSkinData::SetSkinFormtype).Default(sfMainform)
        .Str("Version", &TSkinData::Version, &TSkinData::SetVersion)
        .Bool("MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate).Default(1)
        .Bool("MenuMerge", &TSkinData::MenuMerge, &TSkinData::SetMenuMerge).Default(0)
        .Event("OnFormSkin", &TSkinData::OnFormSkin)
        .Event("OnSkinChanged", &TSkinData::OnSkinChanged)
        .Event("OnSkinControl", &TSkinData::OnSkinControl)
        .Build();
    return info;
}

TSkinData::TSkinData(TComponent* owner)
    : TComponent(owner),
      FSkin3rd(std::make_unique<TStringList>()),
      FAppIconBitmap(std::make_unique<TBitmap>()),
      FMenuGlyphs(std::make_unique<TImageList>(nullptr)),
      FCaptionFont(std::make_unique<TFont>()) {
    for (const std::string& line : DefaultSkin3rd()) FSkin3rd->Add(line);
    FCustomColours.fill(clWhite);
    FAppIconBitmap->SetPixelFormat(pf24bit);
    MakeAlwaysPresentObjects();
    LoadMenuGlyphs();
    FMaximizedSize = SIZE{GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
}

TSkinData::~TSkinData() {
    if (SkinManager) SkinManager->UnregisterSkinData(this);
    if (FFaceBrush) DeleteObject(FFaceBrush);
}

void TSkinData::MakeAlwaysPresentObjects() {
    Objects.Button = std::make_unique<TDataSkinButton>("Buttons");
    const char* const borderNames[] = {"Left", "Right", "Top", "Bottom"};
    for (std::size_t i = 0; i < Objects.Borders.size(); ++i) Objects.Borders[i] = std::make_unique<TDataSkinBorder>(borderNames[i]);
    Objects.Title = std::make_unique<TDataSkinTitle>("Title");
}

// Four 16 x 16 glyphs of the system menu (restore, maximise, minimise, close), black on white.
void TSkinData::LoadMenuGlyphs() {
    FMenuGlyphs->SetWidth(16);
    FMenuGlyphs->SetHeight(16);
    FMenuGlyphs->SetMaskColor(clWhite);
    FMenuGlyphs->LoadFromResourceName(GetModuleHandleA(nullptr), "TARVEXMENU", clWhite);
}

void TSkinData::SetSkin3rd(TStrings* lines) {
    if (lines) FSkin3rd->Assign(lines);
    else FSkin3rd->Clear();
}

std::string TSkinData::SkinStore() { return Designing() && FSkinStream.Size() > 0 ? "(Good)" : "(none)"; }

// ---- streaming --------------------------------------------------------------------------------

void TSkinData::DefineProperties(TFiler& filer) {
    TComponent::DefineProperties(filer);
    filer.DefineBinaryProperty("SkinStream", [this](TStream& s) { ReadSkinStream(s); },
                               [this](TStream& s) { WriteSkinStream(s); }, true);
}

// The stored bytes: a 32-bit size, then that many bytes of package. Stored bytes that do not
// hold what their size says are no skin, as a size of 0 is: the form is read on, unskinned.
void TSkinData::ReadSkinStream(TStream& stream) {
    if (stream.Size() - stream.Position() < 4) return;
    const std::int32_t size = ReadInt32(stream);
    if (size <= 0) return;
    // Refused before anything is allocated for it.
    if (size > stream.Size() - stream.Position()) return;
    FSkinStream.Clear();
    FSkinStream.SetSize(size);
    stream.ReadBuffer(FSkinStream.Memory(), size);
    FSkinStream.SetPosition(0);
    if (!Designing()) LoadStoredSkin();
}

// A skin that cannot be loaded, for whatever its pictures ask of the system, is no skin: the
// program is started without it rather than not at all.
void TSkinData::LoadStoredSkin() {
    try {
        LoadSkin();
    } catch (const std::exception& e) {
        FSkinEmpty = true;
        SkinLog(std::string("skin refused: ") + e.what());
    }
}

void TSkinData::WriteSkinStream(TStream& stream) {
    const std::int64_t size = FSkinStream.Size();
    WriteInt32(stream, static_cast<std::int32_t>(size));
    if (size > 0) stream.WriteBuffer(FSkinStream.Memory(), size);
}

bool TSkinData::LoadSkin() {
    FSkinEmpty = true;
    if (Designing()) return false;
    TSkinReader reader(ShowSkinReaderBox);
    TMemoryStream entry;
    const TLoadReaders readers(FReader, FEntry, reader, entry);
    if (!reader.LoadFromStream(FSkinStream)) return false;
    TQuickIni ini;
    FIni = &ini;
    try {
        std::string name;
        reader.ExtractFirstMatch(".ini", entry, name);
        entry.SetPosition(0);
        ini.LoadFromStream(&entry);
        ReadSkinIni();
    } catch (...) {
        FIni = nullptr;
        throw;
    }
    FIni = nullptr;
    return true;
}

// ---- starting the engine ----------------------------------------------------------------------

void TSkinData::Loaded() {
    TComponent::Loaded();
    if (Designing()) return;
    if (!User32Entries().GetScrollBarInfo) FSkinControls &= ~SkinControlBit(xcScrollbar);
    TSkinManage* manager = CreateSkinManager();
    manager->RegisterSkinData(this);
    CreateCaptionFont();

    if (FSkinFormtype != sfMainform) {
        manager->Active = true;
        manager->RunState += 1;
        if (auto* form = dynamic_cast<TForm*>(Owner())) manager->SkinWindow(form->Handle());
        return;
    }
    manager->InstallHook();
    if (FActive) {
        if (FSkinEmpty) FActive = false;
        else manager->PostAction(saSkinAll, ActionDelayMs);
    }
    // The menus are skinned either as a whole menu bar or item by item, not both.
    if (FSkinControls & SkinControlBit(xcMainMenu)) FSkinControls &= ~SkinControlBit(xcMenuItem);
    else FSkinControls &= ~SkinControlBit(xcSystemMenu);
    BuildAppIconBitmap();
}

// The application's small icon on magenta, for the title bars of windows without their own.
void TSkinData::BuildAppIconBitmap() {
    if (!Application) return;
    HWND window = Application->Handle();
    auto icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0));
    if (!icon) return;
    const int width = GetSystemMetrics(SM_CXSMICON), height = GetSystemMetrics(SM_CYSMICON);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(clFuchsia);
    bitmap->Canvas()->FillRect(TRect{0, 0, width, height});
    auto small = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, width, height, LR_COPYFROMRESOURCE));
    if (!small) return;
    DrawIconEx(bitmap->Canvas()->Handle(), 0, 0, small, width, height, 0, nullptr, DI_NORMAL);
    DestroyIcon(small);
    bitmap->SetTransparent(true);
    bitmap->SetTransparentColor(clFuchsia);
    FAppIconBitmap = std::move(bitmap);
}

// A component made in code and switched on before any form started the engine starts it now.
static TSkinManage* StartedManager(TSkinData* skinData) {
    if (!SkinManager) skinData->Loaded();
    return SkinManager;
}

void TSkinData::SetActive(bool value) {
    if (value == FActive) return;
    FActive = value;
    if (Designing() || Reading()) return;
    if (FSkinFormtype == sfMainform) {
        if (value && FSkinEmpty) return;
        TSkinManage* manager = StartedManager(this);
        manager->ActionSkinData = this;
        manager->PostAction(value ? saSkinAll : saUnskinAll, ActionDelayMs);
        if (value) manager->RunState = 1;
    } else if (FSkinFormtype == sfOnlyThisForm) {
        TSkinManage* manager = StartedManager(this);
        manager->ActionSkinData = this;
        if (value && FSkinEmpty) return;
        manager->PostAction(value ? saSkinAll : saUnskinAll, ActionDelayMs);
    }
}

void TSkinData::SetSkinFile(const std::string& fileName) {
    FSkinEmpty = true;
    FSkinFile = fileName;
    if (Designing()) {
        if (!fileName.empty() && FSkinStream.Size() > 0) FSkinStream.Clear();
        return;
    }
    if (fileName.empty() || !IsFile(fileName)) return;
    FSkinStream.LoadFromFile(fileName);
    LoadSkin();
    if (FSkinFormtype == sfMainform) Reapply();
}

void TSkinData::Reapply() {
    if (Designing() || Reading()) return;
    TSkinManage* manager = StartedManager(this);
    manager->ActionSkinData = this;
    manager->FreeSysButtons();
    if (manager->RunState == 1) manager->PostAction(saReapply, ActionDelayMs);
}

void TSkinData::DoFormSkin(HWND window, const std::string& className, bool& doSkin) {
    FAskedWindow = window;
    if (OnFormSkin) {
        OnFormSkin(this, className, doSkin);
        return;
    }
    if (className == "SysMonthCal32") doSkin = false;
    else if ((FSkinControls & SkinControlBit(xcFastReport)) && className.compare(0, 3, "Tfr") == 0) doSkin = false;
}

void TSkinData::DoSkinChanged() {
    if (OnSkinChanged) OnSkinChanged(this);
}

void TSkinData::CreateCaptionFont() {
    FCaptionFont = std::make_unique<TFont>();
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = ClassicNonClientMetricsSize;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ClassicNonClientMetricsSize, &metrics, 0))
        FCaptionFont->AssignLogFont(metrics.lfCaptionFont);
}

bool TSkinData::GetScrollBarInfoSafe(HWND window, LONG objectId, SCROLLBARINFO& info) {
    const auto getInfo = User32Entries().GetScrollBarInfo;
    return getInfo && getInfo(window, objectId, &info);
}

void TSkinData::TrackMouseLeave(HWND window) {
    const auto track = User32Entries().TrackMouseEvent;
    if (!track) return;
    TRACKMOUSEEVENT event{};
    event.cbSize = sizeof event;
    event.dwFlags = TME_LEAVE;
    event.hwndTrack = window;
    track(&event);
}

// ---- the skin objects -------------------------------------------------------------------------

std::vector<TDataSkinObject*> TSkinObjects::All() const {
    std::vector<TDataSkinObject*> all{Title.get()};
    for (const auto& button : TitleButtons) all.push_back(button.get());
    for (TDataSkinObject* object :
         std::initializer_list<TDataSkinObject*>{
             Button.get(), Tabs.get(), UpDownHorz.get(), UpDownVert.get(), SunkEdge.get(), ExtraImages.get(),
             ComboButton.get(), ComboxArrow.get(), GroupBoxEdge.get(), Toolbar.get(), ToolBars.get(), Progress.get(),
             ProgressChunk.get(), GroupBox.get(), StatusBarEdges.get(), TabPane.get(), Headerbar.get(), MenuBar.get(),
             MenuItem.get(), MenuBackground.get(), Scrollbar.get(), HorzScroll.get(), VertScroll.get(),
             HorzScrollThumb.get(), VertScrollThumb.get(), ThumbHorz.get(), ThumbVert.get(), Track.get(),
             TrackVert.get(), ThumbLeft.get(), ThumbRight.get(), ThumbUp.get(), ThumbDown.get()})
        all.push_back(object);
    for (const auto& border : Borders) all.push_back(border.get());
    all.erase(std::remove(all.begin(), all.end(), nullptr), all.end());
    return all;
}

TDataSkinObject* TSkinObjects::Find(const std::string& name) const {
    for (TDataSkinObject* object : All())
        if (SameText(object->Name, name)) return object;
    return nullptr;
}
