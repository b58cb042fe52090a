#pragma once

class QKeyEvent;

namespace tiv {

constexpr int VkReturn = 13;
constexpr int VkEscape = 27;
constexpr int VkDelete = 46;
constexpr int VkF1 = 112;
constexpr int VkF5 = 116;

// The program's virtual-key number of a key event: letters and digits by their upper-case
// character, Esc 27, F1..F12 112..123; 0 for keys the program never asks about.
int VirtualKeyOf(const QKeyEvent &event);

}  // namespace tiv
