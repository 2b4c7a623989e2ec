#include "startup/core/cnstuffcontable.h"

#include "data/instances.h"
#include "platform/sql/quoting.h"
#include "platform/vb/vb.h"
#include "platform/win/clsentorno.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cns_pasos.h"

#include <QRegularExpression>

namespace CNStuffContable {

namespace {

// The steps that build the audit row's INSERT into Sentencia.
std::vector<pasos::Step> PasosAccion(const QString& TC, const QString& IdComprobante,
                                     const QString& IdComplemento, bool Alta, bool Modificacion,
                                     const QString& Texto_, bool EsBaja, QString& Sentencia) {
    auto pon = [](int i, const char* campo, const QString& valor) {
        gCamposSQL[size_t(i)] = {QString::fromLatin1(campo), valor};
    };
    return {
        [] { gCamposSQL.assign(8, CampoSQL{}); },
        [=] { pon(0, "TC", sqltext::literal(ClsUtilidades::RellenaCeros(TC.trimmed(), 4))); },
        [=] { pon(1, "IdComprobante", sqltext::literal(IdComprobante)); },
        [=] {
            // The caller's value as given: a whole number bare, anything
            // else as a quoted text, which the server stores or refuses
            // (never a 0 in its place, never spliced into the statement).
            static const QRegularExpression entero(QStringLiteral("^-?[0-9]+$"));
            pon(2, "IdComplemento",
                entero.match(IdComplemento).hasMatch() ? IdComplemento
                                                       : sqltext::literal(IdComplemento));
        },
        [=] {
            pon(3, "Tipo_accion",
                EsBaja         ? QStringLiteral("'B'")
                : Alta         ? QStringLiteral("'A'")
                : Modificacion ? QStringLiteral("'M'")
                               : QStringLiteral("'B'"));
        },
        [=] { pon(4, "FECHAHORA", sqltext::literal(vb::Format(vb::Now(), FormatoFechaHora()))); },
        [=] { pon(5, "Usuario", sqltext::literal(ClsEntorno::UsuarioWindows())); },
        [=] { pon(6, "PC", sqltext::literal(ClsEntorno::NombrePC())); },
        [=] { pon(7, "SYSTEMUSER", sqltext::literal(Texto_)); },
        [&Sentencia] {
            Sentencia = QStringLiteral(" INSERT INTO V_MV_CPTEACCIONES ");
            ArmaValoresInsert(Sentencia, gCamposSQL, true);
        },
    };
}

} // namespace

QString SentenciaAccionComprobante(const QString& TC, const QString& IdComprobante,
                                   const QString& IdComplemento, bool Alta, bool Modificacion,
                                   const QString& Texto_, bool EsBaja) {
    QString sentencia;
    for (const pasos::Step& paso : PasosAccion(TC, IdComprobante, IdComplemento, Alta, Modificacion,
                                               Texto_, EsBaja, sentencia))
        paso();
    return sentencia;
}

void GrabaAccionComprobante(const QString& TC, const QString& IdComprobante,
                            const QString& IdComplemento, bool Alta, bool Modificacion,
                            const QString& Texto_, bool EsBaja) {
    QString sentencia;
    std::vector<pasos::Step> pasosAccion = PasosAccion(TC, IdComprobante, IdComplemento, Alta,
                                                       Modificacion, Texto_, EsBaja, sentencia);
    pasosAccion.push_back([&] {
        long afectados = 0;
        gDatos().EjecutaConsultaSQL(sentencia, afectados);
    });
    pasos::RunSteps(pasosAccion, detail::IgnorarError, pasos::Trap::AllErrors);
}

void GrabaErrorAux(const QString& Sentencia, const QString& Proceso, std::int32_t NroError,
                   const QString& Descripcion) {
    Q_UNUSED(Proceso) // the row always names the running program
    ado::RecordsetPtr rs = ado::Recordset::create();
    gDatos().AbrirRecordset(QStringLiteral("select  top 1 * from AUX_ERR"), rs, nullptr, 2, 3, -1,
                            true);
    rs->AddNew();
    rs->Fields(QStringLiteral("Proceso")).setValue(vb::AppExeName());
    rs->Fields(QStringLiteral("fecha")).setValue(vb::Format(vb::Now(), FormatoFechaHora()));
    rs->Fields(QStringLiteral("Error")).setValue(NroError);
    rs->Fields(QStringLiteral("Descripcion")).setValue(ClsUtilidades::CortaTexto(Descripcion, 250));
    rs->Fields(QStringLiteral("SQL")).setValue(Sentencia);
    rs->Fields(QStringLiteral("Pc")).setValue(ClsEntorno::NombrePC());
    rs->Fields(QStringLiteral("Usuario")).setValue(gDatos().gUsuario);
    rs->Update();
    gDatos().CierraRecordset(rs);
}

} // namespace CNStuffContable
