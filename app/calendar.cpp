#include "calendar.h"

#include <cstdlib>

namespace zarnet {

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

namespace {

constexpr int kMonthDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int Digits(std::string_view s, size_t at, size_t n) {
  if (at + n > s.size()) return -1;
  int v = 0;
  for (size_t i = at; i < at + n; ++i) {
    if (s[i] < '0' || s[i] > '9') return -1;
    v = v * 10 + (s[i] - '0');
  }
  return v;
}

}  // namespace

int DaysInMonth(int year, int month) {
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kMonthDays[month];
}

int DayOfYear(const Date& d) {
  int n = d.day;
  for (int m = 1; m < d.month; ++m) n += DaysInMonth(d.year, m);
  return n;
}

Date DateFromDayOfYear(int year, int n) {
  int month = 1;
  while (month < 12 && n > DaysInMonth(year, month)) n -= DaysInMonth(year, month++);
  return {year, month, n};
}

int Weekday(const Date& d) {
  // Zeller's congruence, turned into 1 = Sunday.
  int m = d.month, y = d.year;
  if (m < 3) {
    m += 12;
    --y;
  }
  const int k = y % 100, j = y / 100;
  const int h = (d.day + 13 * (m + 1) / 5 + k + k / 4 + j / 4 + 5 * j) % 7;  // 0 = Saturday
  return (h + 6) % 7 + 1;
}

Date OrthodoxEaster(int y) {
  const int L = IsLeapYear(y) ? 1 : 0;
  const int a = (19 * (y % 19) + 15) % 30;
  const int b = (2 * (y % 4) + 4 * (y % 7) + 6 * a + 6) % 7;
  const int s = a + b;
  const int julian = s <= 9 ? L + 59 + 22 + s : L + 90 + s - 9;
  // The Julian calendar runs 13 days behind from 1900 to 2099, and one day more
  // with every Gregorian century year that is not a leap year.
  const int behind = y / 100 - y / 400 - 2;
  return DateFromDayOfYear(y, julian + behind);
}

Date WesternEaster(int y) {
  const int L = IsLeapYear(y) ? 1 : 0;
  const int G = y % 19 + 1;
  const int C = y / 100 + 1;
  const int X = (3 * C) / 4 - 12;
  const int Z = (8 * C + 5) / 25 - 5;
  const int D = (5 * y) / 4 - X - 10;
  int E = ((11 * G + 20 + Z - X) % 30 + 30) % 30;
  if ((E == 25 && G > 11) || E == 24) ++E;
  int N = 44 - E;
  if (N < 21) N += 30;
  N = N + 7 - ((D + N) % 7);
  return DateFromDayOfYear(y, L + 59 + N);
}

int ZodiacSign(const Date& d) {
  // First days of Aries .. Pisces.
  static const int kStart[13][2] = {{0, 0},   {3, 21},  {4, 21},  {5, 21},  {6, 22},
                                    {7, 23},  {8, 24},  {9, 24},  {10, 24}, {11, 23},
                                    {12, 22}, {1, 21},  {2, 21}};
  int sign = 10;  // Capricorn runs over the new year
  const int today = d.month * 100 + d.day;
  int best = -1;
  for (int s = 1; s <= 12; ++s) {
    const int start = kStart[s][0] * 100 + kStart[s][1];
    if (start <= today && start > best) {
      best = start;
      sign = s;
    }
  }
  return sign;
}

int AnimalOfYear(int year) {
  // The year modulo 12 counts from the monkey; the pictures count from the rat.
  static const int kByRemainder[12] = {8, 9, 10, 11, 0, 1, 2, 3, 4, 5, 6, 7};
  return kByRemainder[((year % 12) + 12) % 12];
}

WordId MonthWord(int month) {
  static const WordId kMonths[12] = {
      WordId::January, WordId::February, WordId::March,     WordId::April,
      WordId::May,     WordId::June,     WordId::July,      WordId::August,
      WordId::September, WordId::October, WordId::November, WordId::December};
  return kMonths[(month >= 1 && month <= 12 ? month : 1) - 1];
}

WordId SignWord(int sign) {
  static const WordId kSigns[12] = {
      WordId::Aries, WordId::Taurus, WordId::Gemini,      WordId::Cancer,
      WordId::Leo,   WordId::Virgo,  WordId::Libra,       WordId::Scorpio,
      WordId::Sagittarius, WordId::Capricorn, WordId::Aquarius, WordId::Pisces};
  return kSigns[(sign >= 1 && sign <= 12 ? sign : 1) - 1];
}

WordId AnimalWord(int animal) {
  static const WordId kAnimals[12] = {
      WordId::YearOfTheRat,    WordId::YearOfTheOx,     WordId::YearOfTheTiger,
      WordId::YearOfTheRabbit, WordId::YearOfTheDragon, WordId::YearOfTheSnake,
      WordId::YearOfTheHorse,  WordId::YearOfTheGoat,   WordId::YearOfTheMonkey,
      WordId::YearOfTheRooster, WordId::YearOfTheDog,   WordId::YearOfThePig};
  return kAnimals[animal >= 0 && animal <= 11 ? animal : 0];
}

std::string SignPicture(int sign) {
  const int s = sign >= 1 && sign <= 12 ? sign : 1;
  return std::string("R_") + char('0' + s / 10) + char('0' + s % 10);
}

std::string AnimalPicture(int animal) {
  static const char* kNames[12] = {"R_VOSKRIS", "R_VOSBULL", "R_VOSTIGR", "R_VOSRABB",
                                   "R_VOSDRAG", "R_VOSSNAK", "R_VOSHORS", "R_VOSKOZA",
                                   "R_VOSMONK", "R_VOSPETU", "R_VOSDOG0", "R_VOSPIG0"};
  return kNames[animal >= 0 && animal <= 11 ? animal : 0];
}

std::optional<HolidayEntry> ParseHolidayEntry(std::string_view text) {
  auto field = [&text](size_t length) -> std::optional<std::string> {
    if (text.size() <= length || text[length] != '#') return std::nullopt;
    std::string f(text.substr(0, length));
    text.remove_prefix(length + 1);
    return f;
  };
  HolidayEntry e;
  auto date = field(10), tag = field(3), picture = field(9);
  if (!date || !tag || !picture) return std::nullopt;
  e.date = *date;
  e.tag = *tag;
  e.picture = *picture;
  for (std::string& name : e.names) {
    const size_t end = text.find('#');
    if (end == std::string_view::npos || end == 0) return std::nullopt;
    name = std::string(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  return e;
}

namespace {

// Ascension and Trinity are the 40th and the 50th day counted from Easter
// Sunday as the first: 39 and 49 days after it.
const char* const kHolidayTexts[] = {
    "01.01.0000#ALL#R_NEWYEAR#Новый год#New Year#Neujahr#Nouvel An#Año Nuevo#新年#Capodanno#Nový rok#元日#새해#",
    "20.01.0000#USA#R_USAFLAG#День инаугурации#Inauguration day#Tag der Amtseinführung#Jour de l'investiture#Día de la investidura#总统就职日#Giorno dell'insediamento#Den inaugurace#大統領就任式の日#대통령 취임식 날#",
    "25.01.0000#RUS#R_RUSZNAN#Татьянин день, День российского студенчества#Tatyana`s day, the day of Russian students#Tatjanatag, Tag der russischen Studenten#Sainte-Tatiana, journée des étudiants russes#Día de Santa Tatiana, día de los estudiantes rusos#塔季扬娜节，俄罗斯大学生节#Giorno di Santa Tatiana, festa degli studenti russi#Den Taťány, den ruských studentů#タチアナの日・ロシア学生の日#타티야나의 날, 러시아 대학생의 날#",
    "27.01.0000#RUS#R_RUSORDN#День полного освобождения Ленинграда от блокады#Day of the lifting of the siege of Leningrad#Tag der Befreiung Leningrads von der Blockade#Jour de la levée du siège de Léningrad#Día del levantamiento del sitio de Leningrado#列宁格勒解围日#Giorno della fine dell'assedio di Leningrado#Den prolomení blokády Leningradu#レニングラード包囲解放の日#레닌그라드 봉쇄 해제의 날#",
    "****3.2.01#USA#R_USAFLAG#День Мартина Лютера Кинга#Martin Luther King Day#Martin-Luther-King-Tag#Journée de Martin Luther King#Día de Martin Luther King#马丁·路德·金纪念日#Giorno di Martin Luther King#Den Martina Luthera Kinga#キング牧師記念日#마틴 루서 킹의 날#",
    "02.02.1943#RUS#R_RUSORDN#День победы советских войск в Сталинградской битве#The day of the victory of Soviet forces in the battle of Stalingrad#Tag des Sieges der sowjetischen Truppen in der Schlacht von Stalingrad#Jour de la victoire soviétique à la bataille de Stalingrad#Día de la victoria soviética en la batalla de Stalingrado#斯大林格勒战役胜利日#Giorno della vittoria sovietica nella battaglia di Stalingrado#Den vítězství sovětských vojsk v bitvě u Stalingradu#スターリングラード攻防戦勝利の日#스탈린그라드 전투 승전 기념일#",
    "08.02.0000#RUS#R_RUSFLAG#День российской науки#The day of Russian Science#Tag der russischen Wissenschaft#Journée de la science russe#Día de la Ciencia Rusa#俄罗斯科学日#Giornata della scienza russa#Den ruské vědy#ロシア科学の日#러시아 과학의 날#",
    "14.02.0000#ALL#R_LOVE000#День святого Валентина#Valentine`s day#Valentinstag#Saint-Valentin#Día de San Valentín#情人节#San Valentino#Svatý Valentýn#バレンタインデー#밸런타인데이#",
    "23.02.0000#RUS#R_RUSGEOR#День защитника Отечества#Defender of the fatherland day#Tag des Vaterlandsverteidigers#Journée du défenseur de la patrie#Día del Defensor de la Patria#祖国保卫者日#Giornata del difensore della patria#Den obránců vlasti#祖国防衛者の日#조국 수호자의 날#",
    "08.03.0000#ALL#R_8MARCH0#Международный женский день#International women`s day#Internationaler Frauentag#Journée internationale des femmes#Día Internacional de la Mujer#国际妇女节#Festa della donna#Mezinárodní den žen#国際女性デー#세계 여성의 날#",
    "17.03.0000#USA#R_USAPATR#День святого Патрика#St. Patrick`s day#St. Patrick's Day#Saint-Patrick#Día de San Patricio#圣帕特里克节#Festa di San Patrizio#Den svatého Patrika#聖パトリックの祝日#성 패트릭의 날#",
    "01.04.0000#ALL#R_1April0#День смеха#April Fool`s day#Aprilscherz-Tag#Poisson d'avril#Día de las bromas de abril#愚人节#Pesce d'aprile#Apríl#エイプリルフール#만우절#",
    "02.04.0000#RUS#R_RUSFLAG#День единения народов#Unity day#Tag der Einheit der Völker#Journée de l'unité des peuples#Día de la Unidad de los Pueblos#人民团结日#Giornata dell'unità dei popoli#Den jednoty národů#諸民族団結の日#민족 단결의 날#",
    "12.04.0000#RUS#R_RUSFLAG#День космонавтики#Day of cosmonautics#Tag der Raumfahrt#Journée de la cosmonautique#Día de la Cosmonáutica#航天日#Giornata della cosmonautica#Den kosmonautiky#宇宙飛行の日#우주 비행의 날#",
    "18.04.1242#RUS#R_RUSGEOR#День победы русских воинов в Ледовом побоище#The day of the victory of the Russian army in the battle on the ice#Tag des Sieges des russischen Heeres in der Schlacht auf dem Eis#Jour de la victoire de l'armée russe à la bataille du lac gelé#Día de la victoria del ejército ruso en la batalla del lago helado#楚德湖冰上之战胜利日#Giorno della vittoria dell'esercito russo nella battaglia del ghiaccio#Den vítězství ruského vojska v bitvě na Čudském jezeře#氷上の戦いの勝利の日#얼음 위의 전투 승전 기념일#",
    "01.05.0000#ALL#R_1May000#Праздник Весны и Труда#Labor Day#Tag der Arbeit#Fête du Travail#Día del Trabajo#劳动节#Festa dei lavoratori#Svátek práce#メーデー#노동절#",
    "02.05.0000#ISP#R_ISPFLAG#День Мадрида#Day Of Madrid#Tag der Region Madrid#Fête de la Communauté de Madrid#Día de la Comunidad de Madrid#马德里自治区日#Festa della Comunità di Madrid#Den Madridu#マドリード州の日#마드리드의 날#",
    "07.05.0000#RUS#R_RUSFLAG#День радио#Radio day#Tag des Radios#Journée de la radio#Día de la Radio#无线电日#Giornata della radio#Den rádia#ラジオの日#라디오의 날#",
    "08.05.0000#FRA#R_FRAFLAG#День Победы#Victory day#Tag des Sieges#Victoire 1945#Día de la Victoria#胜利日#Giorno della vittoria#Den vítězství#戦勝記念日#승전 기념일#",
    "09.05.1945#RUS#R_RUSORDN#День Победы в Великой Отечественной войне#Victory day in Great Patriotic war#Tag des Sieges im Großen Vaterländischen Krieg#Jour de la Victoire dans la Grande Guerre patriotique#Día de la Victoria en la Gran Guerra Patria#伟大卫国战争胜利日#Giorno della vittoria nella Grande guerra patriottica#Den vítězství ve Velké vlastenecké válce#大祖国戦争戦勝記念日#대조국전쟁 승전 기념일#",
    "24.05.0000#RUS#R_RUSFLAG#День славянской письменности и культуры#The day of Slavonic Literature and culture#Tag des slawischen Schrifttums und der Kultur#Journée de l'écriture et de la culture slaves#Día de la Escritura y la Cultura Eslavas#斯拉夫文字和文化节#Giornata della scrittura e della cultura slava#Den slovanského písemnictví a kultury#スラヴ文字と文化の日#슬라브 문자와 문화의 날#",
    "29.05.0000#RUS#R_RUSFLAG#День химика#Chemist`s day#Tag des Chemikers#Journée du chimiste#Día del Químico#化学工作者日#Giornata del chimico#Den chemiků#化学者の日#화학자의 날#",
    "01.06.0000#ALL#R_BABY000#Международный день защиты детей#International children`s day#Internationaler Kindertag#Journée internationale de l'enfance#Día Internacional del Niño#国际儿童节#Giornata internazionale dei bambini#Mezinárodní den dětí#国際子どもの日#국제 어린이날#",
    "12.06.0000#RUS#R_RUSFLAG#День России#Russia Day#Tag Russlands#Jour de la Russie#Día de Rusia#俄罗斯日#Giornata della Russia#Den Ruska#ロシアの日#러시아의 날#",
    "14.06.0000#USA#R_USAFLAG#День флага США#American flag day#Tag der US-Flagge#Jour du drapeau américain#Día de la Bandera de Estados Unidos#美国国旗日#Giornata della bandiera americana#Den americké vlajky#アメリカ国旗の日#미국 국기의 날#",
    "21.06.0000#FRA#R_FRAMUS0#Праздник музыки#Music day#Fest der Musik#Fête de la musique#Fiesta de la Música#音乐节#Festa della musica#Svátek hudby#音楽の日#음악 축제의 날#",
    "22.06.0000#RU-#R_RUSORDN#День памяти и скорби#Day of remembrance and mourning#Tag der Erinnerung und der Trauer#Journée du souvenir et du deuil#Día de la Memoria y el Duelo#纪念与哀悼日#Giornata della memoria e del lutto#Den vzpomínky a smutku#追悼と哀悼の日#추모와 애도의 날#",
    "27.06.0000#RUS#R_RUSFLAG#День молодёжи#Youth day#Tag der Jugend#Journée de la jeunesse#Día de la Juventud#青年节#Giornata della gioventù#Den mládeže#青年の日#청년의 날#",
    "04.07.0000#USA#R_USA4JUL#День независимости#Independence day#Unabhängigkeitstag#Jour de l'Indépendance#Día de la Independencia#独立日#Giorno dell'Indipendenza#Den nezávislosti#独立記念日#독립 기념일#",
    "08.07.0000#RUS#R_RUSFLAG#День семьи, любви и верности#Day of family, love and fidelity#Tag der Familie, der Liebe und der Treue#Journée de la famille, de l'amour et de la fidélité#Día de la Familia, el Amor y la Fidelidad#家庭、爱情与忠诚日#Giornata della famiglia, dell'amore e della fedeltà#Den rodiny, lásky a věrnosti#家族と愛と誠実の日#가족, 사랑, 정절의 날#",
    "10.07.1709#RUS#R_RUSGEOR#День победы русской армии в Полтавском сражении#The day of the victory of the Russian army in the battle of Poltava#Tag des Sieges des russischen Heeres in der Schlacht bei Poltawa#Jour de la victoire de l'armée russe à la bataille de Poltava#Día de la victoria del ejército ruso en la batalla de Poltava#波尔塔瓦会战胜利日#Giorno della vittoria dell'esercito russo nella battaglia di Poltava#Den vítězství ruského vojska v bitvě u Poltavy#ポルタヴァの戦いの勝利の日#폴타바 전투 승전 기념일#",
    "14.07.0000#FRA#R_FRAFLAG#День взятия Бастилии#Bastille Day#Tag des Sturms auf die Bastille#Fête nationale du 14 Juillet#Día de la Toma de la Bastilla#法国国庆日#Presa della Bastiglia#Den dobytí Bastily#フランス革命記念日#프랑스 혁명 기념일#",
    "18.07.0000#USA#R_USAFLAG#Национальный день хот-дога#National hot dog day#Nationaler Hotdog-Tag#Journée nationale du hot-dog#Día Nacional del Perrito Caliente#全国热狗日#Giornata nazionale dell'hot dog#Národní den hotdogu#ホットドッグの日#핫도그의 날#",
    "28.07.0988#RUS#R_RUSFLAG#День Крещения Руси#The day of the baptism of RUS`#Tag der Taufe der Rus#Jour du baptême de la Rus'#Día del Bautismo de la Rus#罗斯受洗日#Giorno del battesimo della Rus'#Den křtu Rusi#ルーシの洗礼の日#루스 세례의 날#",
    "16.08.0000#USA#R_USAELVI#День памяти Элвиса Пресли#Elvis Presley Memorial Day#Elvis-Presley-Gedenktag#Journée du souvenir d'Elvis Presley#Día en memoria de Elvis Presley#埃尔维斯·普雷斯利纪念日#Giornata in memoria di Elvis Presley#Den památky Elvise Presleyho#エルヴィス・プレスリー追悼の日#엘비스 프레슬리 추모일#",
    "22.08.0000#RUS#R_RUSFLAG#День Государственного флага России#The day of the national flag of Russia#Tag der Staatsflagge Russlands#Journée du drapeau national russe#Día de la Bandera Nacional de Rusia#俄罗斯国旗日#Giornata della bandiera nazionale russa#Den státní vlajky Ruska#ロシア国旗の日#러시아 국기의 날#",
    "23.08.1943#RUS#R_RUSORDN#День победы советских войск в Курской битве#The day of the victory of Soviet forces in the battle of Kursk#Tag des Sieges der sowjetischen Truppen in der Schlacht bei Kursk#Jour de la victoire soviétique à la bataille de Koursk#Día de la victoria soviética en la batalla de Kursk#库尔斯克会战胜利日#Giorno della vittoria sovietica nella battaglia di Kursk#Den vítězství sovětských vojsk v bitvě u Kurska#クルスクの戦い勝利の日#쿠르스크 전투 승전 기념일#",
    "01.09.0000#RUS#R_RUSZNAN#День знаний#The day of knowledge#Tag des Wissens#Journée du savoir#Día del Conocimiento#知识日#Giornata della conoscenza#Den vědění#知識の日#지식의 날#",
    "02.09.0000#ALL#R_WAR0000#День окончания Второй мировой войны#Day of the end of World War II#Tag des Endes des Zweiten Weltkriegs#Jour de la fin de la Seconde Guerre mondiale#Día del fin de la Segunda Guerra Mundial#第二次世界大战结束纪念日#Giorno della fine della seconda guerra mondiale#Den konce druhé světové války#第二次世界大戦終結の日#제2차 세계 대전 종전 기념일#",
    "08.09.1812#RUS#R_RUSGEOR#День Бородинского сражения#Borodino day#Tag der Schlacht von Borodino#Jour de la bataille de la Moskova#Día de la batalla de Borodinó#博罗季诺战役纪念日#Giorno della battaglia di Borodino#Den bitvy u Borodina#ボロジノの戦いの日#보로디노 전투 기념일#",
    "13.09.0000#ALL#R_ALLPROG#День программиста#Programmer`s day#Tag des Programmierers#Journée du programmeur#Día del Programador#程序员节#Giornata del programmatore#Den programátorů#プログラマーの日#프로그래머의 날#",
    "21.09.1380#RUS#R_RUSGEOR#День победы русских полков в Куликовской битве#The day of the victory of Russian regiments in the battle of Kulikovo#Tag des Sieges der russischen Regimenter in der Schlacht auf dem Kulikowo-Feld#Jour de la victoire des régiments russes à la bataille de Koulikovo#Día de la victoria de los regimientos rusos en la batalla de Kulikovo#库利科沃会战胜利日#Giorno della vittoria dei reggimenti russi nella battaglia di Kulikovo#Den vítězství ruských pluků v bitvě na Kulikově poli#クリコヴォの戦いの勝利の日#쿨리코보 전투 승전 기념일#",
    "01.10.0000#RUS#R_OLD0000#День пожилых людей#Day of older persons#Tag der älteren Menschen#Journée des personnes âgées#Día de las Personas Mayores#老年人日#Giornata delle persone anziane#Den seniorů#高齢者の日#노인의 날#",
    "03.10.0000#DEU#R_DEUFLAG#День германского единства#Day of German unity#Tag der Deutschen Einheit#Jour de l'unité allemande#Día de la Unidad Alemana#德国统一日#Giorno dell'unità tedesca#Den německé jednoty#ドイツ統一の日#독일 통일의 날#",
    "05.10.0000#RUS#R_TEACHER#День учителя#Teacher`s day#Tag des Lehrers#Journée des enseignants#Día del Maestro#教师节#Giornata degli insegnanti#Den učitelů#教師の日#스승의 날#",
    "12.10.0000#ISP#R_ISPFLAG#Национальный праздник Испании#National day of Spain#Spanischer Nationalfeiertag#Fête nationale espagnole#Fiesta Nacional de España#西班牙国庆日#Festa nazionale spagnola#Státní svátek Španělska#スペインの建国記念日#스페인 국경일#",
    "21.10.0000#ENG#R_ENGFLAG#День яблока#Apple day#Apfeltag#Journée de la pomme#Día de la Manzana#苹果日#Giornata della mela#Den jablek#りんごの日#사과의 날#",
    "31.10.0000#ALL#R_HALLO00#Хэллоуин#Halloween#Halloween#Halloween#Noche de Halloween#万圣节前夜#Halloween#Halloween#ハロウィン#핼러윈#",
    "05.11.0000#ENG#R_ENGFLAG#Ночь Гая Фокса, или Ночь костров#Guy Fawkes night or Night campfires#Guy-Fawkes-Nacht oder Nacht der Freudenfeuer#Nuit de Guy Fawkes ou nuit des feux de joie#Noche de Guy Fawkes o noche de las hogueras#盖伊·福克斯之夜，又称篝火之夜#Notte di Guy Fawkes o notte dei falò#Noc Guye Fawkese neboli noc ohňů#ガイ・フォークス・ナイト（焚き火の夜）#가이 포크스의 밤, 모닥불의 밤#",
    "11.11.0000#ALL#R_WAR0000#День окончания Первой мировой войны#The end of the first world war#Ende des Ersten Weltkriegs#Armistice de 1918#Fin de la Primera Guerra Mundial#第一次世界大战停战纪念日#Fine della prima guerra mondiale#Konec první světové války#第一次世界大戦休戦記念日#제1차 세계 대전 종전 기념일#",
    "****4.5.11#USA#R_USABLAG#День благодарения#Thanksgiving#Thanksgiving#Thanksgiving#Día de Acción de Gracias#感恩节#Festa del Ringraziamento#Den díkůvzdání#感謝祭#추수감사절#",
    "05.12.1941#RUS#R_RUSORDN#День начала контрнаступления советских войск под Москвой#The first day of the Soviet troops counterattack near Moscow#Tag des Beginns der sowjetischen Gegenoffensive vor Moskau#Jour du début de la contre-offensive soviétique devant Moscou#Día del inicio de la contraofensiva soviética ante Moscú#莫斯科城下苏军反攻开始日#Giorno dell'inizio della controffensiva sovietica davanti a Mosca#Den zahájení sovětské protiofenzívy u Moskvy#モスクワ反攻開始の日#모스크바 반격 개시일#",
    "06.12.0000#ISP#R_ISPFLAG#День Конституции Испании#Constitution Day in Spain#Tag der spanischen Verfassung#Jour de la Constitution espagnole#Día de la Constitución Española#西班牙宪法日#Giorno della Costituzione spagnola#Den španělské ústavy#スペイン憲法記念日#스페인 제헌절#",
    "12.12.0000#RUS#R_RUSFLAG#День Конституции России#Constitution Day Of Russia#Tag der Verfassung Russlands#Jour de la Constitution russe#Día de la Constitución de Rusia#俄罗斯宪法日#Giorno della Costituzione russa#Den ruské ústavy#ロシア憲法記念日#러시아 제헌절#",
    "22.12.0000#RUS#R_RUSFLAG#День энергетика#The day of power branch workers#Tag der Energiewirtschaft#Journée des travailleurs de l'énergie#Día del Trabajador de la Energía#电力工作者日#Giornata dei lavoratori dell'energia#Den energetiků#エネルギー産業の日#에너지 산업 종사자의 날#",
    "27.12.0000#RUS#R_RUSFLAG#День спасателя России#The rescuer day Russia#Tag der Retter Russlands#Journée des sauveteurs russes#Día del Socorrista de Rusia#俄罗斯救援人员日#Giornata dei soccorritori russi#Den záchranářů Ruska#ロシア救助隊の日#러시아 구조대원의 날#",
    "pasha.p000#PRA#R_PASHA00#Пасха#Easter#Ostern#Pâques#Pascua#复活节#Pasqua#Velikonoce#復活大祭#부활절#",
    "pasha.p-07#PRA#R_PRAKRES#Вход Господень в Иерусалим#The entry into Jerusalem#Einzug des Herrn in Jerusalem#Entrée du Seigneur à Jérusalem#Entrada del Señor en Jerusalén#主进圣城节#Ingresso del Signore a Gerusalemme#Vjezd Páně do Jeruzaléma#主の聖城入城祭#주님의 예루살렘 입성 축일#",
    "pasha.p+39#PRA#R_PRAKRES#Вознесение Господне#Ascension Of Our Lord#Christi Himmelfahrt#Ascension du Seigneur#Ascensión del Señor#主升天节#Ascensione del Signore#Nanebevstoupení Páně#主の昇天祭#주님 승천 축일#",
    "pasha.p+49#PRA#R_PRAKRES#День Святой Троицы#Trinity Sunday#Dreifaltigkeitsfest#Fête de la Sainte Trinité#Domingo de la Santísima Trinidad#圣三一节#Festa della Santissima Trinità#Svátek Nejsvětější Trojice#聖三者の祭日#성삼위일체 축일#",
    "07.01.0000#PRA#R_ROGDEST#Рождество Христово#Christmas#Weihnachten#Noël#Navidad#圣诞节#Natale#Vánoce#主の降誕祭#성탄절#",
    "14.01.0000#PRA#R_PRAKRES#Обрезание Господне#Circumcision Of The Lord#Beschneidung des Herrn#Circoncision du Seigneur#Circuncisión del Señor#主受割礼节#Circoncisione del Signore#Obřezání Páně#主の割礼祭#주님 할례 축일#",
    "19.01.0000#PRA#R_PRAKRES#Крещение Господне#Epiphany#Theophanie#Théophanie#Epifanía del Señor#主领洗节#Teofania#Křest Páně#神現祭#주님 공현 축일#",
    "15.02.0000#PRA#R_PRAKRES#Сретение Господне#Candlemas#Darstellung des Herrn#Sainte Rencontre du Seigneur#Presentación del Señor#主进堂节#Presentazione del Signore#Uvedení Páně do chrámu#主の迎接祭#주님 봉헌 축일#",
    "07.04.0000#PRA#R_PRAKRES#Благовещение Пресвятой Богородицы#Annunciation to the Most Holy Theotokos#Verkündigung an die Gottesgebärerin#Annonciation à la Mère de Dieu#Anunciación de la Santísima Madre de Dios#圣母领报节#Annunciazione alla Santissima Madre di Dio#Zvěstování Přesvaté Bohorodici#生神女福音祭#성모 희보 축일#",
    "07.07.0000#PRA#R_PRAKRES#Рождество Иоанна Предтечи#The Nativity of John the Baptist (Forerunner)#Geburt Johannes des Täufers (des Vorläufers)#Nativité de saint Jean-Baptiste (le Précurseur)#Natividad de San Juan Bautista (el Precursor)#施洗约翰（先驱）诞辰#Natività di San Giovanni Battista (il Precursore)#Narození Jana Křtitele (Předchůdce)#前駆授洗イオアン誕生祭#세례자 요한(선구자) 탄생 축일#",
    "12.07.0000#PRA#R_PRAKRES#День святых первоверховных апостолов Петра и Павла#Day of the Holy Primate Apostles Peter and Paul#Fest der heiligen Apostelfürsten Petrus und Paulus#Fête des saints apôtres Pierre et Paul, coryphées#Fiesta de los santos apóstoles Pedro y Pablo#圣首席使徒彼得和保罗节#Festa dei santi apostoli Pietro e Paolo#Svátek svatých apoštolů Petra a Pavla#聖使徒ペトル・パウェル祭#성 베드로와 바울로 사도 축일#",
    "19.08.0000#PRA#R_PRAKRES#Преображение Господне#Transfiguration#Verklärung des Herrn#Transfiguration du Seigneur#Transfiguración del Señor#主显圣容节#Trasfigurazione del Signore#Proměnění Páně#主の顕栄祭#주님 변모 축일#",
    "28.08.0000#PRA#R_PRAKRES#Успение Пресвятой Богородицы#Dormition of the Virgin#Entschlafung der Gottesgebärerin#Dormition de la Mère de Dieu#Dormición de la Virgen#圣母安息节#Dormizione della Madre di Dio#Zesnutí Přesvaté Bohorodice#生神女就寝祭#성모 안식 축일#",
    "11.09.0000#PRA#R_PRAKRES#Усекновение главы Иоанна Предтечи#Beheading of John the Baptist#Enthauptung Johannes des Täufers#Décollation de saint Jean-Baptiste#Degollación de San Juan Bautista#施洗约翰被斩首纪念日#Decollazione di San Giovanni Battista#Stětí Jana Křtitele#前駆授洗イオアン斬首祭#세례자 요한 참수 기념일#",
    "21.09.0000#PRA#R_PRAKRES#Рождество Пресвятой Богородицы#Nativity Of The Virgin#Geburt der Gottesgebärerin#Nativité de la Mère de Dieu#Natividad de la Madre de Dios#圣母诞辰节#Natività della Madre di Dio#Narození Přesvaté Bohorodice#生神女誕生祭#성모 탄생 축일#",
    "27.09.0000#PRA#R_PRAKRES#Воздвижение Креста Господня#Exaltation of the Cross of the Lord#Kreuzerhöhung#Exaltation de la Sainte Croix#Exaltación de la Santa Cruz#举荣圣架节#Esaltazione della Santa Croce#Povýšení svatého Kříže#十字架挙栄祭#성 십자가 현양 축일#",
    "14.10.0000#PRA#R_PRAKRES#Покров Пресвятой Богородицы#Protection of the Most Holy Theotokos#Schutz der Gottesgebärerin#Protection de la Mère de Dieu#Protección de la Santísima Madre de Dios#圣母帡幪节#Protezione della Santissima Madre di Dio#Ochrana Přesvaté Bohorodice#生神女庇護祭#성모 보호 축일#",
    "04.12.0000#PRA#R_PRAKRES#Введение во храм Пресвятой Богородицы#Introduction to the temple of the Most Holy Theotokos#Einführung der Gottesgebärerin in den Tempel#Entrée de la Mère de Dieu au Temple#Presentación de la Santísima Madre de Dios en el Templo#圣母进殿节#Ingresso della Madre di Dio al Tempio#Uvedení Přesvaté Bohorodice do chrámu#生神女進堂祭#성모 입당 축일#",
    "pasha.k000#KAT#R_PASHA00#Пасха#Easter#Ostern#Pâques#Pascua#复活节#Pasqua#Velikonoce#復活祭#부활 대축일#",
    "02.02.0000#KAT#R_KATKRES#Сретение Господне#Candlemas#Mariä Lichtmess#Chandeleur#Candelaria#圣烛节#Candelora#Hromnice#聖燭祭#성촉절#",
    "25.03.0000#KAT#R_KATKRES#Благовещение#Annunciation to the Most Holy Theotokos#Verkündigung des Herrn#Annonciation#Anunciación del Señor#圣母领报节#Annunciazione del Signore#Zvěstování Páně#神のお告げの祭日#주님 탄생 예고 대축일#",
    "06.08.0000#KAT#R_KATKRES#Преображение Господне#Transfiguration#Verklärung des Herrn#Transfiguration du Seigneur#Transfiguración del Señor#耶稣显圣容节#Trasfigurazione del Signore#Proměnění Páně#主の変容の祝日#주님의 거룩한 변모 축일#",
    "08.09.0000#KAT#R_KATKRES#Рождество Пресвятой Девы Марии#Nativity of the Mother of God#Mariä Geburt#Nativité de la Vierge Marie#Natividad de la Virgen María#圣母诞辰#Natività della Beata Vergine Maria#Narození Panny Marie#聖母の誕生の祝日#복되신 동정 마리아 탄생 축일#",
    "01.11.0000#KAT#R_KATKRES#День всех святых#All Saints` day#Allerheiligen#Toussaint#Día de Todos los Santos#诸圣节#Ognissanti#Slavnost Všech svatých#諸聖人の日#모든 성인 대축일#",
    "24.12.0000#KAT#R_ROGDEST#Сочельник#Christmas Eve#Heiligabend#Veille de Noël#Nochebuena#平安夜#Vigilia di Natale#Štědrý den#クリスマス・イブ#크리스마스 이브#",
    "25.12.0000#KAT#R_ROGDEST#Рождество#Christmas#Weihnachten#Noël#Navidad#圣诞节#Natale#Boží hod vánoční#クリスマス#성탄 대축일#",
};

}  // namespace

const std::vector<HolidayEntry>& HolidayTable() {
  static const std::vector<HolidayEntry> table = [] {
    std::vector<HolidayEntry> t;
    for (const char* text : kHolidayTexts)
      if (auto e = ParseHolidayEntry(text)) t.push_back(std::move(*e));
    return t;
  }();
  return table;
}

const std::string& HolidayName(const HolidayEntry& e, int language) {
  // The table lists Russian before English; the interface has them the other way round.
  if (language < 0 || language >= kLanguageCount || language == 0) return e.names[1];
  if (language == 1) return e.names[0];
  return e.names[language];
}

std::optional<WordId> KindWord(const std::string& tag) {
  static const std::pair<const char*, WordId> kKinds[] = {
      {"ENG", WordId::HolidayUk},           {"RUS", WordId::RussianFestival},
      {"DEU", WordId::GermanHoliday},       {"FRA", WordId::FrenchHoliday},
      {"ISP", WordId::SpanishHoliday},      {"USA", WordId::HolidayUnitedStates},
      {"PRA", WordId::TheOrthodoxHoliday},  {"KAT", WordId::CatholicFeast}};
  for (const auto& [t, word] : kKinds)
    if (tag == t) return word;
  return std::nullopt;
}

Date ResolveHolidayDate(const HolidayEntry& e, const Date& today) {
  const std::string& f = e.date;
  const int y = today.year;
  if (f.size() != 10) return {y, 0, 0};
  if (f.compare(0, 6, "pasha.") == 0) {
    if (f[6] != 'p' && f[6] != 'k') return {y, 0, 0};
    const Date easter = f[6] == 'p' ? OrthodoxEaster(y) : WesternEaster(y);
    int n = DayOfYear(easter);
    if (f[7] == '+' || f[7] == '-') {
      const int offset = Digits(f, 8, 2);
      if (offset < 0) return {y, 0, 0};
      n += f[7] == '+' ? offset : -offset;
    }
    return DateFromDayOfYear(y, n);
  }
  if (f.compare(0, 4, "****") == 0) {
    const int w = Digits(f, 6, 1);
    const int month = Digits(f, 8, 2);
    if (today.month != month || Weekday(today) != w) return {y, 0, 0};
    if (f[4] == 'l') return today.day > DaysInMonth(y, month) - 7 ? today : Date{y, 0, 0};
    const int n = Digits(f, 4, 1);
    return (today.day - 1) / 7 + 1 == n ? today : Date{y, 0, 0};
  }
  // Programmer's day is the 256th day of the year: 12 September in a leap year.
  if (e.picture == "R_ALLPROG") return DateFromDayOfYear(y, 256);
  return {y, Digits(f, 3, 2), Digits(f, 0, 2)};
}

std::vector<HolidayToday> HolidaysOn(const Date& today) {
  std::vector<HolidayToday> out;
  const auto& table = HolidayTable();
  for (size_t i = 0; i < table.size() && out.size() < kMaxHolidaysShown; ++i) {
    const Date d = ResolveHolidayDate(table[i], today);
    if (d.month != today.month || d.day != today.day) continue;
    const std::string& f = table[i].date;
    const int year = (f[2] == '.' && f[5] == '.') ? Digits(f, 6, 4) : 0;
    HolidayToday h{static_cast<int>(i), year > 0 ? year : 0, 0};
    if (h.eventYear > 0) h.anniversary = today.year - h.eventYear;
    out.push_back(h);
  }
  return out;
}

std::string HolidayHint(const HolidayToday& h) {
  const auto& table = HolidayTable();
  if (h.entry < 0 || h.entry >= static_cast<int>(table.size())) return {};
  const HolidayEntry& e = table[h.entry];
  std::string hint = HolidayName(e, LanguageIndex());
  std::string extra;
  if (h.eventYear > 0) extra = std::to_string(h.anniversary) + WordUtf8(WordId::ThAnniversary);
  if (const auto kind = KindWord(e.tag)) {
    if (!extra.empty()) extra += ", ";
    extra += WordUtf8(*kind);
  }
  if (!extra.empty()) hint += " (" + extra + ")";
  return hint;
}

}  // namespace zarnet
