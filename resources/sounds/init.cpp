#include <QtCore/qglobal.h>

#include "sounds.h"

// The resource initialiser lives at global scope; a static library drops it otherwise.
static void InitSounds() {
  Q_INIT_RESOURCE(zarnet_sounds);
}

namespace zarnet {
void InitSoundResources() {
  static const bool done = (InitSounds(), true);
  (void)done;
}
}  // namespace zarnet
