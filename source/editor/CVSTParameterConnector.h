#pragma once

#include <cstdint>

// How an editor the plug-in object draws itself reports the object's own parameter
// edits to the host. The default answers do nothing.
class CVSTParameterConnector
{
public:
    virtual ~CVSTParameterConnector() = default;

    virtual void beginParameterEdit(uint32_t /*id*/) {}
    virtual void endParameterEdit(uint32_t /*id*/) {}
    virtual void setParameterFromGUI(uint32_t /*id*/, float /*normalized*/) {}
};
