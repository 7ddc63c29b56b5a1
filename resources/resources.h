// The compiled-in pictures. Call once before the first picture is read.
#pragma once

namespace zarnet {
void InitArtResources();
}
