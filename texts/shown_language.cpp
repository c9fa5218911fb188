#include "texts/shown_language.h"

#include <cstring>
#include <memory>
#include <new>

#include "model/session_state.h"
#include "platform/code_page_text.h"
#include "texts/interface_texts.h"

namespace {

struct TextTable {
    const BilingualText* Pairs;
    int Count;
};

const TextTable kTextTables[] = {
    {MessageTable, kMessagePairs},
    {LabelTable, kLabelPairs},
    {TitleTable, kTitlePairs},
};

const int kAllPairs = kMessagePairs + kLabelPairs + kTitlePairs;

// The shown form of each Chinese text, table after table; null until
// converted.
const char* g_ShownChinese[kAllPairs] = {};
// The converted texts, one after another, as long as each needs.
std::unique_ptr<char[]> g_Converted;

// Calls take(pair's slot, its Chinese text) for each pair; false as soon as
// one call returns false.
template <typename Take> bool ForEachChineseText(Take take)
{
    int slot = 0;
    for (const TextTable& table : kTextTables) {
        for (int pair = 0; pair < table.Count; ++pair, ++slot) {
            if (!take(slot, table.Pairs[pair].Chinese))
                return false;
        }
    }
    return true;
}

// Measured first, then converted into room of that size: no text is cut or
// refused for its length, only for a character the code page lacks.
bool ConvertEveryText()
{
    size_t total = 0;
    bool fits = ForEachChineseText([&](int, const char* text) {
        int bytes = NarrowFromCodePage(kTextCodePage, text, nullptr, 0);
        total += static_cast<size_t>(bytes);
        return bytes > 0;
    });
    g_Converted.reset(fits ? new (std::nothrow) char[total] : nullptr);
    if (!g_Converted)
        return false;
    size_t used = 0;
    return ForEachChineseText([&](int slot, const char* text) {
        int bytes = NarrowFromCodePage(kTextCodePage, text, g_Converted.get() + used,
                                       static_cast<int>(total - used));
        g_ShownChinese[slot] = g_Converted.get() + used;
        used += static_cast<size_t>(bytes);
        return bytes > 0;
    });
}

} // namespace

bool ShowLanguage(Language language)
{
    memset(g_ShownChinese, 0, sizeof g_ShownChinese);
    bool shown = language != kChinese || ConvertEveryText();
    if (!shown)
        memset(g_ShownChinese, 0, sizeof g_ShownChinese);
    g_Session.LanguageIndex = shown ? language : kEnglish;
    return shown;
}

const char* ShownText(const BilingualText* table, int pair, Language language)
{
    int slot = 0;
    for (const TextTable& known : kTextTables) {
        if (known.Pairs == table && language == kChinese && g_ShownChinese[slot + pair])
            return g_ShownChinese[slot + pair];
        slot += known.Count;
    }
    return table[pair].English;
}

const char* TextPair(const BilingualText* table, int pair)
{
    return ShownText(table, pair, g_Session.LanguageIndex);
}

const char* ListItem(ItemList list, int index)
{
    return TextPair(LabelTable, list.First + index);
}

const char* DelayItemFormat()
{
    return TextPair(MessageTable, kMsgDelayItemFormat);
}
