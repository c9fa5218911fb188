// The real dialog in a fresh start directory, with the folder browser
// scripted, and the user's ways of reaching the copy panel: switch playback on,
// choose the modes that unlock a copy page, pick folders with its "..." buttons.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/session_state.h"
#include "test_support.h"
#include "ui/control_ids.h"

// The categories as the user sees them, written out independently of the
// program's own table.
struct ExpectedCategory {
    int page;
    int pick;
    int check;
    int key;
    int slot;            // -1 for the shared random slot, else the animal index
    const char* message; // English status text before the path
    const char* folder;  // relative to the save directory
};

const ExpectedCategory kExpectedCategories[] = {
    {0, 40180, 40181, 40181, -1,
     "The \"Random on Sense\" source directory is selected: ", "audio\\SenseRand"},
    {1, 40049, 40053, 40175, -1,
     "The \"Timing Random A\" source directory is selected: ", "audio\\Alarm\\A"},
    {2, 40055, 40059, 40178, -1,
     "The \"Timing Random B\" source directory is selected: ", "audio\\Alarm\\B"},
    {3, 40208, 40209, 40209, 0,
     "Source directory of \"Dog\" selected: ", "audio\\SenseSpecify\\dog"},
    {3, 40211, 40212, 40212, 1,
     "Source directory of \"Tiger\" selected: ", "audio\\SenseSpecify\\tiger"},
    {3, 40214, 40215, 40215, 2,
     "Source directory of \"Leopard\" selected: ", "audio\\SenseSpecify\\leopard"},
    {3, 40217, 40218, 40218, 3,
     "Source directory of \"Human\" selected: ", "audio\\SenseSpecify\\human"},
    {3, 40220, 40221, 40221, 4,
     "Source directory of \"Lynx\" selected: ", "audio\\SenseSpecify\\lynx"},
    {3, 40223, 40224, 40224, 5,
     "Source directory of \"Red fox\" selected: ", "audio\\SenseSpecify\\fox"},
    {3, 40226, 40227, 40227, 6,
     "Source directory of \"Black Bear\" selected: ", "audio\\SenseSpecify\\bear"},
    {3, 40229, 40230, 40230, 7,
     "Source directory of \"Bird A\" selected: ", "audio\\SenseSpecify\\bird A"},
    {3, 40232, 40233, 40233, 8,
     "Source directory of \"Bird B\" selected: ", "audio\\SenseSpecify\\bird B"},
    {3, 40235, 40236, 40236, 9,
     "Source directory of \"Bird C\" selected: ", "audio\\SenseSpecify\\bird C"},
    {4, 40115, 40117, 40117, 0,
     "The \"Dog\" source directory is selected: ", "audio\\Alarm\\A\\dog"},
    {4, 40121, 40123, 40123, 1,
     "The \"Tiger\" source directory is selected: ", "audio\\Alarm\\A\\tiger"},
    {4, 40127, 40129, 40129, 2,
     "The \"Leopard\" source directory is selected: ", "audio\\Alarm\\A\\leopard"},
    {4, 40133, 40135, 40135, 3,
     "The \"Human\" source directory is selected: ", "audio\\Alarm\\A\\human"},
    {4, 40139, 40141, 40141, 4,
     "The \"Lynx\" source directory is selected: ", "audio\\Alarm\\A\\lynx"},
    {4, 40073, 40077, 40077, 5,
     "The \"Red fox\" source directory is selected: ", "audio\\Alarm\\A\\fox"},
    {4, 40083, 40079, 40079, 6,
     "The \"Black Bear\" source directory is selected: ", "audio\\Alarm\\A\\bear"},
    {4, 40091, 40087, 40087, 7,
     "The \"Bird A\" source directory is selected: ", "audio\\Alarm\\A\\bird A"},
    {4, 40099, 40097, 40097, 8,
     "The \"Bird B\" source directory is selected: ", "audio\\Alarm\\A\\bird B"},
    {4, 40108, 40111, 40111, 9,
     "The \"Bird C\" source directory is selected: ", "audio\\Alarm\\A\\bird C"},
    {5, 40145, 40147, 40147, 0, "Source directory of \"Dog\" selected: ", "audio\\Alarm\\B\\dog"},
    {5, 40159, 40160, 40160, 1,
     "Source directory of \"Tiger\" selected: ", "audio\\Alarm\\B\\tiger"},
    {5, 40165, 40166, 40166, 2,
     "Source directory of \"Leopard\" selected: ", "audio\\Alarm\\B\\leopard"},
    {5, 40171, 40172, 40172, 3,
     "Source directory of \"Human\" selected: ", "audio\\Alarm\\B\\human"},
    {5, 40194, 40203, 40203, 4, "Source directory of \"Lynx\" selected: ", "audio\\Alarm\\B\\lynx"},
    {5, 40156, 40157, 40157, 5,
     "Source directory of \"Red fox\" selected: ", "audio\\Alarm\\B\\fox"},
    {5, 40162, 40163, 40163, 6,
     "Source directory of \"Black Bear\" selected: ", "audio\\Alarm\\B\\bear"},
    {5, 40168, 40169, 40169, 7,
     "Source directory of \"Bird A\" selected: ", "audio\\Alarm\\B\\bird A"},
    {5, 40185, 40187, 40187, 8,
     "Source directory of \"Bird B\" selected: ", "audio\\Alarm\\B\\bird B"},
    {5, 40205, 40206, 40206, 9,
     "Source directory of \"Bird C\" selected: ", "audio\\Alarm\\B\\bird C"},
};

