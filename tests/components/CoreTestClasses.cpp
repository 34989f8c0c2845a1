#include "CoreTestClasses.h"

#include <algorithm>

std::vector<std::string>& Journal() {
    static std::vector<std::string> journal;
    return journal;
}

const TEnumType SampleModeType{"TSampleMode", {"smOff", "smSlow", "smFast"}};
const TEnumType SampleFlagType{"TSampleFlag", {"sfRed", "sfGreen", "sfBlue"}};

const TClassInfo& TSampleItem::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TSampleItem>("TSampleItem").Str("Label", &TSampleItem::Label).Int("Weight", &TSampleItem::Weight).Build();
    return info;
}

const TClassInfo& TSampleItems::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSampleItems>("TSampleItems").Build();
    return info;
}

const TClassInfo& TSampleFont::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TSampleFont>("TSampleFont").Str("Face", &TSampleFont::Face).Int("Size", &TSampleFont::Size).Default(9).Build();
    return info;
}

const TClassInfo& TSampleBase::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSampleBase>("TSampleBase")
        .Int("Count", &TSampleBase::Count, &TSampleBase::SetCount).Default(0)
        .Bool("Active", &TSampleBase::Active, &TSampleBase::SetActive).Default(0)
        .Enum("Mode", SampleModeType, &TSampleBase::Mode, &TSampleBase::SetMode).Default(smOff)
        .Set("Flags", SampleFlagType, &TSampleBase::Flags, &TSampleBase::SetFlags).Default(0)
        .Str("Title", &TSampleBase::Title, &TSampleBase::SetTitle)
        .Color("Shade", &TSampleBase::Shade).Default(clBlack)
        .Object("Buddy", &TSampleBase::Buddy, &TSampleBase::SetBuddy)
        .Object("Font", &TSampleBase::Font)
        .Object("Lines", &TSampleBase::Lines)
        .Object("Items", &TSampleBase::Items)
        .Event("OnPing", &TSampleBase::OnPing)
        .Event("OnAdjust", &TSampleBase::OnAdjust)
        .Build();
    return info;
}

const TClassInfo& TSampleBlob::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSampleBlob>("TSampleBlob").Build();
    return info;
}

const TClassInfo& TSampleRoot::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSampleRoot>("TSampleRoot")
        .Field("First", &TSampleRoot::First)
        .Field("Blob", &TSampleRoot::Blob)
        .Handler("Pinged", &TSampleRoot::Pinged)
        .Handler("Adjust", &TSampleRoot::Adjust)
        .Build();
    return info;
}

void RegisterSampleClasses() {
    RegisterComponentClass(TSampleBase::StaticClass());
    RegisterComponentClass(TSampleBlob::StaticClass());
}

void TSampleBase::Note(const std::string& what) {
    Journal().push_back(Name() + "." + what);
    WasReading = InState(csReading);
}

void TSampleBase::Loaded() {
    TComponent::Loaded();
    Journal().push_back(Name() + ".Loaded");
}

void TSampleBase::SetCount(int count) {
    FCount = count;
    Note("Count");
}

void TSampleBase::SetActive(bool active) {
    FActive = active;
    Note("Active");
}

void TSampleBase::SetMode(TSampleMode mode) {
    FMode = mode;
    Note("Mode");
}

void TSampleBase::SetFlags(unsigned flags) {
    FFlags = flags;
    Note("Flags");
}

void TSampleBase::SetTitle(const std::string& title) {
    FTitle = title;
    Note("Title");
}

void TSampleBase::SetParentComponent(TComponent* parent) {
    Container = dynamic_cast<TSampleBase*>(parent);
    if (Container) Container->Children.push_back(this);
}

TSampleBase::~TSampleBase() {
    if (Container) {
        auto& list = Container->Children;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    for (TSampleBase* child : Children) child->Container = nullptr;
}

void TSampleBase::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
    for (TSampleBase* child : Children) proc(child);
}

void TSampleBlob::DefineProperties(TFiler& filer) {
    TSampleBase::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Data",
        [this](TStream& s) {
            ++ReadCalls;
            int32_t size = 0;
            s.ReadBuffer(&size, 4);
            Data.assign(static_cast<size_t>(std::max(0, size)), '\0');
            if (size > 0) s.ReadBuffer(Data.data(), size);
            Note("Data");
        },
        [this](TStream& s) {
            const int32_t size = static_cast<int32_t>(Data.size());
            s.WriteBuffer(&size, 4);
            if (size > 0) s.WriteBuffer(Data.data(), size);
        },
        true);
}

void TSampleRoot::Pinged(TObject* sender) { PingedBy.push_back(sender); }

void TSampleRoot::Adjust(TObject*, int& value) { value *= 2; }
