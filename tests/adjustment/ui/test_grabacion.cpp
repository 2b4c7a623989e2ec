#include "ventana_fixture.h"

class GrabacionTest : public VentanaTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(VentanaTest::SetUp());
        // The accounts the entries' lines are on.
        cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 1);
        for (const char* c : {"1201", "1301", "1401"})
            cuenta(QLatin1String(c), QStringLiteral("Cuenta ") + QLatin1String(c), 0);
    }

    // An accepted header and a balanced entry of two lines, as the window
    // holds them before the save.
    std::unique_ptr<FrmQuarzelo> asiento(const QString& detalle = QStringLiteral("Ajuste")) {
        auto w = nueva();
        EXPECT_TRUE(valida(*w, "CTA_REI", QStringLiteral("5901")));
        campo(*w, "TC")->setText(QStringLiteral("AJUS"));
        campo(*w, "SUCURSAL")->setText(QStringLiteral("0001"));
        campo(*w, "NUMERO")->setText(QStringLiteral("00000002"));
        campo(*w, "LETRA")->setText(QStringLiteral("X"));
        campo(*w, "DETALLE")->setText(detalle);
        campo(*w, "CABIMPORTE")->setText(QStringLiteral("90,74"));
        w->setLineas(
            {TipoLineaAjuste(), lineaDe("1101", "90,7402", ""), lineaDe("5901", "", "90,74")});
        return w;
    }

    // The boxes of the save: the notice of the new entry that follows a
    // stored adjustment of the whole year is left out.
    QStringList avisosGrabacion() const {
        QStringList r = responder->messages();
        r.removeIf([](const QString& m) {
            return m.startsWith(QStringLiteral("Ultimo ajuste realizado con fecha"));
        });
        return r;
    }
};

// One refused INSERT: no line is stored, the book keeps its number and the
// window keeps the entry.
TEST_F(GrabacionTest, FallaDeUnInsertNoGrabaNada) {
    auto w = asiento();
    paxtor(*w)->setEstado(Paxtor::EstadoGrabar, true);
    int inserts = 0;
    gDatos().cnn()->setFaultInjector([&](const QString& s) -> std::optional<ado::Error> {
        if (s.contains(QStringLiteral("INSERT INTO MV_ASIENTOS"), Qt::CaseInsensitive) &&
            ++inserts == 2)
            return ado::Error{-2147217873, QStringLiteral("Restricción violada"), {}, 2627, {}};
        return std::nullopt;
    });
    w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    gDatos().cnn()->setFaultInjector({});
    EXPECT_EQ(inserts, 2);
    EXPECT_TRUE(w->hayError());
    EXPECT_EQ(lineasAjuste(), 0);
    EXPECT_EQ(libroX().toLongLong(), 2);
    EXPECT_FALSE(responder->messages().contains(QStringLiteral("Proceso Completo!")));
    EXPECT_EQ(responder->shown.back().title, QStringLiteral("Aviso al Operador!"));
    // The failed entry stays on screen; only NUEVO goes on.
    EXPECT_EQ(w->lineas().size(), 3u);
    EXPECT_EQ(campo(*w, "DETALLE")->text(), QStringLiteral("Ajuste"));
    EXPECT_FALSE(generar(*w)->isEnabled());
    EXPECT_FALSE(paxtor(*w)->estado(Paxtor::EstadoGrabar));
    EXPECT_TRUE(paxtor(*w)->estado(Paxtor::EstadoNuevo));
}

