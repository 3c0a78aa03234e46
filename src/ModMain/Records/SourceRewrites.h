// The rewrite of each source system: its ordered steps, from the copied text
// (line breaks as CRLF, the start marker in front where the source's row says
// so) to the working text. Each is defined in the source's own file.
#pragma once

#include "ModMain/Text/Text.h"

namespace velmora::records {

// Libol: one field per line, «245    10$aTitle $bSub».
// «ZZZZ␍␊245    10$aTitle $bSub» becomes «245=10$aTitle$bSub».
Text LibolRewrite(Text s);

// LacViet and Emiclib (both systems copy the same layout): one field per
// line, the tag, a tab, the indicators with "_" for a blank one, subfields
// introduced by "|". «ZZZZ␍␊245⇥10|aTitle|bSub␍␊100⇥1_|aAuthor» becomes
// «245=10$aTitle$bSub%100=1#$aAuthor».
Text LacVietRewrite(Text s);

// Verbrary: one field per line, tag, indicators and each subfield separated
// by tabs, subfields introduced by "|", the punctuation before the next
// subfield kept; no start marker. «245⇥10⇥|aTitle :⇥|bsub /⇥|cAuthor.␍␊
// 650⇥#7⇥|aX⇥|xY.␍␊» becomes «245=10$aTitle$bsub$cAuthor%650=#7$aX%650=##$aY%».
Text VerbraryRewrite(Text s);

// iLib: one field per line, its columns separated by tabs.
// «ZZZZ␍␊245⇥10⇥a⇥Title⇥b⇥Sub» becomes «245=10$aTitle$bSub».
Text IlibRewrite(Text s);

// Hue, Hai Phong: one field per line, the tag and indicators run together
// and two spaces before each subfield code. «ZZZZ␍␊24510  aTitle» becomes
// «245=10$aTitle».
Text HueRewrite(Text s);

}  // namespace velmora::records
