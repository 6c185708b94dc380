// The RTF reader of the rich-text label. It understands the character
// formatting a short label needs (font and colour tables, \f \fs \cf \b \i
// \ul \strike \plain, \par \line, \uN with \ucN, \'hh, the escaped symbols)
// and reads everything else without complaint.
//
// Bad data must never crash or hang a paint: the reader walks the bytes once
// in a loop (no recursion), keeps at most kMaxGroupDepth group states (deeper
// groups are skipped whole), saturates numeric arguments, and never reads
// past the end of the data.
#include <algorithm>
#include <array>
#include <climits>
#include <iterator>
#include <map>

#include "ui/RichDocument.h"

namespace dz {

namespace {

constexpr std::size_t kMaxGroupDepth = 256;
constexpr int kMaxHalfPoints = 3276;  // 1638 points, the largest size rich text takes

// Destinations whose text is never shown.
constexpr std::string_view kSkippedDestinations[] = {
    "colorschememapping", "datastore", "fldinst",  "filetbl",   "footer",     "footerf",
    "footerl",            "footerr",   "footnote", "generator", "header",     "headerf",
    "headerl",            "headerr",   "info",     "latentstyles", "listoverridetable",
    "listtable",          "nonshppict", "object",  "pict",      "revtbl",     "rsidtbl",
    "stylesheet",         "themedata", "xmlnstbl",
};

// Symbol words and their Windows-1252 characters.
constexpr std::array<std::pair<std::string_view, char>, 10> kSymbols{{
    {"emdash", '\x97'}, {"endash", '\x96'}, {"bullet", '\x95'}, {"lquote", '\x91'},
    {"rquote", '\x92'}, {"ldblquote", '\x93'}, {"rdblquote", '\x94'}, {"emspace", ' '},
    {"enspace", ' '}, {"qmspace", ' '},
}};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

enum class Destination { Text, FontTable, ColorTable };

struct CharState {
  int font = -1;   // font table number; -1: the document's default font
  int halfPoints = kDefaultHalfPoints;
  TFontStyles style = 0;
  int color = -1;  // colour table index; -1: the automatic colour
  friend bool operator==(const CharState&, const CharState&) = default;
};

struct Group {
  CharState chars;
  Destination destination = Destination::Text;
  int unicodeSkip = 1;  // \uc: fallback characters that follow a \u
};

struct FontEntry {
  std::string face;
  int charset = ANSI_CHARSET_ID;
};

class RtfReader {
 public:
  explicit RtfReader(std::string_view data) : data_(data) {}

  RichDocument Read() {
    while (pos_ < data_.size()) {
      const char c = data_[pos_++];
      switch (c) {
        case '{': OpenGroup(); break;
        case '}':
          CloseGroup();
          // The document ends with its group; what follows is not read.
          if (groups_.empty() && skipDepth_ == 0) return Finish();
          break;
        case '\\': Control(); break;
        case '\r':
        case '\n':
        case '\0': break;
        default: Character(c); break;
      }
    }
    return Finish();  // closing braces missing: the document ends here
  }

 private:
  RichDocument Finish() {
    if (!paragraph_.Runs.empty()) {
      paragraph_.Mark = paragraph_.Runs.back().Format;
      doc_.Paragraphs.push_back(std::move(paragraph_));
    }
    return std::move(doc_);
  }

  void OpenGroup() {
    pendingSkip_ = 0;
    if (skipDepth_ > 0) {
      ++skipDepth_;
    } else if (groups_.size() >= kMaxGroupDepth) {
      skipDepth_ = 1;
    } else {
      groups_.push_back(groups_.empty() ? Group{} : groups_.back());
    }
  }

  void CloseGroup() {
    pendingSkip_ = 0;
    if (skipDepth_ > 0) {
      --skipDepth_;
      return;
    }
    if (groups_.empty()) return;
    if (groups_.back().destination == Destination::FontTable) CommitFont();
    const CharState inner = groups_.back().chars;
    groups_.pop_back();
    if (!groups_.empty() && !(groups_.back().chars == inner)) formatDirty_ = true;
  }

  // The rest of the current group is a destination that is not shown.
  void SkipGroup() {
    if (skipDepth_ > 0 || groups_.empty()) return;
    if (groups_.back().destination == Destination::FontTable) CommitFont();
    groups_.pop_back();
    skipDepth_ = 1;
    formatDirty_ = true;
  }

