// Names of the program's sounds, shared by the player and the generators
// that make them at build time. Plain C++: the generators use no Qt.
#pragma once

#include <array>
#include <string_view>

namespace zarnet {

// Every effect the game plays, as resource names.
inline constexpr std::array<std::string_view, 16> kEffectNames = {
    "WTasoKo", "WHodsDo", "WKoloNo", "WKoGutX", "WKoBadX", "WPlMore", "WKoGood", "WKoBads",
    "WFiBest", "WFiGood", "WFiBads", "WOpenFo", "WToMenK", "WWrongs", "STimerA", "STimerB"};

// The menu tune: a Standard MIDI File among the program's resources.
inline constexpr std::string_view kTuneResource = "MidiSong";

// Effects and the tune live under this resource type, in the program and in
// the voice library alike.
inline constexpr std::string_view kSoundType = "RCDATA";

inline constexpr std::string_view kVoiceLibrary = "KuvCVoice3.dll";
// Clip names: face base name + this + the language's picture code.
inline constexpr std::string_view kVoiceInfix = "Voice";
// The voice's language codes by language index. Unlike the picture codes,
// Japanese and Korean have voices of their own.
inline constexpr std::array<std::string_view, 10> kVoiceLanguages = {
    "Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze", "Jap", "Kor"};

}  // namespace zarnet
