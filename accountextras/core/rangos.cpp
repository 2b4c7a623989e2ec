#include "accountextras/core/rangos.h"

#include "accountextras/core/interno.h"
#include "accounts/core/cuenta.h"
#include "accounts/core/interno.h"
#include "platform/sql/quoting.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

#include <QStringList>
#include <vector>

namespace cuentasadic {

namespace interno {

QString SentenciaVista(const QString& Vista) {
    return QStringLiteral("SELECT * FROM TA_VISTAS WHERE LTRIM(RTRIM(NOMBRE)) = ") +
           sqltext::literal(Vista.trimmed());
}

} // namespace interno

namespace {

using cuentas::interno::Cierra;
using cuentas::interno::Consulta;

struct Fila {
    RangoDatosAdicionales Rango;
    bool Acotado = false; // neither bound is Null
};

std::vector<Fila> LeeRangos(const QString& orden) {
    std::vector<Fila> filas;
    ado::RecordsetPtr rs =
        Consulta(QStringLiteral("SELECT * FROM TA_RANGOS_DATOS_ADIC ORDER BY ") + orden);
    for (; !rs->EOF(); rs->MoveNext()) {
        const QVariant desde = rs->value(QStringLiteral("CUENTA-DEsdE"));
        const QVariant hasta = rs->value(QStringLiteral("CUENTA-HASTA"));
        Fila f;
        f.Acotado = !vb::IsNull(desde) && !vb::IsNull(hasta);
        f.Rango.Desde = ClsUtilidades::ValorCampo(desde).trimmed();
        f.Rango.Hasta = ClsUtilidades::ValorCampo(hasta).trimmed();
        f.Rango.Descripcion =
            ClsUtilidades::ValorCampo(rs->value(QStringLiteral("DESCRIPCION"))).trimmed();
        f.Rango.Vista = ClsUtilidades::ValorCampo(rs->value(QStringLiteral("Vista"))).trimmed();
        f.Rango.PideVencimiento =
            cuentas::interno::Marcado(rs->value(QStringLiteral("PideVencimiento")));
        filas.push_back(f);
    }
    Cierra(rs);
    return filas;
}

// The order in which overlapping ranges are tried.
const QString kPorDesde = QStringLiteral("[CUENTA-DESDE]");

bool Contiene(const Fila& f, const QString& Codigo) {
    const QString codigo = Codigo.trimmed();
    return f.Acotado && codigo.compare(f.Rango.Desde, Qt::CaseInsensitive) >= 0 &&
           codigo.compare(f.Rango.Hasta, Qt::CaseInsensitive) <= 0;
}

const Fila* Busca(const std::vector<Fila>& filas, const QString& Codigo) {
    for (const Fila& f : filas)
        if (Contiene(f, Codigo))
            return &f;
    return nullptr;
}

// The view type of the configured title that begins the code; empty when
// none does.
QString TipoPorTitulo(const QString& Codigo, const QString& TituloBonos,
                      const QString& TituloMutuales) {
    const auto empieza = [&](const QString& prefijo) {
        return Codigo.left(prefijo.size()).compare(prefijo, Qt::CaseInsensitive) == 0;
    };
    const std::pair<const char*, const QString&> claves[] = {
        {"TituloClientes", cuentas::VistaClientes},
        {"TituloProveedores", cuentas::VistaProveedores},
        {"TituloBancos", cuentas::VistaBancos},
        {"TituloBancosDiferido", cuentas::VistaBancos},
        {"TITULOPERSONAL", cuentas::VistaPersonal},
    };
    for (const auto& [clave, tipo] : claves) {
        // An absent key reads as a blank, which only a code that begins with
        // a blank matches.
        const QString prefijo = CNStuffContable::Cfg(QString::fromLatin1(clave));
        if (!prefijo.isEmpty() && empieza(prefijo))
            return tipo;
    }
    if (!TituloBonos.trimmed().isEmpty() && empieza(TituloBonos))
        return cuentas::VistaClientesBonos;
    if (!TituloMutuales.trimmed().isEmpty() && empieza(TituloMutuales))
        return cuentas::VistaClientesMutuales;
    return QString();
}

} // namespace

std::optional<RangoDatosAdicionales> RangoDeCuenta(const QString& Codigo) {
    const std::vector<Fila> filas = LeeRangos(kPorDesde);
    const Fila* f = Busca(filas, Codigo);
    if (!f)
        return std::nullopt;
    return f->Rango;
}

void ObtieneVistaRangoVto(const QString& QueCuenta, QString* Rango, QString* Vista,
                          QString* TipoVista, bool* PideVencimiento, const QString& TituloBonos,
                          const QString& TituloMutuales) {
    std::vector<Fila> filas;
    RangoDatosAdicionales rango;
    enum { Leer, Buscar, Tipo, Titulos };
    pasos::RunSteps(
        [&](int paso) -> int {
            switch (paso) {
            case Leer:
                filas = LeeRangos(kPorDesde);
                return filas.empty() ? Titulos : Buscar;
            case Buscar:
                if (const Fila* f = Busca(filas, QueCuenta))
                    rango = f->Rango;
                if (Rango)
                    *Rango = rango.Descripcion;
                if (Vista)
                    *Vista = rango.Vista;
                if (PideVencimiento)
                    *PideVencimiento = rango.PideVencimiento;
                return Tipo;
            case Tipo:
                if (!TipoVista)
                    return -1;
                if (!rango.Descripcion.isEmpty() && rango.Vista.isEmpty()) {
                    *TipoVista = cuentas::VistaSinVista;
                } else {
                    ado::RecordsetPtr rs = Consulta(interno::SentenciaVista(rango.Vista));
                    if (!rs->EOF())
                        *TipoVista =
                            ClsUtilidades::ValorCampo(rs->value(QStringLiteral("TipoVista")))
                                .trimmed();
                    Cierra(rs);
                }
                return Titulos;
            case Titulos:
                if (TipoVista && TipoVista->trimmed().isEmpty()) {
                    const QString tipo = TipoPorTitulo(QueCuenta, TituloBonos, TituloMutuales);
                    if (!tipo.isEmpty())
                        *TipoVista = tipo;
                }
                return -1;
            }
            return -1;
        },
        interno::Recuadro(QStringLiteral("ObtieneVistaRango")), Leer, pasos::Trap::AllErrors);
}

QString Rangos_Adicionales() {
    const auto condicion = [](const RangoDatosAdicionales& r) {
        return QStringLiteral(" (LTRIM(RTRIM(CODIGO))>= ") + sqltext::literal(r.Desde) +
               QStringLiteral(" AND LTRIM(RTRIM(CODIGO))<= ") + sqltext::literal(r.Hasta) +
               QStringLiteral(" ) ");
    };
    std::vector<Fila> filas;
    QStringList condiciones;
    pasos::RunSteps({[&] { filas = LeeRangos(QStringLiteral("DESCRIPCION")); },
                     [&] {
                         // A range with a Null bound holds no code, here as when an
                         // account's range is looked for.
                         for (const Fila& f : filas)
                             if (f.Acotado)
                                 condiciones << condicion(f.Rango);
                     }},
                    interno::Recuadro(QStringLiteral("Form_Unload")), pasos::Trap::AllErrors);
    return condiciones.join(QStringLiteral(" OR "));
}

} // namespace cuentasadic
