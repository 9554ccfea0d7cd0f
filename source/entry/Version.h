#pragma once

#include <cstdint>

// Product identity shared by the factory, the bundle and the editor.
#define ZARG_VENDOR "Velmora"
#define ZARG_URL "https://velmora.example"
#define ZARG_PRODUCT "ZARG"
#define ZARG_VERSION "0.0.1.0"
// The factory's e-mail field carries the product and version, not an address.
#define ZARG_EMAIL ZARG_PRODUCT " " ZARG_VERSION
#define ZARG_SUBCATEGORIES "FX|Distortion"
#define ZARG_SDK_VERSION "VST 3.6.6"

// The unique id VST2 hosts know the effect by: four characters, the first in the top byte.
constexpr int32_t kZargVst2UniqueId = ('Z' << 24) | ('r' << 16) | ('g' << 8) | 'V';
