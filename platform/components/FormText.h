#pragma once
// The text of a form description, parsed but not yet applied: one node per component with its
// property assignments in stored order and its nested components. The syntax is described in
// docs/form-resources.md.
#include <string>
#include <vector>

struct TFormAssignment;

struct TFormValue {
    enum TKind { Number, String, Ident, Handler, Set, List, Collection, Binary };
    TKind Kind = Number;
    long long Int = 0;
    std::string Text;                                  // String, Ident, Handler, Number as written
    std::vector<std::string> Items;                    // Set members, List strings
    std::vector<std::vector<TFormAssignment>> Blocks;  // Collection items
    std::string Bytes;                                 // Binary
};

struct TFormAssignment {
    std::string Path;  // "Caption", "Font.Name"
    TFormValue Value;
    int Line = 0;
};

struct TFormNode {
    std::string ClassName;
    std::string Name;
    int Line = 0;
    std::vector<TFormAssignment> Properties;
    std::vector<TFormNode> Children;
};

// Throws EReadError naming the source and line of the first fault.
TFormNode ParseFormText(const std::string& text, const std::string& sourceName);

// Writing helpers shared with the writer: a quoted string with escapes, hex lines of bytes.
std::string QuoteFormString(const std::string& text);
std::string HexLines(const std::string& bytes, const std::string& indent);
