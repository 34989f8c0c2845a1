#include "components/PropertyAccess.h"

#include "components/SysUtils.h"
#include "components/TClassInfo.h"
#include "components/TComponent.h"

const TPropInfo* GetPropInfo(const TObject* instance, const std::string& name) {
    return instance ? instance->ClassType().FindProperty(name) : nullptr;
}

bool IsPublishedProp(const TObject* instance, const std::string& name) { return GetPropInfo(instance, name) != nullptr; }

static const TPropInfo& Require(TObject* instance, const std::string& name) {
    const TPropInfo* prop = GetPropInfo(instance, name);
    if (!prop) throw EPropertyError("Property " + name + " does not exist" + (instance ? " in " + instance->ClassName() : ""));
    return *prop;
}

static const TPropInfo& RequireKind(TObject* instance, const std::string& name, bool ordinal, TTypeKind kind) {
    const TPropInfo& prop = Require(instance, name);
    const bool isOrdinal = prop.Kind == TTypeKind::Integer || prop.Kind == TTypeKind::Enumeration || prop.Kind == TTypeKind::Set;
    if (ordinal ? !isOrdinal : prop.Kind != kind) throw EPropertyError("Property " + name + " is of type " + prop.TypeNameOf());
    return prop;
}

static void CheckWritable(bool writable, const std::string& name) {
    if (!writable) throw EPropertyError("Property " + name + " is read-only");
}

long long GetOrdProp(TObject* instance, const std::string& name) { return RequireKind(instance, name, true, TTypeKind::Integer).GetOrd(instance); }

void SetOrdProp(TObject* instance, const std::string& name, long long value) {
    const TPropInfo& prop = RequireKind(instance, name, true, TTypeKind::Integer);
    CheckWritable(static_cast<bool>(prop.SetOrd), name);
    prop.SetOrd(instance, value);
}

std::string GetEnumProp(TObject* instance, const std::string& name) {
    const TPropInfo& prop = RequireKind(instance, name, false, TTypeKind::Enumeration);
    return prop.OrdToText(prop.GetOrd(instance));
}

void SetEnumProp(TObject* instance, const std::string& name, const std::string& valueName) {
    const TPropInfo& prop = RequireKind(instance, name, false, TTypeKind::Enumeration);
    CheckWritable(static_cast<bool>(prop.SetOrd), name);
    prop.SetOrd(instance, prop.TextToOrd(valueName));
}

std::string GetSetProp(TObject* instance, const std::string& name) {
    const TPropInfo& prop = RequireKind(instance, name, false, TTypeKind::Set);
    return prop.OrdToText(prop.GetOrd(instance));
}

void SetSetProp(TObject* instance, const std::string& name, const std::string& members) {
    const TPropInfo& prop = RequireKind(instance, name, false, TTypeKind::Set);
    CheckWritable(static_cast<bool>(prop.SetOrd), name);
    prop.SetOrd(instance, prop.TextToOrd(members));
}

std::string GetStrProp(TObject* instance, const std::string& name) { return RequireKind(instance, name, false, TTypeKind::String).GetStr(instance); }

void SetStrProp(TObject* instance, const std::string& name, const std::string& value) {
    const TPropInfo& prop = RequireKind(instance, name, false, TTypeKind::String);
    CheckWritable(static_cast<bool>(prop.SetStr), name);
    prop.SetStr(instance, value);
}

TObject* GetObjectProp(TObject* instance, const std::string& name, const TClassInfo* minClass) {
    TObject* held = RequireKind(instance, name, false, TTypeKind::Class).GetObjectValue(instance);
    if (held && minClass && !held->InheritsFrom(*minClass)) return nullptr;
    return held;
}

void SetObjectProp(TObject* instance, const std::string& name, TObject* value) {
    const TPropInfo& prop = RequireKind(instance, name, false, TTypeKind::Class);
    CheckWritable(static_cast<bool>(prop.SetObjectValue), name);
    if (!prop.SetObjectValue(instance, value)) throw EPropertyError("Property " + name + " cannot hold a " + value->ClassName());
}

bool IsMethodAssigned(TObject* instance, const std::string& name) {
    return RequireKind(instance, name, false, TTypeKind::Method).MethodAssigned(instance);
}

void SetMethodProp(TObject* instance, const std::string& name, const std::any& handler) {
    if (!RequireKind(instance, name, false, TTypeKind::Method).SetMethod(instance, handler))
        throw EPropertyError("The handler does not fit the event " + name);
}

std::string GetPropValue(TObject* instance, const std::string& name) {
    const TPropInfo& prop = Require(instance, name);
    switch (prop.Kind) {
    case TTypeKind::String: return prop.GetStr(instance);
    case TTypeKind::Class: {
        auto* component = dynamic_cast<TComponent*>(prop.GetObjectValue(instance));
        return component ? component->Name() : "";
    }
    case TTypeKind::Method: return prop.MethodAssigned(instance) ? "(assigned)" : "";
    default: return prop.OrdToText(prop.GetOrd(instance));
    }
}

void SetPropValue(TObject* instance, const std::string& name, const std::string& text) {
    const TPropInfo& prop = Require(instance, name);
    switch (prop.Kind) {
    case TTypeKind::String:
        CheckWritable(static_cast<bool>(prop.SetStr), name);
        prop.SetStr(instance, text);
        return;
    case TTypeKind::Integer:
    case TTypeKind::Enumeration:
    case TTypeKind::Set:
        CheckWritable(static_cast<bool>(prop.SetOrd), name);
        prop.SetOrd(instance, prop.TextToOrd(text));
        return;
    default:
        throw EPropertyError("Property " + name + " cannot be set from a text");
    }
}
