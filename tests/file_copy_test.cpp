#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>

#include "library_fixture.h"
#include "platform/long_job_signals.h"
#include "sounds/card_space.h"
#include "resources/resource.h"

namespace {

const char kCreated[] = "Directory created!\n";
const char kExisted[] = "Directory existed.\n";
const char kCreateFailed[] = "Failed to create directory!\n";

std::string CopyLine(const std::string& source)
{
    return "Copy \"" + source + "\" ...";
}

// The end of a Copy that left sounds of the ticked folders off the card.
std::string Incomplete(int missing, int sounds, const std::string& first)
{
    return "Copy incomplete: " + std::to_string(missing) + " of " + std::to_string(sounds) +
           " sounds are not on the card, first \"" + first + "\"";
}

// The entries the platform's search gives for a pattern, in its order.
std::vector<WIN32_FIND_DATAA> Search(const std::string& pattern)
{
    std::vector<WIN32_FIND_DATAA> entries;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        entries.push_back(entry);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return entries;
}

// Every folder (with a trailing backslash) and file below root.
std::set<std::string> ListTree(const std::string& root, const std::string& prefix = "")
{
    std::set<std::string> entries;
    for (const WIN32_FIND_DATAA& entry : Search(root + "\\*")) {
        std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            entries.insert(prefix + name + "\\");
            std::set<std::string> inner = ListTree(root + "\\" + name, prefix + name + "\\");
            entries.insert(inner.begin(), inner.end());
        } else {
            entries.insert(prefix + name);
        }
    }
    return entries;
}

// The names the copy will meet in a source folder, in the search's order.
std::vector<std::string> SearchOrder(const std::string& folder)
{
    std::vector<std::string> names;
    for (const WIN32_FIND_DATAA& entry : Search(folder + "\\*.wav"))
        names.push_back(entry.cFileName);
    return names;
}

class FileCopyTest : public LibraryTest {
  protected:
    // A source folder holding the given files, each a sound of its own.
    std::string MakeSource(const std::string& name, const std::vector<std::string>& files)
    {
        std::string folder = start_.File(name);
        CreateDirectoryA(folder.c_str(), nullptr);
        for (const std::string& file : files)
            WriteBytes(folder + "\\" + file, WaveOf(name + "/" + file));
        return folder;
    }

    // A fresh save directory, chosen with Browse.
    std::string NewSaveDir(const std::string& name)
    {
        std::string folder = start_.File(name);
        CreateDirectoryA(folder.c_str(), nullptr);
        Browse(kFolderChosen, folder);
        return folder;
    }

    // Trace and status lines of one category whose folder is new or existed;
    // the files named in failing cannot be copied.
    void ExpectCategory(const std::string& saveDir, const std::string& relative,
                        const std::string& source, const char* folderMessage, std::string* trace,
                        std::vector<std::string>* statuses,
                        const std::set<std::string>& failing = {})
    {
        std::string target = saveDir + "\\" + relative;
        *trace += "<NewFolder>" + target + "\n";
        statuses->push_back(target + folderMessage);
        std::vector<std::string> names = SearchOrder(source);
        if (names.empty())
            *trace += "INVALID_HANDLE_VALUE!";
        for (size_t i = 0; i < names.size(); ++i) {
            if (names[i][0] == '.')
                continue;
            *trace += (i == 0 ? "Find_0:" : "Find_1:") + names[i] + "\r\n";
            statuses->push_back(CopyLine(source + "\\" + names[i]));
            statuses->push_back(CopyLine(source + "\\" + names[i]) +
                                (failing.count(names[i]) ? "Failed" : "Sucess"));
        }
    }

    // After the files, a copy that put any on the card checks them all again
    // and then shows its last line once more, or the summary given.
    static std::vector<std::string> WithLastCheck(std::vector<std::string> statuses,
                                                  const std::string& summary = "")
    {
        for (const std::string& text : statuses) {
            if (text.size() > 6 && text.compare(text.size() - 6, 6, "Sucess") == 0) {
                std::string last = statuses.back();
                statuses.push_back("Checking the copied files on the card...");
                statuses.push_back(last);
                break;
            }
        }
        if (!summary.empty())
            statuses.push_back(summary);
        return statuses;
    }

    std::vector<std::string> StatusTexts()
    {
        std::vector<std::string> texts;
        for (const StatusRecord& record : statuses_)
            texts.push_back(record.text);
        return texts;
    }
};

