// Building standard strings from C text handed in by callers.
#ifndef QUILLMARC_SRC_VALUE_TYPES_TEXT_H
#define QUILLMARC_SRC_VALUE_TYPES_TEXT_H

#include <string>

#include "value_types/checks.h"

namespace quillmarc {

// A NULL text raises the library's own message wherever one becomes a
// string, whatever wording the standard library in use would choose.
template <class Unit>
std::basic_string<Unit> string_from_text(const Unit* text) {
  if (text == nullptr) fail::null_text();
  return std::basic_string<Unit>(text);
}

}  // namespace quillmarc

#endif
