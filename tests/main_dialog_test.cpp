#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <functional>
#include <string>

#include "model/config_file.h"
#include "model/session_state.h"
#include "test_support.h"
#include "resources/control_groups.h"
#include "ui/main_dialog.h"

namespace {

class MainDialogTest : public DialogTest {
  protected:
    std::string ConfigPath() const
    {
        return start_.File(kConfigName);
    }
    UINT Checked(int id) const
    {
        return IsDlgButtonChecked(dialog_, id);
    }
    int VolumePosition() const
    {
        return static_cast<int>(
            SendDlgItemMessageA(dialog_, IDC_VOLUME_TRACKBAR, TBM_GETPOS, 0, 0));
    }

    void MoveVolume(int position, int scrollCode)
    {
        HWND trackbar = GetDlgItem(dialog_, IDC_VOLUME_TRACKBAR);
        SendMessageA(trackbar, TBM_SETPOS, TRUE, position);
        SendMessageA(dialog_, WM_HSCROLL, MAKEWPARAM(scrollCode, 0),
                     reinterpret_cast<LPARAM>(trackbar));
    }
};

std::string LanguageTrace()
{
    char line[32];
    snprintf(line, sizeof line, "uwLangID=0x%04x\n", GetSystemDefaultLangID());
    return line;
}

TEST_F(MainDialogTest, StartsWithTheDefaultsWhenNoFileLoads)
{
    const struct {
        const char* name;
        bool present;
        size_t size;
    } cases[] = {{"no file", false, 0}, {"85 bytes", true, 85}, {"87 bytes", true, 87}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResetSession();
        RemoveTree(ConfigPath());
        if (c.present)
            WriteBytes(ConfigPath(), Bytes(c.size, 0x01));

        TraceCapture trace;
        OpenDialog();
        EXPECT_EQ(trace.Text(), LanguageTrace() + "sizeof = 86\niGetFileSize = " +
                                    std::to_string(c.size) + "\nFile szie != struct size!\n");
        EXPECT_EQ(ConfigBytes(), DefaultConfigBytes());
        EXPECT_EQ(std::string(g_Session.SaveDir), start_.Path());
        EXPECT_EQ(ControlText(dialog_, IDC_SAVE_DIR_EDIT), start_.Path());
        EXPECT_EQ(Checked(IDC_OFF_RADIO), static_cast<UINT>(BST_CHECKED));
        EXPECT_EQ(Checked(IDC_ON_RADIO), static_cast<UINT>(BST_UNCHECKED));
        EXPECT_EQ(VolumePosition(), 5);
        EXPECT_EQ(ControlText(dialog_, IDC_VOLUME_VALUE), "5");
        EXPECT_EQ(g_Session.FirstInit, 0);
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog_, IDC_SAVE_DIR_EDIT));
        CloseDialog();
    }
}

