#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

#include "platform/file_ops.h"
#include "test_support.h"

namespace {

TEST(CopyFileVerified, ReplacesAnExistingTarget)
{
    TempFolder folder;
    WriteBytes(folder.File("new.wav"), Bytes(300, 0x11));
    WriteBytes(folder.File("old.wav"), Bytes(100, 0x22));
    EXPECT_TRUE(CopyFileVerified(folder.File("new.wav").c_str(), folder.File("old.wav").c_str(),
                                 folder.File("~.TMP").c_str(), folder.File("~.OLD").c_str(),
                                 nullptr));
    EXPECT_EQ(ReadBytes(folder.File("old.wav")), Bytes(300, 0x11));
}

// A copy that fails before it writes the target leaves a good earlier copy.
TEST(CopyFileVerified, AFailedCopyKeepsATargetItNeverWrote)
{
    TempFolder folder;
    WriteBytes(folder.File("kept.wav"), Bytes(100, 0x22));
    EXPECT_FALSE(CopyFileVerified(folder.File("missing.wav").c_str(),
                                  folder.File("kept.wav").c_str(), folder.File("~.TMP").c_str(),
                                  folder.File("~.OLD").c_str(), nullptr));
    EXPECT_EQ(ReadBytes(folder.File("kept.wav")), Bytes(100, 0x22));

    // A source that cannot be read while another holds it exclusively.
    WriteBytes(folder.File("locked.wav"), Bytes(50, 0x33));
    HANDLE lock = CreateFileA(folder.File("locked.wav").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(CopyFileVerified(folder.File("locked.wav").c_str(),
                                  folder.File("kept.wav").c_str(), folder.File("~.TMP").c_str(),
                                  folder.File("~.OLD").c_str(), nullptr));
    CloseHandle(lock);
    EXPECT_EQ(ReadBytes(folder.File("kept.wav")), Bytes(100, 0x22));
}

TEST(CopyFileVerified, AFolderAtTheTargetStays)
{
    TempFolder folder;
    WriteBytes(folder.File("tone.wav"), Bytes(10, 0x44));
    CreateDirectoryA(folder.File("taken.wav").c_str(), nullptr);
    WriteBytes(folder.File("taken.wav\\inside.txt"), Bytes(3, 0x55));
    EXPECT_FALSE(CopyFileVerified(folder.File("tone.wav").c_str(), folder.File("taken.wav").c_str(),
                                  folder.File("~.TMP").c_str(), folder.File("~.OLD").c_str(),
                                  nullptr));
    EXPECT_EQ(ReadBytes(folder.File("taken.wav\\inside.txt")), Bytes(3, 0x55));
}

// Whatever stops a copy over an earlier good copy, that copy stays byte for
// byte and no temporary file is left.
TEST(CopyFileVerified, AFailedCopyKeepsTheEarlierCopyAndNoTemporaryFile)
{
    TempFolder folder;
    const std::string target = folder.File("tone.wav"), temp = folder.File("TONE.TMP");
    WriteBytes(folder.File("new.wav"), Bytes(300, 0x11));
    enum Obstacle { kSourceGone, kSourceBeingWritten, kFolderAtTemp, kReadOnlyTarget };
    for (Obstacle obstacle : {kSourceGone, kSourceBeingWritten, kFolderAtTemp, kReadOnlyTarget}) {
        SCOPED_TRACE(obstacle);
        WriteBytes(target, Bytes(100, 0x22));
        std::string source = folder.File(obstacle == kSourceGone ? "gone.wav" : "new.wav");
        HANDLE writer = obstacle == kSourceBeingWritten
                            ? CreateFileA(source.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr)
                            : INVALID_HANDLE_VALUE;
        if (obstacle == kFolderAtTemp)
            CreateDirectoryA(temp.c_str(), nullptr);
        if (obstacle == kReadOnlyTarget)
            SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);

        EXPECT_FALSE(CopyFileVerified(source.c_str(), target.c_str(), temp.c_str(),
                                      folder.File("TONE.OLD").c_str(), nullptr));
        CloseHandle(writer);
        EXPECT_EQ(IsFolder(temp.c_str()), FileExists(temp));
        RemoveTree(temp);
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadBytes(target), Bytes(100, 0x22));
    }
}

std::vector<uint64_t> g_Progress;
uint64_t g_AbandonAt = UINT64_MAX;

