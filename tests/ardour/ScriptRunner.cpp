#include "ScriptRunner.h"

#include "FileText.h"

#include <atomic>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <utility>

namespace
{

// Enough of the interpreter's error output to see why it stopped.
constexpr size_t kErrorTail = 2000;

} // namespace

ScriptRunner::ScriptRunner(std::vector<std::string> command,
                           std::map<std::string, std::string> variables, std::string workFolder,
                           int timeoutSeconds, int maxAttempts)
    : interpreter(std::move(command)), environment(std::move(variables)),
      folder(std::move(workFolder)), seconds(timeoutSeconds), attempts(maxAttempts)
{
}

ScriptRunner::Result ScriptRunner::run(const std::vector<std::string>& args,
                                       const std::function<void()>& beforeAttempt) const
{
    // Every run and attempt keeps its own files, for a look after a failure.
    static std::atomic<int> runs = 0;
    const std::string base = folder + "/run" + std::to_string(++runs);
    std::vector<std::string> command = interpreter;
    command.insert(command.end(), args.begin(), args.end());

    Result result;
    while (result.attempts < attempts)
    {
        const std::string attempt = base + "." + std::to_string(++result.attempts);
        const std::string resultsFile = attempt + ".results";
        std::filesystem::remove(resultsFile);
        if (beforeAttempt)
            beforeAttempt();
        std::map<std::string, std::string> variables = environment;
        variables["ZARG_ARDOUR_RESULTS"] = resultsFile;
        result.outcome = TimedProcess::run(command, variables, folder, attempt, seconds);
        result.report = CheckReport::parse(fileText(resultsFile));

        if (!result.outcome.crashed())
            break;
        if (result.report.ended())
        {
            result.notes.push_back("warning: attempt " + std::to_string(result.attempts) + " " +
                                   result.outcome.describe() + " after writing its results");
            break;
        }
        result.notes.push_back("attempt " + std::to_string(result.attempts) + " " +
                               result.outcome.describe() + " before its results were all written");
    }
    for (const std::string& note : result.notes)
        std::cout << "[ardour] " << note << "\n";
    return result;
}

std::string ScriptRunner::Result::story() const
{
    std::ostringstream text;
    text << "the run " << outcome.describe() << " after " << attempts << " attempt"
         << (attempts == 1 ? "" : "s");
    if (!report.lastLine().empty())
        text << "; its last result line: " << report.lastLine();
    for (const CheckReport::Check& check : report.checks())
        if (!check.passed)
            text << "\n  check " << check.name << " failed: " << check.detail;
    for (const std::string& note : notes)
        text << "\n  " << note;
    const std::string& err = outcome.err;
    if (!err.empty())
        text << "\n  error output: ..."
             << err.substr(err.size() - std::min(err.size(), kErrorTail));
    return text.str();
}

testing::AssertionResult ScriptRunner::Result::passed(const std::string& name) const
{
    const CheckReport::Check* check = report.find(name);
    if (!check)
        return testing::AssertionFailure() << "check " << name << " did not run: " << story();
    if (!check->passed)
        return testing::AssertionFailure() << "check " << name << " failed: " << check->detail;
    return testing::AssertionSuccess();
}

testing::AssertionResult ScriptRunner::Result::completed() const
{
    for (const CheckReport::Check& check : report.checks())
        if (!check.passed)
            return testing::AssertionFailure()
                   << "check " << check.name << " failed: " << check.detail << "\n"
                   << story();
    if (!report.ended())
        return testing::AssertionFailure() << "the script did not finish: " << story();
    return testing::AssertionSuccess();
}
