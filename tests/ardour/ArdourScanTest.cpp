// Ardour's VST3 scanner on the bundle, and Ardour's plug-in list after it.
#include "ArdourFixture.h"
#include "FileText.h"

#include "entry/Version.h"

#include <filesystem>
#include <regex>
#include <sstream>

namespace
{

using ArdourScan = ArdourFixture;

// The scanner's exit status says nothing: it is judged by what it prints and
// by the index it writes, which is all that Ardour reads.
TEST_F(ArdourScan, TheScannerIndexesZargAsTheEffectItDeclares)
{
    const TimedProcess::Outcome scan = sandbox.scan();
    const std::string output = scan.out + scan.err;
    ASSERT_FALSE(scan.timedOut || scan.crashed()) << scan.describe() << "\n" << output;
    EXPECT_EQ(output.find("[ERROR]"), std::string::npos) << output;
    EXPECT_NE(output.find("Found Plugin: " + facts.name()), std::string::npos) << output;

    std::string index;
    for (const auto& entry :
         std::filesystem::directory_iterator(sandbox.path("home/.cache/ardour7/vst")))
    {
        index += fileText(entry.path());
    }
    const std::regex entry("<VST3Info [^>]*name=\"([^\"]*)\"[^>]*category=\"([^\"]*)\"");
    std::vector<std::pair<std::string, std::string>> classes;
    for (auto it = std::sregex_iterator(index.begin(), index.end(), entry);
         it != std::sregex_iterator(); ++it)
        classes.emplace_back((*it)[1], (*it)[2]);
    const std::vector<std::pair<std::string, std::string>> expected{
        {facts.name(), facts.subCategories()}};
    EXPECT_EQ(classes, expected) << index;
}

// Ardour's VST2 scanner on the link in ~/.vst: the same effect, through VSTPluginMain.
// (ardour7-lua lists no VST2 plug-ins, so a session is not asked.)
TEST_F(ArdourScan, TheVst2ScannerIndexesZargThroughTheLink)
{
    const TimedProcess::Outcome scan = sandbox.scanVst2();
    const std::string output = scan.out + scan.err;
    ASSERT_FALSE(scan.timedOut || scan.crashed()) << scan.describe() << "\n" << output;
    EXPECT_EQ(output.find("[ERROR]"), std::string::npos) << output;

    std::string index;
    for (const auto& entry :
         std::filesystem::directory_iterator(sandbox.path("home/.cache/ardour7/vst")))
        if (entry.path().extension() == ".v2i")
            index += fileText(entry.path());
    std::smatch info;
    ASSERT_TRUE(std::regex_search(index, info, std::regex("<VST2Info [^>]*>"))) << index;
    const std::string attributes = info.str();
    const std::pair<const char*, std::string> expected[] = {
        {"id", std::to_string(kZargVst2UniqueId)},
        {"name", facts.name()},
        {"creator", ZARG_VENDOR},
        {"category", "Effect"},
        {"n_inputs", "2"},
        {"n_outputs", "2"},
        {"n_midi_inputs", "1"},
        {"is_instrument", "0"},
        {"can_process_replace", "1"},
        {"has_editor", "1"}};
    for (const auto& [name, value] : expected)
        EXPECT_NE(attributes.find(std::string(" ") + name + "=\"" + value + "\""),
                  std::string::npos)
            << name << " in " << attributes;
}

// What the scanner indexed is what a session's plug-in manager offers, from
// the sandbox's ~/.vst3 and nowhere else.
TEST_F(ArdourScan, ASessionListsZargFromTheSandbox)
{
    const ScriptRunner::Result run =
        lua.run({ArdourSandbox::script("discover"), sandbox.path("s")});
    ASSERT_TRUE(run.completed());
    std::vector<std::vector<std::string>> zarg;
    for (const std::vector<std::string>& plugin : run.report.data("plugin"))
        if (plugin.at(0) == facts.name())
            zarg.push_back(plugin);
    ASSERT_EQ(zarg.size(), 1u) << "Ardour lists " << zarg.size() << " plug-ins named "
                               << facts.name();
    EXPECT_EQ(zarg[0].at(1), facts.subCategories());
    EXPECT_EQ(zarg[0].at(3).rfind(sandbox.bundle() + "/", 0), 0u) << zarg[0].at(3);
}

} // namespace
