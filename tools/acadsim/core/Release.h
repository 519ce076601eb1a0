// What differs between the releases the stand-in can play.
#pragma once

#include "Model.h"

namespace acadsim {

bool isKnownYear(int year);
std::wstring defaultTitle(int year, bool lt);
std::wstring defaultAcadver(int year);
// File formats the release can save in, oldest first ("R14", "2000", ...).
std::vector<std::wstring> saveFormats(const Release& r);
// The DWG header magic of a file format ("AC1032" for 2018).
std::wstring dwgMagic(const std::wstring& format);

}  // namespace acadsim
