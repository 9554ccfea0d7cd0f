// The runner's rules, with /bin/sh scripts standing in for a crashing Ardour.
#include "ScriptRunner.h"
#include "CheckReport.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <csignal>

namespace
{

TEST(CheckReport, ReadsVerdictsAndFactsAmongOtherOutput)
{
    const CheckReport report = CheckReport::parse("Butler drops pool trash\n"
                                                  "ZARG-CHECK load PASS load_preset(Hard Rock)\n"
                                                  "ZARG-DATA parameter\t3\tMIDI Vol\n"
                                                  "ZARG-CHECK broken MAYBE\n"
                                                  "ZARG-CHECK load FAIL second try\n"
                                                  "ZARG-DATA parameter\t4\tBypass\n"
                                                  "ZARG-END\n");
    ASSERT_EQ(report.checks().size(), 2u);
    ASSERT_NE(report.find("load"), nullptr);
    EXPECT_FALSE(report.find("load")->passed);
    EXPECT_EQ(report.find("load")->detail, "second try");
    EXPECT_EQ(report.find("broken"), nullptr);
    const std::vector<std::vector<std::string>> expected{{"3", "MIDI Vol"}, {"4", "Bypass"}};
    EXPECT_EQ(report.data("parameter"), expected);
    EXPECT_TRUE(report.ended());
}

TEST(CheckReport, ALineCutShortByACrashIsNoResult)
{
    const CheckReport passCut =
        CheckReport::parse("ZARG-DATA loading\tHard Rock\nZARG-CHECK load PA");
    EXPECT_EQ(passCut.find("load"), nullptr);
    EXPECT_EQ(passCut.lastLine(), "ZARG-DATA loading\tHard Rock");
    EXPECT_FALSE(CheckReport::parse("ZARG-CHECK a PASS\nZARG-END").ended());
}

// A stand-in interpreter: a shell script that knows which attempt it is in.
class ScriptRunnerTest : public testing::Test
{
protected:
    ScriptRunner::Result run(const std::string& body, int timeoutSeconds = 30)
    {
        const std::string script = "n=$(cat attempts 2>/dev/null || echo 0); n=$((n+1)); "
                                   "echo $n > attempts; out=\"$ZARG_ARDOUR_RESULTS\"; " +
                                   body;
        const ScriptRunner runner({"/bin/sh", "-c", script, "sh"}, {}, folder.path(),
                                  timeoutSeconds, kAttempts);
        return runner.run({});
    }

    static constexpr int kAttempts = 3;
    ScratchFolder folder;
};

TEST_F(ScriptRunnerTest, ACrashBeforeTheEndIsRunAgainAndItsResultsDoNotCount)
{
    // The crashed attempt passed the check; the one that finished failed it.
    const auto result =
        run("if [ $n = 1 ]; then echo 'ZARG-CHECK a PASS' >> $out; kill -SEGV $$; fi; "
            "echo 'ZARG-CHECK a FAIL real' >> $out; echo ZARG-END >> $out");
    EXPECT_EQ(result.attempts, 2);
    EXPECT_FALSE(result.passed("a"));
    EXPECT_TRUE(result.report.ended());
    ASSERT_EQ(result.notes.size(), 1u);
    EXPECT_NE(result.notes[0].find("before its results"), std::string::npos) << result.notes[0];
}

TEST_F(ScriptRunnerTest, CrashingOnEveryAttemptNeverCompletes)
{
    const auto result = run("echo 'ZARG-CHECK a PASS' >> $out; kill -ABRT $$");
    EXPECT_EQ(result.attempts, kAttempts);
    EXPECT_EQ(result.outcome.signal, SIGABRT);
    EXPECT_FALSE(result.completed());
    EXPECT_FALSE(result.passed("b"));
}

TEST_F(ScriptRunnerTest, ACrashAfterTheEndIsOnlyAWarning)
{
    const auto result =
        run("echo 'ZARG-CHECK a PASS' >> $out; echo ZARG-END >> $out; kill -SEGV $$");
    EXPECT_EQ(result.attempts, 1);
    EXPECT_TRUE(result.passed("a"));
    EXPECT_TRUE(result.completed());
    ASSERT_EQ(result.notes.size(), 1u);
    EXPECT_EQ(result.notes[0].rfind("warning:", 0), 0u) << result.notes[0];
}

TEST_F(ScriptRunnerTest, AHangIsStoppedAndNotRunAgain)
{
    const auto result = run("echo 'ZARG-DATA loading\tHard Rock' >> $out; sleep 60", 1);
    EXPECT_TRUE(result.outcome.timedOut);
    EXPECT_EQ(result.attempts, 1);
    const testing::AssertionResult verdict = result.passed("preset-load");
    EXPECT_FALSE(verdict);
    EXPECT_NE(std::string(verdict.message()).find("timed out"), std::string::npos)
        << verdict.message();
    EXPECT_NE(std::string(verdict.message()).find("Hard Rock"), std::string::npos)
        << verdict.message();
}

TEST_F(ScriptRunnerTest, AFailedCheckIsAResultNotACrash)
{
    const auto result = run("echo 'ZARG-CHECK script FAIL lua error' >> $out; "
                            "echo ZARG-END >> $out; exit 1");
    EXPECT_EQ(result.attempts, 1);
    EXPECT_EQ(result.outcome.exitCode, 1);
    const testing::AssertionResult verdict = result.completed();
    EXPECT_FALSE(verdict);
    EXPECT_NE(std::string(verdict.message()).find("lua error"), std::string::npos);
}

TEST_F(ScriptRunnerTest, EveryAttemptStartsAfterTheCleanUp)
{
    int cleanUps = 0;
    const ScriptRunner runner({"/bin/sh", "-c", "kill -SEGV $$"}, {}, folder.path(), 30, kAttempts);
    runner.run({}, [&] { ++cleanUps; });
    EXPECT_EQ(cleanUps, kAttempts);
}

} // namespace
