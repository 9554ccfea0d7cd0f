#pragma once

#include "CheckReport.h"
#include "TimedProcess.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

// Runs a test script in an interpreter (ardour7-lua) under a time limit.
// ardour7-lua crashes now and then by itself: a run that crashed before its
// results were all written is run again, a few times at most; a crash after
// them is only noted. A run that timed out is not run again: a hang is a
// finding. Each attempt starts from an empty results file, so nothing that
// a crashed attempt wrote can count.
class ScriptRunner
{
public:
    struct Result
    {
        CheckReport report;
        TimedProcess::Outcome outcome; // of the last attempt
        int attempts = 0;
        std::vector<std::string> notes; // crashes and retries, for the test's log

        // The check ran and passed.
        testing::AssertionResult passed(const std::string& check) const;
        // Every result was written and no check failed.
        testing::AssertionResult completed() const;
        // How the run went, with the end of the interpreter's error output.
        std::string story() const;
    };

    ScriptRunner(std::vector<std::string> interpreter,
                 std::map<std::string, std::string> environment, std::string workFolder,
                 int timeoutSeconds, int maxAttempts = 4);

    // beforeAttempt undoes what a crashed attempt may have left (a half-made session).
    Result run(const std::vector<std::string>& args,
               const std::function<void()>& beforeAttempt = {}) const;

private:
    std::vector<std::string> interpreter;
    std::map<std::string, std::string> environment;
    std::string folder;
    int seconds;
    int attempts;
};
