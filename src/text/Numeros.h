#pragma once
// Numbers written as text, read by the rules of the platform's conversion: one reader per kind
// of value, shared by the import steps, the export run and the report, so that they never
// disagree about what a value holds.
#include <climits>
#include <optional>
#include <string_view>

#include "text/Texto.h"

namespace pasaplan {

// Which blanks (character 32) a reading lets pass around the number.
enum class Blancos { Ninguno, Delante, Alrededor };

// A whole number in decimal: the blanks that `blancos` allows, an optional "+" or "-", then at
// least one digit and nothing else. Outside [minimo, maximo] it is no number (nullopt), however
// many leading zeros it has.
std::optional<long long> LeerEntero(std::string_view texto, Blancos blancos = Blancos::Ninguno,
                                    long long minimo = INT_MIN, long long maximo = INT_MAX);

// A time of day written as a count of minutes ("480", "+535"): a "0" goes in front of a value
// shorter than four characters, so that the empty value reads 0, then it is a whole number of
// at most nine digits' worth, without blanks.
std::optional<int> LeerMinutos(std::string_view valor);

// A clock text "HH:MM" in minutes: a "0" goes in front of a text shorter than five characters
// ("8:30" reads as "08:30", the empty text gives 0); then its first two and its last two
// characters are each a whole number, leading blanks allowed. When one of them is not, minutos
// is empty and parteMala holds that part.
struct MinutosDeReloj {
    std::optional<long long> minutos;
    Texto parteMala;
};
MinutosDeReloj LeerMinutosReloj(std::string_view hora);

}  // namespace pasaplan
