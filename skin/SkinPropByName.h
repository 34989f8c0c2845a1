#pragma once
// Published properties of controls whose classes the skins do not know, read and written by
// name ("Caption", "Glyph", "NumGlyphs", "ParentBackground", ...). Each takes a null object or a
// name that is no property of the object and then does nothing or gives its default.
#include <string>

class TClassInfo;
class TObject;

// An integer property's value; -1 when there is none of that name and kind.
int GetOrdPropByName(TObject* object, const std::string& name);
// The name of an enumeration property's value ("True", "cbGrayed"); empty when there is none.
void GetEnumPropByName(TObject* object, const std::string& name, std::string& text);
// A string property widened from the program's code page; empty when there is none.
void GetWideStrPropByName(TObject* object, const std::string& name, std::wstring& text);
// The object a property holds when it is of the class (or derives from it); nullptr otherwise.
TObject* GetObjectPropByName(TObject* object, const std::string& name, const TClassInfo& minClass);
// Integer properties take the text as a number (EConvertError when it is none), enumerations
// by value name, strings as they stand; other kinds and read-only properties are left alone.
void SetPropByName(TObject* object, const std::string& name, const std::string& text);