// The room a Copy needs, counted in whole clusters of the card's volume with
// each file at its fullest (written to its last 4 KiB piece while the
// earlier copy it replaces still stands), against the room free for this
// user, which is less than the volume's size.
TEST(CardRoom, CountsWholeClustersAtTheFullestMomentAgainstTheFreeRoom)
{
    const uint64_t kMB = 1 << 20;
    const struct {
        uint64_t cluster, free;
        int files;
        uint64_t size, replaced;
        const char* refusal; // none: it fits
    } cases[] = {
        {32768, 100 * 32768, 100, 1, 0, nullptr},
        {32768, 100 * 32768 - 1, 100, 1, 0, "Not enough space on the card: 4 MB needed, 3 MB free"},
        {512, 8192, 1, 5000, 0, nullptr},
        {512, 8191, 1, 5000, 0, "Not enough space on the card: 1 MB needed, 0 MB free"},
        {4096, 10 * kMB, 3, 10 * kMB, 10 * kMB, nullptr},
        {4096, 10 * kMB - 1, 3, 10 * kMB, 10 * kMB,
         "Not enough space on the card: 10 MB needed, 9 MB free"},
        {4096, 19 * kMB, 3, 10 * kMB, 5 * kMB,
         "Not enough space on the card: 20 MB needed, 19 MB free"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        VolumeSpace volume = {c.cluster, c.free, 1ull << 30};
        CardRoom room = StartRoomCount(&volume), unknown = StartRoomCount(nullptr);
        for (int i = 0; i < c.files; ++i) {
            CountSound(&room, c.size, c.replaced);
            CountSound(&unknown, c.size, c.replaced);
        }
        char refusal[200] = {};
        EXPECT_EQ(RoomSuffices(room, refusal, sizeof refusal), c.refusal == nullptr);
        EXPECT_STREQ(refusal, c.refusal ? c.refusal : "");
        EXPECT_TRUE(RoomSuffices(unknown, refusal, sizeof refusal));
    }
}

// One save directory per page, with categories of every page ticked: each
// page copies its own ticked categories, in animal order, and nothing else.
// The timing pages play from "Random on Sense" too, never copied here.
TEST_F(FileCopyTest, EachPageCopiesExactlyItsTickedCategoriesInAnimalOrder)
{
    std::string random = MakeSource("R", {"r1.wav", "r2.wav", "notes.txt"});
    std::string dog = MakeSource("D", {"d1.wav", "d2.wav"});
    std::string fox = MakeSource("F", {"f.wav"});
    std::string birdC = MakeSource("C", {"c.wav"});
    std::string tiger = MakeSource("T", {"t.wav"});
    Choose(IDC_SENSE_RAND_PICK, random);
    Choose(IDC_TIMING_RAND_A_PICK, random);
    Choose(IDC_TIMING_RAND_B_PICK, random);
    Choose(IDC_SENSE_SPEC_DOG_PICK, dog);    // Dog, sensing page
    Choose(IDC_SENSE_SPEC_FOX_PICK, fox);    // Red fox, sensing page
    Choose(IDC_TIMING_A_BIRD_C_PICK, birdC); // Bird C, timing A
    Choose(IDC_TIMING_A_DOG_PICK, dog);      // Dog, timing A
    Choose(IDC_TIMING_B_TIGER_PICK, tiger);  // Tiger, timing B

    struct PageCase {
        int page;
        std::vector<std::pair<std::string, std::string>> categories; // folder, source
        bool animalPage;
        int silent; // of the 3 places the timing pages' settings play from
    };
    const PageCase cases[] = {
        {0, {{"audio\\SenseRand", random}}, false, 0},
        {1, {{"audio\\Alarm\\A", random}}, false, 2},
        {2, {{"audio\\Alarm\\B", random}}, false, 2},
        {3, {{"audio\\SenseSpecify\\dog", dog}, {"audio\\SenseSpecify\\fox", fox}}, true, 0},
        {4, {{"audio\\Alarm\\A\\dog", dog}, {"audio\\Alarm\\A\\bird C", birdC}}, true, 2},
        {5, {{"audio\\Alarm\\B\\tiger", tiger}}, true, 3},
    };
    for (const PageCase& pageCase : cases) {
        SCOPED_TRACE(pageCase.page);
        std::string saveDir = NewSaveDir("save" + std::to_string(pageCase.page));
        std::string trace = Copy(pageCase.page);

        std::string expectedTrace = kCopyTraceLine;
        std::vector<std::string> expectedStatuses;
        std::set<std::string> expectedTree;
        for (const auto& category : pageCase.categories) {
            if (pageCase.animalPage)
                expectedTrace += "<SenseSpecPath[0]>" + category.second + "\n";
            ExpectCategory(saveDir, category.first, category.second, kCreated, &expectedTrace,
                           &expectedStatuses);
            std::string folder;
            for (char c : category.first + "\\") {
                folder += c;
                if (c == '\\')
                    expectedTree.insert(folder);
            }
            for (const std::string& name : SearchOrder(category.second)) {
                expectedTree.insert(category.first + "\\" + name);
                EXPECT_EQ(ReadBytes(saveDir + "\\" + category.first + "\\" + name),
                          ReadBytes(category.second + "\\" + name));
            }
        }
        EXPECT_EQ(trace, expectedTrace);
        std::string end = NotReady(pageCase.silent, 3, saveDir + "\\audio\\SenseRand");
        EXPECT_EQ(StatusTexts(), WithLastCheck(expectedStatuses, pageCase.silent ? end : ""));
        EXPECT_EQ(ListTree(saveDir), expectedTree);

        // Locked while files are copied, unlocked afterwards.
        for (const StatusRecord& record : statuses_) {
            if (record.text.compare(0, 6, "Copy \"") != 0)
                continue;
            EXPECT_FALSE(record.copyEnabled) << record.text;
            if (pageCase.animalPage) {
                EXPECT_FALSE(record.anyAnimalPickEnabled) << record.text;
            }
        }
        EXPECT_EQ(copyButtonStates_, (std::vector<bool>{false, true}));
        EXPECT_TRUE(IsEnabled(dialog_, IDC_COPY_BUTTON));
        EXPECT_EQ(g_Session.CurrentCategory, 0);
    }
    // The animal rows of the last page are re-derived after its copy.
    for (const ExpectedCategory& category : kExpectedCategories) {
        if (category.slot >= 0) {
            EXPECT_EQ(IsEnabled(dialog_, category.pick), category.page == 5) << category.pick;
        }
    }
}

TEST_F(FileCopyTest, ASecondCopyFindsTheFolderAndOverwritesTheFiles)
{
    std::string source = MakeSource("R", {"r.wav"});
    Choose(IDC_SENSE_RAND_PICK, source);
    std::string saveDir = NewSaveDir("save");
    Copy(0);
    std::string target = saveDir + "\\audio\\SenseRand\\r.wav";
    WriteBytes(target, Bytes{'o', 'l', 'd'});

    std::string trace = Copy(0);
    std::string expectedTrace = kCopyTraceLine;
    std::vector<std::string> expectedStatuses;
    ExpectCategory(saveDir, "audio\\SenseRand", source, kExisted, &expectedTrace,
                   &expectedStatuses);
    EXPECT_EQ(trace, expectedTrace);
    EXPECT_EQ(StatusTexts(), WithLastCheck(expectedStatuses));
    EXPECT_EQ(ReadBytes(target), ReadBytes(source + "\\r.wav"));
}

// Upper-case extensions match; names with a leading full stop are neither
// traced nor copied; a folder matching the pattern is not entered and fails.
TEST_F(FileCopyTest, ThePatternDecidesAloneExceptForDotNames)
{
    std::string source = MakeSource("R", {"LOUD.WAV", ".hidden.wav", "quiet.wav", "x.txt"});
    CreateDirectoryA((source + "\\nested.wav").c_str(), nullptr);
    WriteBytes(source + "\\nested.wav\\inner.wav", Bytes{'i'});
    Choose(IDC_SENSE_RAND_PICK, source);
    std::string saveDir = NewSaveDir("save");
    std::string trace = Copy(0);

    ASSERT_EQ(SearchOrder(source).size(), 4u);
    std::string expectedTrace = kCopyTraceLine;
    std::vector<std::string> expectedStatuses;
    ExpectCategory(saveDir, "audio\\SenseRand", source, kCreated, &expectedTrace, &expectedStatuses,
                   {"nested.wav"});
    EXPECT_EQ(trace, expectedTrace);
    EXPECT_EQ(StatusTexts(),
              WithLastCheck(expectedStatuses, Incomplete(1, 3, source + "\\nested.wav")));
    EXPECT_EQ(ListTree(saveDir),
              (std::set<std::string>{"audio\\", "audio\\SenseRand\\", "audio\\SenseRand\\LOUD.WAV",
                                     "audio\\SenseRand\\quiet.wav"}));
}

TEST_F(FileCopyTest, AMissingOrEmptySourceOnlyTracesThatTheSearchCouldNotStart)
{
    Choose(IDC_SENSE_SPEC_DOG_PICK, start_.File("missing"));
    std::string saveDir = NewSaveDir("save");
    std::string dogFolder = saveDir + "\\audio\\SenseSpecify\\dog";
    EXPECT_EQ(Copy(3), std::string(kCopyTraceLine) + "<SenseSpecPath[0]>" + start_.File("missing") +
                           "\n<NewFolder>" + dogFolder + "\nINVALID_HANDLE_VALUE!");
    EXPECT_EQ(StatusTexts(),
              (std::vector<std::string>{dogFolder + kCreated, NotReady(1, 1, dogFolder)}));

    std::string empty = MakeSource("empty", {"readme.txt"});
    Choose(IDC_SENSE_SPEC_DOG_PICK, empty);
    EXPECT_EQ(Copy(3), std::string(kCopyTraceLine) + "<SenseSpecPath[0]>" + empty +
                           "\n<NewFolder>" + dogFolder + "\nINVALID_HANDLE_VALUE!");
    EXPECT_EQ(StatusTexts(),
              (std::vector<std::string>{dogFolder + kExisted, NotReady(1, 1, dogFolder)}));
    EXPECT_EQ(ListTree(saveDir), (std::set<std::string>{"audio\\", "audio\\SenseSpecify\\",
                                                        "audio\\SenseSpecify\\dog\\"}));
}

// A file where the Dog folder must go: Dog is skipped with the error code in
// the trace, Tiger is still copied.
TEST_F(FileCopyTest, AFolderThatCannotBeCreatedSkipsOnlyItsCategory)
{
    std::string dog = MakeSource("D", {"d.wav"});
    std::string tiger = MakeSource("T", {"t.wav"});
    Choose(IDC_SENSE_SPEC_DOG_PICK, dog);
    Choose(IDC_SENSE_SPEC_TIGER_PICK, tiger);
    std::string saveDir = NewSaveDir("save");
    CreateDirectoryA((saveDir + "\\audio").c_str(), nullptr);
    CreateDirectoryA((saveDir + "\\audio\\SenseSpecify").c_str(), nullptr);
    std::string blocker = saveDir + "\\audio\\SenseSpecify\\dog";
    WriteBytes(blocker, Bytes{'f'});

    std::string trace = Copy(3);
    std::string expectedTrace = std::string(kCopyTraceLine) + "<SenseSpecPath[0]>" + dog + "\n" +
                                "<NewFolder>" + blocker + "\n" + CreateFailTraceLine(183) +
                                "<SenseSpecPath[0]>" + tiger + "\n";
    std::vector<std::string> expectedStatuses = {blocker + kCreateFailed};
    ExpectCategory(saveDir, "audio\\SenseSpecify\\tiger", tiger, kCreated, &expectedTrace,
                   &expectedStatuses);
    EXPECT_EQ(trace, expectedTrace);
    EXPECT_EQ(StatusTexts(), WithLastCheck(expectedStatuses, Incomplete(1, 2, dog)));
    EXPECT_EQ(ReadBytes(blocker), Bytes{'f'});
    EXPECT_TRUE(FileExists(saveDir + "\\audio\\SenseSpecify\\tiger\\t.wav"));
}

// Of five sounds, the target of the third is a folder: it fails, the others
// are copied, and the Copy ends saying so. A source file named as the short
// (8.3) alias of another sound on the card fails too, and that sound stays
// byte for byte.
TEST_F(FileCopyTest, AFileThatCannotBeCopiedFailsAndTheNextIsTried)
{
    std::string saveDir = NewSaveDir("save");
    std::string folder = saveDir + "\\audio\\SenseRand";
    CreateDirectoryA((saveDir + "\\audio").c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\c.wav").c_str(), nullptr);
    std::string source = MakeSource("R", {"a.wav", "b.wav", "c.wav", "d.wav", "e.wav"});
    Choose(IDC_SENSE_RAND_PICK, source);

    std::string trace = Copy(0);
    std::string expectedTrace = kCopyTraceLine;
    std::vector<std::string> expectedStatuses;
    ExpectCategory(saveDir, "audio\\SenseRand", source, kExisted, &expectedTrace, &expectedStatuses,
                   {"c.wav"});
    EXPECT_EQ(trace, expectedTrace);
    EXPECT_EQ(StatusTexts(), WithLastCheck(expectedStatuses, Incomplete(1, 5, source + "\\c.wav")));
    EXPECT_EQ(ReadBytes(folder + "\\e.wav"), ReadBytes(source + "\\e.wav"));

    const std::string sound = folder + "\\Barking dog long.wav";
    WriteBytes(sound, Bytes(500, 0x5A));
    char shortPath[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameA(sound.c_str(), shortPath, MAX_PATH), 0u);
    std::string alias = strrchr(shortPath, '\\') + 1;
    ASSERT_NE(alias, "Barking dog long.wav") << "no short names on this volume";
    std::string aliasSource = MakeSource("S", {alias});
    Choose(IDC_SENSE_RAND_PICK, aliasSource);
    Copy(0);
    EXPECT_EQ(Status(), Incomplete(1, 1, aliasSource + "\\" + alias));
    EXPECT_EQ(ReadBytes(sound), Bytes(500, 0x5A));

    // The target folder chosen as its own source: each file fails, as the
    // system's copy of a file onto itself does, and the folder stays as it
    // was; its sounds are on the card, so the Copy ends on its last line.
    std::set<std::string> before = ListTree(folder);
    Choose(IDC_SENSE_RAND_PICK, folder);
    Copy(0);
    for (const std::string& text : StatusTexts())
        EXPECT_EQ(text.find("Sucess"), std::string::npos) << text;
    EXPECT_EQ(Status(), CopyLine(folder + "\\" + SearchOrder(folder).back()) + "Failed");
    EXPECT_EQ(ListTree(folder), before);
    EXPECT_EQ(ReadBytes(folder + "\\b.wav"), ReadBytes(source + "\\b.wav"));
    EXPECT_EQ(ReadBytes(sound), Bytes(500, 0x5A));
}

// What a copy cut short can leave: a sound only as "<name>.OLD" beside
// "~.TMP", a checked copy only as "<name>.NEW", an earlier copy beside the
// new one that took its name, and a new sound's name left empty by its
// rename from "~.TMP". The next Copy, from a source that holds none of these
// sounds, gives the first two their names byte for byte and removes the
// others; a ".OLD" or ".NEW" that names no sound stays.
TEST_F(FileCopyTest, ACopyPutsBackTheSoundsAnInterruptedCopyLeftAside)
{
    std::string saveDir = NewSaveDir("save"), folder = saveDir + "\\audio\\SenseRand";
    CreateDirectoryA((saveDir + "\\audio").c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    const struct {
        const char* name;
        char fill;
        const char* after; // its name after the Copy, or none
    } files[] = {{"Dog bark.wav.OLD", 'e', "Dog bark.wav"},
                 {"~.TMP", 'n', nullptr},
                 {"placed.wav", 'n', "placed.wav"},
                 {"placed.wav.OLD", 'e', nullptr},
                 {"Cat.wav.NEW", 'c', "Cat.wav"},
                 {"Fox.wav", '\0', nullptr},
                 {"~.OLD", 'x', "~.OLD"},
                 {"notes.NEW", 'x', "notes.NEW"},
                 {".wav.OLD", 'x', ".wav.OLD"}};
    std::set<std::string> expected = {"new.wav"};
    for (const auto& file : files) {
        WriteBytes(folder + "\\" + file.name, Bytes(file.fill ? 300 : 0, file.fill));
        if (file.after)
            expected.insert(file.after);
    }
    Choose(IDC_SENSE_RAND_PICK, MakeSource("R", {"new.wav"}));
    Copy(0);
    EXPECT_EQ(ListTree(folder), expected);
    for (const auto& file : files) {
        if (file.after) {
            EXPECT_EQ(ReadBytes(folder + "\\" + file.after), Bytes(300, file.fill)) << file.name;
        }
    }
}

// Only the animal pages lock and re-derive the panel even then.
TEST_F(FileCopyTest, NothingTickedOnThePageChangesNothing)
{
    // Ticks on other pages do not count.
    Choose(IDC_SENSE_SPEC_DOG_PICK, MakeSource("D", {"d.wav"}));
    std::string saveDir = NewSaveDir("save");
    std::string status = Status();
    for (int page : {0, 1, 2, 4, 5}) {
        SCOPED_TRACE(page);
        EXPECT_EQ(Copy(page), kCopyTraceLine);
        EXPECT_TRUE(statuses_.empty());
        EXPECT_EQ(Status(), status);
        EXPECT_EQ(copyButtonStates_,
                  page < 3 ? std::vector<bool>{} : (std::vector<bool>{false, true}));
        EXPECT_TRUE(IsEnabled(dialog_, IDC_COPY_BUTTON));
    }
    EXPECT_TRUE(ListTree(saveDir).empty());
}

// A save directory that ends in a backslash, like a drive root, is used as
// it stands: the paths carry two backslashes in a row.
TEST_F(FileCopyTest, ASaveDirectoryEndingInABackslashIsUsedAsItStands)
{
    std::string source = MakeSource("R", {"r.wav"});
    Choose(IDC_SENSE_RAND_PICK, source);
    std::string saveDir = NewSaveDir("save") + "\\";
    Browse(kFolderChosen, saveDir);
    std::string trace = Copy(0);
    std::string expectedTrace = kCopyTraceLine;
    std::vector<std::string> expectedStatuses;
    ExpectCategory(saveDir, "audio\\SenseRand", source, kCreated, &expectedTrace,
                   &expectedStatuses);
    EXPECT_EQ(trace, expectedTrace);
    EXPECT_EQ(StatusTexts(), WithLastCheck(expectedStatuses));
    EXPECT_EQ(ReadBytes(saveDir + "audio\\SenseRand\\r.wav"), ReadBytes(source + "\\r.wav"));
}

class LongPathTest : public FileCopyTest {
  protected:
    // A path of exactly length characters below the start folder.
    std::string PathOfLength(size_t length)
    {
        std::string base = start_.Path() + "\\";
        return base + std::string(length - base.size(), 'p');
    }
};

// The save directory leaves room for the category folder (259 characters)
// but not for a file in it: the folder is made, the file fails. One more
// character and the folder does not fit either: skipped, its sound counted
// as not on the card.
TEST_F(LongPathTest, SaveDirectoryNearTheLimit)
{
    std::string source = MakeSource("R", {"r.wav"});
    Choose(IDC_SENSE_RAND_PICK, source);
    const std::string relative = "\\audio\\SenseRand";

    std::string fits = PathOfLength(259 - relative.size());
    Browse(kFolderChosen, fits);
    std::string trace = Copy(0);
    // Windows' SHCreateDirectoryEx takes at most 248 characters and answers
    // ERROR_FILENAME_EXCED_RANGE beyond them; Wine creates the folder.
    bool made = FileExists(fits + relative);
    EXPECT_EQ(trace,
              std::string(kCopyTraceLine) + "<NewFolder>" + fits + relative + "\n" +
                  (made ? "Find_0:r.wav\r\n" : CreateFailTraceLine(ERROR_FILENAME_EXCED_RANGE)));
    EXPECT_EQ(Status(), Incomplete(1, 1, made ? source + "\\r.wav" : source));

    std::string tooLong = PathOfLength(260 - relative.size());
    Browse(kFolderChosen, tooLong);
    EXPECT_EQ(Copy(0), kCopyTraceLine);
    EXPECT_EQ(StatusTexts(), std::vector<std::string>{Incomplete(1, 1, source)});
    EXPECT_FALSE(FileExists(tooLong));
    RemoveTree(fits);
}

// A save directory of 237 characters: a.wav's path on the card is 259
// characters and the names it waits under are longer; it is copied,
// replaced, and given its name from under a checked one left waiting, like
// any other sound.
TEST_F(LongPathTest, ASoundWhosePathFitsIsCopiedThoughItsWaitingNamesAreLonger)
{
    std::string saveDir = PathOfLength(237), target = saveDir + "\\audio\\SenseRand\\a.wav";
    ASSERT_TRUE(CreateDirectoryA(saveDir.c_str(), nullptr));
    Browse(kFolderChosen, saveDir);
    for (const char* name : {"first", "second"}) {
        std::string source = MakeSource(name, {"a.wav"});
        Choose(IDC_SENSE_RAND_PICK, source);
        Copy(0);
        EXPECT_EQ(Status(), CopyLine(source + "\\a.wav") + "Sucess");
        EXPECT_EQ(ReadBytes(target), ReadBytes(source + "\\a.wav"));
    }
    std::wstring checked = L"\\\\?\\" + FromUtf8((target + ".NEW").c_str());
    HANDLE file = CreateFileW(checked.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "waiting", 7, &written, nullptr);
    CloseHandle(file);
    Choose(IDC_SENSE_RAND_PICK, MakeSource("third", {"b.wav"}));
    Copy(0);
    EXPECT_EQ(ReadBytes(target), Bytes({'w', 'a', 'i', 't', 'i', 'n', 'g'}));
    EXPECT_EQ(ListTree(saveDir + "\\audio\\SenseRand"), (std::set<std::string>{"a.wav", "b.wav"}));
    RemoveTree(saveDir);
}

// A source folder of 253 characters leaves room for its pattern: a.wav still
// fits as a source path and is copied, ab.wav (260) does not and fails with
// its status line cut to the buffer. A folder of 254 has no room for the
// pattern and counts as a folder whose search cannot start.
TEST_F(LongPathTest, SourceFolderAndFileNameNearTheLimit)
{
    std::string folder = PathOfLength(253);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    WriteBytes(folder + "\\a.wav", WaveOf("a"));
    std::wstring wideName = FromUtf8((folder + "\\ab.wav").c_str());
    HANDLE file =
        CreateFileW(wideName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    Choose(IDC_SENSE_RAND_PICK, folder);
    std::string saveDir = NewSaveDir("save");
    Copy(0);
    std::vector<std::string> expected = {saveDir + "\\audio\\SenseRand" + kCreated};
    for (const std::string& name : SearchOrder(folder)) {
        std::string source = (folder + "\\" + name).substr(0, 259);
        expected.push_back(CopyLine(source));
        expected.push_back(CopyLine(source) + (name == "a.wav" ? "Sucess" : "Failed"));
    }
    EXPECT_EQ(StatusTexts(),
              WithLastCheck(expected, Incomplete(1, 2, (folder + "\\ab.wav").substr(0, 259))));
    EXPECT_EQ(ListTree(saveDir + "\\audio\\SenseRand"), std::set<std::string>{"a.wav"});
    DeleteFileW(wideName.c_str());

    std::string longer = PathOfLength(254);
    ASSERT_TRUE(CreateDirectoryA(longer.c_str(), nullptr));
    WriteBytes(longer + "\\a.wav", Bytes{'a'});
    Choose(IDC_SENSE_RAND_PICK, longer);
    EXPECT_EQ(Copy(0), std::string(kCopyTraceLine) + "<NewFolder>" + saveDir +
                           "\\audio\\SenseRand\nINVALID_HANDLE_VALUE!");
    EXPECT_EQ(Status(), saveDir + "\\audio\\SenseRand" + kExisted);
}

} // namespace

namespace {

// Where the window's close box is, in screen coordinates, as the window
// itself answers a hit test.
POINT CloseBoxOf(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    for (int x = rect.right - 2; x > rect.right - 80; --x) {
        for (int y = rect.top + 2; y < rect.top + 40; y += 2) {
            if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE)
                return {x, y};
        }
    }
    ADD_FAILURE() << "no close box";
    return {rect.right, rect.top};
}

POINT g_CloseBox;
UINT g_LanguageItemsGreyed = 0;

// Milliseconds the window takes to answer a message sent with a timeout.
double AnswerTime(HWND window)
{
    ULONGLONG start = GetTickCount64();
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result))
        return 5000;
    return static_cast<double>(GetTickCount64() - start);
}

// Waits for a thread that may still send to the dialog, running the
// dialog's messages meanwhile: a plain wait would never see that send end.
void JoinPumping(HWND dialog, HANDLE thread)
{
    MSG message;
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageA(dialog, &message))
                DispatchMessageA(&message);
        }
    }
    CloseHandle(thread);
}

