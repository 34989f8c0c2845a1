// The value rules of a device's configuration file, free of any window code: how an address is
// kept as four keys, how the management device id follows from a serial number, and which list
// item a stored number selects.
#pragma once

#include <array>
#include <string>

// An address as the four values of its keys IP0..IP3. It is cut at "." from the front: a part
// ends at the next "." unless that "." stands first in the rest or is the address's last
// character, or the part is the fourth; then the part takes the whole rest. Parts an address
// does not have are empty, so that a shorter address replaces every part of a longer one.
std::array<std::string, 4> SplitAddress(const std::string& address);

// The address the four values stand for: the values up to the last non-empty one, joined by
// ".". JoinAddress(SplitAddress(a)) == a for every a.
std::string JoinAddress(const std::array<std::string, 4>& parts);

// The management device id of a serial number of exactly 15 characters: its characters 3 to 5
// followed by 10 to 15 (counting from 1). Empty for any other serial number.
std::string DeriveDeviceId(const std::string& serial);

// The list item a stored number selects. Each list has a default item, taken when the number
// selects none of its items.
int ListItemOrDefault(int index, int count, int defaultIndex);
// "DmMode": the item number + 1, values below 1 counting as 1.
int NmModeItem(int stored);
// "COMBaud": the item number + 1, 0 counting as 6 (9600).
int BaudItem(int stored);
// "COMData": the number of data bits, values below 5 counting as 8.
int DataBitsItem(int stored);
