// The demo company (demo/data.sql on demo/schema.sql): the facts the program
// and a newcomer rely on when the adjustment of 2023 is run on it.

#include "common/tempdb.h"
#include "platform/ado/ado.h"

#include <QDate>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>
#include <memory>

using testutil::TempDatabase;

namespace {

const QString kCuentaRei = QStringLiteral("610301001");
const QString kLetrasLibro = QStringLiteral("A,B,C,E,R,X,M"); // letters a book may hold
const QString kLetrasCabecera = QStringLiteral("ABCXE");      // letters the header accepts

qlonglong cents(const QVariant& v) {
    return qRound64(v.toDouble() * 100.0);
}

QString text(const QVariant& v) {
    return v.toString();
}

class DemoData : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        db_ = std::make_unique<TempDatabase>();
        QFile f(QStringLiteral(QUARZELO_SOURCE_DIR "/demo/data.sql"));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << f.errorString().toStdString();
        db_->exec(QStringLiteral("BEGIN;\n") + QString::fromUtf8(f.readAll()) +
                  QStringLiteral("\n;COMMIT;"));
    }
    static void TearDownTestSuite() { db_.reset(); }

    const TempDatabase& db() const { return *db_; }
    QList<QVariantList> rows(const QString& sql) const { return db_->rows(sql); }
    QVariant scalar(const QString& sql) const { return db_->scalar(sql); }
    QString cfg(const QString& key) const {
        return text(scalar(
            QStringLiteral("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = '%1'").arg(key)));
    }

private:
    static std::unique_ptr<TempDatabase> db_;
};

std::unique_ptr<TempDatabase> DemoData::db_;

TEST_F(DemoData, EveryEntryBalancesAndRepeatsItsHeader) {
    const auto entries = rows(QStringLiteral(
        "SELECT PERIODO, MES_OPERATIVO, \"NUMERO ASIENTO\", TIPO_REG,"
        " SUM(CASE WHEN \"DEBE-HABER\" = 'D' THEN IMPORTE ELSE 0 END),"
        " SUM(CASE WHEN \"DEBE-HABER\" = 'H' THEN IMPORTE ELSE 0 END),"
        " COUNT(DISTINCT FECHA), COUNT(DISTINCT TC || SUCURSAL || NUMERO || LETRA),"
        " COUNT(DISTINCT DETALLE), MIN(CABIMPORTE), MAX(CABIMPORTE),"
        " COUNT(*), COUNT(DISTINCT SECUENCIA), MIN(SECUENCIA), MAX(SECUENCIA)"
        " FROM MV_ASIENTOS GROUP BY PERIODO, MES_OPERATIVO, \"NUMERO ASIENTO\", TIPO_REG"));
    ASSERT_GT(entries.size(), 100);
    for (const QVariantList& e : entries) {
        const std::string id =
            QStringLiteral("%1 %2-%3").arg(text(e[0]), text(e[1]), text(e[2])).toStdString();
        EXPECT_EQ(cents(e[4]), cents(e[5])) << id << " does not balance";
        EXPECT_GT(cents(e[4]), 0) << id;
        EXPECT_EQ(e[6].toInt(), 1) << id << " has several dates";
        EXPECT_EQ(e[7].toInt(), 1) << id << " has several vouchers";
        EXPECT_EQ(e[8].toInt(), 1) << id << " has several concepts";
        EXPECT_EQ(cents(e[9]), cents(e[10])) << id << " has several header amounts";
        EXPECT_EQ(cents(e[9]), cents(e[4])) << id << " header amount is not the total";
        EXPECT_EQ(e[11].toInt(), e[12].toInt()) << id << " repeats a line number";
        EXPECT_EQ(e[13].toInt(), 1) << id;
        EXPECT_EQ(e[14].toInt(), e[11].toInt()) << id << " line numbers have gaps";
    }

    // Lines: one side, a positive amount, the month of the date, inside the year.
    const auto wrong = rows(QStringLiteral(
        "SELECT A.PERIODO, A.MES_OPERATIVO, A.\"NUMERO ASIENTO\", A.SECUENCIA FROM MV_ASIENTOS A"
        " LEFT JOIN MV_EJERCICIOS E ON E.PERIODO = A.PERIODO"
        " WHERE A.\"DEBE-HABER\" NOT IN ('D', 'H') OR NOT A.IMPORTE > 0"
        " OR A.MES_OPERATIVO <> CAST(SUBSTR(A.FECHA, 6, 2) AS INTEGER)"
        " OR E.PERIODO IS NULL OR A.FECHA < E.\"Fecha Desde\" OR A.FECHA > E.\"Fecha Hasta\""
        " OR A.SUCURSAL NOT GLOB '[0-9][0-9][0-9][0-9]'"
        " OR A.NUMERO NOT GLOB '[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]'"));
    EXPECT_TRUE(wrong.isEmpty()) << "first wrong line: "
                                 << text(wrong.value(0).value(0)).toStdString() << " "
                                 << text(wrong.value(0).value(1)).toStdString() << "-"
                                 << text(wrong.value(0).value(2)).toStdString();
}