struct DuringCopy {
    HWND dialog;
    void (*act)(HWND dialog);
    double slowestAnswer = 0;
    bool stillCopying = false;
    bool statusHidden = false; // the status line was not visible when asked
    bool sessionEndBlocked = false;
};

// Asks whether the status line is visible until the copy reaches the given
// state or the time is up.
void WatchStatusLine(DuringCopy* during, bool untilCopying, DWORD milliseconds)
{
    HWND status = GetDlgItem(during->dialog, IDC_STATUS_LINE);
    for (ULONGLONG end = GetTickCount64() + milliseconds;
         GetTickCount64() < end && (g_Session.CurrentCategory != 0) != untilCopying; Sleep(1))
        during->statusHidden |= !IsWindowVisible(status);
}

// Waits for the copy to start, answers twice around the action, and notes
// whether the copy was still running when all of it was done; meanwhile,
// and until the copy ends, it asks whether the status line is visible.
DWORD WINAPI ActDuringCopy(void* context)
{
    DuringCopy* during = static_cast<DuringCopy*>(context);
    // A copy that never starts (or ends unseen) fails the test, not hangs it.
    for (ULONGLONG end = GetTickCount64() + 30000; g_Session.CurrentCategory == 0; Sleep(5)) {
        if (GetTickCount64() > end)
            return 0;
    }
    WatchStatusLine(during, false, 100);
    during->sessionEndBlocked = SessionEndBlocked(during->dialog);
    during->slowestAnswer = AnswerTime(during->dialog);
    during->act(during->dialog);
    during->slowestAnswer = std::max(during->slowestAnswer, AnswerTime(during->dialog));
    during->stillCopying = g_Session.CurrentCategory != 0;
    WatchStatusLine(during, false, INFINITE);
    return 0;
}

