#include "PeFixture.h"

namespace {

constexpr std::uint32_t SectionRva = 0x1000;
constexpr std::size_t SectionFileOffset = 0x400;
constexpr std::size_t PeOffset = 0x80;

void Put16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    if (bytes.size() < at + 2)
        bytes.resize(at + 2);
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    Put16(bytes, at, value & 0xFFFF);
    Put16(bytes, at + 2, value >> 16);
}

std::size_t Align4(std::size_t value)
{
    return (value + 3) & ~std::size_t{3};
}

// A resource directory with `ids` whose targets follow in `targets`.
void PutDirectory(std::vector<std::uint8_t>& section, std::size_t at,
                  const std::vector<std::uint32_t>& ids, const std::vector<std::uint32_t>& targets)
{
    Put16(section, at + 14, static_cast<std::uint32_t>(ids.size()));
    for (std::size_t i = 0; i < ids.size(); ++i) {
        Put32(section, at + 16 + 8 * i, ids[i]);
        Put32(section, at + 20 + 8 * i, targets[i]);
    }
}

std::size_t DirectorySize(std::size_t entries)
{
    return 16 + 8 * entries;
}

} // namespace

void TPeFixture::PutU16(std::size_t at, std::uint16_t value)
{
    Put16(Bytes, at, value);
}

void TPeFixture::PutU32(std::size_t at, std::uint32_t value)
{
    Put32(Bytes, at, value);
}

