#pragma once
// The skin of a combo box: its edge and drop-down button drawn from the skin over the box the
// system drew, in the box's look (normal, pressed, disabled, hot or focused). The edit of a
// drop-down box is followed so that the skin is drawn again after the edit paints or is clicked.
#include <memory>

#include "SkinControl.h"
#include "WindowProcInstance.h"

class TDataSkinBorder;
class TSkinScrollbarH;

class TSkinComBox : public TSkinControl {
    DECLARE_CLASS(TSkinComBox, TSkinControl)
public:
    explicit TSkinComBox(TComponent* owner);
    ~TSkinComBox() override;

    void AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) override;
    void AttachHandle(HWND window, TSkinData* skinData, TCanvas* canvas, TWinSkinForm* form) override;
    void RestoreColors() override;
    void AfterMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const TRect& r) override;

    // The look of the box: 1 normal, 2 pressed, 3 disabled, 4 hot or focused.
    int LookState(bool plainPainter) const;
    // The skin of a simple box's list scroll bars; nullptr when there is none (or it went).
    TSkinScrollbarH* ListScrollbar() const;

    LONG_PTR Style = 0;
    LONG_PTR ExStyle = 0;
    HWND ListWindow = nullptr;  // the list of a simple combo box
    HWND EditWindow = nullptr;  // the edit of a drop-down combo box, while it is followed
    COMBOBOXINFO Info{};

private:
    void AttachParts();
    void FollowEdit();
    LRESULT EditMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void LetEditGo();
    bool FollowPress(UINT msg);
    void SkinList(HWND list);
    void FreeListScrollbar();
    void PaintFramed(HDC dc, const TRect& r, TDataSkinBorder* button, int state);
    void PaintPlain(HDC dc, const TRect& r, TDataSkinBorder* button);
    bool RightToLeft() const { return (ExStyle & WS_EX_LEFTSCROLLBAR) != 0; }

    TWindowProcInstance FEditInstance{TWindowProcKind::ControlSkin};
    TSkinScrollbarH* FListScrollbar = nullptr;  // owned
    std::weak_ptr<bool> FListLife;  // it goes with the list's window
};
