// Bytes written to a terminal that cannot act on them.
#pragma once

#include <string>
#include <string_view>

// `octets` with each control byte (below 0x20, and 0x7F: escape sequences,
// bells, carriage returns...) written \xHH; with `ascii_seul`, each byte
// above 0x7E too, so that only printable ASCII is left.
std::string lisible(std::string_view octets, bool ascii_seul);
