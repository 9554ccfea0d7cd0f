#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

// Builds and patches state streams byte by byte, little-endian, so that the
// tests state the format independently of the code that writes it.
class StateBytes
{
public:
    StateBytes& int64(int64_t v) { return put(v); }
    StateBytes& int16(int16_t v) { return put(v); }
    StateBytes& uint32(uint32_t v) { return put(v); }
    StateBytes& float32(float v) { return put(v); }

    const std::vector<char>& bytes() const { return data; }

    template <typename T>
    static T read(const std::vector<char>& bytes, size_t offset)
    {
        T v{};
        std::memcpy(&v, bytes.data() + offset, sizeof v);
        return v;
    }
    template <typename T>
    static void write(std::vector<char>& bytes, size_t offset, T v)
    {
        std::memcpy(bytes.data() + offset, &v, sizeof v);
    }

private:
    template <typename T>
    StateBytes& put(T v)
    {
        static_assert(std::endian::native == std::endian::little);
        const auto* p = reinterpret_cast<const char*>(&v);
        data.insert(data.end(), p, p + sizeof v);
        return *this;
    }

    std::vector<char> data;
};

// Layout of this product's 114-byte state.
namespace StateLayout
{
constexpr int kControls = 24;
constexpr size_t kVersion = 0;
constexpr size_t control(int index)
{
    return 8 + 4 * static_cast<size_t>(index);
}
constexpr size_t kBypass = 8 + 4 * kControls;
constexpr size_t kJoystickX = kBypass + 2;
constexpr size_t kJoystickY = kJoystickX + 4;
constexpr size_t kSize = kJoystickY + 4;
static_assert(kSize == 114);
// Controls 9..18 and 23 are index controls (uint32), the others float.
constexpr bool isIndex(int index)
{
    return (index >= 9 && index <= 18) || index == 23;
}
} // namespace StateLayout
