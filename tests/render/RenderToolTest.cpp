#include "ScratchFolder.h"
#include "SoundFile.h"
#include "ToolProcess.h"
#include "dsp/CQuorzel.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace
{

// What the plug-in reports: no latency and a 500 ms tail.
constexpr double kTailSeconds = 0.5;
constexpr int kFloatWav = SF_FORMAT_WAV | SF_FORMAT_FLOAT;

// A different decaying tone in every channel, so swapped or shifted
// channels show.
SoundFile tones(int rate, int channels, double seconds, int format)
{
    SoundFile sound;
    sound.sampleRate = rate;
    sound.format = format;
    const auto frames = static_cast<size_t>(seconds * rate);
    for (int c = 0; c < channels; ++c)
    {
        std::vector<float> channel(frames);
        for (size_t i = 0; i < frames; ++i)
        {
            const double t = static_cast<double>(i) / rate;
            channel[i] = static_cast<float>(0.4 * std::exp(-3.0 * t) *
                                            std::sin(2.0 * M_PI * 110.0 * (c + 1) * t));
        }
        sound.channels.push_back(channel);
    }
    return sound;
}

struct Levels
{
    double peakDb;
    double rmsDb;
};

Levels levelsOf(const SoundFile& sound)
{
    double peak = 0.0;
    double sum = 0.0;
    size_t count = 0;
    for (const auto& channel : sound.channels)
        for (float v : channel)
        {
            peak = std::max(peak, std::abs(static_cast<double>(v)));
            sum += static_cast<double>(v) * static_cast<double>(v);
            ++count;
        }
    return {20.0 * std::log10(peak), 10.0 * std::log10(sum / static_cast<double>(count))};
}

// The line of out that starts with key and a space ("" when none).
std::string lineStarting(const std::string& out, const std::string& key)
{
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(key + " ", 0) == 0)
            return line;
    return {};
}

// The dB figure of a report line such as "peak     -3.10 dBFS".
double reportedDb(const std::string& out, const std::string& what)
{
    const std::string line = lineStarting(out, what);
    if (!line.ends_with(" dBFS"))
        throw std::runtime_error("no " + what + " line in:\n" + out);
    return std::stod(line.substr(what.size()));
}

void expectReportedLevels(const ToolProcess::Result& run, const SoundFile& written)
{
    const Levels levels = levelsOf(written);
    EXPECT_NEAR(reportedDb(run.out, "peak"), levels.peakDb, 0.006);
    EXPECT_NEAR(reportedDb(run.out, "rms"), levels.rmsDb, 0.006);
}

class RenderToolTest : public testing::Test
{
protected:
    ToolProcess::Result render(const std::vector<std::string>& args)
    {
        return ToolProcess::run(dir.path(), args);
    }
    SoundFile output(const std::string& name) { return SoundFile::read(dir.file(name)); }

    ScratchFolder dir;
};

