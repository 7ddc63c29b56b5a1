// The small pictures of a player's row on the boards and in the chat room.
#pragma once

#include <QImage>
#include <string_view>

namespace zarnet {

// The face for a sex field: a man's for "M", a woman's otherwise.
QImage FaceFor(std::string_view sex);
// A small flag, 18 × 12, of a country code "c-nnn".
QImage FlagFor(std::string_view countryCode);

}  // namespace zarnet
