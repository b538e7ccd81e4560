#pragma once

namespace ryv {

// How many modal windows of ours are open: message boxes and confirmations,
// the task dialog, save dialogs, the group dialog, the About box. Each runs
// a nested event loop in which the timers go on firing, so the clock may pass
// midnight while the user still looks at a box; the change of date waits
// until none is open, because it rebuilds today's log under a command that
// still holds the entry it asked about. The program keeps one count: the
// engine counts the boxes it opens through its ports, the window and its
// ports those they open themselves (counting one box twice does no harm).
class TModalCount final {
public:
    TModalCount() = default;
    TModalCount(const TModalCount&) = delete;
    TModalCount& operator=(const TModalCount&) = delete;

    bool IsOpen() const { return FDepth > 0; }

    // Counts one modal window for its lifetime; open it right before the
    // window's event loop starts.
    class TScope final {
    public:
        explicit TScope(TModalCount& count)
            : FCount(count)
        {
            ++FCount.FDepth;
        }
        ~TScope() { --FCount.FDepth; }
        TScope(const TScope&) = delete;
        TScope& operator=(const TScope&) = delete;

    private:
        TModalCount& FCount;
    };

private:
    int FDepth = 0;
};

} // namespace ryv
