#include <gtest/gtest.h>

#include "sounds/folder_tree.h"
#include "library_fixture.h"
#include "resources/resource.h"

namespace {

class FolderTreeTest : public LibraryTest {
  protected:
    // Creates the folder for a page and key as the Copy command would.
    int CreateFor(uint32_t page, int key, std::string* trace)
    {
        g_Session.CopyTabIndex = page;
        g_Session.CurrentCategory = key;
        TraceCapture capture;
        int result = CreateCategoryFolder();
        *trace = capture.Text();
        return result;
    }
};

TEST_F(FolderTreeTest, EveryCategoryKeyOfItsPageGivesItsFolder)
{
    for (const ExpectedCategory& category : kExpectedCategories) {
        SCOPED_TRACE(category.key);
        std::string path = start_.File(category.folder);
        std::string trace;
        EXPECT_EQ(CreateFor(category.page, category.key, &trace), 0);
        EXPECT_EQ(trace, "<NewFolder>" + path + "\n");
        EXPECT_EQ(Status(), path + "Directory created!\n");
        EXPECT_EQ(CreateFor(category.page, category.key, &trace), 1);
        EXPECT_EQ(Status(), path + "Directory existed.\n");
    }
}

TEST_F(FolderTreeTest, RandomPagesIgnoreTheKeyAndAnimalPagesRefuseForeignKeys)
{
    std::string trace;
    EXPECT_EQ(CreateFor(1, 0, &trace), 0);
    EXPECT_EQ(trace, "<NewFolder>" + start_.File("audio\\Alarm\\A") + "\n");
    EXPECT_EQ(CreateFor(2, IDC_SENSE_SPEC_DOG_CHECK, &trace), 0);
    EXPECT_EQ(trace, "<NewFolder>" + start_.File("audio\\Alarm\\B") + "\n");

    statuses_.clear();
    EXPECT_EQ(CreateFor(3, IDC_TIMING_A_DOG_CHECK, &trace),
              -1); // a timing A key on the sensing page
    EXPECT_EQ(CreateFor(4, IDC_TIMING_RAND_A_KEY, &trace), -1); // a random key on an animal page
    EXPECT_EQ(CreateFor(6, IDC_SENSE_RAND_CHECK, &trace), -1);  // no such page
    EXPECT_EQ(trace, "");
    EXPECT_TRUE(statuses_.empty());
    EXPECT_FALSE(FileExists(start_.File("audio\\SenseSpecify")));
}

} // namespace
