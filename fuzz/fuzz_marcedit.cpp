// The MarcEdit export on arbitrary box text: the fast export equals the
// literal one; it is idempotent (text already exported comes back
// unchanged); every "%" becomes one line break and no other break appears
// or goes; the text at most doubles.
#include "FuzzSupport.h"
#include "ModMain/Records/MarcEditExport.h"
#include "ModMain/Records/MarcEditSteps.h"
#include "SourceChecks.h"
#include "reference/LiteralSteps.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const bool compareLiteral = fuzz::IsSampledForDeepCheck(data, size);
  const Text box = input.RestAsText();

  const Text exported = records::ExportMarcEdit(box);
  if (compareLiteral && box.size() <= fuzz::kLiteralLimit) {
    const Text literal = reference::RunStepsLiterally(box, records::kMarcEditSteps);
    FUZZ_CHECK(exported == literal, {"fast export", exported}, {"literal export", literal},
               {"box", box});
  }
  const Text again = records::ExportMarcEdit(exported);
  FUZZ_CHECK(again == exported, {"exported twice", again}, {"exported once", exported},
             {"box", box});
  FUZZ_CHECK(exported.find(text::kFieldSeparator) == Text::npos, {"exported", exported},
             {"box", box});
  FUZZ_CHECK(
      fuzz::Count(exported, text::kCrlf) == fuzz::Count(box, u"%") + fuzz::Count(box, text::kCrlf),
      {"exported", exported}, {"box", box});
  // «245=» (4 units) -> «=245  » (6), «%» -> CRLF
  FUZZ_CHECK(exported.size() <= 2 * box.size(), {"exported", exported}, {"box", box});
  return 0;
}
