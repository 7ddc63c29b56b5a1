// Country flags for the account windows, 48 x 32, named "GFlag_" + the English
// name of the country with blanks as "_". Each flag is a short list of drawing
// steps; shapes are simplified (coats of arms become discs) so they read at the
// 24 x 16 size the lists show.
//
// Steps, separated by "|"; positions and sizes are fractions of the width (x)
// and height (y, r):
//   H c c ...           horizontal bands, "c*n" for a band n units tall
//   V c c ...           vertical bands
//   NC back cross [in]  Nordic cross, optionally with an inner cross
//   CR c                centred cross          SX c       saltire
//   TRI c f             triangle from the hoist to f of the width
//   POLY c x y x y ...  polygon                RECT c x y w h
//   DISC c r [x y]      disc                   RING c r [x y]
//   HDISC a b r [x y]   disc, upper half a and lower half b
//   MAPLE c r           maple leaf
//   STAR c r [x y]      five-pointed star      STARN c r n [x y]
//   CRES c r [x y]      crescent with a star   SUN c r [x y]
//   CANTON c w h        upper hoist rectangle  UJ [w h]   union flag (canton)
//   DIAG a b            a above the rising diagonal, b below
//   DIAGX a b           a top and bottom triangles, b hoist and fly
//   BAND c w [e ew]     rising diagonal band of width w, edged e
//   DIAMOND c           rhombus                QUARTERS a b c d
//   FRAME c t           border                 TAEGEUK
//   HEX c r             six-pointed star outline
//   RAYS c c ...        rays from the lower hoist corner
//   CLEAR               transparent ground (for shapes that are not rectangles)
#include <cmath>
#include <cstdio>
#include <iterator>

#include "art.h"