TEST_F(MainDialogTest, StartsWithTheSettingsOfAValidFile)
{
    Bytes record = DefaultConfigBytes();
    record[0] = 1; // Ena
    record[1] = 3; // Vol
    WriteBytes(ConfigPath(), record);

    TraceCapture trace;
    OpenDialog();
    std::string text = trace.Text();
    EXPECT_EQ(text.rfind(LanguageTrace() + "sizeof = 86\niGetFileSize = 86\nOpen file - \"" +
                             ConfigPath() + "\" success!\n",
                         0),
              0u);
    EXPECT_NE(text.find("Ena = 1\nVol = 3\n"), std::string::npos);
    EXPECT_EQ(ConfigBytes(), record);
    EXPECT_EQ(Checked(IDC_ON_RADIO), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(Checked(IDC_OFF_RADIO), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(VolumePosition(), 3);
    EXPECT_EQ(ControlText(dialog_, IDC_VOLUME_VALUE), "3");
}

// Only the first initialisation takes the current directory and loads the
// file; later ones keep the session's save directory and record.
TEST_F(MainDialogTest, ALaterInitialisationDoesNotReloadTheFile)
{
    OpenDialog();
    CloseDialog();
    g_Session.Config.Vol = 7;
    WriteBytes(ConfigPath(), DefaultConfigBytes());

    TraceCapture trace;
    OpenDialog();
    EXPECT_EQ(trace.Text(), "");
    EXPECT_EQ(g_Session.Config.Vol, 7);
    EXPECT_EQ(ControlText(dialog_, IDC_VOLUME_VALUE), "7");
}

TEST_F(MainDialogTest, GenerateWritesConfirmsAndReports)
{
    std::string duringBox;
    for (int ena : {1, 0}) {
        SCOPED_TRACE(ena);
        ResetSession();
        OpenDialog();
        g_Session.Config.Ena = static_cast<uint8_t>(ena);
        g_Session.Config.type[23] = 9;
        script_->boxes.clear();

        // With playback on, the box is followed by what the card lacks.
        std::string generated = Generated(start_.Path());
        script_->answerBox = [&](const ShellScript::Box&) {
            duringBox = Status();
            return IDOK;
        };

        TraceCapture trace;
        ClickButton(dialog_, IDC_GENERATE_BUTTON);
        EXPECT_NE(trace.Text().find("type[23] = 9\n"), std::string::npos);
        EXPECT_EQ(ReadBytes(ConfigPath()), ConfigBytes());
        EXPECT_EQ(duringBox, generated);
        EXPECT_EQ(Status(), ena ? NotReady(3, 3, start_.File("audio\\SenseRand")) : generated);
        ASSERT_EQ(script_->boxes.size(), 1u);
        EXPECT_EQ(script_->boxes[0].owner, dialog_);
        EXPECT_EQ(script_->boxes[0].text, "Configuration generated!");
        EXPECT_EQ(script_->boxes[0].caption, "Note");
        EXPECT_EQ(script_->boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
        CloseDialog();
    }
}

TEST_F(MainDialogTest, GenerateIntoAMissingFolderFails)
{
    OpenDialog();
    snprintf(g_Session.SaveDir, sizeof g_Session.SaveDir, "%s\\gone", start_.Path().c_str());
    Bytes before = ConfigBytes();

    TraceCapture trace;
    ClickButton(dialog_, IDC_GENERATE_BUTTON);
    std::string text = trace.Text();
    EXPECT_EQ(text.substr(text.size() - strlen("Generate fail!\n")), "Generate fail!\n");
    EXPECT_EQ(Status(), kGenerateFailed);
    EXPECT_TRUE(script_->boxes.empty());
    EXPECT_EQ(ConfigBytes(), before);
}

// A write that does not complete is a failure even though an older file of
// that name could be read back; the older file stays as it was.
TEST_F(MainDialogTest, GenerateFailsWhenTheWriteFailsOverAnOlderFile)
{
    Bytes older(86, 0x02);
    WriteBytes(ConfigPath(), older);
    OpenDialog();
    ASSERT_EQ(ConfigBytes(), older);
    g_Session.Config.Vol = 8;
    CreateDirectoryA(start_.File("CFGBCAST.TMP").c_str(), nullptr);

    TraceCapture trace;
    ClickButton(dialog_, IDC_GENERATE_BUTTON);
    std::string text = trace.Text();
    EXPECT_EQ(text.find("sizeof = 86"), std::string::npos) << "no read-back of the older file";
    EXPECT_NE(text.find("Generate fail!\n"), std::string::npos);
    EXPECT_EQ(Status(), kGenerateFailed);
    EXPECT_TRUE(script_->boxes.empty());
    EXPECT_EQ(g_Session.Config.Vol, 8);
    EXPECT_EQ(ReadBytes(ConfigPath()), older);
}

TEST_F(MainDialogTest, TheVolumeFollowsThumbTrackAndEndTrackOnly)
{
    OpenDialog();
    const struct {
        int code;
        bool taken;
    } codes[] = {{TB_LINEUP, false},   {TB_LINEDOWN, false},      {TB_PAGEUP, false},
                 {TB_PAGEDOWN, false}, {TB_THUMBPOSITION, false}, {TB_TOP, false},
                 {TB_BOTTOM, false},   {TB_THUMBTRACK, true},     {TB_ENDTRACK, true}};
    int expected = g_Session.Config.Vol;
    int position = 1;
    for (const auto& c : codes) {
        SCOPED_TRACE(c.code);
        position = position % 8 + 1;
        if (position == expected)
            position = position % 8 + 1;
        MoveVolume(position, c.code);
        if (c.taken)
            expected = position;
        EXPECT_EQ(g_Session.Config.Vol, expected);
        EXPECT_EQ(ControlText(dialog_, IDC_VOLUME_VALUE), std::to_string(expected));
    }
}

TEST_F(MainDialogTest, TabChangesStoreThePageAndLeaveTheRecord)
{
    OpenDialog();
    Bytes before = ConfigBytes();
    SelectTabPage(dialog_, IDC_PLAN_TAB, 2);
    EXPECT_EQ(g_Session.PlanTabIndex, 2u);
    SelectTabPage(dialog_, IDC_COPY_TAB, 5);
    EXPECT_EQ(g_Session.CopyTabIndex, 5u);
    EXPECT_EQ(g_Session.PlanTabIndex, 2u);

    // Another notification code, or the same code from another sender, does nothing.
    NMHDR header = {GetDlgItem(dialog_, IDC_COPY_TAB), static_cast<UINT_PTR>(IDC_COPY_TAB),
                    static_cast<UINT>(TCN_SELCHANGING)};
    SendMessageA(GetDlgItem(dialog_, IDC_COPY_TAB), TCM_SETCURSEL, 1, 0);
    SendMessageA(dialog_, WM_NOTIFY, IDC_COPY_TAB, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(g_Session.CopyTabIndex, 5u);
    header.code = static_cast<UINT>(TCN_SELCHANGE);
    header.idFrom = IDC_STATUS_LINE;
    SendMessageA(dialog_, WM_NOTIFY, IDC_STATUS_LINE, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(g_Session.CopyTabIndex, 5u);
    EXPECT_EQ(ConfigBytes(), before);
}

// The program's modal loop, driven from a second thread as a user would:
// keys go to the focused control through the dialog manager.
class ModalDialogTest : public MainDialogTest {
  protected:
    // Runs the dialog modally; script runs on another thread once it shows.
    INT_PTR RunModal(const std::function<void(HWND)>& script)
    {
        DWORD threadId = GetCurrentThreadId();
        HANDLE worker = StartThread([&] {
            HWND dialog = nullptr;
            // A loaded machine can take seconds to create the dialog.
            for (int tries = 0; tries < 6000 && !dialog; ++tries) {
                Sleep(10);
                GUITHREADINFO info = {};
                info.cbSize = sizeof info;
                if (GetGUIThreadInfo(threadId, &info) && info.hwndFocus)
                    dialog = GetAncestor(info.hwndFocus, GA_ROOT);
            }
            if (!dialog)
                return;
            script(dialog);
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        });
        INT_PTR result =
            DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN_DIALOG), nullptr,
                            MainDialogProc, 0);
        // The script's results are read once its thread has ended.
        WaitForSingleObject(worker, INFINITE);
        CloseHandle(worker);
        return result;
    }

    static HWND Focus(HWND dialog)
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
        return info.hwndFocus;
    }

    static void PressKey(HWND dialog, UINT key)
    {
        HWND focus = Focus(dialog);
        PostMessageA(focus, WM_KEYDOWN, key, 1);
        PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
        Sleep(300);
    }
};

TEST_F(ModalDialogTest, EscAndEnterDoNotCloseTheWindowWhereverTheFocusIs)
{
    bool stayedOpen = true;
    int focusAtStart = 0;
    INT_PTR result = RunModal([&](HWND dialog) {
        focusAtStart = GetDlgCtrlID(Focus(dialog));
        for (int id : {IDC_SAVE_DIR_EDIT, IDC_DLY_COMBO, IDC_VOLUME_TRACKBAR, IDC_ON_RADIO}) {
            SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)),
                         TRUE);
            PressKey(dialog, VK_ESCAPE);
            PressKey(dialog, VK_RETURN);
            stayedOpen = stayedOpen && IsWindowVisible(dialog);
        }
    });
    EXPECT_EQ(focusAtStart, IDC_SAVE_DIR_EDIT);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(script_->boxes.empty());
    EXPECT_FALSE(FileExists(ConfigPath())) << "closing writes nothing";
}

TEST_F(ModalDialogTest, EnterOnAFocusedPushButtonPressesIt)
{
    INT_PTR result = RunModal([&](HWND dialog) {
        SendMessageA(dialog, WM_NEXTDLGCTL,
                     reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_GENERATE_BUTTON)), TRUE);
        PressKey(dialog, VK_RETURN);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadBytes(ConfigPath()), DefaultConfigBytes());
    EXPECT_EQ(script_->boxes.size(), 1u);
}

TEST_F(ModalDialogTest, TheCloseCommandEndsTheDialogWithZero)
{
    Bytes older(86, 0x03);
    WriteBytes(ConfigPath(), older);
    INT_PTR result = RunModal([&](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ON_RADIO, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_ON_RADIO)));
        SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadBytes(ConfigPath()), older);
}

} // namespace
