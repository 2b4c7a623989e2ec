#include "adjustment/ui/frmquarzelo.h"

#include "platform/ui/clsformulario.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

struct CampoCabecera {
    const char* columna;
    int largo; // 0: no limit
    const char* tag;
    bool soloLectura;
};

// Indexed as the window's code addresses them.
constexpr std::array<CampoCabecera, 11> kCampos{{
    {"[NUMERO ASIENTO]", 0, "MV_CONTROL_AS_RES", true},
    {"PERIODO_DESDE", 7, "", false},
    {"PERIODO_HASTA", 7, "", false},
    {"CTA_REI", 15, "ma_cuentas", false},
    {"TC", 4, "TA_COMPROBANTES", false},
    {"SUCURSAL", 4, "", false},
    {"NUMERO", 8, "", false},
    {"LETRA", 1, "", false},
    {"DETALLE", 50, "", false},
    {"FECHA", 10, "fecha", false},
    {"CABIMPORTE", 0, "", true},
}};

QLabel* Leyenda(const QString& texto, QWidget* padre) {
    return new QLabel(texto, padre);
}

} // namespace

FrmQuarzelo::FrmQuarzelo(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Asiento de Ajuste por Inflación"));
    Columnas = {{
        {QStringLiteral("Linea"), QString(), 5, QString()},
        {QStringLiteral("Cuenta"), QStringLiteral("CUENTA"), 15, QStringLiteral("MA_CUENTAS")},
        {QStringLiteral("Descripción"), QString(), 46, QString()},
        {QStringLiteral("Debe").leftJustified(17), QStringLiteral("DEBE"), 13, QString()},
        {QStringLiteral("Haber").leftJustified(17), QStringLiteral("HABER"), 13, QString()},
    }};
    ArmaControles();
    ArmaGrilla();
    ConectaEventos();
    resize(1100, 750);
}

FrmQuarzelo::~FrmQuarzelo() {
    delete FiltroEventos;
}

