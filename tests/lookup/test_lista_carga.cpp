#include "lista_fixture.h"

#include <QLabel>
#include <QScrollBar>

TEST_F(ListaTest, LoadShowsTheQueryUnderItsColumns) {
    auto w = abre(cuentasSql());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Consulta..."));
    EXPECT_EQ(w->modelo().encabezados(),
              (QStringList{QStringLiteral("CODIGO"), QStringLiteral("DESCRIPCION"),
                           QStringLiteral("INDICE")}));
    EXPECT_EQ(w->tablaConsulta(), QStringLiteral("MA_CUENTAS"));
    EXPECT_EQ(w->sqlInicial(), cuentasSql() + u' ');
    for (int k = 0; k < 3; ++k) {
        ASSERT_NE(combo(*w, k), nullptr);
        EXPECT_EQ(combo(*w, k)->property("Tag").toString(), w->modelo().encabezados()[k]);
        EXPECT_EQ(combo(*w, k)->toolTip(), QStringLiteral("F5 realiza nueva busqueda"));
    }
    EXPECT_EQ(celda(*w, 0, 0), QStringLiteral("1001"));
    EXPECT_EQ(celda(*w, 0, 1), QStringLiteral("Cuenta 1"));
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("CONSULTA"));
    for (auto [nombre, texto] : {std::pair{"CmdAceptar", "&Aceptar"},
                                 {"CmdCancelar", "&Cancelar"},
                                 {"CmdNueva", "&Nueva Busqueda"},
                                 {"CmdNuevo", "N&uevo"},
                                 {"CmdTodos", "&Marcar"}})
        EXPECT_EQ(boton(*w, nombre)->text(), QString::fromUtf8(texto)) << nombre;

    // A second load reuses the combos and reads the rows again.
    w->Form_Load();
    EXPECT_EQ(w->findChildren<QComboBox*>(QStringLiteral("CmbSearch")).size(), 3);
    EXPECT_EQ(celda(*w, 0, 0), QStringLiteral("1001"));
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(ListaTest, EmptyStatementRunsNoQuery) {
    QStringList vistas;
    testutil::recordStatements(gDatos().cnn(), vistas);
    auto w = abre(QStringLiteral("   "));
    EXPECT_TRUE(vistas.isEmpty());
    EXPECT_EQ(w->modelo().filas(), 0);
    // A statement that ends with the table still names it.
    w->SQL = QStringLiteral("SELECT * FROM MA_CUENTAS");
    w->Form_Load();
    EXPECT_EQ(w->tablaConsulta(), QStringLiteral("MA_CUENTAS"));
}

TEST_F(ListaTest, ColumnWidthsFollowTheFieldSizes) {
    db.exec(QStringLiteral("CREATE TABLE T_ANCHOS (CORTO VARCHAR(8), LARGO VARCHAR(200), "
                           "IMPORTE MONEY, CANT NUMERIC(18,2), EXPR_VACIA)"));
    struct Caso {
        QString valoresDefault;
        std::array<int, 5> letras;
    };
    for (const Caso& c : {Caso{QString(), {8, 60, 10, 10, 10}},
                          Caso{QStringLiteral("@10"), {18, 70, 20, 20, 20}}}) {
        auto w = std::make_unique<Lib_FrmCons3>();
        w->SQL = QStringLiteral("SELECT * FROM T_ANCHOS");
        w->ValoresDefault = c.valoresDefault;
        w->Form_Load();
        for (int k = 0; k < 5; ++k) {
            const int esperado = w->fontMetrics().horizontalAdvance(QString(c.letras[k], u'X'));
            EXPECT_EQ(lista(*w)->header()->sectionSize(k), esperado)
                << c.valoresDefault.toStdString() << " column " << k;
        }
    }
}

