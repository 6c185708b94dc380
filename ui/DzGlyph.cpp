#include "ui/DzGlyph.h"

#include <algorithm>

#include "runtime/Exceptions.h"
#include "ui/Canvas.h"

namespace dz {

namespace {

std::unique_ptr<TDzGlyphCache> g_cache;
int g_holders = 0;

Image CutCell(const Image& strip, int index, int width) {
  Image cell;
  cell.Width = width;
  cell.Height = strip.Height;
  cell.Pixels.reserve(static_cast<std::size_t>(width) * strip.Height);
  for (int y = 0; y < strip.Height; ++y) {
    for (int x = 0; x < width; ++x) cell.Pixels.push_back(strip.At(index * width + x, y));
  }
  return cell;
}

}  // namespace

int GlyphCellIndex(int state, int numGlyphs, bool uncoloured) noexcept {
  if (state == 1) return 1;
  if (state > numGlyphs - 1) return uncoloured ? (state == 6 ? 4 : 2) : 0;
  return state;
}

Image EmbossedCell(const Image& cell, TColor transparent, TColor light, TColor shadow) {
  Image out = cell;
  std::fill(out.Pixels.begin(), out.Pixels.end(), transparent);
  const auto paint = [&](int dx, int dy, TColor colour) {
    for (int y = 0; y < cell.Height; ++y) {
      for (int x = 0; x < cell.Width; ++x) {
        const int tx = x + dx, ty = y + dy;
        if (cell.At(x, y) != clBlack || tx >= cell.Width || ty >= cell.Height) continue;
        out.Pixels[static_cast<std::size_t>(ty) * cell.Width + tx] = colour;
      }
    }
  };
  paint(1, 1, light);
  paint(0, 0, shadow);
  return out;
}

// --- TDzGlyphList -----------------------------------------------------------

int TDzGlyphList::Add(Picture cell) {
  auto free = std::find_if(cells_.begin(), cells_.end(), [](const auto& c) { return !c; });
  if (free == cells_.end()) free = cells_.insert(cells_.end(), std::nullopt);
  *free = std::move(cell);
  ++count_;
  return static_cast<int>(free - cells_.begin());
}

void TDzGlyphList::Delete(int index) noexcept {
  if (index < 0 || index >= static_cast<int>(cells_.size())) return;
  auto& cell = cells_[static_cast<std::size_t>(index)];
  if (!cell) return;
  cell.reset();
  --count_;
}

// --- TDzGlyphCache ----------------------------------------------------------

TDzGlyphCache* TDzGlyphCache::Current() noexcept { return g_cache.get(); }

TDzGlyphList& TDzGlyphCache::ListFor(int width, int height) {
  for (auto& list : lists_) {
    if (list->Width() == width && list->Height() == height) return *list;
  }
  lists_.push_back(std::make_unique<TDzGlyphList>(width, height));
  return *lists_.back();
}

void TDzGlyphCache::Release(TDzGlyphList& list, int index) noexcept {
  list.Delete(index);
  if (list.Count() > 0) return;
  std::erase_if(lists_, [&](const auto& l) { return l.get() == &list; });
}

// --- TDzGlyph ---------------------------------------------------------------

TDzGlyph::TDzGlyph() {
  if (!g_cache) g_cache = std::make_unique<TDzGlyphCache>();
  ++g_holders;
}

TDzGlyph::~TDzGlyph() {
  ClearCells();
  if (--g_holders == 0) g_cache.reset();
}

void TDzGlyph::Changed() {
  if (OnChange) OnChange(this);
}

void TDzGlyph::SetBitmap(Image bitmap) {
  ClearCells();
  bitmap_ = std::move(bitmap);
  Changed();
}

void TDzGlyph::SetNumGlyphs(int n) {
  if (n < 1 || n > 5) throw ERangeError();
  if (n == numGlyphs_) return;
  ClearCells();
  numGlyphs_ = n;
  Changed();
}

void TDzGlyph::SetUncoloured(bool on) {
  if (on == uncoloured_) return;
  ClearCells();
  uncoloured_ = on;
  Changed();
}

void TDzGlyph::ClearCells() noexcept {
  for (Slot& slot : cellCache_) {
    if (slot.list) g_cache->Release(*slot.list, slot.index);
    slot = {};
  }
}

int TDzGlyph::RenderedCells() const noexcept {
  return static_cast<int>(std::count_if(cellCache_.begin(), cellCache_.end(),
                                        [](const Slot& s) { return s.list != nullptr; }));
}

Image TDzGlyph::RenderCell(int state, const Canvas& colours) const {
  const int width = bitmap_.Width / numGlyphs_;
  const int index = GlyphCellIndex(state, numGlyphs_, uncoloured_);
  if (index < numGlyphs_) return CutCell(bitmap_, index, width);
  if (index == 1) {
    return EmbossedCell(CutCell(bitmap_, 0, width), TransparentColor(),
                        colours.ResolveColor(clBtnHighlight), colours.ResolveColor(clBtnShadow));
  }
  return CutCell(bitmap_, 0, width);
}

const Picture* TDzGlyph::CellFor(int state, const Canvas& colours) {
  if (state < 0 || state >= static_cast<int>(cellCache_.size())) return nullptr;
  if (bitmap_.Empty() || bitmap_.Width / numGlyphs_ == 0) return nullptr;
  Slot& slot = cellCache_[static_cast<std::size_t>(state)];
  if (!slot.list) {
    Image cell = RenderCell(state, colours);
    TDzGlyphList& list = g_cache->ListFor(cell.Width, cell.Height);
    const int index = list.Add(Picture(std::move(cell), TransparentColor()));
    slot = {&list, index};
  }
  return &slot.list->Cell(slot.index);
}

}  // namespace dz
