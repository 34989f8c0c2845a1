// The value rules of a device's configuration file, free of any window code: how an address is
// kept as four keys, how the management device id follows from a serial number, and which list
// item a stored number selects.
#pragma once

#include <array>
#include <string>

// An address as the four values of its keys IP0..IP3, cut at "." from the front: part i runs
// up to the next "." and the cutting goes on behind it; when no "." follows, or one stands first
// in the rest, the part takes the whole rest and the cutting ends. The fourth part ends at a
// "." as the others do, so what follows a fifth part is not kept. Parts the cutting did not
// reach are empty, so that a shorter address replaces every part of a longer one.
std::array<std::string, 4> SplitAddress(const std::string& address);

// The address four stored values stand for: the four joined by ".", unless they are the values
// SplitAddress gives a shorter address (empty from some part on), which reads back as that
// address. So every address reads back as it was written but those that end in a "." after
// their last part (they are cut as the address without it) or hold more than four parts.
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
