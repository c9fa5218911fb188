// The dialog template checked control by control against the layout it must
// have: identifiers, classes, places, styles, initial states, texts and order.
// Read once from the raw resource (exact dialog units and style bits) and once
// from the dialog Windows builds from it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app_version.h"
#include "resources/resource.h"
#include "test_support.h"

namespace {

enum Kind {
    kGroupBox,
    kRadio,
    kCheckBox,
    kPushButton,
    kEditBox,
    kTrackbar,
    kCombo,
    kStaticLeft,
    kStaticCenter,
    kStaticRight,
    kTabButtons,
    kTabButtonsMultiline,
};

enum Flag : unsigned {
    kPlain = 0,
    kDisabled = 1,
    kHidden = 2,
    kStaticEdge = 4,
    kNoPrefix = 8, // a static text that shows "&" as it is
};

struct ExpectedControl {
    int id;
    Kind kind;
    int x, y, w, h;
    unsigned flags;
    const char* text; // UTF-8 template text the control keeps, or null
};

const int kControlCount = 253;
const int kDialogWidth = 351;
const int kDialogHeight = 451;
const char* const kTemplateCaption = "音频播放设置";
const char* const kPickText = "...";

// Places of one animal page: the left column starts at labelLeftX, the right
// at labelRightX except Black Bear's wider label; rows are 10 units apart.
struct AnimalPagePlaces {
    int labelLeftX, labelRightX, bearLabelX, labelLeftW, rowY;
    int pickLeftX, pickRightX, checkLeftX, checkRightX;
};
const AnimalPagePlaces kAnimalPagePlaces[3] = {
    {185, 263, 259, 20, 89, 211, 296, 234, 320},
    {182, 262, 258, 30, 88, 216, 295, 240, 319},
    {186, 266, 262, 30, 89, 220, 299, 244, 323},
};
const int kLynx = 4;
const int kBlackBear = 6;

// Random rows of copy pages 0 to 2: label place, "..." and check box at x 232 / 256.
struct RandomRowPlace {
    int labelY, labelH, pickY;
};
const RandomRowPlace kRandomRowPlaces[kExpectedRandomPages] = {
    {101, 16, 103}, {104, 18, 105}, {106, 18, 107}};

struct HiddenRowPlace {
    int y, labelW;
    const char* text;
};
const HiddenRowPlace kHiddenRowPlaces[3] = {
    {103, 22, "定时A"}, {108, 33, "感应定时"}, {113, 22, "定时B"}};

void AddRow(std::vector<ExpectedControl>& controls, const ExpectedRowIds& ids, Kind labelKind,
            int labelX, int labelY, int labelW, int labelH, int pickX, int pickY, int checkX,
            int checkY, unsigned flags, const char* labelText)
{
    controls.push_back({ids.label, labelKind, labelX, labelY, labelW, labelH, flags, labelText});
    controls.push_back({ids.pick, kPushButton, pickX, pickY, 18, 10, flags, kPickText});
    controls.push_back({ids.check, kCheckBox, checkX, checkY, 10, 8, flags | kDisabled, nullptr});
}

std::vector<ExpectedControl> ExpectedControls()
{
    std::vector<ExpectedControl> controls = {
        // Settings area and the save directory.
        {40155, kGroupBox, 10, 4, 332, 36, kPlain, nullptr},
        {40154, kEditBox, 18, 15, 256, 20, kPlain, nullptr},
        {40153, kPushButton, 278, 17, 57, 16, kPlain, nullptr},
        {40008, kGroupBox, 10, 43, 79, 30, kPlain, nullptr},
        {40011, kRadio, 18, 53, 55, 8, kPlain, nullptr},
        {40014, kRadio, 18, 63, 55, 8, kPlain, nullptr},
        {40017, kGroupBox, 92, 43, 79, 23, kPlain, nullptr},
        {40020, kTrackbar, 96, 53, 59, 12, kPlain, nullptr},
        {40005, kStaticCenter, 155, 55, 11, 9, kPlain, "5"},
        {40023, kGroupBox, 92, 67, 79, 26, kPlain, nullptr},
        {40038, kCombo, 96, 78, 70, 16, kPlain, nullptr},
        {40033, kGroupBox, 10, 75, 79, 30, kPlain, nullptr},
        {40027, kCombo, 14, 88, 70, 16, kPlain, nullptr},
        {40002, kGroupBox, 10, 107, 83, 30, kPlain, nullptr},
        {40034, kCombo, 14, 120, 70, 16, kPlain, nullptr},
        {40241, kGroupBox, 92, 95, 79, 42, kPlain, nullptr},
        {40246, kStaticLeft, 96, 107, 8, 9, kPlain, "A"},
        {40244, kCombo, 106, 106, 60, 13, kPlain, nullptr},
        {40243, kStaticLeft, 96, 123, 8, 9, kPlain, "B"},
        {40245, kCombo, 106, 121, 60, 13, kPlain, nullptr},
        {40030, kGroupBox, 10, 134, 91, 25, kPlain, nullptr},
        {40240, kStaticLeft, 14, 141, 49, 15, kPlain, nullptr},
        {40242, kCombo, 67, 143, 29, 13, kPlain, nullptr},
        {65535, kGroupBox, 103, 134, 68, 27, kPlain, nullptr},
        {40239, kStaticLeft, 107, 142, 33, 17, kPlain, nullptr},
        {40238, kCombo, 142, 143, 25, 13, kPlain, nullptr},
        {40192, kGroupBox, 10, 156, 161, 25, kPlain, nullptr},
        {40252, kStaticLeft, 12, 162, 33, 16, kPlain, nullptr},
        {40193, kCombo, 45, 164, 25, 16, kPlain, nullptr},
        {40196, kStaticLeft, 73, 165, 13, 9, kPlain, nullptr},
        {40197, kStaticLeft, 82, 165, 8, 9, kPlain, ":"},
        {40198, kCombo, 86, 164, 25, 16, kPlain, nullptr},
        {40199, kStaticLeft, 114, 165, 13, 9, kPlain, nullptr},
        {40202, kStaticLeft, 123, 165, 8, 9, kPlain, ":"},
        {40200, kCombo, 128, 164, 29, 16, kPlain, nullptr},
        {40201, kStaticLeft, 159, 165, 11, 9, kPlain, nullptr},
        {40247, kGroupBox, 10, 179, 332, 25, kPlain, nullptr},
        {40248, kStaticCenter, 14, 189, 60, 9, kPlain, nullptr},
        {40250, kCombo, 76, 187, 48, 30, kPlain, nullptr},
        {40249, kStaticCenter, 131, 190, 60, 9, kPlain, nullptr},
        {40251, kCombo, 194, 188, 48, 30, kPlain, nullptr},
        {40191, kStaticRight, 11, 206, 330, 23, kDisabled | kStaticEdge | kNoPrefix, nullptr},
        // Hourly plan.
        {40046, kStaticLeft, 10, 230, 76, 9, kPlain, nullptr},
        {40026, kTabButtons, 10, 239, 332, 185, kStaticEdge, nullptr},
        // Bottom edge.
        {40152, kPushButton, 154, 430, 57, 16, kPlain, nullptr},
        {40182, kStaticLeft, 17, 441, 22, 9, kDisabled, APP_VERSION_LABEL},
        // Copy panel.
        {40237, kStaticLeft, 175, 43, 33, 9, kPlain, nullptr},
        {40042, kTabButtonsMultiline, 175, 52, 166, 122, kStaticEdge, nullptr},
        {40151, kPushButton, 239, 151, 46, 14, kPlain, nullptr},
    };

    // The hour grid: two columns of twelve rows, 14 units apart.
    static char hourTexts[24][16];
    for (int hour = 0; hour < 24; ++hour) {
        const ExpectedHourIds& ids = kExpectedHourIds[hour];
        int row = hour % 12;
        bool left = hour < 12;
        snprintf(hourTexts[hour], sizeof hourTexts[hour], "%02d:00-%02d:59", hour, hour);
        controls.push_back({ids.label, kStaticLeft, left ? 20 : 198, 257 + 14 * row, 39, 9, kPlain,
                            hourTexts[hour]});
        for (int id : {ids.sensePlan, ids.planA, ids.planB})
            controls.push_back(
                {id, kCombo, left ? 66 : 244, 254 + 14 * row, 85, 12, kPlain, nullptr});
    }

    for (int page = 0; page < kExpectedRandomPages; ++page) {
        const RandomRowPlace& place = kRandomRowPlaces[page];
        AddRow(controls, ExpectedCopyRow(page, 0), kStaticCenter, 179, place.labelY, 52,
               place.labelH, 232, place.pickY, 256, place.pickY + 1, kPlain, nullptr);
    }

    // Animal rows: 0 to 4 in the left column, 5 to 9 in the right.
    for (int page = kExpectedRandomPages; page < kExpectedCopyPages; ++page) {
        const AnimalPagePlaces& places = kAnimalPagePlaces[page - kExpectedRandomPages];
        for (int animal = 0; animal < 10; ++animal) {
            int y = places.rowY + 10 * (animal % 5);
            ExpectedRowIds ids = ExpectedCopyRow(page, animal);
            if (animal < 5)
                AddRow(controls, ids, kStaticLeft, places.labelLeftX, y, places.labelLeftW,
                       animal == kLynx ? 9 : 8, places.pickLeftX, y, places.checkLeftX, y + 1,
                       kPlain, nullptr);
            else if (animal == kBlackBear)
                AddRow(controls, ids, kStaticCenter, places.bearLabelX, y, 36, 9, places.pickRightX,
                       y, places.checkRightX, y + 1, kPlain, nullptr);
            else
                AddRow(controls, ids, kStaticCenter, places.labelRightX, y, 32, 9,
                       places.pickRightX, y, places.checkRightX, y + 1, kPlain, nullptr);
        }
    }

    for (int row = 0; row < 3; ++row) {
        const HiddenRowPlace& place = kHiddenRowPlaces[row];
        AddRow(controls, kExpectedHiddenRows[row], kStaticLeft, 189, place.y, place.labelW, 9, 223,
               place.y, 247, place.y + 1, kHidden | kDisabled, place.text);
    }
    return controls;
}

const wchar_t* ClassOf(Kind kind)
{
    switch (kind) {
        case kGroupBox:
        case kRadio:
        case kCheckBox:
        case kPushButton: {
            return L"Button";
        }
        case kEditBox: {
            return L"Edit";
        }
        case kTrackbar: {
            return L"msctls_trackbar32";
        }
        case kCombo: {
            return L"ComboBox";
        }
        case kTabButtons:
        case kTabButtonsMultiline: {
            return L"SysTabControl32";
        }
        default: {
            return L"Static";
        }
    }
}

bool HasTabStop(Kind kind)
{
    return kind == kPushButton || kind == kCheckBox || kind == kEditBox || kind == kTrackbar;
}

bool Has(DWORD style, DWORD bits)
{
    return (style & bits) == bits;
}

// The style bits a control of this kind and these flags must carry, whether
// read from the template or from the live window.
void ExpectStyle(const ExpectedControl& control, DWORD style, DWORD exStyle)
{
    EXPECT_EQ(Has(style, WS_TABSTOP), HasTabStop(control.kind)) << "tab stop";
    EXPECT_EQ(Has(exStyle, WS_EX_STATICEDGE), (control.flags & kStaticEdge) != 0) << "static edge";
    EXPECT_EQ(Has(style, WS_VISIBLE), (control.flags & kHidden) == 0) << "visible";
    EXPECT_EQ(Has(style, WS_DISABLED), (control.flags & kDisabled) != 0) << "disabled";
    if (ClassOf(control.kind) == std::wstring(L"Static")) {
        EXPECT_EQ(Has(style, SS_NOPREFIX), (control.flags & kNoPrefix) != 0) << "no prefix";
    }
    switch (control.kind) {
        case kGroupBox: {
            EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_GROUPBOX));
            break;
        }
        case kRadio: {
            EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_AUTORADIOBUTTON));
            break;
        }
        case kCheckBox: {
            EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_AUTOCHECKBOX));
            break;
        }
        case kPushButton: {
            EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON));
            break;
        }
        case kEditBox: {
            EXPECT_TRUE(Has(style, ES_MULTILINE));
            EXPECT_FALSE(Has(style, ES_AUTOVSCROLL));
            EXPECT_FALSE(Has(style, ES_AUTOHSCROLL)) << "a long path must wrap";
            break;
        }
        case kTrackbar: {
            EXPECT_TRUE(Has(style, TBS_NOTICKS | TBS_BOTH));
            EXPECT_FALSE(Has(style, TBS_VERT));
            break;
        }
        case kCombo: {
            EXPECT_EQ(style & 3, static_cast<DWORD>(CBS_DROPDOWN));
            EXPECT_TRUE(Has(style, CBS_HASSTRINGS));
            EXPECT_FALSE(Has(style, CBS_SORT));
            break;
        }
        case kStaticLeft: {
            EXPECT_EQ(style & SS_TYPEMASK, static_cast<DWORD>(SS_LEFT));
            break;
        }
        case kStaticCenter: {
            EXPECT_EQ(style & SS_TYPEMASK, static_cast<DWORD>(SS_CENTER));
            break;
        }
        case kStaticRight: {
            EXPECT_EQ(style & SS_TYPEMASK, static_cast<DWORD>(SS_RIGHT));
            break;
        }
        case kTabButtons: {
            EXPECT_TRUE(Has(style, TCS_BUTTONS));
            EXPECT_FALSE(Has(style, TCS_MULTILINE));
            break;
        }
        case kTabButtonsMultiline: {
            EXPECT_TRUE(Has(style, TCS_BUTTONS | TCS_MULTILINE));
            break;
        }
    }
}

