#pragma once
// Brazilian sample values for the generated databases: people's and companies' names with
// their accents, addresses, cities, CPF and CNPJ numbers with valid check digits, phone
// numbers, e-mail addresses, bar codes and free-text notes. Every value comes from the
// caller's TRandom, so a seed gives the same values every time. All texts fit Windows-1252.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Random.h"
#include "Text.h"

struct TCity {
    Text name;
    Text state;      // UF, two letters
    Text ibgeCode;   // seven digits
    Text areaCode;   // DDD, two digits
    Text cepPrefix;  // first two digits of the city's postal codes
};

// The cities of the CIDADES registry, in code order (code = position + 1, five digits).
const std::vector<TCity>& Cities();

enum class TGender { Any, Female, Male };
// "Maria da Conceição Araújo"
Text PersonName(TRandom& r, TGender gender = TGender::Any);
Text FirstName(TRandom& r);                            // "João"
Text CompanyName(TRandom& r);                          // "Distribuidora São Jorge Ltda"
Text TradeName(TRandom& r);                            // "Mercadinho Boa Vista"
Text Street(TRandom& r);                               // "Rua Barão do Rio Branco"
Text HouseNumber(TRandom& r);                          // "1234", "S/N", "87-A"
Text District(TRandom& r);                             // "Jardim São Cristóvão"
Text Cep(TRandom& r, const TCity& city, bool masked);  // "01310-100" or "01310100"
Text Cpf(TRandom& r, bool masked);                     // "123.456.789-09" or 11 digits
Text Cnpj(TRandom& r, bool masked);                    // "12.345.678/0001-95" or 14 digits
Text Rg(TRandom& r);                                   // "12.345.678-9"
Text StateRegistration(TRandom& r);                    // "123.456.789.012" or "ISENTO"
// Landline "(11) 3456-7890" or mobile "(11) 98765-4321"; unmasked: the bare digits.
Text Phone(TRandom& r, const TCity& city, bool mobile, bool masked);
Text Email(TRandom& r, TextView name);  // from the name, without accents, lower case
Text Ean13(TRandom& r);                 // a Brazilian EAN-13 ("789..."), valid check digit
int64_t Dun14(TextView ean13);          // the box code of that EAN, valid check digit
// One to three sentences of a note, joined by CR LF as the desktop program stores them.
Text Note(TRandom& r);

// Upper case for Portuguese: ASCII letters and the accented letters of Latin-1.
Text UpperPt(TextView s);
// Accented letters replaced by their bare letter (ç by c), for e-mail addresses.
Text WithoutAccents(TextView s);
// At most `max` characters, trailing blanks removed after a cut.
Text Fit(TextView s, size_t max);
// Decimal digits, left-padded with zeros to `width`.
Text Zeros(int64_t value, int width);
// Digits and upper-case letters (0-9A-Z), left-padded with zeros to `width`.
Text Base36(uint64_t value, int width);

// `header` followed by random bytes (every byte value possible), of a total length between
// `minLength` and `maxLength`: the content of a binary large object.
std::string SampleBytes(TRandom& r, std::string_view header, size_t minLength, size_t maxLength);
