#include "startup/ui/frmmvdulvar.h"

FrmMvDulvar::FrmMvDulvar(QWidget* parent) : QWidget(parent) {}

void FrmMvDulvar::AgregoRegargo(vb::Currency cualquierimporte) {
    Q_UNUSED(cualquierimporte);
}

void FrmMvDulvar::AnulacionCompleta(const QString& TC, const QString& Sucursal,
                                    const QString& Numero, const QString& Letra) {
    Q_UNUSED(TC);
    Q_UNUSED(Sucursal);
    Q_UNUSED(Numero);
    Q_UNUSED(Letra);
}

void FrmMvDulvar::ObtieneBorrador() {}

void FrmMvDulvar::MSComm1_OnComm(int CommEvent) {
    Q_UNUSED(CommEvent);
}
