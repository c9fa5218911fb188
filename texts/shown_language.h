// The language the window shows, and the rows of the text tables as the
// window's narrow functions take them.
#pragma once

// Values of LanguageIndex.
const int kChinese = 0;
const int kEnglish = 1;

// Shows language from now on: sets LanguageIndex. For Chinese every row of
// the tables is first converted from code page 936 to the process's ANSI code
// page (UTF-8 where the manifest's setting holds), kept until the next call;
// where that code page cannot hold a row exactly, English is shown instead
// and this returns false. Not while another thread reads the texts.
bool ShowLanguage(int language);

// A row of MessageTable, LabelTable or TitleTable as the window shows it:
// converted where ShowLanguage converted it, else as the table holds it.
const char* ShownRow(const char* const* table, int row);