int g_TabDuringCopy = -1;
bool g_PageRefused = false;

// The window comes to the front once the X server has mapped it.
void BringToFront(HWND dialog)
{
    for (ULONGLONG end = GetTickCount64() + 5000;
         GetForegroundWindow() != dialog && GetTickCount64() < end;) {
        SetForegroundWindow(dialog);
        PumpDialog(dialog, 50);
    }
}

} // namespace

// A long copy: the window answers within a second, and clicks on Copy, a
// tab, a "..." and Generate made meanwhile are dropped, not carried out
// afterwards, a page change is refused, and the system menu's language
// items are greyed and do nothing; the focus returns to Copy. A click on the close box during a
// later copy stops it at a file boundary, closes the window, and leaves only
// complete sounds.
TEST_F(FileCopyTest, InputDuringALongCopyIsDroppedAndACloseWaitsForAFileBoundary)
{
    std::string source = start_.File("long");
    CreateDirectoryA(source.c_str(), nullptr);
    // Many small files: each costs the card's round trips, which take time
    // on any machine, where large ones come and go at the speed of the cache.
    const int files = 800;
    for (int i = 0; i < files; ++i)
        WriteBytes(source + "\\" + std::to_string(1000 + i) + ".wav",
                   WaveOf(std::string(16 << 10, 'a' + i % 26)));
    Choose(IDC_SENSE_RAND_PICK, source);
    std::string saveDir = NewSaveDir("save");
    ShowWindow(dialog_, SW_SHOW);
    BringToFront(dialog_);
    SetFocus(GetDlgItem(dialog_, IDC_COPY_BUTTON));
    ASSERT_EQ(GetFocus(), GetDlgItem(dialog_, IDC_COPY_BUTTON)) << "the window took no focus";
    int folderRequests = script_->folderRequests;

    DuringCopy clicks = {
        dialog_, [](HWND dialog) {
            for (int id :
                 {IDC_COPY_BUTTON, IDC_GENERATE_BUTTON, IDC_SENSE_RAND_PICK, IDC_BROWSE_BUTTON})
                ClickAt(GetDlgItem(dialog, id));
            HWND tab = GetDlgItem(dialog, IDC_COPY_TAB);
            RECT page, frame;
            SendMessageA(tab, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&page));
            GetWindowRect(tab, &frame);
            POINT at = {(page.left + page.right) / 2, (page.top + page.bottom) / 2};
            ClientToScreen(tab, &at);
            ClickAt(tab, at.x - frame.left, at.y - frame.top);
            Sleep(300);
            g_TabDuringCopy = static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0));
            // As the tab asks before it turns to a page clicked by a tool.
            NMHDR asking = {tab, IDC_COPY_TAB, static_cast<UINT>(TCN_SELCHANGING)};
            g_PageRefused = SendMessageA(dialog, WM_NOTIFY, IDC_COPY_TAB,
                                         reinterpret_cast<LPARAM>(&asking)) == TRUE;
            HMENU menu = GetSystemMenu(dialog, FALSE);
            SendMessageA(dialog, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
                         MAKELPARAM(0, TRUE));
            g_LanguageItemsGreyed = GetMenuState(menu, IDM_LANGUAGE_ENGLISH, MF_BYCOMMAND) &
                                    GetMenuState(menu, IDM_LANGUAGE_CHINESE, MF_BYCOMMAND) &
                                    MF_GRAYED;
            SendMessageA(dialog, WM_SYSCOMMAND, IDM_LANGUAGE_CHINESE, 0);
        }};
    HANDLE thread = CreateThread(nullptr, 0, ActDuringCopy, &clicks, 0, nullptr);
    std::string trace = Copy(0);
    JoinPumping(dialog_, thread);
    PumpDialog(dialog_, 500);
    EXPECT_LT(clicks.slowestAnswer, 1000);
    ASSERT_TRUE(clicks.stillCopying) << "the copy ended before the clicks: make it longer";
    EXPECT_FALSE(clicks.statusHidden);
    EXPECT_TRUE(clicks.sessionEndBlocked);
    EXPECT_FALSE(SessionEndBlocked(dialog_));
    EXPECT_EQ(g_TabDuringCopy, 0);
    EXPECT_TRUE(g_PageRefused);
    EXPECT_EQ(SendDlgItemMessageA(dialog_, IDC_COPY_TAB, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    for (int id : {IDC_COPY_BUTTON, IDC_GENERATE_BUTTON, IDC_SENSE_RAND_PICK, IDC_BROWSE_BUTTON})
        EXPECT_FALSE(SendDlgItemMessageA(dialog_, id, BM_GETSTATE, 0, 0) & BST_PUSHED) << id;
    EXPECT_EQ(trace.find(kCopyTraceLine, 1), std::string::npos) << "a second copy ran";
    EXPECT_EQ(script_->folderRequests, folderRequests);
    EXPECT_TRUE(script_->boxes.empty()) << "Generate ran";
    EXPECT_EQ(g_Session.CopyTabIndex, 0u);
    EXPECT_TRUE(g_LanguageItemsGreyed) << "the language items during the copy";
    EXPECT_EQ(g_Session.LanguageIndex, 1);
    EXPECT_EQ(Status(), CopyLine(source + "\\" + SearchOrder(source).back()) + "Sucess");
    // Another program's window may have come to the front meanwhile: the
    // focus is where the window puts it once it is in front again.
    BringToFront(dialog_);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog_, IDC_COPY_BUTTON))
        << "active window " << GetActiveWindow() << ", in front " << GetForegroundWindow()
        << ", the dialog " << dialog_;

    RemoveTree(saveDir + "\\audio");
    g_CloseBox = CloseBoxOf(dialog_);
    DuringCopy close = {dialog_, [](HWND dialog) {
                            RECT rect;
                            GetWindowRect(dialog, &rect);
                            ClickAt(dialog, g_CloseBox.x - rect.left, g_CloseBox.y - rect.top);
                        }};
    thread = CreateThread(nullptr, 0, ActDuringCopy, &close, 0, nullptr);
    Copy(0);
    JoinPumping(dialog_, thread);
    ASSERT_TRUE(close.stillCopying);
    EXPECT_FALSE(IsWindowVisible(dialog_)) << "the close was lost";
    std::vector<std::string> texts = StatusTexts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Checking the copied files on the card..."), 1)
        << "the files copied before the close were not checked";
    EXPECT_FALSE(SessionEndBlocked(dialog_));
    std::set<std::string> copied = ListTree(saveDir + "\\audio\\SenseRand");
    EXPECT_GT(copied.size(), 0u);
    EXPECT_LT(copied.size(), static_cast<size_t>(files)) << "the copy went on after the close";
    for (const std::string& name : copied)
        EXPECT_EQ(ReadBytes(saveDir + "\\audio\\SenseRand\\" + name),
                  ReadBytes(source + "\\" + name));
}