// A value that cannot be converted stops the save before anything is sent.
TEST_F(GrabacionTest, FallaDeConversionAbortaLaGrabacion) {
    auto w = asiento();
    cambiaLineas(*w, [](LineasAjuste& l) { l[2].Vencimiento = QStringLiteral("31/02/2023"); });
    w->GrabaAsiento();
    EXPECT_TRUE(w->hayError());
    ASSERT_FALSE(responder->shown.empty());
    EXPECT_EQ(responder->shown.back().title, QStringLiteral("Error en conversion de datos"));
    EXPECT_TRUE(ultimoMensaje().startsWith(
        QStringLiteral("Verifique las siguientes opciones: \r\n\r\n1) Ha ingresado letras")));
    EXPECT_TRUE(ultimoMensaje().endsWith(QStringLiteral("En el campo: MV_ASIENTOS/VENCIMIENTO")));
    EXPECT_EQ(lineasAjuste(), 0);

    w = asiento();
    campo(*w, "FECHA")->setText(QStringLiteral("31/13/2023"));
    w->GrabaAsiento();
    EXPECT_TRUE(w->hayError());
    EXPECT_TRUE(ultimoMensaje().endsWith(QStringLiteral("En el campo: fecha/FECHA")));
    EXPECT_EQ(lineasAjuste(), 0);
    EXPECT_EQ(libroX().toLongLong(), 2);
}

// The save check revalidates the header as the user left it: a voucher
// number taken at the duplicate question is the one stored.
TEST_F(GrabacionTest, ElComprobanteAceptadoEsElQueSeGraba) {
    db.exec(
        QStringLiteral("INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, \"NUMERO ASIENTO\", "
                       "FECHA, CUENTA, TC, SUCURSAL, NUMERO, LETRA, TIPO_REG) VALUES (2023, 5, "
                       "1, '2023-05-02 00:00:00', '5901', 'AJUS', '0001', '00000002', 'X', '')"));
    auto w = asiento();
    ASSERT_TRUE(valida(*w, "TC", QStringLiteral("AJUS")));
    responder->answerMsg(vb::vbYes);
    ASSERT_TRUE(valida(*w, "LETRA", QStringLiteral("X")));
    EXPECT_EQ(ultimoMensaje(),
              QStringLiteral("El Comprobante Duplicado, el nuevo numero es: 0001-00000003X"));
    EXPECT_EQ(campo(*w, "NUMERO")->text(), QStringLiteral("00000003"));

    w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    EXPECT_EQ(ultimoMensaje(), QStringLiteral("Proceso Completo!"));
    // Asked once: the check did not take the book's number back.
    EXPECT_EQ(responder->messages().filter(QStringLiteral("Comprobante Duplicado")).size(), 1);
    EXPECT_EQ(
        db.scalar(QStringLiteral("SELECT DISTINCT NUMERO FROM MV_ASIENTOS WHERE ESAJUSTE = 1"))
            .toString(),
        QStringLiteral("00000003"));
    EXPECT_EQ(libroX().toLongLong(), 4);
}

