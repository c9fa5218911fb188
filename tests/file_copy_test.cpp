#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <set>

#include "library_fixture.h"
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

class FileCopyTest : public LibraryTest {
  protected:
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

    // Presses Copy on the page and runs act on a thread of its own once the
    // Copy is under way (Copy locked), then waits for both, and for input
    // dropped to be carried out, were it not; returns the Copy's trace. What
    // act wrote is read after that join; actedWhileCopying_ tells whether the
    // Copy was still under way once act was done.
    std::string CopyWhile(int page, const std::function<void()>& act)
    {
        UnlockCopyPage(page);
        HWND copy = GetDlgItem(dialog_, IDC_COPY_BUTTON);
        bool acted = false;
        HANDLE thread = StartThread([&] {
            // A Copy that never starts fails the test, not hangs it.
            for (ULONGLONG end = GetTickCount64() + 30000; IsWindowEnabled(copy); Sleep(5)) {
                if (GetTickCount64() > end)
                    return;
            }
            act();
            acted = !IsWindowEnabled(copy);
        });
        std::string trace = PressCopy();
        JoinPumping(dialog_, thread);
        PumpDialog(dialog_, 500);
        actedWhileCopying_ = acted;
        return trace;
    }

    bool actedWhileCopying_ = false;

    // The trace and status lines of a Copy of Random on Sense alone, whose
    // folder was new or existed; the files named in failing fail, and the
    // Copy ends on summary where one is given.
    void ExpectRandomCopy(const std::string& trace, const std::string& saveDir,
                          const std::string& source, const char* folderMessage,
                          const std::set<std::string>& failing = {},
                          const std::string& summary = "")
    {
        std::string expectedTrace = kCopyTraceLine;
        std::vector<std::string> expectedStatuses;
        ExpectCategory(saveDir, "audio\\SenseRand", source, folderMessage, &expectedTrace,
                       &expectedStatuses, failing);
        EXPECT_EQ(trace, expectedTrace);
        EXPECT_EQ(StatusTexts(), WithLastCheck(expectedStatuses, summary));
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

    ExpectRandomCopy(Copy(0), saveDir, source, kExisted);
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
    ExpectRandomCopy(trace, saveDir, source, kCreated, {"nested.wav"},
                     Incomplete(1, 3, source + "\\nested.wav"));
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

    ExpectRandomCopy(Copy(0), saveDir, source, kExisted, {"c.wav"},
                     Incomplete(1, 5, source + "\\c.wav"));
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
    ExpectRandomCopy(Copy(0), saveDir, source, kCreated);
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
    const Bytes waiting = {'w', 'a', 'i', 't', 'i', 'n', 'g'};
    ASSERT_TRUE(WriteFileLong(target + ".NEW", waiting));
    Choose(IDC_SENSE_RAND_PICK, MakeSource("third", {"b.wav"}));
    Copy(0);
    EXPECT_EQ(ReadBytes(target), waiting);
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
    ASSERT_TRUE(WriteFileLong(folder + "\\ab.wav", WaveOf("ab")));

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
    DeleteFileW(ExtendedLengthPath(folder + "\\ab.wav").c_str());

    std::string longer = PathOfLength(254);
    ASSERT_TRUE(CreateDirectoryA(longer.c_str(), nullptr));
    WriteBytes(longer + "\\a.wav", Bytes{'a'});
    Choose(IDC_SENSE_RAND_PICK, longer);
    EXPECT_EQ(Copy(0), std::string(kCopyTraceLine) + "<NewFolder>" + saveDir +
                           "\\audio\\SenseRand\nINVALID_HANDLE_VALUE!");
    EXPECT_EQ(Status(), saveDir + "\\audio\\SenseRand" + kExisted);
}

// A long Copy of many small files: each costs the card's round trips, which
// take time on any machine, where large ones come and go at the speed of the
// cache. The window is shown in front, for the input a test gives it.
class LongCopyTest : public FileCopyTest {
  protected:
    void SetUp() override
    {
        FileCopyTest::SetUp();
        source_ = start_.File("long");
        CreateDirectoryA(source_.c_str(), nullptr);
        for (int i = 0; i < kFiles; ++i)
            WriteBytes(source_ + "\\" + std::to_string(1000 + i) + ".wav",
                       WaveOf(std::string(16 << 10, 'a' + i % 26)));
        Choose(IDC_SENSE_RAND_PICK, source_);
        saveDir_ = NewSaveDir("save");
        ShowWindow(dialog_, SW_SHOW);
        BringToFront(dialog_);
    }

