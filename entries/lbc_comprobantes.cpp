// Voucher books, letters, voucher kinds and posted vouchers.

#include "data/instances.h"
#include "data/pasos.h"
#include "entries/lbc_asiento.h"
#include "entries/lbc_interno.h"
#include "platform/sql/quoting.h"
#include "platform/vb/errors.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

#include <cmath>

using namespace lbc;

namespace {

// A number column that must hold a value.
double NumeroNoNulo(const QVariant& valor) {
    if (vb::IsNull(valor))
        vb::Raise(vb::errInvalidUseOfNull);
    return Numerico(valor);
}

std::int16_t Redondea16(double valor) {
    const double r = std::nearbyint(valor); // ties to even
    if (!(r >= INT16_MIN && r <= INT16_MAX))
        vb::Raise(vb::errOverflow);
    return static_cast<std::int16_t>(r);
}

// ValidaComprobante's steps over the voucher looked for and the entry line
// found with it, numbered as the step runner goes on with the next one.
class ValidacionComprobante {
public:
    ValidacionComprobante(const QString& TC, const QString& Sucursal, QString& Numero,
                          const QString& letra, QString& Mensaje, QString* MesOP,
                          QString* NroAsiento, const QString& FechaAsto, const QString& Cuenta,
                          QString* PeriodoModif)
        : TC_(TC), Sucursal_(Sucursal), Numero_(Numero), letra_(letra), Mensaje_(Mensaje),
          MesOP_(MesOP), NroAsiento_(NroAsiento), Cuenta_(Cuenta), PeriodoModif_(PeriodoModif),
          NumeroInicial_(Numero), fechaAsto_(FechaAsto) {}

    // True when no entry holds the voucher (or the user took the next free
    // number); a failure is told in a box and leaves it false.
    bool Valida() {
        pasos::RunSteps([this](int paso) { return Paso(paso); },
                        [this](const ado::Error& e) { return Falla(e); }, 0,
                        pasos::Trap::AllErrors);
        Suelta(rs_);
        return resultado_;
    }

private:
    int Paso(int paso) {
        switch (paso) {
        case 0:
            PreparaBusqueda();
            return 1;
        case 1:
            return BuscaRegistrado();
        case 2:
            LeeNumeracion();
            return 3;
        case 3:
            return OfreceSiguiente();
        case 4:
            return InformaAsiento();
        default:
            return -1;
        }
    }

    void PreparaBusqueda() {
        if (!Cuenta_.trimmed().isEmpty())
            condicionCuenta_ = QStringLiteral(" AND CUENTA = ") + sqltext::literal(Cuenta_);
        subdiarioTC_ = ClsUtilidades::ValorCampo(gDatos().DatosTabla(
            QStringLiteral("MA_SUBDIARIOSCOMPROBANTES"), TC_, QStringLiteral("SUBDIARIO"),
            QStringLiteral("TC"), 8, QString(), true, false));
        codigoTC_ = ClsUtilidades::RellenaCeros(TC_.trimmed(), 4);
        L_ = letra_.trimmed();
    }

    // The voucher in the entries: first in its subdiary on the entry's date,
    // then in its subdiary, then anywhere. Not found: the voucher is valid.
    int BuscaRegistrado() {
        const QString comprobante = QStringLiteral(" AND SUCURSAL = ") +
                                    sqltext::literal(Sucursal_) + QStringLiteral(" AND NUMERO = ") +
                                    sqltext::literal(Numero_) + QStringLiteral(" AND LETRA = ") +
                                    sqltext::literal(L_);
        const QString propio =
            QStringLiteral("SELECT TOP 1 *  FROM MV_ASIENTOS WHERE TIPO_REG = ") +
            sqltext::literal(subdiarioTC_);
        const bool hallado =
            Busca(propio + QStringLiteral(" AND  TC = ") + sqltext::literal(codigoTC_) +
                  comprobante + QStringLiteral(" and Fecha = ") + sqltext::literal(fechaAsto_) +
                  condicionCuenta_) ||
            Busca(propio + QStringLiteral(" AND TC = ") + sqltext::literal(codigoTC_) +
                  comprobante + condicionCuenta_) ||
            Busca(QStringLiteral("SELECT TOP 1 *  FROM MV_ASIENTOS WHERE TC = ") +
                  sqltext::literal(codigoTC_) + comprobante + condicionCuenta_);
        if (!hallado) {
            gDatos().CierraRecordset(rs_);
            resultado_ = true;
            return -1;
        }
        return 2;
    }

