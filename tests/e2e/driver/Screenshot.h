// The whole screen as a 24-bit BMP file.
#pragma once

#include <string>

namespace e2e {

bool screenshot(const std::wstring& bmpPath);

}  // namespace e2e
