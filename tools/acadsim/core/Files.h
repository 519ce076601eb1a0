// Files the stand-in writes: drawings (SAVEAS) and DXF (DXFOUT, SAVEAS in DXF format).
#pragma once

#include <string>

#include "Command.h"

namespace acadsim {

// A full Windows path with a drive or share, a file name and no character Windows refuses.
bool validPath(const std::wstring& path);
// What the user typed at a file-name prompt, made a full path with the given extension.
std::wstring completePath(const std::wstring& typed, const std::wstring& folder, const std::wstring& ext);

// The stand-in's drawing file: the DWG magic of the format, then a readable summary.
std::string drawingBytes(const Session& s, const Drawing& d, const std::wstring& format);
// An ASCII DXF of the drawing; version "2018" … "2000" or "R12". False when a text has no
// form in the file's code page.
bool dxfBytes(Session& s, const Drawing& d, const std::wstring& version, int precision, std::string& out);

// Writes the drawing (DXF when format is "DXF") and makes path and format the drawing's own.
// A read-only target raises the write-protection dialog instead; false when nothing was written.
bool saveDrawing(Ctx& ctx, const std::wstring& path, const std::wstring& format);
// DXFOUT's write: the drawing keeps its path.
bool exportDxf(Ctx& ctx, const std::wstring& path, const std::wstring& version, int precision);

DialogPlan writeProtectDialog(const Session& s, const std::wstring& path);

}  // namespace acadsim
