#include "lookup/def_qconsulta.h"
#include "lookup/lib_clscons3.h"

namespace Def_QConsulta {

void QConsulta(QString& TB, QString& Rsp, QString& Cl1, QString& Cl2, bool CmpDisplay,
               const QString& SQLWHERE) {
    const std::optional<LlamadaConsulta> llamada =
        PreparaQConsulta(TB, Rsp, Cl1, Cl2, CmpDisplay, SQLWHERE);
    if (!llamada)
        return;
    Lib_ClsCons3& consulta = gConsulta();
    consulta.CampoDevuelto = llamada->CampoDevuelto;
    QStringList ninguna;
    QString campoBusqueda;
    QString where = llamada->Where;
    consulta.ConsultaSearch(llamada->SQL, ninguna, QString(), campoBusqueda, where,
                            llamada->SentenciaOpcional, false, QString());
    Cl1 = consulta.ValorDevuelto.toString();
}

} // namespace Def_QConsulta
