// The keyed byte cipher and 6-bit text encoding of the service addresses, the
// remembered password and the service directory. Plain C++: the game and the
// services share it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zarnet {

// The 64 symbols of the text encoding: safe in files, forms, URLs and the
// directory text (no blank, '#', '$', '&', '=', '+', '%' or '~').
inline constexpr std::string_view kSixBitAlphabet =
    "enO7ZUD5vzBK6bJMV0tyd3Q8HqTaFXjk9grshNmGlC1ERALoi2xfYWP4w-I_Spcu";

// Keys of the three uses; a text written with one key reads only with it.
inline constexpr std::string_view kAddressKey = "Zarnet:addresses:v1";
inline constexpr std::string_view kTournamentKey = "Zarnet:tournament:v1";
inline constexpr std::string_view kUserFileKey = "Zarnet:user-file:v1";

// Three bytes become four symbols; a last group of one or two bytes becomes
// two or three symbols. No padding.
std::string EncodeSixBit(std::string_view bytes);
// Nothing for a symbol outside the alphabet or an impossible length.
std::optional<std::string> DecodeSixBit(std::string_view text);

// Each byte is mixed with a key-driven stream and chained to the previous
// cipher byte, so equal plain prefixes under different keys look unrelated.
std::string CipherBytes(std::string_view plain, std::string_view key);
std::string DecipherBytes(std::string_view cipher, std::string_view key);

// The stored form: cipher, then the text encoding.
std::string Encipher(std::string_view plain, std::string_view key);
std::optional<std::string> Decipher(std::string_view text, std::string_view key);

}  // namespace zarnet