// Every check box of the copy panel, the hidden ones of the template included.
inline std::vector<int> AllCopyCheckBoxes()
{
    std::vector<int> ids = {40067, 40175, 40178};
    for (const ExpectedCategory& category : kExpectedCategories)
        ids.push_back(category.check);
    return ids;
}

inline const ExpectedCategory& CategoryOfPick(int pick)
{
    for (const ExpectedCategory& category : kExpectedCategories) {
        if (category.pick == pick)
            return category;
    }
    ADD_FAILURE() << "no category with button " << pick;
    return kExpectedCategories[0];
}

// The Chinese trace lines, in code page 936.
const char kCopyTraceLine[] = "\xb8\xb4\xd6\xc6\x3a\x0a"; // "复制:\n"
inline std::string CreateFailTraceLine(int code)          // "创建文件夹失败-%d！\n"
{
    return "\xb4\xb4\xbd\xa8\xce\xc4\xbc\xfe\xbc\xd0\xca\xa7\xb0\xdc\x2d" + std::to_string(code) +
           "\xa3\xa1\x0a";
}

// Records every text the status line is given, and what the Copy button and
// the animal rows looked like at that moment.
struct StatusRecord {
    std::string text;
    bool copyEnabled;
    bool anyAnimalPickEnabled;
};

class LibraryTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        GetCurrentDirectoryA(sizeof startDirectory_, startDirectory_);
        ResetSession();
        ASSERT_TRUE(SetCurrentDirectoryA(start_.Path().c_str()));
        script_ = &ScriptShellDialogs();
        dialog_ = CreateMainDialog();
        ASSERT_NE(dialog_, nullptr);
        SetWindowSubclass(GetDlgItem(dialog_, kStatusLineId), RecordStatus, 0,
                          reinterpret_cast<DWORD_PTR>(this));
        SetWindowSubclass(GetDlgItem(dialog_, kCopyButtonId), RecordCopyButtonState, 0,
                          reinterpret_cast<DWORD_PTR>(this));
    }

    void TearDown() override
    {
        if (dialog_)
            DestroyWindow(dialog_);
        RestoreShellDialogs();
        SetCurrentDirectoryA(startDirectory_);
    }

    // Playback on, and the modes under which the page's "..." buttons and
    // the Copy button are enabled; then the page itself.
    void UnlockCopyPage(int page)
    {
        ClickButton(dialog_, kOnRadioId);
        SelectComboItem(dialog_, kSenModComboId, page == 3 ? 2 : 1);
        SelectComboItem(dialog_, kTimerModComboId, 1);
        SelectComboItem(dialog_, kAlarmAComboId, page == 4 ? 1 : 0);
        SelectComboItem(dialog_, kAlarmBComboId, page == 5 ? 1 : 0);
        SelectTabPage(dialog_, kCopyTabId, page);
        ASSERT_EQ(g_Session.CopyTabIndex, static_cast<uint32_t>(page));
        ASSERT_TRUE(IsEnabled(dialog_, kCopyButtonId)) << "page " << page;
    }

    // What the user does: bring up the category's page and press its "...",
    // with the browser answering as given.
    void Pick(int pick, FolderChoice answer, const std::string& folder)
    {
        const ExpectedCategory& category = CategoryOfPick(pick);
        UnlockCopyPage(category.page);
        ASSERT_TRUE(IsShown(dialog_, pick) && IsEnabled(dialog_, pick)) << pick;
        script_->folderAnswers.push_back({answer, folder});
        ClickButton(dialog_, pick);
    }
    void Choose(int pick, const std::string& folder)
    {
        Pick(pick, kFolderChosen, folder);
    }

    void Browse(FolderChoice answer, const std::string& folder)
    {
        script_->folderAnswers.push_back({answer, folder});
        ClickButton(dialog_, kBrowseButtonId);
    }

    // Presses Copy on the page and returns the trace it wrote.
    std::string Copy(int page)
    {
        UnlockCopyPage(page);
        statuses_.clear();
        copyButtonStates_.clear();
        TraceCapture trace;
        ClickButton(dialog_, kCopyButtonId);
        return trace.Text();
    }

    bool Ticked(int id)
    {
        return IsDlgButtonChecked(dialog_, id) == BST_CHECKED;
    }

    std::vector<int> TickedBoxes()
    {
        std::vector<int> ticked;
        for (int id : AllCopyCheckBoxes()) {
            if (Ticked(id))
                ticked.push_back(id);
        }
        std::sort(ticked.begin(), ticked.end());
        return ticked;
    }

    std::string Status()
    {
        return ControlText(dialog_, kStatusLineId);
    }

    std::string SlotOf(int slot)
    {
        return slot < 0 ? g_Session.RandPath : g_Session.SenseSpecPath[slot];
    }

    bool AnyAnimalPickEnabled()
    {
        for (const ExpectedCategory& category : kExpectedCategories) {
            if (category.slot >= 0 && IsEnabled(dialog_, category.pick))
                return true;
        }
        return false;
    }

    static LRESULT CALLBACK RecordStatus(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR data)
    {
        LRESULT result = DefSubclassProc(control, message, wParam, lParam);
        if (message == WM_SETTEXT) {
            LibraryTest* test = reinterpret_cast<LibraryTest*>(data);
            test->statuses_.push_back({ControlText(test->dialog_, kStatusLineId),
                                       IsEnabled(test->dialog_, kCopyButtonId),
                                       test->AnyAnimalPickEnabled()});
        }
        return result;
    }

    // Each change of the Copy button between enabled and disabled.
    static LRESULT CALLBACK RecordCopyButtonState(HWND control, UINT message, WPARAM wParam,
                                                  LPARAM lParam, UINT_PTR, DWORD_PTR data)
    {
        if (message == WM_ENABLE)
            reinterpret_cast<LibraryTest*>(data)->copyButtonStates_.push_back(wParam != 0);
        return DefSubclassProc(control, message, wParam, lParam);
    }

    TempFolder start_;
    char startDirectory_[MAX_PATH] = {};
    ShellScript* script_ = nullptr;
    HWND dialog_ = nullptr;
    std::vector<StatusRecord> statuses_;
    std::vector<bool> copyButtonStates_;
};
