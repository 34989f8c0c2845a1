#pragma once
#include <functional>

#include "components/TStrings.h"

class TStringList : public TStrings {
    DECLARE_CLASS(TStringList, TStrings)
public:
    int Count() const override { return static_cast<int>(FItems.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& text) override;
    TObject* Objects(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const std::string& text) override;
    void Delete(int index) override;
    void Clear() override;

    // Runs after every change, outside a BeginUpdate/EndUpdate batch once at its end.
    std::function<void(TObject*)> OnChange;

protected:
    void SetUpdateState(bool updating) override;

private:
    void Changed();

    struct TItem {
        std::string Text;
        TObject* Object = nullptr;
    };
    std::vector<TItem> FItems;
    bool FUpdating = false;
    bool FChangedWhileUpdating = false;
};
