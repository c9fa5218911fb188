#include "texts/shown_language.h"

#include <cstring>

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

// Room for every converted row: a character of code page 936 takes at most
// two bytes there and three in UTF-8.
const size_t kConvertedSize = 16384;

// The shown form of each row, table after table; null until converted. A
// row of ASCII only is the same in every code page and is used as it is.
const char* g_ShownRows[kAllRows] = {};
char g_Converted[kConvertedSize];

bool IsAscii(const char* text)
{
    for (; *text; ++text) {
        if (static_cast<unsigned char>(*text) > 0x7f)
            return false;
    }
    return true;
}

bool ConvertEveryRow()
{
    size_t used = 0;
    int slot = 0;
    for (const TextTable& table : kTextTables) {
        for (int row = 0; row < table.count; ++row, ++slot) {
            const char* text = table.rows[row];
            if (IsAscii(text)) {
                g_ShownRows[slot] = text;
                continue;
            }
            char converted[kPathSize];
            if (!NarrowFromCodePage(kTextCodePage, text, converted, sizeof converted))
                return false;
            size_t length = strlen(converted) + 1;
            if (length > kConvertedSize - used)
                return false;
            memcpy(g_Converted + used, converted, length);
            g_ShownRows[slot] = g_Converted + used;
            used += length;
        }
    }
    return true;
}

} // namespace

bool ShowLanguage(int language)
{
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
