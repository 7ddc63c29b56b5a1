#include "words.h"

#include "words_data.h"

namespace zarnet {
namespace {
int gLanguage = 0;
}  // namespace

const std::string& Word(WordId id) {
  return detail::kWordsCp1251[gLanguage][static_cast<int>(id)];
}

const std::string& WordUtf8(WordId id) {
  return detail::kWordsUtf8[gLanguage][static_cast<int>(id)];
}

const std::string& WordUtf8(WordId id, int language) {
  if (language < 0 || language >= kLanguageCount) language = 0;
  return detail::kWordsUtf8[language][static_cast<int>(id)];
}

int LanguageIndex() { return gLanguage; }

void SetLanguageIndex(int index) { gLanguage = (index >= 0 && index < kLanguageCount) ? index : 0; }

std::string LanguageCode() { return Word(WordId::PictureCode); }

const char* WordIdName(WordId id) { return detail::kWordIdNames[static_cast<int>(id)]; }

}  // namespace zarnet
