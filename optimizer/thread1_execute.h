#pragma once
#include "optimizer/optimization_host.h"

namespace qm {

// The optimization, run on the worker thread: frees the chosen amount of RAM,
// writes the TCP/IP table for this Windows and the connection limits for the
// line speed, asks to restart, and fills the progress bar.
void Thread1Execute(OptimizationHost& host);

} // namespace qm
