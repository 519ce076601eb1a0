// TAcadVer4: the automation component that drives AutoCAD from outside. One class; its definition
// is split by concern over AcadVer4.cpp (life cycle), AcadSearch.cpp (finding AutoCAD),
// AcadDrawWindows.cpp (drawing list), AcadWait.cpp (waits, stop and compulsion), and the files of
// the later concerns (link, activation, sending, prompts, variables, zoom, tabs, DXF, save).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "acad/AcadMasterVer4.h"
#include "acad/AcadSubVer4.h"
#include "acad/CadBackUpVer4.h"
#include "acad/CompulsionCore.h"
#include "log/LogAccessVer4.h"

class TLogVer4;
struct TEnumWindowVer4;

class TAcadVer4 {
public:
    TAcadVer4(TLogVer4* Log, const std::wstring& LogName);
    ~TAcadVer4();
    TAcadVer4(const TAcadVer4&) = delete;
    TAcadVer4& operator=(const TAcadVer4&) = delete;

    TLogAccessVer4& Log() { return FLog; }
    TAcadMasterVer4* Master() const { return FMaster; }
    void Master(TAcadMasterVer4* Value) { FMaster = Value; }

    unsigned WaitTime_Active() const { return FWaitTime_Active; }
    void WaitTime_Active(int Value) { FWaitTime_Active = Value < 0 ? 0u : static_cast<unsigned>(Value); }
    unsigned WaitTime_Command() const { return FWaitTime_Command; }
    void WaitTime_Command(int Value) { FWaitTime_Command = Value < 0 ? 0u : static_cast<unsigned>(Value); }

    // The window whose visibility OpenWindowWait may raise while a dialog is pending (the main
    // window); none by default. OwnerShowAllowed, when set and false (a close is pending), keeps
    // the waits from showing it again.
    void Owner(HWND Value) { FOwner = Value; }
    std::function<bool()> OwnerShowAllowed;

    HWND LinkHandle() const { return FLinkHandle; }
    bool Success() const { return FSuccess; }

    // Drawing windows, active drawing and waits.
    bool DrawWindowList(TDrawWindowListVer4& DrawList, bool Mode, bool TempCut);
    int DrawWindowCount();
    bool GetActiveHandle(HWND& Handle, bool Mode, bool DebugLog);
    void Wait(unsigned WaitTime);
    void ActiveWait(int LogMode);
    void CommandWait(int LogMode, bool NoLog);
    bool OpenWindowWait(int LogMode, bool DebugLog);

private:
    friend struct TAcadVer4TestAccess;

    // Finding AutoCAD.
    bool MasterLinkCheck();
    bool AcadHandleSearch(bool Silent);
    void MainWindowCheck(const TEnumWindowVer4& Item);
    void TextWindowCheck(const TEnumWindowVer4& Item);

    bool ActiveCheck(HWND Handle);

    // Stop and compulsion mode.
    void CompulsionClear();
    void SetCompulsionMode(bool Value);
    bool CompulsionCheck();
    bool StopCheck();
    // One pass over the main thread's pending messages.
    void ProcessMessages();

    TLogAccessVer4 FLog;
    TAcadMasterVer4* FMaster = nullptr;
    HWND DialogForm = nullptr;  // helper form of the further automation features
    HWND FLinkHandle = nullptr;
    HWND FLastMainHandle = nullptr;
    std::wstring FLinkPath;
    std::wstring FLinkOriginalPath;
    bool FLinkFileOpen = false;
    bool FLinkFileCopy = false;
    int FLinkMode = 0;
    bool FLinkFreeAutoBackUp = false;
    bool FLinkFreeAutoClose = true;
    bool FLinkFreeAutoSave = true;
    bool FLinkFreeAutoDelete = true;
    bool FLinkReadOnlyPermission = false;
    void* FAutoBackUpSelect = nullptr;  // backup selector of the further automation features
    bool FSuccess = false;
    std::vector<std::wstring> FilterList;
    std::wstring DxfOutUniqueFile;
    unsigned FWaitTime_Active = 500;
    unsigned FWaitTime_Command = 300;
    // FCompulsionMode, CompulsionBackMode, CompulsionStartLog, CompulsionCancelLog and
    // CompulsionBreakingCount, kept together for the window-free rules.
    sb::acad::CompulsionState FCompulsion;
    bool FReadOnlyLinkFlag = false;
    std::vector<std::wstring> DxfList;  // the DXF buffer's type comes with the DXF reader
    std::vector<std::wstring> UniqueFileList;
    std::wstring BeforeWmfOutPath;
    std::wstring BeforeDxfOutPath;