    bool Busca(const QString& sql) {
        Abre(sql, rs_);
        return !rs_->EOF();
    }

    void LeeNumeracion() {
        numeracion_ = ClsUtilidades::ValorCampo(
                          gDatos().DatosTabla(QStringLiteral("TA_COMPROBANTES"), TC_,
                                              QStringLiteral("ModificaNumeracion"),
                                              QStringLiteral("Codigo"), 8, QString(), true, false))
                          .toUpper();
    }

    // A voucher whose number may not be changed offers the next one.
    int OfreceSiguiente() {
        if (numeracion_ != u"FALSO" && numeracion_ != u"FALSE" && numeracion_ != u"0")
            return 4;
        // The next number, written as the stored numbers are.
        Numero_ = vb::Format(vb::Val(Numero_) + 1, QStringLiteral("00000000"));
        const int respuesta =
            vb::MsgBox(QStringLiteral("El Comprobante Duplicado, el nuevo numero es: ") +
                           LBM_Common1::FormateaNroComprobante(Sucursal_, Numero_, letra_),
                       vb::vbYesNo | vb::vbExclamation, QStringLiteral("Atencion"));
        if (respuesta == vb::vbYes) {
            // The offered number is checked like a new voucher.
            fechaAsto_.clear();
            condicionCuenta_.clear();
            return 1;
        }
        Numero_ = NumeroInicial_;
        Mensaje_ = QStringLiteral("Comprobante duplicado");
        gDatos().CierraRecordset(rs_);
        resultado_ = false;
        return -1;
    }

    // The entry that holds the voucher, told in Mensaje.
    int InformaAsiento() {
        const QString mes = ClsUtilidades::ValorCampo(rs_->Fields(QStringLiteral("Mes_Operativo")));
        const QString asiento =
            ClsUtilidades::ValorCampo(rs_->Fields(QStringLiteral("NUMERO ASIENTO")));
        const QString tipoReg = ClsUtilidades::ValorCampo(rs_->Fields(QStringLiteral("Tipo_Reg")));
        if (MesOP_)
            *MesOP_ = mes;
        if (NroAsiento_)
            *NroAsiento_ = asiento;
        if (PeriodoModif_)
            *PeriodoModif_ = ClsUtilidades::ValorCampo(rs_->Fields(QStringLiteral("PERIODO")));
        Mensaje_ = QStringLiteral("Comprobante registrado en el Asiento ") + mes + u'-' + asiento;
        if (!tipoReg.trimmed().isEmpty())
            Mensaje_ += vb::vbCrLf + QStringLiteral(" Para el subdiario: ") + tipoReg;
        gDatos().CierraRecordset(rs_);
        resultado_ = false;
        return -1;
    }

    pasos::Resume Falla(const ado::Error& e) {
        vb::MsgBox(e.Description, vb::vbOKOnly);
        resultado_ = false;
        return pasos::Resume::Exit;
    }

    const QString& TC_;
    const QString& Sucursal_;
    QString& Numero_;
    const QString& letra_;
    QString& Mensaje_;
    QString* MesOP_;
    QString* NroAsiento_;
    const QString& Cuenta_;
    QString* PeriodoModif_;
    const QString NumeroInicial_;
    QString fechaAsto_;
    QString condicionCuenta_;
    QString subdiarioTC_;
    QString codigoTC_;
    QString L_;
    QString numeracion_;
    ado::RecordsetPtr rs_;
    bool resultado_ = false;
};

} // namespace

