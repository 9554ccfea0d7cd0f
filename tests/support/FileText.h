#pragma once

#include <string>

// A whole file's bytes; empty when it cannot be read.
std::string fileText(const std::string& path);
