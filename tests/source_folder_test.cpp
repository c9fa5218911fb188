#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "sounds/source_folder.h"
#include "library_fixture.h"
#include "resources/resource.h"

namespace {

class SourceFolderTest : public LibraryTest {
  protected:
    std::map<int, std::string> AllSlots()
    {
        std::map<int, std::string> slots;
        for (int slot = -1; slot < 10; ++slot)
            slots[slot] = SlotOf(slot);
        return slots;
    }

    std::string MakeSource(const std::string& name, const std::string& file)
    {
        std::string folder = start_.File(name);
        CreateDirectoryA(folder.c_str(), nullptr);
        WriteBytes(folder + "\\" + file, Bytes(name.begin(), name.end()));
        return folder;
    }
};

TEST_F(SourceFolderTest, EachPickButtonFillsItsSlotAnnouncesAndTicksOnlyItsOwnBox)
{
    std::map<int, std::string> slots = AllSlots();
    std::vector<int> ticked;
    for (const ExpectedCategory& category : kExpectedCategories) {
        SCOPED_TRACE(category.pick);
        std::string folder = start_.File("source " + std::to_string(category.pick));
        Choose(category.pick, folder);
        slots[category.slot] = folder;
        ticked.push_back(category.check);
        std::sort(ticked.begin(), ticked.end());
        EXPECT_EQ(AllSlots(), slots);
        EXPECT_EQ(Status(), category.message + folder);
        EXPECT_EQ(TickedBoxes(), ticked);
    }
    EXPECT_EQ(script_->folderRequests, 33);
}

TEST_F(SourceFolderTest, CancelAndUnconvertibleChoiceChangeNothing)
{
    Choose(IDC_SENSE_SPEC_DOG_PICK, start_.File("dog"));
    std::map<int, std::string> slots = AllSlots();
    std::string status = Status();
    std::vector<int> ticked = TickedBoxes();
    for (FolderChoice answer : {kFolderCancelled, kFolderUnconvertible}) {
        for (const ExpectedCategory& category : kExpectedCategories) {
            SCOPED_TRACE(category.pick);
            Pick(category.pick, answer, start_.File("other"));
            EXPECT_EQ(AllSlots(), slots);
            EXPECT_EQ(Status(), status);
            EXPECT_EQ(TickedBoxes(), ticked);
        }
    }
    EXPECT_EQ(script_->folderRequests, 1 + 2 * 33);
}

TEST_F(SourceFolderTest, AnswersOneForThePickButtonsOnlyWhateverTheNotification)
{
    std::vector<int> taken;
    for (int id = 0; id < 40300; ++id) {
        if (SelectSourceFolder(dialog_, MAKEWPARAM(id, 0x1234)) == 1)
            taken.push_back(id);
    }
    std::vector<int> picks;
    for (const ExpectedCategory& category : kExpectedCategories)
        picks.push_back(category.pick);
    std::sort(picks.begin(), picks.end());
    EXPECT_EQ(taken, picks);
    // Every press was cancelled: nothing is ticked.
    EXPECT_EQ(script_->folderRequests, 33);
    EXPECT_TRUE(TickedBoxes().empty());
}

TEST_F(SourceFolderTest, AnimalPagesShareOneSlotPerAnimalAndTheLastChoiceWins)
{
    std::string first = MakeSource("X", "x.wav");
    std::string second = MakeSource("Y", "y.wav");
    Choose(IDC_SENSE_SPEC_DOG_PICK, first); // Dog, sensing page
    Choose(IDC_TIMING_A_DOG_PICK, second);  // Dog, timing A page
    EXPECT_EQ(SlotOf(0), second);
    EXPECT_EQ(TickedBoxes(), (std::vector<int>{IDC_TIMING_A_DOG_CHECK, IDC_SENSE_SPEC_DOG_CHECK}));

    Copy(3);
    std::string dog = start_.File("audio\\SenseSpecify\\dog");
    EXPECT_TRUE(FileExists(dog + "\\y.wav"));
    EXPECT_FALSE(FileExists(dog + "\\x.wav"));
}

TEST_F(SourceFolderTest, RandomPagesShareOneSlotAndTheLastChoiceWins)
{
    std::string first = MakeSource("X", "x.wav");
    std::string second = MakeSource("Y", "y.wav");
    Choose(IDC_SENSE_RAND_PICK, first);
    Choose(IDC_TIMING_RAND_A_PICK, second);
    EXPECT_EQ(SlotOf(-1), second);
    EXPECT_EQ(TickedBoxes(), (std::vector<int>{IDC_TIMING_RAND_A_CHECK, IDC_SENSE_RAND_CHECK}));

    Copy(0);
    std::string random = start_.File("audio\\SenseRand");
    EXPECT_TRUE(FileExists(random + "\\y.wav"));
    EXPECT_FALSE(FileExists(random + "\\x.wav"));
}

TEST_F(SourceFolderTest, ChoosingTheSameFolderTwiceRepeatsTheAnnouncement)
{
    std::string folder = start_.File("fox");
    statuses_.clear();
    Choose(IDC_TIMING_B_FOX_PICK, folder);
    Choose(IDC_TIMING_B_FOX_PICK, folder);
    ASSERT_EQ(statuses_.size(), 2u);
    EXPECT_EQ(statuses_[0].text, "Source directory of \"Red fox\" selected: " + folder);
    EXPECT_EQ(statuses_[1].text, statuses_[0].text);
    EXPECT_EQ(TickedBoxes(), std::vector<int>{IDC_TIMING_B_FOX_CHECK});
}

TEST_F(SourceFolderTest, ChooseFolderReportsChoiceCancelAndMissingDestination)
{
    EXPECT_EQ(ChooseFolder(nullptr, nullptr), -1);
    EXPECT_EQ(script_->folderRequests, 0);

    char destination[kPathSize] = "kept";
    HWND edit = GetDlgItem(dialog_, IDC_SAVE_DIR_EDIT);
    script_->folderAnswers = {
        {kFolderCancelled, ""}, {kFolderUnconvertible, ""}, {kFolderChosen, "D:\\card"}};
    EXPECT_EQ(ChooseFolder(destination, edit), 1);
    EXPECT_EQ(ChooseFolder(destination, edit), 1);
    EXPECT_STREQ(destination, "kept");
    EXPECT_EQ(ChooseFolder(destination, edit), 0);
    EXPECT_STREQ(destination, "D:\\card");
    EXPECT_EQ(ControlText(dialog_, IDC_SAVE_DIR_EDIT), "D:\\card");
}

TEST_F(SourceFolderTest, BrowseReplacesTheSaveDirectoryOnlyOnAChoice)
{
    ASSERT_EQ(std::string(g_Session.SaveDir), start_.Path());
    Browse(kFolderCancelled, "");
    Browse(kFolderUnconvertible, "");
    EXPECT_EQ(std::string(g_Session.SaveDir), start_.Path());
    EXPECT_EQ(ControlText(dialog_, IDC_SAVE_DIR_EDIT), start_.Path());

    TempFolder card;
    Browse(kFolderChosen, card.Path());
    EXPECT_EQ(std::string(g_Session.SaveDir), card.Path());
    EXPECT_EQ(ControlText(dialog_, IDC_SAVE_DIR_EDIT), card.Path());

    // Generate and Copy both go to the new save directory.
    ClickButton(dialog_, IDC_GENERATE_BUTTON);
    EXPECT_EQ(ReadBytes(card.File("CFG_BROADCAST.bin")).size(), 86u);
    Choose(IDC_SENSE_RAND_PICK, MakeSource("R", "r.wav"));
    Copy(0);
    EXPECT_TRUE(FileExists(card.File("audio\\SenseRand\\r.wav")));
    EXPECT_FALSE(FileExists(start_.File("audio")));
}

} // namespace
