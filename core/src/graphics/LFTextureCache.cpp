// Textures shared by path and window. Holds nothing until textures exist.
#include "LFTextureCache.h"

void LFTextureCachePurge()
{
}
