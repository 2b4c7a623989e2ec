// SQL literals, data-type classes and name helpers.

#include "data_fixture.h"

using LiteralsTest = DataTest;

TEST_F(LiteralsTest, SQLValueByTypeMark) {
    DB_Dll& d = gDatos();
    // "@": a regional number with a decimal comma comes out with a point, unquoted.
    EXPECT_EQ(d.SQLValue(QStringLiteral("1234,5"), QStringLiteral("@")).toString(),
              QStringLiteral("1234.5"));
    EXPECT_EQ(d.SQLValue(QStringLiteral("-0,25"), QStringLiteral("@")).toString(),
              QStringLiteral("-0.25"));
    EXPECT_EQ(d.SQLValue(12.75, QStringLiteral("@")).toString(), QStringLiteral("12.75"));
    EXPECT_EQ(d.SQLValue(vb::Null(), QStringLiteral("@")).toString(), QStringLiteral("0"));
    EXPECT_EQ(d.SQLValue(QStringLiteral("abc"), QStringLiteral("@")).toString(),
              QStringLiteral("0"));
    // "'" and the default mark quote; Null is the bare word.
    EXPECT_EQ(d.SQLValue(QStringLiteral("Caja"), QStringLiteral("'")).toString(),
              QStringLiteral("'Caja'"));
    EXPECT_EQ(d.SQLValue(QStringLiteral("Caja")).toString(), QStringLiteral("'Caja'"));
    EXPECT_EQ(d.SQLValue(vb::Null(), QStringLiteral("'")).toString(), QStringLiteral("NULL"));
    EXPECT_EQ(d.SQLValue(vb::Null(), QString()).toString(), QStringLiteral("NULL"));
    // Any other mark, the empty one included: the value as it is.
    EXPECT_EQ(d.SQLValue(QStringLiteral("GETDATE()"), QString()).toString(),
              QStringLiteral("GETDATE()"));
    EXPECT_EQ(d.SQLValue(QStringLiteral("1,5"), QStringLiteral("#")).toString(),
              QStringLiteral("1,5"));
    // An apostrophe inside a text is doubled so the literal holds.
    EXPECT_EQ(d.SQLValue(QStringLiteral("D'Alessandro"), QStringLiteral("'")).toString(),
              QStringLiteral("'D''Alessandro'"));
}

TEST_F(LiteralsTest, SQLValueFollowsRegionalDecimal) {
    vb::Regional r;
    r.decimalSeparator = u'.';
    r.thousandsSeparator = u',';
    vb::setRegional(r);
    EXPECT_EQ(gDatos().SQLValue(QStringLiteral("7.5"), QStringLiteral("@")).toString(),
              QStringLiteral("7.5"));
    vb::setRegional(vb::Regional());
    EXPECT_EQ(gDatos().SQLValue(QStringLiteral("1.234,5"), QStringLiteral("@")).toString(),
              QStringLiteral("1234.5"));
}

TEST_F(LiteralsTest, TypeClassesPerAdoNumber) {
    struct Row {
        int type;
        bool date, text, numeric, currency, boolean;
    };
    const Row rows[] = {
        {7, true, false, false, false, false},    {133, true, false, false, false, false},
        {134, true, false, false, false, false},  {135, true, false, false, false, false},
        {137, true, false, false, false, false},  {64, true, false, false, false, false},
        {8, false, true, false, false, false},    {129, false, true, false, false, false},
        {130, false, true, false, false, false},  {200, false, true, false, false, false},
        {201, false, true, false, false, false},  {202, false, true, false, false, false},
        {203, false, true, false, false, false},  {2, false, false, true, false, false},
        {3, false, false, true, false, false},    {4, false, false, true, false, false},
        {5, false, false, true, false, false},    {14, false, false, true, false, false},
        {16, false, false, true, false, false},   {17, false, false, true, false, false},
        {18, false, false, true, false, false},   {19, false, false, true, false, false},
        {20, false, false, true, false, false},   {21, false, false, true, false, false},
        {131, false, false, true, false, false},  {6, false, false, false, true, false},
        {11, false, false, false, false, true},   {0, false, false, false, false, false},
        {72, false, false, false, false, false},  {128, false, false, false, false, false},
        {204, false, false, false, false, false}, {205, false, false, false, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.type);
        EXPECT_EQ(DB_Dll::adodate(r.type), r.date);
        EXPECT_EQ(DB_Dll::ADOText(r.type), r.text);
        EXPECT_EQ(DB_Dll::ADONumeric(r.type), r.numeric);
        EXPECT_EQ(DB_Dll::ADOCurrency(r.type), r.currency);
        EXPECT_EQ(DB_Dll::ADOBoolean(r.type), r.boolean);
        EXPECT_EQ(DB_Dll::ADOComilla(r.type), r.date || r.text ? QStringLiteral("'") : QString());
    }
}

