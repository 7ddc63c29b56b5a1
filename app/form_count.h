// The running-score window: the seven texts of the general count.
#pragma once

#include <string>

#include "form_common.h"
#include "series.h"

namespace zarnet {

class TFormCount : public TRecordDialog {
  Q_OBJECT

 public:
  // `playerName` as the lists hold it (cp1251, blank-padded).
  TFormCount(const TCount& count, const std::string& playerName, const FormStyle& style,
             QWidget* parent = nullptr);
};

}  // namespace zarnet
