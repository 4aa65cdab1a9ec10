#include "frmMain.h"


namespace qel {

// ---------------------------------------------------------------- printing

void frmMain::mnuPrintPersonal_Click() {}
void frmMain::mnuPrintAll_Click() {}
void frmMain::mnuPopEditPrint_Click() {}
void frmMain::menuAllPrint_Click() {}
void frmMain::printGroupReport() {}
void frmMain::printPersonal(const QStringList &) {}
void frmMain::printALL() {}

} // namespace qel
