#pragma once
// The accounts window opens the additional data and the cost-centre
// distribution of its account, windows that live above its own library.

class FrmMA_CUENTAS;

// Hands Ventana how to open both, modeless, on the account it has put in
// CuentaActual: from its side toolbar and, for the additional data, after
// saving an account of an additional-data range.
void ConectaVentanasRelacionadas(FrmMA_CUENTAS& Ventana);
