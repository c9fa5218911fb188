// The real dialog in a fresh start directory, with the folder browser
// scripted, and the user's ways of reaching the copy panel: switch playback on,
// choose the modes that unlock a copy page, pick folders with its "..." buttons,
// and Copy, with every text the status line is given recorded.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/session_state.h"
#include "test_support.h"
#include "resources/control_groups.h"

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
    {0, IDC_SENSE_RAND_PICK, IDC_SENSE_RAND_CHECK, IDC_SENSE_RAND_CHECK, -1,
     "The \"Random on Sense\" source directory is selected: ", "audio\\SenseRand"},
    {1, IDC_TIMING_RAND_A_PICK, IDC_TIMING_RAND_A_CHECK, IDC_TIMING_RAND_A_KEY, -1,
     "The \"Timing Random A\" source directory is selected: ", "audio\\Alarm\\A"},
    {2, IDC_TIMING_RAND_B_PICK, IDC_TIMING_RAND_B_CHECK, IDC_TIMING_RAND_B_KEY, -1,
     "The \"Timing Random B\" source directory is selected: ", "audio\\Alarm\\B"},
    {3, IDC_SENSE_SPEC_DOG_PICK, IDC_SENSE_SPEC_DOG_CHECK, IDC_SENSE_SPEC_DOG_CHECK, 0,
     "Source directory of \"Dog\" selected: ", "audio\\SenseSpecify\\dog"},
    {3, IDC_SENSE_SPEC_TIGER_PICK, IDC_SENSE_SPEC_TIGER_CHECK, IDC_SENSE_SPEC_TIGER_CHECK, 1,
     "Source directory of \"Tiger\" selected: ", "audio\\SenseSpecify\\tiger"},
    {3, IDC_SENSE_SPEC_LEOPARD_PICK, IDC_SENSE_SPEC_LEOPARD_CHECK, IDC_SENSE_SPEC_LEOPARD_CHECK, 2,
     "Source directory of \"Leopard\" selected: ", "audio\\SenseSpecify\\leopard"},
    {3, IDC_SENSE_SPEC_HUMAN_PICK, IDC_SENSE_SPEC_HUMAN_CHECK, IDC_SENSE_SPEC_HUMAN_CHECK, 3,
     "Source directory of \"Human\" selected: ", "audio\\SenseSpecify\\human"},
    {3, IDC_SENSE_SPEC_LYNX_PICK, IDC_SENSE_SPEC_LYNX_CHECK, IDC_SENSE_SPEC_LYNX_CHECK, 4,
     "Source directory of \"Lynx\" selected: ", "audio\\SenseSpecify\\lynx"},
    {3, IDC_SENSE_SPEC_FOX_PICK, IDC_SENSE_SPEC_FOX_CHECK, IDC_SENSE_SPEC_FOX_CHECK, 5,
     "Source directory of \"Red fox\" selected: ", "audio\\SenseSpecify\\fox"},
    {3, IDC_SENSE_SPEC_BEAR_PICK, IDC_SENSE_SPEC_BEAR_CHECK, IDC_SENSE_SPEC_BEAR_CHECK, 6,
     "Source directory of \"Black Bear\" selected: ", "audio\\SenseSpecify\\bear"},
    {3, IDC_SENSE_SPEC_BIRD_A_PICK, IDC_SENSE_SPEC_BIRD_A_CHECK, IDC_SENSE_SPEC_BIRD_A_CHECK, 7,
     "Source directory of \"Bird A\" selected: ", "audio\\SenseSpecify\\bird A"},
    {3, IDC_SENSE_SPEC_BIRD_B_PICK, IDC_SENSE_SPEC_BIRD_B_CHECK, IDC_SENSE_SPEC_BIRD_B_CHECK, 8,
     "Source directory of \"Bird B\" selected: ", "audio\\SenseSpecify\\bird B"},
    {3, IDC_SENSE_SPEC_BIRD_C_PICK, IDC_SENSE_SPEC_BIRD_C_CHECK, IDC_SENSE_SPEC_BIRD_C_CHECK, 9,
     "Source directory of \"Bird C\" selected: ", "audio\\SenseSpecify\\bird C"},
    {4, IDC_TIMING_A_DOG_PICK, IDC_TIMING_A_DOG_CHECK, IDC_TIMING_A_DOG_CHECK, 0,
     "The \"Dog\" source directory is selected: ", "audio\\Alarm\\A\\dog"},
    {4, IDC_TIMING_A_TIGER_PICK, IDC_TIMING_A_TIGER_CHECK, IDC_TIMING_A_TIGER_CHECK, 1,
     "The \"Tiger\" source directory is selected: ", "audio\\Alarm\\A\\tiger"},
    {4, IDC_TIMING_A_LEOPARD_PICK, IDC_TIMING_A_LEOPARD_CHECK, IDC_TIMING_A_LEOPARD_CHECK, 2,
     "The \"Leopard\" source directory is selected: ", "audio\\Alarm\\A\\leopard"},
    {4, IDC_TIMING_A_HUMAN_PICK, IDC_TIMING_A_HUMAN_CHECK, IDC_TIMING_A_HUMAN_CHECK, 3,
     "The \"Human\" source directory is selected: ", "audio\\Alarm\\A\\human"},
    {4, IDC_TIMING_A_LYNX_PICK, IDC_TIMING_A_LYNX_CHECK, IDC_TIMING_A_LYNX_CHECK, 4,
     "The \"Lynx\" source directory is selected: ", "audio\\Alarm\\A\\lynx"},
    {4, IDC_TIMING_A_FOX_PICK, IDC_TIMING_A_FOX_CHECK, IDC_TIMING_A_FOX_CHECK, 5,
     "The \"Red fox\" source directory is selected: ", "audio\\Alarm\\A\\fox"},
    {4, IDC_TIMING_A_BEAR_PICK, IDC_TIMING_A_BEAR_CHECK, IDC_TIMING_A_BEAR_CHECK, 6,
     "The \"Black Bear\" source directory is selected: ", "audio\\Alarm\\A\\bear"},
    {4, IDC_TIMING_A_BIRD_A_PICK, IDC_TIMING_A_BIRD_A_CHECK, IDC_TIMING_A_BIRD_A_CHECK, 7,
     "The \"Bird A\" source directory is selected: ", "audio\\Alarm\\A\\bird A"},
    {4, IDC_TIMING_A_BIRD_B_PICK, IDC_TIMING_A_BIRD_B_CHECK, IDC_TIMING_A_BIRD_B_CHECK, 8,
     "The \"Bird B\" source directory is selected: ", "audio\\Alarm\\A\\bird B"},
    {4, IDC_TIMING_A_BIRD_C_PICK, IDC_TIMING_A_BIRD_C_CHECK, IDC_TIMING_A_BIRD_C_CHECK, 9,
     "The \"Bird C\" source directory is selected: ", "audio\\Alarm\\A\\bird C"},
    {5, IDC_TIMING_B_DOG_PICK, IDC_TIMING_B_DOG_CHECK, IDC_TIMING_B_DOG_CHECK, 0,
     "Source directory of \"Dog\" selected: ", "audio\\Alarm\\B\\dog"},
    {5, IDC_TIMING_B_TIGER_PICK, IDC_TIMING_B_TIGER_CHECK, IDC_TIMING_B_TIGER_CHECK, 1,
     "Source directory of \"Tiger\" selected: ", "audio\\Alarm\\B\\tiger"},
    {5, IDC_TIMING_B_LEOPARD_PICK, IDC_TIMING_B_LEOPARD_CHECK, IDC_TIMING_B_LEOPARD_CHECK, 2,
     "Source directory of \"Leopard\" selected: ", "audio\\Alarm\\B\\leopard"},
    {5, IDC_TIMING_B_HUMAN_PICK, IDC_TIMING_B_HUMAN_CHECK, IDC_TIMING_B_HUMAN_CHECK, 3,
     "Source directory of \"Human\" selected: ", "audio\\Alarm\\B\\human"},
    {5, IDC_TIMING_B_LYNX_PICK, IDC_TIMING_B_LYNX_CHECK, IDC_TIMING_B_LYNX_CHECK, 4,
     "Source directory of \"Lynx\" selected: ", "audio\\Alarm\\B\\lynx"},
    {5, IDC_TIMING_B_FOX_PICK, IDC_TIMING_B_FOX_CHECK, IDC_TIMING_B_FOX_CHECK, 5,
     "Source directory of \"Red fox\" selected: ", "audio\\Alarm\\B\\fox"},
    {5, IDC_TIMING_B_BEAR_PICK, IDC_TIMING_B_BEAR_CHECK, IDC_TIMING_B_BEAR_CHECK, 6,
     "Source directory of \"Black Bear\" selected: ", "audio\\Alarm\\B\\bear"},
    {5, IDC_TIMING_B_BIRD_A_PICK, IDC_TIMING_B_BIRD_A_CHECK, IDC_TIMING_B_BIRD_A_CHECK, 7,
     "Source directory of \"Bird A\" selected: ", "audio\\Alarm\\B\\bird A"},
    {5, IDC_TIMING_B_BIRD_B_PICK, IDC_TIMING_B_BIRD_B_CHECK, IDC_TIMING_B_BIRD_B_CHECK, 8,
     "Source directory of \"Bird B\" selected: ", "audio\\Alarm\\B\\bird B"},
    {5, IDC_TIMING_B_BIRD_C_PICK, IDC_TIMING_B_BIRD_C_CHECK, IDC_TIMING_B_BIRD_C_CHECK, 9,
     "Source directory of \"Bird C\" selected: ", "audio\\Alarm\\B\\bird C"},
};

