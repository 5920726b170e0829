#include "core/ProcessStart.h"
#include "core/Settings.h"
#include "core/SettingsStore.h"
#include "core/Translation.h"
#include "gui/CommonDialog.h"
#include "gui/MessageBox.h"
#include "gui/wireProbeDeskForm.h"

#include <QApplication>

#include <cstdio>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(main)
};

} // namespace

int main(int argc, char **argv)
{
    ProcessStart::prepare();
    QApplication app(argc, argv);
    SettingsStore store;
    // The language chosen in the details window, unless --lang names one for this run.
    const Translation::Language chosen = Translation::fromCode(Settings::Section(&store).get(Settings::Language))
                                             .value_or(Translation::Language::Japanese);
    const std::optional<QString> given = Translation::argument(QCoreApplication::arguments());
    const std::optional<Translation::Language> asked = given ? Translation::fromCode(*given) : std::nullopt;
    Translation::install(&app, asked.value_or(chosen));
    if (given && !asked) // the window opens all the same
        std::fputs((Texts::tr("wireprobedesk: --lang には ja か en を指定して下さい: %1").arg(*given) + QLatin1Char('\n'))
                       .toUtf8()
                       .constData(),
                   stderr);
    QtMessageBox box;
    wireProbeDeskForm form(&store, &box, std::make_unique<QtCommonDialog>());
    form.restoreSettings();
    form.show();
    form.activateWindow();
    return app.exec();
}
