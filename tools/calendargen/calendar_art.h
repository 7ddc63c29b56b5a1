// Pictures of the calendar library: the sheet, the signs, the animals and the holidays.
#pragma once

#include <QImage>
#include <QString>

namespace calendargen {

// The 60 x 100 calendar sheet.
QImage PaintBase();
// Sign 1..12 (Aries first), 26 x 26.
QImage PaintSign(int sign);
// Animal 0..11 (rat first), 54 x 70.
QImage PaintAnimal(int animal);
// A holiday picture by its library name, 54 x 70; a null image for an unknown name.
QImage PaintHoliday(const QString& name);

}  // namespace calendargen