    HWND FOwner = nullptr;

    // ---- Command channel: activation, typing, reading and waiting for prompts ----
public:
    bool HandleActive(HWND Handle, bool DebugLog);
    bool LastActive();
    bool EscapeWait(int LogMode);

    bool acPostCommand(const std::wstring& Value, int LogMode, bool Original);
    bool acStepCommand(const std::wstring& Value, int LogMode, bool Original);
    bool acDirectCommand(const std::wstring& Value, int LogMode, bool Original);
    bool acPostEnter(int LogMode);
    bool acPostEscape(int LogMode);
    bool acActive(int LogMode);

    bool acGetPrompt(std::wstring& Value, bool HalfWidthMode, int LogMode, bool NoTrim);
    bool acGetPromptValue(std::wstring& Value, int LogMode, bool NoTrim);
    bool acGetHistory(std::wstring& Value, bool HalfWidthMode, int LogMode);
    bool acGetHistoryForClipboard(std::vector<std::wstring>& Value, bool HalfWidthMode, int LogMode);
    bool acGetLastHistoryForClipboard(std::wstring& Value, bool HalfWidthMode, int LogMode);
    bool acWaitPrompt(const std::wstring& TargetPrompt, int& Index, bool CommandErr, bool HalfWidthMode, int LogMode);
    bool acWaitPrompt(const std::wstring& TargetPrompt, bool CommandErr, bool HalfWidthMode, int LogMode);
    bool acWaitPrompt(int LogMode);
    bool acSkipPrompt(const std::wstring& TargetPrompt, int& Index, bool CommandErr, bool HalfWidthMode, int LogMode);
    bool acSkipPrompt(const std::wstring& TargetPrompt, bool CommandErr, bool HalfWidthMode, int LogMode);
    bool acSkipPrompt(int LogMode);
    bool acCommandLineCheck(int LogMode);
    bool acSendCommand(const std::wstring& Value, const std::wstring& TargetPrompt, int& Index, bool CommandErr,
                       bool HalfWidthMode, int LogMode, bool Original);
    bool acSendCommand(const std::wstring& Value, const std::wstring& TargetPrompt, bool CommandErr,
                       bool HalfWidthMode, int LogMode, bool Original);
    bool acSendCommand(const std::wstring& Value, int LogMode, bool Original);
    bool acStepWaitCommand(const std::wstring& Value, const std::wstring& TargetPrompt, int& Index, bool CommandErr,
                           bool HalfWidthMode, int LogMode, bool Original);
    bool acNecessaryEscape(int LogMode);
    // A piece of data (path, name, value) about to be put inside a command: false, with the error
    // logged, when it would type Enter or Cancel by itself.
    bool CommandDataCheck(const std::wstring& Piece);

private:
    bool LinkCheck(bool DebugLog);
    // Where LinkCheck releases a link whose window has gone: clears the link fields (the link's
    // full release, with its work files, takes this place once it exists).
    void LinkGoneRelease();
    void TextWindowAdjust();
    std::wstring PromptPrefixCut(const std::wstring& Text);
    bool SubGetPrompt(std::wstring& Value, bool HalfWidthMode, bool NoTrim, int LogMode);
    bool SubGetHistory(std::wstring& Value, bool HalfWidthMode, int LogMode);
    // Raw reads without log lines, one bounded attempt each. Hung: the window exists but did not
    // answer within the attempt, which is "not answered yet", never by itself a failure. Echo: the
    // command line shows only typing AutoCAD has not answered yet.
    enum class TReadResult { Ok, Hung, Failed };
    TReadResult ReadPrompt(std::wstring& Value, bool HalfWidthMode, bool NoTrim, bool* Echo = nullptr);
    TReadResult ReadHistory(std::wstring& Value, bool HalfWidthMode);
    // acGetPrompt's read and other-drawing guard: waits while AutoCAD has not answered yet (a read
    // that timed out, or the echo of what was typed) until the answer deadline; errors logged.
    bool CheckedPrompt(std::wstring& Value, bool HalfWidthMode, int LogMode, bool NoTrim);
    // One wait for an AutoCAD that has not answered yet, counted from Start. False when the wait
    // must end: Stop (Stopped set, nothing logged) or the answer deadline (a memo logged).
    struct TAnswerWait {
        ULONGLONG Start = GetTickCount64();
        bool Stopped = false;
        bool HungLogged = false;
    };
    bool AnswerPending(TAnswerWait& Wait);
    void NoAnswerMemo();
    // A raw read tried again while AutoCAD has not answered; Error logged when it gives up (not on Stop).
    bool ReadUntilAnswered(const std::function<TReadResult()>& Read, const wchar_t* Error);
    // As Wait, but wakes as soon as Handle (a thread) is signalled.
    void WaitHandle(HANDLE Handle, unsigned WaitTime);
    bool SubPostCommand(const std::wstring& Text, int LogMode, bool Asynchronous, bool ThreadWait);
    bool SubSendCommand(const std::wstring& Value, int LogMode, bool Original, bool Asynchronous, bool ThreadWait,
                        const std::wstring& Caption);
    bool CommandEndCheck();
    // The prompt-list rules with their Emergency line logged.
    bool PromptListSet(const std::wstring& TargetPrompt, std::vector<std::wstring>& List, std::wstring& Display);
    bool PromptListMatch(const std::wstring& Prompt, const std::vector<std::wstring>& List, int& Index);
    // The command prompt as alternative 0 of a wait's pattern.
    std::wstring CommandPromptPattern(bool HalfWidthMode) const;
    // A prompt wait's start, once the link holds: the command prompt and TargetPrompt as a list.
    bool PromptWaitList(const std::wstring& TargetPrompt, bool HalfWidthMode, std::vector<std::wstring>& List,
                        std::wstring& Display);
    // One round of a prompt wait: the stop request, a short wait, then the dialogs AutoCAD opened.
    bool PromptWaitRound(int LogMode);

