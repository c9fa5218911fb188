// The main window on the screen that screen_fit.sh names in SCREEN_FIT:
// "<width>x<height> <dpi> fits|scrolls|sideways <taskbar height>". Where the
// window does not fit, it lies within the work area (the screen less the
// taskbar) and the scroll bar, the wheel and the Tab key each bring Generate
// and Copy into view; the wheel over a control the user is not working in
// scrolls too and changes no setting. Where it fits, it is the window of
// the template. Either way a click on Generate then works.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "resources/control_groups.h"
#include "resources/resource.h"
#include "test_support.h"

namespace {

// Input from the hardware: a mouse action at a point of the client area.
void Mouse(HWND dialog, int x, int y, std::vector<DWORD> flags, DWORD data = 0)
{
    POINT point = {x, y};
    ClientToScreen(dialog, &point);
    SetCursorPos(point.x, point.y);
    for (DWORD flag : flags) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flag;
        input.mi.mouseData = data;
        SendInput(1, &input, sizeof input);
    }
    PumpDialog(dialog, 30);
}

void Key(HWND dialog, WORD key)
{
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = key;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
    PumpDialog(dialog, 10);
}

RECT PlaceOf(HWND dialog, HWND control)
{
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

bool FullyInView(HWND dialog, int id)
{
    RECT place = PlaceOf(dialog, GetDlgItem(dialog, id)), client, inside;
    GetClientRect(dialog, &client);
    return IntersectRect(&inside, &place, &client) && EqualRect(&inside, &place);
}

TEST(ScreenFit, TheWholeWindowIsWithinReach)
{
    int width = 0, height = 0, dpi = 0, taskbar = 0;
    char verdict[16] = {};
    const char* screen = getenv("SCREEN_FIT");
    ASSERT_TRUE(screen &&
                sscanf(screen, "%dx%d %d %15s %d", &width, &height, &dpi, verdict, &taskbar) == 5);
    HDC display = GetDC(nullptr);
    ASSERT_EQ(GetDeviceCaps(display, LOGPIXELSY), dpi);
    ReleaseDC(nullptr, display);
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), width);
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), height);

    TempCurrentDirectory card;
    ASSERT_TRUE(card.Entered());
    ResetSession();
    ShellScript& script = ScriptShellDialogs();
    HWND dialog;
    {
        TraceCapture quiet; // every setting shown is traced
        dialog = CreateMainDialog();
    }
    ASSERT_NE(dialog, nullptr);
    SetForegroundWindow(dialog);
    PumpDialog(dialog, 30);

    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    ASSERT_EQ(work.bottom, height - taskbar) << "the work area is not the screen less the taskbar";
    RECT window, client, content = {0, 0, MAIN_DIALOG_WIDTH, MAIN_DIALOG_HEIGHT}, inside;
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    MapDialogRect(dialog, &content);
    IntersectRect(&inside, &window, &work);
    EXPECT_TRUE(EqualRect(&inside, &window)) << "the window reaches beyond the work area";
    LONG bars = GetWindowLongW(dialog, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL);

    if (strcmp(verdict, "fits") == 0) {
        EXPECT_EQ(bars, 0) << "a scroll bar where the window fits";
        EXPECT_TRUE(client.right == content.right && client.bottom == content.bottom);
        EXPECT_NEAR(window.left - work.left, work.right - window.right, 1) << "not centred";
        EXPECT_NEAR(window.top - work.top, work.bottom - window.bottom, 1) << "not centred";
    } else if (strcmp(verdict, "sideways") == 0) {
        // Where it scrolls only sideways, a vertical wheel turned back scrolls
        // right and turned forward scrolls left.
        ASSERT_EQ(bars, WS_HSCROLL);
        for (int turn : {-WHEEL_DELTA, WHEEL_DELTA}) {
            int before = GetScrollPos(dialog, SB_HORZ);
            Mouse(dialog, client.right / 2, client.bottom / 2, {MOUSEEVENTF_WHEEL},
                  static_cast<DWORD>(turn));
            EXPECT_EQ(GetScrollPos(dialog, SB_HORZ) > before, turn < 0) << turn;
            EXPECT_NE(GetScrollPos(dialog, SB_HORZ), before) << turn;
        }
    } else {
        ASSERT_EQ(bars, WS_VSCROLL) << "the window does not scroll where it does not fit";
        std::vector<HWND> controls = ChildrenInTemplateOrder(dialog);
        std::vector<RECT> places;
        for (HWND control : controls)
            places.push_back(PlaceOf(dialog, control));
        int bar = GetSystemMetrics(SM_CXVSCROLL);
        HWND generate = GetDlgItem(dialog, IDC_GENERATE_BUTTON);
        const struct {
            const char* way;
            std::function<void()> act; // repeated until the content stops or Tab is on Generate
        } ways[] = {
            {"the scroll bar's track below the thumb",
             [&] {
                 Mouse(dialog, client.right + bar / 2, client.bottom - bar - 3,
                       {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
             }},
            {"the wheel",
             [&] {
                 Mouse(dialog, client.right / 2, client.bottom / 2, {MOUSEEVENTF_WHEEL},
                       static_cast<DWORD>(-WHEEL_DELTA));
             }},
            {"the Tab key", [&] { Key(dialog, VK_TAB); }},
        };
        for (const auto& way : ways) {
            SendMessageW(dialog, WM_VSCROLL, SB_TOP, 0);
            SetFocus(GetDlgItem(dialog, IDC_SAVE_DIR_EDIT));
            EXPECT_FALSE(FullyInView(dialog, IDC_GENERATE_BUTTON));
            bool byTab = &way == &ways[2];
            for (int step = 0, before = -1; step < 400; ++step) {
                before = GetScrollPos(dialog, SB_VERT);
                way.act();
                if (byTab ? GetFocus() == generate : GetScrollPos(dialog, SB_VERT) == before)
                    break;
            }
            EXPECT_TRUE(FullyInView(dialog, IDC_GENERATE_BUTTON)) << way.way;
            EXPECT_TRUE(FullyInView(dialog, IDC_COPY_BUTTON)) << way.way;
            // Every control, hidden ones too, moved with the content as one.
            for (size_t i = 0; i < controls.size(); ++i) {
                RECT place = PlaceOf(dialog, controls[i]);
                OffsetRect(&place, 0, GetScrollPos(dialog, SB_VERT));
                EXPECT_TRUE(EqualRect(&place, &places[i])) << way.way << ", control " << i;
            }
        }

        // Playback on, the sensing plan in use: a notch over a control without
        // the focus scrolls and changes nothing, whether Windows sends it to
        // the window under the pointer (as Wine does) or to the focused one
        // (as Windows 7 does); the focused control under the pointer takes it.
        ClickButton(dialog, IDC_ON_RADIO);
        SelectComboItem(dialog, IDC_SEN_MOD_COMBO, 2);
        HWND delay = GetDlgItem(dialog, IDC_DLY_COMBO);
        HWND trackbar = GetDlgItem(dialog, IDC_VOLUME_TRACKBAR);
        HWND saveDir = GetDlgItem(dialog, IDC_SAVE_DIR_EDIT);
        const struct {
            int id;
            bool arrow; // else the middle, the edit field of a combo box
            HWND focus;
            bool toFocus; // posted to the focused window
        } turns[] = {{IDC_DLY_COMBO, false, generate, false},
                     {IDC_DLY_COMBO, true, generate, false},
                     {kComboSensePlanIds[0], true, generate, false},
                     {IDC_VOLUME_TRACKBAR, false, generate, false},
                     {IDC_SAVE_DIR_EDIT, false, delay, false},
                     {IDC_DLY_COMBO, true, delay, false},
                     {IDC_SAVE_DIR_EDIT, false, saveDir, false},
                     {IDC_VOLUME_TRACKBAR, false, delay, true},
                     {IDC_SAVE_DIR_EDIT, false, delay, true},
                     {IDC_DLY_COMBO, false, saveDir, true},
                     {IDC_DLY_COMBO, false, trackbar, true},
                     {IDC_DLY_COMBO, false, delay, true}};
        for (const auto& turn : turns) {
            SetFocus(turn.focus);
            PumpDialog(dialog, 30);
            SendMessageW(dialog, WM_VSCROLL, SB_TOP, 0);
            RECT place = PlaceOf(dialog, GetDlgItem(dialog, turn.id));
            int before = GetScrollPos(dialog, SB_VERT);
            Bytes record = ConfigBytes();
            std::string traced;
            {
                TraceCapture trace;
                POINT at = {turn.arrow ? place.right - 4 : (place.left + place.right) / 2,
                            (place.top + place.bottom) / 2};
                if (turn.toFocus) {
                    ClientToScreen(dialog, &at);
                    SetCursorPos(at.x, at.y);
                    PostMessageW(GetFocus(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA),
                                 MAKELPARAM(at.x, at.y));
                    PumpDialog(dialog, 30);
                } else {
                    Mouse(dialog, at.x, at.y, {MOUSEEVENTF_WHEEL},
                          static_cast<DWORD>(-WHEEL_DELTA));
                }
                traced = trace.Text();
            }
            // Wine's edit field of a combo box keeps a turn sent to it, where
            // Windows' hands it to the box.
            bool taken = GetDlgItem(dialog, turn.id) == turn.focus;
            bool changed = taken && turn.id == IDC_DLY_COMBO && !turn.toFocus;
            int index = static_cast<int>(SendMessageW(delay, CB_GETCURSEL, 0, 0));
            SCOPED_TRACE(&turn - turns);
            EXPECT_EQ(GetScrollPos(dialog, SB_VERT) > before, !taken);
            EXPECT_EQ(ConfigBytes() != record, changed);
            EXPECT_EQ(traced, changed ? "Index_Dly = " + std::to_string(index) +
                                            ", lapse = " + std::to_string(index + 5) + "\n"
                                      : "");
        }
        SendMessageW(dialog, WM_VSCROLL, SB_BOTTOM, 0); // Generate in view for the click
    }

    // After a display change the window is fitted again, within the work area.
    SetWindowPos(dialog, nullptr, work.right - 100, work.bottom - 100, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    SendMessageW(dialog, WM_DISPLAYCHANGE, 24, MAKELPARAM(width, height));
    GetWindowRect(dialog, &window);
    IntersectRect(&inside, &window, &work);
    EXPECT_TRUE(EqualRect(&inside, &window)) << "off the work area after a display change";

    ClickAt(GetDlgItem(dialog, IDC_GENERATE_BUTTON));
    PumpDialog(dialog, 30);
    ASSERT_EQ(script.boxes.size(), 1u) << "Generate did not run";
    EXPECT_EQ(script.boxes[0].text, "Configuration generated!");
    EXPECT_EQ(ReadBytes(card.Folder().File("CFG_BROADCAST.bin")), ConfigBytes());
    DestroyWindow(dialog);
    RestoreShellDialogs();
}

} // namespace
