#include "support/WrittenText.h"

#include <stdexcept>

#include "Encodings/CodePage.h"
#include "Encodings/Codecs.h"
#include "Encodings/Marc8Encoder.h"
#include "Encodings/Normalization.h"
#include "Encodings/Utf8.h"

namespace velmora::test {
namespace {

using encodings::Representation;

// UTF-8 read as Windows-1252 and written again as UTF-8, `times` times:
// «Nguyễn» becomes «Nguyá»…n».
std::string Misread(std::string utf8, int times) {
  for (int i = 0; i < times; ++i) {
    Text read;
    encodings::Windows1252().Decode(utf8, read);
    utf8 = encodings::EncodeUtf8(read);
  }
  return utf8;
}

std::string Checked(bool written, std::string bytes) {
  if (!written) throw std::invalid_argument("the text cannot be written as the test asks");
  return bytes;
}

std::string EightBit(Representation representation, TextView text) {
  std::string out;
  encodings::EncodeReport report;
  const bool written = encodings::EncodeRepresentation(representation, text, {}, out, report);
  return Checked(written, std::move(out));
}

}  // namespace

std::string WrittenAs(Written as, TextView text) {
  switch (as) {
    case Written::Utf8:
      return encodings::EncodeUtf8(text);
    case Written::Nfd:
      return encodings::EncodeUtf8(encodings::ToNfd(text));
    case Written::DoubleUtf8:
      return Misread(encodings::EncodeUtf8(text), 1);
    case Written::TripleUtf8:
      return Misread(encodings::EncodeUtf8(text), 2);
    case Written::Marc8: {
      std::string out;
      encodings::EncodeReport report;
      const bool written = encodings::EncodeMarc8(text, {}, out, report);
      return Checked(written, std::move(out));
    }
    case Written::Tcvn3:
      return EightBit(Representation::Tcvn3, text);
    case Written::Vni:
      return EightBit(Representation::Vni, text);
    case Written::Cp1258:
      return EightBit(Representation::Cp1258, text);
    case Written::Viscii:
      return EightBit(Representation::Viscii, text);
    case Written::Tcvn5712:
      return EightBit(Representation::Tcvn5712, text);
  }
  throw std::invalid_argument("no such way of writing");
}

}  // namespace velmora::test