namespace {

std::string g_Source, g_Card;
std::vector<std::string> g_Gone; // sources removed once their copies stand on the card
std::string g_HeldName;          // a copy held open by another from when it stands on the card
HANDLE g_Held = INVALID_HANDLE_VALUE;
DWORD_PTR g_BusyAnswer = TRUE;
ULONGLONG g_EndSessionTook = 0;
std::map<std::string, Bytes> g_AtSessionEnd; // the card's folder as WM_ENDSESSION returned

// Asks for a log-off, then ends the session, once the sound g_Card stands
// on the card anew (4 MB long); notes the card's folder the moment the
// window has answered.
DWORD WINAPI EndSessionOnceASoundIsNew(void* dialog)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    while (!GetFileAttributesExA(g_Card.c_str(), GetFileExInfoStandard, &data) ||
           data.nFileSizeLow != 4u << 20)
        Sleep(1);
    HWND window = static_cast<HWND>(dialog);
    SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &g_BusyAnswer);
    ULONGLONG start = GetTickCount64();
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 30000, &result);
    g_EndSessionTook = GetTickCount64() - start;
    std::string folder = g_Card.substr(0, g_Card.rfind('\\'));
    for (const std::string& name : ListTree(folder))
        g_AtSessionEnd[name] = ReadBytes(folder + "\\" + name);
    return 0;
}

} // namespace

