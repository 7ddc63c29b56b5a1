// The pictures of the boards and the chat room. The compiled-in picture
// of the name is used when there is one; otherwise the window paints its own.
#pragma once

#include <QImage>
#include <string_view>

namespace zarnet {

// "FaceMan16", "FaceWoman16", "GNew", "AdvButR", "AdvButG", "LampR24", ...
QImage NetPicture(const QString& name);
// The face for a sex field: a man's for "M", a woman's otherwise.
QImage FaceFor(std::string_view sex);
// A small flag, 18 × 12, of a country code "c-nnn".
QImage FlagFor(std::string_view countryCode);
// Frame k of the chat indicator "GSirenaR": the light on in even frames.
QImage SirenFrame(int k);

}  // namespace zarnet
