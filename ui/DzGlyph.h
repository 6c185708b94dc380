#pragma once
// The glyph button's picture: the strip of cells (TDzGlyph) and the cells it
// renders for each face state, kept in masked lists of one cell size
// (TDzGlyphList) shared by every button of the process (TDzGlyphCache).
//
// A rendered cell is a Picture whose transparent colour is the glyph's: the
// canvas makes its mask (exactly that colour is transparent) and device
// bitmap at the first draw and keeps them in the list, so a repaint only
// copies. Cells are rendered lazily, one per state index, on the first paint
// in that state.
#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "ui/Controls.h"
#include "ui/Picture.h"

namespace dz {

class Canvas;

// The cell of the strip a face state shows: state 1 (disabled) cell 1;
// beyond the last cell cell 0 (with the uncoloured look cell 4 for state 6,
// cell 2 for any other); else the cell of the state's number.
int GlyphCellIndex(int state, int numGlyphs, bool uncoloured) noexcept;

// The disabled look of a cell: on the transparent colour, the cell's pure
// black pixels in `light` one pixel right and down, then in `shadow` in
// place; every other pixel is gone.
Image EmbossedCell(const Image& cell, TColor transparent, TColor light, TColor shadow);

class TDzGlyphList {
 public:
  TDzGlyphList(int width, int height) noexcept : width_(width), height_(height) {}
  TDzGlyphList(const TDzGlyphList&) = delete;
  TDzGlyphList& operator=(const TDzGlyphList&) = delete;

  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  // Cells in use.
  int Count() const noexcept { return count_; }

  // Stores a cell of this list's size; returns its index.
  int Add(Picture cell);
  void Delete(int index) noexcept;
  const Picture& Cell(int index) const { return *cells_.at(static_cast<std::size_t>(index)); }

 private:
  int width_, height_;
  int count_ = 0;
  std::vector<std::optional<Picture>> cells_;  // freed places are reused
};

// The process-wide lists, one per cell size. It exists while any glyph
// holder does; a list goes when its last cell is deleted.
class TDzGlyphCache {
 public:
  // The cache, or nullptr when no glyph holder exists.
  static TDzGlyphCache* Current() noexcept;

  // The list of cells of exactly this size, made on first use.
  TDzGlyphList& ListFor(int width, int height);
  // Deletes a cell; an emptied list is freed.
  void Release(TDzGlyphList& list, int index) noexcept;
  std::size_t ListCount() const noexcept { return lists_.size(); }

 private:
  friend class TDzGlyph;
  std::vector<std::unique_ptr<TDzGlyphList>> lists_;
};

class TDzGlyph : public TObject {
 public:
  TDzGlyph();
  ~TDzGlyph() override;
  const char* ClassName() const override { return "TDzGlyph"; }

  // The strip; a new one drops the rendered cells and tells the owner.
  const Image& Bitmap() const noexcept { return bitmap_; }
  void SetBitmap(Image bitmap);
  // The colour drawn as transparent: the bottom-left pixel.
  TColor TransparentColor() const noexcept { return bitmap_.BottomLeft(); }
  // 1..5.
  int NumGlyphs() const noexcept { return numGlyphs_; }
  void SetNumGlyphs(int n);
  // The uncoloured look of the flat styles.
  bool Uncoloured() const noexcept { return uncoloured_; }
  void SetUncoloured(bool on);

  // The cell for face state `state` (0..8), rendered into the shared lists
  // on first use with the canvas's system colours; nullptr without a strip.
  const Picture* CellFor(int state, const Canvas& colours);
  // Cells rendered so far.
  int RenderedCells() const noexcept;

  TNotifyEvent OnChange;

 private:
  struct Slot {
    TDzGlyphList* list = nullptr;
    int index = -1;
  };
  void ClearCells() noexcept;
  void Changed();
  Image RenderCell(int state, const Canvas& colours) const;

  Image bitmap_;
  int numGlyphs_ = 1;
  bool uncoloured_ = false;
  std::array<Slot, 9> cellCache_{};
};

}  // namespace dz
