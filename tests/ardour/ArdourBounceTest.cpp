// A track bounced with processing through ZARG in Ardour against
// zarg-render's output of the same input and settings.
#include "ArdourFixture.h"
#include "SoundFile.h"
#include "TestSignal.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace
{

namespace fs = std::filesystem;

constexpr int kRate = 48000;
constexpr int kRenderSeconds = 120;
// Runs of the bounce at most, for a clean end after the interpreter's own crashes.
constexpr int kBounceRuns = 3;
// Measured: over the sound the bounce and zarg-render differ by at most 1e-9
// (-180 dBFS). Larger differences, up to 2.3e-7, come only in the first ~4000
// samples of the lead silence, where the reference's new instance settles to
// the output that Ardour's instance, running since the session started, has
// settled at. -120 dBFS leaves room for that and stays far below any real
// fault: a one-sample shift, a lost setting or a wrong preset differ by 1e-2
// and more.
constexpr double kTolerance = 1e-6;
// Anything this far from the input was processed.
constexpr double kProcessed = 1e-2;

struct Case
{
    const char* name;
    std::vector<std::string> lua;    // the export script's set-up arguments
    std::vector<std::string> render; // zarg-render's equivalent
};

// Settings with values a float holds exactly: Ardour passes them as float,
// zarg-render as double, and both reach the plug-in as the same number.
const Case kCases[] = {
    {"Defaults", {}, {}},
    {"Settings",
     {"Gain=0.5", "Trim=2", "Volume=0.75", "Push1=1.25", "TS_Type=11", "Plus=1"},
     {"--set", "Gain=0.5", "--set", "Trim=2", "--set", "Volume=0.75", "--set", "Push1=1.25",
      "--set", "TS_Type=11", "--set", "Plus=1"}},
    {"HardRockPreset", {"preset", "Hard Rock"}, {"--preset", "Hard Rock"}},
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

class ArdourBounce : public ArdourFixture, public testing::WithParamInterface<Case>
{
};

struct Difference
{
    double largest = 0.0;
    size_t channel = 0;
    size_t frame = 0;
};

// The largest difference over frames [from, to).
Difference difference(const SoundFile& a, const SoundFile& b, size_t from, size_t to)
{
    Difference d;
    for (size_t c = 0; c < a.channels.size(); ++c)
        for (size_t i = from; i < to; ++i)
        {
            const double delta = std::abs(static_cast<double>(a.channels[c][i]) -
                                          static_cast<double>(b.channels[c][i]));
            if (delta > d.largest)
                d = {delta, c, i};
        }
    return d;
}

TEST_P(ArdourBounce, MatchesZargRender)
{
    const Case& c = GetParam();
    const SoundFile input = TestSignal::stereo(kRate);
    const std::string inputFile = sandbox.path("input.wav");
    SoundFile::write(inputFile, input);

    const std::string session = sandbox.path("session");
    const ScriptRunner::Result prepared = lua.run(
        {ArdourSandbox::script("bounce"), "prepare", session, std::to_string(input.frames())},
        [&] { fs::remove_all(session); });
    ASSERT_TRUE(prepared.completed());
    const auto sources = prepared.report.data("source");
    const auto block = prepared.report.data("block");
    ASSERT_EQ(sources.size(), input.channels.size());
    ASSERT_EQ(block.size(), 1u);
    for (size_t ch = 0; ch < sources.size(); ++ch)
        SoundFile::write(sources[ch].at(1), TestSignal::channel(input, ch));

    // The reference, in Ardour's block size; its length (input and tail)
    // is the export's.
    const std::string referenceFile = sandbox.path("reference.wav");
    std::vector<std::string> render{ZARG_RENDER_EXE, "--bundle", sandbox.bundle(), "--block",
                                    block[0].at(0),  "--out",    referenceFile};
    render.insert(render.end(), c.render.begin(), c.render.end());
    render.push_back(inputFile);
    const TimedProcess::Outcome rendered = TimedProcess::run(
        render, {}, sandbox.path(""), sandbox.path("zarg-render"), kRenderSeconds);
    ASSERT_EQ(rendered.exitCode, 0) << rendered.describe() << "\n" << rendered.out << rendered.err;
    const SoundFile reference = SoundFile::read(referenceFile);

    std::vector<std::string> args{ArdourSandbox::script("bounce"), "render", session,
                                  std::to_string(reference.frames())};
    args.insert(args.end(), c.lua.begin(), c.lua.end());
    // The interpreter may crash after the script's end while Ardour still
    // writes the files: only the files of a run that ended cleanly count.
    ScriptRunner::Result bounced;
    for (int run = 0; run < kBounceRuns; ++run)
    {
        bounced = lua.run(args);
        if (!bounced.outcome.crashed())
            break;
        std::cout << "[ardour] " << c.name << ": the bounce crashed; running it again\n";
    }
    ASSERT_FALSE(bounced.outcome.crashed()) << bounced.story();
    ASSERT_TRUE(bounced.passed("bounce"));
    ASSERT_TRUE(bounced.completed());
    SoundFile output;
    for (const auto& channel : bounced.report.data("output"))
    {
        const SoundFile mono = SoundFile::read(channel.at(1));
        ASSERT_EQ(mono.channels.size(), 1u);
        output.sampleRate = mono.sampleRate;
        output.channels.push_back(mono.channels[0]);
    }
    ASSERT_EQ(output.sampleRate, kRate);
    ASSERT_EQ(output.channels.size(), reference.channels.size());
    ASSERT_EQ(output.frames(), reference.frames());

    const Difference processed = difference(output, input, 0, input.frames());
    EXPECT_GT(processed.largest, kProcessed) << "the bounce is the input: ZARG did nothing";
    const Difference d = difference(output, reference, 0, output.frames());
    EXPECT_LE(d.largest, kTolerance) << "channel " << d.channel << ", frame " << d.frame << ": "
                                     << output.channels[d.channel][d.frame] << " bounced, "
                                     << reference.channels[d.channel][d.frame] << " rendered";
    const auto lead = static_cast<size_t>(TestSignal::kLeadSeconds * kRate);
    std::cout << "[ardour] " << c.name << ": largest difference " << d.largest << " at frame "
              << d.frame << ", " << difference(output, reference, lead, output.frames()).largest
              << " after the lead silence\n";
}

INSTANTIATE_TEST_SUITE_P(Cases, ArdourBounce, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& param)
                         { return param.param.name; });

} // namespace
