#include "accounts/ui/grilla_personalizados.h"

#include "data/db_dll.h"
#include "data/pasos.h"
#include "platform/ado/engine.h"
#include "platform/ui/clsformulario.h"
#include "platform/ui/edicion_celda.h"
#include "platform/ui/flexgrid.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/cnstuffcontable.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <cmath>

namespace {

const QString kRutina = QStringLiteral("UltimoNumero$");
constexpr int kAnchoColumna = 2000; // twips

pasos::OnError Recuadro() {
    return [](const ado::Error& e) {
        return pasos::ResumeFor(ClsUtilidades::ReportaError(e, std::nullopt, kRutina));
    };
}

bool EsNumero(int tipo) {
    return DB_Dll::ADONumeric(tipo) || DB_Dll::ADOCurrency(tipo);
}

bool EsEntero(int tipo) {
    switch (tipo) {
    case ado::adSmallInt:
    case ado::adInteger:
    case ado::adTinyInt:
    case ado::adUnsignedTinyInt:
    case 18: // unsigned small int
    case 19: // unsigned int
    case ado::adBigInt:
    case 21: // unsigned big int
        return true;
    default:
        return false;
    }
}

[[noreturn]] void NoConvierte(const QString& campo) {
    ado::Error e = ado::adoError(ado::adErrDataConversion);
    e.Source = campo;
    throw ado::Exception(e);
}

// The value as an SQL literal of its column's type; empty for a text column,
// whose value goes quoted as typed.
QString Literal(int tipo, const QString& valor, const QString& campo) {
    const QString t = valor.trimmed();
    if (DB_Dll::ADOCurrency(tipo)) {
        const std::optional<vb::Currency> monto = vb::Currency::parse(t);
        if (!monto)
            NoConvierte(campo);
        return monto->toString(u'.');
    }
    if (DB_Dll::ADONumeric(tipo)) {
        if (!vb::IsNumeric(QVariant(t)))
            NoConvierte(campo);
        const double n = vb::CDbl(QVariant(t));
        if (EsEntero(tipo))
            return QString::number(qlonglong(std::nearbyint(n)));
        return QString::number(n, 'g', 15);
    }
    if (DB_Dll::ADOBoolean(tipo)) {
        for (const char* si : {"verdadero", "true"})
            if (t.compare(QLatin1String(si), Qt::CaseInsensitive) == 0)
                return QStringLiteral("1");
        for (const char* no : {"falso", "false"})
            if (t.compare(QLatin1String(no), Qt::CaseInsensitive) == 0)
                return QStringLiteral("0");
        if (!vb::IsNumeric(QVariant(t)))
            NoConvierte(campo);
        return vb::CDbl(QVariant(t)) != 0 ? QStringLiteral("1") : QStringLiteral("0");
    }
    if (DB_Dll::adodate(tipo)) {
        const std::optional<QDateTime> fecha = vb::ParseDate(t);
        if (!fecha)
            NoConvierte(campo);
        return ClsUtilidades::FechaHoraParaSQL(*fecha);
    }
    return QString();
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
                Campo campo{f.Type(), QString()};
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
        Recuadro(), 0, pasos::Trap::AllErrors);
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
        Recuadro(), 0, pasos::Trap::AllErrors);
}

void GrillaPersonalizados::AgregaCamposPersonalizados() const {
    const FlexGrid* g = MSFlexGrid1;
    const QString nulo = QStringLiteral("NULL");
    for (int fila = 1; fila < g->Rows(); ++fila) {
        const QString campo = g->TextMatrix(fila, 0);
        const QString valor = g->TextMatrix(fila, 1);
        const Campo* c = campoDeFila(fila);
        const int tipo = c ? c->Tipo : int(ado::adVarChar);
        if (valor.trimmed().isEmpty()) {
            if (c && !c->Cargado.trimmed().isEmpty())
                CNStuffContable::AgregaCampo(campo, nulo, QStringLiteral("'"), false);
            continue;
        }
        if (valor.trimmed().compare(nulo, Qt::CaseInsensitive) == 0) {
            CNStuffContable::AgregaCampo(campo, nulo, QStringLiteral("'"), false);
            continue;
        }
        const QString literal = Literal(tipo, valor, campo);
        if (literal.isEmpty())
            CNStuffContable::AgregaCampo(campo, valor, QStringLiteral("'"), false);
        else
            CNStuffContable::AgregaCampo(campo, literal, QString(), false);
    }
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
    if (!c || !EsNumero(c->Tipo) || (KeyAscii != u',' && KeyAscii != u'.'))
        return;
    const QChar separador = ClsFormulario::FiltraNumerico().at(0);
    KeyAscii = TxtEdit->text().trimmed().contains(separador) ? 0 : separador.unicode();
}
