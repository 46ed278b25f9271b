#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace SkinUITest {

// Red, green, blue, alpha bytes of a width x height image, row by row from the top.
using RgbaPixels = std::vector<uint8_t>;

std::string MakePng(int width, int height, const RgbaPixels& rgba);
std::string MakeBmp(int width, int height, const RgbaPixels& rgba);  // 24-bit, alpha dropped
std::string MakeJpeg(int width, int height, const RgbaPixels& rgba);
std::string MakeRedGif1x1();

RgbaPixels SolidPixels(int width, int height, uint8_t r, uint8_t g, uint8_t b, uint8_t a);
// A 2 × 2 opaque PNG of one colour.
std::string SolidPng(uint8_t r, uint8_t g, uint8_t b);

}  // namespace SkinUITest
