#pragma once
// Replication of master data: a row that a window has just saved or deleted in
// the company database is brought into line in the copies that other
// databases keep of it, the points of sale listed in V_TA_TPV and the
// company-group database named by the GRP_ configuration keys. The company
// database is only read here.
//
// The replication leans on services of the start-up module (configuration
// keys, the point-of-sale reach test, the operator error box and its log, the
// failed-statement row, the progress banner), which the start-up installs
// (CNStuffContable::InstalaReplicacion); until it does, ActualizaGEmpresas
// does nothing.

#include "data/db_dll.h"
#include "platform/win/clsutilidades.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace ModGruposEmp {

// What the replication takes from the start-up module. The defaults stand in
// until the start-up installs its own: no key, no point of sale answers, a
// failure leaves the routine, nothing is logged or recorded.
class Servicios {
public:
    virtual ~Servicios() = default;
    // Configuration key: its value (" " when absent); ValorAux receives the
    // row's second value.
    virtual QString Cfg(const QString& /*Clave*/, QString& ValorAux) {
        ValorAux.clear();
        return QStringLiteral(" ");
    }
    // Logs into a point of sale with the reach-test object and records the
    // outcome in its V_TA_TPV row. True when it answered.
    virtual bool ConectaBaseRemota(const QString& /*Servidor*/, const QString& /*Base*/,
                                   const QString& /*Usuario*/, const QString& /*Password*/,
                                   const QString& /*Codigo*/) {
        return false;
    }
    // Marks a point of sale as not reached now (as a failed reach test does).
    virtual void MarcaDesconectado(const QString& /*Codigo*/) {}
    // Operator error box of a trapping routine; 4 retry, 5 go on, else leave.
    virtual int AvisaErrorOperador(const ado::Error& /*Err*/, const QString& /*Rutina*/) {
        return 0;
    }
    // A line in the operator error log, for what is refused without a box.
    virtual void AnotaError(const QString& /*Mensaje*/, const QString& /*Rutina*/) {}
    // Row of a statement a target refused.
    virtual void GrabaErrorAux(const QString& /*Sentencia*/, std::int32_t /*NroError*/,
                               const QString& /*Descripcion*/) {}
    // Closes the shared progress banner before a message box.
    virtual void CartelCerrar() {}
    // The server part of a point of sale's two-part "name/server" text.
    virtual QString TextoDespuesDeBarra(const QString& Texto) { return Texto; }
};

// Installs the services (null: none).
void setServicios(std::shared_ptr<Servicios> servicios);

// Operations of ActualizaGEmpresas.
enum Operacion : std::int32_t { Alta = 1, Modificacion = 2, Baja = 3 };

// Repeats one change of one row of Tabla in every point of sale that the
// table's family reaches and in the group database when it is a group table.
// Tabla may carry "@ADMIN_" (any case); the caller's variable loses it.
// Valor1 to Valor6 are the row's key values, each already an SQL literal, in
// the order of the table's key columns (CamposClaveTabla): an account
// "'" + code + "'" in Valor1; a general cost-centre share the account and the
// cost centre; a share per business unit the account, the cost centre and the
// business unit. An empty value leaves its column out of the condition; Where
// adds a condition of the caller's. A call without any condition is refused
// (logged, nothing sent), since it would reach every row of every copy.
void ActualizaGEmpresas(QString& Tabla, std::int32_t Operacion, const QString& Valor1,
                        const QString& Valor2 = QString(), const QString& Valor3 = QString(),
                        const QString& Valor4 = QString(), const QString& Valor5 = QString(),
                        const QString& Valor6 = QString(), const QString& Where = QString(),
                        const QString& Texto = QString(), bool Marca = false);

// One change of one row, as ActualizaGEmpresas takes it.
struct Cambio {
    QString Tabla;
    std::int32_t Operacion = Alta;
    std::array<QString, 6> Valores;
    QString Where;
};
// Several changes that make one change of the caller's (a distribution's
// rows, an account with its rights): each target takes those of them whose
// tables it keeps, in their order, as one transaction on the target. A
// statement the target refuses is told as for a single change and rolls the
// target back, leaving its rows as they were; the other targets are served
// all the same. A single change is served the same way.
void ActualizaGEmpresas(const std::vector<Cambio>& Cambios);

// ---- Catalogue ---------------------------------------------------------------------

// Whether a change of Tabla goes to the group database: the group is on
// (GRP_Deshabilitado "0") and the table is in the ValorAux of GRP_Tablas
// ("MA_CUENTAS|MA_CUENTASADIC|"), or is one the group always takes.
bool EsTablaDeGrupo(const QString& Tabla);

// Key columns of a table ("@ADMIN_" ignored, letter case ignored), Clave1 to
// Clave8 in order; unused ones empty, all empty for a table no rule knows.
std::array<QString, 8> CamposClaveTabla(const QString& Tabla);

// Columns of Tabla in the database of Base, in the schema's order, without
// those named in Excluir (any case), joined by "," (each in brackets with
// ConCorchetes). Tipos receives their ADO data types joined alike. Empty when
// the table is not there.
QString VerificaCampos(const QString& Tabla, DB_Dll& Base, const QStringList& Excluir,
                       bool ConCorchetes, QString& Tipos);

// Points gDatosDestino at a target: empty arguments are filled from
// GRP_Server, GRP_Base and GRP_User; the server is taken up to ":", and the
// database name is also the login and its password.
void ConectaBaseGrupo(QString& Servidor, QString& Base, QString& Usuario);

// The object connected to the target being served.
DB_Dll& gDatosDestino();

// A value as an SQL literal for a target of the given engine, exactly as
// stored: texts with apostrophes doubled, ISO dates, numbers with a "."
// decimal point, Booleans 1 or 0, Null bare. Tipo is the column's ADO type.
QString LiteralDestino(const QVariant& Valor, int Tipo, MotorSQL Motor);

} // namespace ModGruposEmp
