#pragma once
// The root of every class that the form reader, the property access by name and the class tests
// know: each class carries a class record (TClassInfo) with its name, its parent and its
// published properties.
#include <string>

class TClassInfo;

// Put first in a class body: names the parent and gives the class its class record, defined in
// the class's source file with TClassBuilder.
#define DECLARE_CLASS(Class, Parent)                                         \
public:                                                                     \
    using inherited = Parent;                                               \
    static const TClassInfo& StaticClass();                                 \
    const TClassInfo& ClassType() const override { return StaticClass(); } \
                                                                            \
private:

class TObject {
public:
    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassType() const { return StaticClass(); }
    virtual ~TObject() = default;

    const std::string& ClassName() const;
    bool InheritsFrom(const TClassInfo& cls) const;
    template <class T>
    bool Is() const { return InheritsFrom(T::StaticClass()); }
};
