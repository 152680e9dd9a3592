#pragma once
// Word, path and text helpers on 8-bit (Windows-1252) text. Case rules are ASCII-only.

#include <string>
#include <string_view>

namespace mw {

// Number of words of `text` for the delimiter set `delims`. A run of delimiters separates two
// words; delimiters at the start or end produce no empty word.
int WordCount(std::string_view text, std::string_view delims);

// Word `n` (counted from 1) under the same rule; word 0 or a word beyond the last is empty.
std::string ExtractWord(int n, std::string_view text, std::string_view delims);

// A folder name with one trailing "/" added unless it ends in one; an empty name stays empty.
std::string IncludeTrailingSlash(std::string_view folder);

// The folder part of a file name, up to and including the last "/"; empty without one.
std::string ExtractFilePath(std::string_view fileName);

// `text` left-padded with `fill` to at least `minLength` characters.
std::string PadLeft(std::string_view text, std::size_t minLength, char fill);

std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);
bool Contains(std::string_view text, std::string_view part);
bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);

// Whole-number conversion as the original program did it: blanks before the number are allowed,
// an optional sign, decimal digits or "$"/"0x" hexadecimal, nothing after. False when the text
// is not such a number or does not fit into 32 bits.
bool TryStrToInt(std::string_view text, int& value);
int StrToIntDef(std::string_view text, int fallback);

// The German conversion message for a text that is not a whole number.
std::string NotAnIntegerMessage(std::string_view text);

// The German message for a file that cannot be opened, with the system's reason.
std::string FileOpenErrorMessage(std::string_view path, std::string_view reason);

}  // namespace mw
