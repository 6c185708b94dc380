#pragma once
// A short formatted document as the rich-text label draws it: paragraphs of
// runs, each run one stretch of text in one character format. Device
// independent: sizes are in half points and become pixels when laid out.
//
// The text is bytes of the ANSI code page, drawn as such.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Graphics.h"

namespace dz {

// The size of text that gives none, in half points.
inline constexpr int kDefaultHalfPoints = 20;

struct RichFormat {
  std::string Face = "Arial";
  int Charset = DEFAULT_CHARSET_ID;
  int HalfPoints = kDefaultHalfPoints;
  TFontStyles Style = 0;
  TColor Color = clWindowText;     // the automatic colour
  friend bool operator==(const RichFormat&, const RichFormat&) = default;
};

struct RichRun {
  RichFormat Format;
  std::string Text;
};

struct RichParagraph {
  std::vector<RichRun> Runs;
  // The format at the paragraph's end: the height of an empty paragraph.
  RichFormat Mark;
};

struct RichDocument {
  std::vector<RichParagraph> Paragraphs;
};

// Reads an RTF document; nullopt when the data does not start as one
// ("{\rtf"). Whatever follows is read leniently and never rejected: unknown
// control words are ignored, unknown destinations skipped, missing closing
// braces supplied at the end, and anything after the document's closing
// brace (the CR LF and the zero byte that end the stored documents) ignored.
std::optional<RichDocument> ReadRtf(std::string_view data);

// Reads the data as plain text in the default format, one paragraph per line
// (CR LF, CR or LF). The text ends at its terminating zero bytes; a zero
// byte with other bytes after it means binary data, which is refused
// (nullopt).
std::optional<RichDocument> ReadPlainText(std::string_view data);

// The ANSI (Windows-1252) byte for a Unicode character, or nullopt when that
// code page has none.
std::optional<char> AnsiFromUnicode(long codePoint);

}  // namespace dz
