#include "CheckReport.h"

#include <ranges>
#include <sstream>

namespace
{

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> fields;
    std::istringstream in(text);
    for (std::string field; std::getline(in, field, separator);)
        fields.push_back(field);
    return fields;
}

bool startsWith(const std::string& text, const std::string& prefix)
{
    return text.rfind(prefix, 0) == 0;
}

} // namespace

CheckReport CheckReport::parse(const std::string& text)
{
    CheckReport report;
    // A line cut short by a crash is no result.
    std::istringstream lines(text.substr(0, text.rfind('\n') + 1));
    for (std::string line; std::getline(lines, line);)
    {
        if (startsWith(line, "ZARG-CHECK "))
        {
            // ZARG-CHECK <name> PASS|FAIL <detail>
            std::istringstream words(line.substr(11));
            Check check;
            std::string verdict;
            words >> check.name >> verdict;
            if (check.name.empty() || (verdict != "PASS" && verdict != "FAIL"))
                continue;
            check.passed = verdict == "PASS";
            std::getline(words >> std::ws, check.detail);
            report.verdicts.push_back(check);
        }
        else if (startsWith(line, "ZARG-DATA "))
            report.facts.push_back(split(line.substr(10), '\t'));
        else if (line == "ZARG-END")
            report.end = true;
        else
            continue;
        report.last = line;
    }
    return report;
}

const CheckReport::Check* CheckReport::find(const std::string& name) const
{
    for (const Check& check : verdicts | std::views::reverse)
        if (check.name == name)
            return &check;
    return nullptr;
}

std::vector<std::vector<std::string>> CheckReport::data(const std::string& key) const
{
    std::vector<std::vector<std::string>> found;
    for (const std::vector<std::string>& fields : facts)
        if (!fields.empty() && fields.front() == key)
            found.emplace_back(fields.begin() + 1, fields.end());
    return found;
}