  // After a backslash: a control word, \'hh, or a control symbol.
  void Control() {
    if (pos_ >= data_.size()) return;
    const char c = data_[pos_];
    if (IsLetter(c)) {
      const std::size_t start = pos_;
      while (pos_ < data_.size() && IsLetter(data_[pos_])) ++pos_;
      const std::string_view word = data_.substr(start, pos_ - start);
      bool negative = false;
      if (pos_ + 1 < data_.size() && data_[pos_] == '-' && IsDigit(data_[pos_ + 1])) {
        negative = true;
        ++pos_;
      }
      bool hasParam = false;
      long long value = 0;
      while (pos_ < data_.size() && IsDigit(data_[pos_])) {
        hasParam = true;
        value = std::min(value * 10 + (data_[pos_] - '0'), static_cast<long long>(INT_MAX));
        ++pos_;
      }
      if (pos_ < data_.size() && data_[pos_] == ' ') ++pos_;  // ends the word; not text
      ControlWord(word, hasParam, static_cast<int>(negative ? -value : value));
      return;
    }
    ++pos_;
    switch (c) {
      case '\'': HexCharacter(); break;
      case '\\':
      case '{':
      case '}': Character(c); break;
      case '~': Character('\xA0'); break;  // non-breaking space
      case '_': Character('-'); break;     // non-breaking hyphen
      case '*': SkipGroup(); break;        // a destination this reader need not know
      case '\r':
      case '\n': ControlWord("par", false, 0); break;
      default: break;  // \- (optional hyphen) and symbols with nothing to show
    }
  }

  void HexCharacter() {
    int value = 0;
    int digits = 0;
    while (digits < 2 && pos_ < data_.size() && HexValue(data_[pos_]) >= 0) {
      value = value * 16 + HexValue(data_[pos_++]);
      ++digits;
    }
    if (digits > 0) Character(static_cast<char>(value));
  }

  void ControlWord(std::string_view word, bool hasParam, int param) {
    if (word == "bin") {  // raw bytes follow: never text, never braces
      const std::size_t count = hasParam && param > 0 ? static_cast<std::size_t>(param) : 0;
      pos_ += std::min(count, data_.size() - pos_);
      return;
    }
    if (skipDepth_ > 0 || groups_.empty()) return;
    Group& group = groups_.back();
    if (group.destination == Destination::FontTable) {
      if (word == "f") {
        CommitFont();
        fontNumber_ = param;
      } else if (word == "fcharset") {
        fontCharset_ = std::clamp(param, 0, 255);
      }
      return;
    }
    if (group.destination == Destination::ColorTable) {
      const int component = std::clamp(param, 0, 255);
      if (word == "red") red_ = component;
      if (word == "green") green_ = component;
      if (word == "blue") blue_ = component;
      colorGiven_ = colorGiven_ || word == "red" || word == "green" || word == "blue";
      return;
    }
    if (pendingSkip_ > 0) {  // a control word in a \u fallback counts as one character
      --pendingSkip_;
      return;
    }
    CharState& chars = group.chars;
    const CharState before = chars;
    const bool on = !hasParam || param != 0;
    const auto setStyle = [&](TFontStyles bit, bool set) {
      chars.style = set ? chars.style | bit : chars.style & ~bit;
    };
    if (word == "fonttbl") {
      group.destination = Destination::FontTable;
      fontName_.clear();
      fontCharset_ = ANSI_CHARSET_ID;
    } else if (word == "colortbl") {
      group.destination = Destination::ColorTable;
      ResetColor();
    } else if (std::find(std::begin(kSkippedDestinations), std::end(kSkippedDestinations), word) !=
               std::end(kSkippedDestinations)) {
      SkipGroup();
    } else if (word == "deff") {
      defaultFont_ = param;
      formatDirty_ = true;
    } else if (word == "plain") {
      chars = CharState{};
    } else if (word == "f") {
      chars.font = param;
    } else if (word == "fs") {
      chars.halfPoints = hasParam && param > 0 ? std::min(param, kMaxHalfPoints) : kDefaultHalfPoints;
    } else if (word == "cf") {
      chars.color = param;
    } else if (word == "b") {
      setStyle(fsBold, on);
    } else if (word == "i") {
      setStyle(fsItalic, on);
    } else if (word == "ul") {
      setStyle(fsUnderline, on);
    } else if (word == "ulnone") {
      setStyle(fsUnderline, false);
    } else if (word == "strike") {
      setStyle(fsStrikeOut, on);
    } else if (word == "par" || word == "line") {
      EndParagraph();
    } else if (word == "tab") {
      AppendText(' ');  // the label has no tab stops
    } else if (word == "uc") {
      group.unicodeSkip = hasParam ? std::max(param, 0) : 1;
    } else if (word == "u") {
      // Negative values stand for the upper half of the 16-bit range. A
      // character without an ANSI form leaves its fallback text to be shown.
      if (const auto ansi = AnsiFromUnicode(param < 0 ? param + 65536L : param)) {
        AppendText(*ansi);
        pendingSkip_ = group.unicodeSkip;
      }
    } else {
      for (const auto& [name, ansi] : kSymbols) {
        if (word == name) AppendText(ansi);
      }
    }
    if (!(chars == before)) formatDirty_ = true;
  }

