#include "sounds/card_readiness.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/file_replace.h"
#include "platform/folder_search.h"
#include "resources/control_groups.h"
#include "sounds/sound_replace.h"
#include "texts/interface_texts.h"
#include "texts/shown_language.h"

namespace {

// What a mode's value has its group play.
enum PlayWay { kPlaysNothing, kPlaysRandomFolder, kPlaysByPlan };

// Sensing and the two timing groups: the switch besides Ena that lets the
// group play (none for sensing), the mode that chooses how, the copy pages
// whose folders it plays from, and its plan. Names are the trace's.
struct PlayGroup {
    const char* SwitchName;
    uint8_t BroadcastConfig::*Switch;
    const char* ModeName;
    uint8_t BroadcastConfig::*Mode;
    PlayWay Ways[3]; // by the mode's value
    int WayCount;
    int RandomPage;
    int PlanPage;
    const char* PlanName;
    uint8_t (BroadcastConfig::*Plan)[kHours];
};

// clang-format off
const PlayGroup kPlayGroups[] = {
    {nullptr, nullptr, "SenMod", &BroadcastConfig::SenMod,
     {kPlaysNothing, kPlaysRandomFolder, kPlaysByPlan}, 3,
     kSenseRandPage, kSenseSpecPage, "type", &BroadcastConfig::type},
    {"TimerMod", &BroadcastConfig::TimerMod, "AlarmA", &BroadcastConfig::AlarmA,
     {kPlaysRandomFolder, kPlaysByPlan}, 2,
     kTimingRandAPage, kTimingAPage, "typeA", &BroadcastConfig::typeA},
    {"TimerMod", &BroadcastConfig::TimerMod, "AlarmB", &BroadcastConfig::AlarmB,
     {kPlaysRandomFolder, kPlaysByPlan}, 2,
     kTimingRandBPage, kTimingBPage, "typeB", &BroadcastConfig::typeB},
};
// clang-format on

// A place the settings play from: a folder relative to the save directory,
// or a setting's value that names none.
struct PlayedPlace {
    char Name[kTargetFolderSize];
    bool IsFolder;
};

// Each group plays from at most a place per hour.
const int kMostPlaces = 3 * kHours;

struct PlayedPlaces {
    PlayedPlace Place[kMostPlaces];
    int Count;
};

void AddPlace(PlayedPlaces* places, const char* name, bool isFolder)
{
    for (int i = 0; i < places->Count; ++i) {
        if (strcmp(places->Place[i].Name, name) == 0)
            return;
    }
    if (places->Count == kMostPlaces)
        return;
    PlayedPlace& place = places->Place[places->Count++];
    snprintf(place.Name, sizeof place.Name, "%s", name);
    place.IsFolder = isFolder;
}

// A value outside its setting's list: "SenMod = 7", or with an hour
// "type[5] = 200".
void AddSetting(PlayedPlaces* places, const char* name, int hour, int value)
{
    char text[kTargetFolderSize];
    if (hour < 0)
        snprintf(text, sizeof text, "%s = %d", name, value);
    else
        snprintf(text, sizeof text, "%s[%d] = %d", name, hour, value);
    AddPlace(places, text, false);
}

// A switch plays at 1 and not at 0; any other value is a place of its own.
bool SwitchedOn(PlayedPlaces* places, const char* name, uint8_t value)
{
    if (value > 1)
        AddSetting(places, name, -1, value);
    return value == 1;
}

// An animal page's categories stand in AnimalIndex order from its first. A
// value outside the list counts once, named by its first hour, as a folder.
void AddPlanFolders(PlayedPlaces* places, const PlayGroup& group, const BroadcastConfig& config)
{
    const SoundCategory* animals = FirstCategoryOfPage(group.PlanPage);
    const uint8_t* plan = config.*group.Plan;
    for (int hour = 0; hour < kHours; ++hour) {
        if (plan[hour] < kAnimals)
            AddPlace(places, animals[plan[hour]].TargetFolder, true);
        else if (std::find(plan, plan + hour, plan[hour]) == plan + hour)
            AddSetting(places, group.PlanName, hour, plan[hour]);
    }
}

PlayedPlaces PlacesPlayedFrom(const BroadcastConfig& config)
{
    PlayedPlaces places = {};
    if (!SwitchedOn(&places, "Ena", config.Ena))
        return places;
    for (const PlayGroup& group : kPlayGroups) {
        if (group.Switch && !SwitchedOn(&places, group.SwitchName, config.*group.Switch))
            continue;
        int mode = config.*group.Mode;
        if (mode >= group.WayCount)
            AddSetting(&places, group.ModeName, -1, mode);
        else if (group.Ways[mode] == kPlaysRandomFolder)
            AddPlace(&places, FirstCategoryOfPage(group.RandomPage)->TargetFolder, true);
        else if (group.Ways[mode] == kPlaysByPlan)
            AddPlanFolders(&places, group, config);
    }
    return places;
}

const WCHAR kSoundEnding[] = L".wav";

bool NamedAsSound(const std::wstring& name)
{
    size_t ending = wcslen(kSoundEnding);
    return name.size() >= ending && CompareStringOrdinal(name.c_str() + name.size() - ending, -1,
                                                         kSoundEnding, -1, TRUE) == CSTR_EQUAL;
}

// A whole WAV file by its first bytes: our waiting files, a file cut short
// and one of another kind renamed are not.
bool IsPlayableSound(uint64_t length, const unsigned char* head)
{
    return length >= kHeadSize && memcmp(head, "RIFF", 4) == 0 &&
           memcmp(head + 8, "WAVE", 4) == 0 && IsWholeSound(length, head);
}

// One listing of the folder, then its sounds' heads until one is whole. A
// folder that cannot be read counts what it listed: a missing one nothing.
bool HoldsSound(const char* folder)
{
    LongPath longFolder;
    if (!ComposeLongFolder(longFolder, folder))
        return false;
    FolderListing listing;
    ListFolder(longFolder, &listing);
    std::wstring path = std::wstring(longFolder) + L"\\";
    size_t stem = path.size();
    for (const ListedFile& file : listing) {
        if (!NamedAsSound(file.Name))
            continue;
        path.resize(stem);
        path += file.Name;
        if (IsFileWhole(path.c_str(), IsPlayableSound))
            return true;
    }
    return false;
}

} // namespace

CardReadiness CheckCardReadiness(const char* saveDir, const BroadcastConfig& config)
{
    CardReadiness readiness = {};
    PlayedPlaces places = PlacesPlayedFrom(config);
    readiness.Places = places.Count;
    for (int i = 0; i < places.Count; ++i) {
        const PlayedPlace& place = places.Place[i];
        char name[sizeof readiness.FirstSilent];
        if (place.IsFolder)
            snprintf(name, sizeof name, "%s\\%s", saveDir, place.Name);
        else
            snprintf(name, sizeof name, "%s", place.Name);
        if (place.IsFolder && HoldsSound(name))
            continue;
        if (readiness.Silent++ == 0)
            memcpy(readiness.FirstSilent, name, sizeof name);
    }
    return readiness;
}

bool ComposeNotReadyLine(const CardReadiness& readiness, char* text, size_t size)
{
    if (readiness.Silent == 0)
        return false;
    snprintf(text, size, TextPair(MessageTable, kMsgNotReady), readiness.Silent, readiness.Places,
             readiness.FirstSilent);
    return true;
}
