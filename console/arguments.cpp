#include "console/arguments.hpp"

#include "console/textes.hpp"
#include "platform/lisible.hpp"

#include <algorithm>

namespace {

// What one argument before -- asks for; Demande::dialogue if it is no option.
Demande option(const std::string& argument)
{
    if (argument == "-h" || argument == "--help" || argument == "/?")
        return Demande::aide;
    if (argument == "--version")
        return Demande::version;
    if (argument == "--verifier")
        return Demande::verification;
    return Demande::dialogue;
}

bool est_option(const std::string& argument)
{
    return argument.size() > 1 && argument[0] == '-';
}

} // namespace

constexpr std::size_t reponses_max = 3;

Arguments lire_arguments(const std::vector<std::string>& tous)
{
    const auto fin = std::find(tous.begin(), tous.end(), "--");
    Arguments arguments;
    for (auto a = tous.begin(); a != fin; ++a)
        if (option(*a) == Demande::aide || option(*a) == Demande::version)
            return {option(*a), true, {}, {}};
    for (auto a = tous.begin(); a != tous.end(); ++a) {
        if (a == fin)
            continue;
        if (a > fin || !est_option(*a))
            arguments.noms.push_back(*a);
        else if (option(*a) == Demande::verification)
            arguments.demande = Demande::verification;
        else if (*a == "--sans-pause")
            arguments.pause = false;
        else // written as any name is: its control bytes would act on the terminal
            return {Demande::erreur, true, {}, texte::option_inconnue + lisible(*a, true) + "\n"};
    }
    if (arguments.demande == Demande::verification && arguments.noms.empty())
        return {Demande::erreur, true, {}, texte::aucun_fichier};
    if (arguments.demande == Demande::dialogue && arguments.noms.size() > reponses_max)
        return {Demande::erreur, true, {}, texte::trop_d_arguments};
    return arguments;
}