// A blank letter passes the header check trimmed: the entry is stored under
// the letter of the book that moves on. A step of the save that fails stores
// nothing, leaves the book where it was and is never told as a success.
TEST_F(GrabacionTest, NingunPasoFallidoTerminaEnExito) {
    struct Caso {
        const char* nombre;
        const char* letra;
        const char* falla; // pattern of the statement refused
        bool graba;
    };
    const Caso casos[] = {
        {"letra en blanco", " ", nullptr, true},
        {"lectura del talonario", "X", "' AND TALONARIO =", false},
        {"avance del talonario", "X", "UPDATE V_TA_CPTE", false},
        {"lectura del comprobante grabado", "X", "^SELECT NUMERO FROM", false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        db.exec(QStringLiteral("DELETE FROM MV_ASIENTOS; UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 2"));
        responder->shown.clear();
        auto w = asiento();
        campo(*w, "LETRA")->setText(QLatin1String(c.letra));
        gDatos().cnn()->setFaultInjector([&](const QString& s) -> std::optional<ado::Error> {
            if (c.falla && s.contains(QRegularExpression(QLatin1String(c.falla))))
                return ado::Error{-2147467259, QStringLiteral("Tabla bloqueada"), {}, 1222, {}};
            return std::nullopt;
        });
        w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
        gDatos().cnn()->setFaultInjector({});
        const QStringList mensajes = avisosGrabacion();
        EXPECT_EQ(w->hayError(), !c.graba) << mensajes.join(u'|').toStdString();
        // A success is told alone; a failure is told, never as a success.
        if (c.graba) {
            EXPECT_EQ(mensajes, QStringList{QStringLiteral("Proceso Completo!")});
        } else {
            EXPECT_TRUE(!mensajes.isEmpty() &&
                        !mensajes.contains(QStringLiteral("Proceso Completo!")))
                << mensajes.join(u'|').toStdString();
        }
        EXPECT_EQ(lineasAjuste(), c.graba ? 2 : 0);
        EXPECT_EQ(libroX().toLongLong(), c.graba ? 3 : 2);
        if (c.graba) {
            EXPECT_EQ(
                db.scalar(QStringLiteral("SELECT DISTINCT LETRA FROM MV_ASIENTOS")).toString(),
                QStringLiteral("X"));
        }
    }
}

// A link lost for good at any statement of the save, from its first check to
// the commit, the
// reconnects working: nothing is stored, the book keeps its number and a box
// tells, never as a success.
TEST_F(GrabacionTest, UnEnlacePerdidoEnLaGrabacionNoGrabaNada) {
    const QString cadena = gDatos().cnn()->ConnectionString;
    QStringList enviadas;
    {
        auto w = asiento();
        testutil::recordStatements(gDatos().cnn(), enviadas);
        w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
        gDatos().cnn()->setFaultInjector({});
        ASSERT_EQ(ultimoMensaje(), QStringLiteral("Proceso Completo!"));
    }
    const qsizetype desde = enviadas.indexOf(QRegularExpression(QStringLiteral("BEGIN TRANS.*")));
    const qsizetype hasta = enviadas.indexOf(QStringLiteral("COMMIT TRANSACTION"));
    ASSERT_GT(desde, 3); // the checks before the transaction count as well
    ASSERT_GT(hasta, desde + 3);
    for (qsizetype k = 0; k <= hasta; ++k) {
        SCOPED_TRACE(enviadas[k].left(60).toStdString());
        db.exec(QStringLiteral("DELETE FROM MV_ASIENTOS; UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 2"));
        responder->shown.clear();
        auto w = asiento();
        int cuenta = 0;
        gDatos().cnn()->setFaultInjector(testutil::lostLinkAt(int(k), cadena, cuenta));
        w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
        gDatos().cnn()->setFaultInjector({});
        const QStringList mensajes = avisosGrabacion();
        // Each save answers its own boxes: the count of unscripted ones starts again.
        responder->unexpected = 0;
        EXPECT_TRUE(!mensajes.isEmpty() && !mensajes.contains(QStringLiteral("Proceso Completo!")))
            << mensajes.join(u'|').toStdString();
        EXPECT_TRUE(w->hayError());
        EXPECT_EQ(lineasAjuste(), 0);
        EXPECT_EQ(libroX().toLongLong(), 2);
        EXPECT_FALSE(gDatos().cnn()->inTransaction());
    }
}

// A voucher number stored by someone else while this save waited moves past
// the highest number of the book, and the user is told which one was stored;
// an incoming voucher keeps its issuer's number.
TEST_F(GrabacionTest, ComprobanteTomadoMientrasSeGraba) {
    db.exec(QStringLiteral(
        "INSERT INTO TA_COMPROBANTES (CODIGO, SISTEMA, TALONARIO, Descripcion, LETRAS, "
        "X_SUC_DEFAULT) VALUES ('AJEN', 'CONTABLE', 0, 'Ajuste recibido', 'X', 1)"));
    struct Caso {
        const char* tc;
        QList<int> tomados; // numbers stored by others during the save
        int grabado;
    };
    const Caso casos[] = {
        {"AJUS", {2, 3, 5}, 6},
        {"AJEN", {2}, 2},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.tc) + " " + std::to_string(c.tomados.size()));
        db.exec(QStringLiteral("DELETE FROM MV_ASIENTOS; UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 2"));
        responder->shown.clear();
        CNStuffContable::gTalonario = 0;
        auto w = asiento();
        campo(*w, "TC")->setText(QLatin1String(c.tc));
        bool hecho = false;
        gDatos().cnn()->setFaultInjector([&](const QString& s) -> std::optional<ado::Error> {
            if (!hecho && s.contains(QStringLiteral("BEGIN TRANSACTION"), Qt::CaseInsensitive)) {
                hecho = true;
                for (int n : c.tomados)
                    db.exec(QStringLiteral("INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "
                                           "\"NUMERO ASIENTO\", FECHA, CUENTA, TC, SUCURSAL, "
                                           "NUMERO, LETRA, TIPO_REG) VALUES (2023, 5, %1, "
                                           "'2023-05-02 00:00:00', '5901', '%2', '0001', "
                                           "'%3', 'X', '')")
                                .arg(n)
                                .arg(QLatin1String(c.tc))
                                .arg(n, 8, 10, QLatin1Char('0')));
            }
            return std::nullopt;
        });
        w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
        gDatos().cnn()->setFaultInjector({});
        ASSERT_TRUE(hecho);
        const QString numero = QStringLiteral("%1").arg(c.grabado, 8, 10, QLatin1Char('0'));
        EXPECT_EQ(db.rows(QStringLiteral("SELECT DISTINCT NUMERO FROM MV_ASIENTOS WHERE "
                                         "ESAJUSTE = 1")),
                  QList<QVariantList>{{numero}});
        QStringList esperados{QStringLiteral("Proceso Completo!")};
        if (c.grabado != 2)
            esperados.prepend(QStringLiteral("El comprobante se grabó con el número 0001-") +
                              numero + u'X');
        EXPECT_EQ(avisosGrabacion(), esperados);
        if (QLatin1String(c.tc) == u"AJUS") {
            EXPECT_EQ(libroX().toLongLong(), c.grabado + 1);
        }
    }
}

