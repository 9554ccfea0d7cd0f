#include "RenderTool.h"

#include "AudioFileReader.h"
#include "AudioFileWriter.h"
#include "GuitarRiff.h"
#include "InterruptGuard.h"
#include "LevelMeter.h"
#include "OfflineRenderer.h"
#include "OptionParser.h"
#include "ParameterTable.h"
#include "PresetList.h"
#include "ProgressBar.h"
#include "RenderError.h"
#include "adapter/ParameterIds.h"

#include "host/PluginInstance.h"
#include "host/PluginModule.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>

using namespace Steinberg;
using namespace Steinberg::Vst;
using Zeri2VST3::kPresetParamId;

namespace
{

constexpr double kDefaultRate = 48000.0;
// Shorter renders finish before a bar would tell anything.
constexpr double kProgressAfterSeconds = 5.0;

std::string seconds(double s)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f s", s);
    return text;
}

std::string milliseconds(double samples, double rate)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f ms", 1000.0 * samples / rate);
    return text;
}

std::string number(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

FUID effectClass(IPluginFactory& factory)
{
    for (int32 i = 0; i < factory.countClasses(); ++i)
    {
        PClassInfo info{};
        if (factory.getClassInfo(i, &info) == kResultOk &&
            std::strcmp(info.category, kVstAudioEffectClass) == 0)
            return FUID::fromTUID(info.cid);
    }
    throw RenderError("the bundle holds no audio effect");
}

void printList(const PresetList& presets, const ParameterTable& parameters)
{
    std::cout << "Factory presets (" << presets.names().size() << "):\n";
    for (size_t i = 0; i < presets.names().size(); ++i)
        std::printf("  %2zu  %s\n", i, presets.names()[i].c_str());
    std::cout << "\nParameters (--set TITLE=VALUE):\n";
    for (const ParameterTable::Parameter& p : parameters.all())
    {
        if (p.flags & (ParameterInfo::kIsReadOnly | ParameterInfo::kIsProgramChange))
            continue;
        std::string values;
        if (p.isList())
            for (const std::string& entry : p.entries)
                values += (values.empty() ? "" : ", ") + entry;
        else
            values = number(std::min(p.minPlain, p.maxPlain)) + " to " +
                     number(std::max(p.minPlain, p.maxPlain)) +
                     (p.units.empty() ? "" : " " + p.units);
        const std::string initial = parameters.displayText(p, p.defaultNormalized);
        std::printf("  %-22s %s (default %s)\n", p.title.c_str(), values.c_str(), initial.c_str());
    }
}

} // namespace

int RenderTool::run(const std::vector<std::string>& args)
{
    try
    {
        const RenderOptions options = OptionParser::parse(args);
        if (options.help)
        {
            std::cout << OptionParser::usage();
            return 0;
        }
        execute(options);
        return 0;
    }
    catch (const RenderError& e)
    {
        std::fflush(stdout);
        std::cerr << "zarg-render: " << e.what() << "\n";
        switch (e.kind())
        {
        case RenderError::Kind::Usage:
            return 2;
        case RenderError::Kind::Interrupted:
            return 130;
        case RenderError::Kind::Failure:
            break;
        }
        return 1;
    }
    catch (const std::exception& e)
    {
        std::fflush(stdout);
        std::cerr << "zarg-render: " << e.what() << "\n";
        return 1;
    }
}

std::string RenderTool::bundlePath(const RenderOptions& options)
{
    std::error_code ec;
    if (!options.bundle.empty())
    {
        if (!std::filesystem::exists(options.bundle, ec))
            throw RenderError("bundle '" + options.bundle + "' not found");
        return options.bundle;
    }
    const std::string built = ZARG_RENDER_BUNDLE;
    if (std::filesystem::exists(built, ec))
        return built;
    const char* home = std::getenv("HOME");
    const std::string installed = std::string(home ? home : "") + "/.vst3/ZARG.vst3";
    if (home && std::filesystem::exists(installed, ec))
        return installed;
    throw RenderError("no ZARG.vst3 at " + built + " or " + installed +
                      "; build it or pass --bundle");
}

