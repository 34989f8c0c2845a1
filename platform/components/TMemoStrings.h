#pragma once
#include "components/TStrings.h"

class TCustomMemo;

// The lines of a memo, read from and written to its text. A final line break does not start a
// further line.
class TMemoStrings : public TStrings {
    DECLARE_CLASS(TMemoStrings, TStrings)
public:
    explicit TMemoStrings(TCustomMemo& memo) : FMemo(memo) {}

    int Count() const override;
    std::string Get(int index) const override;
    void Put(int index, const std::string& text) override;
    void Insert(int index, const std::string& text) override;
    void Delete(int index) override;
    void Clear() override;
    std::string Text() const override;
    void SetText(const std::string& text) override;

protected:
    void SetUpdateState(bool updating) override;

private:
    std::vector<std::string> Lines() const;
    void Store(const std::vector<std::string>& lines);
    TCustomMemo& FMemo;
};
