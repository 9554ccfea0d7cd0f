#pragma once

#include <optional>
#include <string_view>

// Whole-text number parsing: "12abc" or " 12" is not a number.
std::optional<double> parseDouble(std::string_view text);
std::optional<long long> parseInteger(std::string_view text);
