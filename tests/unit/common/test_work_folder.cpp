// The work folder beside the test program: created with its note, cleaned of leftovers only when it
// is ours, files in use kept.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/WorkFolderVer4.h"

namespace {

const std::wstring kNote = L"このフォルダに関する注意事項.txt";

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void Touch(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
}

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

class WorkFolder : public ::testing::Test {
protected:
    void SetUp() override { RemoveTree(folder); }
    void TearDown() override { RemoveTree(folder); }
    const std::wstring folder = WorkFolderPath();
};

TEST_F(WorkFolder, LiesBesideTheProgram) {
    wchar_t exe[MAX_PATH]{};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring expected = exe;
    expected = expected.substr(0, expected.find_last_of(L'\\')) + L"\\WorkFolder";
    EXPECT_EQ(folder, expected);
}

TEST_F(WorkFolder, IsCreatedWithItsNoteFile) {
    ASSERT_TRUE(WorkFolderPrepare(nullptr, false));
    ASSERT_TRUE(Exists(folder + L"\\" + kNote));
    std::ifstream in(std::filesystem::path(folder + L"\\" + kNote), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xFE);
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    EXPECT_EQ(text.rfind(L"このフォルダは一時作業ファイルを作成する為のフォルダです。\r\n", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 17), L"ファイルを置かないでください。\r\n");
}

TEST_F(WorkFolder, LeftoversGoNoteSubFolderAndFilesInUseStay) {
    ASSERT_TRUE(WorkFolderPrepare(nullptr, false));
    Touch(folder + L"\\old.dxf");
    Touch(folder + L"\\busy.dxf");
    ASSERT_TRUE(CreateDirectoryW((folder + L"\\sub").c_str(), nullptr));
    HANDLE busy = CreateFileW((folder + L"\\busy.dxf").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(busy, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(WorkFolderPrepare(nullptr, false));
    CloseHandle(busy);
    EXPECT_FALSE(Exists(folder + L"\\old.dxf"));
    EXPECT_TRUE(Exists(folder + L"\\busy.dxf"));
    EXPECT_TRUE(Exists(folder + L"\\sub"));
    EXPECT_TRUE(Exists(folder + L"\\" + kNote));
}

TEST_F(WorkFolder, ExtModeDeletesOnlyOutputKinds) {
    ASSERT_TRUE(WorkFolderPrepare(nullptr, false));
    Touch(folder + L"\\plot.pdf");
    Touch(folder + L"\\plan.dwfx");
    Touch(folder + L"\\keep.dxf");
    EXPECT_TRUE(WorkFolderPrepare(nullptr, true));
    EXPECT_FALSE(Exists(folder + L"\\plot.pdf"));
    EXPECT_FALSE(Exists(folder + L"\\plan.dwfx"));
    EXPECT_TRUE(Exists(folder + L"\\keep.dxf"));
}

TEST_F(WorkFolder, AFolderWeDidNotMakeKeepsItsFiles) {
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    Touch(folder + L"\\users-drawing.dwg");
    EXPECT_TRUE(WorkFolderPrepare(nullptr, false));
    EXPECT_TRUE(Exists(folder + L"\\users-drawing.dwg"));
}

TEST_F(WorkFolder, AFileInItsPlaceFails) {
    Touch(folder);
    EXPECT_FALSE(WorkFolderPrepare(nullptr, false));
    DeleteFileW(folder.c_str());
}

TEST(FileInUseTest, MissingFreeAndLocked) {
    const std::wstring path = WorkFolderPath() + L"-inuse.tmp";
    EXPECT_FALSE(FileInUse(path));
    Touch(path);
    EXPECT_FALSE(FileInUse(path));
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_TRUE(FileInUse(path));
    CloseHandle(h);
    DeleteFileW(path.c_str());
}

}  // namespace

namespace {

class WorkFiles : public ::testing::Test {
protected:
    void SetUp() override { RemoveTree(folder); }
    void TearDown() override { RemoveTree(folder); }
    int FileCount() {
        int n = 0;
        WIN32_FIND_DATAW data{};
        HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return 0;
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
        } while (FindNextFileW(find, &data));
        FindClose(find);
        return n;
    }
    const std::wstring folder = WorkFolderPath() + L"-files\\deeper";
    ~WorkFiles() override { RemoveDirectoryW((WorkFolderPath() + L"-files").c_str()); }
};

TEST_F(WorkFiles, TempFileCreatesItsFolderAndAnEmptyFile) {
    std::wstring path = L"stale";
    ASSERT_TRUE(TempFileCreate(folder, L"Sb", path));
    EXPECT_EQ(path.rfind(folder + L"\\Sb", 0), 0u);
    EXPECT_TRUE(Exists(path));
    path = L"stale";
    EXPECT_FALSE(TempFileCreate(L"", L"Sb", path));
    EXPECT_TRUE(path.empty());
}

TEST_F(WorkFiles, UniqueNameTakesTheFirstFreeNumberAndLeavesNoReservation) {
    ASSERT_TRUE(CreateDirectoryW((WorkFolderPath() + L"-files").c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    Touch(folder + L"\\SbAcad0001.DXF");
    Touch(folder + L"\\SbAcad0002.DXF");
    std::wstring path;
    ASSERT_TRUE(UniqueFileName(folder, L"SbAcad", L"DXF", false, path));
    EXPECT_EQ(path, folder + L"\\SbAcad0003.DXF");
    EXPECT_TRUE(Exists(path));
    EXPECT_EQ(FileCount(), 3);  // the temporary reservation became the file

    ASSERT_TRUE(UniqueFileName(folder, L"Plot", L"PDF", true, path));
    EXPECT_EQ(path, folder + L"\\Plot.PDF");
    ASSERT_TRUE(UniqueFileName(folder, L"Plot", L"PDF", true, path));
    EXPECT_EQ(path, folder + L"\\Plot0001.PDF");
}

TEST_F(WorkFiles, AllNamesTakenFailsWithoutLeavingAFile) {
    std::wstring path;
    ASSERT_TRUE(TempFileCreate(folder, L"x", path));
    DeleteFileW(path.c_str());
    for (int i = 1; i <= 300; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"\\Full%04d.DXF", i);
        Touch(folder + name);
    }
    EXPECT_FALSE(UniqueFileName(folder, L"Full", L"DXF", false, path));
    EXPECT_TRUE(path.empty());
    EXPECT_EQ(FileCount(), 300);
}

}  // namespace
