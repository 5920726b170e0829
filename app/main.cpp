#include "core/ProcessStart.h"
#include "core/SettingsStore.h"
#include "core/Translation.h"
#include "gui/CommonDialog.h"
#include "gui/MessageBox.h"
#include "gui/wireProbeDeskForm.h"

#include <QApplication>

int main(int argc, char **argv)
{
    ProcessStart::prepare();
    QApplication app(argc, argv);
    installJapanese(&app);
    SettingsStore store;
    QtMessageBox box;
    wireProbeDeskForm form(&store, &box, std::make_unique<QtCommonDialog>());
    form.restoreSettings();
    form.show();
    form.activateWindow();
    return app.exec();
}