namespace artgen {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kW = 48, kH = 32;

QColor Colour(QChar c) {
  switch (c.toLatin1()) {
    case 'R': return QColor(0xd2, 0x10, 0x34);
    case 'C': return QColor(0xc8, 0x10, 0x2e);  // crimson
    case 'M': return QColor(0x8a, 0x15, 0x38);  // maroon
    case 'W': return QColor(0xff, 0xff, 0xff);
    case 'B': return QColor(0x00, 0x38, 0xa8);
    case 'N': return QColor(0x01, 0x21, 0x69);  // navy
    case 'L': return QColor(0x4a, 0x9a, 0xe0);  // light blue
    case 'G': return QColor(0x00, 0x8a, 0x3e);
    case 'D': return QColor(0x00, 0x5a, 0x2a);  // dark green
    case 'Y': return QColor(0xfc, 0xd1, 0x16);
    case 'O': return QColor(0xff, 0x82, 0x00);
    case 'S': return QColor(0xff, 0x99, 0x33);  // saffron
    case 'K': return QColor(0x10, 0x10, 0x10);
    case 'P': return QColor(0x6a, 0x2a, 0x8a);
    case 'T': return QColor(0x8a, 0x5a, 0x2a);  // brown
    default: return QColor();
  }
}

struct Flag {
  const char* name;
  const char* steps;
};

// clang-format off
const Flag kFlags[] = {
    // Europe
    {"Russia", "H W B R"},
    {"Ukraine", "H B Y"},
    {"Belarus", "H R*2 G|RECT W 0 0 0.1 1|RECT R 0.03 0.1 0.04 0.8"},
    {"Poland", "H W R"},
    {"Germany", "H K R Y"},
    {"France", "V B W R"},
    {"United Kingdom", "UJ"},
    {"Italy", "V G W R"},
    {"Spain", "H R Y*2 R|DISC R 0.12 0.3 0.5"},
    {"Portugal", "V G*2 R*3|DISC Y 0.22 0.4 0.5|DISC R 0.12 0.4 0.5"},
    {"Netherlands", "H R W B"},
    {"Belgium", "V K Y R"},
    {"Luxembourg", "H R W L"},
    {"Switzerland", "H R|RECT W 0.43 0.19 0.14 0.62|RECT W 0.3 0.4 0.4 0.2"},
    {"Austria", "H R W R"},
    {"Czech Republic", "H W R|TRI B 0.5"},
    {"Slovakia", "H W B R|DISC R 0.24 0.35 0.5|RECT W 0.33 0.3 0.04 0.4|RECT W 0.28 0.42 0.14 0.06"},
    {"Hungary", "H R W G"},
    {"Romania", "V B Y R"},
    {"Bulgaria", "H W G R"},
    {"Greece", "H B W B W B W B W B|CANTON B 0.37 0.555|RECT W 0.148 0 0.074 0.555|RECT W 0 0.222 0.37 0.111"},
    {"Serbia", "H R B W|DISC R 0.2 0.35 0.5"},
    {"Croatia", "H R W B|DISC R 0.2 0.5 0.5|DISC W 0.08 0.5 0.5"},
    {"Slovenia", "H W B R|DISC B 0.15 0.3 0.4"},
    {"Bosnia and Herzegovina", "H B|POLY Y 0.28 0 0.78 0 0.78 1|STAR W 0.07 0.24 0.1|STAR W 0.07 0.38 0.4|STAR W 0.07 0.52 0.7"},
    {"Montenegro", "H R|FRAME Y 0.07|DISC Y 0.22"},
    {"North Macedonia", "H R|SUN Y 0.22"},
    {"Albania", "H R|DISC K 0.28"},
    {"Moldova", "V B Y R|DISC T 0.16"},
    {"Lithuania", "H Y G R"},
    {"Latvia", "H M*2 W M*2"},
    {"Estonia", "H L K W"},
    {"Finland", "NC W B"},
    {"Sweden", "NC B Y"},
    {"Norway", "NC R W N"},
    {"Denmark", "NC R W"},
    {"Iceland", "NC B W R"},
    {"Ireland", "V G W O"},
    {"Malta", "V W R|RECT W 0.06 0.08 0.12 0.18"},
    {"Cyprus", "H W|DISC O 0.22|RECT G 0.35 0.72 0.3 0.06"},
    {"Andorra", "V B Y R|DISC T 0.14"},
    {"Monaco", "H R W"},
    {"San Marino", "H W L|DISC Y 0.14"},
    {"Liechtenstein", "H B R|STAR Y 0.12 0.2 0.27"},
    {"Vatican City", "V Y W|DISC Y 0.12 0.75 0.5"},
    {"Kosovo", "H B|DISC Y 0.24 0.5 0.55|STAR W 0.06 0.32 0.2|STAR W 0.06 0.44 0.16|STAR W 0.06 0.56 0.16|STAR W 0.06 0.68 0.2"},
    {"Faroe Islands", "NC W B R"},
    {"Gibraltar", "H W*2 R|RECT R 0.38 0.3 0.24 0.28|RECT R 0.36 0.2 0.07 0.12|RECT R 0.465 0.16 0.07 0.16|RECT R 0.57 0.2 0.07 0.12"},
    // Asia
    {"Kazakhstan", "H L|SUN Y 0.22"},
    {"Uzbekistan", "H L W G|RECT R 0 0.32 1 0.03|RECT R 0 0.65 1 0.03|CRES W 0.12 0.15 0.17"},
    {"Kyrgyzstan", "H R|SUN Y 0.28"},
    {"Tajikistan", "H R*2 W*3 G*2|STAR Y 0.1"},
    {"Turkmenistan", "H G|RECT M 0.12 0 0.14 1|CRES W 0.14 0.38 0.22"},
    {"Azerbaijan", "H L R G|CRES W 0.14"},
    {"Armenia", "H R B O"},
    {"Georgia", "H W|RECT R 0.43 0 0.14 1|RECT R 0 0.4 1 0.2"},
    {"Turkey", "H R|CRES W 0.24 0.38 0.5"},
    {"Israel", "H W|RECT B 0 0.1 1 0.13|RECT B 0 0.77 1 0.13|HEX B 0.2"},
    {"Palestine", "H K W G|TRI R 0.36"},
    {"Lebanon", "H R W*2 R|DISC G 0.18"},
    {"Syria", "H R W K|STAR G 0.1 0.36 0.5|STAR G 0.1 0.64 0.5"},
    {"Jordan", "H K W G|TRI R 0.42|STAR W 0.07 0.14 0.5"},
    {"Iraq", "H R W K|RECT G 0.35 0.44 0.3 0.12"},
    {"Iran", "H G W R|DISC R 0.1"},
    {"Saudi Arabia", "H D|RECT W 0.25 0.34 0.5 0.14|RECT W 0.25 0.62 0.5 0.05"},
    {"Kuwait", "H G W R|POLY K 0 0 0.25 0.333 0.25 0.667 0 1"},
    {"Bahrain", "V W R*3"},
    {"Qatar", "V W M*3"},
    {"United Arab Emirates", "H G W K|RECT R 0 0 0.25 1"},
    {"Oman", "H W R G|RECT R 0 0 0.25 1"},
    {"Yemen", "H R W K"},
    {"Afghanistan", "V K R G|DISC W 0.14"},
    {"Pakistan", "V W G*3|CRES W 0.24 0.62 0.5"},
    {"India", "H S W G|RING N 0.13"},
    {"Nepal", "CLEAR|POLY N 0 0 0.86 0.5 0.46 0.5 0.86 1 0 1|POLY C 0.05 0.07 0.72 0.46 0.34 0.46 0.72 0.94 0.05 0.94|DISC W 0.08 0.2 0.36|DISC W 0.09 0.2 0.76"},
    {"Bhutan", "DIAG Y O|DISC W 0.2"},
    {"Bangladesh", "H D|DISC R 0.3 0.45 0.5"},
    {"Sri Lanka", "H Y|RECT G 0.05 0.08 0.1 0.84|RECT O 0.15 0.08 0.1 0.84|RECT M 0.3 0.08 0.65 0.84"},
    {"Maldives", "H R|RECT G 0.25 0.25 0.5 0.5|CRES W 0.16 0.52 0.5"},
    {"China", "H R|STAR Y 0.15 0.17 0.25|STAR Y 0.05 0.33 0.1|STAR Y 0.05 0.4 0.2|STAR Y 0.05 0.4 0.35|STAR Y 0.05 0.33 0.45"},
    {"Mongolia", "V R B R|STAR Y 0.1 0.17 0.3|RECT Y 0.13 0.45 0.08 0.35"},
    {"North Korea", "H B*3 W R*12 W B*3|DISC W 0.2 0.33 0.5|STAR R 0.17 0.33 0.5"},
    {"South Korea", "H W|TAEGEUK"},
    {"Japan", "H W|DISC C 0.3"},
    {"Taiwan", "H R|CANTON B 0.5 0.5|SUN W 0.12 0.25 0.25"},
    {"Hong Kong", "H R|STARN W 0.28 5 0.5 0.5|DISC R 0.05"},
    {"Macau", "H G|DISC W 0.16 0.5 0.6|STAR Y 0.07 0.5 0.22|STAR Y 0.05 0.36 0.3|STAR Y 0.05 0.64 0.3"},
    {"Vietnam", "H R|STAR Y 0.3"},
    {"Laos", "H R B*2 R|DISC W 0.2"},
    {"Cambodia", "H B R*2 B|RECT W 0.38 0.38 0.24 0.24|POLY W 0.44 0.38 0.5 0.28 0.56 0.38"},
    {"Thailand", "H R W N*2 W R"},
    {"Myanmar", "H Y G R|STAR W 0.38"},
    {"Malaysia", "H R W R W R W R W R W R W R W|CANTON N 0.5 0.571|CRES Y 0.16 0.2 0.285"},
    {"Singapore", "H R W|CRES W 0.17 0.2 0.25"},
    {"Brunei", "H Y|BAND W 0.22 K 0.08|DISC R 0.18"},
    {"Indonesia", "H R W"},
    {"Philippines", "H B R|TRI W 0.43|SUN Y 0.1 0.15 0.5"},
    {"East Timor", "H R|TRI Y 0.5|TRI K 0.33|STAR W 0.1 0.11 0.5"},
    {"British Indian Ocean Territory", "H W B W B W B W B W B|UJ 0.5 0.5"},
    // North America
    {"United States", "H R W R W R W R W R W R W R|CANTON N 0.4 0.538"},
    {"Canada", "V R W*2 R|MAPLE R 0.36"},
    {"Mexico", "V G W R|DISC T 0.14"},
    {"Guatemala", "V L W L|DISC G 0.14"},
    {"Belize", "H R B*8 R|DISC W 0.3|RING G 0.3"},
    {"Honduras", "H B W B|STAR B 0.06 0.5 0.5"},
    {"El Salvador", "H B W B|DISC Y 0.12"},
    {"Nicaragua", "H B W B|POLY Y 0.44 0.6 0.5 0.38 0.56 0.6"},
    {"Costa Rica", "H B W R*2 W B"},
    {"Panama", "QUARTERS W R B W|STAR B 0.12 0.25 0.25|STAR R 0.12 0.75 0.75"},
    {"Cuba", "H B W B W B|TRI R 0.45|STAR W 0.12 0.15 0.5"},
    {"Jamaica", "H G|POLY K 0 0 0.5 0.5 0 1|POLY K 1 0 0.5 0.5 1 1|SX Y"},
    {"Haiti", "H B R|RECT W 0.36 0.32 0.28 0.36"},
    {"Dominican Republic", "QUARTERS B R R B|CR W"},
    {"Puerto Rico", "H R W R W R|TRI L 0.45|STAR W 0.12 0.15 0.5"},
    {"Bahamas", "H L Y L|TRI K 0.42"},
    {"Barbados", "V N Y N|RECT K 0.46 0.3 0.08 0.4"},
    {"Trinidad and Tobago", "H R|BANDD K 0.3 W 0.05"},
    {"Grenada", "DIAGX Y G|FRAME R 0.14|DISC R 0.14"},
    {"Saint Lucia", "H L|POLY W 0.5 0.12 0.27 0.88 0.73 0.88|POLY K 0.5 0.24 0.33 0.88 0.67 0.88|POLY Y 0.5 0.55 0.3 0.88 0.7 0.88"},
    {"Saint Vincent and the Grenadines", "V B Y*2 G|DISC G 0.1"},
    {"Antigua and Barbuda", "H R|POLY K 0 0 1 0 0.5 1|POLY L 0.2 0.4 0.8 0.4 0.5 1|POLY W 0.32 0.64 0.68 0.64 0.5 1|SUN Y 0.1 0.5 0.28"},
    {"Dominica", "H G|CR Y|DISC R 0.24"},
    {"Saint Kitts and Nevis", "DIAG G R|BAND K 0.28 Y 0.06"},
    {"Greenland", "H W R|HDISC R W 0.3 0.36 0.5"},
    {"Bermuda", "H R|UJ 0.5 0.5"},
    {"Cayman Islands", "H N|UJ 0.5 0.5|DISC W 0.16 0.75 0.5"},
    {"Aruba", "H L|RECT Y 0 0.66 1 0.06|RECT Y 0 0.76 1 0.06|STAR R 0.1 0.15 0.2"},
    {"Curacao", "H B|RECT Y 0 0.62 1 0.12|STAR W 0.08 0.12 0.15|STAR W 0.1 0.22 0.3"},
    {"Guadeloupe", "V B W R"},
    {"Martinique", "V B W R"},
    {"British Virgin Islands", "H N|UJ 0.5 0.5|DISC G 0.14 0.75 0.5"},
    {"US Virgin Islands", "H W|DISC Y 0.2"},
    {"Anguilla", "H N|UJ 0.5 0.5|DISC W 0.14 0.75 0.5"},
    {"Montserrat", "H N|UJ 0.5 0.5|DISC L 0.14 0.75 0.5"},
    // South America
    {"Brazil", "H G|DIAMOND Y|DISC N 0.24"},
    {"Argentina", "H L W L|SUN Y 0.1"},
    {"Chile", "H W R|CANTON B 0.333 0.5|STAR W 0.14 0.167 0.25"},
    {"Uruguay", "H W B W B W B W B W|CANTON W 0.4 0.55|SUN Y 0.14 0.2 0.27"},
    {"Paraguay", "H R W B|RING B 0.1"},
    {"Bolivia", "H R Y G"},
    {"Peru", "V R W R"},
    {"Ecuador", "H Y*2 B R|DISC T 0.12"},
    {"Colombia", "H Y*2 B R"},
    {"Venezuela", "H Y B R|STAR W 0.05 0.38 0.45|STAR W 0.05 0.5 0.42|STAR W 0.05 0.62 0.45"},
    {"Guyana", "H G|TRI W 1.02|TRI Y 0.96|TRI K 0.52|TRI R 0.48"},
    {"Suriname", "H G*2 W R*4 W G*2|STAR Y 0.16"},
    {"French Guiana", "V B W R"},
    {"Falkland Islands", "H N|UJ 0.5 0.5|DISC L 0.16 0.75 0.5"},
    // Oceania
    {"Australia", "H N|UJ 0.5 0.5|STAR W 0.12 0.25 0.75|STAR W 0.07 0.75 0.2|STAR W 0.07 0.85 0.45|STAR W 0.07 0.75 0.8|STAR W 0.06 0.65 0.4"},
    {"New Zealand", "H N|UJ 0.5 0.5|STAR R 0.07 0.75 0.2|STAR R 0.07 0.85 0.45|STAR R 0.07 0.75 0.8|STAR R 0.06 0.65 0.4"},
    {"Papua New Guinea", "DIAG R K|STAR W 0.06 0.2 0.55|STAR W 0.06 0.3 0.75|STAR W 0.06 0.15 0.8|DISC Y 0.12 0.7 0.3"},
    {"Fiji", "H L|UJ 0.5 0.5|DISC W 0.16 0.75 0.55"},
    {"Solomon Islands", "DIAG B G|BAND Y 0.1|STAR W 0.05 0.1 0.15|STAR W 0.05 0.25 0.15|STAR W 0.05 0.17 0.35"},
    {"Vanuatu", "H R G|TRI Y 0.42|TRI K 0.38"},
    {"New Caledonia", "H B R G|DISC Y 0.3 0.4 0.5"},
    {"French Polynesia", "H R W*2 R|DISC R 0.12"},
    {"Samoa", "H R|CANTON N 0.5 0.5|STAR W 0.08 0.25 0.25"},
    {"American Samoa", "H N|POLY W 1 0 0.05 0.5 1 1|POLY R 1 0.1 0.2 0.5 1 0.9|POLY W 1 0.16 0.3 0.5 1 0.84"},
    {"Tonga", "H R|CANTON W 0.45 0.5|RECT R 0.18 0.08 0.09 0.34|RECT R 0.09 0.2 0.27 0.1"},
    {"Kiribati", "H R*5 B W B W B|SUN Y 0.14 0.5 0.35"},
    {"Tuvalu", "H L|UJ 0.5 0.5|STAR Y 0.06 0.6 0.6|STAR Y 0.06 0.8 0.3|STAR Y 0.06 0.9 0.75"},
    {"Nauru", "H N|RECT Y 0 0.45 1 0.1|STAR W 0.1 0.25 0.72"},
    {"Marshall Islands", "H B|BAND O 0.08|STAR W 0.12 0.2 0.3"},
    {"Micronesia", "H L|STAR W 0.08 0.5 0.25|STAR W 0.08 0.5 0.75|STAR W 0.08 0.35 0.5|STAR W 0.08 0.65 0.5"},
    {"Palau", "H L|DISC Y 0.3 0.45 0.5"},
    {"Guam", "H N|FRAME R 0.06|DISC L 0.24"},
    {"Northern Mariana Islands", "H B|DISC W 0.2|STAR B 0.12"},
    {"Cook Islands", "H N|UJ 0.5 0.5|RING W 0.26 0.75 0.5"},
    {"Niue", "H Y|UJ 0.5 0.5"},
    {"Tokelau", "H N|POLY Y 0.2 0.8 0.8 0.8 0.7 0.9 0.3 0.9|STAR W 0.06 0.2 0.3|STAR W 0.06 0.3 0.5|STAR W 0.06 0.4 0.25"},
    {"Wallis and Futuna", "H R|CANTON W 0.34 0.34|RECT B 0 0 0.11 0.34|RECT R 0.23 0 0.11 0.34"},
    // Africa
    {"Egypt", "H R W K|DISC Y 0.13"},
    {"Libya", "H R K*2 G|CRES W 0.14"},
    {"Tunisia", "H R|DISC W 0.3|CRES R 0.2"},
    {"Algeria", "V G W|CRES R 0.24"},
    {"Morocco", "H R|STAR D 0.3"},
    {"Mauritania", "H R G*6 R|CRES Y 0.22"},
    {"Mali", "V G Y R"},
    {"Niger", "H O W G|DISC O 0.13"},
    {"Chad", "V N Y R"},
    {"Sudan", "H R W K|TRI G 0.36"},
    {"South Sudan", "H K*6 W R*6 W G*6|TRI B 0.36|STAR Y 0.1 0.12 0.5"},
    {"Eritrea", "H G B|POLY R 0 0 1 0.5 0 1|RING Y 0.14 0.2 0.5"},
    {"Ethiopia", "H G Y R|DISC B 0.22|STAR Y 0.14"},
    {"Djibouti", "H L G|TRI W 0.5|STAR R 0.08 0.15 0.5"},
    {"Somalia", "H L|STAR W 0.3"},
    {"Kenya", "H K*3 W R*3 W G*3|POLY R 0.5 0.12 0.58 0.5 0.5 0.88 0.42 0.5"},
    {"Uganda", "H K Y R K Y R|DISC W 0.2"},
    {"Rwanda", "H L*2 Y G|SUN Y 0.12 0.85 0.25"},
    {"Burundi", "DIAGX R G|SX W|DISC W 0.28|STAR R 0.06"},
    {"Tanzania", "DIAG G L|BAND K 0.26 Y 0.05"},
    {"Senegal", "V G Y R|STAR G 0.14"},
    {"Gambia", "H R*6 W B*4 W G*6"},
    {"Guinea-Bissau", "H Y G|RECT R 0 0 0.33 1|STAR K 0.12 0.165 0.5"},
    {"Guinea", "V R Y G"},
    {"Sierra Leone", "H G W B"},
    {"Liberia", "H R W R W R W R W R W R|CANTON N 0.3 0.455|STAR W 0.14 0.15 0.23"},
    {"Ivory Coast", "V O W G"},
    {"Burkina Faso", "H R G|STAR Y 0.16"},
    {"Ghana", "H R Y G|STAR K 0.16"},
    {"Togo", "H G Y G Y G|CANTON R 0.4 0.6|STAR W 0.14 0.2 0.3"},
    {"Benin", "H Y R|RECT G 0 0 0.4 1"},
    {"Nigeria", "V G W G"},
    {"Cameroon", "V G R Y|STAR Y 0.12"},
    {"Central African Republic", "H B W G Y|RECT R 0.43 0 0.14 1|STAR Y 0.1 0.15 0.12"},
    {"Equatorial Guinea", "H G W R|TRI B 0.2"},
    {"Gabon", "H G Y B"},
    {"Congo", "DIAG G R|BAND Y 0.3"},
    {"DR Congo", "H L|BAND R 0.16 Y 0.04|STAR Y 0.12 0.15 0.22"},
    {"Angola", "H R K|RING Y 0.16"},
    {"Zambia", "H G|RECT R 0.64 0.4 0.12 0.6|RECT K 0.76 0.4 0.12 0.6|RECT O 0.88 0.4 0.12 0.6|DISC O 0.1 0.82 0.2"},
    {"Malawi", "H K R G|SUN R 0.12 0.5 0.22"},
    {"Mozambique", "H G*6 W K*6 W Y*6|TRI R 0.45|STAR Y 0.12 0.16 0.5"},
    {"Zimbabwe", "H G Y R K R Y G|TRI W 0.5|STAR R 0.1 0.16 0.5"},
    {"Botswana", "H L*9 W K*4 W L*9"},
    {"Namibia", "DIAG B G|BAND R 0.24 W 0.05|SUN Y 0.12 0.17 0.25"},
    {"South Africa", "H R B|POLY W 0 0 0.5 0.38 1 0.38 1 0.62 0.5 0.62 0 1|POLY G 0 0.1 0.45 0.44 1 0.44 1 0.56 0.45 0.56 0 0.9|TRI Y 0.33|TRI K 0.29"},
    {"Lesotho", "H B W*2 G|POLY K 0.5 0.36 0.58 0.58 0.42 0.58"},
    {"Eswatini", "H B Y R*3 Y B|DISC W 0.16 0.44 0.5|DISC K 0.16 0.56 0.5"},
    {"Madagascar", "H R G|RECT W 0 0 0.33 1"},
    {"Mauritius", "H R B Y G"},
    {"Seychelles", "RAYS B Y R W G"},
    {"Comoros", "H Y W R B|TRI G 0.4|CRES W 0.14 0.12 0.5"},
    {"Cape Verde", "H B*6 W R W B*3|RING Y 0.18 0.38 0.62"},
    {"Sao Tome and Principe", "H G*2 Y*3 G*2|TRI R 0.25|STAR K 0.1 0.45 0.5|STAR K 0.1 0.7 0.5"},
};
// clang-format on

QPainterPath StarPath(QPointF c, double r, int points, double inner) {
  QPainterPath s;
  for (int i = 0; i < 2 * points; ++i) {
    const double rr = i % 2 ? r * inner : r, a = -kPi / 2 + i * kPi / points;
    const QPointF pt(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
    i ? s.lineTo(pt) : s.moveTo(pt);
  }
  s.closeSubpath();
  return s;
}

void UnionFlag(QPainter& p, QRectF r) {
  p.save();
  p.setClipRect(r);
  p.fillRect(r, Colour('N'));
  const double t = r.height() / 5;
  p.setPen(QPen(Qt::white, t * 1.2));
  p.drawLine(r.topLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomLeft());
  p.setPen(QPen(Colour('R'), t * 0.45));
  p.drawLine(r.topLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomLeft());
  p.fillRect(QRectF(r.center().x() - t, r.top(), 2 * t, r.height()), Qt::white);
  p.fillRect(QRectF(r.left(), r.center().y() - t, r.width(), 2 * t), Qt::white);
  p.fillRect(QRectF(r.center().x() - t * 0.6, r.top(), 1.2 * t, r.height()), Colour('R'));
  p.fillRect(QRectF(r.left(), r.center().y() - t * 0.6, r.width(), 1.2 * t), Colour('R'));
  p.restore();
}

// Runs one flag's steps; false with a message on a step it does not know.
bool Draw(QPainter& p, const Flag& flag) {
  const double w = kW, h = kH;
  for (const QString& step : QString(flag.steps).split('|')) {
    const QStringList t = step.split(' ', Qt::SkipEmptyParts);
    if (t.isEmpty()) continue;
    const QString op = t[0];
    auto num = [&](int i, double fallback) { return i < t.size() ? t[i].toDouble() : fallback; };
    auto col = [&](int i) { return i < t.size() ? Colour(t[i][0]) : QColor(); };
    auto fill = [&](const QPainterPath& path, QColor c) {
      p.setPen(Qt::NoPen);
      p.setBrush(c);
      p.drawPath(path);
    };
    bool ok = true;
    if (op == "H" || op == "V") {
      std::vector<std::pair<QColor, double>> bands;
      double total = 0;
      for (int i = 1; i < t.size(); ++i) {
        const QStringList part = t[i].split('*');
        const double units = part.size() > 1 ? part[1].toDouble() : 1;
        bands.push_back({Colour(part[0][0]), units});
        ok = ok && bands.back().first.isValid();
        total += units;
      }
      double at = 0;
      for (const auto& [c, units] : bands) {
        const double len = (op == "H" ? h : w) * units / total;
        p.fillRect(op == "H" ? QRectF(0, at, w, len + 0.5) : QRectF(at, 0, len + 0.5, h), c);
        at += len;
      }
    } else if (op == "NC") {
      p.fillRect(QRectF(0, 0, w, h), col(1));
      const double x = w * 0.3, bar = h * 0.24;
      p.fillRect(QRectF(x, 0, bar, h), col(2));
      p.fillRect(QRectF(0, (h - bar) / 2, w, bar), col(2));
      if (t.size() > 3) {
        const double in = bar * 0.5;
        p.fillRect(QRectF(x + (bar - in) / 2, 0, in, h), col(3));
        p.fillRect(QRectF(0, (h - in) / 2, w, in), col(3));
      }
    } else if (op == "CR") {
      const double bar = h * 0.2;
      p.fillRect(QRectF((w - bar) / 2, 0, bar, h), col(1));
      p.fillRect(QRectF(0, (h - bar) / 2, w, bar), col(1));
    } else if (op == "SX") {
      p.setPen(QPen(col(1), h * 0.16));
      p.drawLine(QPointF(0, 0), QPointF(w, h));
      p.drawLine(QPointF(w, 0), QPointF(0, h));
    } else if (op == "TRI") {
      QPainterPath tri;
      tri.addPolygon(QPolygonF({QPointF(0, 0), QPointF(w * num(2, 0.5), h / 2), QPointF(0, h)}));
      fill(tri, col(1));
    } else if (op == "POLY") {
      QPolygonF poly;
      for (int i = 2; i + 1 < t.size(); i += 2) poly << QPointF(w * t[i].toDouble(), h * t[i + 1].toDouble());
      QPainterPath path;
      path.addPolygon(poly);
      path.closeSubpath();
      fill(path, col(1));
    } else if (op == "RECT") {
      p.fillRect(QRectF(w * num(2, 0), h * num(3, 0), w * num(4, 1), h * num(5, 1)), col(1));
    } else if (op == "DISC" || op == "RING" || op == "SUN") {
      const QPointF c(w * num(3, 0.5), h * num(4, 0.5));
      const double r = h * num(2, 0.2);
      if (op == "SUN") {
        QPainterPath rays = StarPath(c, r * 1.45, 12, 0.62);
        fill(rays, col(1));
      }
      if (op == "RING") {
        p.setPen(QPen(col(1), std::max(1.0, r * 0.28)));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, r, r);
      } else {
        p.setPen(Qt::NoPen);
        p.setBrush(col(1));
        p.drawEllipse(c, r, r);
      }
    } else if (op == "HDISC") {
      const QPointF c(w * num(4, 0.5), h * num(5, 0.5));
      const double r = h * num(3, 0.2);
      const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
      QPainterPath top, bottom;
      top.moveTo(c);
      top.arcTo(box, 0, 180);
      top.closeSubpath();
      bottom.moveTo(c);
      bottom.arcTo(box, 180, 180);
      bottom.closeSubpath();
      fill(top, col(1));
      fill(bottom, col(2));
    } else if (op == "MAPLE") {
      static const double leaf[][2] = {{0, -1},      {0.12, -0.75}, {0.28, -0.8}, {0.22, -0.35}, {0.45, -0.55},
                                       {0.5, -0.42}, {0.75, -0.48}, {0.65, -0.22}, {0.78, -0.1}, {0.4, 0.2},
                                       {0.45, 0.35}, {0.05, 0.3},   {0.05, 0.75}};
      const double r = h * num(2, 0.35);
      QPolygonF poly;
      for (const auto& pt : leaf) poly << QPointF(w / 2 + pt[0] * r, h / 2 + pt[1] * r);
      for (int i = int(std::size(leaf)) - 1; i >= 1; --i) poly << QPointF(w / 2 - leaf[i][0] * r, h / 2 + leaf[i][1] * r);
      QPainterPath path;
      path.addPolygon(poly);
      path.closeSubpath();
      fill(path, col(1));
    } else if (op == "STAR" || op == "STARN") {
      const bool n = op == "STARN";
      const int points = n ? int(num(3, 5)) : 5;
      const QPointF c(w * num(n ? 4 : 3, 0.5), h * num(n ? 5 : 4, 0.5));
      fill(StarPath(c, h * num(2, 0.2), points, n && points > 5 ? 0.55 : 0.4), col(1));
    } else if (op == "CRES") {
      const QPointF c(w * num(3, 0.5), h * num(4, 0.5));
      const double r = h * num(2, 0.2);
      QPainterPath outer, inner;
      outer.addEllipse(c, r, r);
      inner.addEllipse(c + QPointF(r * 0.28, 0), r * 0.8, r * 0.8);
      fill(outer.subtracted(inner), col(1));
      fill(StarPath(c + QPointF(r * 1.05, 0), r * 0.42, 5, 0.42), col(1));
    } else if (op == "CANTON") {
      p.fillRect(QRectF(0, 0, w * num(2, 0.5), h * num(3, 0.5)), col(1));
    } else if (op == "UJ") {
      UnionFlag(p, QRectF(0, 0, w * num(1, 1), h * num(2, 1)));
    } else if (op == "DIAG" || op == "DIAGX") {
      QPainterPath a, b;
      if (op == "DIAG") {
        a.addPolygon(QPolygonF({QPointF(0, 0), QPointF(w, 0), QPointF(0, h)}));
        b.addPolygon(QPolygonF({QPointF(w, 0), QPointF(w, h), QPointF(0, h)}));
      } else {
        const QPointF m(w / 2, h / 2);
        a.addPolygon(QPolygonF({QPointF(0, 0), QPointF(w, 0), m}));
        a.addPolygon(QPolygonF({QPointF(0, h), QPointF(w, h), m}));
        b.addPolygon(QPolygonF({QPointF(0, 0), QPointF(0, h), m}));
        b.addPolygon(QPolygonF({QPointF(w, 0), QPointF(w, h), m}));
      }
      fill(a, col(1));
      fill(b, col(2));
    } else if (op == "BAND" || op == "BANDD") {
      const QPointF from = op == "BAND" ? QPointF(0, h) : QPointF(0, 0), to = op == "BAND" ? QPointF(w, 0) : QPointF(w, h);
      const double bw = h * num(2, 0.25);
      if (t.size() > 3) {
        p.setPen(QPen(col(3), bw + 2 * h * num(4, 0.05)));
        p.drawLine(from, to);
      }
      p.setPen(QPen(col(1), bw));
      p.drawLine(from, to);
    } else if (op == "DIAMOND") {
      QPainterPath d;
      d.addPolygon(QPolygonF({QPointF(w * 0.5, h * 0.1), QPointF(w * 0.92, h * 0.5), QPointF(w * 0.5, h * 0.9),
                              QPointF(w * 0.08, h * 0.5)}));
      fill(d, col(1));
    } else if (op == "QUARTERS") {
      p.fillRect(QRectF(0, 0, w / 2, h / 2), col(1));
      p.fillRect(QRectF(w / 2, 0, w / 2, h / 2), col(2));
      p.fillRect(QRectF(0, h / 2, w / 2, h / 2), col(3));
      p.fillRect(QRectF(w / 2, h / 2, w / 2, h / 2), col(4));
    } else if (op == "FRAME") {
      p.setPen(QPen(col(1), h * num(2, 0.08) * 2));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(0, 0, w, h));
    } else if (op == "TAEGEUK") {
      const QPointF c(w / 2, h / 2);
      const double r = h * 0.25;
      QPainterPath top, bottom;
      top.moveTo(c);
      top.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 0, 180);
      top.closeSubpath();
      bottom.moveTo(c);
      bottom.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 180, 180);
      bottom.closeSubpath();
      fill(top, Colour('C'));
      fill(bottom, Colour('B'));
      p.setBrush(Colour('C'));
      p.drawEllipse(QPointF(c.x() - r / 2, c.y()), r / 2, r / 2);
      p.setBrush(Colour('B'));
      p.drawEllipse(QPointF(c.x() + r / 2, c.y()), r / 2, r / 2);
      p.setPen(QPen(Qt::black, 1.6));
      for (auto [x, y] : {std::pair{0.17, 0.22}, {0.83, 0.22}, {0.17, 0.78}, {0.83, 0.78}}) {
        p.save();
        p.translate(w * x, h * y);
        p.rotate((x < 0.5) == (y < 0.5) ? -56 : 56);
        for (int k = -1; k <= 1; ++k) p.drawLine(QPointF(-3.5, k * 2.4), QPointF(3.5, k * 2.4));
        p.restore();
      }
    } else if (op == "HEX") {
      const QPointF c(w / 2, h / 2);
      const double r = h * num(2, 0.2);
      p.setPen(QPen(col(1), 1.6));
      p.setBrush(Qt::NoBrush);
      for (int k = 0; k < 2; ++k) {
        QPolygonF tri;
        for (int i = 0; i < 3; ++i) {
          const double a = -kPi / 2 + k * kPi + i * 2 * kPi / 3;
          tri << QPointF(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        }
        p.drawPolygon(tri);
      }
    } else if (op == "RAYS") {
      const int n = int(t.size()) - 1;
      for (int i = 0; i < n; ++i) {
        // Rays end on the top edge and then down the fly, in equal angles.
        QPolygonF ray({QPointF(0, h)});
        for (int k = 0; k <= 8; ++k) {
          const double a = (i + k / 8.0) / n * (kPi / 2);
          const double dx = std::sin(a), dy = -std::cos(a);
          const double s = std::min(dx > 0 ? w / dx : 1e9, dy < 0 ? h / -dy : 1e9);
          ray << QPointF(dx * s, h + dy * s);
        }
        QPainterPath path;
        path.addPolygon(ray);
        path.closeSubpath();
        fill(path, col(i + 1));
      }
    } else if (op == "CLEAR") {
      p.save();
      p.setCompositionMode(QPainter::CompositionMode_Source);
      p.fillRect(QRectF(0, 0, w, h), Qt::transparent);
      p.restore();
    } else {
      ok = false;
    }
    if (!ok) {
      std::fprintf(stderr, "artgen: flag %s: cannot draw \"%s\"\n", flag.name, qPrintable(step));
      return false;
    }
  }
  return true;
}

}  // namespace

QString CountryFlagName(const QString& englishName) {
  return "GFlag_" + QString(englishName).replace(' ', '_');
}

bool PaintFlags(Sink& sink) {
  bool good = true;
  for (const Flag& f : kFlags) {
    QImage img = Blank(kW, kH);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    good = Draw(p, f) && good;
    // A thin edge keeps white flags visible on white lists.
    if (QString(f.steps).startsWith("CLEAR") == false) {
      p.setPen(QPen(QColor(0, 0, 0, 80), 1));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(0.5, 0.5, kW - 1, kH - 1));
    }
    p.end();
    sink.Png(CountryFlagName(f.name), img);
  }
  return good;
}

}  // namespace artgen
