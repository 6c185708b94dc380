#include "ui/RichLayout.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dz {

namespace {

int RoundToInt(double value) {
  return static_cast<int>(std::llround(std::clamp(value, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX))));
}

// A device that reports no resolution is taken for the usual screen.
int Dpi(int value) { return value > 0 ? value : 96; }

// Text is measured at most this many characters at a time, so that an
// endless word costs no more than the lines it fills.
constexpr std::size_t kChunk = 256;

struct RunFont {
  TFont font;
  int ascent = 0;
  int descent = 0;
};

// A stretch of one run placed on the current line, `x` pixels from its start.
struct Piece {
  std::size_t run;
  std::string_view text;
  long long x;
};

class Layout {
 public:
  Layout(Canvas& canvas, const TRect& area)
      : canvas_(canvas), area_(area), width_(area.Width()), dpiY_(Dpi(canvas.PixelsPerInch().cy)),
        y_(area.Top) {}

  int Render(const RichDocument& doc) {
    if (area_.Empty()) return 0;
    CanvasStateGuard guard(canvas_);
    canvas_.IntersectClip(area_);
    for (const RichParagraph& paragraph : doc.Paragraphs) {
      if (!Paragraph(paragraph)) break;
    }
    return drawn_;
  }

 private:
  // False once a line did not fit: nothing further is drawn.
  bool Paragraph(const RichParagraph& paragraph) {
    paragraph_ = &paragraph;
    fonts_.assign(paragraph.Runs.size(), std::nullopt);
    afterSpace_ = true;
    for (std::size_t run = 0; run < paragraph.Runs.size(); ++run) {
      const std::string_view text = paragraph.Runs[run].Text;
      std::size_t i = 0;
      while (i < text.size()) {
        const bool space = text[i] == ' ';
        std::size_t end = i;
        while (end < text.size() && (text[end] == ' ') == space && end - i < kChunk) ++end;
        const std::string_view part = text.substr(i, end - i);
        if (space) {
          AddSpaces(run, part);
        } else if (!AddWordPart(run, part)) {
          return false;
        }
        i = end;
      }
    }
    return FinishLine(true);
  }

  // Spaces never break the line before them; those past its end are not
  // measured.
  void AddSpaces(std::size_t run, std::string_view text) {
    const long long width = x_ > width_ ? 0 : Width(run, text);
    pieces_.push_back({run, text, x_});
    x_ += width;
    afterSpace_ = true;
  }

  bool AddWordPart(std::size_t run, std::string_view text) {
    while (!text.empty()) {
      if (afterSpace_) {
        wordStart_ = pieces_.size();
        wordX_ = x_;
        afterSpace_ = false;
      }
      const long long width = Width(run, text);
      if (x_ + width <= width_) {
        pieces_.push_back({run, text, x_});
        x_ += width;
        return true;
      }
      if (wordStart_ > 0) {  // the word goes to the next line whole
        if (!BreakBeforeWord()) return false;
        continue;
      }
      // The word alone is wider than the line: break it between characters,
      // taking at least one character onto an empty line.
      std::size_t count = FittingPrefix(run, text);
      if (count == 0 && pieces_.empty()) count = 1;
      if (count > 0) {
        const std::string_view head = text.substr(0, count);
        pieces_.push_back({run, head, x_});
        x_ += Width(run, head);
        text.remove_prefix(count);
      }
      if (!FinishLine(false)) return false;
    }
    return true;
  }

  // The longest prefix of `text` that still fits after x_ (never all of it).
  std::size_t FittingPrefix(std::size_t run, std::string_view text) {
    std::size_t fits = 0, fails = text.size();
    while (fails - fits > 1) {
      const std::size_t mid = fits + (fails - fits) / 2;
      if (x_ + Width(run, text.substr(0, mid)) <= width_) {
        fits = mid;
      } else {
        fails = mid;
      }
    }
    return fits;
  }

  bool BreakBeforeWord() {
    std::vector<Piece> word(pieces_.begin() + static_cast<std::ptrdiff_t>(wordStart_), pieces_.end());
    pieces_.resize(wordStart_);
    const long long shift = wordX_;
    const long long end = x_;
    if (!FinishLine(false)) return false;
    for (Piece& piece : word) {
      piece.x -= shift;
      pieces_.push_back(piece);
    }
    x_ = end - shift;
    return true;
  }