    static const int kFiles = 800;
    std::string source_, saveDir_;
};

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

const char kCopyEndedFirst[] = "the Copy ended before the test acted: make it longer";

TEST_F(LongCopyTest, TheWindowAnswersWithinASecond)
{
    double slowest = 0;
    CopyWhile(0, [&] {
        for (int probe = 0; probe < 5; ++probe, Sleep(50))
            slowest = std::max(slowest, AnswerTime(dialog_));
    });
    ASSERT_TRUE(actedWhileCopying_) << kCopyEndedFirst;
    EXPECT_LT(slowest, 1000);
}

// Painting held back is no hidden status line.
TEST_F(LongCopyTest, TheStatusLineStaysShown)
{
    HWND status = GetDlgItem(dialog_, IDC_STATUS_LINE), copy = GetDlgItem(dialog_, IDC_COPY_BUTTON);
    int looks = 0, hidden = 0;
    CopyWhile(0, [&] {
        for (; !IsWindowEnabled(copy); Sleep(1), ++looks)
            hidden += !IsWindowVisible(status);
    });
    EXPECT_GT(looks, 0) << kCopyEndedFirst;
    EXPECT_EQ(hidden, 0) << "of " << looks << " looks";
}

// Windows asks before a log-off, restart or shutdown: the window says no
// while a Copy runs, yes before and after it.
TEST_F(LongCopyTest, ALogOffWaits)
{
    EXPECT_EQ(SendMessageA(dialog_, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    DWORD_PTR answer = TRUE;
    CopyWhile(0, [&] {
        SendMessageTimeoutA(dialog_, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000,
                            &answer);
    });
    ASSERT_TRUE(actedWhileCopying_) << kCopyEndedFirst;
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(FALSE));
    EXPECT_EQ(SendMessageA(dialog_, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
}

// Clicks on Copy, Generate, a "..." and Browse are dropped, not carried out
// afterwards, and leave no button pushed; the Copy ends as it would have.
TEST_F(LongCopyTest, ClicksOnTheButtonsAreDropped)
{
    const int buttons[] = {IDC_COPY_BUTTON, IDC_GENERATE_BUTTON, IDC_SENSE_RAND_PICK,
                           IDC_BROWSE_BUTTON};
    int folderRequests = script_->folderRequests;
    std::string trace = CopyWhile(0, [&] {
        for (int id : buttons)
            ClickAt(GetDlgItem(dialog_, id));
        Sleep(300);
    });
    ASSERT_TRUE(actedWhileCopying_) << kCopyEndedFirst;
    EXPECT_EQ(trace.find(kCopyTraceLine, 1), std::string::npos) << "a second copy ran";
    EXPECT_EQ(copyButtonStates_, (std::vector<bool>{false, true})) << "a second copy ran";
    EXPECT_EQ(script_->folderRequests, folderRequests);
    EXPECT_TRUE(script_->boxes.empty()) << "Generate ran";
    EXPECT_EQ(GetCapture(), nullptr);
    for (int id : buttons)
        EXPECT_FALSE(SendDlgItemMessageA(dialog_, id, BM_GETSTATE, 0, 0) & BST_PUSHED) << id;
    EXPECT_EQ(Status(), CopyLine(source_ + "\\" + SearchOrder(source_).back()) + "Sucess");
}

// A click on another page is refused as the tab asks before it turns.
TEST_F(LongCopyTest, APageChangeIsRefused)
{
    HWND tab = GetDlgItem(dialog_, IDC_COPY_TAB);
    LRESULT shown = -1, refused = FALSE;
    CopyWhile(0, [&] {
        RECT page, frame;
        SendMessageA(tab, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&page));
        GetWindowRect(tab, &frame);
        POINT at = {(page.left + page.right) / 2, (page.top + page.bottom) / 2};
        ClientToScreen(tab, &at);
        ClickAt(tab, at.x - frame.left, at.y - frame.top);
        Sleep(300);
        shown = SendMessageA(tab, TCM_GETCURSEL, 0, 0);
        // As the tab asks before it turns to a page clicked by a tool.
        NMHDR asking = {tab, IDC_COPY_TAB, static_cast<UINT>(TCN_SELCHANGING)};
        refused = SendMessageA(dialog_, WM_NOTIFY, IDC_COPY_TAB, reinterpret_cast<LPARAM>(&asking));
    });
    ASSERT_TRUE(actedWhileCopying_) << kCopyEndedFirst;
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(refused, TRUE);
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(g_Session.CopyTabIndex, 0u);
}

TEST_F(LongCopyTest, TheLanguageItemsAreGreyedAndDoNothing)
{
    ASSERT_EQ(ControlText(dialog_, IDC_COPY_BUTTON), "Copy");
    auto language = g_Session.LanguageIndex;
    UINT greyed = 0;
    CopyWhile(0, [&] {
        HMENU menu = GetSystemMenu(dialog_, FALSE);
        SendMessageA(dialog_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
                     MAKELPARAM(0, TRUE));
        greyed = GetMenuState(menu, IDM_LANGUAGE_ENGLISH, MF_BYCOMMAND) &
                 GetMenuState(menu, IDM_LANGUAGE_CHINESE, MF_BYCOMMAND) & MF_GRAYED;
        SendMessageA(dialog_, WM_SYSCOMMAND, IDM_LANGUAGE_CHINESE, 0);
    });
    ASSERT_TRUE(actedWhileCopying_) << kCopyEndedFirst;
    EXPECT_TRUE(greyed);
    EXPECT_EQ(g_Session.LanguageIndex, language);
    EXPECT_EQ(ControlText(dialog_, IDC_COPY_BUTTON), "Copy");
}

// Copy, locked while it runs, has the focus again once the Copy ends.
TEST_F(LongCopyTest, TheFocusReturnsToCopy)
{
    HWND copy = GetDlgItem(dialog_, IDC_COPY_BUTTON);
    SetFocus(copy);
    ASSERT_EQ(GetFocus(), copy) << "the window took no focus";
    PressCopy();
    // Another program's window may have come to the front meanwhile: the
    // focus is where the window puts it once it is in front again.
    BringToFront(dialog_);
    EXPECT_EQ(GetFocus(), copy) << "active window " << GetActiveWindow() << ", in front "
                                << GetForegroundWindow() << ", the dialog " << dialog_;
}

// A click on the close box stops the Copy at a file boundary, checks what
// it copied and closes the window, leaving only complete sounds; a log-off
// then no longer waits.
TEST_F(LongCopyTest, ACloseStopsTheCopyAtAFileBoundary)
{
    POINT closeBox = CloseBoxOf(dialog_);
    CopyWhile(0, [&] {
        RECT rect;
        GetWindowRect(dialog_, &rect);
        ClickAt(dialog_, closeBox.x - rect.left, closeBox.y - rect.top);
    });
    ASSERT_TRUE(actedWhileCopying_) << kCopyEndedFirst;
    EXPECT_FALSE(IsWindowVisible(dialog_)) << "the close was lost";
    std::vector<std::string> texts = StatusTexts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Checking the copied files on the card..."), 1)
        << "the files copied before the close were not checked";
    EXPECT_EQ(SendMessageA(dialog_, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    std::set<std::string> copied = ListTree(saveDir_ + "\\audio\\SenseRand");
    EXPECT_GT(copied.size(), 0u);
    EXPECT_LT(copied.size(), static_cast<size_t>(kFiles)) << "the copy went on after the close";
    for (const std::string& name : copied)
        EXPECT_EQ(ReadBytes(saveDir_ + "\\audio\\SenseRand\\" + name),
                  ReadBytes(source_ + "\\" + name));
}

// A source removed once its copy stands on the card costs the card nothing:
// the last check compares the card with what it held when the copy was
// checked, never with the source read again. A copy that another program
// holds open without read sharing (a virus scanner, a sync tool) is not
// taken for a changed one: it stays on the card, and the Copy ends saying
// that it could not be checked. The summary names it first, in copy order,
// ahead of a later sound that failed before it, during the copy.
TEST_F(FileCopyTest, ASourceGoneAfterItsCopyKeepsTheCopyAndAHeldCopyStays)
{
    std::string source = start_.File("many");
    CreateDirectoryA(source.c_str(), nullptr);
    for (int i = 0; i < 400; ++i)
        WriteBytes(source + "\\" + std::to_string(1000 + i) + ".wav",
                   Bytes(64 << 10, 'a' + i % 26));
    Choose(IDC_SENSE_RAND_PICK, source);
    std::string card = NewSaveDir("save") + "\\audio\\SenseRand";
    std::vector<std::string> order = SearchOrder(source);
    std::vector<std::string> gone(order.begin(), order.begin() + 10);
    std::string heldName = order[10], held = source + "\\" + heldName;
    CreateDirectoryA(card.substr(0, card.rfind('\\')).c_str(), nullptr);
    CreateDirectoryA(card.c_str(), nullptr);
    CreateDirectoryA((card + "\\" + order[20]).c_str(), nullptr);
    std::vector<Bytes> originals;
    for (const std::string& name : gone)
        originals.push_back(ReadBytes(source + "\\" + name));
    HANDLE holder = INVALID_HANDLE_VALUE;
    CopyWhile(0, [&] {
        for (const std::string& name : gone) {
            while (!FileExists(card + "\\" + name))
                Sleep(1);
            DeleteFileA((source + "\\" + name).c_str());
        }
        for (; holder == INVALID_HANDLE_VALUE; Sleep(1))
            holder = CreateFileA((card + "\\" + heldName).c_str(), GENERIC_READ,
                                 FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                 nullptr);
    });
    ASSERT_TRUE(actedWhileCopying_) << "the copy ended before the sources went";
    CloseHandle(holder);
    for (size_t i = 0; i < gone.size(); ++i)
        EXPECT_EQ(ReadBytes(card + "\\" + gone[i]), originals[i]) << gone[i];
    EXPECT_EQ(ReadBytes(card + "\\" + heldName), ReadBytes(held));
    EXPECT_EQ(StatusTexts().end()[-2], CopyLine(held) + "Failed");
    EXPECT_EQ(Status(), Incomplete(2, 400, held));
}

// A session that ends during a Copy stops it before WM_ENDSESSION returns:
// at that moment every sound on the card is whole (the earlier copy or the
// new one), none of the copy's temporary files is left, and a log-off no
// longer waits.
TEST_F(FileCopyTest, ASessionThatEndsStopsTheCopyWhole)
{
    std::string source = start_.File("long");
    CreateDirectoryA(source.c_str(), nullptr);
    for (int i = 0; i < 24; ++i)
        WriteBytes(source + "\\" + std::to_string(100 + i) + ".wav", Bytes(4 << 20, 'a' + i));
    Choose(IDC_SENSE_RAND_PICK, source);
    std::string card = NewSaveDir("save") + "\\audio\\SenseRand";
    Copy(0);
    const Bytes earlier(1000, 'z');
    for (const std::string& name : SearchOrder(source))
        WriteBytes(card + "\\" + name, earlier); // earlier copies to replace

    // Once the first sound stands on the card anew (4 MB long), Windows asks
    // for a log-off and ends the session anyway; the card's folder is noted
    // the moment the window has answered.
    std::string first = card + "\\" + SearchOrder(source).front();
    ULONGLONG took = 0;
    DWORD_PTR busy = TRUE;
    std::map<std::string, Bytes> atSessionEnd;
    CopyWhile(0, [&] {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        while (!GetFileAttributesExA(first.c_str(), GetFileExInfoStandard, &data) ||
               data.nFileSizeLow != 4u << 20)
            Sleep(1);
        DWORD_PTR result = 0;
        SendMessageTimeoutA(dialog_, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &busy);
        ULONGLONG start = GetTickCount64();
        SendMessageTimeoutA(dialog_, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 30000, &result);
        took = GetTickCount64() - start;
        for (const std::string& name : ListTree(card))
            atSessionEnd[name] = ReadBytes(card + "\\" + name);
    });
    EXPECT_EQ(busy, static_cast<DWORD_PTR>(FALSE));
    EXPECT_LT(took, 3000u);
    int kept = 0;
    for (const auto& file : atSessionEnd) {
        kept += file.second == earlier;
        EXPECT_TRUE(file.second == earlier || file.second == ReadBytes(source + "\\" + file.first))
            << file.first;
    }
    EXPECT_EQ(atSessionEnd.size(), 24u) << "a temporary file stayed, or a sound went";
    EXPECT_GT(kept, 0) << "the copy went on after the session ended";
    EXPECT_EQ(SendMessageA(dialog_, WM_QUERYENDSESSION, 0, 0), TRUE);
}

} // namespace
