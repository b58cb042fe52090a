#pragma once

namespace tiv {

// The window designs name Windows fonts ("黑体", "宋体", "MS Sans Serif", "Courier New"). Map each
// to an installed font of the same kind, so Chinese text never falls to a font without its glyphs.
// Called once, when the application object is made.
void InstallFontSubstitutions();

}  // namespace tiv
