// Writes the icon reader fuzzer's seed corpus: small well-formed program files of each kind.
#include "PeFixture.h"

#include <fstream>
#include <iostream>
#include <string>

namespace {

std::vector<std::uint8_t> PngLikeImage()
{
    std::vector<std::uint8_t> image{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    image.resize(64, 0);
    return image;
}

bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_pe_seeds FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    const std::vector<TPeFixtureImage> several{{16, 32, SolidBitmapImage(16, 0xFF00FF00)},
                                               {32, 32, SolidBitmapImage(32, 0xFFFF0000)},
                                               {256, 32, PngLikeImage()}};
    const bool written =
        Write(folder + "/pe32plus-one.exe",
              BuildPeFixture({{32, 32, SolidBitmapImage(32, 0xFF0000FF)}}).Bytes) &&
        Write(folder + "/pe32-several.exe", BuildPeFixture(several, false).Bytes) &&
        Write(folder + "/pe32plus-png.exe", BuildPeFixture({{256, 32, PngLikeImage()}}).Bytes);
    if (!written) {
        std::cerr << "cannot write the seeds to " << folder << '\n';
        return 1;
    }
    return 0;
}
