#include "Verification.h"

#include <algorithm>

#include "RowCounts.h"
#include "TempDatabase.h"

namespace {

// The tables the run writes, compared value for value.
const char16_t* const kWrittenTables[] = {u"CLIENTE",  u"COMPCLIE",       u"FORNECE", u"PRODUTO",
                                          u"COMPPROD", u"PRODUTODETALHE", u"MVGERAL", u"CLASFISC"};

int64_t Rows(const std::vector<TTableCount>& counts, TextView table) {
    for (const TTableCount& c : counts)
        if (c.table == table)
            return c.rows;
    return -1;
}

// The first line where the two fingerprints differ, shortened.
std::string FirstDifference(const Text& a, const Text& b) {
    size_t at = 0;
    for (;;) {
        const size_t endA = a.find(u'\n', at), endB = b.find(u'\n', at);
        const Text lineA = a.substr(at, endA == Text::npos ? Text::npos : endA - at);
        const Text lineB = b.substr(at, endB == Text::npos ? Text::npos : endB - at);
        if (lineA != lineB || endA == Text::npos || endB == Text::npos)
            return "      ferramenta: " + ToUtf8(lineA.substr(0, 200)) +
                   "\n      base:       " + ToUtf8(lineB.substr(0, 200)) + "\n";
        at = endA + 1;
    }
}

}  // namespace

TVerification CompareDestinations(const Text& headOffice, const Text& branch, const Text& toolCopy,
                                  const Text& baselineCopy) {
    TVerification v;
    std::string problems;
    const auto head = CountTableRows(headOffice);
    const auto origin = CountTableRows(branch);
    const auto tool = CountTableRows(toolCopy);
    const auto base = CountTableRows(baselineCopy);
    for (const TTableCount& c : tool)
        if (Rows(base, c.table) != c.rows)
            problems += "  linhas de " + ToUtf8(c.table) + ": ferramenta " +
                        std::to_string(c.rows) + ", base " + std::to_string(Rows(base, c.table)) +
                        "\n";
    for (const char16_t* table : {u"CLIENTE", u"FORNECE", u"PRODUTO"})
        if (Rows(tool, table) != Rows(head, table) + Rows(origin, table))
            problems += "  a cópia da ferramenta não tem as linhas de " + ToUtf8(table) +
                        " da matriz e da filial juntas\n";

    std::string compared;
    {
        TConnection a(toolCopy);
        TConnection b(baselineCopy);
        for (const char16_t* table : kWrittenTables) {
            const Text fa = TableChecksum(a.db, table);
            const Text fb = TableChecksum(b.db, table);
            compared += (compared.empty() ? "" : ", ") + ToUtf8(table);
            if (fa != fb)
                problems += "  conteúdo de " + ToUtf8(table) + " difere; primeira diferença:\n" +
                            FirstDifference(fa, fb);
        }
        for (TConnection* c : {&a, &b})
            for (const Text& trigger : InactiveTriggers(c->db))
                problems += "  gatilho inativo depois da execução: " + ToUtf8(trigger) + "\n";
    }

    v.equal = problems.empty();
    v.report = "Verificação: linhas de " + std::to_string(tool.size()) +
               " tabelas contadas; conteúdo comparado em " + compared + ": " +
               (v.equal ? "iguais.\n" : "DIFERENÇAS:\n" + problems);
    return v;
}
