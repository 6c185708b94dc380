#pragma once
// Theme port: the desktop's visual style for button faces. Installed as
// CurrentPlatform().theme; without one every face is drawn classic. The
// Win32 side draws with the platform's visual-style library, loaded at run
// time; tests draw a recognisable stand-in (tests/fakes/RasterCanvas.h).
#include <cstdint>

#include "ui/Graphics.h"

namespace dz {

class Canvas;

// The parts a glyph button draws: a push button, a combo box's drop-down
// button, a toolbar button.
enum class ThemePart { PushButton, DropDownButton, ToolbarButton };
// The states of every such part, numbered as the platform numbers them.
enum class ThemeState { Normal = 1, Hot = 2, Pressed = 3, Disabled = 4 };

class ButtonTheme {
 public:
  virtual ~ButtonTheme() = default;
  // A visual style is active for the desktop now (false when the platform's
  // theme library could not be loaded).
  virtual bool VisualStyleActive() = 0;
  // Draws `part` in `state` into `rect` on `canvas`, clipped to `clip`, for
  // the native window `window` (0: none). False when nothing could be drawn.
  virtual bool DrawPart(Canvas& canvas, std::uintptr_t window, ThemePart part, ThemeState state,
                        const TRect& rect, const TRect& clip) = 0;
  // Where the part's content goes inside `rect` (rect itself when unknown).
  virtual TRect ContentRect(Canvas& canvas, std::uintptr_t window, ThemePart part, ThemeState state,
                            const TRect& rect) = 0;
};

}  // namespace dz
