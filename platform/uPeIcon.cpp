#include "uPeIcon.h"

#include <algorithm>
#include <array>
#include <optional>
#include <tuple>

namespace {

// Limits far above what real programs carry; anything beyond them is treated as malformed, so
// the work done on any file stays small.
constexpr std::uint32_t MaxSections = 96; // the Windows loader's own limit
constexpr std::uint32_t MaxDirectoryEntries = 4096;
constexpr std::uint32_t MaxGroupEntries = 256;
constexpr std::uint32_t MaxImageBytes = 4u << 20;

constexpr std::uint32_t ResourceIcon = 3;
constexpr std::uint32_t ResourceGroupIcon = 14;
constexpr std::uint32_t HighBit = 0x80000000u;

constexpr std::size_t DosHeaderSize = 64;
constexpr std::size_t PeHeaderSize = 24; // signature and file header
constexpr std::size_t SectionHeaderSize = 40;
constexpr std::size_t DirectoryHeaderSize = 16;
constexpr std::size_t DirectoryEntrySize = 8;
constexpr std::size_t DataEntrySize = 16;
constexpr std::size_t GroupHeaderSize = 6;
constexpr std::size_t GroupEntrySize = 14;
constexpr std::size_t IcoHeaderSize = 6 + 16;

using TBytes = std::vector<std::uint8_t>;

std::uint16_t U16(const TBytes& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t U32(const TBytes& bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void PutU16(TBytes& bytes, std::uint16_t value)
{
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(TBytes& bytes, std::uint32_t value)
{
    PutU16(bytes, static_cast<std::uint16_t>(value));
    PutU16(bytes, static_cast<std::uint16_t>(value >> 16));
}

std::optional<TBytes> Read(IPeSource& source, std::uint64_t offset, std::size_t count)
{
    TBytes bytes(count);
    if (!source.ReadAt(offset, bytes))
        return std::nullopt;
    return bytes;
}

struct TSection {
    std::uint32_t VirtualAddress;
    std::uint32_t RawSize;
    std::uint32_t RawOffset;
};

struct TDirectoryEntry {
    std::uint32_t Name;   // an id, or (high bit set) the offset of a name
    std::uint32_t Target; // (high bit set) a subdirectory, else a data entry
    bool IsId() const { return (Name & HighBit) == 0; }
    bool IsDirectory() const { return (Target & HighBit) != 0; }
    std::uint32_t Offset() const { return Target & ~HighBit; }
};

struct TGroupEntry {
    int Width;
    int Height;
    std::uint8_t ColorCount;
    std::uint16_t Planes;
    std::uint16_t BitCount;
    std::uint16_t Id;
};

class TPeFile {
public:
    explicit TPeFile(IPeSource& source)
        : m_source(source)
    {
    }

    bool ReadHeaders();
    // The data of a resource: the entry of `type` whose id is `id`, or its first entry when no
    // id is given; always the first language.
    std::optional<TBytes> ReadResource(std::uint32_t type, std::optional<std::uint32_t> id,
                                       std::uint32_t maxSize);

private:
    std::optional<TBytes> ReadRva(std::uint64_t rva, std::size_t count);
    std::optional<std::vector<TDirectoryEntry>> ReadDirectory(std::uint32_t offset);
    std::optional<TDirectoryEntry> FindEntry(std::uint32_t directoryOffset,
                                             std::optional<std::uint32_t> id);

    IPeSource& m_source;
    std::vector<TSection> m_sections;
    std::uint32_t m_resourceRva = 0;
};

bool TPeFile::ReadHeaders()
{
    const std::optional<TBytes> dos = Read(m_source, 0, DosHeaderSize);
    if (!dos || (*dos)[0] != 'M' || (*dos)[1] != 'Z')
        return false;
    const std::uint64_t peOffset = U32(*dos, 0x3C);
    const std::optional<TBytes> pe = Read(m_source, peOffset, PeHeaderSize);
    if (!pe || U32(*pe, 0) != 0x00004550) // "PE\0\0"
        return false;
    const std::uint32_t sectionCount = U16(*pe, 6);
    const std::uint16_t optionalSize = U16(*pe, 20);
    if (sectionCount == 0 || sectionCount > MaxSections)
        return false;

    const std::optional<TBytes> optional = Read(m_source, peOffset + PeHeaderSize, optionalSize);
    if (!optional || optional->size() < 2)
        return false;
    // The data directories start at a different place in PE32 and PE32+.
    std::size_t directories = 0;
    switch (U16(*optional, 0)) {
    case 0x10B:
        directories = 96;
        break;
    case 0x20B:
        directories = 112;
        break;
    default:
        return false;
    }
    constexpr std::uint32_t resourceDirectory = 2;
    const std::size_t resourceAt = directories + resourceDirectory * 8;
    if (optional->size() < resourceAt + 8 || U32(*optional, directories - 4) <= resourceDirectory)
        return false;
    m_resourceRva = U32(*optional, resourceAt);
    if (m_resourceRva == 0)
        return false;

    const std::optional<TBytes> table =
        Read(m_source, peOffset + PeHeaderSize + optionalSize, sectionCount * SectionHeaderSize);
    if (!table)
        return false;
    for (std::size_t at = 0; at < table->size(); at += SectionHeaderSize)
        m_sections.push_back({U32(*table, at + 12), U32(*table, at + 16), U32(*table, at + 20)});
    return true;
}

std::optional<TBytes> TPeFile::ReadRva(std::uint64_t rva, std::size_t count)
{
    for (const TSection& section : m_sections) {
        if (rva < section.VirtualAddress)
            continue;
        const std::uint64_t into = rva - section.VirtualAddress;
        if (into + count <= section.RawSize)
            return Read(m_source, section.RawOffset + into, count);
    }
    return std::nullopt;
}

std::optional<std::vector<TDirectoryEntry>> TPeFile::ReadDirectory(std::uint32_t offset)
{
    const std::uint64_t at = std::uint64_t{m_resourceRva} + offset;
    const std::optional<TBytes> header = ReadRva(at, DirectoryHeaderSize);
    if (!header)
        return std::nullopt;
    const std::uint32_t count = std::uint32_t{U16(*header, 12)} + U16(*header, 14);
    if (count > MaxDirectoryEntries)
        return std::nullopt;
    const std::optional<TBytes> table =
        ReadRva(at + DirectoryHeaderSize, count * DirectoryEntrySize);
    if (!table)
        return std::nullopt;
    std::vector<TDirectoryEntry> entries;
    for (std::size_t i = 0; i < table->size(); i += DirectoryEntrySize)
        entries.push_back({U32(*table, i), U32(*table, i + 4)});
    return entries;
}

std::optional<TDirectoryEntry> TPeFile::FindEntry(std::uint32_t directoryOffset,
                                                  std::optional<std::uint32_t> id)
{
    const std::optional<std::vector<TDirectoryEntry>> entries = ReadDirectory(directoryOffset);
    if (!entries || entries->empty())
        return std::nullopt;
    if (!id)
        return entries->front();
    const auto found = std::find_if(entries->begin(), entries->end(), [&](const auto& entry) {
        return entry.IsId() && entry.Name == *id;
    });
    if (found == entries->end())
        return std::nullopt;
    return *found;
}

std::optional<TBytes> TPeFile::ReadResource(std::uint32_t type, std::optional<std::uint32_t> id,
                                            std::uint32_t maxSize)
{
    // Always three levels: type, name, language. Walking a fixed number of levels means a
    // directory that points back at itself or at a parent cannot make the walk go round.
    const std::optional<TDirectoryEntry> typeEntry = FindEntry(0, type);
    if (!typeEntry || !typeEntry->IsDirectory())
        return std::nullopt;
    const std::optional<TDirectoryEntry> nameEntry = FindEntry(typeEntry->Offset(), id);
    if (!nameEntry || !nameEntry->IsDirectory())
        return std::nullopt;
    const std::optional<TDirectoryEntry> languageEntry =
        FindEntry(nameEntry->Offset(), std::nullopt);
    if (!languageEntry || languageEntry->IsDirectory())
        return std::nullopt;
    const std::optional<TBytes> data =
        ReadRva(std::uint64_t{m_resourceRva} + languageEntry->Offset(), DataEntrySize);
    if (!data)
        return std::nullopt;
    const std::uint32_t size = U32(*data, 4);
    if (size == 0 || size > maxSize)
        return std::nullopt;
    return ReadRva(U32(*data, 0), size);
}

std::optional<std::vector<TGroupEntry>> ParseGroup(const TBytes& group)
{
    if (group.size() < GroupHeaderSize || U16(group, 0) != 0 || U16(group, 2) != 1)
        return std::nullopt;
    const std::size_t count = U16(group, 4);
    if (count == 0 || count > MaxGroupEntries ||
        group.size() < GroupHeaderSize + count * GroupEntrySize)
        return std::nullopt;
    std::vector<TGroupEntry> entries;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = GroupHeaderSize + i * GroupEntrySize;
        // A size byte of 0 means 256.
        const int width = group[at] == 0 ? 256 : group[at];
        const int height = group[at + 1] == 0 ? 256 : group[at + 1];
        entries.push_back({width, height, group[at + 2], U16(group, at + 4), U16(group, at + 6),
                           U16(group, at + 12)});
    }
    return entries;
}

// Smaller is better: the wanted size, then larger sizes (they scale down well), then smaller;
// nearer sizes first, more colours first.
auto Rank(const TGroupEntry& entry, int wantedSize)
{
    const int sizeClass = entry.Width == wantedSize ? 0 : entry.Width > wantedSize ? 1 : 2;
    const int distance =
        entry.Width > wantedSize ? entry.Width - wantedSize : wantedSize - entry.Width;
    return std::tuple{sizeClass, distance, -int{entry.BitCount}};
}

const TGroupEntry& BestEntry(const std::vector<TGroupEntry>& entries, int wantedSize)
{
    return *std::min_element(entries.begin(), entries.end(), [&](const auto& a, const auto& b) {
        return Rank(a, wantedSize) < Rank(b, wantedSize);
    });
}

bool IsPng(const TBytes& image)
{
    static constexpr std::array<std::uint8_t, 8> signature{0x89, 'P',  'N',  'G',
                                                           '\r', '\n', 0x1A, '\n'};
    return image.size() >= signature.size() &&
           std::equal(signature.begin(), signature.end(), image.begin());
}

TBytes IcoFile(const TGroupEntry& entry, const TBytes& image)
{
    TBytes ico;
    ico.reserve(IcoHeaderSize + image.size());
    PutU16(ico, 0); // reserved
    PutU16(ico, 1); // icon
    PutU16(ico, 1); // one image
    ico.push_back(static_cast<std::uint8_t>(entry.Width));
    ico.push_back(static_cast<std::uint8_t>(entry.Height));
    ico.push_back(entry.ColorCount);
    ico.push_back(0);
    PutU16(ico, entry.Planes);
    PutU16(ico, entry.BitCount);
    PutU32(ico, static_cast<std::uint32_t>(image.size()));
    PutU32(ico, static_cast<std::uint32_t>(IcoHeaderSize));
    ico.insert(ico.end(), image.begin(), image.end());
    return ico;
}

} // namespace

bool TPeBytes::ReadAt(std::uint64_t offset, std::span<std::uint8_t> into)
{
    if (offset > m_bytes.size() || into.size() > m_bytes.size() - offset)
        return false;
    std::copy_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(offset), into.size(), into.begin());
    return true;
}

TPeIcon ExtractPeIcon(IPeSource& source, int wantedSize)
{
    TPeFile file(source);
    if (!file.ReadHeaders())
        return {};
    const std::optional<TBytes> group = file.ReadResource(
        ResourceGroupIcon, std::nullopt, GroupHeaderSize + MaxGroupEntries * GroupEntrySize);
    const std::optional<std::vector<TGroupEntry>> entries =
        group ? ParseGroup(*group) : std::nullopt;
    if (!entries)
        return {};
    const TGroupEntry& best = BestEntry(*entries, wantedSize);
    const std::optional<TBytes> image = file.ReadResource(ResourceIcon, best.Id, MaxImageBytes);
    if (!image)
        return {};
    if (IsPng(*image))
        return {TPeIconFormat::Png, *image};
    return {TPeIconFormat::Ico, IcoFile(best, *image)};
}
