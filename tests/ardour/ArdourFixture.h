#pragma once

#include "ArdourSandbox.h"
#include "PluginFacts.h"
#include "ScriptRunner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A test with Ardour in a sandbox of its own, ZARG indexed by Ardour's
// scanner, and the plug-in's own account of itself to compare with.
class ArdourFixture : public testing::Test
{
public:
    // A parameter value as a script reported it.
    struct Shown
    {
        std::string index; // Ardour's parameter index
        std::string label;
        std::string value; // %.17g
    };

protected:
    // A normal run takes a few seconds; a run still going after this has hung.
    static constexpr int kTimeoutSeconds = 60;

    void SetUp() override
    {
        const TimedProcess::Outcome scan = sandbox.scan();
        ASSERT_TRUE(sandbox.indexed())
            << "Ardour's scanner indexed nothing (" << scan.describe() << "):\n"
            << scan.out << scan.err;
    }

    // The values a script reported under key, in order.
    static std::vector<Shown> values(const ScriptRunner::Result& run, const std::string& key)
    {
        std::vector<Shown> list;
        for (const std::vector<std::string>& fields : run.report.data(key))
            if (fields.size() == 3)
                list.push_back({fields[0], fields[1], fields[2]});
        return list;
    }

    ArdourSandbox sandbox;
    PluginFacts facts{sandbox.bundle()};
    ScriptRunner lua = sandbox.lua(kTimeoutSeconds);
};
