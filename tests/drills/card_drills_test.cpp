// Failure drills of "Generate" and "Copy" against real media: FAT32 card
// images that tests/drills/card_drills.sh mounts and hands over as Wine paths
// in DRILL_* environment variables, plus the local disk where a drill needs
// what the mounted card cannot do (file attributes) or a large folder; the
// lying card (lying_card.c) that stores data as worn and fake-capacity cards
// do; and FAT32 cards that the script pulls out at random moments.
// Each drill drives the real dialog and prints what it saw as "[drill]" lines.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "library_fixture.h"
#include "model/session_state.h"
#include "resources/control_groups.h"

namespace {

// The names a record passes through in the save directory: written, checked,
// the older one aside while the newer takes the name.
const char kTempName[] = "CFGBCAST.TMP";
const char kCheckedName[] = "CFGBCAST.NEW";
const char kDisplacedName[] = "CFGBCAST.OLD";
// And a sound in its target folder: "~.TMP", then "<sound's name>.NEW", the
// earlier copy aside as "<sound's name>.OLD".
const char kCopyTempName[] = "~.TMP";
const char kCheckedEnding[] = ".NEW";
const char kDisplacedEnding[] = ".OLD";

// How a Generate that succeeded ends: on its line, or, where the card holds
// no sound in the folder the drills' settings play from, on saying so.
bool IsGeneratedEnd(const std::string& status, const std::string& saveDir)
{
    return status == Generated(saveDir) || status == NotReady(1, 1, saveDir + "\\audio\\SenseRand");
}

std::string Environment(const char* name)
{
    const char* value = getenv(name);
    return value ? value : "";
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

double Seconds()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool MakeFolderLong(const std::string& path)
{
    return CreateDirectoryW(ExtendedLengthPath(path).c_str(), nullptr) ||
           GetLastError() == ERROR_ALREADY_EXISTS;
}

Bytes ReadFileLong(const std::string& path)
{
    Bytes bytes;
    HANDLE file = CreateFileW(ExtendedLengthPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    unsigned char buffer[65536];
    DWORD count = 0;
    while (ReadFile(file, buffer, sizeof buffer, &count, nullptr) && count > 0)
        bytes.insert(bytes.end(), buffer, buffer + count);
    CloseHandle(file);
    return bytes;
}

// Names of the entries of a folder, without "." and "..".
std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((ExtendedLengthPath(folder) + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::wstring wide = entry.cFileName;
        if (wide != L"." && wide != L"..")
            names.push_back(std::string(wide.begin(), wide.end()));
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

// Removes a folder tree whatever the length of its paths.
void RemoveTreeLong(const std::string& path)
{
    for (const std::string& name : FolderEntries(path)) {
        std::string child = path + "\\" + name;
        DWORD attributes = GetFileAttributesW(ExtendedLengthPath(child).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            RemoveTreeLong(child);
        } else {
            SetFileAttributesW(ExtendedLengthPath(child).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(ExtendedLengthPath(child).c_str());
        }
    }
    RemoveDirectoryW(ExtendedLengthPath(path).c_str());
}

// A distinct, recognisable content per file, after the header of a whole
// WAV file where it fits.
Bytes SoundBytes(size_t size, int seed)
{
    Bytes bytes(size);
    unsigned value = 2166136261u ^ static_cast<unsigned>(seed);
    for (size_t i = 0; i < size; ++i) {
        value = value * 16777619u + 7u;
        bytes[i] = static_cast<unsigned char>(value >> 24);
    }
    Bytes wave = WaveOf(std::string(size < 12 ? 0 : size - 12, ' '));
    if (size >= wave.size())
        std::copy(wave.begin(), wave.begin() + 12, bytes.begin());
    return bytes;
}

// Appends components to base until the path is exactly length characters.
std::string NestedFolder(const std::string& base, size_t length)
{
    std::string path = base;
    if (!MakeFolderLong(path))
        return "";
    int level = 0;
    while (path.size() < length) {
        size_t room = length - path.size() - 1; // one backslash per component
        size_t size = room > 100 ? 80 : room;
        if (room > 100 && room - size - 1 < 10)
            size = room - 20;
        std::string component(size, static_cast<char>('a' + level % 26));
        path += "\\" + component;
        ++level;
        if (!MakeFolderLong(path))
            return "";
    }
    return path;
}

// The real dialog, its status line recorded, with playback on and only the
// folder of Random on Sense played from, which its Copy fills.
class CardDrill : public LibraryTest {
  protected:
    void SetUp() override
    {
        LibraryTest::SetUp();
        PlayFromTheRandomFolder();
    }

    void PlayFromTheRandomFolder()
    {
        ClickButton(dialog_, IDC_ON_RADIO);
        SelectComboItem(dialog_, IDC_TIMER_MOD_COMBO, 0);
    }

    // The program closed and started again from folder, which becomes its
    // save directory.
    void RestartProgramIn(const std::string& folder)
    {
        CloseDialog();
        ResetSession();
        SetCurrentDirectoryA(folder.c_str());
        OpenDialog();
        SetCurrentDirectoryA(start_.Path().c_str());
        PlayFromTheRandomFolder();
    }

    // The "..." of Random on Sense with the browser answering folder.
    void ChooseRandomSource(const std::string& folder, FolderChoice answer = kFolderChosen)
    {
        PressWithBrowser(kSenseRandRowIds.PickButton, answer, folder);
    }

    // The last status text of each file, by source path.
    std::vector<std::pair<std::string, std::string>> FileOutcomes()
    {
        std::vector<std::pair<std::string, std::string>> outcomes;
        const std::string open = "Copy \"";
        for (const std::string& text : StatusTexts()) {
            if (text.compare(0, open.size(), open) != 0)
                continue;
            size_t close = text.rfind("\" ...");
            if (close == std::string::npos)
                continue;
            std::string source = text.substr(open.size(), close - open.size());
            std::string word = text.substr(close + 5);
            if (!outcomes.empty() && outcomes.back().first == source)
                outcomes.back().second = word;
            else
                outcomes.push_back({source, word});
        }
        return outcomes;
    }

    // A button pressed with the trace kept from the drill's output.
    void ClickQuietly(int id)
    {
        TraceCapture quiet;
        ClickButton(dialog_, id);
    }

    // The last outcome of each file, by source path: a file that a later
    // check found changed has a line of its own after its first one.
    std::map<std::string, std::string> LastOutcomes()
    {
        std::map<std::string, std::string> last;
        for (const auto& outcome : FileOutcomes())
            last[outcome.first] = outcome.second;
        return last;
    }

    void PullDuringGenerate(const std::string& name, const std::string& card, const Bytes& old,
                            const Bytes& fresh, double window);
};

#define REQUIRE_CARD(variable, name)                                                               \
    std::string name = Environment(variable);                                                      \
    if (name.empty()) {                                                                            \
        GTEST_SKIP() << variable << " is not set: tests/drills/card_drills.sh mounts "             \
                     << "the card images and sets it";                                             \
    }

// Generate onto a card without a free cluster: the write fails, the previous
// file stays byte for byte, the temporary file is gone, the user is told.
void ExpectGenerateRefusedKeepingPrevious(HWND dialog, ShellScript& script, const std::string& card,
                                          const char* label)
{
    std::string configPath = card + "\\" + kConfigName;
    Bytes before = ReadBytes(configPath);
    ASSERT_EQ(before.size(), 86u) << "the card image carries a previous configuration file";
    g_Session.Config.Vol = 8;
    g_Session.Config.ShotSec = 42; // differs from the card's file
    ASSERT_NE(ConfigBytes(), before);

    TraceCapture capture;
    ClickButton(dialog, IDC_GENERATE_BUTTON);
    std::string trace = capture.Text();

    std::string status = ControlText(dialog, IDC_STATUS_LINE);
    printf("[drill] Generate on %s: status \"%s\"\n", label, status.c_str());
    EXPECT_EQ(status, kGenerateFailed);
    EXPECT_NE(trace.find("Generate fail!\n"), std::string::npos) << trace;
    EXPECT_TRUE(script.boxes.empty());
    EXPECT_EQ(ReadBytes(configPath), before);
    EXPECT_FALSE(FileExists(card + "\\" + kTempName));
}

TEST_F(CardDrill, GenerateOntoFullFatCardKeepsPreviousFile)
{
    REQUIRE_CARD("DRILL_FULL_CARD", card);
    UseSaveDir(card);
    ExpectGenerateRefusedKeepingPrevious(dialog_, *script_, card, "the full FAT32 card");
}

TEST_F(CardDrill, GenerateOntoFullTmpfsKeepsPreviousFile)
{
    REQUIRE_CARD("DRILL_FULL_TMPFS", card);
    UseSaveDir(card);
    ExpectGenerateRefusedKeepingPrevious(dialog_, *script_, card, "the full tmpfs");
}

TEST_F(CardDrill, CopyOntoCardThatFillsUpReportsEachFileThatDidNotFit)
{
    REQUIRE_CARD("DRILL_PARTIAL_CARD", card);
    REQUIRE_CARD("DRILL_ROOMY_CARD", roomy);
    TempFolder source;
    const int kFiles = 8;
    const size_t kFileSize = 16 * 1024; // about 40 KB are free on the card
    for (int i = 0; i < kFiles; ++i)
        WriteBytes(source.File("tone" + std::to_string(i) + ".wav"), SoundBytes(kFileSize, i));
    UseSaveDir(card);
    ChooseRandomSource(source.Path());

    TraceCapture capture;
    double start = Seconds();
    ClickButton(dialog_, IDC_COPY_BUTTON);
    double elapsed = Seconds() - start;
    std::string trace = capture.Text();

    // About 40 KB free hold two of the sounds, the first two in copy order:
    // they are copied whole; each after them fails and leaves nothing under
    // its name that the device could play as a truncated sound.
    const int kFitting = 2;
    std::vector<std::string> order = SearchOrder(source.Path());
    ASSERT_EQ(FileOutcomes().size(), static_cast<size_t>(kFiles)) << "one status line per file";
    std::map<std::string, std::string> outcomes = LastOutcomes();
    std::string target = card + "\\audio\\SenseRand";
    int copied = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        const std::string& name = order[i];
        bool fits = i < kFitting;
        Bytes landed = ReadBytes(target + "\\" + name);
        copied += FileExists(target + "\\" + name);
        EXPECT_NE(trace.find(":" + name + "\r\n"), std::string::npos) << name << " is traced";
        EXPECT_EQ(outcomes[source.File(name)], fits ? "Sucess" : "Failed") << name;
        if (fits) {
            EXPECT_EQ(landed, ReadBytes(source.File(name))) << name << " is complete";
        } else {
            EXPECT_FALSE(FileExists(target + "\\" + name)) << name << " left " << landed.size();
        }
    }
    printf("[drill] Copy onto a card with about 40 KB free: %d copied, %d failed, %.2f s\n", copied,
           kFiles - copied, elapsed);
    EXPECT_EQ(Status(), Incomplete(kFiles - kFitting, kFiles, source.File(order[kFitting])));
    EXPECT_TRUE(IsEnabled(dialog_, IDC_COPY_BUTTON));

    // The program keeps working: Generate onto a card with room.
    UseSaveDir(roomy);
    ClickButton(dialog_, IDC_GENERATE_BUTTON);
    EXPECT_TRUE(IsGeneratedEnd(Status(), roomy)) << Status();
    EXPECT_EQ(ReadBytes(roomy + "\\" + kConfigName), ConfigBytes());
    EXPECT_FALSE(FileExists(roomy + "\\" + kTempName));
    EXPECT_EQ(script_->boxes.size(), 1u);
}

// Sound files of the given sizes in MB in a fresh folder of source.
std::string MakeSounds(const TempFolder& source, const std::string& name,
                       const std::vector<size_t>& megabytes)
{
    std::string folder = source.File(name);
    MakeFolderLong(folder);
    for (size_t i = 0; i < megabytes.size(); ++i)
        WriteBytes(folder + "\\" + name + std::to_string(i) + ".wav",
                   SoundBytes(megabytes[i] << 20, static_cast<int>(i)));
    return folder;
}

// What the card says is free, as the refusal of a Copy gives it.
std::string FreeText(const std::string& card)
{
    ULARGE_INTEGER free = {};
    EXPECT_TRUE(GetDiskFreeSpaceExA(card.c_str(), &free, nullptr, nullptr));
    return std::to_string(free.QuadPart >> 20) + " MB free";
}

// A card of 40 MB that tells its size: a Copy that does not fit is refused
// before anything is written, with what it needs and what is free, also
// where other files take part of the card; one that fits is copied, also
// where it fits only because it replaces earlier copies of its sounds. On an
// animal page the ticked animals count together.
TEST_F(CardDrill, ACopyThatCannotFitIsRefusedBeforeAnythingIsWritten)
{
    REQUIRE_CARD("DRILL_SMALL_CARD", card);
    UseSaveDir(card);
    TempFolder source;
    std::string freeText = FreeText(card);
    ChooseRandomSource(MakeSounds(source, "sixty", {10, 10, 10, 10, 10, 10}));
    ClickQuietly(IDC_COPY_BUTTON);
    printf("[drill] Copy of 60 MB onto a 40 MB card: \"%s\"\n", Status().c_str());
    EXPECT_EQ(Status(), "Not enough space on the card: 60 MB needed, " + freeText);
    EXPECT_TRUE(FolderEntries(card).empty()) << "something was written";

    std::string thirty = MakeSounds(source, "thirty", {10, 10, 10});
    ChooseRandomSource(thirty);
    std::string other = card + "\\other.bin";
    WriteBytes(other, SoundBytes(20 << 20, 1));
    ClickQuietly(IDC_COPY_BUTTON);
    printf("[drill] Copy of 30 MB onto a 40 MB card that holds 20 MB of other files: \"%s\"\n",
           Status().c_str());
    EXPECT_EQ(Status(), "Not enough space on the card: 30 MB needed, " + FreeText(card));
    EXPECT_EQ(FolderEntries(card), std::vector<std::string>{"other.bin"})
        << "something was written";
    ASSERT_TRUE(DeleteFileA(other.c_str()));

    ClickQuietly(IDC_COPY_BUTTON);
    EXPECT_TRUE(EndsWith(Status(), "Sucess")) << Status();
    RemoveTreeLong(card + "\\audio");

    std::string twentyFour = MakeSounds(source, "eight", {8, 8, 8});
    ChooseRandomSource(twentyFour);
    for (int copy = 0; copy < 2; ++copy) { // the second over the first, with 16 MB free
        statuses_.clear();
        ClickQuietly(IDC_COPY_BUTTON);
        EXPECT_TRUE(EndsWith(Status(), "Sucess")) << "copy " << copy << ": " << Status();
        EXPECT_EQ(LastOutcomes().size(), 3u);
    }
    for (const std::string& name : FolderEntries(twentyFour))
        EXPECT_EQ(ReadBytes(card + "\\audio\\SenseRand\\" + name),
                  ReadBytes(twentyFour + "\\" + name));
    RemoveTreeLong(card + "\\audio");

    SelectComboItem(dialog_, IDC_SEN_MOD_COMBO, 2); // Time & File Specified
    SelectTabPage(dialog_, IDC_COPY_TAB, 3);
    for (int pick : {IDC_SENSE_SPEC_DOG_PICK, IDC_SENSE_SPEC_TIGER_PICK}) {
        script_->folderAnswers.push_back({kFolderChosen, twentyFour});
        ClickButton(dialog_, pick);
    }
    ClickQuietly(IDC_COPY_BUTTON);
    printf("[drill] Copy of two animals of 24 MB onto a 40 MB card: \"%s\"\n", Status().c_str());
    EXPECT_EQ(Status(), "Not enough space on the card: 48 MB needed, " + freeText);
    EXPECT_TRUE(FolderEntries(card).empty()) << "something was written";
}

// The small card with its room held by what a pulled Copy of three sounds
// left: the first sound replaced, the second's earlier copy aside beside its
// checked new copy, the third's new copy half written beside its earlier
// one. The next Copy of the same sounds puts things right before it counts
// the room, so it is not refused, and it ends with every sound whole.
TEST_F(CardDrill, LeftoversOfAPulledCopyDoNotKeepTheNextOneOffTheCard)
{
    REQUIRE_CARD("DRILL_SMALL_CARD", card);
    UseSaveDir(card);
    TempFolder source;
    std::string sounds = MakeSounds(source, "eight", {8, 8, 8});
    std::string target = card + "\\audio\\SenseRand";
    RemoveTreeLong(card + "\\audio");
    ASSERT_TRUE(MakeFolderLong(card + "\\audio") && MakeFolderLong(target));
    Bytes earlier = SoundBytes(8 << 20, 99);
    auto sound = [&](int i) { return ReadBytes(sounds + "\\eight" + std::to_string(i) + ".wav"); };
    Bytes half = sound(2);
    half.resize(6 << 20);
    const std::pair<const char*, Bytes> leftovers[] = {{"eight0.wav", sound(0)},
                                                       {"eight1.wav.OLD", earlier},
                                                       {"eight1.wav.NEW", sound(1)},
                                                       {"eight2.wav", earlier},
                                                       {kCopyTempName, half}};
    for (const auto& leftover : leftovers)
        WriteBytes(target + "\\" + leftover.first, leftover.second);
    std::string freeBefore = FreeText(card);
    ChooseRandomSource(sounds);
    ClickQuietly(IDC_COPY_BUTTON);
    printf(
        "[drill] Copy of 24 MB onto a 40 MB card whose room a pulled Copy's leftovers hold (%s): "
        "\"%s\"\n",
        freeBefore.c_str(), Status().c_str());
    EXPECT_TRUE(EndsWith(Status(), "Sucess")) << Status();
    std::vector<std::string> names = FolderEntries(target);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"eight0.wav", "eight1.wav", "eight2.wav"}));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(ReadBytes(target + "\\eight" + std::to_string(i) + ".wav") == sound(i))
            << "eight" << i << ".wav is not whole";
    RemoveTreeLong(card + "\\audio");
}

TEST_F(CardDrill, SourceFolderRemovedBeforeCopy)
{
    REQUIRE_CARD("DRILL_ROOMY_CARD", roomy);
    std::string saveDir = roomy + "\\removed-source";
    ASSERT_TRUE(MakeFolderLong(saveDir));
    std::string sourcePath;
    {
        TempFolder source;
        sourcePath = source.Path();
        WriteBytes(source.File("bark.wav"), SoundBytes(1000, 1));
        UseSaveDir(saveDir);
        ChooseRandomSource(source.Path());
        ASSERT_EQ(IsDlgButtonChecked(dialog_, kSenseRandRowIds.Check), BST_CHECKED);
    }
    ASSERT_FALSE(FileExists(sourcePath));

    statuses_.clear();
    TraceCapture capture;
    ClickButton(dialog_, IDC_COPY_BUTTON);
    std::string trace = capture.Text();
    printf("[drill] Copy from a removed source folder: status \"%s\"\n", Status().c_str());
    EXPECT_NE(trace.find("INVALID_HANDLE_VALUE!"), std::string::npos) << trace;
    std::string folder = saveDir + "\\audio\\SenseRand";
    EXPECT_EQ(StatusTexts(),
              (std::vector<std::string>{folder + "Directory created!\n", NotReady(1, 1, folder)}));
    EXPECT_TRUE(FolderEntries(saveDir + "\\audio\\SenseRand").empty());
    EXPECT_TRUE(IsEnabled(dialog_, IDC_COPY_BUTTON));
}

TEST_F(CardDrill, ConfigFileThatIsAFolderIsLeftAlone)
{
    REQUIRE_CARD("DRILL_ROOMY_CARD", roomy);
    std::string saveDir = roomy + "\\folder-target";
    std::string folder = saveDir + "\\" + kConfigName;
    ASSERT_TRUE(MakeFolderLong(saveDir));
    ASSERT_TRUE(MakeFolderLong(folder));
    WriteBytes(folder + "\\keep.txt", SoundBytes(300, 9));
    UseSaveDir(saveDir);

    TraceCapture capture;
    ClickButton(dialog_, IDC_GENERATE_BUTTON);
    std::string trace = capture.Text();
    printf("[drill] Generate where CFG_BROADCAST.bin is a folder: status \"%s\"\n",
           Status().c_str());
    EXPECT_EQ(Status(), kGenerateFailed);
    EXPECT_NE(trace.find("Generate fail!\n"), std::string::npos);
    EXPECT_TRUE(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(ReadBytes(folder + "\\keep.txt"), SoundBytes(300, 9));
    EXPECT_FALSE(FileExists(saveDir + "\\" + kTempName));
    EXPECT_TRUE(script_->boxes.empty());
}

// A read-only configuration file is refused, not replaced. The FAT card is
// tried first; where its file system cannot carry the attribute, the drill
// says so and runs on the local disk.
TEST_F(CardDrill, ReadOnlyConfigFileIsRefused)
{
    TempFolder local;
    std::vector<std::string> places;
    std::string roomy = Environment("DRILL_ROOMY_CARD");
    if (!roomy.empty()) {
        std::string saveDir = roomy + "\\read-only";
        ASSERT_TRUE(MakeFolderLong(saveDir));
        std::string path = saveDir + "\\" + kConfigName;
        WriteBytes(path, SoundBytes(86, 3));
        if (SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY) &&
            (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY))
            places.push_back(saveDir);
        else
            printf("[drill] the FAT card cannot carry the read-only attribute (SetFileAttributes "
                   "error %lu, attributes 0x%lx): read-only drill on the local disk\n",
                   GetLastError(), GetFileAttributesA(path.c_str()));
    }
    places.push_back(local.Path());
    for (const std::string& saveDir : places) {
        std::string path = saveDir + "\\" + kConfigName;
        if (saveDir == local.Path()) {
            WriteBytes(path, SoundBytes(86, 3));
            ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
        }
        UseSaveDir(saveDir);
        ClickButton(dialog_, IDC_GENERATE_BUTTON);
        printf("[drill] Generate over a read-only CFG_BROADCAST.bin in %s: status \"%s\"\n",
               saveDir.c_str(), Status().c_str());
        EXPECT_EQ(Status(), kGenerateFailed);
        EXPECT_EQ(ReadBytes(path), SoundBytes(86, 3));
        EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
        EXPECT_FALSE(FileExists(saveDir + "\\" + kTempName));
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    EXPECT_TRUE(script_->boxes.empty());
}

// Copies count files from a fresh source folder into saveDir; returns seconds.
double CopyManyFiles(HWND dialog, ShellScript& script, const std::string& saveDir, int count,
                     size_t size)
{
    TempFolder source;
    for (int i = 0; i < count; ++i) {
        char name[32];
        snprintf(name, sizeof name, "s%05d.wav", i);
        WriteBytes(source.File(name), SoundBytes(size, i));
    }
    UseSaveDir(saveDir);
    script.folderAnswers.push_back({kFolderChosen, source.Path()});
    ClickButton(dialog, kSenseRandRowIds.PickButton);

    TraceCapture capture;
    double start = Seconds();
    ClickButton(dialog, IDC_COPY_BUTTON);
    double elapsed = Seconds() - start;
    capture.Text();

    std::vector<std::string> landed = FolderEntries(saveDir + "\\audio\\SenseRand");
    EXPECT_EQ(landed.size(), static_cast<size_t>(count));
    EXPECT_EQ(ReadBytes(saveDir + "\\audio\\SenseRand\\s00000.wav"), SoundBytes(size, 0));
    char last[32];
    snprintf(last, sizeof last, "s%05d.wav", count - 1);
    EXPECT_EQ(ReadBytes(saveDir + "\\audio\\SenseRand\\" + last), SoundBytes(size, count - 1));
    return elapsed;
}

// A source folder of 10,000 files copied to the local disk, and a smaller one
// onto the FAT card, whose user-space file system slows down with every
// entry of a folder (about 50 ms per file over the first 150 entries).
TEST_F(CardDrill, ManyFileSourceFoldersCopyInBoundedTime)
{
    REQUIRE_CARD("DRILL_ROOMY_CARD", roomy);
    TempFolder local;
    std::string card = roomy + "\\many";
    ASSERT_TRUE(MakeFolderLong(card));
    struct Case {
        const char* place;
        std::string saveDir;
        int files;
        double boundSeconds;
    };
    const Case cases[] = {{"the local disk", local.Path(), 10000, 300.0},
                          {"the FAT card", card, 150, 120.0}};
    for (const Case& drill : cases) {
        double elapsed = CopyManyFiles(dialog_, *script_, drill.saveDir, drill.files, 200);
        printf("[drill] Copy of %d files of 200 bytes onto %s: %.1f s, %.2f ms per file\n",
               drill.files, drill.place, elapsed, elapsed * 1000.0 / drill.files);
        EXPECT_TRUE(EndsWith(Status(), "Sucess")) << Status();
        EXPECT_LT(elapsed, drill.boundSeconds) << drill.place;
    }
}

// Save directories around the limits. The product composes the file's path
// in 269 bytes, so up to 250 characters it builds "<dir>\\CFG_BROADCAST.bin"
// and from 251 on it refuses. Between 242 and 250 the file's path is 260 or
// more characters: whether the narrow file API takes it is the platform's
// affair (Windows without long-path support refuses, Wine accepts), so either
// outcome is right as long as it is reported truly and nothing stays behind.
TEST_F(CardDrill, LongSaveDirectories)
{
    REQUIRE_CARD("DRILL_ROOMY_CARD", roomy);
    std::string base = roomy + "\\long-save";
    ASSERT_TRUE(MakeFolderLong(base));
    size_t generated = 0;
    for (size_t length :
         {size_t(241), size_t(242), size_t(245), size_t(250), size_t(251), size_t(259)}) {
        std::string saveDir = NestedFolder(base + "\\" + std::to_string(length), length);
        ASSERT_EQ(saveDir.size(), length) << "could not build the folder on the card";
        size_t pathLength = length + 1 + strlen(kConfigName);
        UseSaveDir(saveDir);
        TraceCapture capture;
        double start = Seconds();
        ClickButton(dialog_, IDC_GENERATE_BUTTON);
        double elapsed = Seconds() - start;
        std::string trace = capture.Text();
        bool succeeded = Status() != kGenerateFailed;
        std::string opened = trace.substr(0, trace.find('\n'));
        opened = opened.substr(opened.size() > 12 ? opened.size() - 12 : 0);
        printf(
            "[drill] Generate with a save directory of %u characters (file path %u): %s (%.2f s), "
            "trace \"Open file ...%s\"\n",
            static_cast<unsigned>(length), static_cast<unsigned>(pathLength),
            succeeded ? "generated" : "failed", elapsed, opened.c_str());
        std::vector<std::string> entries = FolderEntries(saveDir);
        if (pathLength < static_cast<size_t>(kPathSize)) {
            EXPECT_TRUE(succeeded) << length;
        }
        if (length > 250) {
            EXPECT_FALSE(succeeded) << "the 269-byte path cannot hold it: " << length;
        }
        if (succeeded) {
            ++generated;
            EXPECT_TRUE(IsGeneratedEnd(Status(), saveDir)) << Status();
            EXPECT_EQ(ReadFileLong(saveDir + "\\" + kConfigName), ConfigBytes());
            EXPECT_EQ(entries.size(), 1u);
        } else {
            EXPECT_EQ(Status(), kGenerateFailed) << length;
            EXPECT_EQ(entries.size(), 0u) << "nothing stays where the path does not fit: "
                                          << (entries.empty() ? "" : entries[0]);
        }
    }
    EXPECT_EQ(script_->boxes.size(), generated);

    // Copy with the longest save directory: the category folder does not fit.
    std::string saveDir = NestedFolder(base + "\\259", 259);
    TempFolder source;
    WriteBytes(source.File("bark.wav"), SoundBytes(500, 4));
    UseSaveDir(saveDir);
    ChooseRandomSource(source.Path());
    ClickButton(dialog_, IDC_COPY_BUTTON);
    printf("[drill] Copy with a save directory of 259 characters: \"%.70s...\"\n",
           Status().c_str());
    EXPECT_EQ(Status(), Incomplete(1, 1, source.Path()))
        << "a folder that does not fit is skipped, its sound not on the card";
    EXPECT_TRUE(FolderEntries(saveDir).empty());

    // A save directory of 237 characters: "a.wav" on the card is 259, the
    // longest path the narrow file API takes. The names a copy passes
    // through are longer, yet the sound is copied, and copied again over its
    // earlier copy, like any other.
    std::string tight = NestedFolder(base + "\\237", 237);
    std::string landed = tight + "\\audio\\SenseRand";
    TempFolder shortest;
    WriteBytes(shortest.File("a.wav"), SoundBytes(600, 6));
    UseSaveDir(tight);
    ChooseRandomSource(shortest.Path());
    for (int copy = 0; copy < 2; ++copy) {
        ClickQuietly(IDC_COPY_BUTTON);
        printf("[drill] Copy %s a sound whose path on the card is %u characters: \"...%s\"\n",
               copy ? "again over" : "of", static_cast<unsigned>(landed.size() + 6),
               Status().substr(Status().size() > 40 ? Status().size() - 40 : 0).c_str());
        EXPECT_TRUE(EndsWith(Status(), "Sucess")) << "copy " << copy << ": " << Status();
        EXPECT_EQ(FolderEntries(landed), std::vector<std::string>{"a.wav"}) << "copy " << copy;
        EXPECT_EQ(ReadFileLong(landed + "\\a.wav"), SoundBytes(600, 6)) << "copy " << copy;
    }

    // A save directory over 260 characters cannot come out of the browser.
    std::string over = NestedFolder(base + "\\300", 300);
    ASSERT_EQ(over.size(), 300u);
    script_->folderAnswers.push_back({kFolderUnconvertible, over});
    ClickButton(dialog_, IDC_BROWSE_BUTTON);
    size_t kept = strnlen(g_Session.SaveDir, sizeof g_Session.SaveDir);
    printf("[drill] Browse to a save directory of 300 characters: SaveDir now %u characters, edit "
           "box %u\n",
           static_cast<unsigned>(kept),
           static_cast<unsigned>(ControlText(dialog_, IDC_SAVE_DIR_EDIT).size()));
    EXPECT_LT(kept, static_cast<size_t>(kPathSize));
    TraceCapture capture;
    ClickButton(dialog_, IDC_GENERATE_BUTTON);
    capture.Text();
    EXPECT_TRUE(Status() == kGenerateFailed || IsGeneratedEnd(Status(), g_Session.SaveDir))
        << Status();
    RemoveTreeLong(base);
}

// Source folders around the limits: 253 characters leave room for "\*.wav"
// but not for "\<name>", 259 characters not even for the pattern, and a
// folder over 260 characters cannot come out of the folder browser at all.
TEST_F(CardDrill, LongSourceFolders)
{
    REQUIRE_CARD("DRILL_ROOMY_CARD", roomy);
    std::string saveDir = roomy + "\\long-source";
    ASSERT_TRUE(MakeFolderLong(saveDir));
    UseSaveDir(saveDir);
    TempFolder base;
    for (size_t length : {size_t(253), size_t(259), size_t(300)}) {
        std::string folder = NestedFolder(base.Path() + "\\" + std::to_string(length), length);
        ASSERT_EQ(folder.size(), length);
        ASSERT_TRUE(WriteFileLong(folder + "\\bark.wav", SoundBytes(700, 5)));
        FolderChoice answer =
            length < static_cast<size_t>(kPathSize) ? kFolderChosen : kFolderUnconvertible;
        ChooseRandomSource(folder, answer);
        statuses_.clear();
        TraceCapture capture;
        double start = Seconds();
        ClickButton(dialog_, IDC_COPY_BUTTON);
        double elapsed = Seconds() - start;
        std::string trace = capture.Text();
        std::string status = Status();
        printf(
            "[drill] Copy from a source folder of %u characters: status \"...%s\", %s (%.2f s)\n",
            static_cast<unsigned>(length),
            status.substr(status.size() > 40 ? status.size() - 40 : 0).c_str(),
            trace.find("INVALID_HANDLE_VALUE!") != std::string::npos ? "search not started"
                                                                     : "search started",
            elapsed);
        if (length == 259) {
            EXPECT_NE(trace.find("INVALID_HANDLE_VALUE!"), std::string::npos) << trace;
        }
        for (const auto& outcome : FileOutcomes())
            EXPECT_NE(outcome.second, "Sucess") << outcome.first;
        EXPECT_TRUE(FolderEntries(saveDir + "\\audio\\SenseRand").empty());
        EXPECT_EQ(ReadFileLong(folder + "\\bark.wav"), SoundBytes(700, 5))
            << "the source is untouched";
        EXPECT_LT(strlen(g_Session.RandPath), static_cast<size_t>(kPathSize));
    }
    EXPECT_TRUE(IsEnabled(dialog_, IDC_COPY_BUTTON));
    RemoveTreeLong(base.Path()); // the narrow removal of TempFolder cannot reach the deep levels
}

// The lying card (lying_card.c) serves the save directory itself, with no
// FAT image between: what a read-back finds is what the lab stored. Its log,
// next to its mount point, has a line per lie: "flip PATH OFFSET" or
// "wrap PATH OFFSET LENGTH CHANGED". The paths under folder (a path on the
// card, "/a/b/") that it lied about in that way, without folder; a wrap
// counts where it changed bytes.
std::vector<std::string> Lies(const std::string& card, const std::string& kind,
                              const std::string& folder)
{
    Bytes bytes = ReadBytes(card + ".log");
    std::istringstream log(std::string(bytes.begin(), bytes.end()));
    std::vector<std::string> paths;
    for (std::string line; std::getline(log, line);) {
        std::istringstream fields(line);
        std::string lie, path;
        unsigned long long offset = 0, length = 0, changed = 1;
        fields >> lie >> path >> offset >> length >> changed;
        if (lie == kind && changed > 0 && path.compare(0, folder.size(), folder) == 0)
            paths.push_back(path.substr(folder.size()));
    }
    return paths;
}

// The lying card's control file, in its root and never listed: commands go
// in one a line, and out come "pulled 0" or "pulled 1" and the changes made
// to the card since "count", one a line ("rename FROM -> TO" and so on).
std::string LabControl(const std::string& card)
{
    return card + "\\.lab";
}

// False when the card refused a command.
bool TellLab(const std::string& card, const std::string& commands)
{
    HANDLE control =
        CreateFileA(LabControl(card).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (control == INVALID_HANDLE_VALUE)
        return false;
    std::string text = commands + "\n";
    DWORD written = 0;
    bool ok = WriteFile(control, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
              written == text.size();
    return CloseHandle(control) && ok;
}

std::vector<std::string> LabChanges(const std::string& card)
{
    Bytes bytes = ReadBytes(LabControl(card));
    std::istringstream answer(std::string(bytes.begin(), bytes.end()));
    std::vector<std::string> changes;
    std::string line;
    std::getline(answer, line); // whether the card is pulled
    while (std::getline(answer, line))
        changes.push_back(line);
    return changes;
}

// A read of path through a handle opened to read alone, as a check opens a
// file in place: the bytes it gave, and the error that ended it (0: the end).
std::pair<size_t, DWORD> ReadAlone(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {0, GetLastError()};
    size_t total = 0;
    DWORD count = 0;
    unsigned char buffer[65536];
    BOOL read = FALSE;
    while ((read = ReadFile(file, buffer, sizeof buffer, &count, nullptr)) && count > 0)
        total += count;
    DWORD error = read ? 0 : GetLastError();
    CloseHandle(file);
    return {total, error};
}

// The last check of a Copy meets a copy it cannot read: on the lying card,
// reads through a handle opened to read alone fail (EIO, which Wine reports
// as ERROR_NOT_READY) or end at half the file. Nothing proves that copy bad,
// so it stays on the card, its line ends "Failed" and the end of the Copy
// counts it; the copy beside it is checked as usual.
TEST_F(CardDrill, ALastCheckThatCannotReadACopyLeavesIt)
{
    REQUIRE_CARD("DRILL_LAB_GOOD", card);
    struct Case {
        const char* option;
        std::pair<size_t, DWORD> probe; // a read of a file of 8000 bytes
    };
    const Case cases[] = {{"fail_read", {0, ERROR_NOT_READY}}, {"short_read", {4000, 0}}};
    for (const Case& drill : cases) {
        std::string saveDir = card + "\\" + drill.option;
        ASSERT_TRUE(MakeFolderLong(saveDir));
        TempFolder source;
        std::string unread = source.File("Unread.wav"), clear = source.File("Clear.wav");
        WriteBytes(unread, SoundBytes(7000, 1));
        WriteBytes(clear, SoundBytes(5000, 2));
        WriteBytes(saveDir + "\\Probe.wav", SoundBytes(8000, 3));
        UseSaveDir(saveDir);
        ChooseRandomSource(source.Path());
        ASSERT_TRUE(TellLab(card, std::string(drill.option) + "=@(Unread|Probe).wav"));
        std::pair<size_t, DWORD> probe = ReadAlone(saveDir + "\\Probe.wav");
        statuses_.clear();
        ClickQuietly(IDC_COPY_BUTTON);
        ASSERT_TRUE(TellLab(card, std::string(drill.option) + "="));
        std::string copy = saveDir + "\\audio\\SenseRand\\Unread.wav";
        printf("[drill] Copy whose last check reads a copy through %s: a read of such a file gave "
               "%u bytes of 8000, error %lu; the copy %s, status \"%s\"\n",
               drill.option, static_cast<unsigned>(probe.first), probe.second,
               FileExists(copy) ? "stays" : "is gone", Status().c_str());
        EXPECT_EQ(probe, drill.probe) << drill.option;
        EXPECT_TRUE(ReadBytes(copy) == ReadBytes(unread)) << drill.option << ": the copy is gone";
        std::map<std::string, std::string> outcomes = LastOutcomes();
        EXPECT_EQ(outcomes[unread], "Failed") << drill.option;
        EXPECT_EQ(outcomes[clear], "Sucess") << drill.option;
        EXPECT_EQ(Status(), Incomplete(1, 2, unread)) << drill.option;
    }
}

// Generate onto a worn card: the card stores the record with byte 40
// inverted, so Generate fails as for a write error and the window keeps the
// settings as set. Onto a good card it succeeds; onto a card whose flush
// fails it fails, keeping the older file.
TEST_F(CardDrill, GenerateOntoLyingCards)
{
    REQUIRE_CARD("DRILL_LAB_WORN_RECORD", worn);
    REQUIRE_CARD("DRILL_LAB_GOOD", good);
    REQUIRE_CARD("DRILL_LAB_FLUSH", flush);
    int falseSuccesses = 0;
    g_Session.Config.Vol = 8;
    g_Session.Config.ShotSec = 42;
    const Bytes set = ConfigBytes();
    for (const std::string& card : {worn, good}) {
        memcpy(&g_Session.Config, set.data(), set.size());
        UseSaveDir(card);
        size_t boxes = script_->boxes.size();
        TraceCapture capture;
        ClickButton(dialog_, IDC_GENERATE_BUTTON);
        std::string trace = capture.Text();
        bool reported = IsGeneratedEnd(Status(), card);
        falseSuccesses += reported && ReadBytes(card + "\\" + kConfigName) != set;
        printf("[drill] Generate onto the %s lying card: status \"%s\"\n",
               card == worn ? "worn" : "good", Status().c_str());
        EXPECT_EQ(ConfigBytes(), set) << "the window keeps the settings as set";
        EXPECT_FALSE(FileExists(card + "\\" + kTempName));
        if (card == worn) {
            EXPECT_FALSE(Lies(worn, "flip", "/").empty())
                << "the worn card stored the record whole";
            EXPECT_EQ(Status(), kGenerateFailed);
            EXPECT_NE(trace.find("Generate fail!\n"), std::string::npos) << trace;
            EXPECT_EQ(script_->boxes.size(), boxes);
        } else {
            EXPECT_TRUE(reported) << Status();
            EXPECT_EQ(ReadBytes(card + "\\" + kConfigName), set);
            EXPECT_EQ(script_->boxes.size(), boxes + 1);
        }
    }
    UseSaveDir(flush);
    script_->boxes.clear();
    ExpectGenerateRefusedKeepingPrevious(dialog_, *script_, flush, "a card whose flush fails");
    printf("[drill] Generate onto lying cards: %d false successes\n", falseSuccesses);
    EXPECT_EQ(falseSuccesses, 0);
}

// Cards on which a new file checked under the temporary name does not
// arrive under its own: one refuses to rename the temporary file or the
// checked one (as when the name is taken again between the two moves), one
// fails the flush of every name but the temporary one, one stores a renamed
// temporary file wrongly. Generate fails, the older file is back under its
// name byte for byte, and no record waits aside; on the first two cards an
// earlier copy of a sound is likewise alone under its name.
TEST_F(CardDrill, ANewFileThatDoesNotArriveUnderItsNameLeavesTheOlderOne)
{
    REQUIRE_CARD("DRILL_LAB_RENAME", refusing);
    REQUIRE_CARD("DRILL_LAB_NAME_FLUSH", unflushed);
    REQUIRE_CARD("DRILL_LAB_RENAME_FLIP", damaging);
    TempFolder source;
    WriteBytes(source.File("tone.wav"), SoundBytes(5000, 7));
    ChooseRandomSource(source.Path());
    for (const std::string& card : {refusing, unflushed, damaging}) {
        UseSaveDir(card);
        ExpectGenerateRefusedKeepingPrevious(dialog_, *script_, card, card.c_str());
        for (const char* aside : {kCheckedName, kDisplacedName})
            EXPECT_FALSE(FileExists(card + "\\" + aside)) << card << ": " << aside;
        std::string folder = card + "\\audio\\SenseRand";
        if (card == damaging || !MakeFolderLong(card + "\\audio") || !MakeFolderLong(folder))
            continue;
        WriteBytes(folder + "\\tone.wav", SoundBytes(3000, 8));
        ClickQuietly(IDC_COPY_BUTTON);
        printf("[drill] Copy over an earlier copy on %s: status \"%s\"\n", card.c_str(),
               Status().c_str());
        EXPECT_EQ(Status(), Incomplete(1, 1, source.File("tone.wav")));
        EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"tone.wav"});
        EXPECT_EQ(ReadBytes(folder + "\\tone.wav"), SoundBytes(3000, 8));
    }
}

// Records left aside where they cannot be put in place for good: on one card
// the flush of the file's new name fails, on the other the rename of the
// checked record, where the older record gets the name back meanwhile. Each
// start loads what stands under the file's name, each Generate fails, and
// both records stay for the next start.
TEST_F(CardDrill, RecordsThatCannotBePutInPlaceAreKept)
{
    REQUIRE_CARD("DRILL_LAB_FLUSH", flush);
    REQUIRE_CARD("DRILL_LAB_RENAME", refusing);
    Bytes older(86, 7), newer(86, 9);
    older[0] = newer[0] = 1; // the drill switches playback on
    older[5] = newer[5] = 0; // and the periodic loop off
    for (const std::string& card : {flush, refusing}) {
        DeleteFileA((card + "\\" + kConfigName).c_str());
        WriteBytes(card + "\\" + kDisplacedName, older);
        if (card == refusing)
            WriteBytes(card + "\\" + kCheckedName, newer);
        for (int start = 0; start < 2; ++start) {
            TraceCapture trace;
            RestartProgramIn(card);
            bool told = trace.Text().find("Rename file - \"" + card) != std::string::npos;
            EXPECT_TRUE(told || start > 0) << card << ": the trace does not say so";
            EXPECT_EQ(ConfigBytes(), older) << card;
            ClickQuietly(IDC_GENERATE_BUTTON);
            EXPECT_EQ(Status(), kGenerateFailed) << card;
        }
        bool kept = ReadBytes(card + "\\" + kConfigName) == older &&
                    (card == flush || ReadBytes(card + "\\" + kCheckedName) == newer);
        printf("[drill] Records aside on %s: after two starts and Generates %s\n", card.c_str(),
               kept ? "kept" : "lost");
        EXPECT_TRUE(kept);
    }
}

struct CopyFigures {
    int copied = 0;
    int bad = 0;
    int failed = 0;
    int falseSuccesses = 0;
};

class LyingCardDrill : public CardDrill {
  protected:
    // Copies files of the given sizes into a folder of the card named label
    // and judges every file by what the card then holds. Files larger than
    // badAbove bytes, and files the card overwrote after they were written,
    // are stored bad and must end "Failed" with nothing under their names;
    // every other file must end "Sucess" and be whole.
    CopyFigures CopyOntoLyingCard(const std::string& card, const std::string& label,
                                  const std::vector<size_t>& sizes, size_t badAbove);
};

CopyFigures LyingCardDrill::CopyOntoLyingCard(const std::string& card, const std::string& label,
                                              const std::vector<size_t>& sizes, size_t badAbove)
{
    CopyFigures figures;
    std::string saveDir = card + "\\" + label;
    EXPECT_TRUE(MakeFolderLong(saveDir));
    TempFolder source;
    for (size_t i = 0; i < sizes.size(); ++i)
        WriteBytes(source.File("s" + std::to_string(100 + i) + ".wav"),
                   SoundBytes(sizes[i], static_cast<int>(i)));
    UseSaveDir(saveDir);
    ChooseRandomSource(source.Path());
    statuses_.clear();
    ClickButton(dialog_, IDC_COPY_BUTTON);

    std::vector<std::string> overwritten = Lies(card, "wrap", "/" + label + "/audio/SenseRand/");
    std::map<std::string, int> lines; // status lines per file
    for (const auto& outcome : FileOutcomes())
        ++lines[outcome.first];
    std::map<std::string, std::string> last = LastOutcomes();
    std::string target = saveDir + "\\audio\\SenseRand";
    std::set<std::string> storedBad;
    for (size_t i = 0; i < sizes.size(); ++i) {
        std::string name = "s" + std::to_string(100 + i) + ".wav";
        std::string word = last[source.File(name)];
        bool later = std::count(overwritten.begin(), overwritten.end(), name) > 0;
        bool bad = sizes[i] > badAbove || later;
        bool whole = ReadBytes(target + "\\" + name) == ReadBytes(source.File(name));
        if (bad)
            storedBad.insert(name);
        ++figures.copied;
        figures.bad += bad;
        figures.failed += word == "Failed";
        figures.falseSuccesses += word == "Sucess" && (bad || !whole);
        if (bad) {
            EXPECT_EQ(word, "Failed") << label << ": " << name;
            EXPECT_FALSE(FileExists(target + "\\" + name)) << label << ": " << name << " stays";
        } else {
            EXPECT_EQ(word, "Sucess") << label << ": " << name;
            EXPECT_TRUE(whole) << label << ": " << name;
        }
        if (later) {
            // Found by the check after the last file: a line of its own.
            EXPECT_GE(lines[source.File(name)], 2) << label << ": " << name;
        }
    }
    for (const std::string& name : FolderEntries(target))
        EXPECT_EQ(last[source.File(name)], "Sucess") << label << ": " << name << " left behind";
    // The Copy ends counting the sounds the card stored bad and naming the
    // first of them in copy order, the order the source folder lists them.
    std::vector<std::string> order = SearchOrder(source.Path());
    auto firstBad = std::find_if(order.begin(), order.end(),
                                 [&](const std::string& name) { return storedBad.count(name); });
    if (firstBad != order.end()) {
        EXPECT_EQ(Status(), Incomplete(figures.bad, figures.copied, source.File(*firstBad)))
            << label;
    }
    printf("[drill] Copy onto the %s card: %d files copied, %d found bad, %d reported \"Failed\", "
           "%d false successes\n",
           label.c_str(), figures.copied, figures.bad, figures.failed, figures.falseSuccesses);
    return figures;
}

// Copy onto a worn card, a fake-capacity card (several times past what it
// really holds) and a card whose flush fails: the window says "Sucess"
// exactly for the files the card holds whole.
TEST_F(LyingCardDrill, CopyOntoLyingCards)
{
    REQUIRE_CARD("DRILL_LAB_WORN", worn);
    REQUIRE_CARD("DRILL_LAB_FAKE", fake);
    REQUIRE_CARD("DRILL_LAB_FLUSH", flush);
    size_t wornByte = strtoul(Environment("DRILL_LAB_WORN_OFFSET").c_str(), nullptr, 10);
    size_t capacity = strtoul(Environment("DRILL_LAB_CAPACITY").c_str(), nullptr, 10);
    ASSERT_GT(wornByte, 0u);
    ASSERT_GT(capacity, 0u);
    const size_t kNoLimit = static_cast<size_t>(-1);

    std::vector<size_t> wornSizes, fakeSizes;
    for (size_t i = 0; i < 20; ++i)
        wornSizes.push_back((i % 2 ? wornByte * 3 / 2 : wornByte / 2) + i * 64);
    size_t fakeTotal = 0;
    while (fakeTotal < 5 * capacity) {
        fakeSizes.push_back(capacity / 10 + fakeSizes.size() * 512);
        fakeTotal += fakeSizes.back();
    }

    CopyFigures runs[] = {CopyOntoLyingCard(worn, "worn", wornSizes, wornByte),
                          CopyOntoLyingCard(fake, "fake", fakeSizes, kNoLimit),
                          CopyOntoLyingCard(flush, "flush", {3000, 70000}, 0)};
    CopyFigures all;
    for (const CopyFigures& run : runs) {
        EXPECT_GE(run.bad, 1) << "the card did not lie";
        all.copied += run.copied;
        all.bad += run.bad;
        all.failed += run.failed;
        all.falseSuccesses += run.falseSuccesses;
    }
    EXPECT_LT(runs[0].bad, runs[0].copied);
    EXPECT_LT(runs[1].bad, runs[1].copied);
    printf("[drill] Copy onto lying cards, all runs: %d files copied, %d found bad, %d reported "
           "\"Failed\", %d false successes\n",
           all.copied, all.bad, all.failed, all.falseSuccesses);
    EXPECT_EQ(all.falseSuccesses, 0);
}

// A close in the middle of a Copy onto a fake-capacity card, once the card
// has written later files over earlier ones: the copy stops at a file
// boundary, checks what it copied, removes what the card overwrote, and the
// window closes. No sound then stands on the card under its name that
// differs from its source.
TEST_F(LyingCardDrill, ACloseDuringACopyStillChecksWhatWasCopied)
{
    REQUIRE_CARD("DRILL_LAB_FAKE", fake);
    size_t capacity = strtoul(Environment("DRILL_LAB_CAPACITY").c_str(), nullptr, 10);
    ASSERT_GT(capacity, 0u);
    std::string saveDir = fake + "\\close";
    ASSERT_TRUE(MakeFolderLong(saveDir));
    TempFolder source;
    const int kFiles = 40;
    for (int i = 0; i < kFiles; ++i)
        WriteBytes(source.File("c" + std::to_string(100 + i) + ".wav"),
                   SoundBytes(capacity / 16, 500 + i));
    UseSaveDir(saveDir);
    ChooseRandomSource(source.Path());
    std::string target = saveDir + "\\audio\\SenseRand";
    statuses_.clear();
    // Once the card has written the last 9 of 25 sounds over the first 9, the
    // window is closed, as its close box, Alt+F4 or the taskbar's Close do.
    HANDLE thread = StartThread([&] {
        for (double start = Seconds(); Seconds() - start < 120; Sleep(5)) {
            std::vector<std::string> names = FolderEntries(target);
            if (std::count_if(names.begin(), names.end(),
                              [](const std::string& name) { return EndsWith(name, ".wav"); }) >= 25)
                break;
        }
        PostMessageA(dialog_, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    ClickQuietly(IDC_COPY_BUTTON);
    JoinPumping(dialog_, thread);

    std::vector<std::string> left = FolderEntries(target);
    int differ = 0;
    for (const std::string& name : left)
        differ += ReadBytes(target + "\\" + name) != ReadBytes(source.File(name));
    size_t overwritten = Lies(fake, "wrap", "/close/audio/SenseRand/").size();
    printf("[drill] Close during a Copy onto the fake card: %u of %d sounds on the card, %u "
           "overwritten by later files, %d under their names differ from their sources\n",
           static_cast<unsigned>(left.size()), kFiles, static_cast<unsigned>(overwritten), differ);
    EXPECT_FALSE(IsWindowVisible(dialog_)) << "the close was lost";
    EXPECT_LT(left.size(), static_cast<size_t>(kFiles)) << "the copy went on after the close";
    EXPECT_GT(overwritten, 0u) << "the card wrote nothing over earlier files before the close";
    EXPECT_EQ(differ, 0);
}

// A card that takes 60 ms for every read: while the last check reads every
// copy back, the window answers within a second, Copy stays locked, and
// clicks on it then start no second copy, not even once the first ends.
TEST_F(CardDrill, SlowCardLastCheckKeepsTheWindowAliveAndLocked)
{
    REQUIRE_CARD("DRILL_LAB_SLOW", slow);
    TempFolder source;
    for (int i = 0; i < 40; ++i)
        WriteBytes(source.File("slow" + std::to_string(i) + ".wav"), SoundBytes(2048, i));
    UseSaveDir(slow);
    ChooseRandomSource(source.Path());
    ShowWindow(dialog_, SW_SHOW);
    BringToFront(dialog_);
    // Once the status line shows the last check: how long the window takes
    // to answer, whether Copy is locked, and a click on it, twice.
    HWND status = GetDlgItem(dialog_, IDC_STATUS_LINE), copy = GetDlgItem(dialog_, IDC_COPY_BUTTON);
    bool seen = false, copyLocked = false;
    double slowestAnswer = 0;
    HANDLE thread = StartThread([&] {
        char text[600] = {};
        for (double start = Seconds(); Seconds() - start < 120 && !seen; Sleep(20)) {
            DWORD_PTR length = 0;
            SendMessageTimeoutA(status, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                                SMTO_NORMAL, 1000, &length);
            seen = strcmp(text, "Checking the copied files on the card...") == 0;
        }
        for (int probe = 0; seen && probe < 2; ++probe) {
            slowestAnswer = std::max(slowestAnswer, AnswerTime(dialog_));
            copyLocked = !IsWindowEnabled(copy);
            ClickAt(copy);
            Sleep(200);
        }
    });
    TraceCapture capture;
    ClickButton(dialog_, IDC_COPY_BUTTON);
    JoinPumping(dialog_, thread);
    PumpDialog(dialog_, 500);
    std::string trace = capture.Text();
    printf("[drill] Copy of 40 files onto a card that reads in 60 ms: during the last check the "
           "window answered within %.0f ms, Copy %s\n",
           slowestAnswer, copyLocked ? "locked" : "unlocked");
    ASSERT_TRUE(seen) << "the last check was never shown";
    EXPECT_LT(slowestAnswer, 1000);
    EXPECT_TRUE(copyLocked);
    EXPECT_EQ(trace.find(kCopyTraceLine, 1), std::string::npos) << "a second copy ran";
    for (const auto& outcome : LastOutcomes())
        EXPECT_EQ(outcome.second, "Sucess") << outcome.first;
    EXPECT_EQ(LastOutcomes().size(), 40u);
}

// The pulled-card drills: card_drills.sh pulls a card out (ends the fusefat
// process that serves it) when asked, and puts it back after checking it as
// the owner's PC would. Requests and answers are files in its control
// folder, each written under a temporary name and renamed into place.
bool SendRequest(const std::string& control, const std::string& name, const std::string& text)
{
    std::string path = control + "\\" + name;
    WriteBytes(path + ".new", Bytes(text.begin(), text.end()));
    return MoveFileExA((path + ".new").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

// Waits up to a minute for an answer and takes it.
bool AwaitAnswer(const std::string& control, const std::string& name, std::string* text = nullptr)
{
    std::string path = control + "\\" + name;
    for (double start = Seconds(); Seconds() - start < 60.0; Sleep(1)) {
        if (!FileExists(path))
            continue;
        Bytes bytes = ReadBytes(path);
        DeleteFileA(path.c_str());
        if (text)
            text->assign(bytes.begin(), bytes.end());
        return true;
    }
    return false;
}

// The card is pulled at a seeded random moment of the next window seconds.
bool ArmPull(const std::string& control, const std::string& card, double window)
{
    return SendRequest(control, "arm",
                       card + " " + std::to_string(static_cast<long>(window * 1e6)));
}

// how: "pulled" after a pull (the image is checked with fsck.fat -a first),
// "keep" to make the card as it is the one each trial starts from, "fresh"
// to start a trial from it. Fails with the script's answer.
testing::AssertionResult Reinsert(const std::string& control, const std::string& card,
                                  const std::string& how)
{
    std::string answer;
    if (!SendRequest(control, "reinsert", card + " " + how) ||
        !AwaitAnswer(control, "inserted", &answer))
        return testing::AssertionFailure() << "card_drills.sh does not answer";
    if (answer.compare(0, 2, "ok") != 0)
        return testing::AssertionFailure() << answer;
    return testing::AssertionSuccess();
}

int PullTrials()
{
    int trials = atoi(Environment("DRILL_PULL_TRIALS").c_str());
    return trials > 0 ? trials : 30;
}

// What the pull moments are drawn from; DRILL_PULL_SEED runs them again.
std::string PullSeed()
{
    return Environment("DRILL_PULL_SEED");
}

// A card pulled out during a Copy: the files the pull interrupted were
// reported "Failed", and the program goes on: the next Copy, from a source
// that holds only one of the sounds, puts every sound the pull left aside or
// cut short under its name whole and removes the files a copy passes
// through; the Copy after it copies everything, and a Generate into a good
// folder works. (A rename pulled halfway can leave a name cut short until
// that next Copy: the owner's PC checks the card, and a FAT check can leave
// one of two names on one file with 0 bytes.)
TEST_F(CardDrill, CardPulledDuringCopy)
{
    REQUIRE_CARD("DRILL_PULL_COPY_CARD", card);
    REQUIRE_CARD("DRILL_PULL_CONTROL", control);
    TempFolder source;
    for (int i = 0; i < 6; ++i)
        WriteBytes(source.File("pull" + std::to_string(i) + ".wav"),
                   SoundBytes((96 + 64 * i) * 1024, 300 + i));
    TempFolder good, rest;
    WriteBytes(rest.File("pull0.wav"), ReadBytes(source.File("pull0.wav")));
    UseSaveDir(card);
    ChooseRandomSource(source.Path());
    std::string target = card + "\\audio\\SenseRand";

    // A copy left alone: the earlier copies each trial starts with, and how
    // long a copy takes.
    double start = Seconds();
    ClickQuietly(IDC_COPY_BUTTON);
    double window = Seconds() - start;
    ASSERT_TRUE(EndsWith(Status(), "Sucess")) << Status();
    ASSERT_TRUE(Reinsert(control, "copy", "keep"));

    int trials = PullTrials(), interrupted = 0, complete = 0, truncated = 0, missing = 0;
    int falseSuccesses = 0, stale = 0, staleRemoved = 0, lost = 0;
    for (int trial = 0; trial < trials; ++trial) {
        ASSERT_TRUE(Reinsert(control, "copy", "fresh"));
        statuses_.clear();
        ASSERT_TRUE(ArmPull(control, "copy", window));
        ClickQuietly(IDC_COPY_BUTTON);
        ASSERT_TRUE(AwaitAnswer(control, "pulled"));
        std::map<std::string, std::string> outcomes = LastOutcomes();
        ASSERT_TRUE(Reinsert(control, "copy", "pulled")) << "trial " << trial;

        int staleHere = 0;
        for (const std::string& name : FolderEntries(target)) {
            staleHere += _stricmp(name.c_str(), kCopyTempName) == 0 ||
                         EndsWith(name, kCheckedEnding) || EndsWith(name, kDisplacedEnding);
            if (!EndsWith(name, ".wav"))
                continue;
            bool whole = ReadBytes(target + "\\" + name) == ReadBytes(source.File(name));
            complete += whole;
            truncated += !whole;
        }
        bool failed = false;
        for (const auto& outcome : outcomes) {
            failed |= outcome.second == "Failed";
            std::string name = outcome.first.substr(outcome.first.rfind('\\') + 1);
            bool whole = ReadBytes(target + "\\" + name) == ReadBytes(outcome.first);
            falseSuccesses += outcome.second == "Sucess" && !whole;
            missing += !FileExists(target + "\\" + name);
        }
        interrupted += failed;
        EXPECT_TRUE(IsWindow(dialog_) && IsEnabled(dialog_, IDC_COPY_BUTTON)) << "trial " << trial;

        ChooseRandomSource(rest.Path());
        ClickQuietly(IDC_COPY_BUTTON);
        int staleLeft = 0;
        for (const std::string& name : FolderEntries(target)) {
            staleLeft += !EndsWith(name, ".wav");
            EXPECT_TRUE(EndsWith(name, ".wav")) << "trial " << trial << ": " << name << " left";
        }
        for (int i = 0; i < 6; ++i) {
            std::string name = "pull" + std::to_string(i) + ".wav";
            bool gone = ReadBytes(target + "\\" + name) != ReadBytes(source.File(name));
            lost += gone;
            EXPECT_FALSE(gone) << "trial " << trial << ": " << name << " lost, "
                               << ReadBytes(target + "\\" + name).size() << " bytes left";
        }
        ChooseRandomSource(source.Path());
        statuses_.clear();
        ClickQuietly(IDC_COPY_BUTTON);
        for (const auto& outcome : LastOutcomes())
            EXPECT_EQ(outcome.second, "Sucess") << "trial " << trial << ": " << outcome.first;
        stale += staleHere;
        staleRemoved += staleLeft ? 0 : staleHere;
        UseSaveDir(good.Path());
        ClickQuietly(IDC_GENERATE_BUTTON);
        EXPECT_TRUE(IsGeneratedEnd(Status(), good.Path())) << "trial " << trial << Status();
        UseSaveDir(card);
    }
    printf("[drill] Card pulled during Copy (a copy takes %.0f ms, seed %s): %d trials, %d "
           "interrupted a copy; %d complete files, %d cut short under their names, %d sounds only "
           "aside after the pull, %d false successes; %d stale files of a copy (~.TMP, .NEW, "
           ".OLD), %d removed by the next Copy (from a source holding one sound), %d sounds lost\n",
           window * 1000, PullSeed().c_str(), trials, interrupted, complete, truncated, missing,
           falseSuccesses, stale, staleRemoved, lost);
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(falseSuccesses, 0);
    EXPECT_GE(interrupted * 3, trials) << "most pulls should land during the copy";
}

// The quickest of three Generates onto card, in seconds (the machine may be
// busy); the card is left holding the last one.
double QuickestGenerate(HWND dialog, const std::string& card)
{
    UseSaveDir(card);
    double quickest = 1.0;
    for (int i = 0; i < 3; ++i) {
        double start = Seconds();
        TraceCapture quiet;
        ClickButton(dialog, IDC_GENERATE_BUTTON);
        quickest = std::min(quickest, Seconds() - start);
    }
    return quickest;
}

// Generates fresh onto the pulled card, each trial from the card as kept
// (holding old, or no file when old is empty), the card pulled at a random
// moment of window seconds; after each pull the program starts again on it
// and must find the older or the newer record under the file's name. A card
// pulled between moving the older file aside and naming the new one holds
// no CFG_BROADCAST.bin: the next start puts the checked record in place. (A
// rename on this card is not atomic either: pulled during one, the card can
// lose the renamed file altogether, or keep a name of 0 bytes.)
void CardDrill::PullDuringGenerate(const std::string& name, const std::string& card,
                                   const Bytes& old, const Bytes& fresh, double window)
{
    std::string control = Environment("DRILL_PULL_CONTROL"), config = card + "\\" + kConfigName;
    TempFolder good;
    int failed = 0, older = 0, newer = 0, none = 0, cut = 0, falseSuccesses = 0;
    int uncheckedLoads = 0;
    for (int trial = 0; trial < PullTrials(); ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        ASSERT_TRUE(Reinsert(control, name, "fresh"));
        memcpy(&g_Session.Config, fresh.data(), fresh.size());
        UseSaveDir(card);
        ASSERT_TRUE(ArmPull(control, name, window));
        double start = Seconds();
        ClickQuietly(IDC_GENERATE_BUTTON);
        double took = Seconds() - start;
        ASSERT_TRUE(AwaitAnswer(control, "pulled"));
        bool reported = IsGeneratedEnd(Status(), card);
        // A Generate that the pull missed shows how long one takes now: the
        // window measured on a busier moment would let later pulls miss too.
        if (reported)
            window = std::min(window, took);
        ASSERT_TRUE(Reinsert(control, name, "pulled"));

        Bytes held = ReadBytes(config);
        bool present = FileExists(config);
        // Only a record that passed its check waits under these names.
        bool checkedAside =
            FileExists(card + "\\" + kCheckedName) || FileExists(card + "\\" + kDisplacedName);
        bool wasOlder = present && !old.empty() && held == old;
        failed += !reported;
        falseSuccesses += reported && held != fresh;
        older += wasOlder;
        newer += held == fresh;
        none += !present;
        cut += present && !wasOlder && held != fresh;
        // The next start puts a checked record the pull left aside in place,
        // never an unchecked one, and loads what the card then holds.
        RestartProgramIn(card);
        held = ReadBytes(config);
        Bytes loaded = held.empty() ? DefaultConfigBytes() : held;
        loaded[0] = 1; // the drill switches playback on
        loaded[5] = 0; // and the periodic loop off
        EXPECT_EQ(ConfigBytes(), loaded);
        EXPECT_TRUE(held == fresh || (old.empty() ? held.empty() : held == old))
            << held.size() << " bytes under the name after the start";
        uncheckedLoads += !present && !held.empty() && !checkedAside;
        EXPECT_FALSE(FileExists(card + "\\" + kTempName) && held.empty());
        UseSaveDir(good.Path());
        ClickQuietly(IDC_GENERATE_BUTTON);
        EXPECT_TRUE(IsGeneratedEnd(Status(), good.Path())) << Status();
    }
    printf("[drill] Card pulled during %s (one takes %.1f ms, seed %s): %d trials, %d reported "
           "failed; the card held the older file %d times, the newer %d times, no "
           "CFG_BROADCAST.bin %d times, one cut short %d times; %d false successes, %d unchecked "
           "records loaded at the next start\n",
           old.empty() ? "the first Generate onto an empty card" : "Generate", window * 1000,
           PullSeed().c_str(), PullTrials(), failed, older, newer, none, cut, falseSuccesses,
           uncheckedLoads);
    EXPECT_EQ(falseSuccesses, 0);
    EXPECT_EQ(uncheckedLoads, 0);
    EXPECT_GE(failed * 3, PullTrials()) << "most pulls should land during Generate";
}

TEST_F(CardDrill, CardPulledDuringGenerate)
{
    REQUIRE_CARD("DRILL_PULL_GENERATE_CARD", card);
    REQUIRE_CARD("DRILL_PULL_CONTROL", control);
    double window = QuickestGenerate(dialog_, card);
    ASSERT_TRUE(IsGeneratedEnd(Status(), card)) << Status();
    ASSERT_TRUE(Reinsert(control, "generate", "keep"));
    const Bytes old = ConfigBytes();
    g_Session.Config.ShotSec = static_cast<unsigned char>((old[85] + 1) % 60);
    PullDuringGenerate("generate", card, old, ConfigBytes(), window);
}

TEST_F(CardDrill, CardPulledDuringTheFirstGenerateOntoAnEmptyCard)
{
    REQUIRE_CARD("DRILL_PULL_FIRST_CARD", card);
    REQUIRE_CARD("DRILL_PULL_CONTROL", control);
    double window = QuickestGenerate(dialog_, card);
    ASSERT_TRUE(DeleteFileA((card + "\\" + kConfigName).c_str()));
    ASSERT_TRUE(Reinsert(control, "first", "keep"));
    PullDuringGenerate("first", card, {}, ConfigBytes(), window);
}

// A replacement that the pull drill takes apart: a folder on the lab card,
// the file replaced in it with its older and its newer bytes, the files
// beside it that must stay as they are, the files the recovery adds, how the
// program replaces the file and how it recovers after a pull (what went
// wrong there, or "").
struct Replacement {
    const char* what;
    std::string folder;
    std::string name;
    Bytes older, newer;
    std::map<std::string, Bytes> beside, added;
    std::function<void()> replace;
    std::function<std::string()> recover;
};

// What is wrong in the folder after a trial, or "": the file must hold its
// older or its newer bytes, and beside it stand exactly the files that must.
std::string Misplaced(const Replacement& drill)
{
    std::ostringstream wrong;
    std::string path = drill.folder + "\\" + drill.name;
    Bytes held = ReadBytes(path);
    if (!FileExists(path)) {
        if (!drill.older.empty())
            wrong << drill.name << " is gone; ";
    } else if (held != drill.older && held != drill.newer) {
        wrong << drill.name << " holds " << held.size() << " other bytes; ";
    }
    std::map<std::string, Bytes> expected = drill.beside;
    expected.insert(drill.added.begin(), drill.added.end());
    for (const std::string& name : FolderEntries(drill.folder)) {
        auto found = expected.find(name);
        if (name != drill.name && found == expected.end())
            wrong << name << " is left; ";
    }
    for (const auto& file : expected) {
        if (ReadBytes(drill.folder + "\\" + file.first) != file.second)
            wrong << file.first << " is not as it was; ";
    }
    return wrong.str();
}

// The lab card as kept, pulled right after change n of the replacement
// (halfway, for a rename), put back, and the program's recovery run: what is
// wrong then, or "".
std::string PullTrial(const std::string& card, const Replacement& drill,
                      const std::vector<std::string>& changes, size_t n, const std::string& middle)
{
    if (!TellLab(card, "restore\ncount\npull " + std::to_string(n) + " " + middle))
        return "the card refused the pull; ";
    drill.replace();
    std::vector<std::string> made = LabChanges(card);
    if (!TellLab(card, "back"))
        return "the card did not come back; ";
    if (made.size() != n || !std::equal(made.begin(), made.end(), changes.begin()))
        return "the replacement took another course, to: " + (made.empty() ? "" : made.back());
    std::string wrong = drill.recover();
    return wrong + Misplaced(drill);
}

// The changes, one after the other, with the folder left out of their paths.
std::string ChangeList(const std::vector<std::string>& changes, std::string folder)
{
    std::replace(folder.begin(), folder.end(), '\\', '/');
    folder += "/";
    std::string list;
    for (std::string change : changes) {
        for (size_t at; (at = change.find(folder)) != std::string::npos;)
            change.erase(at, folder.size());
        list += (list.empty() ? "" : ", ") + change;
    }
    return list;
}

// A card pulled at every single change of a Copy replacing one sound, of a
// Copy of a sound new to its folder and of a Generate replacing the record,
// and halfway through each rename in three
// ways: the file under neither name; a new name of 0 bytes beside the old;
// the file under the new name, the old name of 0 bytes. The lying card first
// lists the changes one replacement makes; then each trial starts from the
// same card, pulls it right after change N, puts it back and runs what comes
// next: a Copy of another sound into the folder, or a start of the program
// on the save directory. The file must then hold its older or its newer
// bytes, whole (a new sound may also be absent); nothing a replacement passes through stays, and
// the files beside it are as they were.
TEST_F(CardDrill, ACardPulledAtAnyChangeKeepsTheOlderOrTheNewerFile)
{
    REQUIRE_CARD("DRILL_LAB_PULL", card);
    TempFolder dog, fox, rain;
    WriteBytes(dog.File("Dog bark.wav"), SoundBytes(7000, 2));
    WriteBytes(fox.File("Fox.wav"), SoundBytes(4000, 7));
    WriteBytes(rain.File("Rain.wav"), SoundBytes(5000, 3));
    std::string sounds = card + "\\sounds", record = card + "\\record";
    Bytes olderRecord = ConfigBytes(), newerRecord = ConfigBytes();
    olderRecord[85] = 7;
    newerRecord[85] = 8;
    auto copyFrom = [&](const TempFolder& source) {
        return [&] {
            UseSaveDir(sounds);
            ChooseRandomSource(source.Path());
            ClickQuietly(IDC_COPY_BUTTON);
        };
    };
    auto copyRain = [&]() -> std::string {
        ChooseRandomSource(rain.Path());
        ClickQuietly(IDC_COPY_BUTTON);
        return EndsWith(Status(), "Sucess") ? "" : "the next Copy: \"" + Status() + "\"; ";
    };
    const std::map<std::string, Bytes> beside = {{"Other.wav", SoundBytes(3000, 4)},
                                                 {"Notes.NEW", SoundBytes(100, 5)}};
    const std::map<std::string, Bytes> rainAdded = {{"Rain.wav", ReadBytes(rain.File("Rain.wav"))}};
    Replacement copy = {"a Copy replacing one sound",
                        sounds + "\\audio\\SenseRand",
                        "Dog bark.wav",
                        SoundBytes(6000, 1),
                        ReadBytes(dog.File("Dog bark.wav")),
                        beside,
                        rainAdded,
                        copyFrom(dog),
                        copyRain};
    Replacement fresh = copy;
    fresh.what = "a Copy of a sound new to its folder";
    fresh.name = "Fox.wav";
    fresh.older = {};
    fresh.newer = ReadBytes(fox.File("Fox.wav"));
    fresh.beside["Dog bark.wav"] = copy.older;
    fresh.replace = copyFrom(fox);
    Replacement generate = {"a Generate replacing the record",
                            record,
                            kConfigName,
                            olderRecord,
                            newerRecord,
                            {{"CFGBCAST.TXT", SoundBytes(90, 6)}},
                            {},
                            [&] {
                                memcpy(&g_Session.Config, newerRecord.data(), newerRecord.size());
                                UseSaveDir(record);
                                ClickQuietly(IDC_GENERATE_BUTTON);
                            },
                            [&]() -> std::string {
                                RestartProgramIn(record);
                                return ConfigBytes() == ReadBytes(record + "\\" + kConfigName)
                                           ? ""
                                           : "the start loaded other bytes than the card holds; ";
                            }};
    for (const std::string& folder : {sounds, sounds + "\\audio", copy.folder, record})
        ASSERT_TRUE(MakeFolderLong(folder)) << folder;
    for (const Replacement* drill : {&copy, &generate}) {
        WriteBytes(drill->folder + "\\" + drill->name, drill->older);
        for (const auto& file : drill->beside)
            WriteBytes(drill->folder + "\\" + file.first, file.second);
    }
    ASSERT_TRUE(TellLab(card, "snapshot"));

    for (const Replacement* drill : {&copy, &fresh, &generate}) {
        ASSERT_TRUE(TellLab(card, "restore\ncount"));
        drill->replace();
        std::vector<std::string> changes = LabChanges(card);
        ASSERT_EQ(ReadBytes(drill->folder + "\\" + drill->name), drill->newer)
            << drill->what << " did not replace the file";
        std::string folder = drill->folder.substr(card.size());
        int renames = 0, trials = 0, held = 0;
        for (size_t n = 1; n <= changes.size(); ++n) {
            bool rename = changes[n - 1].compare(0, 7, "rename ") == 0;
            renames += rename;
            for (const char* middle : {"", "lost", "new-empty", "old-empty"}) {
                if (*middle && !rename)
                    continue;
                std::string wrong = PullTrial(card, *drill, changes, n, middle);
                ++trials;
                held += wrong.empty();
                if (!wrong.empty())
                    ADD_FAILURE() << drill->what << ", card pulled after change " << n << " ("
                                  << ChangeList({changes[n - 1]}, folder) << ")"
                                  << (*middle ? " halfway: " : "") << middle << ": " << wrong;
            }
        }
        printf("[drill] Card pulled at every change of %s: %u changes (%d renames): %s; %d "
               "trials (each rename also halfway in 3 ways), %d held\n",
               drill->what, static_cast<unsigned>(changes.size()), renames,
               ChangeList(changes, folder).c_str(), trials, held);
        EXPECT_EQ(held, trials) << drill->what;
    }
}

} // namespace
