#pragma once

// Reads a Windows program's icon from the resources of its PE file. Plain C++ with no Qt, so
// that it can be fuzzed on its own. Every read is checked against the file and every count
// and size against a limit; a file that is no PE file, is truncated or malformed, or has no
// icon gives no icon.

#include <cstdint>
#include <span>
#include <vector>

// Random access to the bytes of a program file.
class IPeSource {
public:
    virtual ~IPeSource() = default;
    // Fills all of `into` from `offset`; false when those bytes are not all in the file.
    virtual bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) = 0;
};

// A program file held in memory.
class TPeBytes : public IPeSource {
public:
    explicit TPeBytes(std::span<const std::uint8_t> bytes)
        : m_bytes(bytes)
    {
    }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) override;

private:
    std::span<const std::uint8_t> m_bytes;
};

enum class TPeIconFormat { None, Ico, Png };

// One icon image: a .ico file holding just that image (the classic bitmap form), or the PNG
// bytes that newer programs store.
struct TPeIcon {
    TPeIconFormat Format = TPeIconFormat::None;
    std::vector<std::uint8_t> Bytes;
};

// The image of the file's first icon group that suits a square of `wantedSize` pixels best:
// that size exactly, else the nearest larger one, else the nearest smaller one; the most
// colours among equals.
TPeIcon ExtractPeIcon(IPeSource& source, int wantedSize);
