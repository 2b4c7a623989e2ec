// Account codes: the title above a code and the next free code under a title.

#include "cuentas_fixture.h"

#include "accounts/core/codigos.h"

using namespace cuentas;

namespace {

using Codigos = CuentasTest;

// The nearest active title whose code begins the code, not the nearest
// shorter title in code order.
TEST_F(Codigos, ParentTitleIsFoundByPrefix) {
    cuenta("1", "ACTIVO", true);
    cuenta("11", "ACTIVO CORRIENTE", true);
    cuenta("1101", "CAJA Y BANCOS", true);
    cuenta("110101001", "Caja"); // its direct title is missing
    cuenta("1201", "Sin titulo 12");
    cuenta("13", "TITULO DADO DE BAJA", true, true);
    cuenta("1301", "Bajo un titulo dado de baja");
    cuenta("1102", "Dada de baja", false, true);
    cuenta("1'", "APOSTROFO", true);
    cuenta("1'01", "Bajo el apostrofo");
    const struct {
        const char* codigo;
        bool existe;
        const char* nombre;
    } casos[] = {
        {"110101001", true, "CAJA Y BANCOS"},
        {"1201", true, "ACTIVO"},
        {"1301", true, "ACTIVO"},
        {" 1 ", true, ""},
        {"1'01", true, "APOSTROFO"},
        {"1102", false, "sin tocar"},
    };
    for (const auto& c : casos) {
        QString nombre = QStringLiteral("sin tocar");
        EXPECT_EQ(ExisteNivelSuperior(QString::fromLatin1(c.codigo), nombre), c.existe) << c.codigo;
        EXPECT_EQ(nombre, QString::fromLatin1(c.nombre)) << c.codigo;
    }
}

TEST_F(Codigos, NextFreeCodeFollowsTheLevelWidthAndKeepsZeros) {
    const QString nueve = QStringLiteral("1,2,3,4,5,6,7,8,9");
    const struct {
        std::array<int, 6> niveles;
        const char* titulo;
        QString hijos; // suffixes taken, every other one by a dropped account
        int respuesta; // 0: no question expected
        const char* propuesto;
        const char* siguiente; // title the question names
    } casos[] = {
        {{1, 1, 2, 2, 3, 3}, "1", "1", 0, "12", ""},
        {{1, 1, 2, 2, 3, 3}, "11", "01,02", 0, "1103", ""},
        {{1, 1, 2, 2, 3, 3}, "110101", "001,002", 0, "110101003", ""},
        {{1, 1, 2, 2, 3, 3}, "110101001001", "", 0, "", ""}, // no level below
        {{1, 1, 2, 2, 3, 3}, "110", "", 0, "", ""},          // ends no level
        {{1, 1, 2, 2, 3, 3}, "1", nueve, vb::vbYes, "21", "2"},
        {{1, 1, 2, 2, 3, 3}, "1", nueve, vb::vbNo, "110", "2"},
        {{3, 1, 1, 1, 1, 1}, "009", nueve, vb::vbYes, "0101", "010"},
        {{1, 1, 2, 2, 3, 3}, "9'", "01", 0, "9'02", ""},
    };
    for (const auto& c : casos) {
        db.exec("DELETE FROM MA_CUENTAS");
        niveles(c.niveles);
        const QString titulo = QString::fromLatin1(c.titulo);
        bool baja = false;
        for (const QString& h : c.hijos.split(u',', Qt::SkipEmptyParts))
            cuenta(titulo + h, QStringLiteral("ocupada"), false, baja = !baja);
        responder->shown.clear();
        if (c.respuesta)
            responder->answerMsg(c.respuesta);

        EXPECT_EQ(ProponeCodigoLibre(titulo), QString::fromLatin1(c.propuesto)) << c.titulo;
        const QStringList preguntas = responder->messages();
        const QString siguiente = QString::fromLatin1(c.siguiente);
        EXPECT_EQ(preguntas,
                  siguiente.isEmpty()
                      ? QStringList()
                      : QStringList{QStringLiteral("No hay espacio en la cuenta titulo actual. "
                                                   "¿Buscar en la siguiente?\r\nSiguiente "
                                                   "cuenta a buscar : ") +
                                    siguiente})
            << c.titulo;
        for (const auto& caja : responder->shown)
            EXPECT_EQ(caja.title, "Aviso al Operador");
    }
}

} // namespace
