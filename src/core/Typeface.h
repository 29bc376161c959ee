// The typeface of the program's text: every window's, and the printed pages' where 宋体 is not
// installed. Noto Sans CJK SC (package fonts-noto-cjk, which scripts/bootstrap installs) draws
// the parenthesised numbers ⑴ … ⒇ (U+2474 … U+2487) of the class names as tall as its Han
// characters; the faces fontconfig falls back to draw them at about half that height, where ⒀
// and ⒅ cannot be told apart.
#pragma once

namespace typeface {

inline constexpr const char* kCjkFamily = "Noto Sans CJK SC";

} // namespace typeface