TPeFixture BuildPeFixture(const std::vector<TPeFixtureImage>& images, bool pe32Plus)
{
    constexpr std::uint32_t subdirectory = 0x80000000u;
    const std::size_t count = images.size();

    // The resource section's layout: directories, data entries, then the data.
    const std::size_t root = 0;
    const std::size_t iconNames = root + DirectorySize(2);
    const std::size_t groupNames = iconNames + DirectorySize(count);
    const std::size_t iconLanguages = groupNames + DirectorySize(1);
    const std::size_t groupLanguages = iconLanguages + count * DirectorySize(1);
    const std::size_t groupEntry = groupLanguages + DirectorySize(1);
    const std::size_t imageEntries = groupEntry + 16;
    const std::size_t groupData = imageEntries + 16 * count;
    const std::size_t groupSize = 6 + 14 * count;

    std::vector<std::uint8_t> section;
    PutDirectory(section, root, {3, 14},
                 {static_cast<std::uint32_t>(iconNames) | subdirectory,
                  static_cast<std::uint32_t>(groupNames) | subdirectory});
    std::vector<std::uint32_t> ids;
    std::vector<std::uint32_t> languageDirectories;
    for (std::size_t i = 0; i < count; ++i) {
        ids.push_back(static_cast<std::uint32_t>(i + 1));
        languageDirectories.push_back(
            static_cast<std::uint32_t>(iconLanguages + i * DirectorySize(1)) | subdirectory);
    }
    PutDirectory(section, iconNames, ids, languageDirectories);
    PutDirectory(section, groupNames, {1},
                 {static_cast<std::uint32_t>(groupLanguages) | subdirectory});
    for (std::size_t i = 0; i < count; ++i)
        PutDirectory(section, iconLanguages + i * DirectorySize(1), {0x409},
                     {static_cast<std::uint32_t>(imageEntries + 16 * i)});
    PutDirectory(section, groupLanguages, {0x409}, {static_cast<std::uint32_t>(groupEntry)});

    Put32(section, groupEntry, SectionRva + static_cast<std::uint32_t>(groupData));
    Put32(section, groupEntry + 4, static_cast<std::uint32_t>(groupSize));
    Put16(section, groupData + 2, 1);
    Put16(section, groupData + 4, static_cast<std::uint32_t>(count));
    const std::size_t firstImageData = Align4(groupData + groupSize);
    std::size_t imageData = firstImageData;
    for (std::size_t i = 0; i < count; ++i) {
        const TPeFixtureImage& image = images[i];
        const std::size_t at = groupData + 6 + 14 * i;
        const auto stored = static_cast<std::uint8_t>(image.Size == 256 ? 0 : image.Size);
        Put16(section, at, stored | stored << 8);
        Put16(section, at + 4, 1);
        Put16(section, at + 6, static_cast<std::uint32_t>(image.BitCount));
        Put32(section, at + 8, static_cast<std::uint32_t>(image.Data.size()));
        Put16(section, at + 12, static_cast<std::uint32_t>(i + 1));

        Put32(section, imageEntries + 16 * i, SectionRva + static_cast<std::uint32_t>(imageData));
        Put32(section, imageEntries + 16 * i + 4, static_cast<std::uint32_t>(image.Data.size()));
        section.resize(imageData);
        section.insert(section.end(), image.Data.begin(), image.Data.end());
        imageData = Align4(section.size());
    }
    section.resize(Align4(section.size()));

    TPeFixture fixture;
    std::vector<std::uint8_t>& file = fixture.Bytes;
    file.assign(SectionFileOffset, 0);
    file[0] = 'M';
    file[1] = 'Z';
    Put32(file, 0x3C, PeOffset);
    Put32(file, PeOffset, 0x00004550);
    const std::size_t optionalSize = pe32Plus ? 240 : 224;
    Put16(file, PeOffset + 4, pe32Plus ? 0x8664 : 0x14C);
    Put16(file, PeOffset + 6, 1);
    Put16(file, PeOffset + 20, static_cast<std::uint32_t>(optionalSize));
    const std::size_t optional = PeOffset + 24;
    Put16(file, optional, pe32Plus ? 0x20B : 0x10B);
    const std::size_t directories = optional + (pe32Plus ? 112 : 96);
    Put32(file, directories - 4, 16);
    const std::size_t resourceDirectory = directories + 2 * 8;
    Put32(file, resourceDirectory, SectionRva);
    Put32(file, resourceDirectory + 4, static_cast<std::uint32_t>(section.size()));
    const std::size_t table = optional + optionalSize;
    const char name[8] = ".rsrc";
    for (std::size_t i = 0; i < 8; ++i)
        file[table + i] = static_cast<std::uint8_t>(name[i]);
    Put32(file, table + 8, static_cast<std::uint32_t>(section.size()));
    Put32(file, table + 12, SectionRva);
    Put32(file, table + 16, static_cast<std::uint32_t>(section.size()));
    Put32(file, table + 20, SectionFileOffset);
    file.insert(file.end(), section.begin(), section.end());

    fixture.PeHeader = PeOffset;
    fixture.OptionalHeader = optional;
    fixture.ResourceDataDirectory = resourceDirectory;
    fixture.SectionTable = table;
    fixture.ResourceRoot = SectionFileOffset + root;
    fixture.IconTypeEntry = SectionFileOffset + root + 16;
    fixture.GroupTypeEntry = SectionFileOffset + root + 24;
    fixture.GroupLanguageDirectory = SectionFileOffset + groupLanguages;
    fixture.GroupDataEntry = SectionFileOffset + groupEntry;
    fixture.GroupData = SectionFileOffset + groupData;
    fixture.FirstImageDataEntry = SectionFileOffset + imageEntries;
    fixture.FirstImageData = SectionFileOffset + firstImageData;
    return fixture;
}

std::vector<std::uint8_t> SolidBitmapImage(int size, std::uint32_t argb)
{
    const auto side = static_cast<std::size_t>(size);
    const std::size_t pixels = side * side * 4;
    const std::size_t maskRow = ((side + 31) / 32) * 4;
    std::vector<std::uint8_t> image;
    Put32(image, 0, 40);
    Put32(image, 4, static_cast<std::uint32_t>(size));
    Put32(image, 8, static_cast<std::uint32_t>(size * 2)); // picture and mask
    Put16(image, 12, 1);
    Put16(image, 14, 32);
    Put32(image, 20, static_cast<std::uint32_t>(pixels + maskRow * side));
    for (std::size_t at = 40; at < 40 + pixels; at += 4)
        Put32(image, at, argb); // little-endian BGRA
    image.resize(40 + pixels + maskRow * side, 0);
    return image;
}
