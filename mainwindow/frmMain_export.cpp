#include "frmMain.h"

#include "panes.h"

#include <QTreeWidget>

namespace qel {

// ---------------------------------------------------------------- properties dialogs and CSV export

void frmMain::mnuEditOutput_Click() {}
void frmMain::mnuPopEditCSV_Click() {}
void frmMain::menuAllCSV_Click() {}
void frmMain::mnuPropAll_Click() {}
void frmMain::menuAllprop_Click() {}

void frmMain::mnuPorpPersonal_Click()
{
    if (popupFromTree)
        tvTreeView->setFocus();
    else
        focusAfterPopup();
}

void frmMain::mnuPopPropaty_Click()
{
    mnuPorpPersonal_Click();
}

} // namespace qel
