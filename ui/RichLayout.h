#pragma once
// Lays a rich-text document out inside a rectangle and draws it through the
// Canvas. Nothing is kept between calls: every paint lays the text out anew.
#include "ui/Canvas.h"
#include "ui/RichDocument.h"

namespace dz {

inline constexpr int kTwipsPerInch = 1440;

// The formatting rectangle of a label whose client rectangle is `client`,
// in twips at the given resolution (dots per inch, horizontal in cx and
// vertical in cy): inset by one pixel at the left and the top only, each
// value rounded to the nearest twip.
TRect FormattingRectTwips(const TRect& client, TSize pixelsPerInch);

// A rectangle in twips, back in device pixels (rounded to the nearest).
TRect TwipsToPixels(const TRect& twips, TSize pixelsPerInch);

// The platform font of a format at a vertical resolution.
TFont FontOf(const RichFormat& format, int pixelsPerInchY);

// Lays `doc` out inside `area` (device pixels) and draws it:
// - each paragraph starts a line; lines break after spaces, and a word wider
//   than the area breaks between characters;
// - a line is as high as its tallest font (an empty paragraph as its mark's)
//   and its runs share one baseline;
// - only whole lines that fit in the height are drawn; the first line that
//   does not fit ends the drawing;
// - text is drawn over what is there, nothing behind the glyphs is painted,
//   and nothing is drawn outside `area`.
// Returns the number of lines drawn.
int RenderRichText(Canvas& canvas, const RichDocument& doc, const TRect& area);

}  // namespace dz
