#include "WinSkinIni.h"

#include "SkinValues.h"
#include "components/SysUtils.h"
#include "components/TMemoryStream.h"
#include "components/TStrings.h"

namespace {

bool IsHeader(const std::string& line) { return line.size() >= 2 && line.front() == '[' && line.back() == ']'; }

// The key of a line: what stands before its first "=", trimmed and lower case; none without "=".
std::string KeyOf(const std::string& line, std::size_t equals) {
    return equals == std::string::npos ? std::string() : LowerCase(Trim(line.substr(0, equals)));
}

}  // namespace

void TQuickIni::LoadFromStream(TMemoryStream* stream) {
    if (!stream) return;
    const std::int64_t start = stream->Position();
    const std::int64_t size = stream->Size();
    std::string text(static_cast<std::size_t>(size > start ? size - start : 0), '\0');
    if (!text.empty()) stream->ReadBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    LoadFromText(text);
}

// Lines end at CR, LF or NUL, and a NUL ends the text; after a line one CR and then one LF are
// passed over, so CR LF is one break.
void TQuickIni::LoadFromText(const std::string& text) {
    FLines.clear();
    FSections.clear();
    FSectionLines.clear();
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] != '\0') {
        const std::size_t start = i;
        while (i < n && text[i] != '\r' && text[i] != '\n' && text[i] != '\0') ++i;
        AddLine(text.substr(start, i - start));
        if (i < n && text[i] == '\r') ++i;
        if (i < n && text[i] == '\n') ++i;
    }
}

void TQuickIni::AddLine(const std::string& raw) {
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == ';') return;
    FLines.push_back(line);
    if (!IsHeader(line)) return;
    const int index = static_cast<int>(FLines.size()) - 1;
    FSections.push_back({line, index});
    FSectionLines.emplace(LowerCase(line), index);  // a later header of the same name is not found
}

int TQuickIni::SectionIndex(const std::string& name) const {
    const auto found = FSectionLines.find(LowerCase("[" + name + "]"));
    return found == FSectionLines.end() ? -1 : found->second;
}

void TQuickIni::ReadSections(TStrings& list) const {
    list.BeginUpdate();
    list.Clear();
    for (const TSection& section : FSections) {
        const std::string header = Trim(section.Header);
        list.Add(Trim(header.substr(1, header.size() - 2)));
    }
    list.EndUpdate();
}

std::string TQuickIni::ReadString(const std::string& section, const std::string& key,
                                  const std::string& fallback) const {
    const std::string wanted = LowerCase(key);
    if (wanted.empty() || FLines.empty()) return fallback;
    const int header = SectionIndex(section);
    if (header < 0) return fallback;
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < FLines.size() && !IsHeader(FLines[i]); ++i) {
        const std::string& line = FLines[i];
        const std::size_t equals = line.find('=');
        if (KeyOf(line, equals) != wanted) continue;
        // The first line of the key decides, even when its value is empty.
        const std::string value = Trim(line.substr(equals + 1));
        return value.empty() ? fallback : value;
    }
    return fallback;
}

int TQuickIni::ReadInteger(const std::string& section, const std::string& key, int fallback) const {
    return IniTextToInt(ReadString(section, key, ""), fallback);
}
