#pragma once

namespace caplift {

// Makes an interrupt, a hang-up or a termination request remove the temporary files of outputs
// not yet committed before it ends the process as it would have. Call it first in main(), before
// any other thread starts: the signals are taken from every thread and waited for in one of
// their own. A signal that the caller ignores stays ignored.
void removeTemporariesOnSignals();

}  // namespace caplift
