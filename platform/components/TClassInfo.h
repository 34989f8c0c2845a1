#pragma once
// Class records and their declarative builder. A class registers its published properties,
// the handlers events may be bound to by name, and its component fields in one expression:
//
//   const TClassInfo& TButton::StaticClass() {
//       static const TClassInfo info = TClassBuilder<TButton>("TButton")
//           .Bool("Default", &TButton::Default, &TButton::SetDefault)
//           .Int("ModalResult", &TButton::FModalResult)
//           .Build();
//       return info;
//   }
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "components/Colors.h"
#include "components/TObject.h"
#include "components/TypeInfo.h"

class TComponent;

class TClassInfo {
public:
    using TFactory = TComponent* (*)(TComponent* owner);

    TClassInfo(std::string name, const TClassInfo* parent) : FName(std::move(name)), FParent(parent) {}

    const std::string& Name() const { return FName; }
    const TClassInfo* Parent() const { return FParent; }
    bool InheritsFrom(const TClassInfo& other) const;

    // Searched in this class, then up the chain; names compare case-insensitively.
    const TPropInfo* FindProperty(const std::string& name) const;
    const THandlerInfo* FindHandler(const std::string& name) const;
    const TFieldInfo* FindField(const std::string& name) const;
    // Every property, those of the root class first, each class's in its declared order.
    std::vector<const TPropInfo*> AllProperties() const;
    const std::vector<TPropInfo>& OwnProperties() const { return FProperties; }

    bool CanCreate() const { return FFactory != nullptr; }
    TComponent* Create(TComponent* owner) const;  // throws EComponentError when not creatable

private:
    template <class C>
    friend class TClassBuilder;

    std::string FName;
    const TClassInfo* FParent;
    TFactory FFactory = nullptr;
    std::vector<TPropInfo> FProperties;
    std::vector<THandlerInfo> FHandlers;
    std::vector<TFieldInfo> FFields;
};

// The classes the form reader may create by name.
void RegisterComponentClass(const TClassInfo& cls);
// The same for a unit that registers its class while the program starts, before the records
// of other units may exist: the record is built when the class is first looked up.
void RegisterComponentClass(const std::string& name, const TClassInfo& (*record)());
const TClassInfo* FindClassInfo(const std::string& name);

template <class C>
class TClassBuilder {
public:
    explicit TClassBuilder(const char* name) : FInfo(name, ParentInfo()) {
        if constexpr (std::is_constructible_v<C, TComponent*> && !std::is_abstract_v<C>)
            FInfo.FFactory = [](TComponent* owner) -> TComponent* { return new C(owner); };
    }

    TClassInfo Build() { return std::move(FInfo); }

    template <class G, class S = std::nullptr_t>
    TClassBuilder& Int(const char* name, G get, S set = nullptr) {
        TPropInfo p(name, TTypeKind::Integer, "Integer");
        p.GetOrd = Getter<long long>(get);
        p.SetOrd = OrdSetter(get, set);
        return Add(std::move(p));
    }

    template <class G, class S = std::nullptr_t>
    TClassBuilder& Color(const char* name, G get, S set = nullptr) {
        Int(name, get, set);
        FInfo.FProperties.back().TypeName = "TColor";
        FInfo.FProperties.back().Idents = &ColorIdents;
        return *this;
    }

    template <class G, class S = std::nullptr_t>
    TClassBuilder& Bool(const char* name, G get, S set = nullptr) {
        return Enum(name, BooleanType, get, set);
    }

    template <class G, class S = std::nullptr_t>
    TClassBuilder& Enum(const char* name, const TEnumType& type, G get, S set = nullptr) {
        TPropInfo p(name, TTypeKind::Enumeration, type.Name);
        p.Enum = &type;
        p.GetOrd = Getter<long long>(get);
        p.SetOrd = OrdSetter(get, set);
        return Add(std::move(p));
    }

    template <class G, class S = std::nullptr_t>
    TClassBuilder& Set(const char* name, const TEnumType& members, G get, S set = nullptr) {
        TPropInfo p(name, TTypeKind::Set, "set of " + members.Name);
        p.Enum = &members;
        p.GetOrd = Getter<long long>(get);
        p.SetOrd = OrdSetter(get, set);
        return Add(std::move(p));
    }

