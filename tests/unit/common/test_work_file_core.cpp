// Work-file names without a file system: the candidate sequence of a unique name, extension
// changes, and the folder test that keeps .BAK deletion inside the work folder.
#include <gtest/gtest.h>

#include <cwctype>
#include <string>

#include "common/WorkFileCore.h"

using namespace sb::common;

namespace {

std::wstring AsciiUpperMap(const std::wstring& s) {
    std::wstring r = s;
    for (wchar_t& c : r) c = static_cast<wchar_t>(std::towupper(c));
    return r;
}

TEST(UniqueCandidateNameTest, NumbersRunFrom0001To0300OrStartUnnumbered) {
    struct Case { bool noNumberFirst; int index; const wchar_t* expected; };
    const Case cases[] = {
        {false, 0, L"C:\\w\\SheetbayAcad0001.DXF"},
        {false, 1, L"C:\\w\\SheetbayAcad0002.DXF"},
        {false, 299, L"C:\\w\\SheetbayAcad0300.DXF"},
        {true, 0, L"C:\\w\\SheetbayAcad.DXF"},
        {true, 1, L"C:\\w\\SheetbayAcad0001.DXF"},
        {true, 299, L"C:\\w\\SheetbayAcad0299.DXF"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UniqueCandidateName(L"C:\\w", L"SheetbayAcad", L"DXF", c.noNumberFirst, c.index), c.expected)
            << c.noNumberFirst << " " << c.index;
}

TEST(ChangeFileExtTest, OnlyTheFileNamesExtensionChanges) {
    struct Case { const wchar_t* path; const wchar_t* expected; };
    const Case cases[] = {
        {L"C:\\w\\plan.dxf", L"C:\\w\\plan.BAK"},
        {L"C:\\w\\plan.v2.dwg", L"C:\\w\\plan.v2.BAK"},
        {L"C:\\my.folder\\plan", L"C:\\my.folder\\plan.BAK"},  // the folder's dot is no extension
        {L"plan", L"plan.BAK"},
    };
    for (const Case& c : cases) EXPECT_EQ(ChangeFileExt(c.path, L".BAK"), c.expected) << c.path;
    EXPECT_EQ(ExtractFileName(L"C:\\w\\sub/plan.dxf"), L"plan.dxf");
    EXPECT_EQ(ChangeFileExtToNone(L"Sheetbay.exe"), L"Sheetbay");
}

TEST(IsDirectlyInFolderTest, SameFolderOnlyWhateverTheCaseAndSeparators) {
    struct Case { const wchar_t* path; bool inside; };
    const Case cases[] = {
        {L"C:\\App\\WorkFolder\\SheetbayAcad0001.DXF", true},
        {L"c:/app/workfolder/x.dxf", true},
        {L"C:\\App\\WorkFolder\\sub\\x.dxf", false},
        {L"C:\\App\\WorkFolderX\\x.dxf", false},
        {L"C:\\Users\\me\\plan.dxf", false},
        {L"x.dxf", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsDirectlyInFolder(c.path, L"C:\\App\\WorkFolder\\", AsciiUpperMap), c.inside) << c.path;
}

}  // namespace
