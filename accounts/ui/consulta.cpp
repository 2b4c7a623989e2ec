// The account lookup of the command bar's CONSULTAR and the side toolbar:
// the related windows of the account, the chart tree, and the hierarchy and
// cash-flow commands of the chart rules.

#include "accounts/ui/frmma_cuentas.h"

#include "accounts/core/clsreglasplan.h"
#include "accounts/ui/frmma_manualcuentas.h"
#include "data/db_dll.h"
#include "data/instances.h"
#include "data/pasos.h"
#include "lookup/def_qconsulta.h"
#include "lookup/lib_clscons3.h"
#include "platform/sql/quoting.h"
#include "platform/ui/clsformulario.h"
#include "platform/ui/mouse.h"
#include "platform/vb/msgbox.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

#include <QAction>
#include <QLineEdit>

namespace {

bool Igual(const QString& a, const char* b) {
    return a.compare(QString::fromUtf8(b), Qt::CaseInsensitive) == 0;
}

// A LIKE literal that finds the names beginning with the text: LIKE's own
// characters in it (% _ [) stand for themselves.
QString EmpiezaCon(const QString& texto) {
    constexpr QChar escape = u'!';
    QString patron;
    bool escapado = false;
    for (const QChar c : texto) {
        if (c == u'%' || c == u'_' || c == u'[' || c == escape) {
            patron += escape;
            escapado = true;
        }
        patron += c;
    }
    patron += u'%';
    return sqltext::literal(patron) + (escapado ? QStringLiteral(" ESCAPE '!'") : QString());
}

} // namespace

void FrmMA_CUENTAS::ConsultarCodigo() {
    if (IndiceActual < 0 || IndiceActual >= int(txtFields.size()))
        return;
    QLineEdit* campo = txtFields[size_t(IndiceActual)];
    const QString tag = campo->property("Tag").toString().trimmed();
    // F6 and CONSULTAR answer as the right button: not on a locked field
    // (the code box stands for the code member).
    const bool enCodigo =
        IndiceActual == ClsFormulario::IndiceControl(QStringLiteral("Codigo"), txtFields);
    const QWidget* control = enCodigo ? static_cast<const QWidget*>(TxtCodigo) : campo;
    if (tag.isEmpty() || !ui::AceptaConsulta(*control))
        return;

    if (Igual(tag, "MA_CUENTAS_1")) {
        Lib_ClsCons3& consulta = gConsulta();
        consulta.CampoDevuelto = QStringLiteral("CODIGO");
        const QString nombre = Campo(QStringLiteral("descripcion"))->text();
        QStringList ninguna;
        QString campoBusqueda;
        QString where = QStringLiteral("(DESCRIPCION LIKE ") + EmpiezaCon(nombre) + u')';
        consulta.ConsultaSearch(QStringLiteral("MA_CUENTAS"), ninguna, QString(), campoBusqueda,
                                where, QString(), false, QString());
        // The chosen account is loaded as a code typed in its box; a lookup
        // closed without a choice leaves every field as it was.
        const QString elegido = consulta.ValorDevuelto.toString().trimmed();
        if (elegido.isEmpty())
            return;
        Campo(QStringLiteral("CODIGO"))->setText(elegido);
        TxtCodigo->setText(elegido);
        Campo_Valida(ClsFormulario::IndiceControl(QStringLiteral("CODIGO"), txtFields));
        return;
    }

    QString tabla = tag;
    QString descripcion, codigo, extra;
    Def_QConsulta::QConsulta(tabla, descripcion, codigo, extra, true, QString());
    if (codigo.trimmed().isEmpty())
        return;
    const QString columna = campo->property("DataField").toString();
    if (Igual(tag, "MA_CUENTAS")) {
        const bool principal =
            ClsFormulario::mismoCampo(columna, QStringLiteral("CuentaPrincipal"));
        Campo(principal ? QStringLiteral("CuentaPrincipal") : QStringLiteral("Codigo"))
            ->setText(codigo.trimmed());
        if (!principal)
            TxtCodigo->setText(codigo.trimmed());
        Campo_Valida(IndiceActual);
    } else {
        Campo(columna)->setText(codigo.trimmed());
    }
}

void FrmMA_CUENTAS::Tbar_ButtonClick(QAction* Button) {
    using CNStuffContable::CuentaActual;
    const QString clave = Button->data().toString();
    // The related windows open on the account shown, as the window judged
    // it: a code typed and not left is judged first, and what it then shows
    // is what a second press acts on.
    if (!PasaPuerta(false))
        return;
    auto codigoMostrado = [&] { CuentaActual = CodigoEstablecido; };
    bool existe = false;
    std::vector<pasos::Step> pasosTecla;
    if (Igual(clave, "Actualizar Jerarquías de cuentas")) {
        pasosTecla = {[&] { ArmarTreeVAutomatico(QStringLiteral(" ")); }};
    } else if (Igual(clave, "Datos Adicionales")) {
        pasosTecla = {
            codigoMostrado,
            [&] {
                if (EsModificacion)
                    return true;
                vb::MsgBox(QStringLiteral("Para asignar datos adicionales a esta cuenta debe "
                                          "primero grabarla"),
                           vb::vbCritical + vb::vbOKOnly, QStringLiteral("Aviso al Operador!!!"));
                return false;
            },
            [&] {
                if (!CuentaActual.isEmpty() && AbreDatosAdicionales)
                    AbreDatosAdicionales();
            },
        };
    } else if (Igual(clave, "Manual de Cuentas")) {
        pasosTecla = {codigoMostrado, [] { frmMa_ManualCuentas::Muestra(); }};
    } else if (Igual(clave, "Centros de costos")) {
        pasosTecla = {
            codigoMostrado,
            [&] {
                if (!CuentaActual.trimmed().isEmpty() && AbreCentrosCosto)
                    AbreCentrosCosto();
            },
        };
    } else if (Igual(clave, "Jerarquías de cuentas")) {
        pasosTecla = {[&] { Reglas().ActualizaJerarquias(); }};
    } else if (Igual(clave, "Adjuntar Jerarquías ")) {
        pasosTecla = {[&] { Treev_Estado(Button->isChecked()); }};
    } else if (Igual(clave, "Actualizar Cash Flow")) {
        pasosTecla = {
            [&] { return !CuentaActual.trimmed().isEmpty(); },
            [&] {
                existe =
                    gDatos().ExisteEnTabla(QStringLiteral("ma_cuentas"), CuentaActual,
                                           QStringLiteral("codigo"), nullptr, 8, QString(), true);
            },
            [&] {
                if (!existe) {
                    vb::MsgBox(QStringLiteral("La cuenta ") + CuentaActual +
                                   QStringLiteral(" no existe en el Plan General de Cuentas") +
                                   vb::vbCr +
                                   QStringLiteral("Ingrese una cuenta nueva e intentelo de nuevo"),
                               vb::vbCritical, QStringLiteral("Aviso al Operador..."));
                    CuentaActual.clear();
                    return;
                }
                if (vb::MsgBox(QStringLiteral("¿Desea actualizar la estructura de Cash-Flow?"),
                               vb::vbYesNo + vb::vbQuestion) == vb::vbYes)
                    Reglas().ActualizaCashFlow(CuentaActual);
            },
        };
    }
    // Any other key does nothing.
    pasos::RunSteps(
        pasosTecla,
        [](const ado::Error& e) {
            return pasos::ResumeFor(
                ClsUtilidades::ReportaError(e, std::nullopt, QStringLiteral("ButtonClick")));
        },
        pasos::Trap::AllErrors);
}
