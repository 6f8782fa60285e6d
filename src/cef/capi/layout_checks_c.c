/* The runtime's records as a C compiler lays them out: every size and offset, pinned. */
#include "layout_checks.inc"
