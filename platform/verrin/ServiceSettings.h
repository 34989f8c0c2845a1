#pragma once
#include "LinkEngine.h"

// Limits of one run of the service: the defaults, overridden from the environment at start so
// that tests and demonstrations can shorten the idle time-out or make the slots few:
// VERRIN_IDLE_TIMEOUT_MS, VERRIN_MAX_TERMINALS, VERRIN_QUEUE_LIMIT.
verrin::LinkLimits readServiceSettings();
