// The country lists, one per continent. A null short name means the English
// name with its blanks turned into "_".
#include "countries.h"

#include <array>
#include <cstdio>
#include <vector>

namespace zarnet::world {
namespace {

struct Row {
  const char* en;
  const char* ru;
  const char* shortName;
};

const Row kEurope[] = {
    {"Unknown", "Неизвестно", nullptr},
    {"Russia", "Россия", nullptr},
    {"Ukraine", "Украина", nullptr},
    {"Belarus", "Беларусь", nullptr},
    {"Poland", "Польша", nullptr},
    {"Germany", "Германия", nullptr},
    {"France", "Франция", nullptr},
    {"United Kingdom", "Великобритания", nullptr},
    {"Italy", "Италия", nullptr},
    {"Spain", "Испания", nullptr},
    {"Portugal", "Португалия", nullptr},
    {"Netherlands", "Нидерланды", nullptr},
    {"Belgium", "Бельгия", nullptr},
    {"Luxembourg", "Люксембург", nullptr},
    {"Switzerland", "Швейцария", nullptr},
    {"Austria", "Австрия", nullptr},
    {"Czech Republic", "Чехия", nullptr},
    {"Slovakia", "Словакия", nullptr},
    {"Hungary", "Венгрия", nullptr},
    {"Romania", "Румыния", nullptr},
    {"Bulgaria", "Болгария", nullptr},
    {"Greece", "Греция", nullptr},
    {"Serbia", "Сербия", nullptr},
    {"Croatia", "Хорватия", nullptr},
    {"Slovenia", "Словения", nullptr},
    {"Bosnia and Herzegovina", "Босния и Герцеговина", "Bosnia_Herz."},
    {"Montenegro", "Черногория", nullptr},
    {"North Macedonia", "Северная Македония", nullptr},
    {"Albania", "Албания", nullptr},
    {"Moldova", "Молдова", nullptr},
    {"Lithuania", "Литва", nullptr},
    {"Latvia", "Латвия", nullptr},
    {"Estonia", "Эстония", nullptr},
    {"Finland", "Финляндия", nullptr},
    {"Sweden", "Швеция", nullptr},
    {"Norway", "Норвегия", nullptr},
    {"Denmark", "Дания", nullptr},
    {"Iceland", "Исландия", nullptr},
    {"Ireland", "Ирландия", nullptr},
    {"Malta", "Мальта", nullptr},
    {"Cyprus", "Кипр", nullptr},
    {"Andorra", "Андорра", nullptr},
    {"Monaco", "Монако", nullptr},
    {"San Marino", "Сан-Марино", nullptr},
    {"Liechtenstein", "Лихтенштейн", nullptr},
    {"Vatican City", "Ватикан", nullptr},
    {"Kosovo", "Косово", nullptr},
    {"Faroe Islands", "Фарерские острова", nullptr},
    {"Gibraltar", "Гибралтар", nullptr},
};

const Row kAsia[] = {
    {"Unknown", "Неизвестно", nullptr},
    {"Kazakhstan", "Казахстан", nullptr},
    {"Uzbekistan", "Узбекистан", nullptr},
    {"Kyrgyzstan", "Киргизия", nullptr},
    {"Tajikistan", "Таджикистан", nullptr},
    {"Turkmenistan", "Туркмения", nullptr},
    {"Azerbaijan", "Азербайджан", nullptr},
    {"Armenia", "Армения", nullptr},
    {"Georgia", "Грузия", nullptr},
    {"Turkey", "Турция", nullptr},
    {"Israel", "Израиль", nullptr},
    {"Palestine", "Палестина", nullptr},
    {"Lebanon", "Ливан", nullptr},
    {"Syria", "Сирия", nullptr},
    {"Jordan", "Иордания", nullptr},
    {"Iraq", "Ирак", nullptr},
    {"Iran", "Иран", nullptr},
    {"Saudi Arabia", "Саудовская Аравия", nullptr},
    {"Kuwait", "Кувейт", nullptr},
    {"Bahrain", "Бахрейн", nullptr},
    {"Qatar", "Катар", nullptr},
    {"United Arab Emirates", "Объединённые Арабские Эмираты", "UAE"},
    {"Oman", "Оман", nullptr},
    {"Yemen", "Йемен", nullptr},
    {"Afghanistan", "Афганистан", nullptr},
    {"Pakistan", "Пакистан", nullptr},
    {"India", "Индия", nullptr},
    {"Nepal", "Непал", nullptr},
    {"Bhutan", "Бутан", nullptr},
    {"Bangladesh", "Бангладеш", nullptr},
    {"Sri Lanka", "Шри-Ланка", nullptr},
    {"Maldives", "Мальдивы", nullptr},
    {"China", "Китай", nullptr},
    {"Mongolia", "Монголия", nullptr},
    {"North Korea", "КНДР", nullptr},
    {"South Korea", "Южная Корея", nullptr},
    {"Japan", "Япония", nullptr},
    {"Taiwan", "Тайвань", nullptr},
    {"Hong Kong", "Гонконг", nullptr},
    {"Macau", "Макао", nullptr},
    {"Vietnam", "Вьетнам", nullptr},
    {"Laos", "Лаос", nullptr},
    {"Cambodia", "Камбоджа", nullptr},
    {"Thailand", "Таиланд", nullptr},
    {"Myanmar", "Мьянма", nullptr},
    {"Malaysia", "Малайзия", nullptr},
    {"Singapore", "Сингапур", nullptr},
    {"Brunei", "Бруней", nullptr},
    {"Indonesia", "Индонезия", nullptr},
    {"Philippines", "Филиппины", nullptr},
    {"East Timor", "Восточный Тимор", nullptr},
    {"British Indian Ocean Territory", "Британская территория в Индийском океане", "B.I.O.T."},
};

const Row kNorthAmerica[] = {
    {"Unknown", "Неизвестно", nullptr},
    {"United States", "США", "USA"},
    {"Canada", "Канада", nullptr},
    {"Mexico", "Мексика", nullptr},
    {"Guatemala", "Гватемала", nullptr},
    {"Belize", "Белиз", nullptr},
    {"Honduras", "Гондурас", nullptr},
    {"El Salvador", "Сальвадор", nullptr},
    {"Nicaragua", "Никарагуа", nullptr},
    {"Costa Rica", "Коста-Рика", nullptr},
    {"Panama", "Панама", nullptr},
    {"Cuba", "Куба", nullptr},
    {"Jamaica", "Ямайка", nullptr},
    {"Haiti", "Гаити", nullptr},
    {"Dominican Republic", "Доминиканская Республика", "Dominican_Rep."},
    {"Puerto Rico", "Пуэрто-Рико", nullptr},
    {"Bahamas", "Багамы", nullptr},
    {"Barbados", "Барбадос", nullptr},
    {"Trinidad and Tobago", "Тринидад и Тобаго", "Trinidad_Tobago"},
    {"Grenada", "Гренада", nullptr},
    {"Saint Lucia", "Сент-Люсия", nullptr},
    {"Saint Vincent and the Grenadines", "Сент-Винсент и Гренадины", "St.Vincent_Gren."},
    {"Antigua and Barbuda", "Антигуа и Барбуда", "Antigua_Barbuda"},
    {"Dominica", "Доминика", nullptr},
    {"Saint Kitts and Nevis", "Сент-Китс и Невис", "St.Kitts_Nevis"},
    {"Greenland", "Гренландия", nullptr},
    {"Bermuda", "Бермуды", nullptr},
    {"Cayman Islands", "Каймановы острова", nullptr},
    {"Aruba", "Аруба", nullptr},
    {"Curacao", "Кюрасао", nullptr},
    {"Guadeloupe", "Гваделупа", nullptr},
    {"Martinique", "Мартиника", nullptr},
    {"British Virgin Islands", "Британские Виргинские острова", "Virgin_Isl.(UK)"},
    {"US Virgin Islands", "Виргинские острова (США)", "Virgin_Isl.(US)"},
    {"Anguilla", "Ангилья", nullptr},
    {"Montserrat", "Монтсеррат", nullptr},
};

const Row kSouthAmerica[] = {
    {"Unknown", "Неизвестно", nullptr},
    {"Brazil", "Бразилия", nullptr},
    {"Argentina", "Аргентина", nullptr},
    {"Chile", "Чили", nullptr},
    {"Uruguay", "Уругвай", nullptr},
    {"Paraguay", "Парагвай", nullptr},
    {"Bolivia", "Боливия", nullptr},
    {"Peru", "Перу", nullptr},
    {"Ecuador", "Эквадор", nullptr},
    {"Colombia", "Колумбия", nullptr},
    {"Venezuela", "Венесуэла", nullptr},
    {"Guyana", "Гайана", nullptr},
    {"Suriname", "Суринам", nullptr},
    {"French Guiana", "Французская Гвиана", nullptr},
    {"Falkland Islands", "Фолклендские острова", nullptr},
};

const Row kOceania[] = {
    {"Unknown", "Неизвестно", nullptr},
    {"Australia", "Австралия", nullptr},
    {"New Zealand", "Новая Зеландия", nullptr},
    {"Papua New Guinea", "Папуа — Новая Гвинея", nullptr},
    {"Fiji", "Фиджи", nullptr},
    {"Solomon Islands", "Соломоновы острова", nullptr},
    {"Vanuatu", "Вануату", nullptr},
    {"New Caledonia", "Новая Каледония", nullptr},
    {"French Polynesia", "Французская Полинезия", nullptr},
    {"Samoa", "Самоа", nullptr},
    {"American Samoa", "Американское Самоа", nullptr},
    {"Tonga", "Тонга", nullptr},
    {"Kiribati", "Кирибати", nullptr},
    {"Tuvalu", "Тувалу", nullptr},
    {"Nauru", "Науру", nullptr},
    {"Marshall Islands", "Маршалловы острова", nullptr},
    {"Micronesia", "Микронезия", nullptr},
    {"Palau", "Палау", nullptr},
    {"Guam", "Гуам", nullptr},
    {"Northern Mariana Islands", "Северные Марианские острова", "N.Mariana_Isl."},
    {"Cook Islands", "Острова Кука", nullptr},
    {"Niue", "Ниуэ", nullptr},
    {"Tokelau", "Токелау", nullptr},
    {"Wallis and Futuna", "Уоллис и Футуна", "Wallis_Futuna"},
};

const Row kAfrica[] = {
    {"Unknown", "Неизвестно", nullptr},
    {"Egypt", "Египет", nullptr},
    {"Libya", "Ливия", nullptr},
    {"Tunisia", "Тунис", nullptr},
    {"Algeria", "Алжир", nullptr},
    {"Morocco", "Марокко", nullptr},
    {"Mauritania", "Мавритания", nullptr},
    {"Mali", "Мали", nullptr},
    {"Niger", "Нигер", nullptr},
    {"Chad", "Чад", nullptr},
    {"Sudan", "Судан", nullptr},
    {"South Sudan", "Южный Судан", nullptr},
    {"Eritrea", "Эритрея", nullptr},
    {"Ethiopia", "Эфиопия", nullptr},
    {"Djibouti", "Джибути", nullptr},
    {"Somalia", "Сомали", nullptr},
    {"Kenya", "Кения", nullptr},
    {"Uganda", "Уганда", nullptr},
    {"Rwanda", "Руанда", nullptr},
    {"Burundi", "Бурунди", nullptr},
    {"Tanzania", "Танзания", nullptr},
    {"Senegal", "Сенегал", nullptr},
    {"Gambia", "Гамбия", nullptr},
    {"Guinea-Bissau", "Гвинея-Бисау", nullptr},
    {"Guinea", "Гвинея", nullptr},
    {"Sierra Leone", "Сьерра-Леоне", nullptr},
    {"Liberia", "Либерия", nullptr},
    {"Ivory Coast", "Кот-д'Ивуар", nullptr},
    {"Burkina Faso", "Буркина-Фасо", nullptr},
    {"Ghana", "Гана", nullptr},
    {"Togo", "Того", nullptr},
    {"Benin", "Бенин", nullptr},
    {"Nigeria", "Нигерия", nullptr},
    {"Cameroon", "Камерун", nullptr},
    {"Central African Republic", "Центральноафриканская Республика", "CAR"},
    {"Equatorial Guinea", "Экваториальная Гвинея", "Equat._Guinea"},
    {"Gabon", "Габон", nullptr},
    {"Congo", "Конго", nullptr},
    {"DR Congo", "ДР Конго", nullptr},
    {"Angola", "Ангола", nullptr},
    {"Zambia", "Замбия", nullptr},
    {"Malawi", "Малави", nullptr},
    {"Mozambique", "Мозамбик", nullptr},
    {"Zimbabwe", "Зимбабве", nullptr},
    {"Botswana", "Ботсвана", nullptr},
    {"Namibia", "Намибия", nullptr},
    {"South Africa", "ЮАР", nullptr},
    {"Lesotho", "Лесото", nullptr},
    {"Eswatini", "Эсватини", nullptr},
    {"Madagascar", "Мадагаскар", nullptr},
    {"Mauritius", "Маврикий", nullptr},
    {"Seychelles", "Сейшелы", nullptr},
    {"Comoros", "Коморы", nullptr},
    {"Cape Verde", "Кабо-Верде", nullptr},
    {"Sao Tome and Principe", "Сан-Томе и Принсипи", "Sao_Tome"},
};

template <size_t N>
std::vector<Country> Build(const Row (&rows)[N]) {
  std::vector<Country> out;
  for (const Row& r : rows) out.push_back({r.en, r.ru, r.shortName});
  return out;
}

const std::array<std::vector<Country>, kContinents + 1>& Tables() {
  static const auto tables = [] {
    std::array<std::vector<Country>, kContinents + 1> t;
    t[1] = Build(kEurope);
    t[2] = Build(kAsia);
    t[3] = Build(kNorthAmerica);
    t[4] = Build(kSouthAmerica);
    t[5] = Build(kOceania);
    t[6] = Build(kAfrica);
    // The derived short names, owned by a table of their own.
    static std::vector<std::string> owned;
    for (int c = 1; c <= kContinents; ++c)
      for (Country& k : t[c])
        if (!k.shortName) {
          std::string s = k.english;
          for (char& ch : s)
            if (ch == ' ') ch = '_';
          owned.push_back(s);
        }
    size_t next = 0;
    for (int c = 1; c <= kContinents; ++c)
      for (Country& k : t[c])
        if (!k.shortName) k.shortName = owned[next++].c_str();
    return t;
  }();
  return tables;
}

}  // namespace

int CountryCount(int continent) {
  if (continent < 1 || continent > kContinents) return 0;
  return static_cast<int>(Tables()[continent].size());
}

const Country& CountryAt(int continent, int index) {
  const auto& t = Tables();
  if (continent < 1 || continent > kContinents) return t[1][0];
  const auto& list = t[continent];
  return index >= 0 && index < static_cast<int>(list.size()) ? list[index] : list[0];
}

std::string CountryCode(int continent, int index) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%d-%03d", continent, index);
  return buf;
}

bool ParseCountryCode(std::string_view code, int* continent, int* index) {
  if (code.size() != 5 || code[1] != '-' || code[0] < '1' || code[0] > '0' + kContinents) return false;
  int n = 0;
  for (size_t i = 2; i < 5; ++i) {
    if (code[i] < '0' || code[i] > '9') return false;
    n = n * 10 + (code[i] - '0');
  }
  const int c = code[0] - '0';
  if (n >= CountryCount(c)) return false;
  *continent = c;
  *index = n;
  return true;
}

}  // namespace zarnet::world