void RenderTool::execute(const RenderOptions& options)
{
    // The input is read first: a wrong file name is the cheapest mistake to report.
    AudioData input;
    if (!options.list)
        input = options.input.empty() ? GuitarRiff::synthesise(options.rate.value_or(kDefaultRate))
                                      : AudioFileReader::read(options.input);
    const std::string source = options.input.empty() ? "built-in guitar riff" : options.input;

    const std::string bundle = bundlePath(options);
    ZargHost::PluginModule module(bundle);
    if (!module.loaded())
        throw RenderError("cannot load bundle '" + bundle + "': " + module.error());
    ZargHost::PluginInstance plugin(module.factory(), effectClass(*module.factory()),
                                    module.hostContext());
    if (!plugin.created() || !plugin.controller() || !plugin.processor())
        throw RenderError("cannot create the plug-in: " +
                          (plugin.error().empty()
                               ? std::string("it lacks a controller or processor")
                               : plugin.error()));
    if (plugin.initialize() != kResultOk)
        throw RenderError("the plug-in failed to initialize");

    IEditController& controller = *plugin.controller();
    const ParameterTable parameters(controller);
    const PresetList presets(parameters.findId(kPresetParamId) ? plugin.unitInfo() : nullptr,
                             kPresetParamId);
    if (options.list)
    {
        printList(presets, parameters);
        return;
    }

    // Everything the command line names is checked before anything is set up.
    const int preset = options.preset ? presets.find(*options.preset) : -1;
    std::vector<OfflineRenderer::Change> changes;
    std::vector<std::string> settingLines;
    for (const auto& [title, value] : options.settings)
    {
        const ParameterTable::Parameter& p = parameters.find(title);
        const double normalized = parameters.normalizedFor(p, value);
        changes.push_back({p.id, normalized});
        settingLines.push_back(p.title + " = " + parameters.displayText(p, normalized) +
                               (p.units.empty() ? "" : " " + p.units));
    }

    const int channels = static_cast<int>(input.channels.size());
    OfflineRenderer renderer(plugin, input.sampleRate, channels, options.blockSize);
    renderer.activate();
    // The preset goes in only now, as a user picks one on a running instance:
    // activation recomputes the plug-in's stage gains, which would drop what
    // a preset's Plus adds to them. The settings also reach the host's side
    // of the parameters, so both agree on what is set.
    if (preset >= 0)
        controller.setParamNormalized(kPresetParamId, presets.normalized(preset));
    for (const OfflineRenderer::Change& change : changes)
        controller.setParamNormalized(change.id, change.normalized);

    // From here on a file may exist that an interruption must not leave behind.
    const InterruptGuard guard;
    const auto rate = static_cast<int>(input.sampleRate);
    std::cout << "bundle   " << bundle << "\n";
    std::cout << "input    " << source << ", " << channels << " ch, " << rate << " Hz, "
              << seconds(input.seconds()) << "\n";
    if (preset >= 0)
        std::cout << "preset   " << preset << " " << presets.names()[static_cast<size_t>(preset)]
                  << "\n";
    for (const std::string& line : settingLines)
        std::cout << "set      " << line << "\n";
    std::cout << "latency  " << renderer.latency() << " samples ("
              << milliseconds(renderer.latency(), input.sampleRate) << "), compensated\n";
    std::cout.flush();

    AudioFileWriter writer(options.output, rate, channels);
    LevelMeter meter;
    const int64_t outputFrames = static_cast<int64_t>(input.frames()) + renderer.tailFrames();
    ProgressBar bar(isatty(STDERR_FILENO) && input.seconds() > kProgressAfterSeconds,
                    outputFrames + renderer.latency());

    renderer.render(
        input, changes,
        [&](const std::vector<const float*>& out, size_t frames)
        {
            writer.write(out, frames);
            meter.add(out, frames);
        },
        [&](int64_t done, int64_t) { bar.update(done); }, guard.flag());
    bar.finish();
    writer.commit();

    std::cout << "output   " << options.output << ", " << channels << " ch, " << rate << " Hz, "
              << seconds(static_cast<double>(outputFrames) / input.sampleRate) << " (tail "
              << seconds(static_cast<double>(renderer.tailFrames()) / input.sampleRate)
              << "), 32-bit float WAV\n";
    // A float file keeps overs, but they clip once converted to fixed point.
    std::cout << "peak     " << LevelMeter::dbfs(meter.peak())
              << (meter.peak() > 1.0 ? " (over full scale)" : "") << "\n";
    std::cout << "rms      " << LevelMeter::dbfs(meter.rms()) << "\n";
}
