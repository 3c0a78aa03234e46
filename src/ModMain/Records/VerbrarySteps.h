// The Verbrary rewrite: one field per line, tag, indicators and each subfield
// separated by tabs, subfields introduced by "|", the punctuation before the
// next subfield kept. «245⇥10⇥|aTitle :⇥|bsub /⇥|cAuthor.␍␊650⇥#7⇥|aX⇥|xY.␍␊»
// becomes «245=10$aTitle$bsub$cAuthor%650=#7$aX%650=##$aY%». The first line's
// tag is found at the start of the text, so no start marker goes in front.
#pragma once

#include "ModMain/Records/Rewrite.h"

namespace velmora::records {

inline constexpr RewriteStep kVerbrarySteps[] = {
    // «245⇥10⇥|aTitle» -> «245=10⇥|aTitle»: the tab after the tag of a line
    // (at the start of the text or after a CRLF) becomes "=". Only there: a
    // tab after a value that ends in three digits («|aPrinted 1998⇥|5x», an
    // ISBN before «|c») stays a tab and ends the value as any other does.
    /*  1 */ RewriteStep::FieldStartTags(text::kCrlf, u"\t", u"", u"="),
    /*  2 */ RewriteStep::Substitute(u"\t|", u"$"),  // «10⇥|aTitle» -> «10$aTitle»
    /*  3 */ RewriteStep::Substitute(u" |", u"$"),
    /*  4 */ RewriteStep::Substitute(u" :", u""),  // «Title :$bsub» -> «Title$bsub»
    /*  5 */ RewriteStep::Substitute(u" ;", u""),
    /*  6 */ RewriteStep::Substitute(u" ,", u""),
    /*  7 */ RewriteStep::Substitute(u" /", u""),
    /*  8 */ RewriteStep::Substitute(u"|", u"$"),
    // «650=#7$aX$xY» -> «650=#7$aX%650=##$aY»: on a subject line (its first
    // character is "6") every general subdivision starts a new topical
    // heading 650. On other lines "$x" is a subfield of its own field (a
    // series ISSN in 490) and stays.
    /*  9 */ RewriteStep::InLinesStartingWith(u"6", u"$x", u"%650=##$a"),
    // The punctuation that ends a subfield or a field.
    /* 10 */ RewriteStep::Substitute(u".$", u"$"),
    /* 11 */ RewriteStep::Substitute(u",$", u"$"),
    /* 12 */ RewriteStep::Substitute(text::kCrlf, u"%"),
    /* 13 */ RewriteStep::Substitute(u".%", u"%"),  // «Author.%» -> «Author%»
};

}  // namespace velmora::records
