#include "ui/VersionInfo.h"

#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>
#include <vector>

// The build passes the project's version; a build without it would store a
// version nobody chose.
#if !defined(PEXA_VERSION_MAJOR) || !defined(PEXA_VERSION_MINOR) ||                                \
    !defined(PEXA_VERSION_RELEASE) || !defined(PEXA_VERSION_BUILD)
#error "PEXA_VERSION_MAJOR, _MINOR, _RELEASE and _BUILD must be defined by the build"
#endif

namespace pexa {

int KernelMajorVersion() {
    utsname name{};
    if (uname(&name) != 0)
        return 5; // a kernel that cannot be asked is taken to be a current one
    int major = 0;
    for (const char* p = name.release; *p >= '0' && *p <= '9' && major < 100000; ++p)
        major = major * 10 + (*p - '0');
    return major;
}

namespace {

// The record the about box finds in the executable file. "used" keeps it
// although nothing in the program reads the variable itself.
__attribute__((section(".pexa_version"), used)) constexpr VersionRecord kVersionRecord{
    {'P', 'E', 'X', 'A', 'F', 'V', 'E', 'R'},
    {PEXA_VERSION_MAJOR, PEXA_VERSION_MINOR, PEXA_VERSION_RELEASE, PEXA_VERSION_BUILD}};

// A damaged file could claim tables of any size; real ones are far smaller.
constexpr std::uint64_t kMaxTableBytes = 16u << 20;

constexpr unsigned char kElfMagic[4] = {0x7F, 'E', 'L', 'F'};
constexpr unsigned char kElfClass32 = 1;
constexpr unsigned char kElfClass64 = 2;
constexpr unsigned char kElfDataLittle = 1;
constexpr unsigned char kElfDataBig = 2;
constexpr std::uint32_t kSectionNoBits = 8;
constexpr std::uint32_t kSectionIndexEscape = 0xFFFF; // SHN_XINDEX

// Reads unsigned integers of the image's byte order out of a byte buffer.
class ElfDecoder {
public:
    explicit ElfDecoder(bool bigEndian) : bigEndian_(bigEndian) {}

    std::uint64_t Get(const unsigned char* p, std::size_t width) const {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            const std::size_t index = bigEndian_ ? i : width - 1 - i;
            value = (value << 8) | p[index];
        }
        return value;
    }

private:
    bool bigEndian_;
};

// Where the fields of the ELF header and of a section header lie, per class.
struct ElfLayout {
    std::size_t HeaderSize;
    std::size_t AddressWidth; // of offsets and sizes
    std::size_t ShOffAt;
    std::size_t ShEntSizeAt;
    std::size_t ShNumAt;
    std::size_t ShStrNdxAt;
    std::size_t SectionHeaderSize;
    std::size_t NameAt;
    std::size_t TypeAt;
    std::size_t OffsetAt;
    std::size_t SizeAt;
    std::size_t LinkAt;
};

constexpr ElfLayout kLayout32{52, 4, 0x20, 0x2E, 0x30, 0x32, 40, 0, 4, 0x10, 0x14, 0x18};
constexpr ElfLayout kLayout64{64, 8, 0x28, 0x3A, 0x3C, 0x3E, 64, 0, 4, 0x18, 0x20, 0x28};

struct SectionHeader {
    std::uint32_t Name = 0;
    std::uint32_t Type = 0;
    std::uint64_t Offset = 0;
    std::uint64_t Size = 0;
    std::uint32_t Link = 0;
};

class ElfReader {
public:
    ElfReader(ReadAtFunction read, void* context, std::uint64_t fileSize)
        : read_(read), context_(context), fileSize_(fileSize) {}