std::string Describe(const ExpectedControl& control)
{
    char text[64];
    snprintf(text, sizeof text, "control %d at %d, %d", control.id, control.x, control.y);
    return text;
}

// --- The raw template ---------------------------------------------------

struct TemplateItem {
    DWORD style;
    DWORD exStyle;
    int x, y, w, h;
    WORD id;
    int classAtom; // 0 when the class is named
    std::wstring className;
    std::wstring title;
};

struct DialogTemplate {
    bool extended = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    int count = 0;
    int x = 0, y = 0, w = 0, h = 0;
    bool hasMenu = false;
    bool hasClass = false;
    std::wstring caption;
    int pointSize = 0;
    std::wstring font;
    std::vector<TemplateItem> items;
};

class TemplateReader {
  public:
    explicit TemplateReader(const WORD* start) : start_(start), at_(start) {}
    WORD Word()
    {
        return *at_++;
    }
    DWORD Dword()
    {
        DWORD low = Word();
        return low | (static_cast<DWORD>(Word()) << 16);
    }
    int Short()
    {
        return static_cast<short>(Word());
    }
    std::wstring String()
    {
        std::wstring text;
        for (WORD c = Word(); c; c = Word())
            text += static_cast<wchar_t>(c);
        return text;
    }
    // A name or, after 0xFFFF, an ordinal; returns the ordinal or 0.
    int NameOrOrdinal(std::wstring& name)
    {
        if (*at_ == 0xFFFF) {
            ++at_;
            return Word();
        }
        name = String();
        return 0;
    }
    void AlignDword()
    {
        if ((at_ - start_) % 2)
            ++at_;
    }
    void Skip(int bytes)
    {
        at_ += (bytes + 1) / 2;
    }

