#include "adjustment/ui/frmquarzelo.h"

#include "platform/vb/msgbox.h"
#include "platform/win/clsutilidades.h"

#include <QLineEdit>
#include <QTableWidget>

namespace {

constexpr int kFilasGrilla = 20;
const QString kPatronTotal = QStringLiteral("#########.00");
const QString kPatronGrilla = QStringLiteral("########0.00");

// An amount cell: empty for a zero and for a side without an amount.
QString Importe(const std::optional<vb::Currency>& lado) {
    const vb::Currency m = lado.value_or(vb::Currency());
    return m == vb::Currency() ? QString() : vb::Format(vb::fromCurrency(m), kPatronGrilla);
}

QString Total(vb::Currency t) {
    return vb::Format(vb::fromCurrency(t), kPatronTotal);
}

// The control's own Enabled, whatever its frame's.
bool Habilitado(const QWidget* w) {
    return !w->testAttribute(Qt::WA_ForceDisabled);
}

} // namespace

void FrmQuarzelo::PonCelda(int fila, int columna, const QString& texto) {
    QTableWidgetItem* item = FgResumen->item(fila, columna);
    if (!item) {
        item = new QTableWidgetItem;
        const QString& campo = Columnas[size_t(columna)].Campo;
        const bool importe = campo.compare(QStringLiteral("DEBE"), Qt::CaseInsensitive) == 0 ||
                             campo.compare(QStringLiteral("HABER"), Qt::CaseInsensitive) == 0;
        item->setTextAlignment(importe ? Qt::AlignRight | Qt::AlignBottom
                                       : Qt::AlignLeft | Qt::AlignVCenter);
        if (fila == 0) {
            QFont f = item->font();
            f.setBold(true);
            item->setFont(f);
            item->setFlags(Qt::ItemIsEnabled);
        }
        FgResumen->setItem(fila, columna, item);
    }
    item->setText(texto);
}

void FrmQuarzelo::ArmaGrilla() {
    FgResumen->clear();
    FgResumen->setColumnCount(int(Columnas.size()));
    FgResumen->setRowCount(kFilasGrilla);
    FgResumen->setCurrentCell(0, 0);
    for (int c = 0; c < int(Columnas.size()); ++c) {
        FgResumen->setColumnWidth(c, (Columnas[size_t(c)].Ancho + 1) * 80 / kTwipsPorPixel);
        PonCelda(0, c, Columnas[size_t(c)].Titulo);
    }
    for (int r = 1; r < kFilasGrilla; ++r)
        PonCelda(r, 0, QString::number(r));
}

void FrmQuarzelo::LlenaResumen() {
    const int ub = int(Lineas.size()) - 1;
    if (ub >= kFilasGrilla)
        FgResumen->setRowCount(ub + 1);
    for (int j = 0; j < int(Lineas.size()); ++j) {
        TipoLineaAjuste& l = Lineas[size_t(j)];
        if (!LineaParticipa(l))
            continue;
        PonCelda(j, 0, QString::number(j));
        PonCelda(j, 1, Recorta(l.Cuenta));
        PonCelda(j, 2, Recorta(l.Descripcion));
        PonCelda(j, 3, Importe(l.Debe));
        PonCelda(j, 4, Importe(l.Haber));
        l.setCuenta(Recorta(l.Cuenta));
    }
    // Rows that no line fills keep only their number, also when an earlier
    // generation had written them.
    for (int r = 1; r < FgResumen->rowCount(); ++r) {
        if (r < int(Lineas.size()) && LineaParticipa(Lineas[size_t(r)]))
            continue;
        for (int c = 1; c < FgResumen->columnCount(); ++c)
            if (FgResumen->item(r, c))
                FgResumen->item(r, c)->setText(QString());
    }
}

void FrmQuarzelo::ActualizaTotales() {
    vb::Currency debe, haber;
    CalculaTotales(debe, haber);
}

void FrmQuarzelo::CalculaTotales(vb::Currency& TotalDebe, vb::Currency& TotalHaber) {
    GeneracionAjuste::Totales(Lineas, TotalDebe, TotalHaber);
    txtTotal[0]->setText(Total(TotalDebe));
    txtTotal[1]->setText(Total(TotalHaber));
}

void FrmQuarzelo::ValidaTotales(bool& Ok) {
    HayError = false;
    for (int i = 0; i < int(txtFields.size()); ++i) {
        if (!Habilitado(txtFields[size_t(i)]))
            continue;
        // While saving, a field accepted as it stands is read again without
        // refilling the fields it fills; one changed since is judged in full.
        if (Grabando)
            SoloRevalida = size_t(i) < Validado.size() && Validado[size_t(i)];
        if (!ValidaCampo(i)) {
            HayError = true;
            Ok = false;
            // The user corrects it where it stands.
            txtFields[size_t(i)]->setFocus();
            return;
        }
    }
    // The periods are fixed fields, so no field rule has looked at them.
    if (GeneracionAjuste::RechazaRango(Campo(QStringLiteral("PERIODO_DESDE"))->text(),
                                       Campo(QStringLiteral("PERIODO_HASTA"))->text())) {
        HayError = true;
        Ok = false;
        return;
    }
    vb::Currency debe, haber;
    GeneracionAjuste::Totales(Lineas, debe, haber);
    // Compared as the fields show them, two decimals.
    if (ClsUtilidades::TextoAMoneda(Total(debe)) != ClsUtilidades::TextoAMoneda(Total(haber))) {
        vb::MsgBox(QStringLiteral("Totales Incorrectos!!") + vb::vbCrLf +
                       QStringLiteral("Corrija el asiento"),
                   vb::vbOKOnly, QStringLiteral("Aviso al operador"));
        Ok = false;
        return;
    }
    Ok = true;
}

void FrmQuarzelo::ValidaLineas(bool& Ok) {
    // Each side as the line writes it (its plain regional text; blank when
    // it holds no amount) must read as a number.
    for (const TipoLineaAjuste& l : Lineas) {
        for (const std::optional<vb::Currency>& lado : {l.Debe, l.Haber}) {
            const QString texto = lado ? Recorta(lado->toString()) : QString();
            if (!texto.isEmpty() && !ClsUtilidades::EsNumero(texto)) {
                Ok = false;
                return;
            }
        }
    }
    Ok = true;
}

void FrmQuarzelo::ControlaTotalCabecera(QString& Resultado) {
    Resultado.clear();
    vb::Currency debe, haber;
    CalculaTotales(debe, haber);
    const vb::Currency cabecera =
        ClsUtilidades::TextoAMoneda(Campo(QStringLiteral("CABIMPORTE"))->text());
    if (debe != haber && VerificaTotales) {
        HayError = true;
        Resultado = QStringLiteral("Debe difiere del haber!");
    } else if (debe != cabecera && VerificaTotales) {
        HayError = true;
        Resultado = QStringLiteral("Totales Incorrecto!");
    } else if (!VerificaTotales && debe == cabecera && debe == haber) {
        Resultado = QStringLiteral("OK");
    }
}
