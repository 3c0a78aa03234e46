// NFC and NFD of any text, lone surrogates included:
//  - each form is idempotent, and each of the other: NFC(NFD(x)) == NFC(x),
//    NFD(NFC(x)) == NFD(x);
//  - IsNfc says whether NFC changes the text, and the in-place NFC equals it;
//  - the forms grow a text at most four times (Unicode's bound on
//    decomposition), so the work stays linear.
#include "Encodings/Normalization.h"
#include "FuzzSupport.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const Text text = input.RestAsText();
  const Text nfc = encodings::ToNfc(text);
  const Text nfd = encodings::ToNfd(text);
  FUZZ_CHECK(nfc.size() <= 4 * text.size() && nfd.size() <= 4 * text.size(), {"text", text});
  FUZZ_CHECK(encodings::ToNfc(nfc) == nfc, {"text", text}, {"nfc", nfc});
  FUZZ_CHECK(encodings::ToNfd(nfd) == nfd, {"text", text}, {"nfd", nfd});
  FUZZ_CHECK(encodings::ToNfc(nfd) == nfc, {"text", text}, {"nfc", nfc}, {"nfd", nfd});
  FUZZ_CHECK(encodings::ToNfd(nfc) == nfd, {"text", text}, {"nfc", nfc}, {"nfd", nfd});
  FUZZ_CHECK(encodings::IsNfc(text) == (nfc == text), {"text", text});
  FUZZ_CHECK(encodings::IsNfc(nfc), {"nfc", nfc});
  Text inPlace = text;
  encodings::ToNfcInPlace(inPlace);
  FUZZ_CHECK(inPlace == nfc, {"text", text}, {"in place", inPlace});
  return 0;
}