    template <class G, class S = std::nullptr_t>
    TClassBuilder& Str(const char* name, G get, S set = nullptr) {
        TPropInfo p(name, TTypeKind::String, "String");
        p.GetStr = [get](TObject* o) { return std::string(std::invoke(get, static_cast<C*>(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetStr = [set](TObject* o, const std::string& v) { Store(set, static_cast<C*>(o), v); };
        else if constexpr (std::is_member_object_pointer_v<G>)
            p.SetStr = [get](TObject* o, const std::string& v) { std::invoke(get, static_cast<C*>(o)) = v; };
        return Add(std::move(p));
    }

    // An object held by the object: a sub-object (Font, Lines) or a reference to a component.
    template <class G, class S = std::nullptr_t>
    TClassBuilder& Object(const char* name, G get, S set = nullptr) {
        using Pointer = std::decay_t<std::invoke_result_t<G, C*>>;
        using Held = std::remove_pointer_t<Pointer>;
        // The held class's record is looked up late: a class may hold objects of its own kind.
        TPropInfo p(name, TTypeKind::Class, "");
        p.ObjectClass = &Held::StaticClass;
        p.GetObjectValue = [get](TObject* o) -> TObject* { return std::invoke(get, static_cast<C*>(o)); };
        if constexpr (!std::is_null_pointer_v<S>) {
            p.SetObjectValue = [set](TObject* o, TObject* value) {
                Held* typed = dynamic_cast<Held*>(value);
                if (value && !typed) return false;
                Store(set, static_cast<C*>(o), typed);
                return true;
            };
        }
        return Add(std::move(p));
    }

    template <class Sig>
    TClassBuilder& Event(const char* name, std::function<Sig> C::*field) {
        TPropInfo p(name, TTypeKind::Method, "event");
        p.MethodType = typeid(std::function<Sig>);
        p.MethodAssigned = [field](TObject* o) { return static_cast<bool>(static_cast<C*>(o)->*field); };
        p.SetMethod = [field](TObject* o, const std::any& handler) {
            const auto* typed = std::any_cast<std::function<Sig>>(&handler);
            if (!typed) return false;
            static_cast<C*>(o)->*field = *typed;
            return true;
        };
        return Add(std::move(p));
    }

    template <class R, class... A>
    TClassBuilder& Handler(const char* name, R (C::*method)(A...)) {
        THandlerInfo h;
        h.Name = name;
        h.Signature = typeid(std::function<R(A...)>);
        h.Bind = [method](TObject* instance) -> std::any {
            C* self = static_cast<C*>(instance);
            return std::function<R(A...)>([self, method](A... args) -> R { return (self->*method)(std::forward<A>(args)...); });
        };
        FInfo.FHandlers.push_back(std::move(h));
        return *this;
    }

    template <class T>
    TClassBuilder& Field(const char* name, T* C::*field) {
        TFieldInfo f;
        f.Name = name;
        f.Assign = [field](TObject* root, TObject* component) {
            T* typed = dynamic_cast<T*>(component);
            if (!typed) return false;
            static_cast<C*>(root)->*field = typed;
            return true;
        };
        FInfo.FFields.push_back(std::move(f));
        return *this;
    }

    // The value a writer leaves out for the property declared last.
    TClassBuilder& Default(long long value) {
        FInfo.FProperties.back().HasDefault = true;
        FInfo.FProperties.back().Default = value;
        return *this;
    }

private:
    static const TClassInfo* ParentInfo() {
        if constexpr (std::is_same_v<C, TObject>) return nullptr;
        else return &C::inherited::StaticClass();
    }

    template <class V, class G>
    static std::function<V(TObject*)> Getter(G get) {
        return [get](TObject* o) { return static_cast<V>(std::invoke(get, static_cast<C*>(o))); };
    }

    template <class S, class V>
    static void Store(S set, C* self, V&& value) {
        if constexpr (std::is_member_object_pointer_v<S>) std::invoke(set, self) = std::forward<V>(value);
        else std::invoke(set, self, std::forward<V>(value));
    }

    // The setter converts the stored 64-bit value back to the getter's own type.
    template <class G, class S>
    static std::function<void(TObject*, long long)> OrdSetter(G get, S set) {
        using V = std::decay_t<std::invoke_result_t<G, C*>>;
        if constexpr (!std::is_null_pointer_v<S>)
            return [set](TObject* o, long long v) { Store(set, static_cast<C*>(o), static_cast<V>(v)); };
        else if constexpr (std::is_member_object_pointer_v<G>)
            return [get](TObject* o, long long v) { std::invoke(get, static_cast<C*>(o)) = static_cast<V>(v); };
        else
            return nullptr;
    }

    TClassBuilder& Add(TPropInfo&& p) {
        FInfo.FProperties.push_back(std::move(p));
        return *this;
    }

    TClassInfo FInfo;
};
