#include "accountextras/ui/relacionadas.h"

#include "accountextras/ui/frmma_cuentasadic.h"
#include "accountextras/ui/frmta_asigccosto.h"
#include "accounts/ui/frmma_cuentas.h"

void ConectaVentanasRelacionadas(FrmMA_CUENTAS& Ventana) {
    Ventana.AbreDatosAdicionales = [] { frmMA_CUENTASADIC::Muestra(false); };
    Ventana.AbreCentrosCosto = [] { Frmta_asigccosto::Muestra(false); };
}
