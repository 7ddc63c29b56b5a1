#include <QtCore/qglobal.h>

#include "resources.h"

// The resource initialiser lives at global scope; a static library drops it otherwise.
static void InitArt() { Q_INIT_RESOURCE(zarnet_art); }

namespace zarnet {
void InitArtResources() {
  static const bool done = (InitArt(), true);
  (void)done;
}
}  // namespace zarnet
