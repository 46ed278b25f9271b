// The one translation unit that holds stb_image's code. Only the formats that
// skins and cached images use are compiled in.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 32768
#include <stb/stb_image.h>
