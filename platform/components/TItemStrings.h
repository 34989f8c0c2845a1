#pragma once
// The items of a list box or combo box: kept in the control's window while it has one, and in
// memory before it has one or while it is made anew. The associated objects are the items' data.
#include "components/Win32.h"

#include <vector>

#include "components/TStrings.h"

class TControl;

struct TItemMessages {
    UINT GetCount, GetText, GetTextLen, AddString, InsertString, DeleteString, ResetContent, GetItemData, SetItemData;
};
extern const TItemMessages ListBoxMessages;
extern const TItemMessages ComboBoxMessages;

class TItemStrings : public TStrings {
    DECLARE_CLASS(TItemStrings, TStrings)
public:
    TItemStrings(TControl& control, const TItemMessages& messages) : FControl(control), FMessages(messages) {}

    int Count() const override;
    std::string Get(int index) const override;
    TObject* Objects(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const std::string& text) override;
    void Delete(int index) override;
    void Clear() override;

    // Moves the items into a new window, or out of one about to be destroyed.
    void PushToWindow();
    void PullFromWindow();

protected:
    void SetUpdateState(bool updating) override;

private:
    HWND Window() const;
    struct TItem {
        std::string Text;
        TObject* Object = nullptr;
    };
    TControl& FControl;
    const TItemMessages& FMessages;
    std::vector<TItem> FItems;  // only while there is no window
};