    std::optional<FileVersion> Run();

private:
    bool ReadHeader();
    bool ReadSectionTable();
    SectionHeader SectionAt(std::uint64_t index) const;
    bool ReadBytes(std::uint64_t offset, std::uint64_t size, std::vector<unsigned char>& out) const;
    bool InFile(std::uint64_t offset, std::uint64_t size) const {
        return offset <= fileSize_ && size <= fileSize_ - offset;
    }
    std::optional<FileVersion> RecordOf(const SectionHeader& section) const;
    static bool NameIs(const std::vector<unsigned char>& names, std::uint32_t at,
                       std::string_view wanted);

    ReadAtFunction read_;
    void* context_;
    std::uint64_t fileSize_;
    const ElfLayout* layout_ = nullptr;
    ElfDecoder decoder_{false};
    std::uint64_t tableOffset_ = 0;
    std::uint64_t entrySize_ = 0;
    std::uint64_t sectionCount_ = 0;
    std::uint64_t namesIndex_ = 0;
    std::vector<unsigned char> table_;
};

bool ElfReader::ReadBytes(std::uint64_t offset, std::uint64_t size,
                          std::vector<unsigned char>& out) const {
    if (!InFile(offset, size) || size > kMaxTableBytes)
        return false;
    out.resize(static_cast<std::size_t>(size));
    return size == 0 || read_(context_, offset, out.data(), out.size());
}

bool ElfReader::ReadHeader() {
    std::vector<unsigned char> ident;
    if (!ReadBytes(0, 16, ident) || std::memcmp(ident.data(), kElfMagic, sizeof kElfMagic) != 0)
        return false;
    if (ident[4] == kElfClass32)
        layout_ = &kLayout32;
    else if (ident[4] == kElfClass64)
        layout_ = &kLayout64;
    else
        return false;
    if (ident[5] != kElfDataLittle && ident[5] != kElfDataBig)
        return false;
    decoder_ = ElfDecoder(ident[5] == kElfDataBig);

    std::vector<unsigned char> header;
    if (!ReadBytes(0, layout_->HeaderSize, header))
        return false;
    const unsigned char* h = header.data();
    tableOffset_ = decoder_.Get(h + layout_->ShOffAt, layout_->AddressWidth);
    entrySize_ = decoder_.Get(h + layout_->ShEntSizeAt, 2);
    sectionCount_ = decoder_.Get(h + layout_->ShNumAt, 2);
    namesIndex_ = decoder_.Get(h + layout_->ShStrNdxAt, 2);
    return tableOffset_ != 0 && entrySize_ >= layout_->SectionHeaderSize;
}

bool ElfReader::ReadSectionTable() {
    // With 0xFF00 sections or more, the real count and the names' index move
    // into the first section header.
    if (sectionCount_ == 0 || namesIndex_ == kSectionIndexEscape) {
        std::vector<unsigned char> first;
        if (!ReadBytes(tableOffset_, entrySize_, first))
            return false;
        table_ = std::move(first);
        const SectionHeader zero = SectionAt(0);
        if (sectionCount_ == 0)
            sectionCount_ = zero.Size;
        if (namesIndex_ == kSectionIndexEscape)
            namesIndex_ = zero.Link;
    }
    if (sectionCount_ == 0 || namesIndex_ >= sectionCount_ ||
        sectionCount_ > kMaxTableBytes / entrySize_)
        return false;
    return ReadBytes(tableOffset_, sectionCount_ * entrySize_, table_);
}

SectionHeader ElfReader::SectionAt(std::uint64_t index) const {
    const unsigned char* p = table_.data() + index * entrySize_;
    const std::size_t width = layout_->AddressWidth;
    SectionHeader s;
    s.Name = static_cast<std::uint32_t>(decoder_.Get(p + layout_->NameAt, 4));
    s.Type = static_cast<std::uint32_t>(decoder_.Get(p + layout_->TypeAt, 4));
    s.Offset = decoder_.Get(p + layout_->OffsetAt, width);
    s.Size = decoder_.Get(p + layout_->SizeAt, width);
    s.Link = static_cast<std::uint32_t>(decoder_.Get(p + layout_->LinkAt, 4));
    return s;
}

bool ElfReader::NameIs(const std::vector<unsigned char>& names, std::uint32_t at,
                       std::string_view wanted) {
    if (at >= names.size() || names.size() - at <= wanted.size())
        return false;
    return std::memcmp(names.data() + at, wanted.data(), wanted.size()) == 0 &&
           names[at + wanted.size()] == '\0';
}

std::optional<FileVersion> ElfReader::RecordOf(const SectionHeader& section) const {
    if (section.Type == kSectionNoBits || section.Size < sizeof(VersionRecord))
        return std::nullopt;
    std::vector<unsigned char> bytes;
    if (!ReadBytes(section.Offset, sizeof(VersionRecord), bytes))
        return std::nullopt;
    if (std::memcmp(bytes.data(), VersionMagic, VersionMagicSize) != 0)
        return std::nullopt;
    const unsigned char* parts = bytes.data() + VersionMagicSize;
    const auto part = [&](int i) {
        return static_cast<std::uint16_t>(decoder_.Get(parts + 2 * i, 2));
    };
    return FileVersion{part(0), part(1), part(2), part(3)};
}

std::optional<FileVersion> ElfReader::Run() {
    if (!ReadHeader() || !ReadSectionTable())
        return std::nullopt;
    const SectionHeader namesSection = SectionAt(namesIndex_);
    if (namesSection.Type == kSectionNoBits)
        return std::nullopt;
    std::vector<unsigned char> names;
    if (!ReadBytes(namesSection.Offset, namesSection.Size, names))
        return std::nullopt;
    for (std::uint64_t i = 1; i < sectionCount_; ++i) {
        const SectionHeader section = SectionAt(i);
        if (NameIs(names, section.Name, VersionSectionName))
            return RecordOf(section);
    }
    return std::nullopt;
}

struct MemoryImage {
    std::span<const unsigned char> Bytes;
};

bool ReadFromMemory(void* context, std::uint64_t offset, void* buffer, std::size_t size) {
    const auto& image = *static_cast<const MemoryImage*>(context);
    if (offset > image.Bytes.size() || size > image.Bytes.size() - offset)
        return false;
    std::memcpy(buffer, image.Bytes.data() + offset, size);
    return true;
}

bool ReadFromFile(void* context, std::uint64_t offset, void* buffer, std::size_t size) {
    const int fd = *static_cast<const int*>(context);
    auto* out = static_cast<char*>(buffer);
    while (size > 0) {
        const ssize_t n = ::pread(fd, out, size, static_cast<off_t>(offset));
        if (n <= 0)
            return false;
        out += n;
        size -= static_cast<std::size_t>(n);
        offset += static_cast<std::uint64_t>(n);
    }
    return true;
}

} // namespace

FileVersion BuildFileVersion() {
    return FileVersion{kVersionRecord.Parts[0], kVersionRecord.Parts[1], kVersionRecord.Parts[2],
                       kVersionRecord.Parts[3]};
}

std::optional<FileVersion> ParseElfVersion(ReadAtFunction read, void* context,
                                           std::uint64_t fileSize) {
    if (read == nullptr)
        return std::nullopt;
    return ElfReader(read, context, fileSize).Run();
}

std::optional<FileVersion> ParseElfVersion(std::span<const unsigned char> image) {
    MemoryImage memory{image};
    return ParseElfVersion(&ReadFromMemory, &memory, image.size());
}

std::optional<FileVersion> ReadFileVersion(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::optional<FileVersion> version;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        int handle = fd;
        version = ParseElfVersion(&ReadFromFile, &handle, static_cast<std::uint64_t>(info.st_size));
    }
    ::close(fd);
    return version;
}

std::optional<FileVersion> ReadOwnFileVersion() {
    return ReadFileVersion("/proc/self/exe");
}

} // namespace pexa
