// The account lookup of the command bar's CONSULTAR and the side toolbar.
//
// Of the side toolbar, the tree's two keys stand so far; the related windows
// (additional data, chart manual, cost centres) and the hierarchy and
// cash-flow commands of the chart rules are still to come.

#include "accounts/ui/frmma_cuentas.h"

#include "data/pasos.h"
#include "lookup/def_qconsulta.h"
#include "lookup/lib_clscons3.h"
#include "platform/sql/quoting.h"
#include "platform/ui/clsformulario.h"
#include "platform/win/clsutilidades.h"

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
    if (tag.isEmpty())
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
        Campo(QStringLiteral("CODIGO"))->setText(consulta.ValorDevuelto.toString().trimmed());
        EsNuevo = false;
        EsModificacion = false;
        Campo_Valida(ClsFormulario::IndiceControl(QStringLiteral("CODIGO"), txtFields));
        return;
    }

    QString tabla = tag;
    QString descripcion, codigo, extra;
    Def_QConsulta::QConsulta(tabla, descripcion, codigo, extra, true, QString());
    const QString columna = campo->property("DataField").toString();
    if (Igual(tag, "MA_CUENTAS")) {
        const bool principal =
            ClsFormulario::mismoCampo(columna, QStringLiteral("CuentaPrincipal"));
        Campo(principal ? QStringLiteral("CuentaPrincipal") : QStringLiteral("Codigo"))
            ->setText(codigo.trimmed());
        Campo_Valida(IndiceActual);
    } else {
        Campo(columna)->setText(codigo.trimmed());
    }
}

void FrmMA_CUENTAS::Tbar_ButtonClick(QAction* Button) {
    const QString clave = Button->data().toString();
    pasos::RunSteps(
        {[&] {
            if (Igual(clave, "Actualizar Jerarquías de cuentas"))
                ArmarTreeVAutomatico(QStringLiteral(" "));
            else if (Igual(clave, "Adjuntar Jerarquías "))
                Treev_Estado(Button->isChecked());
        }},
        [](const ado::Error& e) {
            return pasos::ResumeFor(
                ClsUtilidades::ReportaError(e, std::nullopt, QStringLiteral("ButtonClick")));
        },
        pasos::Trap::AllErrors);
}
