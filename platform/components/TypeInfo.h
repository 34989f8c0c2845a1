#pragma once
// What a published property, a bindable handler and a form field are, for access by name.
#include <any>
#include <functional>
#include <string>
#include <typeindex>
#include <utility>
#include <vector>

class TObject;
class TClassInfo;

enum class TTypeKind { Integer, Enumeration, Set, String, Class, Method };

// An enumeration type: its value names in order (value k is the k-th name). Sets use the same
// record for their members: member k is bit k.
struct TEnumType {
    std::string Name;
    std::vector<std::string> Names;
    int IndexOf(const std::string& valueName) const;  // case-insensitive; -1 when absent
};

extern const TEnumType BooleanType;  // False, True

// Names for some values of an integer type, as colours have them ("clRed").
struct TIdentMap {
    std::vector<std::pair<long long, std::string>> Entries;
    const std::string* NameOf(long long value) const;
    bool ValueOf(const std::string& name, long long& value) const;
};

class TPropInfo {
public:
    TPropInfo(std::string name, TTypeKind kind, std::string typeName)
        : Name(std::move(name)), Kind(kind), TypeName(std::move(typeName)) {}

    std::string Name;
    TTypeKind Kind;
    std::string TypeName;
    const TEnumType* Enum = nullptr;        // Enumeration values, Set members
    const TIdentMap* Idents = nullptr;      // Integer names
    const TClassInfo& (*ObjectClass)() = nullptr;  // Class kind: the least class it holds
    std::type_index MethodType = typeid(void);     // Method kind: the std::function type
    bool HasDefault = false;
    long long Default = 0;

    std::function<long long(TObject*)> GetOrd;
    std::function<void(TObject*, long long)> SetOrd;
    std::function<std::string(TObject*)> GetStr;
    std::function<void(TObject*, const std::string&)> SetStr;
    std::function<TObject*(TObject*)> GetObjectValue;
    std::function<bool(TObject*, TObject*)> SetObjectValue;  // false when the object is of another class
    std::function<bool(TObject*)> MethodAssigned;
    std::function<bool(TObject*, const std::any&)> SetMethod;  // false for another signature

    // The property's type name; for an object, the class it holds.
    std::string TypeNameOf() const;
    bool IsWritable() const { return SetOrd || SetStr || SetObjectValue || SetMethod; }
    // The value as the form text writes it: a number, a value name, "[a,b]" or the string.
    std::string OrdToText(long long value) const;
    // Throws EPropertyError for a name that the type does not have.
    long long TextToOrd(const std::string& text) const;
};

// A method of a form class that an event can be bound to by name.
struct THandlerInfo {
    std::string Name;
    std::type_index Signature = typeid(void);
    std::function<std::any(TObject*)> Bind;  // the handler on an instance, as its std::function
};

// A field of a form class that the reader points at the component of the same name.
struct TFieldInfo {
    std::string Name;
    std::function<bool(TObject*, TObject*)> Assign;  // false when the component is of another class
};
