// GBK text helpers. Text lives in memory and in the database as UTF-8; every length
// rule of the system is a GBK byte count, and reports are GBK byte files. This file is
// the only place that knows how many bytes a character takes in GBK.
//
// - width(): GBK byte count of a UTF-8 text. A character GBK cannot encode counts as 2
//   (the widest a character can be), so a cut never overruns a field; encodable() tells
//   whether such characters are present.
// - cut(): the longest prefix whose width is at most n bytes, never half a character.
// - isBlank(): width below the minimum (4 bytes, two Chinese characters, by default).
// - toGbk()/fromGbk(): conversions; toGbk() refuses (nullopt) text GBK cannot encode.
// Invalid UTF-8 is treated as not encodable.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace gbk {

// Bytes one Unicode scalar takes in GBK: 1 or 2, 0 when GBK cannot encode it.
int charWidth(char32_t ch);

std::size_t width(std::string_view utf8);

bool encodable(std::string_view utf8);

// The first character GBK cannot encode, as UTF-8, or empty when all can be encoded.
std::string firstUnencodable(std::string_view utf8);

std::string cut(std::string_view utf8, std::size_t maxBytes);

inline constexpr std::size_t kBlankBelow = 4;

inline bool isBlank(std::string_view utf8, std::size_t minBytes = kBlankBelow) {
    return width(utf8) < minBytes;
}

std::optional<std::string> toGbk(std::string_view utf8);

// Decodes GBK bytes; a byte sequence that is not valid GBK decodes to U+FFFD for that
// byte, so a damaged file still shows its readable parts.
std::string fromGbk(std::string_view gbkBytes);

// Splits off one UTF-8 scalar at the front of text: returns its byte length (>= 1) and
// stores the scalar, or U+FFFD for an invalid sequence (length 1).
std::size_t decodeUtf8(std::string_view text, char32_t& out);

void appendUtf8(std::string& out, char32_t ch);

} // namespace gbk
