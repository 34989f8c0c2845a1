#include "SkinDataSupport.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <sstream>

#include "GuiTestSupport.h"
#include "SkinFolder.h"
#include "components/SysUtils.h"
#include "components/TCanvas.h"

TBytes FileBytes(const std::string& path) {
    TMemoryStream stream;
    stream.LoadFromFile(path);
    return BytesOf(stream);
}

TBytes EditedSkinPackage(const std::function<void(std::string& ini)>& edit) {
    std::vector<TSkinEntry> entries = ReadSkinFolder(HostPath(SKIN_SOURCE_DIR));
    std::string ini(entries.front().Bytes.begin(), entries.front().Bytes.end());
    edit(ini);
    entries.front().Bytes.assign(ini.begin(), ini.end());
    return PackPackage(BuildPackageImage(entries));
}

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

bool IsSection(const std::string& line) { return !line.empty() && line.front() == '['; }

std::vector<std::string>::iterator FindSection(std::vector<std::string>& lines, const std::string& section) {
    return std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return SameText(l, "[" + section + "]"); });
}

}  // namespace

void SetIniKey(std::string& ini, const std::string& section, const std::string& key, const std::string& value) {
    std::vector<std::string> lines = Lines(ini);
    auto header = FindSection(lines, section);
    if (header == lines.end()) {
        lines.push_back("[" + section + "]");
        header = lines.end() - 1;
    }
    auto line = header + 1;
    for (; line != lines.end() && !IsSection(*line); ++line) {
        const std::size_t equals = line->find('=');
        if (equals != std::string::npos && SameText(Trim(line->substr(0, equals)), key)) break;
    }
    const bool found = line != lines.end() && !IsSection(*line);
    if (value.empty()) {
        if (found) lines.erase(line);
    } else if (found) {
        *line = key + "=" + value;
    } else {
        lines.insert(header + 1, key + "=" + value);
    }
    ini = Joined(lines);
}

void RemoveIniSection(std::string& ini, const std::string& section) {
    std::vector<std::string> lines = Lines(ini);
    auto header = FindSection(lines, section);
    if (header == lines.end()) return;
    auto end = std::find_if(header + 1, lines.end(), IsSection);
    lines.erase(header, end);
    ini = Joined(lines);
}

std::string SkinStreamHex(const TBytes& package) {
    std::string hex;
    char digits[3];
    const std::uint32_t size = static_cast<std::uint32_t>(package.size());
    for (int shift = 0; shift < 32; shift += 8) {
        std::snprintf(digits, sizeof digits, "%02X", (size >> shift) & 0xFF);
        hex += digits;
    }
    for (std::size_t i = 0; i < package.size(); ++i) {
        if (i % 32 == 0) hex += "\n";
        std::snprintf(digits, sizeof digits, "%02X", package[i]);
        hex += digits;
    }
    return hex;
}

TSkinForm ReadSkinForm(const TBytes& package, const std::string& properties) {
    PrepareApplication();
    TSkinForm result;
    result.Form = std::make_unique<TForm>(nullptr);
    const std::string text = "TForm SkinForm {\n  TSkinData SkinData1 {\n    " + properties + "\n    SkinStream = < " +
                             SkinStreamHex(package) + " >\n  }\n}\n";
    result.Form->ReadFormText(text, "SkinForm");
    result.Skin = dynamic_cast<TSkinData*>(result.Form->FindComponent("SkinData1"));
    return result;
}

namespace {

struct TBoxAnswers {
    bool Running = true;
    int Seen = 0;
    std::string Text;
};

void AnswerBoxes(const std::shared_ptr<TBoxAnswers>& answers) {
    if (!answers->Running) return;
    if (HWND box = FindThreadWindow("#32770")) {
        ++answers->Seen;
        answers->Text = WindowTextOf(GetDlgItem(box, 0xFFFF));
        SendMessageA(box, WM_COMMAND, IDOK, 0);
    }
    RunLater([answers] { AnswerBoxes(answers); }, 20);
}

}  // namespace

int AnswerBoxesDuring(const std::function<void()>& action, std::string* text) {
    auto answers = std::make_shared<TBoxAnswers>();
    RunLater([answers] { AnswerBoxes(answers); }, 20);
    try {
        action();
    } catch (...) {
        answers->Running = false;
        throw;
    }
    answers->Running = false;
    if (text) *text = answers->Text;
    return answers->Seen;
}

TRgb RgbAt(TBitmap& bitmap, int x, int y) {
    const COLORREF c = static_cast<COLORREF>(bitmap.Canvas()->Pixel(x, y));
    return TRgb{GetRValue(c), GetGValue(c), GetBValue(c)};
}

std::ostream& operator<<(std::ostream& out, const TRgb& rgb) {
    return out << "(" << rgb.R << ", " << rgb.G << ", " << rgb.B << ")";
}
