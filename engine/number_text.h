// The number texts of the record files.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zarnet {

// Rating in 10 characters: six decimals, decimal comma, right-aligned.
std::string RatingText10(double rating);
// Decimal digits padded on the left with `fill` to `width`.
std::string RightAligned(long long value, int width, char fill = ' ');
// Two decimals with a comma, padded on the left with blanks to `width`.
std::string TwoDecimalText(double value, int width);
// A real number as the record files and service replies write it: blanks,
// '-' and digits, then any one character as the decimal separator. Empty
// text is 0; text that does not convert gives nothing.
std::optional<double> ReadDecimal(std::string_view text);
// An integer field, blanks allowed around it; nothing when it does not convert.
std::optional<long long> ReadInteger(std::string_view text);

}  // namespace zarnet
