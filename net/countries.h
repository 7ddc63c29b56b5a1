// The six continents' country lists of the passport and the boards.
#pragma once

#include <string>
#include <string_view>

namespace zarnet::world {

inline constexpr int kContinents = 6;

struct Country {
  const char* english;
  const char* russian;    // UTF-8
  const char* shortName;  // sent to the services
};

// Entries 0..CountryCount(c)-1 of continent 1..6; entry 0 is "Unknown".
int CountryCount(int continent);
const Country& CountryAt(int continent, int index);
// "c-nnn" and back; false for a code outside the lists.
std::string CountryCode(int continent, int index);
bool ParseCountryCode(std::string_view code, int* continent, int* index);

}  // namespace zarnet::world
