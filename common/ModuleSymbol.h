#pragma once

namespace tiv {

// A symbol of one of the program's modules, looked for beside the program (a build), then where
// an install puts it (`fromBin`, relative to the program's folder), then where this build made it
// (`buildPath`: the tests, which run from folders of their own). Null when none has it.
void *ModuleSymbol(const char *fileName, const char *fromBin, const char *buildPath, const char *symbol);

}  // namespace tiv
