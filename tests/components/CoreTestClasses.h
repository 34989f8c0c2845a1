#pragma once
// Non-visual component classes for the tests of reading, writing and property access.
#include <string>
#include <vector>

#include "components/Colors.h"
#include "components/TClassInfo.h"
#include "components/TCollection.h"
#include "components/TCollectionItem.h"
#include "components/TComponent.h"
#include "components/TMemoryStream.h"
#include "components/TStringList.h"

// Every property write and every Loaded goes into one shared journal, in order.
std::vector<std::string>& Journal();

enum TSampleMode { smOff, smSlow, smFast };
extern const TEnumType SampleModeType;
extern const TEnumType SampleFlagType;  // sfRed, sfGreen, sfBlue

class TSampleItem : public TCollectionItem {
    DECLARE_CLASS(TSampleItem, TCollectionItem)
public:
    explicit TSampleItem(TCollection* c) : TCollectionItem(c) {}
    std::string Label;
    int Weight = 0;
};

class TSampleItems : public TTypedCollection<TSampleItem> {
    DECLARE_CLASS(TSampleItems, TCollection)
};

class TSampleFont : public TPersistent {
    DECLARE_CLASS(TSampleFont, TPersistent)
public:
    std::string Face = "Default";
    int Size = 9;
};

class TSampleBase : public TComponent {
    DECLARE_CLASS(TSampleBase, TComponent)
public:
    explicit TSampleBase(TComponent* owner) : TComponent(owner) {}
    void Loaded() override;

    int Count() const { return FCount; }
    void SetCount(int count);
    bool Active() const { return FActive; }
    void SetActive(bool active);
    TSampleMode Mode() const { return FMode; }
    void SetMode(TSampleMode mode);
    unsigned Flags() const { return FFlags; }
    void SetFlags(unsigned flags);
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& title);
    TColor Shade = clBlack;
    TSampleBase* Buddy() const { return FBuddy; }
    void SetBuddy(TSampleBase* buddy) { FBuddy = buddy; }
    TSampleFont* Font() { return &FFont; }
    TStringList* Lines() { return &FLines; }
    TSampleItems* Items() { return &FItems; }
    std::function<void(TObject*)> OnPing;
    std::function<void(TObject*, int&)> OnAdjust;

    // What the journal entries of this component show: "Name.Property" or "Name.Loaded".
    void Note(const std::string& what);
    // The reading state of the component when the last property was set.
    bool WasReading = false;

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    void SetParentComponent(TComponent* parent) override;
    TSampleBase* Container = nullptr;
    std::vector<TSampleBase*> Children;
    ~TSampleBase() override;

private:
    int FCount = 0;
    bool FActive = false;
    TSampleMode FMode = smOff;
    unsigned FFlags = 0;
    std::string FTitle;
    TSampleBase* FBuddy = nullptr;
    TSampleFont FFont;
    TStringList FLines;
    TSampleItems FItems;
};

// Carries binary data through DefineProperties: a 32-bit size, then the bytes.
class TSampleBlob : public TSampleBase {
    DECLARE_CLASS(TSampleBlob, TSampleBase)
public:
    explicit TSampleBlob(TComponent* owner) : TSampleBase(owner) {}
    void DefineProperties(TFiler& filer) override;
    std::string Data;
    int ReadCalls = 0;
};

class TSampleRoot : public TSampleBase {
    DECLARE_CLASS(TSampleRoot, TSampleBase)
public:
    explicit TSampleRoot(TComponent* owner) : TSampleBase(owner) {}
    void Pinged(TObject* sender);
    void Adjust(TObject* sender, int& value);
    TSampleBase* First = nullptr;
    TSampleBlob* Blob = nullptr;
    std::vector<TObject*> PingedBy;
};

void RegisterSampleClasses();
