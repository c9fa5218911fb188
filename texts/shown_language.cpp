#include "texts/shown_language.h"

#include <cstring>
#include <memory>
#include <new>

#include "model/session_state.h"
#include "platform/code_page_text.h"
#include "texts/interface_texts.h"

namespace {

struct TextTable {
    const char* const* rows;
    int count;
};

const TextTable kTextTables[] = {
    {MessageTable, kMessageRows},
    {LabelTable, kLabelRows},
    {TitleTable, kTitleRows},
};

const int kAllRows = kMessageRows + kLabelRows + kTitleRows;

// The shown form of each row, table after table; null until converted. A
// row of ASCII only is the same in every code page and is used as it is.
const char* g_ShownRows[kAllRows] = {};
// The converted rows, one after another, as long as each needs.
std::unique_ptr<char[]> g_Converted;

bool IsAscii(const char* text)
{
    for (; *text; ++text) {
        if (static_cast<unsigned char>(*text) > 0x7f)
            return false;
    }
    return true;
}

// Calls take(row's slot, row's text) for each row that needs converting;
// false as soon as one call returns false.
template <typename Take> bool ForEachConvertedRow(Take take)
{
    int slot = 0;
    for (const TextTable& table : kTextTables) {
        for (int row = 0; row < table.count; ++row, ++slot) {
            if (!IsAscii(table.rows[row]) && !take(slot, table.rows[row]))
                return false;
        }
    }
    return true;
}

// Measured first, then converted into room of that size: no row is cut or
// refused for its length, only for a character the code page lacks.
bool ConvertEveryRow()
{
    size_t total = 0;
    bool fits = ForEachConvertedRow([&](int, const char* text) {
        int bytes = NarrowFromCodePage(kTextCodePage, text, nullptr, 0);
        total += static_cast<size_t>(bytes);
        return bytes > 0;
    });
    g_Converted.reset(fits ? new (std::nothrow) char[total] : nullptr);
    if (!g_Converted)
        return false;
    size_t used = 0;
    return ForEachConvertedRow([&](int slot, const char* text) {
        int bytes = NarrowFromCodePage(kTextCodePage, text, g_Converted.get() + used,
                                       static_cast<int>(total - used));
        g_ShownRows[slot] = g_Converted.get() + used;
        used += static_cast<size_t>(bytes);
        return bytes > 0;
    });
}

} // namespace

bool ShowLanguage(int language)
{
    memset(g_ShownRows, 0, sizeof g_ShownRows);
    bool shown = language != kChinese || ConvertEveryRow();
    if (!shown)
        memset(g_ShownRows, 0, sizeof g_ShownRows);
    g_Session.LanguageIndex = shown ? language : kEnglish;
    return shown;
}

const char* ShownRow(const char* const* table, int row)
{
    int slot = 0;
    for (const TextTable& known : kTextTables) {
        if (known.rows == table) {
            const char* shown = g_ShownRows[slot + row];
            return shown ? shown : table[row];
        }
        slot += known.count;
    }
    return table[row];
}