void Lbc_Asiento::DatosComprobante(QString TC, QString& suc, QString& Nro, QString& L,
                                   const QString& Uneg) {
    if (L.isEmpty() || !LetrasTalonario().contains(L, Qt::CaseInsensitive))
        return;
    QString base;
    QString X;
    ado::RecordsetPtr rs;
    Atrapa(QStringLiteral("DatosComprobante"),
           {[&] {
                base = QStringLiteral("SELECT * FROM V_TA_CPTE WHERE CODIGO = ") +
                       sqltext::literal(ClsUtilidades::RellenaCeros(TC.trimmed(), 4));
            },
            [&] {
                if (!Uneg.isEmpty())
                    Abre(base + QStringLiteral(" AND UNEGOCIO = ") +
                             sqltext::literal(ClsUtilidades::RellenaCeros(Uneg, 4)) +
                             QStringLiteral(" ORDER BY TALONARIO ASC"),
                         rs, ado::adOpenDynamic, ado::adLockOptimistic);
            },
            [&] {
                // No book of the unit: the first book of any unit.
                if (Uneg.isEmpty() || rs->EOF())
                    Abre(base + QStringLiteral(" ORDER BY TALONARIO ASC"), rs, ado::adOpenDynamic,
                         ado::adLockOptimistic);
            },
            [&] {
                if (rs->EOF()) {
                    suc.clear();
                    Nro.clear();
                    L.clear();
                    CNStuffContable::gTalonario = 0;
                    return false;
                }
                X = L.trimmed();
                return true;
            },
            [&] {
                suc = vb::Format(Numerico(rs->value(X + QStringLiteral("_SUC_DEFAULT"))),
                                 QStringLiteral("0000"));
            },
            [&] {
                // The last number issued, not the next one.
                Nro = vb::Format(Numerico(rs->value(X + QStringLiteral("_ULTIMO_NRO"))),
                                 QStringLiteral("00000000"));
            },
            [&] { L = X; },
            [&] {
                CNStuffContable::gTalonario =
                    Redondea16(Numerico(rs->value(QStringLiteral("talonario"))));
            }});
    Suelta(rs);
}

QString Lbc_Asiento::DeterminaLetra(const QString& COND_IVA_CLIEN) {
    const QString condicion = CNStuffContable::Cfg(QStringLiteral("CONDIVA"));
    if (vb::Val(condicion) == 1)
        return vb::Val(COND_IVA_CLIEN) > 2 ? QStringLiteral("B") : QStringLiteral("A");
    return condicion.trimmed().isEmpty() ? QStringLiteral("Z") : QStringLiteral("C");
}

bool Lbc_Asiento::ComprobanteEntrada(const QString& TC) {
    static const QStringList entrada = {QStringLiteral("FCC"), QStringLiteral("NDC"),
                                        QStringLiteral("NCC"), QStringLiteral("FPC"),
                                        QStringLiteral("NCCP")};
    static const QStringList propios = {
        QStringLiteral("FC"),   QStringLiteral("ND"),   QStringLiteral("NC"),  QStringLiteral("FP"),
        QStringLiteral("NCFP"), QStringLiteral("CBFP"), QStringLiteral("PGFP")};
    const QString codigo = TC.trimmed().toUpper();
    if (entrada.contains(codigo))
        return true;
    if (propios.contains(codigo))
        return false;

    bool resultado = false;
    QString letras;
    int j = 0;
    ado::RecordsetPtr rs;
    Atrapa(QStringLiteral("ComprobanteEntrada"), [&](int paso) -> int {
        switch (paso) {
        case 0:
            Abre(QStringLiteral("SELECT * FROM TA_COMPROBANTES WHERE CODIGO = ") +
                     sqltext::literal(ClsUtilidades::RellenaCeros(TC.trimmed(), 4)),
                 rs);
            return 1;
        case 1:
            // Rows not opened (the failure already told) are not read.
            if (!rs || rs->State() == ado::adStateClosed || rs->EOF())
                return -1;
            letras = ClsUtilidades::ValorCampo(rs->Fields(QStringLiteral("LETRAS"))).trimmed();
            j = 0;
            return letras.isEmpty() ? -1 : 2;
        case 2: {
            // Each letter decides in turn: the last one gives the answer. A
            // letter that cannot be read counts as numbered.
            resultado = false;
            const QString l = letras.mid(j, 1);
            const double ultimo = NumeroNoNulo(rs->value(l + QStringLiteral("_ULTIMO_NRO")));
            const double desde = NumeroNoNulo(rs->value(l + QStringLiteral("_NRO_DESDE")));
            const double hasta = NumeroNoNulo(rs->value(l + QStringLiteral("_NRO_HASTA")));
            resultado = ultimo <= 0 && desde <= 0 && hasta <= 0;
            return 3;
        }
        case 3:
            ++j;
            return j < letras.size() ? 2 : -1;
        default:
            return -1;
        }
    });
    Suelta(rs);
    return resultado;
}

