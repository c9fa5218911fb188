#include "ui/apply_texts.h"

#include "model/session_state.h"
#include "platform/dialog_ops.h"
#include "resources/control_groups.h"
#include "texts/interface_texts.h"
#include "texts/shown_language.h"

namespace {

// Where a caption goes: a control found by its identifier, a control of the
// control map, or a span of animal labels of the three animal rows.
enum CaptionTarget {
    kDialogItem,
    kMappedControl,
    kAnimalLabels,
};

typedef HWND (*MapLookup)(const ControlMap& map);

struct CaptionStep {
    CaptionTarget Target;
    int Pair;         // LabelTable pair; unused for animal labels
    int Id;           // identifier of a dialog item
    MapLookup Lookup; // handle of a mapped control
    int FirstAnimal;  // AnimalIndex range of an animal-label span
    int AnimalCount;
};

constexpr CaptionStep DialogItem(int pair, int id)
{
    return {kDialogItem, pair, id, nullptr, 0, 0};
}

constexpr CaptionStep Mapped(int pair, MapLookup lookup)
{
    return {kMappedControl, pair, 0, lookup, 0, 0};
}

constexpr CaptionStep AnimalLabels(int firstAnimal, int count)
{
    return {kAnimalLabels, 0, 0, nullptr, firstAnimal, count};
}

// Every caption that replaces the template's text, in the order it is set.
const CaptionStep kCaptionSteps[] = {
    DialogItem(kLabelSaveDirectory, IDC_SAVE_DIR_GROUP),
    DialogItem(kLabelBrowse, IDC_BROWSE_BUTTON),
    DialogItem(kLabelPlaybackSwitch, IDC_SWITCH_GROUP),
    Mapped(kLabelOff, [](const ControlMap& map) { return map.OffRadio; }),
    Mapped(kLabelOn, [](const ControlMap& map) { return map.OnRadio; }),
    DialogItem(kLabelVolume, IDC_VOLUME_GROUP),
    DialogItem(kLabelSensingMode, IDC_SEN_MOD_GROUP),
    DialogItem(kLabelTimingMode, IDC_TIMER_MOD_GROUP),
    DialogItem(kLabelPlaybackDelay, IDC_DELAY_GROUP),
    DialogItem(kLabelPeriodicLoop, IDC_PERIODIC_LOOP_GROUP),
    Mapped(kLabelPauseDays, [](const ControlMap& map) { return map.PauseDaysLabel; }),
    Mapped(kLabelTimeLapse, [](const ControlMap& map) { return map.TimeLapseLabel; }),
    Mapped(kLabelShootingInterval,
           [](const ControlMap& map) { return map.ShotInterval.ShotLabel; }),
    Mapped(kLabelHourUnit, [](const ControlMap& map) { return map.ShotInterval.ShotHourUnit; }),
    Mapped(kLabelMinuteUnit, [](const ControlMap& map) { return map.ShotInterval.ShotMinUnit; }),
    Mapped(kLabelSecondUnit, [](const ControlMap& map) { return map.ShotInterval.ShotSecUnit; }),
    DialogItem(kLabelCopyFile, IDC_COPY_CAPTION),
    AnimalLabels(0, 5), // Dog .. Lynx
    Mapped(kLabelSenseRand, [](const ControlMap& map) { return map.SenseRandRow.Label; }),
    Mapped(kLabelTimingRandA, [](const ControlMap& map) { return map.TimingRandARow.Label; }),
    Mapped(kLabelTimingRandB, [](const ControlMap& map) { return map.TimingRandBRow.Label; }),
    AnimalLabels(5, 5), // Red fox .. Bird C
    DialogItem(kLabelPlayDaysA, IDC_PLAY_DAYS_A_LABEL),
    DialogItem(kLabelPlayDaysB, IDC_PLAY_DAYS_B_LABEL),
    Mapped(kLabelCopy, [](const ControlMap& map) { return map.CopyButton; }),
    Mapped(kLabelStatusIdle, [](const ControlMap& map) { return map.StatusLine; }),
    DialogItem(kLabelPlan, IDC_PLAN_CAPTION),
    DialogItem(kLabelGenerate, IDC_GENERATE_BUTTON),
};

// An animal's label is set on the timing A row, then the sensing row, then
// the timing B row, one animal after another within each row.
void ApplyAnimalLabels(int firstAnimal, int count)
{
    const ControlMap& map = g_Session.ControlMap;
    const CopyRow* const rows[] = {map.TimingARow, map.SenseSpecRow, map.TimingBRow};
    for (const CopyRow* row : rows) {
        for (int animal = firstAnimal; animal < firstAnimal + count; ++animal)
            SetControlText(row[animal].Label, ListItem(kAnimalItems, animal));
    }
}

void ApplyCaption(HWND dialog, const CaptionStep& step)
{
    switch (step.Target) {
        case kDialogItem: {
            SetControlText(GetDlgItem(dialog, step.Id), TextPair(LabelTable, step.Pair));
            break;
        }
        case kMappedControl: {
            SetControlText(step.Lookup(g_Session.ControlMap), TextPair(LabelTable, step.Pair));
            break;
        }
        case kAnimalLabels: {
            ApplyAnimalLabels(step.FirstAnimal, step.AnimalCount);
            break;
        }
    }
}

// The window caption and every control caption; the status line's idle text
// only where asked.
void ApplyCaptions(HWND dialog, bool statusLine)
{
    SetControlText(dialog, TextPair(TitleTable, kTitleWindowCaption));
    for (const CaptionStep& step : kCaptionSteps) {
        if (statusLine || step.Pair != kLabelStatusIdle)
            ApplyCaption(dialog, step);
    }
}

// Inserts one page per item of the list and selects the first page; the
// selection raises no page-change notification, so the index is set here.
void SetUpTabPages(HWND tab, ItemList pages, uint32_t* pageIndex)
{
    for (int page = 0; page < pages.Count; ++page)
        TabAddPage(tab, page, ListItem(pages, page));
    *pageIndex = 0;
    TabSelect(tab, 0);
}

void RelabelTabPages(HWND tab, ItemList pages)
{
    for (int page = 0; page < pages.Count; ++page)
        TabSetPageText(tab, page, ListItem(pages, page));
}

} // namespace

void ApplyInterfaceTexts(HWND dialog)
{
    ApplyCaptions(dialog, true);
    SetUpTabPages(g_Session.ControlMap.CopyTab, kCopyPageItems, &g_Session.CopyTabIndex);
    SetUpTabPages(g_Session.ControlMap.PlanTab, kPlanPageItems, &g_Session.PlanTabIndex);
}

void ApplyLanguageTexts(HWND dialog, bool statusIdle)
{
    ApplyCaptions(dialog, statusIdle);
    RelabelTabPages(g_Session.ControlMap.CopyTab, kCopyPageItems);
    RelabelTabPages(g_Session.ControlMap.PlanTab, kPlanPageItems);
}
