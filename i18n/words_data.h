// The compiled word tables; only words.cpp and the generated source use this.
#pragma once

#include <string>

#include "words.h"

namespace zarnet::detail {

extern const std::string kWordsCp1251[kLanguageCount][kWordCount];
extern const std::string kWordsUtf8[kLanguageCount][kWordCount];
extern const char* const kWordIdNames[kWordCount];

}  // namespace zarnet::detail
