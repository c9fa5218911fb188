#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "model/config_file.h"
#include "model/session_state.h"
#include "test_support.h"

namespace {

// The buffer size in "_bufsiz = %d" is whatever the runtime reports for the
// stream; it is not part of what a trace must reproduce.
std::string WithoutBufferSize(std::string trace)
{
    size_t at = trace.find("_bufsiz = ");
    if (at != std::string::npos) {
        size_t digits = at + strlen("_bufsiz = ");
        size_t end = trace.find('\n', digits);
        if (end > digits && trace.find_first_not_of("0123456789", digits) == end)
            trace.replace(digits, end - digits, "N");
    }
    return trace;
}

const char kSeparator[] = "________________________________________________\n";

class ConfigFileTest : public testing::Test {
  protected:
    void SetUp() override
    {
        ResetSession();
        UseSaveDir(folder_.Path());
    }

    std::string ConfigPath() const
    {
        return folder_.File(kConfigName);
    }

    // A record whose every byte differs from the defaults and from its
    // neighbours, with values no control produces.
    static Bytes UnusualRecord()
    {
        Bytes bytes(86);
        for (int i = 0; i < 86; ++i)
            bytes[i] = static_cast<unsigned char>(200 + i);
        bytes[7] = 0;    // Dly 0
        bytes[15] = 200; // type[5]
        return bytes;
    }

    static std::string ReadTrace(const std::string& path, const Bytes& record)
    {
        std::string trace =
            "sizeof = 86\niGetFileSize = 86\nOpen file - \"" + path + "\" success!\n_bufsiz = N\n";
        const char* names[] = {"Ena",    "Vol",    "TimerMod", "SenMod",
                               "AlarmA", "AlarmB", "TMLPen",   "Dly"};
        const int offsets[] = {kEna, kVol, kTimerMod, kSenMod, kAlarmA, kAlarmB, kTMLPen, kDly};
        for (int i = 0; i < 8; ++i)
            trace += std::string(names[i]) + " = " + std::to_string(record[offsets[i]]) + "\n";
        for (int hour = 0; hour < 24; ++hour)
            trace += "type[" + std::to_string(hour) +
                     "] = " + std::to_string(record[kType + hour]) + "\n";
        return trace;
    }

