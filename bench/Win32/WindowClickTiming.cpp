// The native window's full click, timed in-process under Wine or on Windows:
// another program's copy on the clipboard, then the button's handler over
// the window's own EDIT control and the clipboard, and the box painted.
// Prints the median of several clicks per record size. A benchmark, not a
// test: Debian's Google Benchmark has no Windows build, so it times itself.
//
//   wine velmora_click_timing.exe
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "FrmMain/ClipboardText.h"
#include "FrmMain/Handlers.h"
#include "FrmMain/Win32/FrmMain.h"
#include "RecordText.h"

namespace {

using namespace velmora;

class QuietMessages final : public frmmain::MessageBox {
 public:
  void Show(TextView) override { ++shown; }
  void ShowFailure(std::string_view) override { ++shown; }
  int shown = 0;
};

class NoStacking final : public frmmain::WindowStacking {
 public:
  void SetOnTop() override {}
  void SetNotOnTop() override {}
};

double MedianMilliseconds(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

}  // namespace

int main() {
  frmmain::FrmMain form(::GetModuleHandleW(nullptr));
  form.Form_Load();
  QuietMessages messages;
  NoStacking stacking;
  frmmain::FrmMainPorts& window = form.Ports();
  frmmain::FrmMainPorts ports{window.txtZ3950, window.clipboard, messages, stacking};
  const HWND box = form.ControlWindow(0);

  struct Case {
    const char* name;
    void (*click)(frmmain::FrmMainPorts&) noexcept;
    std::size_t bytes;
    int clicks;
  };
  const Case cases[] = {
      {"Libol, 2 KB", frmmain::CmdLibol_Click, 2 << 10, 200},
      {"Libol, 1 MB", frmmain::CmdLibol_Click, 1 << 20, 5},
      {"To Pre-Unicode, 2 KB", frmmain::CmdChuyenMa_Click, 2 << 10, 200},
      {"To Pre-Unicode, 1 MB", frmmain::CmdChuyenMa_Click, 1 << 20, 5},
  };
  for (const Case& c : cases) {
    const Text copied = bench::Repeated(bench::SampleRecord(SourceId::Libol), c.bytes / 2);
    std::vector<double> samples;
    for (int i = 0; i < c.clicks; ++i) {
      window.clipboard.WriteText(copied);
      const auto start = std::chrono::steady_clock::now();
      c.click(ports);
      ::RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      samples.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count());
    }
    std::printf("%-22s %9.3f ms (median of %d clicks, %zu code units)\n", c.name,
                MedianMilliseconds(samples), c.clicks, copied.size());
  }
  // Each step of a click alone, so that a step that grows faster than its
  // text shows.
  for (const std::size_t bytes : {std::size_t{2} << 10, std::size_t{1} << 20}) {
    const Text copied = bench::Repeated(bench::SampleRecord(SourceId::Libol), bytes / 2);
    const int times = bytes < (1 << 20) ? 50 : 5;
    const auto step = [&](const char* name, const auto& work) {
      std::vector<double> samples;
      for (int i = 0; i < times; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        samples.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
      }
      std::printf("  %7zu code units: %-22s %9.3f ms\n", copied.size(), name,
                  MedianMilliseconds(samples));
    };
    step("clipboard written", [&] { window.clipboard.WriteText(copied); });
    step("clipboard read", [&] { (void)window.clipboard.ReadText(); });
    step("box set", [&] { window.txtZ3950.SetText(copied); });
    step("box painted", [&] {
      ::InvalidateRect(box, nullptr, TRUE);
      ::UpdateWindow(box);
    });
    step("box read", [&] { (void)window.txtZ3950.GetText(); });
  }
  return messages.shown == 0 ? 0 : 1;
}
