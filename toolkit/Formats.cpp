// TConversao's date, phone and decimal format helpers. FValidaData reads the regional
// settings and today's date; the others are pure.

#include <cmath>
#include <utility>

#include "Clock.h"
#include "FormatSettings.h"
#include "classConversao.h"

namespace {

// Valid date-time numbers: 0100-01-01 up to, not including, the day after 9999-12-31.
constexpr double kMinDayCount = -657434.0;
constexpr double kEndDayCount = 2958466.0;

// As long as `valor` contains `from`: replaces its first occurrence by `to`, keeps at most
// 50 characters behind it and trims the whole.
Text ReplaceSeparator(Text valor, char16_t from, char16_t to) {
    for (size_t p; (p = valor.find(from)) != Text::npos;)
        valor = Trim(valor.substr(0, p) + to + Copy(valor, int64_t(p) + 2, 50));
    return valor;
}

}  // namespace

Text TConversao::FValidaData(Text& Data) {
    if (Data.empty() || Data == u"  -   -") {
        Data = DateToText(Today());
    } else if (Contains(Data, u"/")) {
        Data = ReplaceAll(Data, u"/", u".");
    } else if (Contains(Data, u"-")) {
        Data = ReplaceAll(Data, u"-", u".");
    } else if (Contains(Data, u".")) {
        // Already in the dotted form.
    } else {
        // A date-time number: its integer part is the day counted from 1899-12-30. (A minus
        // sign is a hyphen, caught above, so negative counts do not arrive here from text.)
        double dias = 0;
        if (TryTextToFloat(Data, dias) && dias >= kMinDayCount && dias < kEndDayCount) {
            const auto dia = int64_t(std::trunc(dias));
            Data = FormatDateTime(u"dd/mm/yyyy", CivilFromDays(kNumericEpochDays + dia));
        } else {
            Data.clear();
        }
    }
    return Data;
}

Text TConversao::TrataOrdemData(Text Data) {
    return Copy(Data, 7, 2) + u"/" + Copy(Data, 5, 2) + u"/" + Copy(Data, 1, 4);
}

Text TConversao::FValidaTelefone(Text Tel) {
    Text t = FRemoveCaracter(Trim(Tel));
    t.erase(0, t.find_first_not_of(u'0'));
    t = ReplaceAll(t, u" ", u"");
    // A local number without area code gets the default one.
    if (t.size() == 8)
        t.insert(0, u"31");
    if (!t.empty() && t[0] == u'0')
        t.erase(0, 1);
    return t;
}

Text TConversao::FBarraPonto(Text Valor) {
    return ReplaceSeparator(std::move(Valor), u'/', u'.');
}

Text TConversao::FVirgulaPonto(Text Valor) {
    if (Valor.empty())
        Valor = u"0,00";
    return ReplaceSeparator(std::move(Valor), u',', u'.');
}

Text TConversao::FPontoVirgula(Text Valor) {
    if (Valor.empty())
        Valor = u"0.00";
    return ReplaceSeparator(std::move(Valor), u'.', u',');
}
