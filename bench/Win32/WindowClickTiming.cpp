// The native window's full click and its hotkey, timed in-process under Wine
// or on Windows: another program's copy on the clipboard, then the button's
// click through the window's own routing (WM_COMMAND, or WM_HOTKEY), the
// box shown and painted. The same click over the EDIT control the window
// used before its RichEdit box, for comparison. Prints the median and the
// 99th percentile of several clicks per record size, then each step alone.
// A benchmark, not a test: Debian's Google Benchmark has no Windows build,
// so it times itself.
//
//   wine velmora_click_timing.exe [MAX_BYTES]    (default: 2 KB and 1 MB)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "FrmMain/ClipboardText.h"
#include "FrmMain/Handlers.h"
#include "FrmMain/Win32/FrmMain.h"
#include "RecordText.h"

namespace {

using namespace velmora;
using Clock = std::chrono::steady_clock;

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

// The text box as it was: an EDIT control set with SetWindowTextW.
class EditBox final : public frmmain::TextBox {
 public:
  explicit EditBox(HWND form)
      : edit_(::CreateWindowExW(
            WS_EX_CLIENTEDGE, L"EDIT", L"",
            WS_CHILD | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL, 0,
            0, 169, 137, form, nullptr, nullptr, nullptr)) {
    ::SendMessageW(edit_, EM_SETLIMITTEXT, 0, 0);
  }
  void SetText(TextView text) override {
    ::SetWindowTextW(edit_, frmmain::win32::ToWide(text).c_str());
  }
  Text GetText() const override {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(edit_)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(edit_, text.data(), static_cast<int>(text.size()))));
    return frmmain::win32::FromWide(text);
  }
  HWND Handle() const { return edit_; }

 private:
  HWND edit_;
};

double Milliseconds(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Figures {
  double median, p99;
};
Figures Summary(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  const std::size_t p99 = std::min(samples.size() - 1, samples.size() * 99 / 100);
  return {samples[samples.size() / 2], samples[p99]};
}

void Pump() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::size_t maxBytes = argc > 1 ? std::stoul(argv[1]) : std::size_t{1} << 20;
  frmmain::win32::FrmMain form(::GetModuleHandleW(nullptr));
  form.Form_Load();
  std::string error;
  form.StartHotkey(*frmmain::ParseKeyCombination("Ctrl+Alt+Shift+F24", error));
  frmmain::FrmMainPorts& window = form.Ports();
  const auto box = [&form] { return form.ControlWindow(0); };  // replaced after a long text
  QuietMessages messages;
  NoStacking stacking;
  EditBox before(form.Handle());
  frmmain::FrmMainPorts edit{before, window.clipboard, messages, stacking};

  const auto press = [&](const char* control) {
    const std::size_t i =
        static_cast<std::size_t>(frmmain::FindControl(control) - frmmain::kControls);
    const HWND button = form.ControlWindow(i);
    return [&form, button] {
      ::SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
      ::RedrawWindow(form.ControlWindow(0), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    };
  };
  const auto hotkey = [&] {
    ::PostMessageW(form.Handle(), WM_HOTKEY, frmmain::win32::FrmMain::kHotkeyId, 0);
    Pump();
    ::RedrawWindow(box(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  };
  const auto editClick = [&](void (*click)(frmmain::FrmMainPorts&) noexcept) {
    return [&edit, &before, click] {
      click(edit);
      ::RedrawWindow(before.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    };
  };
  struct Case {
    std::string name;
    std::function<void()> click;
  };
  // The hotkey repeats "Libol" once it was pressed.
  window.clipboard.WriteText(bench::SampleRecord(records::SourceId::Libol));
  press("CmdLibol")();
  const std::vector<Case> cases = {
      {"Libol, EDIT (before)", editClick(frmmain::CmdLibol_Click)},
      {"Libol", press("CmdLibol")},
      {"hotkey (Libol)", hotkey},
      {"To Pre-Unicode, EDIT (before)", editClick(frmmain::CmdChuyenMa_Click)},
      {"To Pre-Unicode", press("CmdChuyenMa")},
  };
  for (const std::size_t bytes : {std::size_t{2} << 10, std::size_t{1} << 20}) {
    if (bytes > maxBytes) continue;
    const Text copied = bench::Repeated(bench::SampleRecord(records::SourceId::Libol), bytes / 2);
    const int clicks = bytes < (1 << 20) ? 200 : 5;
    for (const Case& c : cases) {
      std::vector<double> samples;
      for (int i = 0; i < clicks; ++i) {
        window.clipboard.WriteText(copied);
        const Clock::time_point start = Clock::now();
        c.click();
        samples.push_back(Milliseconds(start));
      }
      const Figures figures = Summary(samples);
      std::printf("%-30s %7zu units: median %9.3f ms, p99 %9.3f ms (%d clicks)\n", c.name.c_str(),
                  copied.size(), figures.median, figures.p99, clicks);
    }
  }
  // Each step alone, so that a step that grows faster than its text shows.
  for (const std::size_t bytes : {std::size_t{2} << 10, std::size_t{1} << 20}) {
    if (bytes > maxBytes) continue;
    const Text copied = bench::Repeated(bench::SampleRecord(records::SourceId::Libol), bytes / 2);
    const int times = bytes < (1 << 20) ? 50 : 5;
    const auto step = [&](const char* name, const auto& work) {
      std::vector<double> samples;
      for (int i = 0; i < times; ++i) {
        const Clock::time_point start = Clock::now();
        work();
        samples.push_back(Milliseconds(start));
      }
      std::printf("  %7zu units: %-30s %9.3f ms\n", copied.size(), name, Summary(samples).median);
    };
    auto& rich = static_cast<frmmain::win32::RichEditTextBox&>(window.txtZ3950);
    step("clipboard written", [&] { window.clipboard.WriteText(copied); });
    step("clipboard write checked",
         [&] { frmmain::SetClipboardText(window.clipboard, messages, copied); });
    step("Libol conversion", [&] {
      (void)records::ConvertRecord(records::SourceOf(records::SourceId::Libol), copied);
    });
    step("clipboard read", [&] { (void)window.clipboard.ReadText(); });
    step("box set and shown", [&] {
      rich.SetText(u"");
      rich.Show();
      rich.SetText(copied);
      rich.Show();
    });
    step("box painted",
         [&] { ::RedrawWindow(box(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); });
    step("box read", [&] { (void)rich.GetText(); });
    step("EDIT set (before)", [&] {
      before.SetText(u"");
      before.SetText(copied);
    });
    step("EDIT read (before)", [&] { (void)before.GetText(); });
  }
  return messages.shown == 0 ? 0 : 1;
}
