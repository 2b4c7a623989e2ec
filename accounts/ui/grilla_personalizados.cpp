#include "accounts/ui/grilla_personalizados.h"

#include "accounts/core/mensajes.h"
#include "data/db_dll.h"
#include "data/pasos.h"
#include "platform/ui/clsformulario.h"
#include "platform/ui/edicion_celda.h"
#include "platform/ui/flexgrid.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kRutina = QStringLiteral("UltimoNumero$");
constexpr int kAnchoColumna = 2000; // twips

bool EsNumero(int tipo) {
    return DB_Dll::ADONumeric(tipo) || DB_Dll::ADOCurrency(tipo);
}

} // namespace

GrillaPersonalizados::GrillaPersonalizados(QWidget* parent) : QWidget(parent) {
    auto* marco = new QVBoxLayout(this);
    marco->setContentsMargins(0, 0, 0, 0);
    MSFlexGrid1 = new FlexGrid(this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    marco->addWidget(MSFlexGrid1);
    TxtEdit = new QLineEdit(this);
    TxtEdit->setObjectName(QStringLiteral("TxtEdit"));
    Edicion = new EdicionCelda(MSFlexGrid1, TxtEdit, EdicionCelda::Esquema::Libre, this);
    Edicion->FiltraTecla = [this](int& KeyAscii) { TxtEdit_KeyPress(KeyAscii); };
    Edicion->RechazaTexto = [this](int Fila, int, const QString& Texto) {
        return Rechazo(Fila, Texto);
    };
    Edicion->AvisaRechazo = [this](const QString& Motivo) { AvisaRechazo(Motivo); };
    MSFlexGrid1->setTextMatrix(0, 0, QStringLiteral("Campo"));
    MSFlexGrid1->setTextMatrix(0, 1, QStringLiteral("Valor"));
    MSFlexGrid1->setColWidth(0, kAnchoColumna);
    MSFlexGrid1->setColWidth(1, kAnchoColumna);
}

bool GrillaPersonalizados::EsCampoPersonalizado(const QString& nombre) {
    return nombre.left(2).compare(QStringLiteral("P_"), Qt::CaseInsensitive) == 0;
}

const GrillaPersonalizados::Campo* GrillaPersonalizados::campoDeFila(int fila) const {
    return fila >= 1 && fila <= int(campos_.size()) ? &campos_[size_t(fila - 1)] : nullptr;
}

QString GrillaPersonalizados::ValorCargado(int fila) const {
    const Campo* c = campoDeFila(fila);
    return c ? c->Cargado : QString();
}

void GrillaPersonalizados::AsignarPersonalizados(const ado::RecordsetPtr& Lrcs) {
    FlexGrid* g = MSFlexGrid1;
    int columnas = 0;
    pasos::RunSteps(
        [&](int paso) -> int {
            switch (paso) {
            case 0:
                Edicion->Descartar();
                g->setRows(1);
                campos_.clear();
                return 1;
            case 1:
                g->setFixedCols(1);
                return 2;
            case 2:
                g->setTextMatrix(0, 0, QStringLiteral("Campo"));
                g->setTextMatrix(0, 1, QStringLiteral("Valor"));
                return 3;
            case 3:
                if (!Lrcs)
                    vb::Raise(vb::errObjectNotSet);
                columnas = Lrcs->fieldCount();
                return 4;
            default:
                break;
            }
            const int i = paso - 4;
            if (i < columnas) {
                const ado::Field f = Lrcs->Fields(i);
                if (!EsCampoPersonalizado(f.Name()))
                    return paso + 1;
                Campo campo{cuentas::ColumnaDe(f), QString()};
                if (!Lrcs->BOF() && !Lrcs->EOF()) {
                    QVariant v = f.Value();
                    if (v.typeId() == QMetaType::QString)
                        v = v.toString().trimmed();
                    campo.Cargado = ClsUtilidades::ValorCampo(v).trimmed();
                }
                const int fila = g->Rows();
                g->setRows(fila + 1);
                g->setTextMatrix(fila, 0, f.Name().trimmed());
                g->setTextMatrix(fila, 1, campo.Cargado);
                campos_.push_back(campo);
                return paso + 1;
            }
            if (i == columnas) {
                g->setColWidth(0, kAnchoColumna);
                g->setColWidth(1, kAnchoColumna);
                return paso + 1;
            }
            if (g->Rows() > 1)
                g->setFixedRows(1);
            return -1;
        },
        pasos::Recuadro(kRutina), 0, pasos::Trap::AllErrors);
}

void GrillaPersonalizados::GrabarPersonalizados(const ado::RecordsetPtr& Lrcs) {
    FlexGrid* g = MSFlexGrid1;
    if (g->Rows() <= 1)
        return;
    pasos::RunSteps(
        [&](int paso) -> int {
            const int fila = paso + 1;
            if (fila >= g->Rows())
                return -1;
            if (!Lrcs)
                vb::Raise(vb::errObjectNotSet);
            ado::Field f = Lrcs->Fields(g->TextMatrix(fila, 0));
            const QString valor = g->TextMatrix(fila, 1);
            // A blank is no number and no date: it clears the column.
            if (!DB_Dll::ADOText(f.Type()) && valor.trimmed().isEmpty())
                f.setValue(vb::Null());
            else
                f.setValue(valor);
            return paso + 1;
        },
        pasos::Recuadro(kRutina), 0, pasos::Trap::AllErrors);
}

QString GrillaPersonalizados::Valor(int fila) const {
    // The open edit box lies over its cell: what it holds is what is shown.
    return Edicion->FilaEditada() == fila ? TxtEdit->text() : MSFlexGrid1->TextMatrix(fila, 1);
}

bool GrillaPersonalizados::SeGuarda(int fila) const {
    return !Valor(fila).trimmed().isEmpty() || !ValorCargado(fila).trimmed().isEmpty();
}

std::vector<cuentas::CampoPersonalizado> GrillaPersonalizados::Personalizados() const {
    std::vector<cuentas::CampoPersonalizado> filas;
    for (int fila = 1; fila < MSFlexGrid1->Rows(); ++fila)
        if (SeGuarda(fila))
            filas.push_back({MSFlexGrid1->TextMatrix(fila, 0), Valor(fila)});
    return filas;
}

void GrillaPersonalizados::AgregaCamposPersonalizados() const {
    for (int fila = 1; fila < MSFlexGrid1->Rows(); ++fila) {
        if (!SeGuarda(fila))
            continue;
        const Campo* c = campoDeFila(fila);
        cuentas::AgregaCampoPersonalizado(MSFlexGrid1->TextMatrix(fila, 0),
                                          c ? c->Columna : cuentas::ColumnaPersonalizada{},
                                          Valor(fila));
    }
}

bool GrillaPersonalizados::ConfirmaEdicion() {
    return Edicion->Confirmar();
}

QString GrillaPersonalizados::Rechazo(int fila, const QString& texto) const {
    const Campo* c = campoDeFila(fila);
    return c ? cuentas::RechazoPersonalizado(c->Columna, texto) : QString();
}

void GrillaPersonalizados::AvisaRechazo(const QString& motivo) {
    // The grid may sit on a tab the user left with the box still open.
    for (QWidget* w = this; w; w = w->parentWidget()) {
        QWidget* pila = w->parentWidget();
        if (auto* fichas = qobject_cast<QTabWidget*>(pila ? pila->parentWidget() : nullptr))
            if (fichas->indexOf(w) >= 0)
                fichas->setCurrentWidget(w);
    }
    TxtEdit->setFocus(Qt::OtherFocusReason);
    vb::MsgBox(motivo, vb::vbInformation + vb::vbOKOnly, cuentas::TituloAvisoOperador);
}

void GrillaPersonalizados::MsflexGridEdt(int KeyAscii) {
    Edicion->AbrirCaja(KeyAscii);
}

void GrillaPersonalizados::EditKeyCode(int KeyCode, int Shift) {
    Edicion->EditKeyCode(KeyCode, Shift);
}

void GrillaPersonalizados::TxtEdit_KeyPress(int& KeyAscii) const {
    if (MSFlexGrid1->Col() <= 0)
        return;
    const int fila = Edicion->Abierta() ? Edicion->FilaEditada() : MSFlexGrid1->Row();
    const Campo* c = campoDeFila(fila);
    if (!c || !EsNumero(c->Columna.Tipo) || (KeyAscii != u',' && KeyAscii != u'.'))
        return;
    const QChar separador = ClsFormulario::FiltraNumerico().at(0);
    KeyAscii = TxtEdit->text().trimmed().contains(separador) ? 0 : separador.unicode();
}