  private:
    const WORD* start_;
    const WORD* at_;
};

DialogTemplate ReadDialogTemplate()
{
    DialogTemplate result;
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(104), MAKEINTRESOURCEW(5));
    if (!resource)
        return result;
    const WORD* data = static_cast<const WORD*>(LockResource(LoadResource(nullptr, resource)));
    TemplateReader reader(data);
    result.extended = data[0] == 1 && data[1] == 0xFFFF;
    if (result.extended)
        return result;
    result.style = reader.Dword();
    result.exStyle = reader.Dword();
    result.count = reader.Word();
    result.x = reader.Short();
    result.y = reader.Short();
    result.w = reader.Short();
    result.h = reader.Short();
    std::wstring name;
    result.hasMenu = reader.NameOrOrdinal(name) != 0 || !name.empty();
    name.clear();
    result.hasClass = reader.NameOrOrdinal(name) != 0 || !name.empty();
    result.caption = reader.String();
    if (result.style & DS_SETFONT) {
        result.pointSize = reader.Word();
        result.font = reader.String();
    }
    for (int i = 0; i < result.count; ++i) {
        reader.AlignDword();
        TemplateItem item;
        item.style = reader.Dword();
        item.exStyle = reader.Dword();
        item.x = reader.Short();
        item.y = reader.Short();
        item.w = reader.Short();
        item.h = reader.Short();
        item.id = reader.Word();
        item.classAtom = reader.NameOrOrdinal(item.className);
        std::wstring title;
        if (reader.NameOrOrdinal(title) == 0)
            item.title = title;
        reader.Skip(reader.Word());
        result.items.push_back(item);
    }
    return result;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR list)
{
    reinterpret_cast<std::vector<WORD>*>(list)->push_back(language);
    return TRUE;
}

