// TMainForm: the program's only window. It owns one component of each kind, shows the pages on
// which the user picks an operation, and runs that operation on the main thread from start to end.
#pragma once

#include <windows.h>

#include <exception>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "acad/AcadVer4.h"
#include "app/MainFormLayout.h"
#include "common/SortVer4.h"
#include "settings/IniVer4.h"
#include "log/LogVer4.h"

class TMainForm {
public:
    explicit TMainForm(HINSTANCE instance);
    ~TMainForm();
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    // Creates and shows the window; false when the window could not be created.
    bool Create(int showCommand);
    HWND Handle() const { return FHandle; }
    // One message of the program's loop: keyboard navigation, Esc, then dispatch.
    void HandleMessage(MSG& msg);

    // Event handlers (main thread).
    void FormCreate();
    void FormShow();
    void StartButtonClick(int buttonId);
    void StopButtonClick();
    void AppEndButtonClick();
    bool FormCloseQuery();
    void FormClose();
    void FormDestroy();
    void LogLogJumpDemand();
    void LogMainJumpDemand();
    void HomePageLinkLabelLinkClick(const std::wstring& link);
    void IniSave(TIniVer4& ini, int index, int mode);
    void IniLoad(TIniVer4& ini, int index, int mode);

    // Methods.
    void MainRoutine(int buttonId);
    void FormRefresh();
    void SubFormShow();
    void SubIconDelete(TDrawWindowListVer4& DrawList);
    void SubOpenWindow(TDrawWindowListVer4& DrawList);
    bool SubRowLength(TDrawWindowListVer4& DrawList, int LineCount, bool LineMode);
    bool SubAllZoom(TDrawWindowListVer4& DrawList, int Mode);
    bool SubAllSave(TDrawWindowListVer4& DrawList);
    bool SubNoIcon(TDrawWindowListVer4& DrawList);

    // State, for the end-to-end tests and the operations.
    bool RunFlag() const { return FRunFlag; }
    HWND Control(int id) const;
    bool Checked(int id) const;
    std::wstring Hint(int id) const;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code, HWND control);
    void OnNotify(const NMHDR& header);
    void CreateFonts();
    void CreateControls();
    void LayoutControls();
    void CreateToolTips();
    void HelpButtonClick();
    void RunSeting();
    void StopSeting();
    void ReportInternalError(const char* what);
    void CreateComponents();
    void ShowPage(int tabControlId, int index);
    int PageIndex(int tabControlId) const;
    void ProcessMessages();
    int Scale(int value) const;
    std::wstring Caption(int id) const;
    std::wstring ExeSiblingPath(const wchar_t* extension) const;
    void FinishPendingClose();
    void RunSteps(int buttonId);
    // Runs body; whatever it throws becomes an internal-error line, never leaves the runner.
    template <class Body>
    void Guarded(Body&& body) {
        try {
            body();
        } catch (const std::exception& e) {
            ReportInternalError(e.what());
        } catch (...) {
            ReportInternalError("unknown");
        }
    }
    void LearnPathsFromMemory(TDrawWindowListVer4& DrawList);
    void LearnPathsFromAutoCad(TDrawWindowListVer4& DrawList);
    void SortByFileName(TDrawWindowListVer4& DrawList);

    HINSTANCE FInstance;
    HWND FHandle = nullptr;
    HWND FToolTip = nullptr;
    struct FontDeleter {
        void operator()(HFONT font) const { if (font) DeleteObject(font); }
    };
    std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter> FFont;
    std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter> FBoldFont;
    int FDpi = 96;
    std::map<int, HWND> FControls;
    std::map<int, std::vector<int>> FPages;  // tab control id -> its page ids in order
    std::map<int, HWND> FGroupFrames;        // group id -> its frame
    std::map<int, std::wstring> FHints;      // control id -> hint text

    // Components, one of each kind, living as long as the window.
    std::unique_ptr<TLogVer4> Log;
    std::unique_ptr<TIniVer4> Ini;
    std::unique_ptr<TAcadMasterVer4> AcadMaster;
    std::unique_ptr<TAcadVer4> Acad;
    std::unique_ptr<TSortVer4> SortItem;

    // Fields.
    std::vector<std::wstring> SortList;
    bool FormShowMemory = false;
    bool FRunFlag = false;
    int BackupPage = -1;
    HWND BackHandle = nullptr;
    TDrawWindowListVer4 BackList;
    bool FClosePending = false;  // closed during a run: finish the close after the end steps
    bool FMasterStarted = false;
};
