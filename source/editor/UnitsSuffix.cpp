#include "editor/UnitsSuffix.h"

void UnitsSuffix::set(const std::string& text)
{
    constexpr const char* blanks = " \t\r\n";
    const auto first = text.find_first_not_of(blanks);
    units = first == std::string::npos
                ? std::string()
                : text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string UnitsSuffix::appendTo(const std::string& text) const
{
    return units.empty() ? text : text + " " + units;
}