bool Lbc_Asiento::ValidaComprobante(QString TC, QString Sucursal, QString& Numero, QString letra,
                                    QString& Mensaje, QString* MesOP, QString* NroAsiento,
                                    const QString& FechaAsto, const QString& Cuenta,
                                    QString* PeriodoModif) {
    return ValidacionComprobante(TC, Sucursal, Numero, letra, Mensaje, MesOP, NroAsiento, FechaAsto,
                                 Cuenta, PeriodoModif)
        .Valida();
}

bool Lbc_Asiento::ExisteEnMVAsientos(const QString& TC, const QString& suc, const QString& Nro,
                                     const QString& L, const std::optional<QString>& Proveedor,
                                     ado::RecordsetPtr* lrcsaux) {
    bool resultado = false;
    QString sql;
    ado::RecordsetPtr propio;
    ado::RecordsetPtr& rs = lrcsaux ? *lrcsaux : propio;
    Atrapa(QStringLiteral("ExisteEnMVAsientos"),
           {[&] {
                const QString condicion =
                    QStringLiteral("WHERE TC = ") + sqltext::literal(TC.trimmed()) +
                    QStringLiteral(" AND SUCURSAL = ") + sqltext::literal(suc) +
                    QStringLiteral(" AND NUMERO = ") + sqltext::literal(Nro) +
                    QStringLiteral(" AND LETRA = ") + sqltext::literal(L.trimmed());
                if (Proveedor)
                    sql = QStringLiteral("SELECT * FROM MV_ASIENTOS WITH(NOLOCK) ") + condicion +
                          QStringLiteral(" AND CABCUENTA = ") +
                          sqltext::literal(Proveedor->trimmed());
                else
                    sql = QStringLiteral("SELECT * FROM MV_ASIENTOS  WITH(NOLOCK) ") + condicion;
            },
            [&] { Abre(sql, rs, ado::adOpenDynamic, ado::adLockOptimistic); },
            [&] { resultado = !rs->EOF(); }});
    return resultado;
}

bool Lbc_Asiento::ExisteEnMVAsientos2(const QString& TC, const QString& suc, const QString& Nro,
                                      const QString& L, const QString& /*TipoReg*/,
                                      const QString& NroAsiento, const QString& MesOP,
                                      const QString& Periodo,
                                      const std::optional<QString>& Proveedor,
                                      ado::RecordsetPtr* lrcsaux) {
    bool resultado = false;
    QString sql;
    ado::RecordsetPtr propio;
    ado::RecordsetPtr& rs = lrcsaux ? *lrcsaux : propio;
    Atrapa(QStringLiteral("ExisteEnMVAsientos2"),
           {[&] {
                // Summary lines never count.
                sql = QStringLiteral("SELECT * FROM MV_ASIENTOS WITH(NOLOCK) WHERE TC = ") +
                      sqltext::literal(TC.trimmed()) + QStringLiteral(" AND SUCURSAL = ") +
                      sqltext::literal(suc) + QStringLiteral(" AND NUMERO = ") +
                      sqltext::literal(Nro) + QStringLiteral(" AND LETRA = ") +
                      sqltext::literal(L.trimmed()) + QStringLiteral(" AND [NUMERO ASIENTO] = ") +
                      Num(NroAsiento) + QStringLiteral(" AND Periodo = ") + Num(Periodo) +
                      QStringLiteral(" AND MES_OPERATIVO = ") + Num(MesOP) +
                      QStringLiteral("  AND (ESRESUMEN = 0)");
                if (Proveedor)
                    sql += QStringLiteral(" AND CABCUENTA = ") +
                           sqltext::literal(Proveedor->trimmed());
            },
            [&] { Abre(sql, rs, ado::adOpenDynamic, ado::adLockOptimistic); },
            [&] { resultado = !rs->EOF(); }});
    return resultado;
}