TEST_F(DemoData, EntriesAreNumberedPerMonthAndVouchersAreNotRepeated) {
    for (const QVariantList& r : rows(QStringLiteral(
             "SELECT PERIODO, MES_OPERATIVO, TIPO_REG, COUNT(DISTINCT \"NUMERO ASIENTO\"),"
             " MIN(\"NUMERO ASIENTO\"), MAX(\"NUMERO ASIENTO\") FROM MV_ASIENTOS"
             " GROUP BY PERIODO, MES_OPERATIVO, TIPO_REG"))) {
        EXPECT_EQ(r[4].toInt(), 1) << text(r[0]).toStdString() << "/" << r[1].toInt();
        EXPECT_EQ(r[5].toInt(), r[3].toInt()) << text(r[0]).toStdString() << "/" << r[1].toInt();
    }
    // The duplicate check of the header refuses a voucher posted twice.
    const auto repeated =
        rows(QStringLiteral("SELECT TC, SUCURSAL, NUMERO, LETRA FROM MV_ASIENTOS"
                            " GROUP BY TC, SUCURSAL, NUMERO, LETRA"
                            " HAVING COUNT(DISTINCT PERIODO || '/' || MES_OPERATIVO || '/' ||"
                            " \"NUMERO ASIENTO\") > 1"));
    EXPECT_TRUE(repeated.isEmpty()) << text(repeated.value(0).value(0)).toStdString() << " "
                                    << text(repeated.value(0).value(2)).toStdString();
}

TEST_F(DemoData, PostedAccountsExistAndArePostable) {
    const auto bad = rows(QStringLiteral(
        "SELECT DISTINCT A.CUENTA FROM MV_ASIENTOS A LEFT JOIN MA_CUENTAS C ON C.CODIGO = A.CUENTA"
        " WHERE C.CODIGO IS NULL OR C.TITULO <> 0 OR C.DADA_DE_BAJA <> 0 OR C.BLOQUEO <> 0"));
    QStringList codes;
    for (const QVariantList& r : bad)
        codes << text(r[0]);
    EXPECT_TRUE(codes.isEmpty()) << codes.join(u' ').toStdString();
}

TEST_F(DemoData, ChartFollowsTheConfiguredLevels) {
    const QStringList keys{"DIGITOS_CAPITULO", "DIGITOS_SUBCAPITULO", "DIGITOS_RUBRO",
                           "DIGITOS_SUBRUBRO", "DIGITOS_CUENTA",      "DIGITOS_SUBCUENTA"};
    QList<int> ends;
    for (const QString& k : keys) {
        bool ok = false;
        const int size = cfg(k).toInt(&ok);
        ASSERT_TRUE(ok && size > 0) << k.toStdString();
        ends << (ends.isEmpty() ? 0 : ends.last()) + size;
    }
    ASSERT_LE(ends.last(), 15); // CODIGO is VARCHAR(15)

    QMap<QString, QVariantList> chart;
    for (const QVariantList& r : rows(QStringLiteral(
             "SELECT CODIGO, TITULO, AJUSTE, INDICE, BIENES FROM MA_CUENTAS ORDER BY CODIGO")))
        chart.insert(text(r[0]), r);
    QSet<int> levelsUsed;
    for (auto it = chart.cbegin(); it != chart.cend(); ++it) {
        const QString& code = it.key();
        const QVariantList& r = it.value();
        const std::string c = code.toStdString();
        EXPECT_FALSE(code.contains(QRegularExpression(QStringLiteral("[^0-9]")))) << c;
        const int level = int(ends.indexOf(int(code.size())));
        ASSERT_GE(level, 0) << c << " does not end at a level";
        levelsUsed.insert(level);
        if (level > 0) {
            const QString parent = code.left(ends[level - 1]);
            ASSERT_TRUE(chart.contains(parent)) << c << " has no parent " << parent.toStdString();
            EXPECT_EQ(chart[parent][1].toInt(), 1) << c << " hangs from a postable account";
        }
        if (r[1].toInt() == 1) {
            EXPECT_EQ(r[2].toInt(), 0) << c << " is a title marked adjustable";
            EXPECT_EQ(r[3].toInt(), 0) << c;
        } else if (r[2].toInt() == 1) {
            EXPECT_TRUE(r[3].toInt() >= 1 && r[3].toInt() <= 4) << c << " has no index series";
        } else {
            EXPECT_EQ(r[3].toInt(), 0) << c << " is not adjustable but has a series";
        }
    }
    EXPECT_EQ(levelsUsed.size(), 6);
}

