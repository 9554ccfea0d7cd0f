#include "InterruptGuard.h"

volatile std::sig_atomic_t InterruptGuard::raised = 0;

void InterruptGuard::onSignal(int)
{
    raised = 1;
}

InterruptGuard::InterruptGuard()
{
    raised = 0;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previousInt);
    sigaction(SIGTERM, &action, &previousTerm);
}

InterruptGuard::~InterruptGuard()
{
    sigaction(SIGINT, &previousInt, nullptr);
    sigaction(SIGTERM, &previousTerm, nullptr);
}
