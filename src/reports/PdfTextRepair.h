// The text layer of the PDF files Qt writes, made to read back as it was written: every
// font's ToUnicode CMap gets the radicals Noto Sans CJK shares glyphs with mapped back to
// their ideographs (ToUnicodeRepair.h), so pdftotext, copying and searching give "初一⑴",
// not "初⼀⑴". The glyphs on the page do not change.
//
// The file is understood as Qt 6 lays it out, and only so: "%PDF-", objects "N 0 obj …
// endobj" at the offsets of one classic xref table, a trailer without /Prev or /Encrypt,
// "startxref" and "%%EOF" at the end; each ToUnicode an indirect stream whose dictionary
// holds /Length (a number or a reference to one) and at most /Filter /FlateDecode. The
// repaired streams are written in the form they came in (deflated again where they were
// deflated), their lengths updated, the xref table written with the new offsets; every other
// byte stays as it was. Anything else (a cut-short file, not a PDF at all, object streams,
// an incremental update, a CMap it cannot read) is left exactly as it was.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace reports {

// The repaired file, or nullopt when it stays as it is (nothing to repair, or not understood).
std::optional<std::string> repairedPdfText(std::string_view pdf);

// The same on a file, rewritten in place only when something changes. false when the file
// cannot be read or written back (then it may be cut short: the caller discards it).
bool repairPdfTextFile(const std::filesystem::path& file);

} // namespace reports
