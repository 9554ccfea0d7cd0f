#include "OptionParser.h"

#include "NumberText.h"
#include "RenderError.h"

#include <set>

namespace
{

const std::set<std::string> kValueOptions = {"--bundle", "--preset", "--set",
                                             "--rate",   "--block",  "--out"};

constexpr double kMinRate = 8000.0;
constexpr double kMaxRate = 384000.0;
constexpr long long kMaxBlock = 65536;

void apply(RenderOptions& options, const std::string& name, const std::string& value)
{
    if (name == "--bundle")
        options.bundle = value;
    else if (name == "--preset")
        options.preset = value;
    else if (name == "--out")
    {
        if (value.empty())
            throw RenderError::usage("--out needs a file name");
        options.output = value;
    }
    else if (name == "--set")
    {
        const auto equals = value.find('=');
        if (equals == std::string::npos || equals == 0)
            throw RenderError::usage("--set '" + value + "': expected TITLE=VALUE");
        options.settings.emplace_back(value.substr(0, equals), value.substr(equals + 1));
    }
    else if (name == "--rate")
    {
        const auto rate = parseDouble(value);
        if (!rate || *rate < kMinRate || *rate > kMaxRate)
            throw RenderError::usage("--rate '" + value +
                                     "': expected a sample rate from 8000 to " + "384000 Hz");
        options.rate = *rate;
    }
    else if (name == "--block")
    {
        const auto size = parseInteger(value);
        if (!size || *size < 1 || *size > kMaxBlock)
            throw RenderError::usage("--block '" + value + "': expected a block size from 1 to " +
                                     std::to_string(kMaxBlock));
        options.blockSize = static_cast<int>(*size);
    }
}

} // namespace

RenderOptions OptionParser::parse(const std::vector<std::string>& args)
{
    RenderOptions options;
    bool inputSeen = false;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i)
    {
        const std::string& arg = args[i];
        const bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        if (!isOption)
        {
            if (inputSeen)
                throw RenderError::usage("more than one input file ('" + options.input + "' and '" +
                                         arg + "')");
            options.input = arg;
            inputSeen = true;
            continue;
        }
        if (arg == "--")
        {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h")
        {
            options.help = true;
            continue;
        }
        if (arg == "--list")
        {
            options.list = true;
            continue;
        }
        // --name VALUE or --name=VALUE
        const auto equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (!kValueOptions.contains(name))
            throw RenderError::usage("unknown option '" + name + "' (see --help)");
        std::string value;
        if (equals != std::string::npos)
            value = arg.substr(equals + 1);
        else if (i + 1 < args.size())
            value = args[++i];
        else
            throw RenderError::usage(name + " needs a value");
        apply(options, name, value);
    }
    if (inputSeen && options.rate)
        throw RenderError::usage("--rate is for the built-in signal; a file plays at its own rate");
    return options;
}

std::string OptionParser::usage()
{
    return R"(Usage: zarg-render [options] [INPUT]

Renders INPUT (WAV, AIFF or FLAC; mono or stereo, further channels are
ignored) through the ZARG plug-in and writes a 32-bit float WAV. Without
INPUT a built-in plucked guitar riff (about 4 s) is rendered.

Options:
  --bundle PATH        the ZARG.vst3 bundle to load (default: the one this
                       build made, else ~/.vst3/ZARG.vst3)
  --preset NAME|INDEX  start from a factory preset (see --list)
  --set TITLE=VALUE    set a parameter by its title after the preset; VALUE is
                       a plain value inside the parameter's range, or an entry
                       of a list parameter (e.g. TS_Type=tHump); repeatable
  --rate HZ            sample rate of the built-in signal (default 48000)
  --block N            process block size (default 512)
  --out FILE           output file (default out.wav)
  --list               print the factory presets and parameters and exit
  --help               print this help and exit

The output lines up with the input (the plug-in's latency is compensated)
and runs on for the plug-in's tail.
)";
}