// A source removed once its copy stands on the card costs the card nothing:
// the last check compares the card with what it held when the copy was
// checked, never with the source read again. A copy that another program
// holds open without read sharing (a virus scanner, a sync tool) is not
// taken for a changed one: it stays on the card, and the Copy ends saying
// that it could not be checked. The summary names it first, in copy order,
// ahead of a later sound that failed before it, during the copy.
TEST_F(FileCopyTest, ASourceGoneAfterItsCopyKeepsTheCopyAndAHeldCopyStays)
{
    g_Source = start_.File("many");
    CreateDirectoryA(g_Source.c_str(), nullptr);
    for (int i = 0; i < 400; ++i)
        WriteBytes(g_Source + "\\" + std::to_string(1000 + i) + ".wav",
                   Bytes(64 << 10, 'a' + i % 26));
    Choose(IDC_SENSE_RAND_PICK, g_Source);
    g_Card = NewSaveDir("save") + "\\audio\\SenseRand";
    std::vector<std::string> order = SearchOrder(g_Source);
    g_Gone.assign(order.begin(), order.begin() + 10);
    g_HeldName = order[10];
    CreateDirectoryA(g_Card.substr(0, g_Card.rfind('\\')).c_str(), nullptr);
    CreateDirectoryA(g_Card.c_str(), nullptr);
    CreateDirectoryA((g_Card + "\\" + order[20]).c_str(), nullptr);
    std::vector<Bytes> originals;
    for (const std::string& name : g_Gone)
        originals.push_back(ReadBytes(g_Source + "\\" + name));
    DuringCopy removal = {dialog_, [](HWND) {
                              for (const std::string& name : g_Gone) {
                                  while (!FileExists(g_Card + "\\" + name))
                                      Sleep(1);
                                  DeleteFileA((g_Source + "\\" + name).c_str());
                              }
                              std::string held = g_Card + "\\" + g_HeldName;
                              for (; g_Held == INVALID_HANDLE_VALUE; Sleep(1))
                                  g_Held = CreateFileA(held.c_str(), GENERIC_READ,
                                                       FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                       nullptr, OPEN_EXISTING, 0, nullptr);
                          }};
    HANDLE thread = CreateThread(nullptr, 0, ActDuringCopy, &removal, 0, nullptr);
    Copy(0);
    JoinPumping(dialog_, thread);
    ASSERT_TRUE(removal.stillCopying) << "the copy ended before the sources went";
    CloseHandle(g_Held);
    g_Held = INVALID_HANDLE_VALUE;
    for (size_t i = 0; i < g_Gone.size(); ++i)
        EXPECT_EQ(ReadBytes(g_Card + "\\" + g_Gone[i]), originals[i]) << g_Gone[i];
    std::string held = g_Source + "\\" + g_HeldName;
    EXPECT_EQ(ReadBytes(g_Card + "\\" + g_HeldName), ReadBytes(held));
    EXPECT_EQ(StatusTexts().end()[-2], CopyLine(held) + "Failed");
    EXPECT_EQ(Status(), Incomplete(2, 400, held));
}

