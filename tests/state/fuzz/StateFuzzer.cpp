// libFuzzer entry: arbitrary bytes restored on both sides, before activation
// and again while active, each followed by one rendered block whose output
// must be finite. Creating the pedal costs most of a run, so one instance
// serves every input; it returns to its first state before each.
#include "StateDriver.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Streams longer than a state only repeat what the first bytes test.
    if (size > 4096)
        return -1;
    static StateDriver driver;
    static const std::vector<char> initial = driver.state();
    if (!driver.ready() || initial.empty())
        std::abort();

    driver.setActive(false);
    driver.restore(reinterpret_cast<const uint8_t*>(initial.data()), initial.size());
    driver.restore(data, size);
    driver.setActive(true);
    if (!driver.renderFinite())
        std::abort();
    driver.restore(data, size);
    if (!driver.renderFinite())
        std::abort();
    return 0;
}
