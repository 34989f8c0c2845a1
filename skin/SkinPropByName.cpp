#include "SkinPropByName.h"

#include "SkinText.h"
#include "components/PropertyAccess.h"
#include "components/SysUtils.h"
#include "components/TClassInfo.h"

namespace {

const TPropInfo* PropertyOfKind(TObject* object, const std::string& name, TTypeKind kind) {
    const TPropInfo* prop = GetPropInfo(object, name);
    return prop && prop->Kind == kind ? prop : nullptr;
}

}  // namespace

int GetOrdPropByName(TObject* object, const std::string& name) {
    const TPropInfo* prop = PropertyOfKind(object, name, TTypeKind::Integer);
    return prop ? static_cast<int>(prop->GetOrd(object)) : -1;
}

void GetEnumPropByName(TObject* object, const std::string& name, std::string& text) {
    const TPropInfo* prop = PropertyOfKind(object, name, TTypeKind::Enumeration);
    text = prop ? prop->OrdToText(prop->GetOrd(object)) : std::string();
}

void GetWideStrPropByName(TObject* object, const std::string& name, std::wstring& text) {
    const TPropInfo* prop = PropertyOfKind(object, name, TTypeKind::String);
    text = prop ? AnsiToWide(prop->GetStr(object)) : std::wstring();
}

TObject* GetObjectPropByName(TObject* object, const std::string& name, const TClassInfo& minClass) {
    const TPropInfo* prop = PropertyOfKind(object, name, TTypeKind::Class);
    TObject* held = prop ? prop->GetObjectValue(object) : nullptr;
    return held && held->InheritsFrom(minClass) ? held : nullptr;
}

void SetPropByName(TObject* object, const std::string& name, const std::string& text) {
    const TPropInfo* prop = GetPropInfo(object, name);
    if (!prop) return;
    switch (prop->Kind) {
    case TTypeKind::Integer:
        if (prop->SetOrd) prop->SetOrd(object, StrToInt(text));
        return;
    case TTypeKind::Enumeration:
        if (prop->SetOrd) prop->SetOrd(object, prop->TextToOrd(text));
        return;
    case TTypeKind::String:
        if (prop->SetStr) prop->SetStr(object, text);
        return;
    default:
        return;
    }
}
