#include "cards.h"

#include "codec.h"

namespace zarnet {

std::string CardToUtf8(CardCode c) { return Cp1251ToUtf8(c.Bytes()); }

bool CardsFromUtf8(std::string_view text, std::string* bytesOut) {
  std::string bytes = Utf8ToCp1251(text);
  if (bytes.size() % 2 != 0) return false;
  for (size_t i = 0; i < bytes.size(); i += 2) {
    if (CardNumberOf({bytes[i], bytes[i + 1]}) == 0) return false;
  }
  *bytesOut = std::move(bytes);
  return true;
}

}  // namespace zarnet