// While a copy runs a log-off waits; a session that ends anyway stops the
// copy before WM_ENDSESSION returns: at that moment every sound on the card
// is whole (the earlier copy or the new one), none of the copy's temporary
// files is left, and a log-off no longer waits.
TEST_F(FileCopyTest, ALogOffWaitsAndASessionThatEndsStopsTheCopyWhole)
{
    std::string source = start_.File("long");
    CreateDirectoryA(source.c_str(), nullptr);
    for (int i = 0; i < 24; ++i)
        WriteBytes(source + "\\" + std::to_string(100 + i) + ".wav", Bytes(4 << 20, 'a' + i));
    Choose(IDC_SENSE_RAND_PICK, source);
    std::string card = NewSaveDir("save") + "\\audio\\SenseRand";
    Copy(0);
    for (const std::string& name : SearchOrder(source))
        WriteBytes(card + "\\" + name, Bytes(1000, 'z')); // earlier copies to replace
    EXPECT_EQ(SendMessageA(dialog_, WM_QUERYENDSESSION, 0, 0), TRUE);

    g_Card = card + "\\" + SearchOrder(source).front();
    HANDLE thread = CreateThread(nullptr, 0, EndSessionOnceASoundIsNew, dialog_, 0, nullptr);
    Copy(0);
    JoinPumping(dialog_, thread);
    EXPECT_EQ(g_BusyAnswer, static_cast<DWORD_PTR>(FALSE));
    EXPECT_LT(g_EndSessionTook, 3000u);
    int earlier = 0;
    for (const auto& file : g_AtSessionEnd) {
        earlier += file.second == Bytes(1000, 'z');
        EXPECT_TRUE(file.second == Bytes(1000, 'z') ||
                    file.second == ReadBytes(source + "\\" + file.first))
            << file.first;
    }
    EXPECT_EQ(g_AtSessionEnd.size(), 24u) << "a temporary file stayed, or a sound went";
    EXPECT_GT(earlier, 0) << "the copy went on after the session ended";
    EXPECT_EQ(SendMessageA(dialog_, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_FALSE(SessionEndBlocked(dialog_));
}
