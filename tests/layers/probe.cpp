// Names one header (PROBE_HEADER, set by the build): it compiles only if the target's include
// roots expose that header's layer.
#include PROBE_HEADER
