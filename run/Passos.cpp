#include "Passos.h"

#include <iterator>

#include "ClientesController.h"
#include "FornecedoresController.h"
#include "ProdutosController.h"

namespace {

void PConverteClientes(const TArgumentosPasso& a) {
    TClientesController().PreencheDadosClientes(a.BDOrigem, a.BDResulth, a.Barra, a.lblInfo);
}

void PConverteFornecedores(const TArgumentosPasso& a) {
    TFornecedoresController().PreencheDadosFornecedores(a.BDOrigem, a.BDResulth, a.Barra,
                                                        a.lblInfo);
}

void PConverteProdutos(const TArgumentosPasso& a) {
    TProdutosController().PreencheDadosProdutos(a.BDOrigem, a.BDResulth, a.Transacao, a.Barra,
                                                a.lblInfo, u"PRODUTO");
}

void PAtualizaEstoque(const TArgumentosPasso& a) {
    TProdutosController().PAtualizaDadosMovimentações(a.BDOrigem, a.BDResulth, a.Transacao, a.Barra,
                                                      a.lblInfo, u"COMPPROD");
}

void PAtualizaClasFisc(const TArgumentosPasso& a) {
    TProdutosController().PAtualizaClasfisc(a.BDOrigem, a.BDResulth, a.Transacao, a.Barra,
                                            a.lblInfo, u"CLASFISC");
}

void PAtualizaFornece(const TArgumentosPasso& a) {
    TProdutosController().PAtualizaDadosFornece(a.BDOrigem, a.BDResulth, a.Transacao, a.Barra,
                                                a.lblInfo);
}

constexpr TPasso kPassos[] = {
    {u"CLIENTES", u"Clientes", "--clientes",
     "copia os clientes (CLIENTE) e seus complementos (COMPCLIE)", kPrefixoClientes,
     PConverteClientes},
    {u"FORNECEDORES", u"Fornecedores", "--fornecedores", "copia os fornecedores (FORNECE)",
     kPrefixoFornecedores, PConverteFornecedores},
    {u"PRODUTOS", u"Produtos", "--produtos",
     "copia os produtos (PRODUTO, COMPPROD, PRODUTODETALHE)", kPrefixoProdutos, PConverteProdutos},
    {u"ATUALIZAESTOQUE", u"Corrigir Estoque", "--corrigir-estoque",
     "corrige os estoques dos produtos", kPrefixoEstoque, PAtualizaEstoque},
    {u"ATUALIZACLASFISC", u"Corrigir NCM", "--corrigir-ncm",
     "corrige a classificação fiscal (NCM) dos produtos", kPrefixoClasFisc, PAtualizaClasFisc},
    {u"ATUALIZAFORNEC", u"Corrigir Fornecedores", "--corrigir-fornecedores",
     "corrige o fornecedor principal dos produtos", kPrefixoFornecedoresProdutos, PAtualizaFornece},
};
static_assert(std::size(kPassos) == kQuantidadePassos);

}  // namespace

std::span<const TPasso, kQuantidadePassos> Passos() {
    return kPassos;
}
