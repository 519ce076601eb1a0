// Sheetbay.exe under Wine: every operation start prepares the work folder beside the program —
// created with its note file the first time, then cleaned of leftovers, keeping the note file,
// sub-folders and a file that is in use.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "e2e/driver/TempDir.h"
#include "e2e/driver/Wait.h"
#include "e2e/sheetbay/SheetbayApp.h"

namespace {

const std::wstring kNote = L"このフォルダに関する注意事項.txt";

TEST(WorkFolderE2E, OperationStartCreatesThenCleansTheWorkFolder) {
    e2e::TempDir dir{L"sb-workfolder"};
    ASSERT_TRUE(dir.valid());
    e2e::SheetbayApp app{SHEETBAY_EXE, dir.path()};
    std::wstring error;
    ASSERT_TRUE(app.start(error)) << e2e::toUtf8(error);
    const std::wstring folder = dir.file(L"WorkFolder");

    ASSERT_TRUE(app.run(L"横2列に並べる"));
    EXPECT_TRUE(app.logHas(L"作業フォルダを作成します"));
    ASSERT_TRUE(e2e::fileExists(folder + L"\\" + kNote));

    ASSERT_TRUE(e2e::writeTextFile(folder + L"\\SheetbayAcad0001.DXF", ""));
    ASSERT_TRUE(e2e::writeTextFile(folder + L"\\busy.dxf", ""));
    ASSERT_TRUE(CreateDirectoryW((folder + L"\\sub").c_str(), nullptr));
    ASSERT_TRUE(e2e::writeTextFile(folder + L"\\sub\\inner.dxf", ""));
    HANDLE busy = CreateFileW((folder + L"\\busy.dxf").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(busy, INVALID_HANDLE_VALUE);
    const bool ran = app.run(L"横2列に並べる");
    CloseHandle(busy);
    ASSERT_TRUE(ran);
    EXPECT_TRUE(app.logHas(L"作業フォルダ内の残骸を削除します"));
    EXPECT_TRUE(app.logHas(L"SheetbayAcad0001.DXFを削除します"));
    EXPECT_TRUE(app.logHas(L"busy.dxfは使用中のため削除しません"));
    EXPECT_FALSE(app.logHas(L"作業フォルダを作成します"));
    EXPECT_FALSE(e2e::fileExists(folder + L"\\SheetbayAcad0001.DXF"));
    EXPECT_TRUE(e2e::fileExists(folder + L"\\busy.dxf"));
    EXPECT_TRUE(e2e::fileExists(folder + L"\\sub\\inner.dxf"));
    EXPECT_TRUE(e2e::fileExists(folder + L"\\" + kNote));
    EXPECT_TRUE(app.close());
}

}  // namespace
