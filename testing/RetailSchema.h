#pragma once
// The retail schema that database tests run against: a small Brazilian retail database with
// clients, suppliers, products, fiscal classifications, stock movements and the registries the
// toolkit looks codes up in, in SQL dialect 1 or 3.
//
// Both dialects have the same tables, columns and column names; types differ only where
// dialect 1 has no such type: TIME becomes TIMESTAMP, BIGINT becomes DOUBLE PRECISION, and
// DATE is written TIMESTAMP (dialect 1's DATE is a timestamp anyway). NUMERIC(15,x) columns
// are declared alike in both; dialect 1 stores them as double precision.
//
// Codes are text. Primary keys: CLIENTE(CODCLIENTE), FORNECE(CODFORNEC), PRODUTO(CODPROD),
// CLASFISC(CODCLASFIS), UNIDADES(UNIDADE). The complement tables (COMPCLIE, COMPPROD,
// PRODUTODETALHE) and MVGERAL have no key and nullable key columns, so tests can store
// duplicate or NULL-keyed rows. No foreign keys.
//
// TRIGGER_LOG (TRIGGER_NAME, CHAVE) receives one row from each of the nine triggers whenever it
// fires: the trigger's name and the row's key (CODPROD of PRODUTO and MVGERAL, NEW's on insert
// and update, OLD's on delete; CODCLIENTE of COMPCLIE). The triggers change nothing else.

#include <vector>

#include "Text.h"

// The DDL, one statement per element, without terminators, in the order it must run (each
// statement may depend on the ones before it being committed). `dialect` is 1 or 3.
std::vector<Text> RetailSchemaStatements(int dialect);

// Every table the statements create, TRIGGER_LOG included.
std::vector<Text> RetailTableNames();

// The nine triggers, in the order the conversion switches them.
std::vector<Text> RetailTriggerNames();