  // Draws the current line if it fits; the paragraph's last line also takes
  // the height of the paragraph mark.
  bool FinishLine(bool last) {
    int ascent = 0, descent = 0;
    for (const Piece& piece : pieces_) {
      const RunFont& font = Font(piece.run);
      ascent = std::max(ascent, font.ascent);
      descent = std::max(descent, font.descent);
    }
    if (last || pieces_.empty()) {
      const RunFont mark = Metrics(paragraph_->Mark);
      ascent = std::max(ascent, mark.ascent);
      descent = std::max(descent, mark.descent);
    }
    if (y_ + ascent + descent > area_.Bottom) return false;
    Draw(ascent);
    y_ += ascent + descent;
    ++drawn_;
    pieces_.clear();
    x_ = 0;
    wordStart_ = 0;
    wordX_ = 0;
    return true;
  }

  void Draw(int ascent) {
    for (std::size_t i = 0; i < pieces_.size();) {
      // Neighbouring pieces of one run go out in one call.
      const Piece& first = pieces_[i];
      std::string_view text = first.text;
      std::size_t next = i + 1;
      while (next < pieces_.size() && pieces_[next].run == first.run &&
             pieces_[next].text.data() == text.data() + text.size()) {
        text = std::string_view(text.data(), text.size() + pieces_[next].text.size());
        ++next;
      }
      const RunFont& font = Font(first.run);
      const bool marked = (font.font.Style & (fsUnderline | fsStrikeOut)) != 0;
      if (marked || text.find_first_not_of(' ') != std::string_view::npos) {
        canvas_.Font = font.font;
        canvas_.TextOut(area_.Left + static_cast<int>(first.x), static_cast<int>(y_) + ascent - font.ascent,
                        std::string(text));
      }
      i = next;
    }
  }

  long long Width(std::size_t run, std::string_view text) {
    canvas_.Font = Font(run).font;
    return canvas_.TextExtent(std::string(text)).cx;
  }

  const RunFont& Font(std::size_t run) {
    std::optional<RunFont>& slot = fonts_[run];
    if (!slot) slot = Metrics(paragraph_->Runs[run].Format);
    return *slot;
  }

  RunFont Metrics(const RichFormat& format) {
    RunFont font;
    font.font = FontOf(format, dpiY_);
    canvas_.Font = font.font;
    const TextMetrics metrics = canvas_.GetTextMetrics();
    font.ascent = metrics.Ascent;
    font.descent = metrics.Descent;
    return font;
  }

  Canvas& canvas_;
  const TRect area_;
  const long long width_;
  const int dpiY_;
  long long y_;
  int drawn_ = 0;

  const RichParagraph* paragraph_ = nullptr;
  std::vector<std::optional<RunFont>> fonts_;  // of the paragraph's runs, made when first needed
  std::vector<Piece> pieces_;                  // the current line
  long long x_ = 0;
  std::size_t wordStart_ = 0;  // the first piece of the word being placed
  long long wordX_ = 0;        // where that word starts
  bool afterSpace_ = true;
};

}  // namespace

TRect FormattingRectTwips(const TRect& client, TSize pixelsPerInch) {
  const double dpiX = Dpi(pixelsPerInch.cx);
  const double dpiY = Dpi(pixelsPerInch.cy);
  TRect twips;
  twips.Left = RoundToInt((client.Left + 1) / dpiX * kTwipsPerInch);
  twips.Top = RoundToInt((client.Top + 1) / dpiY * kTwipsPerInch);
  twips.Right = twips.Left + RoundToInt((client.Right - client.Left - 1) / dpiX * kTwipsPerInch);
  twips.Bottom = twips.Top + RoundToInt((client.Bottom - client.Top - 1) / dpiY * kTwipsPerInch);
  return twips;
}

TRect TwipsToPixels(const TRect& twips, TSize pixelsPerInch) {
  const double dpiX = Dpi(pixelsPerInch.cx);
  const double dpiY = Dpi(pixelsPerInch.cy);
  return {RoundToInt(twips.Left * dpiX / kTwipsPerInch), RoundToInt(twips.Top * dpiY / kTwipsPerInch),
          RoundToInt(twips.Right * dpiX / kTwipsPerInch), RoundToInt(twips.Bottom * dpiY / kTwipsPerInch)};
}

TFont FontOf(const RichFormat& format, int pixelsPerInchY) {
  TFont font;
  font.Name = format.Face;
  // Half points to pixels, rounded: 10 points are 13 pixels at 96 dpi.
  const long long pixels = (static_cast<long long>(format.HalfPoints) * Dpi(pixelsPerInchY) + 72) / 144;
  font.Height = static_cast<int>(std::clamp(pixels, 1LL, static_cast<long long>(INT_MAX)));
  font.Style = format.Style;
  font.Color = format.Color;
  font.Charset = format.Charset;
  return font;
}

int RenderRichText(Canvas& canvas, const RichDocument& doc, const TRect& area) {
  return Layout(canvas, area).Render(doc);
}

}  // namespace dz
