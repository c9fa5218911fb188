#include <gtest/gtest.h>

#include "platform/file_ops.h"
#include "test_support.h"

namespace {

TEST(CopyFileReplacing, ReplacesAnExistingTarget)
{
    TempFolder folder;
    WriteBytes(folder.File("new.wav"), Bytes(300, 0x11));
    WriteBytes(folder.File("old.wav"), Bytes(100, 0x22));
    EXPECT_TRUE(CopyFileReplacing(folder.File("new.wav").c_str(), folder.File("old.wav").c_str()));
    EXPECT_EQ(ReadBytes(folder.File("old.wav")), Bytes(300, 0x11));
}

// A copy that fails before it writes the target leaves a good earlier copy.
TEST(CopyFileReplacing, AFailedCopyKeepsATargetItNeverWrote)
{
    TempFolder folder;
    WriteBytes(folder.File("kept.wav"), Bytes(100, 0x22));
    EXPECT_FALSE(
        CopyFileReplacing(folder.File("missing.wav").c_str(), folder.File("kept.wav").c_str()));
    EXPECT_EQ(ReadBytes(folder.File("kept.wav")), Bytes(100, 0x22));

    // A source that cannot be read while another holds it exclusively.
    WriteBytes(folder.File("locked.wav"), Bytes(50, 0x33));
    HANDLE lock = CreateFileA(folder.File("locked.wav").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(
        CopyFileReplacing(folder.File("locked.wav").c_str(), folder.File("kept.wav").c_str()));
    CloseHandle(lock);
    EXPECT_EQ(ReadBytes(folder.File("kept.wav")), Bytes(100, 0x22));
}

TEST(CopyFileReplacing, AFolderAtTheTargetStays)
{
    TempFolder folder;
    WriteBytes(folder.File("tone.wav"), Bytes(10, 0x44));
    CreateDirectoryA(folder.File("taken.wav").c_str(), nullptr);
    WriteBytes(folder.File("taken.wav\\inside.txt"), Bytes(3, 0x55));
    EXPECT_FALSE(
        CopyFileReplacing(folder.File("tone.wav").c_str(), folder.File("taken.wav").c_str()));
    EXPECT_EQ(ReadBytes(folder.File("taken.wav\\inside.txt")), Bytes(3, 0x55));
}

} // namespace
