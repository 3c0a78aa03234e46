// The window's full click in-process: clipboard in, the Libol conversion,
// the box set and read back twice, clipboard out, and the box painted. Each
// step alone too, so that a step growing faster than its text shows. Runs on
// the offscreen platform unless QT_QPA_PLATFORM says otherwise (under
// xvfb-run, "xcb" goes through a real X server).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QProcess>
#include <QThread>

#include "FrmMain/ClipboardText.h"
#include "FrmMain/Handlers.h"
#include "FrmMain/Qt/FrmMain.h"
#include "FrmMain/Qt/QtText.h"
#include "ModMain/Records/Sources.h"
#include "Throughput.h"

namespace velmora::bench {
namespace {

using frmmain::qt::FrmMain;

frmmain::qt::FrmMain* window = nullptr;

Text Copied(benchmark::State& state) {
  return Repeated(SampleRecord(records::SourceId::Libol),
                  static_cast<std::size_t>(state.range(0)) / 2);
}

// Another program's copy on the clipboard, then the button's click.
void Click(benchmark::State& state, void (*click)(frmmain::FrmMainPorts&) noexcept) {
  const QString copied = frmmain::qt::ToQString(Copied(state));
  for (auto _ : state) {
    state.PauseTiming();
    QGuiApplication::clipboard()->setText(copied);
    QCoreApplication::processEvents();
    state.ResumeTiming();
    click(window->Ports());
    window->findChild<QPlainTextEdit*>(QStringLiteral("TxtZ3950"))->viewport()->repaint();
  }
  SetBytes(state, frmmain::qt::ToText(copied));
}

// The record rebuild keeps one record's fields, so little goes out.
void BM_WindowClickLibol(benchmark::State& state) {
  Click(state, frmmain::CmdLibol_Click);
}

// "To Pre-Unicode" gives back a text as long as the copied one: the box
// and the clipboard carry the whole size both ways.
void BM_WindowClickPreUnicode(benchmark::State& state) {
  Click(state, frmmain::CmdChuyenMa_Click);
}

// On a real X server only: the copied text is served by another program
// (xclip), as when a cataloguer copies from a library system, so the click
// reads it across the X server.
void BM_WindowClickLibolFromAnotherProgram(benchmark::State& state) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) {
    state.SkipWithError("needs QT_QPA_PLATFORM=xcb and an X server with xclip");
    return;
  }
  const QByteArray copied = frmmain::qt::ToQString(Copied(state)).toUtf8();
  for (auto _ : state) {
    state.PauseTiming();
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"), {QStringLiteral("-quiet"), QStringLiteral("-selection"),
                                          QStringLiteral("clipboard"), QStringLiteral("-i")});
    xclip.write(copied);
    xclip.closeWriteChannel();
    while (QGuiApplication::clipboard()->ownsClipboard()) {  // until xclip serves it
      QCoreApplication::processEvents();
      QThread::msleep(5);
    }
    QThread::msleep(100);
    state.ResumeTiming();
    frmmain::CmdLibol_Click(window->Ports());
    window->findChild<QPlainTextEdit*>(QStringLiteral("TxtZ3950"))->viewport()->repaint();
    state.PauseTiming();
    xclip.waitForFinished();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * copied.size()));
}

void BM_StepClipboardIn(benchmark::State& state) {
  const QString copied = frmmain::qt::ToQString(Copied(state));
  QGuiApplication::clipboard()->setText(copied);
  frmmain::FrmMainPorts& ports = window->Ports();
  for (auto _ : state)
    benchmark::DoNotOptimize(frmmain::GetClipboardText(ports.clipboard, ports.messages));
  SetBytes(state, frmmain::qt::ToText(copied));
}

void BM_StepConvertLibol(benchmark::State& state) {
  const Text copied = Copied(state);
  for (auto _ : state)
    benchmark::DoNotOptimize(
        records::ConvertRecord(records::SourceOf(records::SourceId::Libol), copied));
  SetBytes(state, copied);
}

void BM_StepBoxSetAndReadBack(benchmark::State& state) {
  const Text copied = Copied(state);
  frmmain::TextBox& box = window->Ports().txtZ3950;
  for (auto _ : state) {
    box.SetText(copied);
    benchmark::DoNotOptimize(box.GetText());
  }
  SetBytes(state, copied);
}

void BM_StepClipboardOut(benchmark::State& state) {
  const Text output =
      records::ConvertRecord(records::SourceOf(records::SourceId::Libol), Copied(state));
  frmmain::FrmMainPorts& ports = window->Ports();
  for (auto _ : state) frmmain::SetClipboardText(ports.clipboard, ports.messages, output);
  SetBytes(state, output);
}

#define SIZES ->Arg(2 << 10)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_WindowClickLibol) SIZES->UseRealTime();
BENCHMARK(BM_WindowClickPreUnicode) SIZES->UseRealTime();
BENCHMARK(BM_WindowClickLibolFromAnotherProgram) SIZES->UseRealTime();
BENCHMARK(BM_StepClipboardIn) SIZES;
BENCHMARK(BM_StepConvertLibol) SIZES;
BENCHMARK(BM_StepBoxSetAndReadBack) SIZES;
BENCHMARK(BM_StepClipboardOut) SIZES;

}  // namespace
}  // namespace velmora::bench

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  velmora::frmmain::qt::FrmMain form;
  form.Form_Load();
  velmora::bench::window = &form;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