TEST_F(ListaTest, ArticleRowsTakeTheirStockColourAndPriceTitles) {
    db.exec(QStringLiteral(
        "CREATE TABLE V_MA_ARTICULOS (idarticulo VARCHAR(25), Descripcion VARCHAR(60), "
        "PUNTOPEDIDO MONEY, Stock MONEY, PRECIO1 MONEY, PRECIO3 MONEY);"
        "INSERT INTO V_MA_ARTICULOS VALUES ('1', 'A', 0, 5, 1, 1), ('2', 'B', 10, 12, 1, 1), "
        "('3', 'C', 10, 4, 1, 1), ('4', 'D', 10, 10, 1, 1);"
        "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('NOM_PCLASE3', 'Mayorista')"));
    auto w = std::make_unique<Lib_FrmCons3>();
    w->SQL = QStringLiteral("SELECT * FROM V_MA_ARTICULOS ORDER BY idarticulo");
    w->MuestraStock = QStringLiteral("SI");
    w->StkNivel1 = 0x0000FF; // red: Windows colours are BGR
    w->StkNivel2 = QStringLiteral("65280");
    w->StkNivel3 = 0xFF0000;
    w->StkNivel4 = 0x00FFFF;
    w->Form_Load();
    EXPECT_EQ(w->modelo().encabezados().mid(4),
              (QStringList{QStringLiteral(" "), QStringLiteral("Mayorista")}));
    const std::array<QColor, 4> colores{QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255),
                                        QColor(255, 255, 0)};
    for (int f = 0; f < 4; ++f) {
        const QModelIndex i = w->modelo().index(f, 1);
        EXPECT_EQ(i.data(Qt::ForegroundRole).value<QColor>(), colores[size_t(f)]) << f;
        EXPECT_TRUE(i.data(Qt::FontRole).value<QFont>().bold());
    }
    // A blank colour leaves the rows plain.
    w->StkNivel1 = QStringLiteral(" ");
    w->Form_Load();
    EXPECT_FALSE(w->modelo().index(0, 1).data(Qt::ForegroundRole).isValid());
}

TEST_F(ListaTest, SearchCombosStayOverTheirColumns) {
    auto w = abre(cuentasSql());
    w->resize(300, 400);
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    QTreeView* v = lista(*w);
    auto sobreSuColumna = [&](int k) {
        const QPoint columna =
            v->viewport()->mapTo(w.get(), QPoint(v->header()->sectionViewportPosition(k), 0));
        const QPoint caja = combo(*w, k)->mapTo(w.get(), QPoint(0, 0));
        EXPECT_EQ(caja.x(), columna.x()) << k;
        EXPECT_EQ(combo(*w, k)->width(), v->header()->sectionSize(k) - 3) << k;
    };
    v->header()->resizeSection(0, 200);
    sobreSuColumna(1);
    v->horizontalScrollBar()->setValue(120);
    ASSERT_GT(v->horizontalScrollBar()->value(), 0);
    sobreSuColumna(1);
    sobreSuColumna(2);
}

// Columns as wide as their widest value read, within 60 characters; the
// search column (the first) whatever its values take.
TEST_F(ListaTest, ColumnsShowTheirValuesWhole) {
    db.exec(QStringLiteral("CREATE TABLE T_VALORES (CODIGO VARCHAR(4), DESCRIPCION VARCHAR(200), "
                           "NOTA VARCHAR(200))"));
    const QString larga = QStringLiteral("Comprobante de ajuste por inflación ").repeated(5);
    db.exec(QStringLiteral("INSERT INTO T_VALORES VALUES ('AJUS', 'Ajuste', '%1'), "
                           "('ASTO', 'Asiento', 'corta')")
                .arg(larga));
    struct Caso {
        const char* nombre;
        const char* sql;
        int columna;
        bool entera;
    };
    const std::vector<Caso> casos = {
        {"a four-letter code in its bold list font", "SELECT * FROM T_VALORES", 0, true},
        {"the same code in another column", "SELECT DESCRIPCION, CODIGO FROM T_VALORES", 1, true},
        {"a long text within 60 characters", "SELECT * FROM T_VALORES", 2, false},
        {"the same text as the search column", "SELECT NOTA, CODIGO FROM T_VALORES", 0, true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        auto w = abre(QString::fromLatin1(c.sql));
        // The widest text in the list's font, with the cell's margins.
        const QFontMetrics letra(lista(*w)->font());
        const int margen = 2 * (w->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
        int necesario = 0;
        for (int f = 0; f < w->modelo().filas(); ++f)
            necesario =
                std::max(necesario, letra.horizontalAdvance(celda(*w, f, c.columna)) + margen);
        const int ancho = lista(*w)->header()->sectionSize(c.columna);
        const int limite = w->fontMetrics().horizontalAdvance(QString(60, u'X'));
        if (c.entera) {
            EXPECT_GE(ancho, necesario);
        } else {
            EXPECT_LT(limite, necesario);
            EXPECT_EQ(ancho, limite);
        }
        EXPECT_EQ(combo(*w, c.columna)->width(), ancho - 3);
    }
}
