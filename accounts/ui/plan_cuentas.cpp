#include "accounts/ui/plan_cuentas.h"

#include "data/instances.h"
#include "data/pasos.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

#include <QComboBox>
#include <QStringList>
#include <algorithm>

namespace PlanCuentas {

namespace {

using pasos::Recuadro;

} // namespace

QString ItemTitulo(const FilaPlan& fila) {
    const qsizetype largo = fila.Codigo.trimmed().size();
    const qsizetype sangria = largo >= 10 ? 45 : 5 * std::max<qsizetype>(largo - 1, 0);
    return QString(sangria, u' ') + fila.Descripcion + QString(300, u' ') + fila.Codigo;
}

QString CodigoDeItem(const QString& item) {
    return item.right(50).trimmed();
}

QString NombreDeItem(const QString& item) {
    return item.left(80).trimmed();
}

void CargaComboTitulo(QComboBox* Combo1, const QString& /*Desde*/,
                      const std::vector<FilaPlan>* Filas, QHash<QString, int>* Posiciones) {
    QHash<QString, int> posiciones;
    std::vector<FilaPlan> leidas;
    QStringList items;
    pasos::RunSteps({
                        [&] {
                            if (!Filas) {
                                leidas = LeePlan();
                                Filas = &leidas;
                            }
                            return !Filas->empty();
                        },
                        [&] {
                            items.reserve(qsizetype(Filas->size()) + 1);
                            items << QString();
                            for (const FilaPlan& f : *Filas)
                                if (f.Titulo) {
                                    posiciones.insert(f.Codigo.trimmed().toCaseFolded(),
                                                      int(items.size()));
                                    items << ItemTitulo(f);
                                }
                        },
                        // All at once: a chart holds thousands of titles.
                        [&] {
                            Combo1->clear();
                            Combo1->addItems(items);
                            if (Posiciones)
                                *Posiciones = std::move(posiciones);
                        },
                    },
                    Recuadro(QStringLiteral("CargaComboTitulo")), pasos::Trap::AllErrors);
}

} // namespace PlanCuentas