// A voucher type stored with a code shorter than four characters: the header
// takes its book's branch and number, the save stores it and moves the book,
// and the voucher stored is then found as posted.
TEST_F(GrabacionTest, TipoDeCodigoCortoConSuTalonario) {
    db.exec(QStringLiteral(
        "INSERT INTO TA_COMPROBANTES (CODIGO, SISTEMA, TALONARIO, Descripcion, LETRAS, "
        "ModificaNumeracion, X_SUC_DEFAULT, X_NRO_DESDE, X_NRO_HASTA) VALUES ('AS', "
        "'CONTABLE', 1, 'Asiento', 'X', 'FALSO', 3, 1, 9999);"
        "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, UNEGOCIO, Sistema, Externo, "
        "ModificaNumeracion, X_SUC_DEFAULT, X_NRO_DESDE, X_NRO_HASTA, X_ULTIMO_NRO) VALUES "
        "('AS', 1, '0001', 'CONTABLE', 0, 0, 3, 1, 9999, 41)"));
    auto w = asiento();
    ASSERT_TRUE(valida(*w, "TC", QStringLiteral("AS")));
    EXPECT_EQ(campo(*w, "SUCURSAL")->text(), QStringLiteral("0003"));
    EXPECT_EQ(campo(*w, "NUMERO")->text(), QStringLiteral("00000041"));
    EXPECT_EQ(campo(*w, "LETRA")->text(), QStringLiteral("X"));
    ASSERT_TRUE(valida(*w, "LETRA", QStringLiteral("X")))
        << responder->messages().join(u'|').toStdString();

    w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    EXPECT_EQ(avisosGrabacion(), QStringList{QStringLiteral("Proceso Completo!")});
    EXPECT_EQ(db.rows(QStringLiteral("SELECT DISTINCT TC, SUCURSAL, NUMERO, LETRA FROM "
                                     "MV_ASIENTOS WHERE ESAJUSTE = 1")),
              (QList<QVariantList>{{"AS", "0003", "00000041", "X"}}));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = 'AS'"))
                  .toLongLong(),
              42);

    Lbc_AsientoRef reglas;
    QString numero = QStringLiteral("00000041");
    QString mensaje;
    responder->answerMsg(vb::vbNo);
    EXPECT_FALSE(reglas->ValidaComprobante(QStringLiteral("AS"), QStringLiteral("0003"), numero,
                                           QStringLiteral("X"), mensaje));
    EXPECT_EQ(mensaje, QStringLiteral("Comprobante duplicado"));
    EXPECT_FALSE(reglas->ComprobanteEntrada(QStringLiteral("AS")));
}

