#pragma once

#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <string>
#include <vector>

// The parameters as the plug-in's controller reports them, and the
// conversion of a user's plain value (or list entry) into a normalized one.
class ParameterTable
{
public:
    struct Parameter
    {
        Steinberg::Vst::ParamID id = 0;
        std::string title;
        std::string units;
        Steinberg::int32 stepCount = 0;
        Steinberg::int32 flags = 0;
        double minPlain = 0.0; // the plain values at normalized 0 and 1
        double maxPlain = 1.0;
        double defaultNormalized = 0.0;
        std::vector<std::string> entries; // list parameters: the entry texts in order

        bool isList() const { return !entries.empty(); }
    };

    explicit ParameterTable(Steinberg::Vst::IEditController& controller);

    const std::vector<Parameter>& all() const { return parameters; }
    const Parameter* findId(Steinberg::Vst::ParamID id) const;
    // By title, ignoring case; throws when there is none.
    const Parameter& find(const std::string& title) const;
    // The normalized value for "--set title=text"; throws when the text is no
    // value of the parameter.
    double normalizedFor(const Parameter& parameter, const std::string& text) const;
    // The value's text as the plug-in displays it.
    std::string displayText(const Parameter& parameter, double normalized) const;

private:
    Steinberg::Vst::IEditController& controller;
    std::vector<Parameter> parameters;
};
