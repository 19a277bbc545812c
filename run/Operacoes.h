#pragma once
// What the operator does before a run, shared by the window and the terminal runner: setting
// up the two connections, opening a database file, the checks before a run and the option
// list.

#include <bitset>

#include "IBDatabase.h"
#include "IBTransaction.h"
#include "Passos.h"
#include "StringList.h"

// Gives the connection its fixed login (user SYSDBA, the fixed password, no prompt) and wires
// it to its default transaction.
void ConfiguraConexao(TIBDatabase& banco, TIBTransaction& transacao);

// The first steps of "Abrir": the transaction is made inactive (rolled back if in progress)
// and the connection disconnected.
void PreparaAbertura(TIBTransaction& transacao, TIBDatabase& banco);
// The steps after the file was chosen: the path becomes the connection's database name
// unchanged, the connection connects (a failure raises the database's error and leaves it
// disconnected) and, if it answers, the transaction starts.
void ConectaBanco(TIBTransaction& transacao, TIBDatabase& banco, const Text& caminho);

// True, after the warning "O caminho do banco de dados está vazio!", when the destination path
// is empty.
bool VerificaCaminhoBDVazio(const Text& caminhoDestino);
// True, after the connection warning, when the destination connection is not usable.
bool VerificaConexaoBD(TIBDatabase& destino);

// After a destination was opened: true, after a warning that names them, when some of the
// conversion's nine triggers exist in it switched off (a conversion that was cut short, e.g.
// by a crash, between the trigger switch and its end). The warning says that the next
// conversion concluded with success switches them on again. A trigger that is missing does
// not count, and a connection that is not connected is not looked at. Reads in the
// connection's default transaction; a database error reaches the caller.
bool VerificaTriggersDesativadas(TIBDatabase& destino);

// Which check boxes are ticked: one bit per step, by its place in Passos().
using TOpcoesConversao = std::bitset<kQuantidadePassos>;

// The eight bare names, in their fixed order: the steps' keys, then the two paths.
void pIniciaListaParametros(TStringList& MParams);
// KEY=S for each ticked box, in the steps' order.
void pCarregaParametros(TStringList& MParams, const TOpcoesConversao& opcoes);