TEST_F(DemoData, AdjustableAccountsHaveCoefficientsForEveryMonth) {
    // The accounts the adjustment reads, less those named as accumulated depreciation.
    QSet<int> series;
    for (const QVariantList& r : rows(QStringLiteral(
             "SELECT DISTINCT INDICE FROM MA_CUENTAS WHERE (AJUSTE = 1) AND (BIENES = 0)"
             " AND CODIGO NOT IN (SELECT CODIGO_DEPREC_ACUMULADA FROM MA_CUENTAS"
             " WHERE CODIGO_DEPREC_ACUMULADA IS NOT NULL)")))
        series.insert(r[0].toInt());
    EXPECT_EQ(series, (QSet<int>{1, 2, 3, 4}));

    QMap<int, QVariantList> byMonth;
    for (const QVariantList& r : rows(QStringLiteral(
             "SELECT ANIO * 100 + MES, INDICE1, INDICE2, INDICE3, INDICE4 FROM MA_INDAJUSTE")))
        byMonth.insert(r[0].toInt(), r);
    for (int year : {2022, 2023})
        for (int month = 1; month <= 12; ++month) {
            const int key = year * 100 + month;
            ASSERT_TRUE(byMonth.contains(key)) << key;
            for (int s : series)
                EXPECT_GT(byMonth[key][s].toDouble(), 0.0) << key << " series " << s;
        }
    for (int s = 1; s <= 4; ++s)
        EXPECT_DOUBLE_EQ(byMonth[202312][s].toDouble(), 1.0) << "series " << s;
    // The opening of 2023 originates in December 2022: a coefficient of about 3.
    EXPECT_NEAR(byMonth[202212][1].toDouble(), 3.11, 0.01);
    EXPECT_NEAR(byMonth[202301][1].toDouble(), 2.94, 0.01);

    // Prices never fall in these series: a later month never restates by more.
    QVariantList previous;
    for (auto it = byMonth.cbegin(); it != byMonth.cend(); ++it) {
        if (!previous.isEmpty()) {
            for (int s = 1; s <= 4; ++s)
                EXPECT_LE(it.value()[s].toDouble(), previous[s].toDouble())
                    << it.key() << " series " << s;
        }
        previous = it.value();
    }
}

TEST_F(DemoData, ReiAndFixedAssetAccountsAreAsTheAdjustmentExpects) {
    const auto rei = rows(
        QStringLiteral("SELECT TITULO, AJUSTE, DADA_DE_BAJA, BLOQUEO FROM MA_CUENTAS WHERE CODIGO "
                       "= '%1'")
            .arg(kCuentaRei));
    ASSERT_EQ(rei.size(), 1);
    EXPECT_EQ(rei[0], (QVariantList{0LL, 0LL, 0LL, 0LL}));

    // A fixed asset names its accumulated depreciation: an existing postable
    // account that the adjustment's query would pick but must skip.
    const auto assets = rows(QStringLiteral(
        "SELECT A.CODIGO, A.BIENES, D.CODIGO, D.TITULO, D.AJUSTE, D.BIENES FROM MA_CUENTAS A"
        " LEFT JOIN MA_CUENTAS D ON D.CODIGO = A.CODIGO_DEPREC_ACUMULADA"
        " WHERE A.CODIGO_DEPREC_ACUMULADA IS NOT NULL"));
    ASSERT_FALSE(assets.isEmpty());
    for (const QVariantList& r : assets) {
        const std::string c = text(r[0]).toStdString();
        EXPECT_EQ(r[1].toInt(), 1) << c;
        ASSERT_FALSE(r[2].isNull()) << c << " names a missing account";
        EXPECT_EQ(r[3].toInt(), 0) << c;
        EXPECT_EQ(r[4].toInt(), 1) << c;
        EXPECT_EQ(r[5].toInt(), 0) << c;
    }
}