TEST_F(RenderToolTest, FilesComeOutAtTheirRateLinedUpWithTheInput)
{
    struct Case
    {
        const char* name;
        int channels;
        int rate;
        int format;
        size_t outputChannels;
    };
    const Case cases[] = {
        {"in.wav", 1, 44100, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1},
        {"in.flac", 2, 48000, SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 2},
        // The plug-in is stereo: further channels are left out.
        {"in.aiff", 3, 32000, SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 2},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        SoundFile::write(dir.file(c.name), tones(c.rate, c.channels, 0.3, c.format));
        // Read back: what the file really holds after quantisation.
        const SoundFile in = SoundFile::read(dir.file(c.name));

        // Bypassed, the plug-in passes its input on as it is: the output must be
        // the input, sample for sample.
        const auto run = render({c.name, "--set", "Bypass=1", "--out", "bypassed.wav"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_NE(run.out.find("latency  0 samples"), std::string::npos) << run.out;

        const SoundFile out = output("bypassed.wav");
        EXPECT_EQ(out.format, kFloatWav);
        EXPECT_EQ(out.sampleRate, c.rate);
        ASSERT_EQ(out.channels.size(), c.outputChannels);
        const auto tail = static_cast<size_t>(kTailSeconds * c.rate);
        ASSERT_EQ(out.frames(), in.frames() + tail);
        for (size_t ch = 0; ch < c.outputChannels; ++ch)
        {
            const auto& got = out.channels[ch];
            ASSERT_TRUE(std::equal(in.channels[ch].begin(), in.channels[ch].end(), got.begin()))
                << "channel " << ch << " is not the input lined up";
            EXPECT_TRUE(std::all_of(got.begin() + static_cast<long>(in.frames()), got.end(),
                                    [](float v) { return v == 0.0f; }))
                << "the tail of a bypassed input is silence";
        }
        expectReportedLevels(run, out);
    }
}

TEST_F(RenderToolTest, BlockSizeDoesNotChangeTheRender)
{
    SoundFile::write(dir.file("in.wav"), tones(48000, 2, 0.4, kFloatWav));
    std::vector<SoundFile> renders;
    // 1 and 100 do not divide the filters' block of 64: the cut falls inside one.
    for (const char* block : {"4096", "100", "1"})
    {
        SCOPED_TRACE(block);
        const std::string name = std::string("block") + block + ".wav";
        const auto run =
            render({"in.wav", "--preset", "Hard Rock", "--block", block, "--out", name});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        renders.push_back(output(name));
    }
    ASSERT_EQ(renders[0].frames(), static_cast<size_t>((0.4 + kTailSeconds) * 48000));
    EXPECT_GT(levelsOf(renders[0]).rmsDb, -60.0);
    EXPECT_EQ(renders[1].channels, renders[0].channels);
    EXPECT_EQ(renders[2].channels, renders[0].channels);
}

// The same render, a while later, is the same file to the byte: nothing in
// it records when it was written.
TEST_F(RenderToolTest, TheSameRenderGivesTheSameBytes)
{
    std::vector<std::string> files;
    for (const char* name : {"first.wav", "second.wav"})
    {
        const auto run = render({"--preset", "OD", "--out", name});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        std::ifstream in(dir.file(name), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        files.push_back(bytes.str());
        // Past the next full second of the clock.
        std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    }
    ASSERT_GT(files[0].size(), 48000u);
    EXPECT_TRUE(files[0] == files[1]);
}

TEST_F(RenderToolTest, BuiltInRiffThroughPresetsAndSettings)
{
    const auto hardRock = render({"--preset", "Hard Rock"});
    ASSERT_EQ(hardRock.exitCode, 0) << hardRock.err;
    EXPECT_NE(hardRock.out.find("preset   15 Hard Rock"), std::string::npos) << hardRock.out;
    EXPECT_NE(hardRock.out.find("latency  0 samples"), std::string::npos);
    const SoundFile out = output("out.wav");
    EXPECT_EQ(out.format, kFloatWav);
    EXPECT_EQ(out.sampleRate, 48000);
    ASSERT_EQ(out.channels.size(), 2u);
    EXPECT_EQ(out.frames(), static_cast<size_t>((4.0 + kTailSeconds) * 48000));
    EXPECT_GT(levelsOf(out).rmsDb, -40.0);
    expectReportedLevels(hardRock, out);

    const auto byIndex = render({"--preset", "15", "--out", "index.wav"});
    ASSERT_EQ(byIndex.exitCode, 0) << byIndex.err;
    EXPECT_EQ(output("index.wav").channels, out.channels) << "index 15 is Hard Rock";

    const auto factory = render({"--preset", "factory preset", "--out", "factory.wav"});
    ASSERT_EQ(factory.exitCode, 0) << factory.err;
    EXPECT_NE(output("factory.wav").channels, out.channels);

    // Plus=OFF only changes the sound when the preset's Plus ON took hold
    // (activation would have undone it) and the setting came after the preset.
    const auto plusOff = render({"--preset", "Hard Rock", "--set", "Plus=OFF", "--out", "off.wav"});
    ASSERT_EQ(plusOff.exitCode, 0) << plusOff.err;
    EXPECT_NE(plusOff.out.find("set      Plus = OFF"), std::string::npos) << plusOff.out;
    EXPECT_NE(output("off.wav").channels, out.channels);
}

TEST_F(RenderToolTest, ListParametersTakeTheirEntryOrItsIndex)
{
    const auto byEntry = render({"--set", "TS_Type=thump", "--out", "entry.wav"});
    ASSERT_EQ(byEntry.exitCode, 0) << byEntry.err;
    EXPECT_NE(byEntry.out.find("set      TS_Type = tHump"), std::string::npos) << byEntry.out;
    const auto byIndex = render({"--set", "TS_Type=11", "--out", "index.wav"});
    ASSERT_EQ(byIndex.exitCode, 0) << byIndex.err;
    const auto plain = render({"--out", "plain.wav"});
    ASSERT_EQ(plain.exitCode, 0) << plain.err;

    EXPECT_EQ(output("entry.wav").channels, output("index.wav").channels);
    EXPECT_NE(output("entry.wav").channels, output("plain.wav").channels);
}

TEST_F(RenderToolTest, BuiltInRiffIsAGuitarLevelSignalAtTheChosenRate)
{
    const auto run = render({"--rate", "44100", "--set", "Bypass=1", "--out", "dry.wav"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const SoundFile dry = output("dry.wav");
    EXPECT_EQ(dry.sampleRate, 44100);
    ASSERT_EQ(dry.frames(), static_cast<size_t>((4.0 + kTailSeconds) * 44100));
    EXPECT_EQ(dry.channels[0], dry.channels[1]);
    EXPECT_NEAR(levelsOf(dry).peakDb, -6.02, 0.01);
    // Notes all the way through the four seconds, not one pluck and silence.
    for (size_t second = 0; second < 4; ++second)
    {
        SoundFile part = dry;
        part.channels.resize(1);
        auto& samples = part.channels[0];
        samples.assign(samples.begin() + static_cast<long>(second * 44100),
                       samples.begin() + static_cast<long>((second + 1) * 44100));
        EXPECT_GT(levelsOf(part).rmsDb, -35.0) << "second " << second;
    }
}

TEST_F(RenderToolTest, HelpAndListPrintWithoutRendering)
{
    const auto help = render({"--help"});
    ASSERT_EQ(help.exitCode, 0) << help.err;
    EXPECT_EQ(help.out.rfind("Usage: zarg-render [options] [INPUT]\n", 0), 0u) << help.out;

    const auto run = render({"--list"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // The names of the product's own preset table.
    const CQuorzel product;
    for (int i = 0; i < 16; ++i)
    {
        char line[64];
        std::snprintf(line, sizeof line, "  %2d  %s\n", i, product.m_presetNames[i]);
        EXPECT_NE(run.out.find(line), std::string::npos) << line;
    }
    EXPECT_NE(lineStarting(run.out, "  Gain").find(" 0.002 to 0.99"), std::string::npos);
    EXPECT_NE(lineStarting(run.out, "  NG2_Threshold").find(" -70 to -20 dB"), std::string::npos);
    const std::string toneStacks = lineStarting(run.out, "  TS_Type");
    EXPECT_NE(toneStacks.find(" t2022, t2222,"), std::string::npos) << toneStacks;
    EXPECT_NE(toneStacks.find(", tHump, "), std::string::npos) << toneStacks;
    EXPECT_NE(toneStacks.find(", tBypass (default t2022)"), std::string::npos) << toneStacks;
    EXPECT_TRUE(dir.entries().empty());
}

TEST_F(RenderToolTest, BadCommandsFailWithOneLineAndNoFile)
{
    SoundFile::write(dir.file("in.wav"), tones(48000, 1, 0.1, kFloatWav));
    std::ofstream(dir.file("notaudio.wav")) << "not a sound file\n";
    SoundFile::write(dir.file("empty.wav"), tones(48000, 1, 0.0, kFloatWav));
    const std::filesystem::path fake = dir.file("Fake.vst3/Contents/x86_64-linux");
    std::filesystem::create_directories(fake);
    std::ofstream(fake / "Fake.so") << "not a library\n";

    struct Case
    {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"missing.wav"}, "cannot read 'missing.wav'"},
        {{"notaudio.wav"}, "cannot read 'notaudio.wav'"},
        {{"empty.wav"}, "'empty.wav' holds no audio"},
        {{"--preset", "Nope"}, "unknown preset 'Nope'"},
        {{"--preset", "16"}, "preset index 16 is outside 0 to 15"},
        {{"--set", "Nope=1"}, "unknown parameter 'Nope'"},
        {{"--set", "Gain=2"}, "--set Gain=2: outside the range 0.002 to"},
        {{"--set", "NG2_Threshold=-80"}, "outside the range -70 to -20 dB"},
        {{"--set", "Gain"}, "--set 'Gain': expected TITLE=VALUE"},
        {{"--set", "=0.5"}, "expected TITLE=VALUE"},
        {{"--set", "Gain=loud"}, "--set Gain=loud: not a number"},
        {{"--set", "Gain=0.5dB"}, "not a number"},
        {{"--set", "TS_Type=tNope"}, "expected one of t2022, t2222"},
        {{"--set", "TS_Type=20"}, "or an index from 0 to 19"},
        {{"--set", "Factory Presets=1"}, "cannot be set (use --preset)"},
        {{"--bundle", "nowhere/ZARG.vst3"}, "bundle 'nowhere/ZARG.vst3' not found"},
        {{"--bundle", "Fake.vst3"}, "cannot load bundle 'Fake.vst3'"},
        {{"--block", "0"}, "--block '0'"},
        {{"--rate", "44100", "in.wav"}, "--rate is for the built-in signal"},
        {{"--frobnicate"}, "unknown option '--frobnicate'"},
        {{"--out"}, "--out needs a value"},
        {{"in.wav", "notaudio.wav"}, "more than one input"},
        {{"--out", "no-such-folder/out.wav"}, "cannot write 'no-such-folder/out.wav'"},
    };
    const auto before = dir.entries();
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.args.front() + (c.args.size() > 1 ? " " + c.args[1] : ""));
        const auto run = render(c.args);
        EXPECT_GT(run.exitCode, 0);
        EXPECT_EQ(run.err.rfind("zarg-render: ", 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(dir.entries(), before) << "a file was left behind";
    }
}

TEST_F(RenderToolTest, InterruptedRenderKeepsTheOldFile)
{
    SoundFile::write(dir.file("long.wav"),
                     tones(48000, 1, 180.0, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    std::ofstream(dir.file("out.wav")) << "the previous take\n";

    ToolProcess tool(dir.path(), {"long.wav"});
    // The latency line comes just before the render starts.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (tool.outputSoFar().find("latency") == std::string::npos &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    tool.signal(SIGINT);
    const auto run = tool.wait();

    EXPECT_EQ(run.exitCode, 130) << run.out << run.err;
    EXPECT_EQ(run.err, "zarg-render: interrupted\n");
    std::ifstream kept(dir.file("out.wav"));
    std::string text;
    std::getline(kept, text);
    EXPECT_EQ(text, "the previous take");
    EXPECT_EQ(dir.entries(), (std::set<std::string>{"long.wav", "out.wav"}));
}

TEST_F(RenderToolTest, ProgressBarOnlyOnATerminal)
{
    SoundFile::write(dir.file("six.wav"), tones(16000, 1, 6.0, kFloatWav));

    const auto onTerminal = ToolProcess(dir.path(), {"six.wav"}, true).wait();
    ASSERT_EQ(onTerminal.exitCode, 0) << onTerminal.err;
    EXPECT_NE(onTerminal.err.find("rendering ["), std::string::npos) << onTerminal.err;
    EXPECT_NE(onTerminal.err.find("] 100%"), std::string::npos) << onTerminal.err;
    // Erased at the end, so the shell prompt starts on a clean line.
    EXPECT_TRUE(onTerminal.err.ends_with("\r\033[K")) << onTerminal.err;

    const auto piped = render({"six.wav"});
    ASSERT_EQ(piped.exitCode, 0) << piped.err;
    EXPECT_EQ(piped.err, "");
}

} // namespace