// Every check box of the copy panel, the hidden ones of the template included.
inline std::vector<int> AllCopyCheckBoxes()
{
    std::vector<int> ids = {IDC_SENSE_TIMING_CHECK, IDC_TIMING_RAND_A_KEY, IDC_TIMING_RAND_B_KEY};
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

class LibraryTest : public DialogTest {
  protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        OpenDialog();
    }

    // Playback on, and the modes under which the page's "..." buttons and
    // the Copy button are enabled; then the page itself. The timing groups
    // play only for a timing page, so a card its sensing page fills is ready.
    void UnlockCopyPage(int page)
    {
        ClickButton(dialog_, IDC_ON_RADIO);
        SelectComboItem(dialog_, IDC_SEN_MOD_COMBO, page == 3 ? 2 : 1);
        SelectComboItem(dialog_, IDC_TIMER_MOD_COMBO, page == 0 || page == 3 ? 0 : 1);
        SelectComboItem(dialog_, IDC_ALARM_A_COMBO, page == 4 ? 1 : 0);
        SelectComboItem(dialog_, IDC_ALARM_B_COMBO, page == 5 ? 1 : 0);
        SelectTabPage(dialog_, IDC_COPY_TAB, page);
        ASSERT_EQ(g_Session.CopyTabIndex, static_cast<uint32_t>(page));
        ASSERT_TRUE(IsEnabled(dialog_, IDC_COPY_BUTTON)) << "page " << page;
    }

    // A button that opens the folder browser pressed, the browser answering
    // as given.
    void PressWithBrowser(int button, FolderChoice answer, const std::string& folder)
    {
        script_->folderAnswers.push_back({answer, folder});
        ClickButton(dialog_, button);
    }

    // What the user does: bring up the category's page and press its "...",
    // with the browser answering as given.
    void Pick(int pick, FolderChoice answer, const std::string& folder)
    {
        const ExpectedCategory& category = CategoryOfPick(pick);
        UnlockCopyPage(category.page);
        ASSERT_TRUE(IsShown(dialog_, pick) && IsEnabled(dialog_, pick)) << pick;
        PressWithBrowser(pick, answer, folder);
    }
    void Choose(int pick, const std::string& folder)
    {
        Pick(pick, kFolderChosen, folder);
    }

    void Browse(FolderChoice answer, const std::string& folder)
    {
        PressWithBrowser(IDC_BROWSE_BUTTON, answer, folder);
    }

    // A source folder in the start folder holding the given files, each a
    // sound of its own.
    std::string MakeSource(const std::string& name, const std::vector<std::string>& files)
    {
        std::string folder = start_.File(name);
        CreateDirectoryA(folder.c_str(), nullptr);
        for (const std::string& file : files)
            WriteBytes(folder + "\\" + file, WaveOf(name + "/" + file));
        return folder;
    }

    // A fresh save directory in the start folder, chosen with Browse.
    std::string NewSaveDir(const std::string& name)
    {
        std::string folder = start_.File(name);
        CreateDirectoryA(folder.c_str(), nullptr);
        Browse(kFolderChosen, folder);
        return folder;
    }

    // Presses Copy on the page and returns the trace it wrote.
    std::string Copy(int page)
    {
        UnlockCopyPage(page);
        return PressCopy();
    }

    // Presses Copy on the page shown, with the records of the status line
    // and the Copy button started anew; returns the trace it wrote.
    std::string PressCopy()
    {
        statuses_.clear();
        copyButtonStates_.clear();
        TraceCapture trace;
        ClickButton(dialog_, IDC_COPY_BUTTON);
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

    std::vector<std::string> StatusTexts()
    {
        std::vector<std::string> texts;
        for (const StatusRecord& record : statuses_)
            texts.push_back(record.text);
        return texts;
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
            test->statuses_.push_back({ControlText(test->dialog_, IDC_STATUS_LINE),
                                       IsEnabled(test->dialog_, IDC_COPY_BUTTON),
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

    std::vector<StatusRecord> statuses_;
    std::vector<bool> copyButtonStates_;

  private:
    // Every dialog started records its status line and its Copy button.
    void Opened() override
    {
        SetWindowSubclass(GetDlgItem(dialog_, IDC_STATUS_LINE), RecordStatus, 0,
                          reinterpret_cast<DWORD_PTR>(this));
        SetWindowSubclass(GetDlgItem(dialog_, IDC_COPY_BUTTON), RecordCopyButtonState, 0,
                          reinterpret_cast<DWORD_PTR>(this));
    }
};
