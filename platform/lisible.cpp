#include "platform/lisible.hpp"

std::string lisible(std::string_view octets, bool ascii_seul)
{
    const char chiffres[] = "0123456789ABCDEF";
    std::string montre;
    for (const char c : octets) {
        const unsigned char octet = static_cast<unsigned char>(c);
        if (octet < 0x20 || octet == 0x7F || (ascii_seul && octet > 0x7E))
            montre += {'\\', 'x', chiffres[octet >> 4], chiffres[octet & 0xF]};
        else
            montre += c;
    }
    return montre;
}
