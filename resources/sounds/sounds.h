// The compiled-in effects and tune. Call once before the first sound is read.
#pragma once

namespace zarnet {
void InitSoundResources();
}
