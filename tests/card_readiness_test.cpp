// Settings against card trees on real folders: which folders the settings
// play from, which of them hold a sound, and the status line's text.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_ops.h"
#include "sounds/card_readiness.h"
#include "test_support.h"

namespace {

struct ReadinessCase {
    const char* name;
    void (*set)(BroadcastConfig& config);            // from the defaults, playback on
    std::vector<std::pair<std::string, Bytes>> card; // a name ending in "\" is a folder
    int silent, places;
    std::string first; // below the card, or a setting
};

TEST(CardReadiness, SettingsAgainstCardTrees)
{
    const Bytes w = WaveOf(""), mp3 = {'I', 'D', '3', 3, 0, 0, 0, 0, 0, 0x21, 0xff, 0xfb};
    Bytes cut = WaveOf("cut short");
    cut[4] = 100;
    // clang-format off
    const ReadinessCase cases[] = {
        {"sensing random, its folder empty", [](BroadcastConfig& c) { c.TimerMod = 0; },
         {{"audio\\SenseRand\\", {}}}, 1, 1, "audio\\SenseRand"},
        {"sensing plan of dog and tiger, only dog holds sounds",
         [](BroadcastConfig& c) { c.TimerMod = 0; c.SenMod = 2; std::fill_n(c.type + 12, 12, 1); },
         {{"audio\\SenseSpecify\\dog\\bark.wav", w}, {"audio\\SenseSpecify\\tiger\\", {}}}, 1, 2,
         "audio\\SenseSpecify\\tiger"},
        {"timing A random, sounds only in an animal folder below it", [](BroadcastConfig& c) { c.SenMod = 0; },
         {{"audio\\Alarm\\A\\dog\\a.wav", w}, {"audio\\Alarm\\B\\b.wav", w}}, 1, 2, "audio\\Alarm\\A"},
        {"timing B by plan of fox and bear, bear missing",
         [](BroadcastConfig& c) { c.SenMod = 0; c.AlarmB = 1; std::fill_n(c.typeB, 12, 5); std::fill_n(c.typeB + 12, 12, 6); },
         {{"audio\\Alarm\\A\\a.wav", w}, {"audio\\Alarm\\B\\fox\\F.WAV", w}}, 1, 3, "audio\\Alarm\\B\\bear"},
        {"playback off", [](BroadcastConfig& c) { c.Ena = 0; c.SenMod = 2; std::fill_n(c.type, 24, 7); },
         {}, 0, 0, ""},
        {"every folder filled", [](BroadcastConfig& c) { c.SenMod = 2; c.AlarmA = 1; std::fill_n(c.typeA, 24, 2); },
         {{"audio\\SenseSpecify\\dog\\d.wav", w}, {"audio\\Alarm\\A\\leopard\\l.wav", w}, {"audio\\Alarm\\B\\b.wav", w}},
         0, 3, ""},
        {"a renamed MP3, a truncated WAV, our waiting files", [](BroadcastConfig& c) { c.TimerMod = 0; },
         {{"audio\\SenseRand\\song.wav", mp3}, {"audio\\SenseRand\\cut.wav", cut}, {"audio\\SenseRand\\a.wav.OLD", w},
          {"audio\\SenseRand\\b.wav.NEW", w}, {"audio\\SenseRand\\~.TMP", w}}, 1, 1, "audio\\SenseRand"},
        {"values outside their lists", [](BroadcastConfig& c) { c.SenMod = 2; c.type[5] = c.type[6] = 200; c.AlarmA = 7; },
         {{"audio\\SenseSpecify\\dog\\d.wav", w}, {"audio\\Alarm\\B\\b.wav", w}}, 2, 4, "type[5] = 200"},
    };
    // clang-format on
    ResetSession();
    for (const ReadinessCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder card;
        BroadcastConfig config = DefaultBroadcastConfig();
        config.Ena = 1;
        c.set(config);
        for (const auto& file : c.card) {
            std::string path = card.File(file.first);
            CreateFolderTree(path.substr(0, path.rfind('\\')).c_str());
            if (path.back() != '\\')
                WriteBytes(path, file.second);
        }

        CardReadiness readiness = CheckCardReadiness(card.Path().c_str(), config);
        std::string first = c.first.rfind("audio", 0) == 0 ? card.File(c.first) : c.first;
        EXPECT_EQ(readiness.Silent, c.silent);
        EXPECT_EQ(readiness.Places, c.places);
        EXPECT_EQ(readiness.FirstSilent, first);
        char line[600] = "as it was";
        EXPECT_EQ(ComposeNotReadyLine(readiness, line, sizeof line), c.silent > 0);
        EXPECT_EQ(line, c.silent ? NotReady(c.silent, c.places, first) : "as it was");
    }
}

} // namespace
