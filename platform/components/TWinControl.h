#pragma once
// A control that holds other controls and can take the keyboard focus.
#include <vector>

#include "components/TControl.h"

class TWinControl : public TControl {
    DECLARE_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    bool ContainsControl(TControl* control) const;  // at any depth

    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool tabStop);
    int TabOrder() const;
    void SetTabOrder(int order);
    bool CanFocus();
    bool Focused();
    virtual void SetFocus();
    // Every focusable control inside, at all depths, in tab order.
    void GetTabOrderList(std::vector<TWinControl*>& list);
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop);
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
    void SelectFirst();
    // Gives the message to every child control in turn until one answers non-zero.
    void Broadcast(TMessage& message);
    // Places the aligned children; containers that arrange all their children do it here.
    virtual void AlignControls();
    // True for containers that place every child themselves (a tool bar's row).
    virtual bool ArrangesChildren() const { return false; }
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void WndProc(TMessage& message) override;
    void ParentFontChanged() override;
    void ParentColorChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void Resize() override;
    // Key events of this control, after the form's preview; a key set to 0 is taken.
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    // A reflected notification of a child window (CN_xxx) not handled by the child.
    void ReflectToChild(TMessage& message, HWND child);

private:
    friend class TControl;
    void ChildrenFontChanged();
    void ChildrenColorChanged();
    bool HandleKeyMessage(TMessage& message);

    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    bool FTabStop = false;

protected:
    bool FAligning = false;
};
