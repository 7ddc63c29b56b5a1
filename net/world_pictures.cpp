#include "world_pictures.h"

#include "form_account.h"

namespace zarnet {

QImage FaceFor(std::string_view sex) { return SexFace(sex == "M" ? 'M' : 'W'); }

QImage FlagFor(std::string_view code) { return CountryFlag(std::string(code), 18, 12); }

}  // namespace zarnet
