#pragma once

// Builds small PE program files with an icon group, for the icon reader's tests and the seed
// corpus of its fuzzer. Plain C++, like the reader.

#include <cstddef>
#include <cstdint>
#include <vector>

struct TPeFixtureImage {
    int Size = 32;                  // width and height; 256 is stored as 0
    int BitCount = 32;              // as the group entry states it
    std::vector<std::uint8_t> Data; // the image resource: a bitmap or PNG
};

// The built file and where its parts are, so tests can break them.
struct TPeFixture {
    std::vector<std::uint8_t> Bytes;
    std::size_t PeHeader = 0; // "PE\0\0"
    std::size_t OptionalHeader = 0;
    std::size_t ResourceDataDirectory = 0; // RVA and size of the resources
    std::size_t SectionTable = 0;
    std::size_t ResourceRoot = 0;   // the type directory
    std::size_t IconTypeEntry = 0;  // its entry for the icon images
    std::size_t GroupTypeEntry = 0; // its entry for the icon groups
    std::size_t GroupLanguageDirectory = 0;
    std::size_t GroupDataEntry = 0;
    std::size_t GroupData = 0;
    std::size_t FirstImageDataEntry = 0;
    std::size_t FirstImageData = 0;

    void PutU16(std::size_t at, std::uint16_t value);
    void PutU32(std::size_t at, std::uint32_t value);
};

// One icon group holding `images` (ids 1..n) in a ".rsrc" section; PE32+ or PE32.
TPeFixture BuildPeFixture(const std::vector<TPeFixtureImage>& images, bool pe32Plus = true);

// A classic icon image: BITMAPINFOHEADER, an uncompressed 32-bit picture of one colour
// (0xAARRGGBB) and an all-opaque mask.
std::vector<std::uint8_t> SolidBitmapImage(int size, std::uint32_t argb);
