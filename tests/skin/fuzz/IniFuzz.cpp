// Any bytes as an ini text: every section listed and found, every key of every kept line looked up
// as a string and as an integer in the section it stands in.
#include <cstdint>
#include <string>

#include "WinSkinIni.h"
#include "components/TStringList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TQuickIni ini;
    ini.LoadFromText(std::string(reinterpret_cast<const char*>(data), size));
    TStringList sections;
    ini.ReadSections(sections);
    for (int s = 0; s < sections.Count(); ++s) ini.SectionIndex(sections.Get(s));
    std::string section;
    for (const std::string& line : ini.Lines()) {
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const std::string key = line.substr(0, line.find('='));
        ini.ReadString(section, key, "default");
        ini.ReadInteger(section, key, -1);
    }
    ini.ReadString("", "", "");
    return 0;
}
