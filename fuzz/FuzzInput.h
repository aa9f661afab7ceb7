#pragma once

// Pieces every fuzz target uses to turn its bytes into input and to check
// what must hold for every input.

#include <cstddef>
#include <cstdint>
#include <string>

namespace pexa::fuzz {

// A property that must hold for every input; a trap is a finding.
inline void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

// The bytes as a text; with the selector's top bit set, repeated to a few
// thousand characters, so that long inputs grow from short ones.
inline std::string ChooseText(std::uint8_t selector, const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    if ((selector & 0x80) != 0 && !text.empty()) {
        const std::size_t target = 4096 + 64 * (selector & 0x3F);
        while (text.size() < target)
            text += text;
    }
    return text;
}

// Reads a fuzz input byte by byte; past its end every byte reads as 0, so a
// target can ask for as many as it likes.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool More() const { return pos_ < size_; }
    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    // Eight bytes, the first one highest.
    std::uint64_t U64() {
        std::uint64_t v = 0;
        for (int i = 0; i < 8; ++i)
            v = (v << 8) | Byte();
        return v;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

} // namespace pexa::fuzz
