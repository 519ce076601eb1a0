// Window-free rules of the release identification: the answers of the VERSION and ACADVER system
// variables mapped to a release, the command prompt's width before 2007, and which release a
// caller should assume.
#pragma once

#include <string>

namespace sb::acad {

// Each row whose text the answer contains sets the result, so a later row wins; "R14" is tested
// last. 0 when no row matched.
int VersionFromVersionVar(const std::wstring& Answer);
int VersionFromAcadVer(const std::wstring& Answer);

// The command prompt read after two cancels on a release before 2007: 2002 when it begins with
// the half-width form, 2004 with the full-width form, 0 otherwise.
int VersionFromCommandPrompt(const std::wstring& Prompt);

// The release a caller keeps: the identified one; otherwise DefaultVersion unless the estimate
// contradicts it about being a Unicode release (2007 or later).
int ChooseVersion(bool FlagVersionCheck, bool FlagVersionIdentification, int CadVersion, int DefaultVersion);

}  // namespace sb::acad
