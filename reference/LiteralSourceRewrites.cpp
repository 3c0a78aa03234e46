#include "reference/LiteralSourceRewrites.h"

#include <vector>

#include "reference/LiteralRewrites.h"

namespace velmora::reference {

Text LiteralLacVietRewrite(Text s) {
  s = text::Replace(s, u"\t", u"");
  s = text::Replace(s, u"|", u"$");
  s = text::Replace(s, u"=$", u"$");
  s = ReplaceEachTagLiterally(std::move(s), text::kCrlf, u"", text::kCrlf, u"=");
  s = text::Replace(s, u" $", u"$");
  s = text::Replace(s, text::kStartMarker, u"");
  s = text::Replace(s, u"_", u"#");
  s = text::Replace(s, u"  ", u"");
  s = text::Replace(s, text::kCrlf, u"%");
  s = text::Replace(s, u"==#", u"=#");
  return s;
}

namespace {

// For c = 1 to 999, the tab after a line's tag c becomes "=": a line break
// put in front lets the first line's tag be found like every other.
Text LiteralMarkLineTags(Text s) {
  s = ReplaceEachTagLiterally(Text(text::kCrlf) + s, text::kCrlf, u"\t", text::kCrlf, u"=");
  return s.substr(text::kCrlf.size());
}

// "$x" becomes "%650=##$a" on the lines that begin with "6".
Text LiteralSplitSubjectSubdivisions(const Text& s) {
  std::vector<Text> lines;
  for (std::size_t from = 0;;) {
    const std::size_t lineBreak = s.find(text::kCrlf, from);
    lines.push_back(s.substr(from, lineBreak == Text::npos ? Text::npos : lineBreak - from));
    if (lineBreak == Text::npos) break;
    from = lineBreak + 2;
  }
  Text out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += text::kCrlf;
    out += lines[i].starts_with(u'6') ? text::Replace(lines[i], u"$x", u"%650=##$a") : lines[i];
  }
  return out;
}

}  // namespace

Text LiteralVerbraryRewrite(Text s) {
  s = LiteralMarkLineTags(std::move(s));
  s = text::Replace(s, u"\t|", u"$");
  s = text::Replace(s, u" |", u"$");
  s = text::Replace(s, u" :", u"");
  s = text::Replace(s, u" ;", u"");
  s = text::Replace(s, u" ,", u"");
  s = text::Replace(s, u" /", u"");
  s = text::Replace(s, u"|", u"$");
  s = LiteralSplitSubjectSubdivisions(s);
  s = text::Replace(s, u".$", u"$");
  s = text::Replace(s, u",$", u"$");
  s = text::Replace(s, text::kCrlf, u"%");
  s = text::Replace(s, u".%", u"%");
  return s;
}

std::span<const TextView> SourceLayoutPieces() {
  static const std::vector<TextView> pieces = [] {
    std::vector<TextView> all(RecordPieces().begin(), RecordPieces().end());
    for (TextView extra : {u"|a", u"|x", u"$x", u"x", u"\t|", u" |", u" :", u" ;", u" ,", u" /",
                           u"_", u"6", u"650\t", u"\r\n6", u"\r\n650\t", u".", u",", u"3\t"}) {
      all.push_back(extra);
    }
    return all;
  }();
  return pieces;
}

}  // namespace velmora::reference
