// Shared helpers of the tests: temporary folders, the real dialog driven with
// the messages its controls send, trace capture and scripted shell windows.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/shell_dialogs.h"

typedef std::vector<unsigned char> Bytes;

// The record's fields by their offset, as the device reads them.
enum RecordOffset {
    kEna = 0,
    kVol = 1,
    kPauseDays = 2,
    kPlayDaysA = 3,
    kPlayDaysB = 4,
    kTimerMod = 5,
    kSenMod = 6,
    kDly = 7,
    kAlarmA = 8,
    kAlarmB = 9,
    kType = 10,
    kTypeA = 34,
    kTypeB = 58,
    kTMLPen = 82,
    kShotHour = 83,
    kShotMin = 84,
    kShotSec = 85,
    kRecordSize = 86,
};
// The animals as the window's lists name them, by the record's value.
extern const char* const kExpectedAnimalNames[10];

// A fresh folder under the temporary directory, removed with its contents.
class TempFolder {
  public:
    TempFolder();
    explicit TempFolder(const std::string& base); // under base, which ends in a backslash
    ~TempFolder();
    const std::string& Path() const
    {
        return path_;
    }
    std::string File(const std::string& name) const
    {
        return path_ + "\\" + name;
    }

  private:
    std::string path_;
};

void RemoveTree(const std::string& path);
bool FileExists(const std::string& path);
// Long paths go through the wide API with the \\?\ prefix: the narrow API
// stops at 259 characters. Paths of ASCII characters only.
std::wstring ExtendedLengthPath(const std::string& path);
bool WriteFileLong(const std::string& path, const Bytes& bytes);
// Every folder (with a trailing backslash) and file below root, by its path
// relative to root.
std::set<std::string> ListTree(const std::string& root);
// The names a Copy meets in a source folder, in the order the system's
// search gives them.
std::vector<std::string> SearchOrder(const std::string& folder);
Bytes ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const Bytes& bytes);
// A whole WAV file by its header (RIFF, its size, WAVE), then payload.
Bytes WaveOf(const std::string& payload);
// The record's file in a save directory, and the status line after a
// Generate that wrote it there and after one that failed.
const char kConfigName[] = "CFG_BROADCAST.bin";
std::string Generated(const std::string& saveDir);
const char kGenerateFailed[] = "Failed to generate configuration!";
// The status line's end when silent of the places the settings play from
// hold no sound on the card, first the one given.
std::string NotReady(int silent, int places, const std::string& first);
// The end of a Copy that left missing of the sounds of the ticked folders
// off the card, first the one given.
std::string Incomplete(int missing, int sounds, const std::string& first);
Bytes ConfigBytes(); // the 86 bytes of g_Session.Config
Bytes DefaultConfigBytes();

// Puts the session state back to its start values.
void ResetSession();
// The save directory set as Browse sets it, without the browser.
void UseSaveDir(const std::string& folder);

// Creates the main dialog from the real template with the real procedure,
// as the program does, but modeless so that a test can drive it.
HWND CreateMainDialog();

// Input from the user's hardware: a left click at a point of the window
// relative to its top left corner, at its centre when none is given.
void ClickAt(HWND window, int x = -1, int y = -1);
// Runs the thread's messages for a while, keys through the dialog manager as
// the program's modal loop does.
void PumpDialog(HWND dialog, DWORD milliseconds);
// Runs work on a thread of its own; its handle, for JoinPumping.
HANDLE StartThread(const std::function<void()>& work);
// Waits for a thread that may still send to the dialog, running the
// dialog's messages meanwhile (a plain wait would never see that send end),
// and closes its handle: what the thread wrote may be read afterwards.
void JoinPumping(HWND dialog, HANDLE thread);
// Milliseconds the window takes to answer a message sent from another
// thread, 5000 when it does not answer within them.
double AnswerTime(HWND window);
// Brings the window to the front, as the user would, once the X server has
// mapped it; its messages run meanwhile.
void BringToFront(HWND dialog);

// The messages the controls send to the dialog.
void SendCommand(HWND dialog, int id, int code);
void ClickButton(HWND dialog, int id);
void SelectComboItem(HWND dialog, int id, int index);
void SelectTabPage(HWND dialog, int tabId, int index);

std::string ControlText(HWND dialog, int id);
std::wstring ControlTextW(HWND dialog, int id);
bool IsShown(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
int ComboSelection(HWND dialog, int id);

// Standard output captured while the object lives.
class TraceCapture {
  public:
    TraceCapture();
    ~TraceCapture();
    std::string Text();

  private:
    bool open_;
};

// Scripted answers of the folder browser and the message box.
struct ShellScript {
    std::vector<std::pair<FolderChoice, std::string>> folderAnswers; // taken in order
    int folderRequests = 0;
    struct Box {
        HWND owner;
        std::string text;
        std::string caption;
        UINT type;
    };
    std::vector<Box> boxes;
    std::function<int(const Box&)> answerBox; // IDOK when none is given
};
// Installs the script; the returned object must outlive the dialogs it serves.
ShellScript& ScriptShellDialogs();
void RestoreShellDialogs();

// The language the program remembers for the user in the registry, as a
// test sets it (null: none); put back as it was when the object goes.
class RememberedLanguageValue {
  public:
    RememberedLanguageValue() : saved_(Get()) {}
    ~RememberedLanguageValue();
    static void Set(const char* value);
    static std::string Get(); // empty when there is none

  private:
    std::string saved_;
};

// Text in code page 936 converted to UTF-16, and UTF-8 source text likewise.
std::wstring FromCodePage(const char* text, UINT codePage);
std::wstring FromUtf8(const char* text);

// Control identifiers of the dialog written out anew for the tests, so that
// the tests check the program's own lists instead of repeating them.
struct ExpectedHourIds {
    int label;
    int sensePlan;
    int planA;
    int planB;
};
extern const ExpectedHourIds kExpectedHourIds[24]; // by hour

struct ExpectedRowIds {
    int label;
    int pick;
    int check;
};
// Copy page 0..5: the random row of pages 0 to 2 as row 0, the animal rows
// of pages 3 to 5 by animal index 0..9.
const int kExpectedRandomPages = 3;
const int kExpectedCopyPages = 6;
ExpectedRowIds ExpectedCopyRow(int page, int row);
int ExpectedRowCount(int page);
// The three rows created hidden that nothing ever shows.
extern const ExpectedRowIds kExpectedHiddenRows[3];

// The dialog from the real template with a procedure that does nothing, so
// every control stays as the template made it (modeless, Unicode).
HWND CreateTemplateDialog();
// The dialog's controls in template order.
std::vector<HWND> ChildrenInTemplateOrder(HWND dialog);

// A fresh temporary folder that is the current directory while the object
// lives, so that a dialog started meanwhile reads no stray file.
class TempCurrentDirectory : public TempFolder {
  public:
    TempCurrentDirectory();
    ~TempCurrentDirectory();
    bool Entered() const
    {
        return entered_;
    }
    const TempFolder& Folder() const
    {
        return *this;
    }

  private:
    char previous_[MAX_PATH] = {};
    bool entered_ = false;
};

// The real dialog, started in a fresh current directory (start_) that holds
// no record, with the folder browser and the message box scripted; closed,
// and the directory left, when the test ends.
class DialogTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Starts the dialog on the session as it stands, closing one open before.
    void OpenDialog();
    void CloseDialog();
    std::string Status() const;

    TempCurrentDirectory start_;
    ShellScript* script_ = nullptr;
    HWND dialog_ = nullptr;

  private:
    // What a fixture adds to each dialog it starts.
    virtual void Opened() {}
};
