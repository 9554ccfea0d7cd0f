#pragma once

#include <string>
#include <vector>

// The result lines an Ardour test script writes (see lua/zarg.lua):
// verdicts, facts for the driver, and the mark that all of them are there.
class CheckReport
{
public:
    struct Check
    {
        std::string name;
        bool passed = false;
        std::string detail;
    };

    static CheckReport parse(const std::string& text);

    // ZARG-END came: the script wrote every result it had.
    bool ended() const { return end; }
    const std::vector<Check>& checks() const { return verdicts; }
    // The last verdict of that name; null when none came.
    const Check* find(const std::string& name) const;
    // The fields of every ZARG-DATA line with this key, in order.
    std::vector<std::vector<std::string>> data(const std::string& key) const;
    // The last result line: where a run that stopped early got to.
    const std::string& lastLine() const { return last; }

private:
    std::vector<Check> verdicts;
    std::vector<std::vector<std::string>> facts;
    std::string last;
    bool end = false;
};
