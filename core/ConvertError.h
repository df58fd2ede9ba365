#pragma once

#include <stdexcept>
#include <string>

// A text that should be a number, or bytes that should be a decimal tone, are not. Nothing has
// been written to the image when this is thrown.
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const std::string& what) : std::runtime_error(what) {}
};
