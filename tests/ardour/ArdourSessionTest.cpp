// ZARG in an Ardour session: the parameter list, a factory preset, and the
// state across saves and reloads.
#include "ArdourFixture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>

namespace
{

using ArdourSession = ArdourFixture;

constexpr int kReloads = 10;

std::vector<std::string> labels(const std::vector<ArdourFixture::Shown>& values)
{
    std::vector<std::string> list;
    for (const ArdourFixture::Shown& value : values)
        list.push_back(value.label);
    return list;
}

std::string joined(const std::vector<std::string>& list)
{
    std::string text;
    for (const std::string& item : list)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

std::map<std::string, double> firstByLabel(const std::vector<ArdourFixture::Shown>& values)
{
    std::map<std::string, double> map;
    for (const ArdourFixture::Shown& value : values)
        map.emplace(value.label, std::stod(value.value));
    return map;
}

std::string text(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

TEST_F(ArdourSession, ArdourShowsThePluginsParametersOnceEach)
{
    const ScriptRunner::Result run =
        lua.run({ArdourSandbox::script("parameters"), sandbox.path("session")});
    ASSERT_TRUE(run.completed());
    std::vector<std::string> shown;
    std::map<std::string, int> seen;
    std::vector<std::string> twice;
    for (const std::vector<std::string>& parameter : run.report.data("parameter"))
    {
        shown.push_back(parameter.at(1));
        if (++seen[parameter.at(1)] == 2)
            twice.push_back(parameter.at(1));
    }
    EXPECT_TRUE(twice.empty()) << "Ardour shows these more than once: " << joined(twice);
    EXPECT_EQ(shown, facts.titles())
        << "Ardour shows: " << joined(shown) << "\nthe plug-in has: " << joined(facts.titles());
}

// Ardour's values are the plug-in's plain values kept as float.
testing::AssertionResult closeAsFloat(double shown, double expected)
{
    const double tolerance = 1e-6 * std::max(1.0, std::abs(expected));
    if (std::abs(shown - expected) <= tolerance)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << text(shown) << " instead of " << text(expected);
}

TEST_F(ArdourSession, AFactoryPresetChosenInArdourSetsWhatItHolds)
{
    const std::string preset = "Hard Rock";
    ASSERT_NE(std::ranges::find(facts.presets(), preset), facts.presets().end());
    const std::vector<double> expected = facts.values(preset);
    const std::vector<double> defaults = facts.values();
    // The preset must move enough parameters for the test to tell anything.
    size_t moved = 0;
    for (size_t i = 0; i < expected.size(); ++i)
        moved += !closeAsFloat(expected[i], defaults[i]);
    ASSERT_GE(moved, 3u);

    std::vector<std::string> args{ArdourSandbox::script("preset"), sandbox.path("session"), preset};
    args.insert(args.end(), facts.presets().begin(), facts.presets().end());
    const ScriptRunner::Result run = lua.run(args);
    EXPECT_TRUE(run.passed("preset-list"));
    ASSERT_TRUE(run.passed("preset-load"));
    EXPECT_TRUE(run.passed("preset-current"));
    EXPECT_TRUE(run.completed());

    // By title: a parameter Ardour shows twice is the parameter list's failure.
    const auto before = firstByLabel(values(run, "before"));
    const auto after = firstByLabel(values(run, "after"));
    for (size_t i = 0; i < facts.titles().size(); ++i)
    {
        const std::string& title = facts.titles()[i];
        ASSERT_TRUE(before.contains(title) && after.contains(title)) << title << " not shown";
        EXPECT_TRUE(closeAsFloat(before.at(title), defaults[i])) << "before, " << title;
        EXPECT_TRUE(closeAsFloat(after.at(title), expected[i])) << "after, " << title;
    }
}

// The tapered knobs, the stage pushes, a switch and the bypass, away from
// their defaults (positions on the normalized scale).
const std::vector<std::pair<std::string, double>> kSettings{
    {"Gain", 0.3},  {"SlopeShift", 0.7}, {"Trim", 0.2}, {"Volume", 0.6},
    {"Push1", 0.9}, {"Push2", 0.15},     {"Plus", 1.0}, {"Bypass", 1.0}};

TEST_F(ArdourSession, SavingAndReloadingKeepsEveryValueToTheBit)
{
    const std::string session = sandbox.path("session");
    std::vector<std::string> create{ArdourSandbox::script("reload"), "create", session};
    for (const auto& [title, position] : kSettings)
        create.push_back(title + "=" + text(facts.plainAt(title, position)));
    const ScriptRunner::Result created =
        lua.run(create, [&] { std::filesystem::remove_all(session); });
    ASSERT_TRUE(created.completed());

    const auto defaults = values(created, "default");
    const auto set = values(created, "set");
    ASSERT_EQ(labels(set), labels(defaults));
    for (const auto& [title, position] : kSettings)
    {
        const auto it = std::ranges::find(set, title, &Shown::label);
        ASSERT_NE(it, set.end()) << title;
        EXPECT_NE(it->value, defaults[static_cast<size_t>(it - set.begin())].value)
            << title << " kept its default";
    }

    // Each reload is a new ardour7-lua: one process cannot load a second session.
    std::map<std::string, std::string> drifted; // the first drift of each parameter
    for (int cycle = 1; cycle <= kReloads; ++cycle)
    {
        const ScriptRunner::Result reloaded =
            lua.run({ArdourSandbox::script("reload"), "reload", session});
        ASSERT_TRUE(reloaded.completed()) << "reload " << cycle;
        const auto loaded = values(reloaded, "loaded");
        ASSERT_EQ(labels(loaded), labels(set)) << "reload " << cycle;
        for (size_t i = 0; i < set.size(); ++i)
        {
            const std::string name = set[i].label + " (#" + set[i].index + ")";
            if (loaded[i].value != set[i].value && !drifted.contains(name))
                drifted[name] = "after reload " + std::to_string(cycle) + ": " + loaded[i].value +
                                " instead of " + set[i].value;
        }
    }
    for (const auto& [name, story] : drifted)
        ADD_FAILURE() << name << " " << story;
}

} // namespace
