#include "components/TObject.h"

#include <map>
#include <memory>

#include "components/SysUtils.h"
#include "components/TClassInfo.h"
#include "components/TComponent.h"

const TClassInfo& TObject::StaticClass() {
    static const TClassInfo info = TClassBuilder<TObject>("TObject").Build();
    return info;
}

const std::string& TObject::ClassName() const { return ClassType().Name(); }

bool TObject::InheritsFrom(const TClassInfo& cls) const { return ClassType().InheritsFrom(cls); }

// ---- type information ------------------------------------------------------------------

const TEnumType BooleanType{"Boolean", {"False", "True"}};

const TIdentMap ColorIdents{{
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"}, {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"}, {clMenu, "clMenu"}, {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"}, {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"}, {clActiveBorder, "clActiveBorder"}, {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"}, {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"}, {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"}, {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"}, {clInfoBk, "clInfoBk"}, {clNone, "clNone"}, {clDefault, "clDefault"},
}};

int TEnumType::IndexOf(const std::string& valueName) const {
    for (size_t i = 0; i < Names.size(); ++i)
        if (SameText(Names[i], valueName)) return static_cast<int>(i);
    return -1;
}

const std::string* TIdentMap::NameOf(long long value) const {
    for (const auto& entry : Entries)
        if (entry.first == value) return &entry.second;
    return nullptr;
}

bool TIdentMap::ValueOf(const std::string& name, long long& value) const {
    for (const auto& entry : Entries)
        if (SameText(entry.second, name)) {
            value = entry.first;
            return true;
        }
    return false;
}

std::string TPropInfo::TypeNameOf() const { return ObjectClass ? ObjectClass().Name() : TypeName; }

std::string TPropInfo::OrdToText(long long value) const {
    switch (Kind) {
    case TTypeKind::Enumeration:
        if (Enum && value >= 0 && value < static_cast<long long>(Enum->Names.size())) return Enum->Names[static_cast<size_t>(value)];
        return IntToStr(value);
    case TTypeKind::Set: {
        std::string text = "[";
        for (size_t bit = 0; Enum && bit < Enum->Names.size(); ++bit)
            if (value & (1LL << bit)) {
                if (text.size() > 1) text += ", ";
                text += Enum->Names[bit];
            }
        return text + "]";
    }
    default:
        if (Idents)
            if (const std::string* name = Idents->NameOf(value)) return *name;
        return IntToStr(value);
    }
}

long long TPropInfo::TextToOrd(const std::string& raw) const {
    const std::string text = Trim(raw);
    long long value = 0;
    switch (Kind) {
    case TTypeKind::Enumeration: {
        const int index = Enum ? Enum->IndexOf(text) : -1;
        if (index < 0) throw EPropertyError("'" + text + "' is not a value of " + TypeName + " (property " + Name + ")");
        return index;
    }
    case TTypeKind::Set: {
        if (text.size() < 2 || text.front() != '[' || text.back() != ']')
            throw EPropertyError("'" + text + "' is not a set value (property " + Name + ")");
        const std::string body = text.substr(1, text.size() - 2);
        size_t start = 0;
        while (start <= body.size()) {
            size_t comma = body.find(',', start);
            if (comma == std::string::npos) comma = body.size();
            const std::string member = Trim(body.substr(start, comma - start));
            if (!member.empty()) {
                const int bit = Enum ? Enum->IndexOf(member) : -1;
                if (bit < 0) throw EPropertyError("'" + member + "' is not a member of " + TypeName + " (property " + Name + ")");
                value |= 1LL << bit;
            }
            start = comma + 1;
        }
        return value;
    }
    default:
        if (Idents && Idents->ValueOf(text, value)) return value;
        int number = 0;
        if (!TryStrToInt(text, number)) throw EPropertyError("'" + text + "' is not a valid integer value (property " + Name + ")");
        return number;
    }
}

// ---- class records ------------------------------------------------------------------------

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        if (c == &other) return true;
    return false;
}

const TPropInfo* TClassInfo::FindProperty(const std::string& name) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        for (const TPropInfo& p : c->FProperties)
            if (SameText(p.Name, name)) return &p;
    return nullptr;
}

const THandlerInfo* TClassInfo::FindHandler(const std::string& name) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        for (const THandlerInfo& h : c->FHandlers)
            if (SameText(h.Name, name)) return &h;
    return nullptr;
}

const TFieldInfo* TClassInfo::FindField(const std::string& name) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        for (const TFieldInfo& f : c->FFields)
            if (SameText(f.Name, name)) return &f;
    return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::AllProperties() const {
    std::vector<const TPropInfo*> all = FParent ? FParent->AllProperties() : std::vector<const TPropInfo*>{};
    for (const TPropInfo& p : FProperties) all.push_back(&p);
    return all;
}

TComponent* TClassInfo::Create(TComponent* owner) const {
    if (!FFactory) throw EComponentError("Class " + FName + " cannot be created by name");
    return FFactory(owner);
}

static std::map<std::string, const TClassInfo*>& Registry() {
    static std::map<std::string, const TClassInfo*> registry;
    return registry;
}

void RegisterComponentClass(const TClassInfo& cls) { Registry()[UpperCase(cls.Name())] = &cls; }

// Records registered by name when a unit starts, built on their first lookup.
static std::map<std::string, const TClassInfo& (*)()>& PendingRegistry() {
    static std::map<std::string, const TClassInfo& (*)()> pending;
    return pending;
}

void RegisterComponentClass(const std::string& name, const TClassInfo& (*record)()) {
    PendingRegistry()[UpperCase(name)] = record;
}

const TClassInfo* FindClassInfo(const std::string& name) {
    const std::string key = UpperCase(name);
    auto it = Registry().find(key);
    if (it != Registry().end()) return it->second;
    auto pending = PendingRegistry().find(key);
    if (pending == PendingRegistry().end()) return nullptr;
    const TClassInfo& cls = pending->second();
    RegisterComponentClass(cls);
    return &cls;
}
