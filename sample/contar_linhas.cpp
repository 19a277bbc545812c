// contar_linhas: prints the row count of every table of the retail schema, one column per
// database file, so that a merge can be shown before and after.
#include <iostream>
#include <string_view>
#include <vector>

#include "Error.h"
#include "RowCounts.h"

int main(int argc, char** argv) {
    if (argc < 2 || std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h") {
        std::cerr << "Uso: contar_linhas BASE.FB [OUTRA.FB ...]\n"
                     "Mostra o número de linhas de cada tabela do esquema de varejo, uma coluna\n"
                     "por base.\n";
        return argc < 2 ? 2 : 0;
    }
    try {
        std::vector<Text> titles;
        std::vector<std::vector<TTableCount>> counts;
        for (int i = 1; i < argc; ++i) {
            const Text path = FromUtf8(argv[i]);
            const size_t slash = path.find_last_of(u"/\\");
            titles.push_back(slash == Text::npos ? path : path.substr(slash + 1));
            counts.push_back(CountTableRows(path));
        }
        std::cout << FormatRowCounts(titles, counts);
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "contar_linhas: " << ToUtf8(ErrorMessage(e)) << "\n";
        return 1;
    }
}
