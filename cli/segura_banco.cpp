// segura_banco PATH: a test helper that holds a connection to the database file, with a
// transaction in progress, until its standard input ends. It writes "conectado" and a line
// break once connected, or the database's message on standard error and exits with 1.
//
// The embedded engine opens a database file for one process at a time, so while this runs
// the file is "opened by another program" for the tool.
#include <iostream>

#include "Error.h"
#include "TempDatabase.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Uso: segura_banco CAMINHO\n";
        return 2;
    }
    try {
        TConnection banco(FromUtf8(argv[1]));
        banco.db.Open();
        banco.tr.StartTransaction();
        std::cout << "conectado" << std::endl;
        while (std::cin.get() != std::char_traits<char>::eof()) {
        }
        banco.tr.Rollback();
    } catch (const std::exception& e) {
        std::cerr << ToUtf8(ErrorMessage(e)) << std::endl;
        return 1;
    }
    return 0;
}