// Customers, suppliers and banks lie in the additional-data ranges whose
// views give the view types they are stored with: saving them keeps them.
TEST_F(DemoData, AdditionalDataRangesGiveTheStoredViewTypes) {
    const QString tipoDelRango =
        QStringLiteral("IFNULL((SELECT V.TipoVista FROM TA_RANGOS_DATOS_ADIC R JOIN TA_VISTAS V"
                       " ON TRIM(V.NOMBRE) = TRIM(R.Vista) WHERE TRIM(C.CODIGO)"
                       " BETWEEN TRIM(R.\"CUENTA-DESDE\") AND TRIM(R.\"CUENTA-HASTA\")"
                       " ORDER BY R.\"CUENTA-DESDE\" LIMIT 1), '')");
    EXPECT_EQ(rows("SELECT CODIGO FROM MA_CUENTAS C WHERE TITULO = 0 AND DADA_DE_BAJA = 0"
                   " AND IFNULL(TipoVista, '') <> " +
                   tipoDelRango),
              QList<QVariantList>{});
    EXPECT_EQ(rows("SELECT DISTINCT TipoVista FROM TA_VISTAS ORDER BY 1"),
              (QList<QVariantList>{{"BC"}, {"CL"}, {"PR"}}));
}

TEST_F(DemoData, FiscalYearsAndDateKeysPointAtAnOpen2023) {
    EXPECT_EQ(
        rows(QStringLiteral("SELECT PERIODO, \"Fecha Desde\", \"Fecha Hasta\", CERRADO,"
                            " Cancelacion FROM MV_EJERCICIOS ORDER BY PERIODO")),
        (QList<QVariantList>{{2022LL, "2022-01-01 00:00:00", "2022-12-31 00:00:00", 1LL, 1LL},
                             {2023LL, "2023-01-01 00:00:00", "2023-12-31 00:00:00", 0LL, 0LL}}));
    // The window starts on the lowest open year; the rules object on the key.
    EXPECT_EQ(cfg(QStringLiteral("PERIODO")),
              text(scalar(QStringLiteral(
                  "SELECT PERIODO FROM MV_EJERCICIOS WHERE CERRADO = 0 ORDER BY PERIODO"))));
    for (const char* key : {"FECHAOPERDESDE", "[FECHA DESDE]"})
        EXPECT_EQ(QDate::fromString(cfg(QString::fromLatin1(key)), QStringLiteral("dd/MM/yyyy")),
                  QDate(2023, 1, 1))
            << key;
    for (const char* key : {"FECHAOPERHASTA", "[FECHA HASTA]"})
        EXPECT_EQ(QDate::fromString(cfg(QString::fromLatin1(key)), QStringLiteral("dd/MM/yyyy")),
                  QDate(2023, 12, 31))
            << key;

    // 2023 is not adjusted yet; 2022 was, up to its last day.
    EXPECT_EQ(scalar(QStringLiteral(
                         "SELECT COUNT(*) FROM MV_ASIENTOS WHERE PERIODO = 2023 AND ESAJUSTE = 1"))
                  .toInt(),
              0);
    EXPECT_EQ(rows(QStringLiteral("SELECT DISTINCT AJUSTE_HASTA FROM MV_ASIENTOS"
                                  " WHERE PERIODO = 2022 AND ESAJUSTE = 1")),
              (QList<QVariantList>{{"31/12/2022"}}));
}

TEST_F(DemoData, OpeningOf2023IsTheClosingOf2022) {
    QMap<QString, qlonglong> closing;
    for (const QVariantList& r :
         rows(QStringLiteral("SELECT CUENTA, SUM(CASE WHEN \"DEBE-HABER\" = 'D' THEN IMPORTE"
                             " ELSE -IMPORTE END) FROM MV_ASIENTOS WHERE PERIODO = 2022"
                             " GROUP BY CUENTA")))
        if (cents(r[1]) != 0)
            closing.insert(text(r[0]), cents(r[1]));
    QMap<QString, qlonglong> opening;
    for (const QVariantList& r : rows(QStringLiteral(
             "SELECT CUENTA, CASE WHEN \"DEBE-HABER\" = 'D' THEN IMPORTE ELSE -IMPORTE END"
             " FROM MV_ASIENTOS WHERE PERIODO = 2023 AND ES_SALDO_APERTURA = 1"))) {
        // The adjustment restates the first opening row of an account only.
        EXPECT_FALSE(opening.contains(text(r[0]))) << text(r[0]).toStdString();
        opening.insert(text(r[0]), cents(r[1]));
    }
    ASSERT_FALSE(opening.isEmpty());
    // The result accounts were closed into the equity at the end of 2022.
    for (auto it = closing.cbegin(); it != closing.cend(); ++it)
        EXPECT_TRUE(QStringLiteral("123").contains(it.key().at(0)))
            << it.key().toStdString() << " still has a balance at the end of 2022";
    EXPECT_EQ(opening, closing);
}

