#include "lookup/lib_clscons3.h"
#include "startup/cnstuffcontable.h"

#include <QApplication>

// The command line is the suite's parameter string ("@Server=...; @DbName=...;").
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ConectaConsultasConInicio();
    CNStuffContable::IniciaSistema();
    return 0;
}
