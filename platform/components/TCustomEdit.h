#pragma once
#include "components/TWinControl.h"

// An edit box on the standard edit window.
class TCustomEdit : public TWinControl {
    DECLARE_CLASS(TCustomEdit, TWinControl)
public:
    explicit TCustomEdit(TComponent* owner);

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool readOnly);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int length);
    char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char c);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle style);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool autoSelect) { FAutoSelect = autoSelect; }

    int SelStart();
    void SetSelStart(int start);
    int SelLength();
    void SetSelLength(int length);
    std::string SelText();
    void SetSelText(const std::string& text);
    void SelectAll();
    void Clear() { SetText(""); }
    bool Modified();

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void WndProc(TMessage& message) override;
    virtual void Change();

private:
    bool FReadOnly = false;
    int FMaxLength = 0;
    char FPasswordChar = 0;
    TBorderStyle FBorderStyle = bsSingle;
    bool FAutoSelect = true;
};

class TEdit : public TCustomEdit {
    DECLARE_CLASS(TEdit, TCustomEdit)
public:
    explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};
