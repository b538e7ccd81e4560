#pragma once

namespace ryv {

// The program's entry for the command line. IsCommandLine tells from the
// process arguments whether to take it; RunCommandLine then builds what a
// report needs (no window, no display: QtCore alone, and for PDF the
// offscreen platform), runs it and returns the exit code.
bool IsCommandLine(int argc, char* argv[]);
int RunCommandLine(int argc, char* argv[]);

} // namespace ryv
