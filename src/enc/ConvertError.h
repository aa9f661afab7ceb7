#pragma once

#include <stdexcept>
#include <string>

namespace pexa {

// Raised by a codec for text it cannot read; carries the message to show.
class ConvertError : public std::runtime_error {
public:
    explicit ConvertError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace pexa