const wchar_t* ClassOfAtom(int atom)
{
    switch (atom) {
        case 0x80: {
            return L"Button";
        }
        case 0x81: {
            return L"Edit";
        }
        case 0x82: {
            return L"Static";
        }
        case 0x85: {
            return L"ComboBox";
        }
        default: {
            return L"?";
        }
    }
}

TEST(DialogTemplate, IsOnePlainLanguageNeutralDialogOfTheGivenSizeStyleAndFont)
{
    std::vector<WORD> languages;
    EnumResourceLanguagesW(nullptr, MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(104), CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    EXPECT_EQ(languages, std::vector<WORD>{MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)});

    DialogTemplate dialog = ReadDialogTemplate();
    ASSERT_FALSE(dialog.extended) << "the template must be the plain form";
    EXPECT_EQ(dialog.style,
              static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                                 DS_CENTER | DS_3DLOOK | DS_SETFONT | DS_FIXEDSYS));
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_EQ(dialog.count, kControlCount);
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.w, kDialogWidth);
    EXPECT_EQ(dialog.h, kDialogHeight);
    EXPECT_FALSE(dialog.hasMenu);
    EXPECT_FALSE(dialog.hasClass);
    EXPECT_EQ(dialog.caption, FromUtf8(kTemplateCaption));
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.font, L"Ms Shell Dlg");
}

