#pragma once
// The skin description's ini text, parsed once into its kept lines: blank lines and lines that
// begin with ";" are dropped, every other line is kept trimmed, and a kept line in brackets is a
// section header. The headers are indexed as they are read, so that finding a section costs the
// same in a description of thousands; a key lookup scans its one section. Nothing is ever
// reported, a key that cannot be read gives the default.
#include <string>
#include <unordered_map>
#include <vector>

class TMemoryStream;
class TStrings;

class TQuickIni {
public:
    // Parses the text from the stream's position to its end (or to a NUL); no stream, no text.
    void LoadFromStream(TMemoryStream* stream);
    void LoadFromText(const std::string& text);

    // The index in the kept lines of the first header "[name]" (letter case aside), or -1.
    int SectionIndex(const std::string& name) const;
    // The section names in file order, without their brackets.
    void ReadSections(TStrings& list) const;
    // The value of the first line of the key in the section, unless it is empty.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& fallback) const;
    // The value as a 32-bit integer: decimal, "$" or "0x" hexadecimal; the default otherwise.
    int ReadInteger(const std::string& section, const std::string& key, int fallback) const;

    const std::vector<std::string>& Lines() const { return FLines; }

private:
    struct TSection {
        std::string Header;  // "[name]" as it stands in the text
        int Line;            // its index in FLines
    };

    void AddLine(const std::string& raw);

    std::vector<std::string> FLines;
    std::vector<TSection> FSections;
    // The line of the first header of each lower-cased "[name]".
    std::unordered_map<std::string, int> FSectionLines;
};
