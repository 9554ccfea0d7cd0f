#pragma once

#include <string>

// The units a text control appends to every text it shows: "-50.00" with "dB" reads
// "-50.00 dB".
class UnitsSuffix
{
public:
    // Surrounding spaces, tabs and line breaks are dropped.
    void set(const std::string& text);
    const std::string& get() const { return units; }
    // text, a space and the units; text unchanged without units.
    std::string appendTo(const std::string& text) const;

private:
    std::string units;
};
