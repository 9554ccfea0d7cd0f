// Writes the fuzzer's seed corpus into the folder given: the state of a
// fresh instance, of each factory preset and an old stream without joystick
// fields.
#include "StateDriver.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace
{
bool write(const std::string& path, const std::vector<char>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    StateDriver driver;
    if (!driver.ready())
        return 1;
    bool ok = write(folder + "/fresh.state", driver.state());
    for (int p = 0; p < 16; ++p)
    {
        driver.selectPreset(p);
        auto bytes = driver.state();
        ok = write(folder + "/preset" + std::to_string(p) + ".state", bytes) && ok;
        if (p == 15)
        {
            // Version 0: the same fields without the joystick.
            bytes.assign(8, 0);
            const auto full = driver.state();
            bytes.insert(bytes.end(), full.begin() + 8, full.end() - 8);
            ok = write(folder + "/version0.state", bytes) && ok;
        }
    }
    return ok ? 0 : 1;
}