TEST_F(DemoData, Year2023HasMovementsEveryMonthAndProFormaVouchers) {
    const auto months = rows(QStringLiteral(
        "SELECT DISTINCT A.MES_OPERATIVO FROM MV_ASIENTOS A JOIN MA_CUENTAS C"
        " ON C.CODIGO = A.CUENTA WHERE A.PERIODO = 2023 AND C.AJUSTE = 1 AND C.BIENES = 0"
        " AND A.ESRESUMEN = 0 AND A.ESAJUSTE = 0 AND A.ES_SALDO_APERTURA = 0"
        " AND A.TC <> 'FP' AND A.TC <> 'CBFP' ORDER BY 1"));
    EXPECT_EQ(months.size(), 12);
    const auto proforma =
        rows(QStringLiteral("SELECT DISTINCT TC FROM MV_ASIENTOS WHERE PERIODO = 2023"
                            " AND TC IN ('FP', 'CBFP') ORDER BY TC"));
    EXPECT_EQ(proforma, (QList<QVariantList>{{"CBFP"}, {"FP"}}));
    // Pro-forma sales touch an adjustable account, so the check box matters.
    EXPECT_GT(
        scalar(QStringLiteral(
                   "SELECT COUNT(*) FROM MV_ASIENTOS A JOIN MA_CUENTAS C ON C.CODIGO = A.CUENTA"
                   " WHERE A.TC = 'FP' AND C.AJUSTE = 1"))
            .toInt(),
        0);
}

TEST_F(DemoData, ReceiptBooksProposeAFreeNumberForEveryLetter) {
    const auto books = rows(QStringLiteral(
        "SELECT B.CODIGO, B.TALONARIO, T.LETRAS, T.SISTEMA FROM V_TA_CPTE B"
        " LEFT JOIN TA_COMPROBANTES T ON T.CODIGO = B.CODIGO AND T.SISTEMA = 'CONTABLE'"));
    ASSERT_FALSE(books.isEmpty());
    QSet<QString> types;
    for (const QVariantList& b : books) {
        const QString code = text(b[0]);
        const std::string c = code.toStdString();
        ASSERT_FALSE(b[3].isNull()) << c << " is no accounting voucher type";
        // The program pads codes to four characters before it looks them up.
        EXPECT_EQ(code.size(), 4) << c;
        const QString letters = text(b[2]).trimmed();
        ASSERT_FALSE(letters.isEmpty()) << c;
        types.insert(code);
        for (const QChar l : letters) {
            EXPECT_TRUE(kLetrasLibro.contains(l) && kLetrasCabecera.contains(l))
                << c << " letter " << QString(l).toStdString();
            const auto r = rows(QStringLiteral("SELECT %1_SUC_DEFAULT, %1_NRO_DESDE, %1_NRO_HASTA,"
                                               " %1_ULTIMO_NRO, %1Vence FROM V_TA_CPTE"
                                               " WHERE CODIGO = '%2' AND TALONARIO = %3")
                                    .arg(l)
                                    .arg(code, text(b[1])));
            ASSERT_EQ(r.size(), 1);
            const qlonglong suc = r[0][0].toLongLong(), desde = r[0][1].toLongLong(),
                            hasta = r[0][2].toLongLong(), ultimo = r[0][3].toLongLong();
            EXPECT_GT(suc, 0) << c;
            EXPECT_TRUE(desde >= 1 && desde <= ultimo && ultimo <= hasta)
                << c << " last number " << ultimo << " outside " << desde << ".." << hasta;
            EXPECT_GT(text(r[0][4]), QStringLiteral("2023-12-31")) << c << " book has expired";
            // The number the header proposes must not be posted already.
            EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE TC = '%1'"
                                            " AND SUCURSAL = '%2' AND NUMERO = '%3'"
                                            " AND LETRA = '%4'")
                                 .arg(code, QString::number(suc).rightJustified(4, u'0'),
                                      QString::number(ultimo).rightJustified(8, u'0'), l))
                          .toInt(),
                      0)
                << c << " proposes a posted number";
        }
    }
    // The adjustment's voucher numbers itself (it is no incoming voucher).
    ASSERT_TRUE(types.contains(QStringLiteral("AJUS")));
    EXPECT_GT(scalar(QStringLiteral("SELECT X_NRO_HASTA FROM TA_COMPROBANTES"
                                    " WHERE CODIGO = 'AJUS'"))
                  .toInt(),
              0);
}

