// The six continents' country lists of the passport and the boards: the
// account's tables, under the names the passport and the boards use.
#pragma once

#include "account.h"

namespace zarnet::world {

using zarnet::Country;
using zarnet::CountryAt;
using zarnet::CountryCode;
using zarnet::CountryCount;
using zarnet::kContinents;
using zarnet::ParseCountryCode;

}  // namespace zarnet::world