    unsigned FSendTimeoutMs = 5000;                   // the sender's bound on AutoCAD taking a text
    // How long an AutoCAD that does not answer is waited for (slow is not hung: a regeneration of
    // 10 s must pass), and the bound of one cross-process read (the window stays responsive).
    unsigned FAnswerDeadlineMs = 30000;
    unsigned FReadAttemptMs = 500;
    // What AutoCAD still owes an answer to: the pieces of the text typed last. Main thread only.
    std::vector<std::wstring> FAwaitedPieces;
    // A dialog was seen since the prompt was last read (AutoCAD may have moved on when it closed),
    // and that prompt in half width, blanks shrunk. Main thread only.
    bool FDialogSeen = false;
    unsigned FDialogCyclesSeen = 0;  // the monitor's DialogCycles at that read
    std::wstring FLastSeenPrompt;
    std::function<void(int)> FClipboardBeforeAttempt;  // tests: called before each clipboard attempt

    // ---- System variables and undo, release, save and file path, link and work files ----
public:
    bool acGetSystemVar(const std::wstring& Target, std::wstring& RetValue, int LogMode, bool NoError);
    bool acSetSystemVar(const std::wstring& Target, const std::wstring& SetValue, std::wstring& RetValue,
                        bool& ChangeFlag, int LogMode);
    bool acSetSystemVar(const std::wstring& Target, const std::wstring& SetValue, std::wstring& RetValue, int LogMode);
    bool acSetSystemVar(const std::wstring& Target, const std::wstring& SetValue, int LogMode);
    bool acSetSystemVar(const std::wstring& Target, const std::wstring& SetValue, TCadBackUpListVer4& BackupList,
                        int LogMode);
    bool acUndoSystemVar(const TCadBackUpListVer4& BackupList, int LogMode);
    bool acUndoStart(int LogMode);
    bool acUndoEnd(int LogMode);
    bool acUndo(int RepeatCount, int LogMode);

