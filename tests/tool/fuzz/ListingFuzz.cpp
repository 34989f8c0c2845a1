// Bytes from the modem, read into lines and the lines into a listing as the poll reads them.
// Whatever comes, every entry has a usable index and a one-line text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "AtLine.h"
#include "SmsListing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CAtLine line;
    CSmsListing listing;
    for (std::size_t i = 0; i < size; ++i) {
        if (!line.AddToLine(static_cast<char>(data[i])))
            continue;
        SmsEntry entry;
        ParseListingHeader(line.Text(), entry);
        if (listing.TakeLine(line.Text()) != CSmsListing::kMore)
            break;
        line.Clear();
    }
    for (const SmsEntry& entry : listing.Entries()) {
        if (entry.index < 0 || entry.message.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
            std::abort();
    }
    return 0;
}
