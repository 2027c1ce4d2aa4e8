#pragma once
// The drag test of a mouse press in the entry list, kept free of the toolkit so that its
// timing rules can be checked with made-up clocks. A move out of the drag rectangle counts
// only from 200 ms after the press; holding still (no input at all) for 500 ms counts too.
// Release, Escape and a lost capture end the test without a drag.
#include <cstdint>
#include <cstdlib>

namespace vornix {

class DragGesture {
  public:
    enum class State { Idle, Watching, Started, Cancelled };
    static constexpr std::int64_t kMoveDelayMs = 200;
    static constexpr std::int64_t kHoldMs = 500;

    // dragWidth and dragHeight: the system's drag rectangle, centred on the press.
    void begin(int x, int y, std::int64_t nowMs, int dragWidth, int dragHeight) {
        x0_ = x;
        y0_ = y;
        start_ = lastInput_ = nowMs;
        halfW_ = dragWidth / 2 > 0 ? dragWidth / 2 : 1;
        halfH_ = dragHeight / 2 > 0 ? dragHeight / 2 : 1;
        state_ = State::Watching;
    }

    State move(int x, int y, std::int64_t nowMs) {
        if (state_ != State::Watching)
            return state_;
        lastInput_ = nowMs;
        const bool outside = std::abs(x - x0_) > halfW_ || std::abs(y - y0_) > halfH_;
        if (outside && nowMs - start_ >= kMoveDelayMs)
            state_ = State::Started;
        return state_;
    }

    // Any other input (a key other than Escape): the hold starts again.
    State input(std::int64_t nowMs) {
        if (state_ == State::Watching)
            lastInput_ = nowMs;
        return state_;
    }

    // Called when the hold timer fires: starts the drag if nothing arrived for 500 ms.
    State idle(std::int64_t nowMs) {
        if (state_ == State::Watching && nowMs - lastInput_ >= kHoldMs)
            state_ = State::Started;
        return state_;
    }

    // Release, Escape, lost capture.
    void cancel() {
        if (state_ == State::Watching)
            state_ = State::Cancelled;
    }
    void reset() { state_ = State::Idle; }

    State state() const { return state_; }
    bool watching() const { return state_ == State::Watching; }
    // When the hold would complete if nothing else arrives.
    std::int64_t holdDeadline() const { return lastInput_ + kHoldMs; }

  private:
    State state_ = State::Idle;
    int x0_ = 0, y0_ = 0, halfW_ = 1, halfH_ = 1;
    std::int64_t start_ = 0, lastInput_ = 0;
};

} // namespace vornix
