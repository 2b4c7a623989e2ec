#pragma once
// The sales window the suite's programs carry along. Nothing opens it here
// and its routines do nothing: the sales program owns the real ones.

#include "platform/vb/vb.h"

#include <QString>
#include <QWidget>

class FrmMvDulvar : public QWidget {
    Q_OBJECT
public:
    explicit FrmMvDulvar(QWidget* parent = nullptr);

    void AgregoRegargo(vb::Currency cualquierimporte);
    void AnulacionCompleta(const QString& TC, const QString& Sucursal, const QString& Numero,
                           const QString& Letra);
    void ObtieneBorrador();
    // The serial port's events are read and dropped.
    void MSComm1_OnComm(int CommEvent);
};