TEST(DialogTemplate, HoldsEveryControlOnceWithItsClassPlaceAndStyle)
{
    DialogTemplate dialog = ReadDialogTemplate();
    ASSERT_FALSE(dialog.extended);
    std::map<WORD, std::vector<const TemplateItem*>> byId;
    for (const TemplateItem& item : dialog.items)
        byId[item.id].push_back(&item);

    std::vector<ExpectedControl> expected = ExpectedControls();
    ASSERT_EQ(static_cast<int>(expected.size()), kControlCount);
    EXPECT_EQ(byId.size(), expected.size()) << "identifiers in the template";
    for (const ExpectedControl& control : expected) {
        SCOPED_TRACE(Describe(control));
        const auto found = byId.find(static_cast<WORD>(control.id));
        ASSERT_NE(found, byId.end()) << "missing";
        ASSERT_EQ(found->second.size(), 1u) << "identifier used more than once";
        const TemplateItem& item = *found->second[0];
        std::wstring className = item.classAtom ? ClassOfAtom(item.classAtom) : item.className;
        EXPECT_EQ(lstrcmpiW(className.c_str(), ClassOf(control.kind)), 0) << "class";
        EXPECT_EQ(item.x, control.x);
        EXPECT_EQ(item.y, control.y);
        EXPECT_EQ(item.w, control.w);
        EXPECT_EQ(item.h, control.h);
        EXPECT_TRUE(Has(item.style, WS_CHILD));
        ExpectStyle(control, item.style, item.exStyle);
        if (control.kind == kEditBox) {
            EXPECT_TRUE(Has(item.style, WS_BORDER)) << "border";
        }
        if (control.text) {
            EXPECT_EQ(item.title, FromUtf8(control.text));
        }
    }
}

// --- The dialog built from the template -------------------------------------

BOOL CALLBACK CountDirectChild(HWND window, LPARAM counter)
{
    auto* count = reinterpret_cast<std::pair<HWND, int>*>(counter);
    if (GetParent(window) == count->first)
        ++count->second;
    return TRUE;
}

class TemplateDialog : public testing::Test {
  protected:
    void SetUp() override
    {
        dialog_ = CreateTemplateDialog();
        ASSERT_NE(dialog_, nullptr);
        for (HWND child : ChildrenInTemplateOrder(dialog_))
            byId_[static_cast<WORD>(GetDlgCtrlID(child))].push_back(child);
    }
    void TearDown() override
    {
        if (dialog_)
            DestroyWindow(dialog_);
    }

    HWND Control(int id) const
    {
        auto found = byId_.find(static_cast<WORD>(id));
        return found == byId_.end() || found->second.size() != 1 ? nullptr : found->second[0];
    }

    // A rectangle in dialog units as x, y, width, height in pixels.
    RECT Pixels(int x, int y, int w, int h) const
    {
        RECT rect = {x, y, w, h};
        MapDialogRect(dialog_, &rect);
        return rect;
    }

    HWND dialog_ = nullptr;
    std::map<WORD, std::vector<HWND>> byId_;
};

