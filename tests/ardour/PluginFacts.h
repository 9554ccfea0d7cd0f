#pragma once

#include "host/PluginModule.h"

#include <memory>
#include <string>
#include <vector>

// What ZARG says of itself, asked through the project's DAW-like host: the
// reference that the tests hold Ardour's view against.
class PluginFacts
{
public:
    explicit PluginFacts(const std::string& bundle);
    ~PluginFacts();

    PluginFacts(const PluginFacts&) = delete;
    PluginFacts& operator=(const PluginFacts&) = delete;

    const std::string& name() const { return className; }
    const std::string& subCategories() const { return categories; }
    // The titles of the parameters a host offers as controls to set: all but
    // the read-only ones and the program change.
    const std::vector<std::string>& titles() const { return inputTitles; }
    const std::vector<std::string>& presets() const { return presetNames; }
    // The plain value of every parameter of titles(), in that order, as the
    // controller shows it once the factory preset is chosen ("": the defaults).
    std::vector<double> values(const std::string& preset = "") const;
    // The plain value at a normalized position.
    double plainAt(const std::string& title, double normalized) const;

private:
    std::unique_ptr<ZargHost::PluginModule> module;
    std::string className;
    std::string categories;
    std::vector<std::string> inputTitles;
    std::vector<std::string> presetNames;
};