// From a large read-only source: the copy replaces the earlier one with a
// writable file, counts every byte as written and read back, and leaves no
// temporary file; abandoned midway, it keeps the earlier copy. The digest
// taken tells the copy from the same file changed in its last byte (of a
// last block cut short) or cut short later, and from no file; a file held
// open by another is told apart from all of these.
TEST(CopyFileVerified, ALargeCopyReportsProgressAndLeavesADigestForTheLastCheck)
{
    TempFolder folder;
    const std::string source = folder.File("big.wav"), target = folder.File("tone.wav");
    Bytes big((6 << 20) + 5);
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<unsigned char>(i * 7 + i / 4099);
    WriteBytes(source, big);
    SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY);
    WriteBytes(target, Bytes(100, 0x22));
    CopyProgress note = [](uint64_t done) {
        g_Progress.push_back(done);
        return done < g_AbandonAt;
    };
    const std::string temp = folder.File("TONE.TMP"), old = folder.File("TONE.OLD");

    g_AbandonAt = 3 << 20;
    EXPECT_FALSE(CopyFileVerified(source.c_str(), target.c_str(), temp.c_str(), old.c_str(), note));
    EXPECT_EQ(ReadBytes(target), Bytes(100, 0x22));
    EXPECT_FALSE(FileExists(temp));
    g_AbandonAt = UINT64_MAX;
    g_Progress.clear();
    ContentDigest digest = {};
    ASSERT_TRUE(
        CopyFileVerified(source.c_str(), target.c_str(), temp.c_str(), old.c_str(), note, &digest));
    EXPECT_FALSE(FileExists(temp));
    EXPECT_FALSE(GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ReadBytes(target), big);
    EXPECT_TRUE(std::is_sorted(g_Progress.begin(), g_Progress.end()));
    EXPECT_EQ(g_Progress.back(), 2 * big.size());

    SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(source.c_str()); // the last check needs no source
    EXPECT_EQ(CheckFileDigest(target.c_str(), digest, nullptr), kFileMatches);
    HANDLE holder =
        CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(CheckFileDigest(target.c_str(), digest, nullptr), kFileHeld);
    CloseHandle(holder);
    big.back() ^= 1;
    WriteBytes(target, big);
    EXPECT_EQ(CheckFileDigest(target.c_str(), digest, nullptr), kFileDiffers);
    big.back() ^= 1;
    big.resize(1 << 20);
    WriteBytes(target, big);
    EXPECT_EQ(CheckFileDigest(target.c_str(), digest, nullptr), kFileDiffers);
    EXPECT_EQ(CheckFileDigest(folder.File("gone.wav").c_str(), digest, nullptr), kFileDiffers);
    // A record is equal to all of its bytes only.
    EXPECT_TRUE(FileHoldsOnMedium(target.c_str(), big.data(), 1 << 20));
    EXPECT_FALSE(FileHoldsOnMedium(target.c_str(), big.data(), (1 << 20) - 1));
}

ContentDigest DigestInPieces(const Bytes& bytes, size_t piece)
{
    DigestState state;
    StartDigest(&state);
    for (size_t done = 0; done < bytes.size(); done += piece)
        AddToDigest(&state, bytes.data() + done, std::min(piece, bytes.size() - done));
    return FinishDigest(state);
}

// Changes a card can make each give another digest: bit 63 of a word with
// bit 28 of the word 32 bytes on (which an earlier hash mixed into one digest
// whatever the data), single bits, the last byte of a last block cut short,
// two blocks swapped, a byte more. Fed in other pieces, the same bytes give
// the same digest.
TEST(ContentDigest, EveryChangeOfTheBytesChangesTheDigest)
{
    Bytes base(4096 + 37);
    for (size_t i = 0; i < base.size(); ++i)
        base[i] = static_cast<unsigned char>(i * 131 + i / 251);
    const ContentDigest original = DigestInPieces(base, base.size());
    EXPECT_TRUE(SameDigest(original, DigestInPieces(base, 1000)));
    void (*const changes[])(Bytes&) = {
        [](Bytes& b) { b[7] ^= 0x80, b[35] ^= 0x10; },
        [](Bytes& b) { b[0] ^= 1; },
        [](Bytes& b) { b[2049] ^= 0x40; },
        [](Bytes& b) { b.back() ^= 1; },
        [](Bytes& b) { std::swap_ranges(b.begin(), b.begin() + 64, b.begin() + 64); },
        [](Bytes& b) { b.push_back(0); }};
    for (size_t i = 0; i < std::size(changes); ++i) {
        Bytes changed = base;
        changes[i](changed);
        EXPECT_FALSE(SameDigest(original, DigestInPieces(changed, 1000))) << "change " << i;
    }
}

} // namespace