    TempFolder folder_;
};

TEST_F(ConfigFileTest, DefaultsAreTheDocumentedBytes)
{
    Bytes expected = {0x00, 0x05, 0x07, 0x1C, 0x1C, 0x01, 0x01, 0x05, 0x00, 0x00};
    expected.resize(83, 0x00);
    expected.insert(expected.end(), {0x01, 0x00, 0x00});
    EXPECT_EQ(DefaultConfigBytes(), expected);
    EXPECT_EQ(ConfigBytes(), expected);
}

TEST_F(ConfigFileTest, WriteThenReadGivesTheSameBytesWithTheFullTrace)
{
    Bytes record = UnusualRecord();
    memcpy(&g_Session.Config, record.data(), 86);

    TraceCapture trace;
    EXPECT_EQ(WriteConfigFile(), 0);
    memset(&g_Session.Config, 0x55, 86);
    EXPECT_EQ(ReadConfigFile(), 0);

    EXPECT_EQ(ReadBytes(ConfigPath()), record);
    EXPECT_EQ(ConfigBytes(), record);
    EXPECT_EQ(WithoutBufferSize(trace.Text()), "Open file - \"" + ConfigPath() + "\" success!\n" +
                                                   kSeparator + ReadTrace(ConfigPath(), record));
    EXPECT_FALSE(FileExists(folder_.File("CFGBCAST.TMP")));
}

TEST_F(ConfigFileTest, FilesOfAnotherSizeAreRefusedWithTheirTrueSize)
{
    const struct {
        bool present;
        size_t size;
        int traced;
    } cases[] = {{false, 0, 0}, {true, 0, 0}, {true, 85, 85}, {true, 87, 87}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        RemoveTree(ConfigPath());
        if (c.present)
            WriteBytes(ConfigPath(), Bytes(c.size, 0x01));
        Bytes before = ConfigBytes();

        TraceCapture trace;
        EXPECT_EQ(ReadConfigFile(), -1);
        EXPECT_EQ(trace.Text(), "sizeof = 86\niGetFileSize = " + std::to_string(c.traced) +
                                    "\nFile szie != struct size!\n");
        EXPECT_EQ(ConfigBytes(), before);
    }
}

TEST_F(ConfigFileTest, OutOfRangeBytesLoadAndAreWrittenBackUnchanged)
{
    Bytes record = UnusualRecord();
    WriteBytes(ConfigPath(), record);
    ASSERT_EQ(ReadConfigFile(), 0);
    EXPECT_EQ(g_Session.Config.Dly, 0);
    EXPECT_EQ(g_Session.Config.type[5], 200);

    RemoveTree(ConfigPath());
    ASSERT_EQ(WriteConfigFile(), 0);
    EXPECT_EQ(ReadBytes(ConfigPath()), record);
}

TEST_F(ConfigFileTest, MissingSaveDirectoryFailsTheWriteAndTheReadBack)
{
    UseSaveDir(folder_.File("gone"));
    std::string path = folder_.File("gone") + "\\CFG_BROADCAST.bin";
    Bytes before = ConfigBytes();

    TraceCapture trace;
    EXPECT_EQ(WriteConfigFile(), -1);
    EXPECT_EQ(ReadConfigFile(), -1);
    EXPECT_EQ(trace.Text(), "Open file - \"" + path + "\" err!\n" + kSeparator +
                                "sizeof = 86\niGetFileSize = 0\nFile szie != struct size!\n");
    EXPECT_EQ(ConfigBytes(), before);
}

// Whatever stops the new file from taking the old one's place, the old file
// stays byte for byte and no temporary file is left on the card.
TEST_F(ConfigFileTest, AWriteThatCannotCompleteKeepsTheOlderFile)
{
    const Bytes older = UnusualRecord();
    enum Obstacle { kFolderAtTemp, kReadOnlyTarget };
    for (Obstacle obstacle : {kFolderAtTemp, kReadOnlyTarget}) {
        SCOPED_TRACE(obstacle);
        RemoveTree(ConfigPath());
        RemoveTree(folder_.File("CFGBCAST.TMP"));
        WriteBytes(ConfigPath(), older);
        if (obstacle == kFolderAtTemp)
            CreateDirectoryA(folder_.File("CFGBCAST.TMP").c_str(), nullptr);
        else
            SetFileAttributesA(ConfigPath().c_str(), FILE_ATTRIBUTE_READONLY);

        TraceCapture trace;
        EXPECT_EQ(WriteConfigFile(), -1);
        std::string text = trace.Text();
        EXPECT_NE(text.find(ConfigPath()), std::string::npos);
        EXPECT_EQ(text.substr(text.size() - strlen(kSeparator)), kSeparator);

        SetFileAttributesA(ConfigPath().c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadBytes(ConfigPath()), older);
        EXPECT_EQ(FileExists(folder_.File("CFGBCAST.TMP")), obstacle == kFolderAtTemp);
    }
}

// A card pulled or the program ended during Generate, at any step: the next
// start loads a whole checked record, else a whole file under the name,
// else the whole older file, which takes the name; an unchecked temporary
// record is never loaded, and nothing of the names it passed through stays.
TEST_F(ConfigFileTest, AnInterruptedGenerateLeavesTheNewerOrTheOlderRecord)
{
    const Bytes record = UnusualRecord(), older(86, 0x07), empty, cut(85, 1);
    const std::string names[] = {"CFG_BROADCAST.bin", "CFGBCAST.TMP", "CFGBCAST.NEW",
                                 "CFGBCAST.OLD"};
    const struct {
        const Bytes* found[4]; // by name; null: none
        const Bytes* loaded;
    } cases[] = {
        {{nullptr, &record, nullptr, nullptr}, nullptr},
        {{nullptr, &record, nullptr, &older}, &older},
        {{nullptr, nullptr, &record, &older}, &record},
        {{nullptr, nullptr, &record, nullptr}, &record},
        {{&older, nullptr, &record, nullptr}, &record},
        {{&empty, nullptr, nullptr, &older}, &older},
        {{&empty, nullptr, &record, &older}, &record},
        {{nullptr, nullptr, &cut, &older}, &older},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        for (int i = 0; i < 4; ++i) {
            RemoveTree(folder_.File(names[i]));
            if (c.found[i])
                WriteBytes(folder_.File(names[i]), *c.found[i]);
        }
        Bytes before = ConfigBytes();
        TraceCapture trace;
        EXPECT_EQ(ReadConfigFile(), c.loaded ? 0 : -1);
        EXPECT_EQ(WithoutBufferSize(trace.Text()),
                  c.loaded ? ReadTrace(ConfigPath(), *c.loaded)
                           : "sizeof = 86\niGetFileSize = 0\nFile szie != struct size!\n");
        EXPECT_EQ(ReadBytes(ConfigPath()), c.loaded ? *c.loaded : empty);
        EXPECT_EQ(ConfigBytes(), c.loaded ? *c.loaded : before);
        for (int i = 1; i < 4; ++i)
            EXPECT_FALSE(FileExists(folder_.File(names[i]))) << names[i];
    }
}

TEST_F(ConfigFileTest, AFolderNamedLikeTheFileIsNotReplaced)
{
    CreateDirectoryA(ConfigPath().c_str(), nullptr);
    EXPECT_EQ(WriteConfigFile(), -1);
    EXPECT_EQ(GetFileAttributesA(ConfigPath().c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_FALSE(FileExists(folder_.File("CFGBCAST.TMP")));
    EXPECT_EQ(ReadConfigFile(), -1);
}

// A file of 4 GiB + 86 bytes must not pass as 86 through a 32-bit size.
TEST_F(ConfigFileTest, AHugeFileIsNotMistakenForARecord)
{
    HANDLE file = CreateFileA(ConfigPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = (1LL << 32) + 86;
    ASSERT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file));
    CloseHandle(file);

    EXPECT_EQ(FileSizeOf(ConfigPath().c_str()), INT32_MAX);
    Bytes before = ConfigBytes();
    EXPECT_EQ(ReadConfigFile(), -1);
    EXPECT_EQ(ConfigBytes(), before);
}

TEST_F(ConfigFileTest, ASaveDirectoryTooLongForThePathIsTreatedAsUnopenable)
{
    std::string longDir = folder_.Path() + "\\" + std::string(259 - folder_.Path().size() - 1, 'd');
    ASSERT_EQ(longDir.size(), 259u);
    UseSaveDir(longDir);

    TraceCapture trace;
    EXPECT_EQ(WriteConfigFile(), -1);
    EXPECT_EQ(ReadConfigFile(), -1);
    std::string text = trace.Text();
    EXPECT_EQ(text.rfind("Open file - \"", 0), 0u);
    EXPECT_NE(text.find("\" err!\n"), std::string::npos);
    EXPECT_NE(text.find("iGetFileSize = 0\nFile szie != struct size!\n"), std::string::npos);
}

// Drive T: of the test prefix is a folder of the build tree (scripts/common.sh).
TEST_F(ConfigFileTest, ADriveRootGivesTwoBackslashesAndWorks)
{
    if (GetFileAttributesA("T:\\") == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no drive T: in this prefix";
    DeleteFileA("T:\\CFG_BROADCAST.bin");
    UseSaveDir("T:\\");

    TraceCapture trace;
    EXPECT_EQ(WriteConfigFile(), 0);
    EXPECT_EQ(ReadConfigFile(), 0);
    EXPECT_NE(trace.Text().find("Open file - \"T:\\\\CFG_BROADCAST.bin\" success!\n"),
              std::string::npos);
    EXPECT_EQ(ReadBytes("T:\\CFG_BROADCAST.bin"), DefaultConfigBytes());
    DeleteFileA("T:\\CFG_BROADCAST.bin");
}

} // namespace
