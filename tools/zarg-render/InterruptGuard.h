#pragma once

#include <csignal>

// While it lives, SIGINT and SIGTERM only raise a flag, so a render stops
// between two blocks and its unfinished file is removed instead of left
// behind. The previous handlers come back when it goes.
class InterruptGuard
{
public:
    InterruptGuard();
    ~InterruptGuard();

    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

    const volatile std::sig_atomic_t* flag() const { return &raised; }

private:
    static void onSignal(int);
    static volatile std::sig_atomic_t raised;

    struct sigaction previousInt = {};
    struct sigaction previousTerm = {};
};
