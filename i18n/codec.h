// Code page 1251: the 8-bit text of every file and wire message.
#pragma once

#include <string>
#include <string_view>

namespace zarnet {

// The Unicode character of one cp1251 byte. The one unassigned byte, 0x98,
// maps to U+0098 so that every byte survives a round trip.
char32_t Cp1251ToUnicode(unsigned char byte);

// The cp1251 byte of a Unicode character, or -1 when it has none.
int UnicodeToCp1251(char32_t ch);

std::string Cp1251ToUtf8(std::string_view bytes);

// Unmappable characters and broken UTF-8 sequences become '?'.
std::string Utf8ToCp1251(std::string_view utf8);

}  // namespace zarnet
