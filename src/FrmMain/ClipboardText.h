// The clipboard transfer of every conversion command, over the Clipboard and
// MessageBox ports.
#pragma once

#include "FrmMain/Ports.h"

namespace velmora::frmmain {

// The clipboard's text up to its first NUL, every line break (CRLF, LF, CR)
// as CRLF. When there is none (an image only, or text announced but not
// obtainable), tells the user why and gives nothing.
std::optional<Text> GetClipboardText(Clipboard& clipboard, MessageBox& messages);

// Replaces the clipboard's content by `text` up to its first NUL. Tells the
// user when the clipboard does not offer that text afterwards (another
// program's older text does not count as success).
void SetClipboardText(Clipboard& clipboard, MessageBox& messages, TextView text);

// `text` up to, not including, its first NUL.
TextView UpToFirstNul(TextView text);

// Whether a and b are the same text once every line break (CRLF, LF, CR) is
// taken as one and the same break: what a clipboard that converts line breaks
// for its platform gives back for what it was given.
bool SameTextAcrossLineBreaks(TextView a, TextView b);

}  // namespace velmora::frmmain
