#pragma once

#include <stdexcept>
#include <string>

// Anything that stops a render. The tool prints the message as one line and
// exits non-zero; usage errors (bad command lines) get their own exit code.
class RenderError : public std::runtime_error
{
public:
    enum class Kind
    {
        Usage,
        Failure,
        Interrupted
    };

    explicit RenderError(const std::string& message, Kind kind = Kind::Failure)
        : std::runtime_error(message), errorKind(kind)
    {
    }

    Kind kind() const { return errorKind; }

    static RenderError usage(const std::string& message)
    {
        return RenderError(message, Kind::Usage);
    }

private:
    Kind errorKind;
};
