// The word tables: every text the player sees, in ten languages.
#pragma once

#include <string>

#include "words_ids.h"  // WordId and kWordCount, generated from words.tsv

namespace zarnet {

// Language indexes: 0 English, 1 Russian, 2 German, 3 French, 4 Spanish,
// 5 Chinese, 6 Italian, 7 Czech, 8 Japanese, 9 Korean.
inline constexpr int kLanguageCount = 10;

// The text in the current language as cp1251 bytes, the form of files and
// the wire. Accented Latin letters, which cp1251 lacks, are written plain
// ("Schließen" as "Schliessen"); other missing characters (most of Chinese,
// Japanese and Korean) are '?'. For display use WordUtf8.
const std::string& Word(WordId id);

// The same text as UTF-8, complete in every language: the form for display.
const std::string& WordUtf8(WordId id);
// The UTF-8 text in a given language; an index outside 0..9 gives English.
const std::string& WordUtf8(WordId id, int language);

int LanguageIndex();
// An index outside 0..9 (a damaged settings file) selects English.
void SetLanguageIndex(int index);

// Picture code of the current language ("Eng", "Rus", ...): localized
// pictures are named by a base name followed by it.
std::string LanguageCode();

// The entry's name in words.tsv, for diagnostics.
const char* WordIdName(WordId id);

}  // namespace zarnet