// A type with the letters A and B and the letter left blank: the blank is the
// book's X, which this type's book does not serve. Nothing is stored, no book
// moves, and the user is told why instead of a success.
TEST_F(GrabacionTest, LetraEnBlancoSinLibroQueAvanceNoSeGraba) {
    db.exec(QStringLiteral(
        "INSERT INTO TA_COMPROBANTES (CODIGO, SISTEMA, TALONARIO, Descripcion, LETRAS, "
        "ModificaNumeracion, A_SUC_DEFAULT, A_NRO_DESDE, A_NRO_HASTA, B_SUC_DEFAULT, "
        "B_NRO_DESDE, B_NRO_HASTA) VALUES ('AJAB', 'CONTABLE', 1, 'Ajuste A y B', 'AB', "
        "'FALSO', 1, 1, 9999, 1, 1, 9999);"
        "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, UNEGOCIO, Sistema, Externo, "
        "ModificaNumeracion, A_SUC_DEFAULT, A_NRO_DESDE, A_NRO_HASTA, A_ULTIMO_NRO, "
        "B_SUC_DEFAULT, B_NRO_DESDE, B_NRO_HASTA, B_ULTIMO_NRO) VALUES ('AJAB', 1, '0001', "
        "'CONTABLE', 0, 0, 1, 1, 9999, 7, 1, 1, 9999, 9)"));
    auto w = asiento();
    ASSERT_TRUE(valida(*w, "TC", QStringLiteral("AJAB")));
    EXPECT_EQ(campo(*w, "LETRA")->text(), QStringLiteral("A"));
    ASSERT_TRUE(valida(*w, "LETRA", QString()));

    w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    EXPECT_TRUE(w->hayError());
    EXPECT_EQ(avisosGrabacion(),
              QStringList{QStringLiteral("Error en grabación del Comprobante, no se ha "
                                         "encontrado el comprobante configurado")});
    EXPECT_EQ(lineasAjuste(), 0);
    EXPECT_EQ(db.rows(QStringLiteral("SELECT A_ULTIMO_NRO, B_ULTIMO_NRO, X_ULTIMO_NRO FROM "
                                     "V_TA_CPTE WHERE CODIGO = 'AJAB'")),
              (QList<QVariantList>{{7, 9, 0}}));

    // The same entry under the letter the header proposed is stored, and its
    // book moves on.
    responder->shown.clear();
    w = asiento();
    ASSERT_TRUE(valida(*w, "TC", QStringLiteral("AJAB")));
    ASSERT_TRUE(valida(*w, "LETRA", QStringLiteral("A")));
    w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    EXPECT_EQ(avisosGrabacion(), QStringList{QStringLiteral("Proceso Completo!")});
    EXPECT_EQ(db.rows(QStringLiteral("SELECT DISTINCT LETRA, NUMERO FROM MV_ASIENTOS")),
              (QList<QVariantList>{{"A", "00000007"}}));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT A_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = 'AJAB'"))
                  .toLongLong(),
              8);
}
