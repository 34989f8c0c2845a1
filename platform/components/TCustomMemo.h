#pragma once
#include <memory>

#include "components/TCustomEdit.h"
#include "components/TStrings.h"

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
extern const TEnumType ScrollStyleType;

class TMemoStrings;

// A multi-line edit box whose lines are a list of strings.
class TCustomMemo : public TCustomEdit {
    DECLARE_CLASS(TCustomMemo, TCustomEdit)
public:
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;

    TStrings* Lines();
    void SetLines(TStrings* lines);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle style);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool wrap);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool want) { FWantReturns = want; }
    // Adds the text at the end in one change, without reading the text already there (a log
    // window appends all day); the caret follows it into view.
    void AppendText(const std::string& text);
    // Puts the text in place of all there is, in one change, with the caret at its end.
    void ReplaceText(const std::string& text);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void WndProc(TMessage& message) override;

private:
    void ReplaceRange(int start, int end, const std::string& text);

    std::unique_ptr<TMemoStrings> FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
};

class TMemo : public TCustomMemo {
    DECLARE_CLASS(TMemo, TCustomMemo)
public:
    explicit TMemo(TComponent* owner) : TCustomMemo(owner) {}
};
