// Any text as a device's reply: it is cut into entries, each is told and its value applied, and
// the error explanation is made, as the device page does. Nothing reads outside the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ConfigGroups.h"
#include "ReplyParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string message(reinterpret_cast<const char*>(data), size);
    std::vector<ReplyEntry> entries;
    if (CutReply(message, entries) != ReplyShape::Entries)
        return 0;
    DeviceConfigValues values;
    std::size_t nValueBytes = 0;
    for (const ReplyEntry& entry : entries) {
        nValueBytes += entry.value.size();
        ReplyOutcome outcome = InterpretEntry(entry, "name", "139");
        if (outcome.text.empty())
            std::abort();
        if (outcome.bApply)
            ApplyAnswerFields(entry.letter, entry.value, values);
        if (outcome.bDeviceError)
            DeviceErrorText(entry.value);
        WorkStatusText("name", "139", entry.value);
    }
    // The entries never hold more than the text after its head.
    if (nValueBytes + 4 > size)
        std::abort();
    if (values.baud < 0 || values.baud >= ConfigLists::kBaud || values.dataBits < 0 ||
        values.dataBits >= ConfigLists::kDataBits || values.link < 0 || values.link >= ConfigLists::kLink)
        std::abort();
    return 0;
}
