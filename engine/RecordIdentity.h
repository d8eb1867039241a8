#pragma once
// Identities of the user's records (constants and conversions) for one run of the program: an
// edited record keeps its identity, so it can be told from a new one even without a name, and
// several windows ending one after another merge their changes by it. Never stored.

// An identity no record of the run has had before; never 0, which marks a record without one.
unsigned NewRecordIdentity();
