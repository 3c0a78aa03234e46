#include "FrmMain/ClipboardText.h"

#include "ModMain/Text/LineBreaks.h"

namespace velmora::frmmain {
namespace {

constexpr char16_t kNul = u'\0';

// Reads one character or line break at `i` and steps past it; a line break
// of any convention reads as LF.
char16_t NextUnit(TextView s, std::size_t& i) {
  const char16_t ch = s[i++];
  if (ch != text::kCarriageReturn) return ch;
  if (i < s.size() && s[i] == text::kLineFeed) ++i;
  return text::kLineFeed;
}

}  // namespace

TextView UpToFirstNul(TextView text) {
  return text.substr(0, text.find(kNul));
}

bool SameTextAcrossLineBreaks(TextView a, TextView b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (NextUnit(a, i) != NextUnit(b, j)) return false;
  }
  return i == a.size() && j == b.size();
}

std::optional<Text> GetClipboardText(Clipboard& clipboard, MessageBox& messages) {
  if (!clipboard.OffersText()) {
    messages.Show(kClipboardTextNotAvailable);
    return std::nullopt;
  }
  const std::optional<Text> text = clipboard.ReadText();
  if (!text) {
    messages.Show(kFailedToGetClipboardText);
    return std::nullopt;
  }
  return text::NormaliseLineBreaks(UpToFirstNul(*text));
}

void SetClipboardText(Clipboard& clipboard, MessageBox& messages, TextView text) {
  const TextView written = UpToFirstNul(text);
  clipboard.WriteText(written);
  // The write counts only when the clipboard now offers what was written: a
  // refused write can leave another program's text behind.
  const std::optional<Text> offered = clipboard.OffersText() ? clipboard.ReadText() : std::nullopt;
  if (!offered || !SameTextAcrossLineBreaks(UpToFirstNul(*offered), written)) {
    messages.Show(kFailedToSetClipboardText);
  }
}

}  // namespace velmora::frmmain
