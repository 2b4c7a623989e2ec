// The account row: its statement through the shared builder, read back from
// the database after the save ran; the column rules of the kind, the lists
// and the custom "P_" columns.

#include "cuentas_fixture.h"

#include "accounts/core/cuenta.h"

using namespace cuentas;

namespace {

class Fila : public CuentasTest {
protected:
    void graba(const Cuenta& c, bool nueva) {
        QStringList sentencias;
        ASSERT_TRUE(ArmaSentenciaCuenta(c, nueva, sentencias));
        bool error = true;
        std::int32_t nativo = 0;
        CNStuffContable::EjecutaTransaccion(sentencias, error, nativo);
        EXPECT_FALSE(error) << sentencias.join(u'\n').toStdString();
    }
    // "COLUMN=value|..." against the stored row; "<NULL>" for NULL.
    void compara(const QString& codigo, const QString& esperado) const {
        for (const QString& par : esperado.split(u'|')) {
            const QString nombre = par.section(u'=', 0, 0);
            const QVariant v = columna(codigo, nombre);
            EXPECT_EQ(v.isNull() ? QStringLiteral("<NULL>") : v.toString(), par.section(u'=', 1))
                << codigo.toStdString() << " " << nombre.toStdString();
        }
    }
};

TEST_F(Fila, ColumnRulesOfTheSavedRow) {
    cuenta("2", "vieja", true, true);
    db.exec("UPDATE MA_CUENTAS SET dv = 7 WHERE CODIGO = '2'");
    Cuenta postable, titulo, banco, largo;
    postable.Codigo = "1-1-01-01-001";
    postable.Descripcion = " O'Higgins ";
    postable.CodigoOpcional = "1-2";
    postable.Ajuste = true;
    postable.Indice = 2;
    postable.MedioDePago = MedioTarjetas;
    postable.NoPideDatosTarjeta = true;
    postable.Moneda = 1;
    // A dropped title reused: the save brings it back; a title never adjusts
    // nor has a view; "Null" is a name, not the SQL word.
    titulo.Codigo = "2";
    titulo.Descripcion = "Null";
    titulo.Titulo = titulo.Ajuste = true;
    titulo.VistaRango = "PR";
    banco.Codigo = "3";
    banco.MedioDePago = MedioDebitosBancarios;
    banco.VistaRango = "CL";
    // A code is stored as typed, never filled to the column's width.
    Cuenta corto;
    corto.Codigo = "12";
    corto.Descripcion = "Bienes de cambio";
    largo.Codigo = "1-1-01-01-001-001-0001"; // longer than the column
    const struct {
        const Cuenta& cuenta;
        bool nueva;
        const char* codigo;
        const char* esperado;
    } casos[] = {
        {postable, true, "110101001",
         "DESCRIPCION=O'Higgins|CodigoOpcional=12|TITULO=0|AJUSTE=1|INDICE=3|MedioDePago=TJ|"
         "NoPideDatosTarjeta=1|TipoVista=|Moneda=0002"},
        {titulo, false, "2",
         "DESCRIPCION=Null|TITULO=1|AJUSTE=0|INDICE=0|TipoVista=<NULL>|MedioDePago=<NULL>|"
         "LIBRO_IVA_COMPRAS=1|Dada_De_Baja=0|dv=0"},
        {banco, true, "3", "DESCRIPCION=<NULL>|TipoVista=BC|LIBRO_IVA_DULVAR=0"},
        {corto, true, "12", "CODIGO=12|DESCRIPCION=Bienes de cambio"},
    };
    for (const auto& c : casos) {
        graba(c.cuenta, c.nueva);
        compara(QString::fromLatin1(c.codigo), QString::fromUtf8(c.esperado));
    }
    QStringList sentencias;
    EXPECT_FALSE(ArmaSentenciaCuenta(largo, true, sentencias));
}

// A cleared custom value goes back to NULL; numbers and dates are read in the
// regional form; a value its column does not hold as shown (a fraction in an
// integer column, a text past its length) is refused naming the column.
TEST_F(Fila, CustomColumnsByTheirType) {
    cuenta("110102001001", "Banco");
    db.exec("UPDATE MA_CUENTAS SET P_CBU = '0110' WHERE CODIGO = '110102001001'");
    Cuenta c;
    c.Codigo = "110102001001";
    c.Personalizados = {{"P_CBU", "  "},
                        {"p_email", "S.A. compras@banco.com.ar"},
                        {"P_LIMITE", "1.234.567,89"},
                        {"P_PLAZO_DIAS", "30"},
                        {"P_FECHA_ALTA", "15/03/2024"}};
    graba(c, false);
    compara("110102001001", "P_CBU=<NULL>|P_EMAIL=S.A. compras@banco.com.ar|P_LIMITE=1234567.89|"
                            "P_PLAZO_DIAS=30|P_FECHA_ALTA=2024-03-15 00:00:00");
    // Numbers that are not money keep what money would round or overflow.
    db.exec("ALTER TABLE MA_CUENTAS ADD P_TASA FLOAT; ALTER TABLE MA_CUENTAS ADD P_LEGAJO BIGINT");
    c.Personalizados = {{"P_TASA", "0,123456"}, {"P_LEGAJO", "1234567890123456"}};
    graba(c, false);
    EXPECT_DOUBLE_EQ(columna("110102001001", "P_TASA").toDouble(), 0.123456);
    EXPECT_EQ(columna("110102001001", "P_LEGAJO").toLongLong(), 1234567890123456LL);

    const struct {
        const char* campo;
        const char* valor;
        long error;
    } rechazos[] = {
        {"P_LIMITE", "mucho", ado::adErrDataConversion},
        {"P_FECHA_ALTA", "31/02/2024", ado::adErrDataConversion},
        {"P_PLAZO_DIAS", "30,5", ado::adErrDataConversion},
        {"P_CBU", "01105995200000123456789", ado::adErrDataConversion},
        {"P_NO_EXISTE", "x", ado::adErrItemNotFound},
    };
    for (const auto& r : rechazos) {
        c.Personalizados = {{QString::fromLatin1(r.campo), QString::fromLatin1(r.valor)}};
        QStringList sentencias;
        try {
            ArmaSentenciaCuenta(c, false, sentencias);
            ADD_FAILURE() << r.campo << " accepted";
        } catch (const ado::Exception& e) {
            EXPECT_EQ(e.number(), r.error) << r.campo;
            EXPECT_TRUE(r.error != ado::adErrDataConversion ||
                        e.error().Source == QString::fromLatin1(r.campo))
                << r.campo;
        }
    }
}

TEST_F(Fila, SharedMeansOfPaymentAreToldApartByTheirKeys) {
    GrabaClavesMedioDePago(MedioRetencionSUSS, "2-1-03-01-004");
    GrabaClavesMedioDePago(MedioSolicitudCredito, "1-1-04-02-002");
    GrabaClavesMedioDePago(MedioRetencionVarias, "2-1-03-01-003");
    const struct {
        const char* medio;
        const char* codigo;
        int posicion;
    } casos[] = {
        {"RO", "210301004", MedioRetencionSUSS},
        {"ro", "210301003", MedioRetencionVarias},
        {"tj", "110402002", MedioSolicitudCredito},
        {"TJ", "110402001", MedioTarjetas},
        {"ZZ", "1", MedioNinguno},
    };
    for (const auto& c : casos)
        EXPECT_EQ(PosicionMedioDePago(QString::fromLatin1(c.medio), QString::fromLatin1(c.codigo)),
                  c.posicion)
            << c.medio << " " << c.codigo;
}

} // namespace
