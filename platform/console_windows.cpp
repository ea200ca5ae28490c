#include "platform/console.hpp"

// The C runtime gives a program started without a console or with a closed
// standard handle streams that fail on their own; its files never take them.
void garder_flux_standard() {}
