#include "Encodings/Detection/SharedRepresentation.h"

#include <string>

#include "Encodings/Codecs.h"
#include "Encodings/Utf8.h"
#include "ModMain/Letters/ConvertCharset.h"

namespace velmora::detection {
namespace {

// The pieces not set aside, a line each.
std::string Lines(std::span<const std::string_view> pieces, const std::vector<bool>& apart) {
  std::string lines;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (apart[i]) continue;
    lines.append(pieces[i]);
    lines.push_back('\n');
  }
  return lines;
}

// `piece` as `representation` reads it: Unicode forms as UTF-8, without a
// byte order mark.
std::optional<Text> ReadAs(encodings::Representation representation, std::string_view piece) {
  if (representation == encodings::Representation::Unicode ||
      representation == encodings::Representation::UnicodeDecomposed) {
    return encodings::DecodeUtf8(piece, nullptr);
  }
  return encodings::DecodeRepresentation(representation, piece);
}

Text JoinedMarks(TextView text) {
  return letters::ConvertCharset(text, letters::CharsetUnicode, letters::CharsetUnicode);
}

// The piece's own guess is a choice, and reads it as another text than the
// shared representation does.
bool ReadsDifferently(std::string_view piece, const RepresentationGuess& own,
                      const RepresentationGuess& shared) {
  if (own.verdict != ReadingVerdict::Chosen) return false;
  const std::optional<Text> asShared = ReadAs(shared.representation, piece);
  return !asShared || JoinedMarks(*asShared) != JoinedMarks(own.reading);
}

}  // namespace

SharedGuess DetectSharedRepresentation(std::span<const std::string_view> pieces) {
  SharedGuess result;
  std::vector<RepresentationGuess> own;
  own.reserve(pieces.size());
  for (const std::string_view piece : pieces) own.push_back(DetectPieceRepresentation(piece));

  std::vector<bool> apart(pieces.size(), false);
  result.shared = DetectPieceRepresentation(Lines(pieces, apart));
  bool anyApart = false, allApart = !pieces.empty();
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    apart[i] = ReadsDifferently(pieces[i], own[i], result.shared);
    anyApart = anyApart || apart[i];
    allApart = allApart && apart[i];
  }
  // A field in another representation spoils every reading of the rest
  // (UTF-8 among TCVN3 bytes leaves no UTF-8 reading): decide without it.
  if (allApart) {
    result.shared = RepresentationGuess{};
  } else if (anyApart) {
    result.shared = DetectPieceRepresentation(Lines(pieces, apart));
  }
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (ReadsDifferently(pieces[i], own[i], result.shared)) {
      result.readDifferently.push_back({i, std::move(own[i])});
    }
  }
  return result;
}

}  // namespace velmora::detection
