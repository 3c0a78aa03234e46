// The 008 (fixed-length data elements) that MARC 21 requires of every
// bibliographic record, made minimal for a record that has none: only what
// the record itself says, fill characters "|" for everything else.
#pragma once

#include "MarcExchange/MarcRecord.h"

namespace velmora::marc_exchange {

struct CalendarDate {
  int year = 1970;
  int month = 1;  // 1-12
  int day = 1;    // 1-31
};

// The 40 characters of the 008, for a book:
//   00-05  date entered on file, yymmdd
//   06     s (a single known date) and 07-10 the year, when the first 260
//          or 264 whose $c holds a year of four digits gives one
//          («$cc2019.» gives 2019); else "|" and "||||"
//   15-17  place of publication "vm " (Vietnam)
//   35-37  language: the first 041 $a when it begins with a three-letter
//          code («vie», «eng»), in lowercase; else "vie"
//   every other position the fill character "|"
// «250314s2019||||vm |||||||||||||||||vie||»
Text MinimalFixedField008(const MarcRecord& record, const CalendarDate& dateEntered);

// Makes `record` what a MARC 21 importer expects: a minimal 008 added when it
// has none (and has some field), then every field in tag order.
void CompleteForExchange(MarcRecord& record, const CalendarDate& dateEntered);

}  // namespace velmora::marc_exchange