TEST_F(TemplateDialog, HasTheTemplateCaptionClientSizeAndStyle)
{
    wchar_t caption[64] = {};
    GetWindowTextW(dialog_, caption, 64);
    EXPECT_EQ(std::wstring(caption), FromUtf8(kTemplateCaption));

    RECT client;
    GetClientRect(dialog_, &client);
    RECT expected = Pixels(0, 0, kDialogWidth, kDialogHeight);
    EXPECT_EQ(client.right, expected.right);
    EXPECT_EQ(client.bottom, expected.bottom);

    DWORD style = static_cast<DWORD>(GetWindowLongW(dialog_, GWL_STYLE));
    EXPECT_TRUE(Has(style, WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU));
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD));
    EXPECT_EQ(GetMenu(dialog_), nullptr);
    wchar_t className[64] = {};
    GetClassNameW(dialog_, className, 64);
    EXPECT_STREQ(className, L"#32770");
}

TEST_F(TemplateDialog, CreatesExactly253ControlsWithDistinctIdentifiers)
{
    std::pair<HWND, int> counter(dialog_, 0);
    EnumChildWindows(dialog_, CountDirectChild, reinterpret_cast<LPARAM>(&counter));
    EXPECT_EQ(counter.second, kControlCount);
    EXPECT_EQ(static_cast<int>(byId_.size()), kControlCount);
    for (const auto& entry : byId_)
        EXPECT_EQ(entry.second.size(), 1u) << "identifier " << entry.first;
}

TEST_F(TemplateDialog, EveryControlHasItsClassPlaceStyleStateAndText)
{
    for (const ExpectedControl& control : ExpectedControls()) {
        SCOPED_TRACE(Describe(control));
        HWND window = Control(control.id);
        ASSERT_NE(window, nullptr) << "missing";

        wchar_t className[64] = {};
        GetClassNameW(window, className, 64);
        EXPECT_EQ(lstrcmpiW(className, ClassOf(control.kind)), 0) << "class";

        RECT expected = Pixels(control.x, control.y, control.w, control.h);
        RECT actual;
        GetWindowRect(window, &actual);
        MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, expected.left) << "x";
        EXPECT_EQ(actual.top, expected.top) << "y";
        EXPECT_EQ(actual.right - actual.left, expected.right) << "width";
        // A drop-down combo box is as high as its edit field, not its list.
        if (control.kind != kCombo) {
            EXPECT_EQ(actual.bottom - actual.top, expected.bottom) << "height";
        }

        ExpectStyle(control, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)),
                    static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
        EXPECT_EQ(IsWindowEnabled(window) != 0, (control.flags & (kDisabled | kHidden)) == 0)
            << "enabled";

        if (control.text) {
            wchar_t text[64] = {};
            GetWindowTextW(window, text, 64);
            EXPECT_EQ(std::wstring(text), FromUtf8(control.text)) << "text";
        }
    }
}

TEST_F(TemplateDialog, EachTabControlPrecedesTheControlsOverIt)
{
    std::vector<HWND> order = ChildrenInTemplateOrder(dialog_);
    std::map<HWND, size_t> position;
    for (size_t i = 0; i < order.size(); ++i)
        position[order[i]] = i;

    std::vector<ExpectedControl> controls = ExpectedControls();
    int checked = 0;
    for (const ExpectedControl& tab : controls) {
        if (tab.kind != kTabButtons && tab.kind != kTabButtonsMultiline)
            continue;
        ASSERT_NE(Control(tab.id), nullptr);
        for (const ExpectedControl& control : controls) {
            bool over = control.id != tab.id && control.x >= tab.x && control.y >= tab.y &&
                        control.x + control.w <= tab.x + tab.w &&
                        control.y + control.h <= tab.y + tab.h;
            if (!over)
                continue;
            SCOPED_TRACE(Describe(control));
            ASSERT_NE(Control(control.id), nullptr);
            EXPECT_GT(position[Control(control.id)], position[Control(tab.id)])
                << "over tab " << tab.id;
            ++checked;
        }
    }
    // The 96 grid controls over the plan tab; over the copy tab the 33
    // category rows, the three hidden rows and the Copy button.
    EXPECT_EQ(checked, 96 + 3 * 33 + 3 * 3 + 1);
}

TEST_F(TemplateDialog, SaveDirectoryEditIsTheFirstTabStop)
{
    HWND first = nullptr;
    for (HWND child : ChildrenInTemplateOrder(dialog_)) {
        if (GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) {
            first = child;
            break;
        }
    }
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetDlgCtrlID(first), 40154);
}

