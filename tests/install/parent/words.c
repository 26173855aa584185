/* The parent's own static library. */
const char* parent_greeting(void) { return "parent"; }
