// Compiled as part of one layer, with LAYERING_PROBE_HEADER set to a header of another: it compiles
// only when the layer links the other one.
#include LAYERING_PROBE_HEADER
