#pragma once
// A list of text lines, each with an associated object. Descendants keep the lines where they
// belong: in memory (TStringList) or in a control's window.
#include <string>
#include <vector>

#include "components/TPersistent.h"

class TStrings : public TPersistent {
    DECLARE_CLASS(TStrings, TPersistent)
public:
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& text);
    virtual TObject* Objects(int index) const;
    virtual void PutObject(int index, TObject* object);
    virtual void Insert(int index, const std::string& text) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    std::string operator[](int index) const { return Get(index); }
    virtual int Add(const std::string& text);
    int AddObject(const std::string& text, TObject* object);
    void AddStrings(const TStrings& other);
    virtual int IndexOf(const std::string& text) const;  // case-insensitive
    int IndexOfObject(const TObject* object) const;

    // Lines joined, each followed by CR LF.
    virtual std::string Text() const;
    // Split at CR LF, a lone CR or a lone LF; a final line break adds no empty line.
    virtual void SetText(const std::string& text);

    // Lines of the form name=value.
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;
    int IndexOfName(const std::string& name) const;   // case-insensitive
    std::string Values(const std::string& name) const;
    // An empty value removes the line; a new name adds one.
    void SetValue(const std::string& name, const std::string& value);

    void BeginUpdate();
    void EndUpdate();
    void Assign(TPersistent* source) override;
    void LoadFromFile(const std::string& fileName);  // throws EStreamError
    void SaveToFile(const std::string& fileName) const;

    static std::vector<std::string> SplitLines(const std::string& text);

protected:
    // Called when the first BeginUpdate starts and the last EndUpdate ends a batch of changes.
    virtual void SetUpdateState(bool updating);
    void CheckIndex(int index, int limit) const;  // throws EListError

private:
    int FUpdateCount = 0;
};