// The demo seen through the program's own connection and statements.
TEST_F(DemoData, ProgramStatementsSeeTheDemoAsIntended) {
    auto cn = ado::Connection::create();
    cn->CursorLocation = ado::adUseClient;
    cn->Open(db().connectionString());
    const auto open = [&](const QString& sql) {
        auto rs = ado::Recordset::create();
        rs->Open(sql, cn, ado::adOpenForwardOnly, ado::adLockReadOnly);
        return rs;
    };
    const auto rights = [&](const QString& user, const QString& program = "quarzelo") {
        auto rs = open(
            QStringLiteral("SELECT TA_TAREAS.USUARIO, TA_MENU.Proceso, TA_MENU.Clave , "
                           "TA_MENU.Nombre  FROM TA_TAREAS INNER JOIN TA_MENU ON TA_TAREAS.TAREA "
                           "= TA_MENU.Clave  WHERE (TA_TAREAS.USUARIO = '%1 ') AND "
                           "(TA_MENU.Proceso LIKE '%%2%')")
                .arg(user, program));
        return rs->EOF() ? QString() : rs->value(QStringLiteral("Nombre")).toString();
    };

    // An administrator with the right, a user without it.
    auto admins = open(QStringLiteral("SELECT NOMBRE FROM TA_USUARIOS WHERE Administrador = 1"));
    ASSERT_FALSE(admins->EOF());
    EXPECT_EQ(rights(admins->value(0).toString()),
              QStringLiteral("Asiento de Ajuste por Inflación"));
    EXPECT_EQ(rights(admins->value(0).toString(), QStringLiteral("quarzelo-cuentas")),
              QStringLiteral("Plan de Cuentas"));
    auto others = open(QStringLiteral("SELECT NOMBRE FROM TA_USUARIOS WHERE Administrador = 0"));
    QStringList withoutRight;
    for (; !others->EOF(); others->MoveNext())
        if (rights(others->value(0).toString()).isEmpty())
            withoutRight << others->value(0).toString();
    EXPECT_FALSE(withoutRight.isEmpty());

    // The configuration key read for the period rules, upper-cased as it is sent.
    auto hasta = open(QStringLiteral(
        "SELECT VALOR, VALORAUX FROM TA_CONFIGURACION WHERE CLAVE = '[FECHA HASTA]'"));
    ASSERT_FALSE(hasta->EOF());
    EXPECT_EQ(hasta->value(0).toString(), QStringLiteral("31/12/2023"));

    // No adjustment of the configured year yet: the whole year is proposed.
    EXPECT_TRUE(open(QStringLiteral("SELECT top 1  * FROM MV_ASIENTOS WHERE PERIODO = 2023 AND "
                                    "EsAjuste = 1"))
                    ->EOF());
    // The voucher book of the adjustment, as the header reads it.
    auto book = open(
        QStringLiteral("SELECT * FROM V_TA_CPTE WHERE CODIGO = 'AJUS' ORDER BY TALONARIO ASC"));
    ASSERT_FALSE(book->EOF());
    EXPECT_EQ(book->value(QStringLiteral("x_suc_default")).toInt(), 1);
    // Opening rows of adjustable accounts, as the generation reads them.
    auto openingRows = open(QStringLiteral(
        "SELECT * FROM MV_ASIENTOS WHERE CUENTA = '110501001' AND PERIODO = 2023 AND "
        "(ES_SALDO_APERTURA = 1)  AND (TC<>'CBFP' AND TC<>'FP') "));
    EXPECT_FALSE(openingRows->EOF());
    // The chart manual opens on an account with both of its texts.
    auto manual = open(QStringLiteral("SELECT * FROM Ma_Cuentas WHERE CODIGO = '110101001'"));
    ASSERT_FALSE(manual->EOF());
    EXPECT_FALSE(manual->value(QStringLiteral("Manual")).toString().isEmpty());
    EXPECT_FALSE(manual->value(QStringLiteral("Manual_Haber")).toString().isEmpty());
}

} // namespace