void FrmQuarzelo::ArmaControles() {
    auto* raiz = new QVBoxLayout(this);

    Paxtor1 = new Paxtor(this);
    Paxtor1->setObjectName(QStringLiteral("Paxtor1"));
    raiz->addWidget(Paxtor1);

    FrmCabecera = new QGroupBox(this);
    FrmCabecera->setObjectName(QStringLiteral("FrmCabecera"));
    raiz->addWidget(FrmCabecera);

    for (const CampoCabecera& c : kCampos) {
        auto* t = new QLineEdit(FrmCabecera);
        t->setObjectName(QStringLiteral("txtFields"));
        t->setProperty("DataField", QString::fromLatin1(c.columna));
        t->setProperty("Tag", QString::fromLatin1(c.tag));
        if (c.largo > 0)
            t->setMaxLength(c.largo);
        t->setReadOnly(c.soloLectura);
        // Shown, never typed into: they take no focus and look it.
        if (c.soloLectura) {
            t->setFocusPolicy(Qt::NoFocus);
            QPalette p = t->palette();
            p.setColor(QPalette::Base, p.color(QPalette::Window));
            t->setPalette(p);
        }
        txtFields.push_back(t);
    }

    LblDescCuenta = new QLabel(QStringLiteral("..."), FrmCabecera);
    LblDescCuenta->setObjectName(QStringLiteral("LblDescCuenta"));
    lbldesctc = new QLabel(QStringLiteral("..."), FrmCabecera);
    lbldesctc->setObjectName(QStringLiteral("lbldesctc"));
    LblEjercicio = new QLabel(QStringLiteral("Ejercicio"), FrmCabecera);
    LblEjercicio->setObjectName(QStringLiteral("LblEjercicio"));

    auto* g = new QGridLayout(FrmCabecera);
    g->addWidget(Leyenda(QStringLiteral("Nº de Asiento:"), FrmCabecera), 0, 0);
    g->addWidget(txtFields[0], 0, 1);
    g->addWidget(LblEjercicio, 0, 2, 1, 3);
    g->addWidget(Leyenda(QStringLiteral("Periodo Inicial "), FrmCabecera), 1, 0);
    g->addWidget(txtFields[1], 1, 1);
    g->addWidget(Leyenda(QStringLiteral("Periodo Final "), FrmCabecera), 1, 2);
    g->addWidget(txtFields[2], 1, 3);
    g->addWidget(Leyenda(QStringLiteral("Cuenta R.E.I."), FrmCabecera), 2, 0);
    g->addWidget(txtFields[3], 2, 1);
    g->addWidget(LblDescCuenta, 2, 2, 1, 3);
    g->addWidget(Leyenda(QStringLiteral("T. Comprobante"), FrmCabecera), 3, 0);
    g->addWidget(txtFields[4], 3, 1);
    g->addWidget(lbldesctc, 3, 2, 1, 3);
    auto* comprobante = new QHBoxLayout;
    comprobante->addWidget(txtFields[5]);
    comprobante->addWidget(txtFields[6]);
    comprobante->addWidget(txtFields[7]);
    comprobante->addStretch();
    g->addLayout(comprobante, 4, 1, 1, 3);
    g->addWidget(Leyenda(QStringLiteral("Fecha"), FrmCabecera), 5, 0);
    g->addWidget(txtFields[9], 5, 1);
    g->addWidget(Leyenda(QStringLiteral("Importe"), FrmCabecera), 5, 2);
    g->addWidget(txtFields[10], 5, 3);
    // The fields keep their natural width; the descriptions take the rest.
    g->setColumnStretch(4, 1);

    // Outside the header frame: the button is enabled while the header is
    // locked, and the concept is typed after the generation.
    auto* acciones = new QHBoxLayout;
    chkIncluirProforma = new QCheckBox(QStringLiteral("Incluir Proforma"), this);
    chkIncluirProforma->setObjectName(QStringLiteral("chkIncluirProforma"));
    CmdGenerar = new QPushButton(QStringLiteral("&Generar"), this);
    CmdGenerar->setObjectName(QStringLiteral("CmdGenerar"));
    acciones->addWidget(chkIncluirProforma);
    acciones->addStretch();
    acciones->addWidget(CmdGenerar);
    raiz->addLayout(acciones);
    connect(CmdGenerar, &QPushButton::clicked, this, [this] { CmdGenerar_Click(); });

    FgResumen = new QTableWidget(0, int(Columnas.size()), this);
    FgResumen->setObjectName(QStringLiteral("FgResumen"));
    FgResumen->horizontalHeader()->hide(); // row 0 holds the titles
    FgResumen->verticalHeader()->hide();
    FgResumen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FgResumen->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Tab leaves the grid for the next control, as the flex grid did.
    FgResumen->setTabKeyNavigation(false);
    // The widths in characters are those of the original's narrower font:
    // the number and amount columns grow to their texts and the description
    // takes the rest of the window.
    QHeaderView* columnas = FgResumen->horizontalHeader();
    for (int c : {0, 3, 4})
        columnas->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    columnas->setSectionResizeMode(2, QHeaderView::Stretch);
    FgResumen->verticalHeader()->setDefaultSectionSize(FgResumen->fontMetrics().height() + 8);
    raiz->addWidget(FgResumen, 1);

    auto* pie = new QGridLayout;
    QLineEdit* detalle = txtFields[8];
    detalle->setParent(this);
    detalle->setEnabled(false);
    pie->addWidget(Leyenda(QStringLiteral("Concepto:"), this), 0, 0);
    pie->addWidget(detalle, 0, 1);
    pie->addWidget(Leyenda(QStringLiteral("Total:"), this), 0, 2);
    for (int i = 0; i < 2; ++i) {
        txtTotal[size_t(i)] = new QLineEdit(this);
        txtTotal[size_t(i)]->setObjectName(QStringLiteral("txtTotal"));
        txtTotal[size_t(i)]->setAlignment(Qt::AlignRight);
        txtTotal[size_t(i)]->setEnabled(false);
        pie->addWidget(txtTotal[size_t(i)], 0, 3 + i);
    }
    pie->setColumnStretch(1, 1);
    raiz->addLayout(pie);

    sbStatusBar = new StatusBar(this);
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    for (const char* clave : {"VERSION", "SERVER", "BASEDEDATOS", "USUARIO", "CAJA"})
        sbStatusBar->AddPanel(QLatin1String(clave));
    sbStatusBar->AddPanel(QStringLiteral("MENSAJE"), 1);
    raiz->addWidget(sbStatusBar);

    // Tab follows the header by index (the concept too, though it stands
    // below the grid), then the totals, the button and the grid.
    QList<QWidget*> orden(txtFields.begin(), txtFields.end());
    orden << txtTotal[0] << txtTotal[1] << CmdGenerar << chkIncluirProforma << FgResumen;
    ClsFormulario::OrdenTabulacion(orden);
}

QLineEdit* FrmQuarzelo::addHeaderField(const QString& DataField) {
    auto* t = new QLineEdit(FrmCabecera);
    t->setObjectName(QStringLiteral("txtFields"));
    t->setProperty("DataField", DataField);
    txtFields.push_back(t);
    return t;
}

QLineEdit* FrmQuarzelo::Campo(const QString& columna) const {
    const int i = ClsFormulario::IndiceControl(columna, txtFields);
    return i < 0 ? nullptr : txtFields[size_t(i)];
}
