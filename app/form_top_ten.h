// The local top ten of the list in use: ten places, the first three in
// their own colour.
#pragma once

#include <QColor>
#include <string>

#include "form_common.h"

namespace zarnet {

class TFormTopTen : public TRecordDialog {
  Q_OBJECT

 public:
  // The network list's top ten when `netList`, the club list's otherwise,
  // from the program folder `programDir`.
  TFormTopTen(const std::string& programDir, bool netList, const FormStyle& style,
              QWidget* parent = nullptr);

  static QColor PrizeColour() { return QColor(0xb0, 0x10, 0x10); }  // places 1..3
  static QColor PlaceColour() { return QColor(0x10, 0x20, 0x80); }  // places 4..10
};

}  // namespace zarnet