TEST_F(LiteralsTest, NameHelpers) {
    QString dos = QStringLiteral("dbo.MA_CUENTAS");
    EXPECT_EQ(DB_Dll::stSTF(dos, false), QStringLiteral("dbo"));
    EXPECT_EQ(DB_Dll::stSTF(dos, true), QStringLiteral("MA_CUENTAS"));
    EXPECT_EQ(dos, QStringLiteral("dbo.MA_CUENTAS"));
    QString sinPunto = QStringLiteral("MA_CUENTAS");
    EXPECT_EQ(DB_Dll::stSTF(sinPunto, true), QStringLiteral("MA_CUENTAS"));
    QString tres = QStringLiteral("EMPRESA.dbo.MA_CUENTAS");
    EXPECT_EQ(DB_Dll::stSTF(tres, false), QStringLiteral("dbo.MA_CUENTAS"));
    EXPECT_EQ(tres, QStringLiteral("dbo.MA_CUENTAS"));

    QString owner = QStringLiteral("dbo.T");
    EXPECT_EQ(DB_Dll::StripOwner(owner), QStringLiteral("T"));
    EXPECT_EQ(owner, QStringLiteral("T"));
    EXPECT_EQ(DB_Dll::StripOwner(owner), QStringLiteral("T"));

    EXPECT_EQ(DB_Dll::AddBrackets(QStringLiteral("MA_CUENTAS")), QStringLiteral("MA_CUENTAS"));
    EXPECT_EQ(DB_Dll::AddBrackets(QStringLiteral("NUMERO ASIENTO")),
              QStringLiteral("[NUMERO ASIENTO]"));
    EXPECT_EQ(DB_Dll::AddBrackets(QStringLiteral("[NUMERO ASIENTO]")),
              QStringLiteral("[NUMERO ASIENTO]"));

    EXPECT_EQ(DB_Dll::StripBrackets(QStringLiteral("[NUMERO ASIENTO]")),
              QStringLiteral("NUMERO ASIENTO"));
    EXPECT_EQ(DB_Dll::StripBrackets(QStringLiteral("[ABC")), QStringLiteral("AB"));
    EXPECT_EQ(DB_Dll::StripBrackets(QStringLiteral("ABC]")), QStringLiteral("ABC]"));
    EXPECT_EQ(DB_Dll::StripBrackets(QStringLiteral("[]")), QString());

    EXPECT_EQ(DB_Dll::StripConnect(QStringLiteral("CLIENTES ->X")), QStringLiteral("CLIENTES"));
    EXPECT_EQ(DB_Dll::StripConnect(QStringLiteral("A->X")), QString());
    EXPECT_EQ(DB_Dll::StripConnect(QStringLiteral("CLIENTES")), QStringLiteral("CLIENTES"));

    EXPECT_EQ(DB_Dll::StripFileName(QStringLiteral("C:\\KQ\\DATOS\\EMPRESA.MDB")),
              QStringLiteral("C:\\KQ\\DATOS"));
    EXPECT_EQ(DB_Dll::StripFileName(QStringLiteral("C:\\KQ\\")), QStringLiteral("C:\\KQ"));
    EXPECT_EQ(DB_Dll::StripFileName(QStringLiteral("EMPRESA.MDB")), QString());
    EXPECT_EQ(DB_Dll::StripFileName(QStringLiteral("/srv/kq/empresa.db")),
              QStringLiteral("/srv/kq"));
}

TEST_F(LiteralsTest, ImpossibleCutsRaiseError5) {
    auto numero = [](const std::function<void()>& f) -> long {
        try {
            f();
        } catch (const ado::Exception& e) {
            return e.number();
        }
        return 0;
    };
    QString sinPunto = QStringLiteral("MA_CUENTAS");
    EXPECT_EQ(numero([&] { DB_Dll::stSTF(sinPunto, false); }), 5);
    EXPECT_EQ(numero([] { DB_Dll::StripBrackets(QStringLiteral("[")); }), 5);
    EXPECT_EQ(numero([] { DB_Dll::StripConnect(QStringLiteral("->X")); }), 5);
}
