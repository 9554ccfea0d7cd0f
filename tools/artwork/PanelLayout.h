#pragma once

#include "ViewRect.h"

#include <string>
#include <vector>

namespace zarg::artwork
{

// The views of one template of a UI description, flattened to panel coordinates.
// The face plate is drawn around these, so the layout file stays the only
// place where control positions live.
class PanelLayout
{
public:
    // Throws std::runtime_error when the file cannot be read or the template is missing.
    static PanelLayout load(const std::string& uidescPath, const std::string& templateName);

    const std::vector<ViewRect>& views() const { return m_views; }

private:
    std::vector<ViewRect> m_views;
};

} // namespace zarg::artwork