TEST(MainDialogFocus, OpensWithTheFocusOnTheSaveDirectoryEdit)
{
    ResetSession();
    HWND dialog = CreateMainDialog();
    ASSERT_NE(dialog, nullptr);
    HWND focus = GetFocus();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(GetDlgCtrlID(focus), 40154);
    DestroyWindow(dialog);
}

// --- Display scale ----------------------------------------------------------
// CTest runs this file once more in a prefix at 150 % (EXPECTED_DPI 144): the
// places above must hold there as they are, in dialog units, and no text may
// be cut that the fixed layout does not cut at 100 % already.

// What the layout cuts at 96 DPI, as "identifier text; "; combo boxes by item.
const char* const kCutAt96Dpi =
    "40002 Timing Playback Mode; 40027 Random Playback; 40027 Time & File Specified; "
    "40033 Sensing Playback Mode; 40085 Black Bear; "
    "40161 Black Bear; 40213 Leopard; 40216 Human; 40225 Black Bear; 40238 Off; "
    "40240 Playback Pause Days; 40244 Random Playback; 40244 Time & File Specified; "
    "40245 Random Playback; 40245 Time & File Specified; ";

// The size of text drawn in the control's font into the given width.
SIZE TextSize(HWND control, const std::wstring& text, UINT format, LONG width)
{
    HDC dc = GetDC(control);
    HGDIOBJ font =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT rect = {0, 0, width, 0};
    DrawTextW(dc, text.c_str(), -1, &rect, format | DT_CALCRECT);
    SelectObject(dc, font);
    ReleaseDC(control, dc);
    return {rect.right, rect.bottom};
}

// Every text of the dialog that needs more room than its control gives it.
std::set<std::string> CutTexts(HWND dialog)
{
    std::set<std::string> cut;
    for (HWND control : ChildrenInTemplateOrder(dialog)) {
        std::vector<std::wstring> texts; // what does not fit
        std::wstring text = ControlTextW(dialog, GetDlgCtrlID(control));
        RECT room;
        GetClientRect(control, &room);
        wchar_t kind[32] = {};
        GetClassNameW(control, kind, 32);
        bool button = !lstrcmpiW(kind, L"Button") && !text.empty();
        if (!lstrcmpiW(kind, L"Static")) { // wrapped into its lines
            SIZE size = TextSize(control, text, DT_WORDBREAK | DT_EXPANDTABS, room.right);
            if (size.cx > room.right || size.cy > room.bottom)
                texts.push_back(text);
        } else if (button && (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX) {
            RECT inset = {4, 0, 0, 0}; // the caption starts about 4 units in
            MapDialogRect(dialog, &inset);
            if (TextSize(control, text, DT_SINGLELINE, 0).cx > room.right - 2 * inset.left)
                texts.push_back(text);
        } else if (button) { // with its box or circle
            SIZE ideal = {};
            SendMessageW(control, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal));
            if (ideal.cx > room.right)
                texts.push_back(text);
        } else if (!lstrcmpiW(kind, L"ComboBox")) { // each item in the edit field
            COMBOBOXINFO info = {};
            info.cbSize = sizeof info;
            GetComboBoxInfo(control, &info);
            for (int item = 0; item < SendMessageW(control, CB_GETCOUNT, 0, 0); ++item) {
                wchar_t itemText[128] = {};
                if (SendMessageW(control, CB_GETLBTEXTLEN, item, 0) < 128)
                    SendMessageW(control, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(itemText));
                LONG width = TextSize(control, itemText, DT_SINGLELINE | DT_NOPREFIX, 0).cx;
                if (width > info.rcItem.right - info.rcItem.left)
                    texts.push_back(itemText);
                if (width > SendMessageW(control, CB_GETDROPPEDWIDTH, 0, 0))
                    texts.push_back(std::wstring(L"dropped ") + itemText);
            }
        }
        for (const std::wstring& cutText : texts) {
            char entry[160];
            snprintf(entry, sizeof entry, "%d %ls; ", GetDlgCtrlID(control), cutText.c_str());
            cut.insert(entry);
        }
    }
    return cut;
}

// The text of the tip shown once the pointer has rested on the control.
std::wstring TipAfterHover(HWND dialog, HWND control)
{
    RECT place;
    GetWindowRect(control, &place);
    for (int x : {place.left + 2, (place.left + place.right) / 2}) {
        SetCursorPos(x, (place.top + place.bottom) / 2);
        PumpDialog(dialog, 50);
    }
    PumpDialog(dialog, 1500);
    wchar_t text[128] = {};
    for (HWND tip = nullptr; (tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr));) {
        if (GetWindow(tip, GW_OWNER) == dialog && IsWindowVisible(tip))
            GetWindowTextW(tip, text, 128);
    }
    return text;
}

