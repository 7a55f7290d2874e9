// The bridge's error: its classes descend from the runtime's root, which
// has no report of its own. The text goes to standard error and the caller
// carries on with the failure it answers.
#pragma once

[[gnu::format(printf, 1, 2)]] void tclObjc_error(const char* format, ...);