    bool acVersionCheck(int LogMode, bool DebugLog);
    int acGetVersion(int DefaultVersion);

    bool acGetFilePath(std::wstring& Path, int LogMode);
    bool acSaveAs(const std::wstring& Path, const std::wstring& Option, int LogMode);
    bool acSaveAs(const std::wstring& Path, const std::wstring& Option, std::wstring& OrignalPath,
                  std::wstring& OrignalOption, int LogMode);

    bool ActiveLink();
    bool HandleLink(HWND Handle);
    bool LinkFree();
    bool UniqueFileCreate(std::wstring& Path, const std::wstring& FirstName, const std::wstring& TargetExt,
                          bool AutoDelete, int LogMode);
    void UniqueFileDelete(int LogMode);

    int LinkMode() const { return FLinkMode; }
    const std::wstring& LinkPath() const { return FLinkPath; }
    const std::wstring& LinkOriginalPath() const { return FLinkOriginalPath; }
    bool LinkFileOpen() const { return FLinkFileOpen; }
    bool LinkFileCopy() const { return FLinkFileCopy; }
    void Success(bool Value) { FSuccess = Value; }
    bool LinkFreeAutoSave() const { return FLinkFreeAutoSave; }
    void LinkFreeAutoSave(bool Value) { FLinkFreeAutoSave = Value; }
    bool LinkFreeAutoClose() const { return FLinkFreeAutoClose; }
    void LinkFreeAutoClose(bool Value) { FLinkFreeAutoClose = Value; }
    bool LinkFreeAutoBackup() const { return FLinkFreeAutoBackUp; }
    void LinkFreeAutoBackup(bool Value) { FLinkFreeAutoBackUp = Value; }
    bool LinkFreeAutoDelete() const { return FLinkFreeAutoDelete; }
    void LinkFreeAutoDelete(bool Value) { FLinkFreeAutoDelete = Value; }
    // The component's name, the default first part of work-file names.
    const std::wstring& Name() const { return FName; }
    void Name(const std::wstring& Value) { FName = Value; }
    const std::vector<std::wstring>& UniqueFiles() const { return UniqueFileList; }

private:
    bool SubSetSystemVar(const std::wstring& Target, const std::wstring& SetValue, std::wstring& RetValue,
                         bool& ChangeFlag, int LogMode, bool NeedPrevious);
    // After a failure with a command typed: one Escape unless AutoCAD is at its command prompt,
    // in compulsion mode.
    void EscapeAfterFailure(int LogMode);
    // DWGTITLED read: false (with the untitled-drawing error) for a never-saved drawing.
    bool UntitledCheck(int LogMode);
    bool SaveCompletionWait(const std::wstring& Reference);
    // The monitor closed AutoCAD's write-protection dialog since the save began (error logged).
    bool WriteProtectionSeen();
    // After the replace answer: false when the write-protection dialog came instead.
    bool ReplaceAnswered();
    bool SubLinkStart(const wchar_t* Title);
    bool SubLinkFinish(HWND Handle, int Mode);
    bool SubLinkFree(bool Linked);
    bool SubLinkClose();
    void LinkClear();

    std::wstring FName = L"Acad";
};