  // A character of the current destination.
  void Character(char c) {
    if (skipDepth_ > 0 || groups_.empty()) return;
    switch (groups_.back().destination) {
      case Destination::Text:
        if (pendingSkip_ > 0) {
          --pendingSkip_;
        } else {
          AppendText(c == '\t' ? ' ' : c);
        }
        break;
      case Destination::FontTable:
        if (c == ';') {
          CommitFont();
        } else {
          fontName_ += c;
        }
        break;
      case Destination::ColorTable:
        if (c == ';') CommitColor();
        break;
    }
  }

  void AppendText(char c) {
    if (c == '\0') return;
    if (formatDirty_) {
      current_ = Resolve(groups_.back().chars);
      formatDirty_ = false;
      runOpen_ = !paragraph_.Runs.empty() && paragraph_.Runs.back().Format == current_;
    }
    if (!runOpen_) {
      paragraph_.Runs.push_back({current_, {}});
      runOpen_ = true;
    }
    paragraph_.Runs.back().Text += c;
  }

  void EndParagraph() {
    paragraph_.Mark = Resolve(groups_.back().chars);
    doc_.Paragraphs.push_back(std::move(paragraph_));
    paragraph_ = {};
    runOpen_ = false;
  }

  RichFormat Resolve(const CharState& chars) const {
    RichFormat format;
    const auto font = fonts_.find(chars.font >= 0 ? chars.font : defaultFont_);
    if (font != fonts_.end()) {
      format.Face = font->second.face;
      format.Charset = font->second.charset;
    }
    format.HalfPoints = chars.halfPoints;
    format.Style = chars.style;
    if (chars.color >= 0 && static_cast<std::size_t>(chars.color) < colors_.size() && colors_[chars.color])
      format.Color = *colors_[chars.color];
    return format;
  }

  void CommitFont() {
    const auto first = fontName_.find_first_not_of(' ');
    if (first != std::string::npos) {
      const auto last = fontName_.find_last_not_of(' ');
      fonts_[fontNumber_] = {fontName_.substr(first, last - first + 1), fontCharset_};
      formatDirty_ = true;
    }
    fontName_.clear();
    fontCharset_ = ANSI_CHARSET_ID;
  }

  void ResetColor() {
    red_ = green_ = blue_ = 0;
    colorGiven_ = false;
  }

  // An entry without components is the automatic colour.
  void CommitColor() {
    colors_.push_back(colorGiven_ ? std::optional<TColor>(RGBColor(red_, green_, blue_)) : std::nullopt);
    ResetColor();
    formatDirty_ = true;
  }

  std::string_view data_;
  std::size_t pos_ = 0;
  std::vector<Group> groups_;
  std::size_t skipDepth_ = 0;  // > 0: inside a skipped group, counting its nesting
  int pendingSkip_ = 0;        // fallback characters of a \u still to drop

  std::map<int, FontEntry> fonts_;
  int defaultFont_ = 0;
  int fontNumber_ = 0;
  std::string fontName_;
  int fontCharset_ = ANSI_CHARSET_ID;

  std::vector<std::optional<TColor>> colors_;
  unsigned red_ = 0, green_ = 0, blue_ = 0;
  bool colorGiven_ = false;

  RichDocument doc_;
  RichParagraph paragraph_;
  RichFormat current_;
  bool formatDirty_ = true;
  bool runOpen_ = false;
};

}  // namespace

std::optional<RichDocument> ReadRtf(std::string_view data) {
  constexpr std::string_view kStart = "{\\rtf";
  if (data.substr(0, kStart.size()) != kStart) return std::nullopt;
  if (data.size() > kStart.size() && IsLetter(data[kStart.size()])) return std::nullopt;  // "{\rtfx"
  return RtfReader(data).Read();
}

}  // namespace dz
