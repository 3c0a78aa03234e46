// Which library system's layout a copied record has, told from the shape of
// its field lines alone:
//
//   Libol              «245    10$aTitle $bSub»
//   LacViet, Emiclib   «245⇥10|aTitle|bSub»
//   Verbrary           «245⇥10⇥|aTitle :⇥|bSub»
//   iLib               «245⇥10⇥a⇥Title⇥b⇥Sub»
//   Hue, Hai Phong     «24510  aTitle  bSub»
#pragma once

#include <string_view>

#include "ModMain/Text/Text.h"

namespace velmora::records {

enum class SourceLayout {
  None,  // no record, or a text that fits no layout or more than one
  Libol,
  LacVietEmiclib,  // both systems copy the same layout
  Verbrary,
  Ilib,
  Hue,
};

// The layout of the copied text, or None when it cannot be told: a text
// without data field lines, one whose lines fit different layouts, or one
// that most of its field lines do not fit. Line breaks may be CRLF, LF or CR.
// Linear in the length of the text.
SourceLayout RecognizeSourceLayout(TextView copied);

// The systems that copy the layout, as a cataloguer names them: "Libol",
// "LacViet or Emiclib", "Verbrary", "iLib", "Hue, Hai Phong"; "" for None.
std::string_view SourceLayoutName(SourceLayout layout);

// Whether English writes «an» before a system's name (a layout's or a
// source's): «an iLib record», «an Emiclib record», «a Libol record». The
// messages write each sentence out whole with its article, so that a
// translation has both to translate.
bool NameTakesAn(std::string_view name);

}  // namespace velmora::records
