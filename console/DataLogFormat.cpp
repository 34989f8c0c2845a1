#include "DataLogFormat.h"

#include "DataConvert.h"

namespace {

bool IsGbkLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

}  // namespace

std::string DataLogFileName(const std::string& dateTimeText) {
    std::string name;
    for (std::size_t i = 0; i < dateTimeText.size(); ++i) {
        const char c = dateTimeText[i];
        if (c >= '0' && c <= '9') {
            name += c;
            continue;
        }
        name += '_';
        if (IsGbkLeadByte(static_cast<unsigned char>(c)) && i + 1 < dateTimeText.size()) ++i;
    }
    return name + ".log";
}

std::string DataLogAlternativeName(const std::string& fileName, int attempt) {
    if (attempt <= 0) return fileName;
    const std::string extension = ".log";
    const bool hasExtension =
        fileName.size() >= extension.size() && fileName.compare(fileName.size() - extension.size(), extension.size(), extension) == 0;
    const std::string stem = hasExtension ? fileName.substr(0, fileName.size() - extension.size()) : fileName;
    return stem + "_" + std::to_string(attempt + 1) + extension;
}

std::string DataLogRecord(const char (&id)[12], const char (&time)[20], const std::uint8_t* data,
                          std::size_t length) {
    std::string record = "USERID：";
    record.append(id, sizeof id);
    record += "    RECV_TIME：";
    record.append(time, sizeof time);
    record += "    DATA_LENGTH：" + std::to_string(length) + "\r\n";
    record += "DATA：" + BytesToHexText(data, length) + "\r\n";
    return record;
}
