// The text layer of a font in a PDF: its ToUnicode CMap, the table that tells a reader which
// characters each glyph stands for. Noto Sans CJK draws a Kangxi radical (U+2F00 ⼀) and the
// ideograph it looks like (U+4E00 一) with one glyph, and Qt's PDF engine keeps the lowest
// code point per glyph, so copying, searching and pdftotext read "初⼀" where "初一" was
// written. repairedToUnicode() maps every such radical (U+2E80 … U+2FDF) back to the single
// character its NFKC compatibility form is; radicals without one (⻚) and every other
// destination stay as they are.
//
// Only the bfchar and bfrange sections are touched, every other byte of the CMap is kept.
// A range "<lo> <hi> <dst>" whose destinations take in a radical is written out as an
// array "<lo> <hi> [<d> …]" (the same entry, so the section's count stays right). Text
// this does not understand (a section with anything but hex strings and arrays in it, an
// unterminated string or section) gives nullopt: the caller keeps the CMap as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace reports {

// The CMap with the radicals mapped back; the same text when there is nothing to change.
std::optional<std::string> repairedToUnicode(std::string_view cmap);

} // namespace reports
