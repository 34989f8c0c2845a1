#pragma once
// Published properties read and written by name. The typed functions throw EPropertyError for a
// property that does not exist or is of another kind; IsPublishedProp tests first.
#include <any>
#include <string>

class TObject;
class TClassInfo;
class TPropInfo;

const TPropInfo* GetPropInfo(const TObject* instance, const std::string& name);  // nullptr when absent
bool IsPublishedProp(const TObject* instance, const std::string& name);

long long GetOrdProp(TObject* instance, const std::string& name);  // integers, enumerations, sets
void SetOrdProp(TObject* instance, const std::string& name, long long value);
std::string GetEnumProp(TObject* instance, const std::string& name);  // the value's name ("bsNone", "True")
void SetEnumProp(TObject* instance, const std::string& name, const std::string& valueName);
std::string GetSetProp(TObject* instance, const std::string& name);  // "[a, b]"
void SetSetProp(TObject* instance, const std::string& name, const std::string& members);
std::string GetStrProp(TObject* instance, const std::string& name);
void SetStrProp(TObject* instance, const std::string& name, const std::string& value);
// The object held; nullptr when it is not of the given class (when one is given).
TObject* GetObjectProp(TObject* instance, const std::string& name, const TClassInfo* minClass = nullptr);
void SetObjectProp(TObject* instance, const std::string& name, TObject* value);
bool IsMethodAssigned(TObject* instance, const std::string& name);
// Binds an event to a callable of the event's own type (a std::function in the std::any).
void SetMethodProp(TObject* instance, const std::string& name, const std::any& handler);

// Any property as the text a form description writes (number, value name, "[a, b]", string, or
// the held component's name) and back from such a text; objects cannot be set from text.
std::string GetPropValue(TObject* instance, const std::string& name);
void SetPropValue(TObject* instance, const std::string& name, const std::string& text);
