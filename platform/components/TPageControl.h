#pragma once
#include <vector>

#include "components/TCustomTabControl.h"

class TTabSheet;

// Tabs over a stack of tab sheets: the sheet of the chosen tab is shown, the others hidden.
class TPageControl : public TCustomTabControl {
    DECLARE_CLASS(TPageControl, TCustomTabControl)
public:
    explicit TPageControl(TComponent* owner) : TCustomTabControl(owner) {}
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);

    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    // Captions or visibility of the sheets changed.
    void UpdateTabs();
    void AlignControls() override;
    bool ArrangesChildren() const override { return true; }
    void Loaded() override;

protected:
    void InitializeWindow() override;
    void Change() override;

private:
    std::vector<TTabSheet*> VisibleTabs() const;

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
};
