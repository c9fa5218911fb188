// The language the window shows, and the texts of the tables as the window's
// narrow functions take them.
#pragma once

#include "model/session_state.h"
#include "texts/interface_texts.h"

// Shows language from now on: sets LanguageIndex. For Chinese every Chinese
// text of the tables is first converted to the process's ANSI code page
// (UTF-8 where the manifest's setting holds), kept until the next call; where
// that code page cannot hold a text exactly, English is shown instead and
// this returns false. Not while another thread reads the texts.
bool ShowLanguage(Language language);

// A pair's text in language as the window shows it: the English as the table
// holds it, the Chinese as ShowLanguage converted it (the English where it
// has not).
const char* ShownText(const BilingualText* table, int pair, Language language);

// A pair's text in the language shown, as the window shows it.
const char* TextPair(const BilingualText* table, int pair);
// Item index of list, as the window shows it.
const char* ListItem(ItemList list, int index);
// Format of a delay item, "%d Sec" or its Chinese form.
const char* DelayItemFormat();
