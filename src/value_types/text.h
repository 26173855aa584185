// Building standard strings from C text handed in by callers.
#ifndef QUILLMARC_SRC_VALUE_TYPES_TEXT_H
#define QUILLMARC_SRC_VALUE_TYPES_TEXT_H

#include <stdexcept>
#include <string>

namespace quillmarc {

// The library promises one message for a NULL text wherever one becomes a
// string, whatever wording the standard library in use would choose.
[[noreturn]] inline void throw_null_text() {
  throw std::logic_error("basic_string::_M_construct null not valid");
}

template <class Unit>
std::basic_string<Unit> string_from_text(const Unit* text) {
  if (text == nullptr) throw_null_text();
  return std::basic_string<Unit>(text);
}

}  // namespace quillmarc

#endif
