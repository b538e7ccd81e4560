#pragma once

#include <QRect>

namespace ryv {

class TIniFile;

// The main window's keys of [window] in the settings file.
struct TWindowPlacement final {
    bool hasBounds = false; // left, top, width, height below count
    QRect bounds; // the normal bounds (before compact mode, when compact)
    bool max = false;
    bool pinned = false;
    bool compact = false;
};

// Reads [window]. The stored bounds count only when the key max exists (a
// file written by the program always has it); each missing bound takes its
// value from defaults, and so does every bound when max is missing. A bound
// that no screen could show (a size below 1, a size or position beyond
// MaxStoredSize) counts as missing; fitting the rest to the screens is
// VisiblePlacement's.
TWindowPlacement ReadWindowPlacement(const TIniFile& ini, const QRect& defaults);
// Writes max, left, top, width, height, pinned, compact in this order; the
// four bounds only when placement.hasBounds.
void WriteWindowPlacement(TIniFile& ini, const TWindowPlacement& placement);

} // namespace ryv
