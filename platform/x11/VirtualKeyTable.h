#pragma once

#include <cstdint>

namespace tiv::x11 {

// The X keysym of one of the program's virtual-key codes; 0 when no key has that code.
uint32_t keysymForVirtualKey(unsigned virtualKey);

}  // namespace tiv::x11
