#include <winsock2.h>

#include "LogWatcher.h"

#include <algorithm>
#include <cstring>

#include "DataConvert.h"
#include "DataLogFormat.h"
#include "NativeFleet.h"
#include "StampedPayload.h"

namespace {

constexpr DWORD kReadEveryMs = 2;
constexpr DWORD kScanEveryMs = 25;
// A file that has not grown for this long while a newer one exists is complete.
constexpr DWORD kQuietMs = 1000;

const std::string kIdLabel = "USERID：";
const std::string kTimeLabel = "    RECV_TIME：";
const std::string kLengthLabel = "    DATA_LENGTH：";
const std::string kDataLabel = "DATA：";
constexpr std::size_t kIdSize = 12;
constexpr std::size_t kTimeSize = 20;

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

LogWatcher::LogWatcher(const std::string& folder, AgeOf ageOf, IdOf idOf)
    : folder_(folder), ageOf_(std::move(ageOf)), idOf_(std::move(idOf)) {
    thread_ = std::thread([this] { watch(); });
}

LogWatcher::~LogWatcher() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    for (auto& entry : files_)
        if (entry.second.handle != INVALID_HANDLE_VALUE) CloseHandle(entry.second.handle);
}

void LogWatcher::expect(unsigned flood) {
    std::lock_guard<std::mutex> locked(lock_);
    flood_ = flood;
    seen_.clear();
    tally_ = Tally();
}

LogWatcher::Tally LogWatcher::tally() {
    std::lock_guard<std::mutex> locked(lock_);
    return tally_;
}

void LogWatcher::watch() {
    DWORD lastScan = 0;
    while (!stop_) {
        if (GetTickCount() - lastScan >= kScanEveryMs) {
            lastScan = GetTickCount();
            scanFolder();
        }
        for (auto& entry : files_)
            if (entry.second.handle != INVALID_HANDLE_VALUE) readFile(entry.second);
        Sleep(kReadEveryMs);
    }
}

// New files are opened; files that stopped growing while a newer one grows are let go.
void LogWatcher::scanFolder() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder_ + "\\*.log").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (files_.count(found.cFileName)) continue;
        FileState& file = files_[found.cFileName];
        file.handle = CreateFileA((folder_ + "\\" + found.cFileName).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
        file.lastGrowth = GetTickCount();
        file.order = nextOrder_++;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    unsigned newest = 0;
    for (auto& entry : files_) newest = std::max(newest, entry.second.order);
    for (auto& entry : files_) {
        FileState& file = entry.second;
        if (file.handle == INVALID_HANDLE_VALUE || file.order == newest || GetTickCount() - file.lastGrowth < kQuietMs) continue;
        readFile(file);
        CloseHandle(file.handle);
        file.handle = INVALID_HANDLE_VALUE;
    }
}

void LogWatcher::readFile(FileState& file) {
    char buffer[65536];
    DWORD got = 0;
    bool grew = false;
    while (ReadFile(file.handle, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        file.pending.append(buffer, got);
        grew = true;
    }
    if (!grew) return;
    file.lastGrowth = GetTickCount();
    while (takeRecord(file.pending)) {
    }
}

// A record is two lines: the labels and fields at their places, then the data in hex. Whatever
// does not parse is counted and passed over up to the next record's start.
bool LogWatcher::takeRecord(std::string& bytes) {
    if (bytes.empty()) return false;
    const auto skipToNext = [&] {
        const std::size_t next = bytes.find(kIdLabel, 1);
        {
            std::lock_guard<std::mutex> locked(lock_);
            ++tally_.corrupt;
        }
        bytes.erase(0, next == std::string::npos ? bytes.size() : next);
        return !bytes.empty();
    };
    if (bytes.size() < kIdLabel.size()) return false;
    if (bytes.compare(0, kIdLabel.size(), kIdLabel) != 0) return skipToNext();
    const std::size_t idAt = kIdLabel.size();
    const std::size_t timeLabelAt = idAt + kIdSize;
    const std::size_t timeAt = timeLabelAt + kTimeLabel.size();
    const std::size_t lengthLabelAt = timeAt + kTimeSize;
    const std::size_t lengthAt = lengthLabelAt + kLengthLabel.size();
    const std::size_t lineEnd = bytes.find("\r\n", lengthAt);
    if (lineEnd == std::string::npos) return bytes.size() > lengthAt + 16 ? skipToNext() : false;
    if (bytes.compare(timeLabelAt, kTimeLabel.size(), kTimeLabel) != 0 ||
        bytes.compare(lengthLabelAt, kLengthLabel.size(), kLengthLabel) != 0 || lineEnd == lengthAt || lineEnd - lengthAt > 4)
        return skipToNext();
    std::size_t length = 0;
    for (std::size_t i = lengthAt; i < lineEnd; ++i) {
        if (bytes[i] < '0' || bytes[i] > '9') return skipToNext();
        length = length * 10 + static_cast<std::size_t>(bytes[i] - '0');
    }
    const std::size_t dataAt = lineEnd + 2 + kDataLabel.size();
    const std::size_t total = dataAt + 3 * length + 2;
    if (bytes.size() < total) return false;
    std::vector<std::uint8_t> data(length);
    for (std::size_t i = 0; i < length; ++i) {
        const int high = hexValue(bytes[dataAt + 3 * i]);
        const int low = hexValue(bytes[dataAt + 3 * i + 1]);
        if (high < 0 || low < 0) return skipToNext();
        data[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    char id[kIdSize];
    char time[kTimeSize];
    std::memcpy(id, bytes.data() + idAt, kIdSize);
    std::memcpy(time, bytes.data() + timeAt, kTimeSize);
    // Byte for byte what the console's log format makes of these fields.
    if (bytes.compare(0, total, DataLogRecord(id, time, data.data(), length)) != 0) return skipToNext();
    bytes.erase(0, total);
    noteRecord(id, data.data(), length);
    return true;
}

void LogWatcher::noteRecord(const char* id, const std::uint8_t* data, std::size_t length) {
    PayloadStamp stamp;
    const bool stamped = ReadStampedPayload(data, length, stamp);
    std::lock_guard<std::mutex> locked(lock_);
    if (!stamped || FieldText(id, kIdSize) != idOf_(stamp.terminal)) {
        ++tally_.corrupt;
        return;
    }
    if (stamp.flood != flood_) {
        ++tally_.stray;
        return;
    }
    if (stamp.number >= seen_.size()) seen_.resize(stamp.number + 1 + seen_.size() / 2, false);
    if (seen_[stamp.number]) {
        ++tally_.twice;
        return;
    }
    seen_[stamp.number] = true;
    ++tally_.logged;
    tally_.ageMs.push_back(ageOf_(stamp.ticks));
    tally_.lastSeenTicks = static_cast<long long>(NowTicks());
}
