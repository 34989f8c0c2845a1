#include "components/TPageControl.h"

#include <algorithm>

#include "components/SysUtils.h"
#include "components/TClassInfo.h"
#include "components/TTabSheet.h"

const TClassInfo& TPageControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPageControl>("TPageControl")
        .Object("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage)
        .Build();
    return info;
}

TPageControl::~TPageControl() {
    for (TTabSheet* page : FPages) page->PageControlGone();
}

TTabSheet* TPageControl::Pages(int index) const {
    if (index < 0 || index >= PageCount()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FPages[static_cast<size_t>(index)];
}

std::vector<TTabSheet*> TPageControl::VisibleTabs() const {
    std::vector<TTabSheet*> tabs;
    for (TTabSheet* page : FPages)
        if (page->TabVisible()) tabs.push_back(page);
    return tabs;
}

void TPageControl::InsertPage(TTabSheet* page) {
    if (std::find(FPages.begin(), FPages.end(), page) != FPages.end()) return;
    FPages.push_back(page);
    UpdateTabs();
    if (!FActivePage) SetActivePage(page);
    else AlignControls();
}

void TPageControl::RemovePage(TTabSheet* page) {
    FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
    if (FActivePage == page) FActivePage = nullptr;
    if (InState(csDestroying)) return;
    UpdateTabs();
    if (!FActivePage && !FPages.empty()) SetActivePage(FPages.front());
}

int TPageControl::ActivePageIndex() const {
    auto it = std::find(FPages.begin(), FPages.end(), FActivePage);
    return it == FPages.end() ? -1 : static_cast<int>(it - FPages.begin());
}

void TPageControl::SetActivePageIndex(int index) { SetActivePage(index >= 0 && index < PageCount() ? FPages[static_cast<size_t>(index)] : nullptr); }

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->PageControl() != this) return;
    FActivePage = page;
    if (HandleAllocated()) {
        const auto tabs = VisibleTabs();
        auto it = std::find(tabs.begin(), tabs.end(), page);
        SetTabIndex(it == tabs.end() ? -1 : static_cast<int>(it - tabs.begin()));
    }
    AlignControls();
}

void TPageControl::UpdateTabs() {
    std::vector<std::string> captions;
    for (TTabSheet* page : VisibleTabs()) captions.push_back(page->Caption());
    SetTabs(captions);
    if (HandleAllocated() && FActivePage) SetActivePage(FActivePage);
}

void TPageControl::InitializeWindow() {
    TCustomTabControl::InitializeWindow();
    UpdateTabs();
}

void TPageControl::Loaded() {
    TCustomTabControl::Loaded();
    AlignControls();
}

void TPageControl::AlignControls() {
    if (FAligning) return;
    FAligning = true;
    const TRect display = DisplayRect();
    for (TTabSheet* page : FPages) {
        page->SetBounds(display.Left, display.Top, display.Width(), display.Height());
        page->SetVisible(page == FActivePage);
    }
    FAligning = false;
}

void TPageControl::Change() {
    const auto tabs = VisibleTabs();
    const int index = TabIndex();
    if (index >= 0 && index < static_cast<int>(tabs.size())) {
        FActivePage = tabs[static_cast<size_t>(index)];
        AlignControls();
    }
    TCustomTabControl::Change();
}
