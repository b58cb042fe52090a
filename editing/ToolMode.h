#pragma once

#include <cstdint>

namespace tiv {

// The canvas tool. The numbers are stored and handed around (region capture sets 5 directly), so
// they never change.
enum ToolMode : std::uint8_t {
    ToolNone = 0,
    ToolTextBox = 1,
    ToolRectangle = 2,
    ToolEllipse = 3,
    ToolLine = 4,
    ToolRegionSelect = 5,
    ToolRoundRect = 6,
    ToolSingleArrow = 7,
    ToolDoubleArrow = 8,
    ToolMosaic = 9,
};

// Any value above 9 behaves as no tool.
constexpr bool IsDrawingTool(int mode) { return mode >= ToolTextBox && mode <= ToolMosaic; }

// Lines and arrows point somewhere, so their drag is never reordered.
constexpr bool KeepsDirection(int mode)
{
    return mode == ToolLine || mode == ToolSingleArrow || mode == ToolDoubleArrow;
}

}  // namespace tiv
