// One paint of the window's two rich-text labels on GDI (read the documents,
// lay them out, draw them), beside the same paint with empty documents (the
// background fills alone). The labels read their documents on every paint,
// and the window repaints them every 200 ms while it flashes. Prints plain
// lines; never fails for being slow.
//
//   RichLabelPaintBench [N]   N paints of each kind, interleaved (default 500)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "alarm/Form1Texts.h"
#include "bench/BenchTiming.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/GdiHandles.h"
#include "ui/Forms.h"
#include "ui/RTFLabel.h"

namespace {

using bench::Median;
using bench::NowMs;

double Percentile(std::vector<double> values, double share) {
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
}

}  // namespace

int main(int argc, char** argv) {
  using namespace dz;
  using namespace dz::win32;
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;

  // The labels where the window has them, on a grey form without a window:
  // painted as the form's surface paints its windowless children.
  TForm form(nullptr);
  form.SetColor(clGray);
  auto* label1 = new TRTFLabel(&form);
  label1->SetParent(&form);
  label1->SetBounds(16, 0, 921, 17);
  auto* label2 = new TRTFLabel(&form);
  label2->SetParent(&form);
  label2->SetBounds(16, 16, 905, 17);

  // An off-screen surface like the one each window paint draws on.
  WindowDc screen(nullptr);
  MemoryDc memory(screen.Get());
  Bitmap bitmap(CreateCompatibleBitmap(screen.Get(), 940, 40));
  SelectGuard selected(memory.Get(), bitmap.Get());

  const auto paint = [&](bool withText) {
    label1->SetRichText(withText ? RTFLabel1Document() : std::string());
    label2->SetRichText(withText ? RTFLabel2Document() : std::string());
    const double start = NowMs();
    {
      GdiCanvas canvas(memory.Get());
      form.PaintWindowless(canvas);
    }
    GdiFlush();
    return NowMs() - start;
  };

  paint(true);  // fonts made once, as after the window's first paint
  std::vector<double> full, background;
  for (int i = 0; i < runs; ++i) {
    full.push_back(paint(true));
    background.push_back(paint(false));
  }
  const double fullMedian = Median(full);
  const double backgroundMedian = Median(background);
  std::printf("paints of each kind: %d\n", runs);
  std::printf("both labels, documents read, laid out and drawn: median %.3f ms, 90th percentile %.3f ms\n",
              fullMedian, Percentile(full, 0.9));
  std::printf("both labels, background only:                   median %.3f ms, 90th percentile %.3f ms\n",
              backgroundMedian, Percentile(background, 0.9));
  std::printf("ratio full / background: %.1f\n", backgroundMedian > 0 ? fullMedian / backgroundMedian : 0.0);
  std::printf("share of the 200 ms flash period: %.2f %%\n", fullMedian / 200.0 * 100.0);
  return 0;
}
