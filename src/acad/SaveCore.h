// Window-free rules of saving a drawing through SAVEAS: the read-only checks made before anything
// is written, and the confirmation of a save under a given path from AutoCAD's history.
#pragma once

#include <string>

namespace sb::acad {

// What the file system says about a path.
struct FileFacts {
    bool Exists = false;
    bool ReadOnly = false;
};

// The error line that stops the save before the name is typed, or empty when it may go on.
// Current: the path AutoCAD proposed (used when TargetPath is empty); Target: TargetPath's facts.
std::wstring SaveFileCheckMessage(const std::wstring& TargetPath, const FileFacts& Current, const FileFacts& Target);

enum class SaveConfirm { Ok, PathNotFound, Invalid };
// With a path given: the last occurrence of Path in the full history must exist, and AutoCAD must
// not have answered "無効です" after it.
SaveConfirm SaveHistoryConfirm(const std::wstring& History, const std::wstring& Path);

inline const wchar_t* const kUntitledDrawingText = L"名前の付いていない図面です。";
inline const wchar_t* const kSaveOptionText = L"ファイル保存に失敗しました。オプションが不正である可能性があります";
inline const wchar_t* const kSaveNoNameText = L"ファイル保存に失敗しました。ファイル名の取得失敗しています。";
inline const wchar_t* const kSaveCurrentReadOnlyText =
    L"ファイル保存に失敗しました。現在のファイルが読み込み専用ファイルのため上書き保存できません。";
inline const wchar_t* const kSaveTargetReadOnlyText =
    L"ファイル保存に失敗しました。既存のファイルが読み込み専用ファイルのため上書き保存できません。";
inline const wchar_t* const kSaveWriteProtectedText = L"ファイル保存に失敗しました。書込禁止のファイルだったと思われます。";
inline const wchar_t* const kSamePromptText = L"ファイル保存に失敗しました。同じプロンプトを繰り返しています。";
inline const wchar_t* const kSaveConfirmText = L"ファイル保存の確認に失敗しました";
inline const wchar_t* const kSaveBadPathText = L"ファイル保存に失敗しました。パス名が不正の可能性があります";

}  // namespace sb::acad
