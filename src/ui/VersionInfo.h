#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace pexa {

// The program's file version, as the about box shows it: major, minor,
// release, build.
struct FileVersion {
    std::uint16_t Major = 0;
    std::uint16_t Minor = 0;
    std::uint16_t Release = 0;
    std::uint16_t Build = 0;

    bool operator==(const FileVersion&) const = default;
};

// The build stores its file version in an ELF section of this name, holding
// a VersionRecord. The about box reads the section back from the executable
// file, so a binary stripped of it (objcopy --remove-section) shows no build
// number, like a Windows program without a version resource.
inline constexpr const char* VersionSectionName = ".pexa_version";
inline constexpr std::size_t VersionMagicSize = 8;
inline constexpr char VersionMagic[VersionMagicSize + 1] = "PEXAFVER";

// The section's content: the magic, then the four parts as 16-bit integers
// in the file's byte order.
struct VersionRecord {
    char Magic[VersionMagicSize];
    std::uint16_t Parts[4];
};
static_assert(sizeof(VersionRecord) == 16);

// The running kernel's major release number (5 when it cannot be asked).
int KernelMajorVersion();

// The version this build was made with (the one it stores in its section).
FileVersion BuildFileVersion();

// Reads bytes of a file at an offset: true when all size bytes were read.
using ReadAtFunction = bool (*)(void* context, std::uint64_t offset, void* buffer,
                                std::size_t size);

// The version record of an ELF image (32 or 64 bit, either byte order),
// found through its section headers; nothing when the image is not ELF, is
// damaged, or has no such section or no valid record in it. fileSize bounds
// every offset read.
std::optional<FileVersion> ParseElfVersion(ReadAtFunction read, void* context,
                                           std::uint64_t fileSize);
// The same over an image in memory.
std::optional<FileVersion> ParseElfVersion(std::span<const unsigned char> image);
// The same over a file; nothing when it cannot be opened.
std::optional<FileVersion> ReadFileVersion(const std::string& path);
// The running program's own file (/proc/self/exe).
std::optional<FileVersion> ReadOwnFileVersion();

} // namespace pexa