// The fonts of the controls that draw text (the trackbar draws none).
std::vector<LOGFONTW> ControlFonts(HWND dialog)
{
    std::vector<LOGFONTW> fonts;
    for (HWND window : ChildrenInTemplateOrder(dialog)) {
        LOGFONTW font = {};
        HGDIOBJ handle = reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0));
        if (handle && GetObjectW(handle, sizeof font, &font))
            fonts.push_back(font);
    }
    return fonts;
}

TEST(DisplayScale, TheIconsAndTheRoomOfEveryTextFollowTheScale)
{
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const char* expected = getenv("EXPECTED_DPI");
    ASSERT_EQ(dpi, expected ? atoi(expected) : 96) << "the display scale of this run";

    ResetSession();
    HWND dialog = CreateMainDialog();
    ASSERT_NE(dialog, nullptr);
    for (auto icon :
         {std::make_pair(ICON_SMALL, SM_CXSMICON), std::make_pair(ICON_BIG, SM_CXICON)}) {
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(
            reinterpret_cast<HICON>(SendMessageW(dialog, WM_GETICON, icon.first, 0)), &info));
        BITMAP image = {};
        GetObjectW(info.hbmColor, sizeof image, &image);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        EXPECT_EQ(image.bmWidth, GetSystemMetrics(icon.second)) << "icon kind " << icon.first;
    }

    std::set<std::string> cut = CutTexts(dialog);
    // An English text a control cuts is one hover away, here on a disabled
    // combo box; a text shown whole has no tip.
    HWND senseMode = GetDlgItem(dialog, 40027), browse = GetDlgItem(dialog, 40153);
    bool modeCut = cut.count("40027 Random Playback; ") != 0;
    EXPECT_EQ(TipAfterHover(dialog, senseMode), modeCut ? L"Random Playback" : L"");
    EXPECT_EQ(TipAfterHover(dialog, browse), L"");
    std::vector<LOGFONTW> english = ControlFonts(dialog);
    RememberedLanguageValue remembered;
    SendMessageW(dialog, WM_SYSCOMMAND, IDM_LANGUAGE_CHINESE, 0);
    std::set<std::string> chineseCut = CutTexts(dialog);
    EXPECT_EQ(TipAfterHover(dialog, senseMode), L"");
    // One Chinese interface font on every control, of the template's size.
    std::vector<LOGFONTW> chinese = ControlFonts(dialog);
    for (const LOGFONTW& font : chinese)
        EXPECT_TRUE(!wcscmp(font.lfFaceName, chinese[0].lfFaceName) &&
                    font.lfHeight == english[0].lfHeight)
            << font.lfFaceName;
    EXPECT_TRUE(!wcscmp(chinese[0].lfFaceName, L"Microsoft YaHei UI") ||
                !wcscmp(chinese[0].lfFaceName, L"SimSun"))
        << chinese[0].lfFaceName;
    SendMessageW(dialog, WM_SYSCOMMAND, IDM_LANGUAGE_ENGLISH, 0);
    for (const LOGFONTW& font : ControlFonts(dialog))
        EXPECT_TRUE(!memcmp(&font, &english[0], sizeof font)) << font.lfFaceName;
    DestroyWindow(dialog);
    // The template was laid out for the Chinese captions: none is cut.
    for (const std::string& text : chineseCut)
        EXPECT_TRUE(dpi == 144 && text.find(":00-") != std::string::npos) << text << "in Chinese";
    std::string all;
    for (const std::string& text : cut) {
        all += text;
        // The hour labels, 39 units wide, hold "00:00-00:59" in Wine's Tahoma
        // with a pixel to spare at 96 DPI and lack two at 144 DPI: the one
        // known cut of that scale, as the template fixes their width.
        bool hourLabel = text.find(":00-") != std::string::npos;
        EXPECT_TRUE(strstr(kCutAt96Dpi, text.c_str()) || (dpi == 144 && hourLabel))
            << text << "is cut at " << dpi << " DPI";
    }
    if (dpi == 96) {
        EXPECT_EQ(all, kCutAt96Dpi);
    }
}

} // namespace
