#pragma once
// Follows the console's data log files as it writes them (every record is in the file once the
// console has handled it) and checks every record byte for byte: it must be exactly the record
// the console's log format makes of its id, time and data, and its data a stamped packet of the
// fleet (StampedPayload.h) from the terminal the id names. Notes when each packet of the flood
// under way was first seen, for its latency from the terminal's send to the log, and counts the
// ones seen twice and the records that are not what they must be.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LogWatcher {
public:
    // The age of a packet by its stamp, in ms (the fleet's clock to this process's).
    using AgeOf = std::function<double(std::uint64_t ticks)>;
    // The terminal id the fleet gives the terminal with the index.
    using IdOf = std::function<std::string(unsigned terminal)>;

    LogWatcher(const std::string& folder, AgeOf ageOf, IdOf idOf);
    ~LogWatcher();

    // From now on the packets of this flood are counted.
    void expect(unsigned flood);
    struct Tally {
        std::uint64_t logged = 0;   // packets of the flood, each once
        std::uint64_t twice = 0;    // packets of the flood logged again
        std::uint64_t corrupt = 0;  // records of any flood that are not what they must be
        std::uint64_t stray = 0;    // well-formed records of another flood
        std::vector<double> ageMs;  // per packet logged, when first seen
        long long lastSeenTicks = 0;  // when the last of them was seen (NowTicks)
    };
    Tally tally();

private:
    struct FileState {
        HANDLE handle = INVALID_HANDLE_VALUE;  // closed once complete
        std::string pending;                   // bytes of a record not yet whole
        DWORD lastGrowth = 0;
        unsigned order = 0;  // in the order the files were found
    };

    void watch();
    void scanFolder();
    void readFile(FileState& file);
    // Takes whole records from the front of the bytes; false when a record is not whole yet.
    bool takeRecord(std::string& bytes);
    void noteRecord(const char* id, const std::uint8_t* data, std::size_t length);

    std::string folder_;
    AgeOf ageOf_;
    IdOf idOf_;
    std::map<std::string, FileState> files_;
    unsigned nextOrder_ = 0;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex lock_;
    unsigned flood_ = 0;
    std::vector<bool> seen_;
    Tally tally_;
};
